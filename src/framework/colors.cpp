#include "framework/colors.hpp"

#include <cctype>
#include <cstdio>

#include "framework/classes.hpp"
#include "framework/exceptions.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

namespace {

// Names in the order the framework lists them; the first entry of a value is
// the one ColorToString gives (clSilver, not clLtGray).
constexpr TIdentMapEntry kColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

// The classic (Windows standard) scheme, indices 0..30, as 0x00BBGGRR.
constexpr TColor kClassic[31] = {
    0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
    0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
    0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
    0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC8D0D4,
};


}  // namespace

std::span<const TIdentMapEntry> ColorIdentMap() {
  return kColors;
}

TColor ClassicSysColor(int index) {
  return index >= 0 && index < 31 ? kClassic[index] : 0;
}

TColor ColorToRGB(TColor color) {
  return color < 0 ? SysColor(color & 0xFF) : color;
}

const char* ColorToIdent(TColor color) {
  for (const TIdentMapEntry& e : kColors)
    if (e.Value == color) return e.Name;
  return nullptr;
}

std::optional<TColor> IdentToColor(std::string_view ident) {
  for (const TIdentMapEntry& e : kColors)
    if (SameText(e.Name, ident)) return e.Value;
  if (SameText(ident, "clLtGray")) return clLtGray;
  if (SameText(ident, "clDkGray")) return clDkGray;
  return std::nullopt;
}

std::string ColorToString(TColor color) {
  if (const char* name = ColorToIdent(color)) return name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(color));
  return buf;
}

TColor StringToColor(std::string_view text) {
  if (auto c = IdentToColor(text)) return *c;
  return static_cast<TColor>(StrToInt(text));
}

}  // namespace kiv
