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
  static constexpr TColor kFill[] = {kWhite, kYellow, kNavy, kBlue, kSilver};
  if (state < 5) FillRectColor(&canvas, r, kFill[state]);
  DrawFrameRect(&canvas, r, kBlue);
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
  FillAndFrame(canvas, info, kYellow, kRed);
}

void TkivTheme::PaintContainer(uint8_t kind, TCanvas& canvas, const std::string&,
                               const TRect& info) {
  if (kind == 0) {
    FillRectColor(&canvas, info, kSilver);
    DrawBevelFrame(&canvas, info, clBtnHighlight, clBtnShadow);
  } else if (kind == 1) {
    FillAndFrame(canvas, info, kSilver, kBlack);
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
  FillAndFrame(canvas, info, kYellow, kRed);
}

// ---------------------------------------------------------------- bars

void TkivTheme::PaintProgressBar(uint8_t, TCanvas&, const std::string&, const TkivPartInfo&) {}

void TkivTheme::PaintTrackBar(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, kBlue, kRed);
}

void TkivTheme::PaintTrackBarTrack(uint8_t, TCanvas&, const std::string&, const TkivPartInfo&) {}

void TkivTheme::PaintTrackBarThumb(uint8_t, TCanvas& canvas, const std::string&,
                                   const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, kYellow, kBlue);
}

// ---------------------------------------------------------------- header, status bar

void TkivTheme::PaintHeader(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, kWhite, kBlack);
}

void TkivTheme::PaintHeaderSection(uint8_t, TCanvas& canvas, const std::string&,
                                   const TkivPartInfo& info) {
  static constexpr TColor kFill[] = {kSilver, kGrey, kGreen, kBlue, kYellow, kRed, kGrey};
  if (info.State < 7) FillRectColor(&canvas, info.Rect, kFill[info.State]);
  DrawFrameRect(&canvas, info.Rect, kBlack);
}

void TkivTheme::PaintHeaderGlyph(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivGlyphInfo& glyph, const TkivPartInfo&) {
  DrawPictureInto(canvas, glyph.Bitmap, glyph.Rect);
}

void TkivTheme::PaintStatusBar(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, kSilver, kBlack);
}

void TkivTheme::PaintStatusPanel(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivStateInfo& info) {
  FillAndFrame(canvas, info.Rect, kGrey, kBlack);
}

void TkivTheme::PaintStatusGlyph(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivGlyphInfo& glyph, const TkivStateInfo&) {
  DrawPictureInto(canvas, glyph.Bitmap, glyph.Rect);
}

// ---------------------------------------------------------------- edits, group box

void TkivTheme::PaintEdit(uint8_t, TCanvas& canvas, const std::string&, const TkivStateInfo& info) {
  FillAndFrame(canvas, info.Rect, kBlue, kRed);
}

void TkivTheme::PaintEditButton(uint8_t, TCanvas& canvas, const std::string&,
                                const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, kGreen, kYellow);
}

void TkivTheme::PaintGroupBox(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivStateInfo& info) {
  HDC dc = canvas.Handle();
  const int saved = SaveDC(dc);
  TRect r = Inset(info.Rect, 5, 5);
  r.Top += 4;
  DrawFrameRect(&canvas, r, kBlack);
  RestoreDC(dc, saved);
}

void TkivTheme::PaintMemo(uint8_t, TCanvas& canvas, const std::string&, const TkivStateInfo& info) {
  FillAndFrame(canvas, info.Rect, kBlue, kRed);
}

void TkivTheme::PaintTextArea(uint8_t, TCanvas&, const std::string&, const TkivStateInfo&) {}

// ---------------------------------------------------------------- menus, bars

void TkivTheme::PaintMenu(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, kWhite, kRed);
}

void TkivTheme::PaintMenuItem(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivPartInfo& info) {
  if (info.Part == 0) {
    const TColor fill = info.State == kStateDisabled  ? kWhite
                        : info.State == kStatePressed ? kGrey
                        : info.State == kStateHot     ? kYellow
                                                      : kSilver;
    FillAndFrame(canvas, info.Rect, fill, kRed);
  } else if (info.Part == 1) {
    FillRectColor(&canvas, Inset(info.Rect, 3, info.Rect.Height() / 2), kRed);
  }
}

void TkivTheme::PaintControlBar(uint8_t, TCanvas&, const std::string&, const TRect&) {}

void TkivTheme::PaintToolBar(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, kGreen, kBlue);
}

void TkivTheme::PaintToolButton(uint8_t, TCanvas&, const std::string&, const TkivPartInfo&) {}

void TkivTheme::PaintScrollBox(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, kYellow, kRed);
}

// ---------------------------------------------------------------- panels, tabs

void TkivTheme::PaintPanel(uint8_t, TCanvas&, const std::string&, const TRect&) {}

void TkivTheme::PaintPanelCaption(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, kGreen, kBlack);
}

void TkivTheme::PaintPanelButton(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, kRed, kBlue);
}

void TkivTheme::PaintPanelBorder(uint8_t, TCanvas& canvas, const std::string&,
                                 const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, kGreen, kYellow);
}

void TkivTheme::PaintTabsBody(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, kSilver, kYellow);
}

void TkivTheme::PaintTab(uint8_t, TCanvas& canvas, const std::string&, const TkivPartInfo& info) {
  DrawFrameRect(&canvas, info.Rect, kBlue);
}

void TkivTheme::PaintTabScrollButton(uint8_t, TCanvas& canvas, const std::string&,
                                     const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, kYellow, kRed);
}

void TkivTheme::PaintTabGlyph(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivGlyphInfo& glyph, const TkivPartInfo&) {
  DrawPictureAt(canvas, glyph.Bitmap, glyph.Rect);
}

// ---------------------------------------------------------------- lists, trees, grids

void TkivTheme::PaintListBox(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, Colors()->GetColor(18), kRed);
}

void TkivTheme::PaintListBoxBorder(uint8_t, TCanvas&, const std::string&, const TRect&) {}

void TkivTheme::PaintListItem(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivStateInfo& info) {
  PaintItem(canvas, info.Rect, info.State);
}

void TkivTheme::PaintTree(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, Colors()->GetColor(19), kRed);
}

void TkivTheme::PaintTreeItem(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivStateInfo& info) {
  PaintItem(canvas, info.Rect, info.State);
}

void TkivTheme::PaintTreeItemGlyph(uint8_t, TCanvas&, const std::string&, const TkivGlyphInfo&,
                                   const TkivStateInfo&) {}

void TkivTheme::PaintGrid(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillAndFrame(canvas, info, kWhite, kRed);
}

void TkivTheme::PaintGridCell(uint8_t, TCanvas& canvas, const std::string&,
                              const TkivPartInfo& info) {
  if (info.State == 1) {
    DrawFrameRect(&canvas, info.Rect, kGrey);
    return;
  }
  PaintItem(canvas, info.Rect, info.Part);
}

void TkivTheme::PaintGridCellGlyph(uint8_t, TCanvas&, const std::string&, const TkivGlyphInfo&,
                                   const TkivPartInfo&) {}

}  // namespace kiv
