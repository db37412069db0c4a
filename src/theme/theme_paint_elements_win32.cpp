// The built-in theme's plain drawings: fixed-colour fills and outlines for the
// controls' bodies and parts, text through DrawText, pictures as they are.
#include <windows.h>

#include "framework/colors.hpp"
#include "graphics/kiv_bitmap_win32.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "theme/kiv_theme.hpp"
#include "theme/theme_paint_win32.hpp"

#ifdef DrawText
#undef DrawText
#endif

namespace kiv {

using namespace theme_paint;

namespace {

// At the picture's own size, its top-left at r's.
void DrawPictureAt(TCanvas& canvas, const TkivBitmap* picture, const TRect& r) {
  if (picture != nullptr && !picture->IsEmpty()) Draw(*picture, &canvas, r.Left, r.Top);
}

// Stretched into r.
void DrawPictureInto(TCanvas& canvas, const TkivBitmap* picture, const TRect& r) {
  if (picture != nullptr && !picture->IsEmpty()) Draw(*picture, &canvas, r);
}

// The item looks of lists and trees by state: 0 white, 1 yellow, 2 navy,
// 3 blue, 4 silver; a blue outline always.
void PaintItem(TCanvas& canvas, const TRect& r, uint8_t state) {
  static constexpr TColor kFill[] = {clWhite, clYellow, clNavy, clBlue, clSilver};
  if (state < 5) FillRectColor(&canvas, r, kFill[state]);
  DrawFrameRect(&canvas, r, clBlue);
}

}  // namespace

// Every text of an element is the shared text placement; the element's own
// record plays no part.
#define KIV_SKIP(...)
#define KIV_TEXT_AS_DRAWTEXT(family, name, Record)                                             \
  void TkivTheme::name(uint8_t, TCanvas& canvas, const std::string&, const TkivTextInfo& text, \
                       const Record&) {                                                        \
    DrawText(canvas, text);                                                                    \
  }
KIV_THEME_OPERATIONS(KIV_SKIP, KIV_SKIP, KIV_SKIP, KIV_SKIP, KIV_SKIP, KIV_SKIP,
                     KIV_TEXT_AS_DRAWTEXT, KIV_SKIP)
#undef KIV_SKIP
#undef KIV_TEXT_AS_DRAWTEXT

// ---------------------------------------------------------------- hint, container

void TkivTheme::PaintHint(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clYellow, clRed);
}

void TkivTheme::PaintContainer(uint8_t kind, TCanvas& canvas, const std::string&,
                               const TRect& info) {
  if (kind == 0) {
    FillRectColor(&canvas, info, clSilver);
    DrawBevelFrame(&canvas, info, clBtnHighlight, clBtnShadow);
  } else if (kind == 1) {
    FillAndFrame(canvas, info, clSilver, clBlack);
    DrawBevelFrame(&canvas, Inset(info, 1, 1), clBtnShadow, clBtnHighlight);
  }
}

void TkivTheme::PaintContainerPart(uint8_t, TCanvas&, const std::string&, const TkivPartInfo&) {}

// ---------------------------------------------------------------- buttons, checks

void TkivTheme::PaintButtonGlyph(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivGlyphInfo& glyph, const TkivStateInfo&) {
  DrawPictureAt(canvas, glyph.Bitmap, glyph.Rect);
}

void TkivTheme::PaintCheck(uint8_t, TCanvas&, const std::string&, const TkivStateInfo&) {}

void TkivTheme::PaintSplitter(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clYellow, clRed);
}

// ---------------------------------------------------------------- bars

void TkivTheme::PaintProgressBar(uint8_t, TCanvas&, const std::string&, const TkivPartInfo&) {}

void TkivTheme::PaintTrackBar(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clBlue, clRed);
}

void TkivTheme::PaintTrackBarTrack(uint8_t, TCanvas&, const std::string&, const TkivPartInfo&) {}

void TkivTheme::PaintTrackBarThumb(uint8_t, TCanvas& canvas, const std::string&,
                                   const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, clYellow, clBlue);
}

// ---------------------------------------------------------------- header, status bar

void TkivTheme::PaintHeader(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clWhite, clBlack);
}

void TkivTheme::PaintHeaderSection(uint8_t, TCanvas& canvas, const std::string&,
                                   const TkivPartInfo& info) {
  static constexpr TColor kFill[] = {clSilver, clGray, clGreen, clBlue, clYellow, clRed, clGray};
  if (info.State < 7) FillRectColor(&canvas, info.Rect, kFill[info.State]);
  DrawFrameRect(&canvas, info.Rect, clBlack);
}

void TkivTheme::PaintHeaderGlyph(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivGlyphInfo& glyph, const TkivPartInfo&) {
  DrawPictureInto(canvas, glyph.Bitmap, glyph.Rect);
}

void TkivTheme::PaintStatusBar(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clSilver, clBlack);
}

void TkivTheme::PaintStatusPanel(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivStateInfo& info) {
  FillAndFrame(canvas, info.Rect, clGray, clBlack);
}

void TkivTheme::PaintStatusGlyph(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivGlyphInfo& glyph, const TkivStateInfo&) {
  DrawPictureInto(canvas, glyph.Bitmap, glyph.Rect);
}

// ---------------------------------------------------------------- edits, group box

void TkivTheme::PaintEdit(uint8_t, TCanvas& canvas, const std::string&, const TkivStateInfo& info) {
  FillAndFrame(canvas, info.Rect, clBlue, clRed);
}

void TkivTheme::PaintEditButton(uint8_t, TCanvas& canvas, const std::string&,
                                const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, clGreen, clYellow);
}

void TkivTheme::PaintGroupBox(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivStateInfo& info) {
  HDC dc = canvas.Handle();
  const int saved = SaveDC(dc);
  TRect r = Inset(info.Rect, 5, 5);
  r.Top += 4;
  DrawFrameRect(&canvas, r, clBlack);
  RestoreDC(dc, saved);
}

void TkivTheme::PaintMemo(uint8_t, TCanvas& canvas, const std::string&, const TkivStateInfo& info) {
  FillAndFrame(canvas, info.Rect, clBlue, clRed);
}

void TkivTheme::PaintTextArea(uint8_t, TCanvas&, const std::string&, const TkivStateInfo&) {}

// ---------------------------------------------------------------- menus, bars

void TkivTheme::PaintMenu(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clWhite, clRed);
}

void TkivTheme::PaintMenuItem(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivPartInfo& info) {
  if (info.Part == 0) {
    const TColor fill = info.State == kStateDisabled  ? clWhite
                        : info.State == kStatePressed ? clGray
                        : info.State == kStateHot     ? clYellow
                                                      : clSilver;
    FillAndFrame(canvas, info.Rect, fill, clRed);
  } else if (info.Part == 1) {
    FillRectColor(&canvas, Inset(info.Rect, 3, info.Rect.Height() / 2), clRed);
  }
}

void TkivTheme::PaintControlBar(uint8_t, TCanvas&, const std::string&, const TRect&) {}

void TkivTheme::PaintToolBar(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clGreen, clBlue);
}

void TkivTheme::PaintToolButton(uint8_t, TCanvas&, const std::string&, const TkivPartInfo&) {}

void TkivTheme::PaintScrollBox(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clYellow, clRed);
}

// ---------------------------------------------------------------- panels, tabs

void TkivTheme::PaintPanel(uint8_t, TCanvas&, const std::string&, const TRect&) {}

void TkivTheme::PaintPanelCaption(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clGreen, clBlack);
}

void TkivTheme::PaintPanelButton(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, clRed, clBlue);
}

void TkivTheme::PaintPanelBorder(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, clGreen, clYellow);
}

void TkivTheme::PaintTabsBody(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clSilver, clYellow);
}

void TkivTheme::PaintTab(uint8_t, TCanvas& canvas, const std::string&, const TkivPartInfo& info) {
  DrawFrameRect(&canvas, info.Rect, clBlue);
}

void TkivTheme::PaintTabScrollButton(uint8_t, TCanvas& canvas, const std::string&,
                                     const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, clYellow, clRed);
}

void TkivTheme::PaintTabGlyph(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivGlyphInfo& glyph, const TkivPartInfo&) {
  DrawPictureAt(canvas, glyph.Bitmap, glyph.Rect);
}

// ---------------------------------------------------------------- lists, trees, grids

void TkivTheme::PaintListBox(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, Colors()->GetColor(18), clRed);
}

void TkivTheme::PaintListBoxBorder(uint8_t, TCanvas&, const std::string&, const TRect&) {}

void TkivTheme::PaintListItem(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivStateInfo& info) {
  PaintItem(canvas, info.Rect, info.State);
}

void TkivTheme::PaintTree(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, Colors()->GetColor(19), clRed);
}

void TkivTheme::PaintTreeItem(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivStateInfo& info) {
  PaintItem(canvas, info.Rect, info.State);
}

void TkivTheme::PaintTreeItemGlyph(uint8_t, TCanvas&, const std::string&, const TkivGlyphInfo&,
                                   const TkivStateInfo&) {}

void TkivTheme::PaintGrid(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, clWhite, clRed);
}

void TkivTheme::PaintGridCell(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivPartInfo& info) {
  if (info.State == 1) {
    DrawFrameRect(&canvas, info.Rect, clGray);
    return;
  }
  PaintItem(canvas, info.Rect, info.Part);
}

void TkivTheme::PaintGridCellGlyph(uint8_t, TCanvas&, const std::string&, const TkivGlyphInfo&,
                                   const TkivPartInfo&) {}

}  // namespace kiv
