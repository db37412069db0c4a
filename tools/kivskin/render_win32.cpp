// kivskin render: one control drawn by the skin-file theme into a surface of
// the control's usual size, saved as PNG.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/picture/png_writer.hpp"
#include "framework/text_convert.hpp"
#include "framework/win32/canvas.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "render.hpp"
#include "theme/theme_records.hpp"
#include "theme/theme_tables.hpp"
#include "themefiles/skin_theme.hpp"

namespace kiv {

namespace {

const std::string kObject = "default";
// What the control leaves unpainted shows in this grey.
constexpr TkivPixel kBackground = 0xFFEDEDED;

struct TStateName {
  const char* Name;
  uint8_t Code;
};
// The theme's state codes of push buttons, edits, headers and marks.
constexpr TStateName kStates[] = {{"normal", kStateNormal},   {"hot", kStateHot},
                                  {"pressed", kStatePressed}, {"disabled", kStateDisabled},
                                  {"focused", kStateFocused}, {"default", kStateDefault}};
// Check marks: the mark's group added to the interaction state.
constexpr TStateName kMarks[] = {{"checked", 0}, {"unchecked", 5}, {"mixed", 10}};

TkivTextInfo Centred(const TRect& r, const char16_t* text) {
  return MakeTextInfo(r, text, kDtCenter | kDtVCenter | kDtSingleLine);
}

TkivTextInfo LeftMiddle(const TRect& r, const char16_t* text) {
  return MakeTextInfo(r, text, kDtVCenter | kDtSingleLine);
}

void UseFont(TkivTheme& theme, TCanvas& canvas, int index) {
  canvas.Font()->Assign(theme.Fonts()->FontByIndex(index));
}

// The parsed --state: an interaction state and, for marks, the mark, for
// windows whether active.
struct TRenderState {
  uint8_t Code = kStateNormal;
  uint8_t Mark = 0;
  bool Inactive = false;
};

using TPaint = std::function<void(TkivTheme&, TCanvas&, const TRect&, const TRenderState&)>;

struct TControl {
  const char* Kind;
  int Width, Height;
  TPaint Paint;
};

// Scroll bars number their states their own way: 1 pressed, 2 hot.
uint8_t ScrollCode(uint8_t code) {
  return code == kStateHot ? 2 : code == kStatePressed ? 1 : code;
}

void VerticalBar(TkivTheme& t, TCanvas& c, const TRect& r, uint8_t state) {
  t.PaintScrollBarFrame(0, c, kObject, r);
  t.PaintScrollBarButton(0, c, kObject, MakePartInfo(TRect{0, 0, r.Right, 17}, 0, state));
  t.PaintScrollBarTrack(0, c, kObject,
                        MakePartInfo(TRect{0, 17, r.Right, r.Bottom - 17}, 0, state));
  t.PaintScrollBarButton(0, c, kObject, MakePartInfo(TRect{0, 30, r.Right, 60}, 9, state));
  t.PaintScrollBarButton(0, c, kObject,
                         MakePartInfo(TRect{0, r.Bottom - 17, r.Right, r.Bottom}, 1, state));
}

void HorizontalBar(TkivTheme& t, TCanvas& c, const TRect& r, uint8_t state) {
  t.PaintScrollBarFrame(0, c, kObject, r);
  t.PaintScrollBarButton(0, c, kObject, MakePartInfo(TRect{0, 0, 17, r.Bottom}, 4, state));
  t.PaintScrollBarTrack(0, c, kObject,
                        MakePartInfo(TRect{17, 0, r.Right - 17, r.Bottom}, 1, state));
  t.PaintScrollBarButton(0, c, kObject, MakePartInfo(TRect{30, 0, 60, r.Bottom}, 8, state));
  t.PaintScrollBarButton(0, c, kObject,
                         MakePartInfo(TRect{r.Right - 17, 0, r.Right, r.Bottom}, 5, state));
}

void Mark(uint8_t kind, TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
  const TSize size = t.GetCheckSize(kind, kObject);
  const TRect box{0, (r.Bottom - size.cy) / 2, size.cx, (r.Bottom - size.cy) / 2 + size.cy};
  const TkivStateInfo info = MakeStateInfo(box, static_cast<uint8_t>(s.Code + s.Mark));
  t.PaintCheck(kind, c, kObject, info);
  // The fonts run normal, pressed, hot, focused, disabled.
  static constexpr int kOffset[] = {0, 2, 1, 4, 3};
  UseFont(t, c,
          (kind == 0 ? tfCheckBoxTextNormal : tfRadioButtonTextNormal) +
              kOffset[s.Code < 5 ? s.Code : 0]);
  t.PaintCheckText(kind, c, kObject,
                   LeftMiddle(TRect{size.cx + 4, 0, r.Right, r.Bottom},
                              kind == 0 ? u"Check box" : u"Radio button"),
                   info);
}

const std::vector<TControl>& Controls() {
  static const std::vector<TControl> controls = {
      {"button", 75, 25,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         static constexpr TkivThemeFont kFont[] = {
             tfButtonTextNormal,  tfButtonTextHot,    tfButtonTextPressed, tfButtonTextDisabled,
             tfButtonTextFocused, tfButtonTextNormal, tfButtonTextNormal};
         const TkivStateInfo info = MakeStateInfo(r, s.Code);
         t.PaintButton(0, c, kObject, info);
         UseFont(t, c, kFont[s.Code]);
         t.PaintButtonText(0, c, kObject, Centred(r, u"OK"), info);
       }},
      {"check", 100, 17,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         Mark(0, t, c, r, s);
       }},
      {"radio", 110, 17,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         Mark(1, t, c, r, s);
       }},
      {"scrollbar", 17, 100,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         VerticalBar(t, c, r, ScrollCode(s.Code));
       }},
      {"hscrollbar", 100, 17,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         HorizontalBar(t, c, r, ScrollCode(s.Code));
       }},
      {"window", 200, 90,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         const uint16_t buttons =
             1 << kWindowButtonClose | 1 << kWindowButtonMinimize | 1 << kWindowButtonMaximize;
         const TkivWindowInfo info = MakeWindowInfo(r, !s.Inactive, buttons, TRect{}, u"Window");
         t.PaintWindowFrame(0, c, kObject, info);
         t.PaintWindowClient(0, c, kObject, t.WindowContentRect(0, r, kObject));
         UseFont(t, c, s.Inactive ? tfCaptionTextInactive : tfCaptionTextNormal);
         t.PaintWindowCaption(0, c, kObject, t.WindowCaptionRect(0, info, kObject), info);
         for (uint8_t b : {kWindowButtonClose, kWindowButtonMinimize, kWindowButtonMaximize})
           t.PaintWindowButton(0, c, kObject,
                               MakeWindowButtonInfo(t.WindowButtonRect(0, info, b, kObject), b,
                                                    s.Code == kStateHot       ? 1
                                                    : s.Code == kStatePressed ? 2
                                                                              : 0,
                                                    nullptr));
       }},
      {"caption", 150, 80,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         // The header panel: body, caption bar, its roll-up button and text.
         t.PaintPanel(1, c, kObject, r);
         const TRect caption{0, 0, r.Right, 22};
         t.PaintPanelCaption(1, c, kObject, caption);
         t.PaintPanelButton(1, c, kObject,
                            MakePartInfo(TRect{r.Right - 19, 3, r.Right - 3, 19}, 1, s.Code));
         UseFont(t, c, tfPanelTextNormal);
         t.PaintPanelText(1, c, kObject, LeftMiddle(TRect{6, 0, r.Right - 22, 22}, u"Header panel"),
                          caption);
       }},
      {"edit", 100, 22,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         // Edits number disabled 4 and leave 3 to the others.
         const uint8_t code = s.Code == kStateDisabled ? 4 : s.Code;
         t.PaintEdit(0, c, kObject, MakeStateInfo(r, code));
         UseFont(t, c, s.Code == kStateDisabled ? tfEditBoxTextDisabled : tfEditBoxTextNormal);
         t.DrawText(c, LeftMiddle(t.EditContentRect(0, r, kObject), u"Edit"));
       }},
      {"memo", 100, 50,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         t.PaintMemo(0, c, kObject, MakeStateInfo(r, s.Code));
       }},
      {"header", 120, 20,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         t.PaintHeader(0, c, kObject, r);
         const TkivPartInfo info = MakePartInfo(TRect{0, 0, 80, r.Bottom}, 0, s.Code);
         t.PaintHeaderSection(0, c, kObject, info);
         UseFont(t, c,
                 s.Code == kStateHot       ? tfHeaderSectionTextHot
                 : s.Code == kStatePressed ? tfHeaderSectionTextPressed
                                           : tfHeaderSectionTextNormal);
         t.PaintHeaderText(0, c, kObject, Centred(info.Rect, u"Name"), info);
       }},
      {"statusbar", 200, 22,
       [](TkivTheme& t, TCanvas& c, const TRect& r, const TRenderState& s) {
         t.PaintStatusBar(0, c, kObject, r);
         const TRect inner = t.StatusBarContentRect(0, r, kObject);
         const TRect panel{inner.Left, inner.Top, 120, inner.Bottom};
         const TkivStateInfo info = MakeStateInfo(panel, s.Code);
         t.PaintStatusPanel(0, c, kObject, info);
         UseFont(t, c, tfStatusPanelTextNormal);
         t.PaintStatusText(
             0, c, kObject,
             LeftMiddle(TRect{panel.Left + 3, panel.Top, panel.Right, panel.Bottom}, u"Ready"),
             info);
         t.PaintWindowGrip(0, c, kObject,
                           MakeGripInfo(TRect{r.Right - 16, 0, r.Right, r.Bottom}, true));
       }},
  };
  return controls;
}

std::string Kinds() {
  std::string kinds;
  for (const TControl& c : Controls()) kinds += (kinds.empty() ? "" : ", ") + std::string(c.Kind);
  return kinds;
}

// "hot", "checked,pressed", "inactive": the names in any order.
TRenderState ParseState(const std::string& text) {
  TRenderState state;
  size_t from = 0;
  while (from <= text.size()) {
    size_t comma = text.find(',', from);
    if (comma == std::string::npos) comma = text.size();
    const std::string word = LowerCase(text.substr(from, comma - from));
    bool known = word == "inactive";
    if (known) state.Inactive = true;
    for (const TStateName& s : kStates)
      if (word == s.Name) {
        state.Code = s.Code;
        known = true;
      }
    for (const TStateName& s : kMarks)
      if (word == s.Name) {
        state.Mark = s.Code;
        known = true;
      }
    if (!known)
      throw EConvertError("unknown state \"" + word +
                          "\" (normal, hot, pressed, disabled, focused, default; checked, "
                          "unchecked, mixed; inactive)");
    from = comma + 1;
  }
  return state;
}

}  // namespace

int RenderSkinControl(const std::string& file, const std::string& kind, const std::string& state,
                      const std::string& out) {
  const TControl* control = nullptr;
  for (const TControl& c : Controls())
    if (SameText(c.Kind, kind)) control = &c;
  if (!control) throw EConvertError("unknown control \"" + kind + "\" (" + Kinds() + ")");
  const TRenderState parsed = ParseState(state);

  TKivSkinFile theme;
  if (!theme.LoadFromFile(file)) throw EReadError(file + ": no skin objects could be read");
  TkivBitmap surface;
  surface.SetSize(control->Width, control->Height);
  surface.Fill(kBackground);
  TCanvas canvas;
  canvas.SetHandle(static_cast<HDC>(surface.DC()));
  control->Paint(theme, canvas, TRect{0, 0, control->Width, control->Height}, parsed);
  canvas.SetHandle(nullptr);
  GdiFlush();
  surface.SetAlpha(255);
  if (!WritePngRgba(out, surface.Bits(), surface.Width(), surface.Height()))
    throw EFCreateError("cannot write " + out);
  std::printf("wrote: %s, %s %s, %d x %d\n", out.c_str(), control->Kind, state.c_str(),
              control->Width, control->Height);
  return 0;
}

}  // namespace kiv
