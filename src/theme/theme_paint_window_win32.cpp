// The built-in theme's drawings with character: the text placement shared by
// every theme, the window frame and its buttons, the push button face, the
// scroll bar, the glyph marks and the list check.
#include <windows.h>

#include <array>
#include <vector>

#include "framework/colors.hpp"
#include "graphics/kiv_bitmap_win32.hpp"
#include "graphics/kiv_color.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "theme/kiv_theme.hpp"
#include "theme/text_placement.hpp"
#include "theme/theme_paint_win32.hpp"

#ifdef DrawText
#undef DrawText
#endif

namespace kiv {

namespace theme_paint {

TColor Shade(TColor color, int d) {
  return PixelToColor(AddGrey(ColorToPixel(color, 255), static_cast<int16_t>(d)));
}

TRect Inset(const TRect& r, int h, int v) {
  return TRect{r.Left + h, r.Top + v, r.Right - h, r.Bottom - v};
}

void FillAndFrame(TCanvas& canvas, const TRect& r, TColor fill, TColor outline) {
  FillRectColor(&canvas, r, fill);
  DrawFrameRect(&canvas, r, outline);
}

void DrawPictureCentered(TCanvas& canvas, const TkivBitmap* picture, const TRect& r) {
  if (picture == nullptr || picture->IsEmpty()) return;
  const TRect at = CenterRect(Bounds(0, 0, picture->Width(), picture->Height()), r);
  Draw(*picture, &canvas, at.Left, at.Top);
}

std::wstring WideText(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

}  // namespace theme_paint

using namespace theme_paint;

void TkivTheme::DrawText(TCanvas& canvas, const TkivTextInfo& info) {
  const std::wstring text = WideText(info.Text);
  const TkivTextPlan plan = PlanText(info, [&](const TRect& rect, uint32_t format) {
    TRect m = rect;
    DrawTextWide(&canvas, text, m, format);
    return m;
  });
  if (plan.Vertical) {
    DrawTextVertical(&canvas, text, plan.Rect, plan.Clockwise, plan.Format);
  } else {
    TRect r = plan.Rect;
    DrawTextWide(&canvas, text, r, plan.Format);
  }
}

// ---------------------------------------------------------------- window

void TkivTheme::PaintWindowFrame(uint8_t kind, TCanvas& canvas, const std::string&,
                                 const TkivWindowInfo& info) {
  const TRect c = WindowContentRect(kind, info.Rect, "default");
  TRect r = info.Rect;
  DrawFrameRect(&canvas, r, clBlack);
  r = Inset(r, 1, 1);
  const TColor edge = Colors()->GetColor(7);
  DrawBevelFrame(&canvas, r, Shade(edge, 100), Shade(edge, -100));
  r = Inset(r, 1, 1);
  const TColor band = Colors()->GetColor(2);
  FillRectColor(&canvas, r.Left, r.Top, r.Right, c.Top, band);
  FillRectColor(&canvas, r.Left, r.Top, c.Left, r.Bottom, band);
  FillRectColor(&canvas, r.Left, c.Bottom, r.Right, r.Bottom, band);
  FillRectColor(&canvas, c.Right, r.Top, r.Right, r.Bottom, band);
  FillRectColor(&canvas, c.Left, 3, c.Right, c.Top, Colors()->GetColor(info.Active ? 0 : 1));
}

void TkivTheme::PaintWindowClient(uint8_t, TCanvas& canvas, const std::string&, const TRect& info) {
  FillRectColor(&canvas, info, Colors()->GetColor(3));
}

void TkivTheme::PaintWindowCaption(uint8_t, TCanvas& canvas, const std::string&, const TRect& rect,
                                   const TkivWindowInfo& info) {
  canvas.Font()->Assign(Fonts()->FontByIndex(info.Active ? 0 : 1));
  DrawText(canvas, MakeTextInfo(rect, info.Caption, kDtCenter | kDtVCenter | kDtSingleLine));
}

void TkivTheme::PaintWindowButton(uint8_t, TCanvas& canvas, const std::string&,
                                  const TkivWindowButtonInfo& info) {
  const TRect& r = info.Rect;
  if (IsRectEmpty(r)) return;
  const bool pressed = info.State == kStatePressed;
  if (info.Button != kWindowButtonSysMenu) {
    const TColor face = Colors()->GetColor(info.State == kStateHot ? 8 : 7);
    FillRectColor(&canvas, r, face);
    if (pressed)
      DrawBevelFrame(&canvas, r, Shade(face, -100), Shade(face, 100));
    else
      DrawBevelFrame(&canvas, r, Shade(face, 100), Shade(face, -100));
  }
  // The caption glyphs of buttons 1 to 6.
  static constexpr std::array<UINT, 7> kCaptionGlyph = {0,
                                                        DFCS_CAPTIONCLOSE,
                                                        DFCS_CAPTIONHELP,
                                                        DFCS_CAPTIONMIN,
                                                        DFCS_CAPTIONRESTORE,
                                                        DFCS_CAPTIONMAX,
                                                        DFCS_CAPTIONRESTORE};
  switch (info.Button) {
    case kWindowButtonSysMenu:
      DrawPictureCentered(canvas, info.Bitmap, r);
      break;
    case kWindowButtonClose:
    case kWindowButtonHelp:
    case kWindowButtonMinimize:
    case kWindowButtonRestoreMin:
    case kWindowButtonMaximize:
    case kWindowButtonRestoreMax:
      DrawFrameGlyph(&canvas, r, DFC_CAPTION, clBlack,
                     kCaptionGlyph[info.Button] | (pressed ? DFCS_PUSHED : 0));
      break;
    case kWindowButtonRollUp:
    case kWindowButtonRollDown: {
      TRect m = Inset(r, 4, 5);
      if (pressed) m = TRect{m.Left - 1, m.Top - 1, m.Right - 1, m.Bottom - 1};
      const int mid = (m.Left + m.Right) / 2;
      const std::array<TPoint, 3> up = {TPoint{m.Left, m.Bottom}, TPoint{m.Right, m.Bottom},
                                        TPoint{mid, m.Top}};
      const std::array<TPoint, 3> down = {TPoint{m.Left, m.Top}, TPoint{m.Right, m.Top},
                                          TPoint{mid, m.Bottom}};
      FillPolygon(&canvas, info.Button == kWindowButtonRollUp ? up.data() : down.data(), 3,
                  clBlack);
      break;
    }
    case kWindowButtonTray: {
      const TRect m = Inset(r, 3, 3);
      const int shift = pressed ? 0 : 1;
      FillRectColor(&canvas, m.Right - 3 + shift, m.Bottom - 3 + shift, m.Right + shift,
                    m.Bottom + shift, clBlack);
      break;
    }
    default:
      break;
  }
}

void TkivTheme::PaintWindowGrip(uint8_t, TCanvas& canvas, const std::string&,
                                const TkivGripInfo& info) {
  FillRectColor(&canvas, info.Rect, Colors()->GetColor(2));
  if (!info.Sizeable) return;
  TRect g = Inset(info.Rect, 4, 4);
  g = TRect{g.Left + 3, g.Top + 3, g.Right + 3, g.Bottom + 3};
  const std::array<TPoint, 4> band = {TPoint{g.Right, g.Top - 4}, TPoint{g.Right, g.Top},
                                      TPoint{g.Left, g.Bottom}, TPoint{g.Left - 4, g.Bottom}};
  FillPolygon(&canvas, band.data(), 4, clGray);
  DrawPolygon(&canvas, band.data(), 4, clBlack);
  const std::array<TPoint, 3> corner = {TPoint{g.Right, g.Top + 3}, TPoint{g.Right, g.Bottom},
                                        TPoint{g.Left + 3, g.Bottom}};
  FillPolygon(&canvas, corner.data(), 3, clGray);
  DrawPolygon(&canvas, corner.data(), 3, clBlack);
}

// ---------------------------------------------------------------- push button

void TkivTheme::PaintButton(uint8_t, TCanvas& canvas, const std::string&,
                            const TkivStateInfo& info) {
  if (info.State == kStateDisabled) return;
  const TColor face = Colors()->GetColor(info.State == kStatePressed ? 9
                                         : info.State == kStateHot   ? 7
                                                                     : 10);
  DrawFrameRect(&canvas, info.Rect, clBlack);
  TRect r = Inset(info.Rect, 1, 1);
  switch (info.State) {
    case kStatePressed:
      DrawBevelFrame(&canvas, r, Shade(face, -30), Shade(face, 30));
      r = Inset(r, 1, 1);
      FillRectColor(&canvas, r, face);
      break;
    case kStateHot:
      MoveToPoint(&canvas, r.Left, r.Top);
      DrawLineTo(&canvas, r.Right - 1, r.Top, Shade(face, 30));
      MoveToPoint(&canvas, r.Left, r.Top);
      DrawLineTo(&canvas, r.Left, r.Bottom - 1, Shade(face, 30));
      r = Inset(r, 1, 1);
      FillRectColor(&canvas, r, face);
      break;
    case kStateFocused: {
      // The face, then dark lines along its bottom and right edge so that the
      // focused button is told apart from the normal one.
      FillRectColor(&canvas, r, face);
      const TColor dark = Shade(face, -30);
      MoveToPoint(&canvas, r.Left, r.Bottom - 1);
      DrawLineTo(&canvas, r.Right - 1, r.Bottom - 1, dark);
      DrawLineTo(&canvas, r.Right - 1, r.Top - 1, dark);
      break;
    }
    default:
      FillRectColor(&canvas, r, face);
      break;
  }
}

// ---------------------------------------------------------------- scroll bar

namespace {
TColor ScrollFill(uint8_t state) {
  switch (state) {
    case kStateHot:
      return clBlue;
    case kStatePressed:
      return clRed;
    case kStateDisabled:
      return clSilver;
    default:
      return clGray;
  }
}
}  // namespace

void TkivTheme::PaintScrollBarButton(uint8_t, TCanvas& canvas, const std::string&,
                                     const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, ScrollFill(info.State), clBlack);
  const TRect r = Inset(info.Rect, 5, 4);
  if (info.Part <= 3)
    DrawRoundRect(&canvas, r, 5, clNavy);
  else if (info.Part == 8 || info.Part == 9)
    DrawFrameRect(&canvas, r, clNavy);
}

void TkivTheme::PaintScrollBarTrack(uint8_t, TCanvas& canvas, const std::string&,
                                    const TkivPartInfo& info) {
  FillAndFrame(canvas, info.Rect, ScrollFill(info.State), clBlack);
}

void TkivTheme::PaintScrollBarFrame(uint8_t, TCanvas&, const std::string&, const TRect&) {}

// ---------------------------------------------------------------- glyph marks

namespace {
void PaintGlyphMark(TCanvas& canvas, const TkivGlyphInfo& glyph) {
  const TColor ink = canvas.Font()->Color();
  switch (glyph.Mode) {
    case kGlyphCheck: {
      const TRect s = CenterRect(Bounds(0, 0, 16, 16), glyph.Rect);
      const int cx = (s.Left + s.Right) / 2 - 2, cy = (s.Top + s.Bottom) / 2 + 1;
      static constexpr std::array<TPoint, 12> kOffsets = {
          TPoint{-2, -2}, TPoint{0, 0},   TPoint{4, -4},  TPoint{4, -3},
          TPoint{0, 1},   TPoint{-2, -1}, TPoint{-2, -2}, TPoint{-3, -2},
          TPoint{-3, -1}, TPoint{0, 2},   TPoint{5, -3},  TPoint{5, -5}};
      std::vector<TPoint> first, second;
      for (size_t i = 0; i < kOffsets.size(); ++i)
        (i < 7 ? first : second).push_back(TPoint{cx + kOffsets[i].X, cy + kOffsets[i].Y});
      canvas.Pen()->SetColor(ink);
      canvas.Polyline(first);
      canvas.Polyline(second);
      break;
    }
    case kGlyphRadio:
      FillRoundRect(&canvas, CenterRect(Bounds(0, 0, 6, 6), glyph.Rect), 3, clBlack);
      break;
    case kGlyphArrow:
      DrawFrameGlyph(&canvas, CenterRect(Bounds(0, 0, 16, 16), glyph.Rect), DFC_MENU, ink,
                     DFCS_MENUARROW);
      break;
    case kGlyphPicture:
      DrawPictureCentered(canvas, glyph.Bitmap, glyph.Rect);
      break;
    default:
      break;
  }
}
}  // namespace

void TkivTheme::PaintMenuItemGlyph(uint8_t, TCanvas& canvas, const std::string&,
                                   const TkivGlyphInfo& glyph, const TkivPartInfo&) {
  PaintGlyphMark(canvas, glyph);
}

void TkivTheme::PaintToolButtonGlyph(uint8_t, TCanvas& canvas, const std::string&,
                                     const TkivGlyphInfo& glyph, const TkivPartInfo&) {
  PaintGlyphMark(canvas, glyph);
}

// ---------------------------------------------------------------- list check

void TkivTheme::PaintListItemCheck(uint8_t, TCanvas& canvas, const std::string&,
                                   const TkivListCheckInfo& info) {
  if (info.Mode == 3) {
    DrawPictureCentered(canvas, info.Bitmap, info.Rect);
    return;
  }
  if (info.Mode > 3) return;
  const TRect s = CenterRect(Bounds(0, 0, 16, 16), info.Rect);
  FillAndFrame(canvas, s, clRed, clBlack);
  if (info.Mode == 0) FillRectColor(&canvas, Inset(s, 3, 3), clBlack);
  if (info.Mode == 2) FillRectColor(&canvas, Inset(s, 3, 3), clGray);
}

}  // namespace kiv
