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

// The image list (or the action's) is asked again at every layout, since
// its images may change without telling the button; a glyph of its own only
// when it changed.
void TKivButton::RefreshGlyphImage() {
  const bool from_list = glyph_->Empty() && (images_ || Action());
  if (!glyph_dirty_ && !from_list) return;
  glyph_dirty_ = false;
  ++glyph_generation_;
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

TFont& TKivButton::CaptionFont() {
  caption_font_.Assign(ThemeMode() ? ThemeFont() : PaintFont());
  font_options_->ApplyTo(caption_font_);
  return caption_font_;
}

// Measures the caption with the caption font, which stays on the canvas.
TKivButtonLayoutInput TKivButton::LayoutInput(bool measure_text) {
  if (paint_layout_) return *paint_layout_;
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
    Canvas()->Font()->Assign(&CaptionFont());
    in.Text = Canvas()->TextExtent(Caption());
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
  // One layout for the whole paint.
  paint_layout_ = LayoutInput(true);
  try {
    DrawFace();
    DrawCaption();
    DrawGlyph();
  } catch (...) {
    paint_layout_.reset();
    throw;
  }
  paint_layout_.reset();
}

namespace {

// The visual-styles state of part 1 (push button) of class "Button".
enum TFaceState { kFaceNormal, kFaceHot, kFacePressed, kFaceDisabled, kFaceDefault };
constexpr int kPushButtonPart = 1;
constexpr int kPushButtonState[] = {1, 2, 3, 4, 5};

}  // namespace

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
    if (HANDLE theme = ThemeData(L"Button")) {
      const TFaceState face = !Enabled()                      ? kFaceDisabled
                              : pressed_                      ? kFacePressed
                              : Hot()                         ? kFaceHot
                              : HasFocus() || active_default_ ? kFaceDefault
                                                              : kFaceNormal;
      RECT rr{r.Left, r.Top, r.Right, r.Bottom};
      Platform().DrawThemeBackground(static_cast<HTHEME>(theme), dc, kPushButtonPart,
                                     kPushButtonState[face], &rr, nullptr);
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
  const TKivButtonLayoutInput in = LayoutInput(true);
  canvas->Font()->Assign(&CaptionFont());
  const TRect text_rect = ButtonTextRect(in);
  const UINT wrap = word_wrap_ ? DT_WORDBREAK : 0;
  TRect t =
      word_wrap_ ? TRect{0, 0, text_rect.Width(), in.Text.cy} : TRect{0, 0, in.Text.cx, in.Text.cy};
  DrawTextWide(canvas, caption, t, DT_CALCRECT | wrap);
  if (theme_mode) {
    switch (alignment_) {
      case taLeftJustify:
        // From the text rectangle's corner, not the content's: the content
        // includes the glyph, which the caption must not cover.
        t = Bounds(text_rect.Left, text_rect.Top, t.Width(), t.Height());
        break;
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

const TkivBitmap& TKivButton::GlyphFace(int cell, bool grey, bool dimmed) {
  const uint64_t key = uint64_t{glyph_generation_} << 8 | uint64_t(cell) << 2 | (grey ? 2u : 0u) |
                       (dimmed ? 1u : 0u);
  if (glyph_face_ && key == glyph_face_key_) return *glyph_face_;
  const TSize size = CellSize();
  TkivBitmap strip;
  kiv::Assign(strip, static_cast<const TGraphic*>(glyph_image_.get()));
  // The key colour: the strip's bottom-left pixel, or fuchsia for a picture
  // taken from an image list.
  const uint32_t key_colour =
      glyph_->Empty() ? 0xFF00FF : strip.GetPixel(0, strip.Height() - 1) & 0xFFFFFF;
  if (!glyph_face_) glyph_face_ = std::make_unique<TkivBitmap>();
  TkivBitmap& face = *glyph_face_;
  face.SetSize(size.cx, size.cy);
  face.Fill(KeyPixel);
  face.SetTransparent(true);
  for (int y = 0; y < size.cy && y < strip.Height(); ++y)
    for (int x = 0; x < size.cx; ++x) {
      const int sx = cell * size.cx + x;
      if (sx >= strip.Width()) break;
      uint32_t rgb = strip.GetPixel(sx, y) & 0xFFFFFF;
      if (rgb == key_colour) continue;
      if (grey) rgb = Grey(RoundEven(Lightness(rgb) * 255));
      if (dimmed) rgb = Grey(RoundEven(Lightness(rgb) * 50) + 160);
      face.SetPixel(x, y, 0xFF000000 | rgb);
    }
  glyph_face_key_ = key;
  return face;
}

void TKivButton::DrawGlyph() {
  const TKivButtonLayoutInput in = LayoutInput(true);
  if (!in.HasGlyph || in.Cell.cx <= 0 || in.Cell.cy <= 0) return;
  const TRect g = CenterRect(TRect{0, 0, in.Cell.cx, in.Cell.cy}, ButtonGlyphRect(in));
  const int cell = GlyphCellFor(num_glyphs_, Enabled(), pressed_);
  const TkivBitmap& face =
      GlyphFace(cell, black_and_white_ && !Hot(), num_glyphs_ == 1 && !Enabled());
  if (ThemeMode()) {
    ServingTheme()->PaintButtonGlyph(
        0, *Canvas(), theme_object_,
        MakeGlyphInfo(g, const_cast<TkivBitmap*>(&face), 4, kGlyphPicture),
        MakeStateInfo(g, ThemeState()));
    return;
  }
  face.Draw(Canvas()->Handle(), g.Left, g.Top);
}

}  // namespace kiv
