#pragma once
// Named framework colours, their text form and their resolution to RGB.
// A TColor is 0x00BBGGRR; 0xFF0000nn names system colour nn, resolved by
// ColorToRGB through SysColor (GetSysColor on Win32, the classic scheme
// natively).
#include <optional>
#include <string>
#include <string_view>

#include "framework/types.hpp"

namespace kiv {

constexpr TColor kSysColorBase = static_cast<TColor>(0xFF000000u);

// Every named colour once, in the order the framework lists them: X(name,
// value) for the names that are also a colour's text form, ALIAS(name, value)
// for second names of a value that are read but never written (clLtGray reads
// as clSilver's value, and clSilver is what is written). The constants below,
// ColorIdentMap and the text form all come from this one list.
#define KIV_NAMED_COLORS(X, ALIAS)                 \
  X(clBlack, 0x000000)                             \
  X(clMaroon, 0x000080)                            \
  X(clGreen, 0x008000)                             \
  X(clOlive, 0x008080)                             \
  X(clNavy, 0x800000)                              \
  X(clPurple, 0x800080)                            \
  X(clTeal, 0x808000)                              \
  X(clGray, 0x808080)                              \
  X(clSilver, 0xC0C0C0)                            \
  X(clRed, 0x0000FF)                               \
  X(clLime, 0x00FF00)                              \
  X(clYellow, 0x00FFFF)                            \
  X(clBlue, 0xFF0000)                              \
  X(clFuchsia, 0xFF00FF)                           \
  X(clAqua, 0xFFFF00)                              \
  X(clWhite, 0xFFFFFF)                             \
  X(clMoneyGreen, 0xC0DCC0)                        \
  X(clSkyBlue, 0xF0CAA6)                           \
  X(clCream, 0xF0FBFF)                             \
  X(clMedGray, 0xA4A0A0)                           \
  X(clActiveBorder, kSysColorBase | 10)            \
  X(clActiveCaption, kSysColorBase | 2)            \
  X(clAppWorkSpace, kSysColorBase | 12)            \
  X(clBackground, kSysColorBase | 1)               \
  X(clBtnFace, kSysColorBase | 15)                 \
  X(clBtnHighlight, kSysColorBase | 20)            \
  X(clBtnShadow, kSysColorBase | 16)               \
  X(clBtnText, kSysColorBase | 18)                 \
  X(clCaptionText, kSysColorBase | 9)              \
  X(clDefault, 0x20000000)                         \
  X(clGradientActiveCaption, kSysColorBase | 27)   \
  X(clGradientInactiveCaption, kSysColorBase | 28) \
  X(clGrayText, kSysColorBase | 17)                \
  X(clHighlight, kSysColorBase | 13)               \
  X(clHighlightText, kSysColorBase | 14)           \
  X(clHotLight, kSysColorBase | 26)                \
  X(clInactiveBorder, kSysColorBase | 11)          \
  X(clInactiveCaption, kSysColorBase | 3)          \
  X(clInactiveCaptionText, kSysColorBase | 19)     \
  X(clInfoBk, kSysColorBase | 24)                  \
  X(clInfoText, kSysColorBase | 23)                \
  X(clMenu, kSysColorBase | 4)                     \
  X(clMenuBar, kSysColorBase | 30)                 \
  X(clMenuHighlight, kSysColorBase | 29)           \
  X(clMenuText, kSysColorBase | 7)                 \
  X(clNone, 0x1FFFFFFF)                            \
  X(clScrollBar, kSysColorBase | 0)                \
  X(cl3DDkShadow, kSysColorBase | 21)              \
  X(cl3DLight, kSysColorBase | 22)                 \
  X(clWindow, kSysColorBase | 5)                   \
  X(clWindowFrame, kSysColorBase | 6)              \
  X(clWindowText, kSysColorBase | 8)               \
  ALIAS(clLtGray, 0xC0C0C0)                        \
  ALIAS(clDkGray, 0x808080)

#define KIV_DECLARE_COLOR(name, value) inline constexpr TColor name = value;
KIV_NAMED_COLORS(KIV_DECLARE_COLOR, KIV_DECLARE_COLOR)
#undef KIV_DECLARE_COLOR

// The platform's system colour nn as 0x00BBGGRR (platform seam).
TColor SysColor(int index);
// The classic scheme's colour for system colour nn (the native SysColor).
TColor ClassicSysColor(int index);

// System colours resolve through SysColor; every other value is returned as is.
TColor ColorToRGB(TColor color);

// "clBtnFace" for named colours, else "$" and eight upper-case hex digits.
std::string ColorToString(TColor color);
// Accepts identifiers (any case), decimal and $hex (also 0x); otherwise
// EConvertError "'text' is not a valid integer value".
TColor StringToColor(std::string_view text);
std::optional<TColor> IdentToColor(std::string_view ident);
const char* ColorToIdent(TColor color);  // nullptr when the colour has no name

}  // namespace kiv
