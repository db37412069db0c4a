// TKivStatusBar's painting: background, panels with their text and image,
// and the size grip, in the theme's, the visual styles' or the classic look;
// and the measuring that places text and image inside a panel.
#include <algorithm>

#include "controls/kiv_status_bar_win32.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_image_list_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

namespace {

// Parts of the platform's "Status" class: the bar, a pane, the pane under
// the grip (the last one), the grip. Every part is drawn in state 0.
constexpr int kStatusBarPart = 0;
constexpr int kStatusPanePart = 1;
constexpr int kStatusGripperPanePart = 2;
constexpr int kStatusGripperPart = 3;
// The theme's status-text fonts.
constexpr int kStatusTextFont = 49;
constexpr int kStatusTextDisabledFont = 50;

TRect Offset(const TRect& r, int dx, int dy) {
  return TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

TRect Intersect(const TRect& a, const TRect& b) {
  return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
               std::min(a.Bottom, b.Bottom)};
}

void DrawPart(HANDLE theme, HDC dc, int part, const TRect& rect) {
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  Platform().DrawThemeBackground(static_cast<HTHEME>(theme), dc, part, 0, &r, nullptr);
}

UINT AlignmentFlag(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify:
      return DT_RIGHT;
    case taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

}  // namespace

HANDLE TKivStatusBar::StatusTheme() {
  return VisualStylesActive() ? ThemeData(L"Status") : nullptr;
}

// ---- measuring ----

bool TKivStatusBar::HasImage(TKivStatusPanel* panel) {
  return panel->ShowImage() && images_ && panel->ImageIndex() >= 0 &&
         panel->ImageIndex() < images_->Count();
}

TSize TKivStatusBar::GetImageSize(TKivStatusPanel* panel) {
  if (images_ && panel->ImageIndex() >= 0 && panel->ImageIndex() < images_->Count())
    return TSize{images_->Width(), images_->Height()};
  return TSize{};
}

TKivStatusContent TKivStatusBar::Content(TKivStatusPanel* panel) {
  const TRect box = GetPanelContentRect(panel);
  TKivStatusContent c;
  c.Box = TSize{box.Width(), box.Height()};
  c.Image = GetImageSize(panel);
  c.HasImage = HasImage(panel);
  c.Margin = panel->Margin();
  c.Spacing = panel->Spacing();
  c.Centered = panel->Alignment() == taCenter;
  c.Layout = panel->Layout();
  c.Text = GetTextSize(panel);
  return c;
}

// Measured in the bar's font, and no wider than the panel leaves for text.
TSize TKivStatusBar::GetTextSize(TKivStatusPanel* panel) {
  if (panel->Text().empty()) return TSize{};
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  const std::wstring text(panel->Text().begin(), panel->Text().end());
  TKivStatusContent c;
  c.Image = GetImageSize(panel);
  c.HasImage = HasImage(panel);
  c.Margin = panel->Margin();
  c.Spacing = panel->Spacing();
  const int space = std::max(StatusTextSpace(panel->EffectiveWidth(), c), 0);
  return TSize{std::min(TextWidthWide(canvas, text, 0), space), TextHeightWide(canvas, L"Pq")};
}

TRect TKivStatusBar::GetContentRect(TKivStatusPanel* panel) {
  return StatusImageRect(Content(panel));
}

TRect TKivStatusBar::GetTextRect(TKivStatusPanel* panel) {
  return StatusTextRect(Content(panel));
}

// ---- painting ----

// The frame is drawn only in the classic look (and under a theme when the
// platform draws no visual styles).
void TKivStatusBar::PaintFrame() {
  if (StatusTheme()) return;
  TKivControl::PaintFrame();
}

void TKivStatusBar::PaintClient() {
  DrawBackground();
  for (int i = 0; i < panels_->Count(); ++i) DrawPanelByIndex(i);
  if (SizeGripShown()) DrawSizeGrip();
}

void TKivStatusBar::DrawBackground() {
  const TRect all{0, 0, PaintWidth(), PaintHeight()};
  if (ThemeMode()) {
    CurrentTheme()->PaintStatusBar(0, *Canvas(), theme_object_, all);
  } else if (HANDLE theme = StatusTheme()) {
    DrawPart(theme, Canvas()->Handle(), kStatusBarPart, all);
  } else {
    TKivControl::PaintClient();
  }
}

void TKivStatusBar::DrawPanelByIndex(int index) {
  const TRect r = GetPanelRect(index);
  if (r.IsEmpty()) return;
  DrawPanel(panels_->Items(index), r, index == panels_->Count() - 1);
}

void TKivStatusBar::DrawPanel(TKivStatusPanel* panel, const TRect& r, bool last) {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  if (ThemeMode()) {
    CurrentTheme()->PaintStatusPanel(0, *canvas, theme_object_,
                                     MakeStateInfo(r, last ? kStatePressed : kStateNormal));
  } else if (HANDLE theme = StatusTheme()) {
    // The pane over the bar's own background, cut to the panel.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    DrawPart(theme, dc, kStatusBarPart, TRect{0, 0, PaintWidth(), PaintHeight()});
    DrawPart(theme, dc, last ? kStatusGripperPanePart : kStatusPanePart, r);
    RestoreDC(dc, saved);
  } else {
    FillRectColor(canvas, r, Color());
    if (panel->Framed()) DrawBevelFrame(canvas, r, clBtnShadow, clBtnHighlight);
  }
  if (panel->Style() == psOwnerDraw) {
    DrawPanelEvent(panel, r);
    return;
  }
  DrawPanelText(panel, r);
  if (panel->ShowImage()) DrawPanelImage(panel, r);
}

// The text, cut to the panel, shortened with "..." to its rectangle's width
// less 4.
void TKivStatusBar::DrawPanelText(TKivStatusPanel* panel, const TRect& r) {
  if (panel->Text().empty()) return;
  TRect t = Intersect(Offset(GetTextRect(panel), r.Left, r.Top), r);
  if (t.IsEmpty()) return;
  TCanvas* canvas = Canvas();
  const bool theme_mode = ThemeMode();
  canvas->Font()->Assign(
      theme_mode ? CurrentTheme()->Fonts()->ObjectFont(
                       Enabled() ? kStatusTextFont : kStatusTextDisabledFont, theme_object_)
                 : PaintFont());
  canvas->TextExtent(std::wstring());  // selects the font for the measuring below
  const std::wstring text(panel->Text().begin(), panel->Text().end());
  const std::wstring shown = EllipsisText(canvas->Handle(), text, t.Width() - 4);
  const UINT flag = AlignmentFlag(panel->Alignment());
  if (theme_mode) {
    CurrentTheme()->PaintStatusText(
        0, *canvas, theme_object_,
        MakeTextInfo(t, std::u16string(shown.begin(), shown.end()), flag),
        MakeStateInfo(t, kStateNormal));
    return;
  }
  canvas->Brush()->SetStyle(bsClear);
  DrawTextWide(canvas, shown, t, flag);
}

void TKivStatusBar::DrawPanelImage(TKivStatusPanel* panel, const TRect& r) {
  if (!HasImage(panel)) return;
  const TRect g = Offset(GetContentRect(panel), r.Left, r.Top);
  if (ThemeMode()) {
    CurrentTheme()->PaintStatusGlyph(0, *Canvas(), theme_object_,
                                     MakeGlyphInfo(g, images_, panel->ImageIndex(), true, 4),
                                     MakeStateInfo(g, kStateNormal));
    return;
  }
  images_->Draw(Canvas(), g.Left, g.Top, panel->ImageIndex(), true);
}

void TKivStatusBar::DrawSizeGrip() {
  const TRect g = GetSizeGripRect();
  TCanvas* canvas = Canvas();
  if (ThemeMode()) {
    CurrentTheme()->PaintStatusPanel(0, *canvas, theme_object_, MakeStateInfo(g, kStateDisabled));
  } else if (HANDLE theme = StatusTheme()) {
    DrawPart(theme, canvas->Handle(), kStatusGripperPart, g);
  } else {
    RECT r{g.Left + 1, g.Top + 1, g.Right - 1, g.Bottom - 1};
    canvas->Brush()->SetStyle(bsClear);
    DrawFrameControl(canvas->Handle(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  }
}

}  // namespace kiv
