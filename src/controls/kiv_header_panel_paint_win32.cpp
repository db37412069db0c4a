// TKivHeaderPanel's painting: body, caption bar and caption button in the
// theme's, the visual styles' or the classic look. A part the active visual
// style lacks (or fails to draw) is drawn in the classic look, so nothing is
// left with the pixels that were there before.
#include "controls/kiv_header_panel_win32.hpp"
#include "graphics/kiv_utils.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

namespace {

// Parts of the visual styles' class "ExplorerBar".
constexpr int kStyleClose = 2;
constexpr int kStyleBody = 5;  // normal group background
constexpr int kStyleCollapse = 6;
constexpr int kStyleExpand = 7;
constexpr int kStyleHead = 8;  // normal group head

constexpr UINT kCaptionTextFlags = DT_VCENTER | DT_SINGLELINE;

bool DrawStyled(HANDLE data, HDC dc, int part, int state, const TRect& r) {
  if (!data) return false;
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  return SUCCEEDED(
      Platform().DrawThemeBackground(static_cast<HTHEME>(data), dc, part, state, &rr, nullptr));
}

TRect Shrink(const TRect& r, int n) {
  return InflateRectBy(r, -n);
}

std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

}  // namespace

void TKivHeaderPanel::PaintClient() {
  HDC dc = Canvas()->Handle();
  if (ThemeMode()) {
    if (CurrentTheme()->PanelIsTransparent(1, theme_object_)) PaintParentBackground(this, dc);
  } else if (VisualStylesLook() && StyleParts().SeeThrough) {
    // Parts with transparent pixels (rounded corners of the caption bar)
    // show the parent there, not whatever the context held before.
    PaintParentBackground(this, dc);
  }
  if (!show_caption_) {
    PaintBody();
    return;
  }
  const TRect r = GetCaptionRect();
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  PaintBody();
  RestoreDC(dc, saved);
  PaintCaption();
}

void TKivHeaderPanel::PaintBody() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  TRect b{0, 0, PaintWidth(), PaintHeight()};
  if (ThemeMode()) {
    if (show_caption_) b.Top = caption_height_;
    CurrentTheme()->PaintPanel(1, *canvas, theme_object_, b);
    return;
  }
  if (VisualStylesLook()) {
    TRect styled = b;
    if (show_caption_) styled.Top += caption_height_;
    if (DrawStyled(StyleData(), dc, kStyleBody, 0, styled)) return;
  }
  // Classic: the fill and an etched line of two pixels, whatever BevelWidth.
  FillRectColor(dc, b, Color());
  if (!show_bevel_) return;
  DrawBevelFrame(dc, b, clBtnShadow, clBtnHighlight);
  DrawBevelFrame(dc, Shrink(b, 1), clBtnHighlight, clBtnShadow);
}

void TKivHeaderPanel::PaintCaption() {
  if (!show_caption_) return;
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  TRect r = GetCaptionRect();
  const std::wstring caption = Caption();
  if (ThemeMode()) {
    TkivTheme* theme = CurrentTheme();
    theme->PaintPanelCaption(1, *canvas, theme_object_, r);
    r.Left += 5;
    r.Right -= 5;
    canvas->Font()->Assign(theme->Fonts()->ObjectFont(8, "default"));
    theme->PaintPanelText(1, *canvas, "default", MakeTextInfo(r, U16(caption), kCaptionTextFlags),
                          r);
  } else {
    HANDLE data = VisualStylesLook() ? StyleData() : nullptr;
    const bool styled = DrawStyled(data, dc, kStyleHead, 1, r);
    if (!styled) {
      FillRectColor(dc, r, clBtnFace);
      DrawBevelFrame(dc, r, clBtnHighlight, clBtnShadow);
    }
    r.Left += 5;
    r.Right -= 5;
    canvas->Font()->Assign(PaintFont());
    canvas->Brush()->SetStyle(bsClear);
    if (styled) {
      canvas->TextExtent(std::wstring());  // selects the font into the context
      RECT rr{r.Left, r.Top, r.Right, r.Bottom};
      Platform().DrawThemeText(static_cast<HTHEME>(data), dc, kStyleHead, 1, caption.c_str(), -1,
                               kCaptionTextFlags, 0, &rr);
    } else {
      DrawTextWide(canvas, caption, r, kCaptionTextFlags);
    }
  }
  if (!show_button_) return;
  const TRect br = ButtonRect();
  if (ThemeMode()) {
    const uint8_t picture = button_kind_ == qpbkClose ? 3 : rolled_ ? 2 : 1;
    const uint8_t state = !Enabled() ? 3 : button_pressed_ ? 2 : button_hot_ ? 1 : 0;
    CurrentTheme()->PaintPanelButton(1, *canvas, theme_object_, MakePartInfo(br, picture, state));
    return;
  }
  if (VisualStylesLook() && PaintButtonStyled(dc, br)) return;
  PaintButtonClassic(dc, br);
}

bool TKivHeaderPanel::PaintButtonStyled(HDC dc, const TRect& r) {
  const TStyleParts& parts = StyleParts();
  int part = kStyleClose;
  bool defined = parts.Close;
  if (button_kind_ == qpbkRollUp) {
    part = rolled_ ? kStyleExpand : kStyleCollapse;
    defined = rolled_ ? parts.Expand : parts.Collapse;
  }
  if (!defined) return false;
  const int state = button_pressed_ ? 3 : button_hot_ ? 2 : 1;
  return DrawStyled(StyleData(), dc, part, state, r);
}

void TKivHeaderPanel::PaintButtonClassic(HDC dc, TRect r) {
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  const UINT pushed = button_pressed_ ? DFCS_PUSHED : 0;
  if (button_kind_ == qpbkClose)
    DrawFrameControl(dc, &rr, DFC_CAPTION, DFCS_CAPTIONCLOSE | pushed);
  else
    DrawFrameControl(dc, &rr, DFC_SCROLL, (rolled_ ? DFCS_SCROLLDOWN : DFCS_SCROLLUP) | pushed);
  if (button_pressed_)
    DrawBevelFrame(dc, r, clBtnShadow, clBtnHighlight);
  else if (button_hot_)
    DrawBevelFrame(dc, r, clBtnHighlight, clBtnShadow);
  else
    DrawFrameRect(dc, r, clBtnFace);
  DrawFrameRect(dc, Shrink(r, 1), clBtnFace);
}

}  // namespace kiv
