// TKivButton's painting: background, face, caption and glyph in the theme's,
// the visual styles' or the classic look, and the layout they share.
#include <algorithm>
#include <cmath>

#include "controls/kiv_button_win32.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_win32.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

namespace {

// Lightness of a colour, 0..1: the mean of its largest and smallest channel.
double Lightness(uint32_t rgb) {
  const int r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
  return (std::max({r, g, b}) + std::min({r, g, b})) / 510.0;
}

uint32_t Grey(int level) {
  level = std::clamp(level, 0, 255);
  return uint32_t(level) << 16 | uint32_t(level) << 8 | uint32_t(level);
}

// Ties to even, the rounding of the default floating-point mode.
int RoundEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

std::u16string U16(const std::wstring& s) {
  return std::u16string(s.begin(), s.end());
}

}  // namespace

TkivTheme* TKivButton::ServingTheme() {
  return ThemeOf(ThemeLink());
}

bool TKivButton::ThemeMode() {
  return ThemeSupportsButton(0, theme_object_, theme_link_);
}

uint8_t TKivButton::ThemeState(bool with_default) const {
  if (!Enabled()) return kStateDisabled;
  if (pressed_) return kStatePressed;
  if (Hot()) return kStateHot;
  if (HasFocus()) return kStateFocused;
  if (with_default && active_default_) return kStateDefault;
  return kStateNormal;
}

TFont* TKivButton::ThemeFont() {
  const int index = !Enabled() ? 14 : pressed_ ? 11 : Hot() ? 12 : HasFocus() ? 13 : 10;
  return ServingTheme()->Fonts()->ObjectFont(index, theme_object_);
}

void TKivButton::RefreshGlyphImage() {
  glyph_image_->SetSize(0, 0);
  if (!glyph_->Empty()) {
    glyph_image_->Assign(*glyph_);
    return;
  }
  TImageList* list = nullptr;
  int index = -1;
  if (images_ && image_index_ >= 0 && image_index_ < images_->Count()) {
    list = images_;
    index = image_index_;
  } else if (TAction* action = Action(); action && action->ActionList() &&
                                         action->ActionList()->Images() &&
                                         action->ImageIndex() >= 0) {
    list = action->ActionList()->Images();
    index = action->ImageIndex();
  }
  if (!list || index >= list->Count()) return;
  glyph_image_->SetPixelFormat(pf32bit);
  glyph_image_->SetSize(list->Width(), list->Height());
  TCanvas* c = glyph_image_->Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect{0, 0, list->Width(), list->Height()});
  list->Draw(c, 0, 0, index, true);
  glyph_image_->Modified();
}

TSize TKivButton::CellSize() const {
  if (glyph_image_->Empty()) return {};
  return TSize{glyph_image_->Width() / num_glyphs_, glyph_image_->Height()};
}

TKivButtonLayoutInput TKivButton::LayoutInput(bool measure_text) {
  RefreshGlyphImage();
  TKivButtonLayoutInput in;
  in.Cell = CellSize();
  in.HasGlyph = !glyph_image_->Empty();
  in.Layout = layout_;
  in.Spacing = spacing_;
  in.Alignment = alignment_ == taLeftJustify    ? kAlignLeft
                 : alignment_ == taRightJustify ? kAlignRight
                                                : kAlignCenter;
  in.Width = Width();
  in.Height = Height();
  in.PaintWidth = PaintWidth();
  in.PaintHeight = PaintHeight();
  in.Pressed = pressed_;
  if (!measure_text) return in;
  if (word_wrap_) {
    in.Text = WordWrapArea(Width(), Height(), spacing_, in.Cell);
  } else {
    // The caption as stored: a "&" counts in the width.
    TFont measured;
    measured.Assign(ThemeMode() ? ThemeFont() : PaintFont());
    font_options_->ApplyTo(measured);
    TCanvas* canvas = Canvas();
    TFont kept;
    kept.Assign(canvas->Font());
    canvas->Font()->Assign(&measured);
    in.Text = canvas->TextExtent(Caption());
    canvas->Font()->Assign(&kept);
  }
  return in;
}

TRect TKivButton::GetContentRect() {
  return ButtonContentRect(LayoutInput(true));
}

TRect TKivButton::GetTextRect() {
  return ButtonTextRect(LayoutInput(true));
}

TRect TKivButton::GetGlyphRect() {
  return ButtonGlyphRect(LayoutInput(true));
}

void TKivButton::PaintClient() {
  const bool theme_mode = ThemeMode();
  if (theme_mode) {
    if (ServingTheme()->ButtonIsTransparent(0, theme_object_))
      PaintParentBackground(this, Canvas()->Handle());
  } else if (transparent_) {
    PaintParentBackground(this, Canvas()->Handle());
  } else {
    FillRectColor(Canvas(), GetInnerRect(), Color());
  }
  DrawFace();
  DrawCaption();
  DrawGlyph();
}

void TKivButton::DrawFace() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  TRect r = GetInnerRect();
  if (ThemeMode()) {
    ServingTheme()->PaintButton(
        0, *canvas, theme_object_,
        MakeStateInfo(TRect{0, 0, PaintWidth(), PaintHeight()}, ThemeState()));
    return;
  }
  if (VisualStylesActive()) {
    TkivPlatform& p = Platform();
    if (HTHEME theme = p.OpenThemeData(HandleAllocated() ? Handle() : nullptr, L"Button")) {
      const int state = !Enabled()                      ? 4
                        : pressed_                      ? 3
                        : Hot()                         ? 2
                        : HasFocus() || active_default_ ? 5
                                                        : 1;
      RECT rr{r.Left, r.Top, r.Right, r.Bottom};
      p.DrawThemeBackground(theme, dc, 1, state, &rr, nullptr);
      p.CloseThemeData(theme);
      return;
    }
  }
  auto shrink = [](TRect& x) { x = TRect{x.Left + 1, x.Top + 1, x.Right - 1, x.Bottom - 1}; };
  if (HasFocus() || active_default_) {
    DrawBevelFrame(dc, r, clBlack, clBlack);
    shrink(r);
  }
  FillRectColor(dc, r, Color());
  if (!pressed_) {
    DrawBevelFrame(dc, r, clBtnHighlight, clBlack);
    shrink(r);
    DrawBevelFrame(dc, r, Color(), clBtnShadow);
  } else {
    DrawBevelFrame(dc, r, clBtnShadow, clBtnShadow);
  }
  if (HasFocus()) {
    TRect f = GetInnerRect();
    f = TRect{f.Left + 4, f.Top + 4, f.Right - 4, f.Bottom - 4};
    RECT fr{f.Left, f.Top, f.Right, f.Bottom};
    SetTextColor(dc, 0);
    SetBkColor(dc, 0xFFFFFF);
    ::DrawFocusRect(dc, &fr);
  }
}

void TKivButton::DrawCaption() {
  const std::wstring caption = Caption();
  if (caption.empty()) return;
  TCanvas* canvas = Canvas();
  const bool theme_mode = ThemeMode();
  canvas->Font()->Assign(theme_mode ? ThemeFont() : PaintFont());
  font_options_->ApplyTo(*canvas->Font());
  const TKivButtonLayoutInput in = LayoutInput(true);
  const TRect text_rect = ButtonTextRect(in);
  const UINT wrap = word_wrap_ ? DT_WORDBREAK : 0;
  TRect t =
      word_wrap_ ? TRect{0, 0, text_rect.Width(), in.Text.cy} : TRect{0, 0, in.Text.cx, in.Text.cy};
  DrawTextWide(canvas, caption, t, DT_CALCRECT | wrap);
  if (theme_mode) {
    switch (alignment_) {
      case taLeftJustify: {
        const TRect content = ButtonContentRect(in);
        t = Bounds(content.Left, content.Top, t.Width(), t.Height());
        break;
      }
      case taRightJustify:
        t = Bounds(text_rect.Right - t.Width(),
                   text_rect.Top + (text_rect.Height() - t.Height()) / 2, t.Width(), t.Height());
        break;
      default:
        t = CenterRect(t, text_rect);
        break;
    }
    const UINT format = DT_CENTER | (word_wrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    ServingTheme()->PaintButtonText(0, *canvas, theme_object_,
                                    MakeTextInfo(t, U16(caption), format),
                                    MakeStateInfo(t, ThemeState(false)));
    return;
  }
  t = CenterRect(t, text_rect);
  const UINT format = DT_CENTER | wrap;
  if (!Enabled()) {
    TRect engraved = Bounds(t.Left + 1, t.Top + 1, t.Width(), t.Height());
    canvas->Font()->SetColor(clBtnHighlight);
    DrawTextWide(canvas, caption, engraved, format);
    canvas->Font()->SetColor(clBtnShadow);
  }
  DrawTextWide(canvas, caption, t, format);
}

void TKivButton::DrawGlyph() {
  const TKivButtonLayoutInput in = LayoutInput(false);
  if (!in.HasGlyph || in.Cell.cx <= 0 || in.Cell.cy <= 0) return;
  const TRect glyph_rect = ButtonGlyphRect(LayoutInput(true));
  const TRect g = CenterRect(TRect{0, 0, in.Cell.cx, in.Cell.cy}, glyph_rect);
  const int cell = GlyphCellFor(num_glyphs_, Enabled(), pressed_);

  TkivBitmap strip;
  kiv::Assign(strip, static_cast<const TGraphic*>(glyph_image_.get()));
  const uint32_t key = glyph_->Empty() ? 0xFF00FF  // clFuchsia as a pixel
                                       : strip.GetPixel(0, strip.Height() - 1) & 0xFFFFFF;
  TkivBitmap face;
  face.SetSize(in.Cell.cx, in.Cell.cy);
  face.Fill(KeyPixel);
  face.SetTransparent(true);
  const bool grey = black_and_white_ && !Hot();
  const bool dimmed = num_glyphs_ == 1 && !Enabled();
  for (int y = 0; y < in.Cell.cy; ++y)
    for (int x = 0; x < in.Cell.cx; ++x) {
      const int sx = cell * in.Cell.cx + x;
      if (sx >= strip.Width() || y >= strip.Height()) continue;
      uint32_t rgb = strip.GetPixel(sx, y) & 0xFFFFFF;
      if (rgb == key) continue;
      if (grey) rgb = Grey(RoundEven(Lightness(rgb) * 255));
      if (dimmed) rgb = Grey(RoundEven(Lightness(rgb) * 50) + 160);
      face.SetPixel(x, y, 0xFF000000 | rgb);
    }
  if (ThemeMode()) {
    ServingTheme()->PaintButtonGlyph(0, *Canvas(), theme_object_,
                                     MakeGlyphInfo(g, &face, 4, kGlyphPicture),
                                     MakeStateInfo(g, ThemeState()));
    return;
  }
  face.Draw(Canvas()->Handle(), g.Left, g.Top);
}

}  // namespace kiv
