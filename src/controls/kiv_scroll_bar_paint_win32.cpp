// TKivScrollBar's painting: buttons, track and thumb drawn by the theme, by
// the platform's visual styles, or in the classic 3-D look.
#include <vssym32.h>

#include "controls/kiv_scroll_bar_win32.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"
#include "theme/theme_records.hpp"

namespace kiv {

namespace {

// A theme's state code for a scroll-bar button or thumb. The scroll bar's
// own order, which the file themes' pictures follow: 1 pressed (a held
// button, a dragged thumb), 2 hot, 3 disabled; not the control states'.
uint8_t ThemeStateOf(bool enabled, bool pressed, bool hot) {
  if (!enabled) return 3;
  if (pressed) return 1;
  if (hot) return 2;
  return 0;
}

// The visual styles' state offset of a part: normal, hot, pressed, disabled.
int StyleStateOffset(bool enabled, bool pressed, bool hot) {
  if (!enabled) return 3;
  if (pressed) return 2;
  if (hot) return 1;
  return 0;
}

RECT ToRECT(const TRect& r) {
  return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

// The "ScrollBar" visual-styles data, opened once and kept until the
// platform's visual styles change (opening costs more than drawing a bar).
// IsThemePartDefined is looked up beside the other theme functions: a
// style may lack a part, and drawing an undefined part leaves the pixels
// below untouched.
struct TStyleData {
  HTHEME theme = nullptr;
  bool opened = false;
  using TIsThemePartDefined = BOOL(WINAPI*)(HTHEME, int, int);
  TIsThemePartDefined is_part_defined = nullptr;
};

TStyleData& StyleData() {
  static TStyleData data;
  if (!data.opened && Platform().OpenThemeData) {
    data.opened = true;
    data.theme = Platform().OpenThemeData(nullptr, L"ScrollBar");
    if (HMODULE ux = GetModuleHandleW(L"uxtheme.dll"))
      data.is_part_defined = reinterpret_cast<TStyleData::TIsThemePartDefined>(
          reinterpret_cast<void*>(GetProcAddress(ux, "IsThemePartDefined")));
  }
  return data;
}

void CloseStyleData() {
  TStyleData& data = StyleData();
  if (data.theme && Platform().CloseThemeData) Platform().CloseThemeData(data.theme);
  data.theme = nullptr;
  data.opened = false;
}

}  // namespace

void TKivScrollBar::ForgetStyleData() {
  CloseStyleData();
}

bool TKivScrollBar::DrawStylePart(int part, int state, const TRect& r) {
  TStyleData& data = StyleData();
  if (!data.theme || !Platform().DrawThemeBackground) return false;
  if (data.is_part_defined && !data.is_part_defined(data.theme, part, 0)) return false;
  const RECT rr = ToRECT(r);
  return SUCCEEDED(
      Platform().DrawThemeBackground(data.theme, Canvas()->Handle(), part, state, &rr, nullptr));
}

bool TKivScrollBar::ThumbVisible() {
  const bool active = Enabled() || ComponentState().Contains(csDesigning);
  const TRect t = GetThumbRect();
  return active && t.Width() > 0 && t.Height() > 0;
}

void TKivScrollBar::PaintControl() {
  const bool theme_mode = ThemeMode();
  // A paint that asks for part of the bar (a drag repaints the track) draws
  // only the parts it touches; the rest of the buffer still shows them.
  const TRect& clip = PaintClip();
  auto touches = [&clip](const TRect& r) {
    return r.Left < clip.Right && clip.Left < r.Right && r.Top < clip.Bottom && clip.Top < r.Bottom;
  };
  if (theme_mode && ThemeOf(nullptr)->ScrollBarIsTransparent(0, theme_object_))
    PaintParentBackground(this, Canvas()->Handle());
  else if (!theme_mode)
    FillRectColor(Canvas(), clip, Color());
  const int b = border_width_;
  const TRect inside{b, b, Width() - b, Height() - b};
  if (!(clip.Left >= inside.Left && clip.Top >= inside.Top && clip.Right <= inside.Right &&
        clip.Bottom <= inside.Bottom))
    DrawBorder();
  if (touches(GetTrackRect())) DrawTrack();
  if (show_buttons_) {
    if (touches(GetFirstButtonRect())) DrawFirstButton();
    if (touches(GetSecondButtonRect())) DrawSecondButton();
  }
  if (theme_mode) DrawThemedTrack();
  if (ThumbVisible()) DrawThumb();
}

void TKivScrollBar::DrawBorder() {
  if (ThemeMode() || border_width_ <= 0) return;
  DrawBevelFrame(Canvas()->Handle(), TRect{0, 0, Width(), Height()}, clBtnShadow, clBtnHighlight);
}

void TKivScrollBar::DrawTrack() {
  if (ThemeMode()) return;
  const TRect r = GetTrackRect();
  if (r.Width() <= 0 || r.Height() <= 0) return;
  if (VisualStylesActive() &&
      DrawStylePart(orientation_ == qsoVertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ, 1, r))
    return;
  DrawClassicTrack(r);
}

void TKivScrollBar::DrawThemedTrack() {
  const uint8_t part = orientation_ == qsoVertical ? 0 : 1;
  ThemeOf(nullptr)->PaintScrollBarTrack(0, *Canvas(), theme_object_,
                                        TkivPartInfo{GetTrackRect(), part, 0});
}

void TKivScrollBar::DrawFirstButton() {
  const TRect r = GetFirstButtonRect();
  const bool pressed = pressed_.FirstButton && hot_.FirstButton;
  const bool vertical = orientation_ == qsoVertical;
  if (ThemeMode()) {
    ThemeOf(nullptr)->PaintScrollBarButton(
        0, *Canvas(), theme_object_,
        TkivPartInfo{r, uint8_t(vertical ? 0 : 4),
                     ThemeStateOf(Enabled(), pressed, hot_.FirstButton)});
    return;
  }
  if (VisualStylesActive()) {
    const int base = vertical ? ABS_UPNORMAL : ABS_LEFTNORMAL;
    if (DrawStylePart(SBP_ARROWBTN, base + StyleStateOffset(Enabled(), pressed, hot_.FirstButton),
                      r))
      return;
  }
  DrawClassicButton(true, r, pressed);
}

void TKivScrollBar::DrawSecondButton() {
  const TRect r = GetSecondButtonRect();
  const bool pressed = pressed_.SecondButton && hot_.SecondButton;
  const bool vertical = orientation_ == qsoVertical;
  if (ThemeMode()) {
    ThemeOf(nullptr)->PaintScrollBarButton(
        0, *Canvas(), theme_object_,
        TkivPartInfo{r, uint8_t(vertical ? 1 : 5),
                     ThemeStateOf(Enabled(), pressed, hot_.SecondButton)});
    return;
  }
  if (VisualStylesActive()) {
    const int base = vertical ? ABS_DOWNNORMAL : ABS_RIGHTNORMAL;
    if (DrawStylePart(SBP_ARROWBTN, base + StyleStateOffset(Enabled(), pressed, hot_.SecondButton),
                      r))
      return;
  }
  DrawClassicButton(false, r, pressed);
}

void TKivScrollBar::DrawThumb() {
  const TRect r = GetThumbRect();
  const bool vertical = orientation_ == qsoVertical;
  if (ThemeMode()) {
    ThemeOf(nullptr)->PaintScrollBarButton(
        0, *Canvas(), theme_object_,
        TkivPartInfo{r, uint8_t(vertical ? 9 : 8),
                     ThemeStateOf(Enabled(), Dragging(), hot_.Thumb)});
    return;
  }
  if (VisualStylesActive() &&
      DrawStylePart(vertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ,
                    SCRBS_NORMAL + StyleStateOffset(Enabled(), Dragging(), hot_.Thumb), r))
    return;
  DrawClassicThumb(r);
}

void TKivScrollBar::DrawClassicButton(bool first, const TRect& r, bool pressed) {
  UINT state = orientation_ == qsoVertical ? (first ? DFCS_SCROLLUP : DFCS_SCROLLDOWN)
                                           : (first ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
  if (pressed) state |= DFCS_PUSHED | DFCS_FLAT;
  if (!Enabled() && !ComponentState().Contains(csDesigning)) state |= DFCS_INACTIVE;
  RECT rr = ToRECT(r);
  DrawFrameControl(Canvas()->Handle(), &rr, DFC_SCROLL, state);
}

namespace {

// The classic track's two-colour checker as a pattern brush, made once per
// pair of colours (a drag repaints the track at every step, and making an
// 8 x 8 pattern and its brush each time costs more than the fill).
HBRUSH CheckerBrush(TColor a, TColor b) {
  static HBRUSH brush = nullptr;
  static COLORREF made_a = 0, made_b = 0;
  const COLORREF ra = static_cast<COLORREF>(ColorToRGB(a)),
                 rb = static_cast<COLORREF>(ColorToRGB(b));
  if (brush && ra == made_a && rb == made_b) return brush;
  struct {
    BITMAPINFOHEADER header;
    uint32_t pixels[8 * 8];
  } dib{};
  dib.header.biSize = sizeof dib.header;
  dib.header.biWidth = 8;
  dib.header.biHeight = -8;
  dib.header.biPlanes = 1;
  dib.header.biBitCount = 32;
  dib.header.biCompression = BI_RGB;
  auto pixel = [](COLORREF c) {
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
  };
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) dib.pixels[y * 8 + x] = pixel((x % 2) == (y % 2) ? rb : ra);
  if (brush) DeleteObject(brush);
  brush = CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
  made_a = ra;
  made_b = rb;
  return brush;
}

}  // namespace

void TKivScrollBar::DrawClassicTrack(const TRect& r) {
  HBRUSH brush = CheckerBrush(clScrollBar, clBtnHighlight);
  if (!brush) {
    FillChecker(Canvas()->Handle(), r, clScrollBar, clBtnHighlight);
    return;
  }
  RECT rr = ToRECT(r);
  ::FillRect(Canvas()->Handle(), &rr, brush);
}

void TKivScrollBar::DrawClassicThumb(const TRect& r) {
  HDC dc = Canvas()->Handle();
  FillRectColor(dc, r, clBtnFace);
  if (Dragging()) {
    DrawFrameRect(dc, r, clBtnShadow);
    return;
  }
  DrawBevelFrame(dc, TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, clBtnHighlight,
                 clBtnShadow);
  DrawBevelFrame(dc, r, cl3DLight, cl3DDkShadow);
}

}  // namespace kiv
