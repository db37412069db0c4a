// TmsuxThemeObject::Draw: a section's look painted into a rectangle for one
// image number (frame).
#include <algorithm>

#include "graphics/kiv_utils.hpp"
#include "themefiles/msstyles_object.hpp"
#include "themefiles/msstyles_paint.hpp"

namespace kiv {

namespace {

bool Usable(const TkivBitmap* b) {
  return b != nullptr && !b->IsEmpty();
}

bool Meets(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Draws the image with or without its own transparency, its flags as they
// were afterwards.
class TFlagsScope {
 public:
  TFlagsScope(const TkivBitmap& image, bool own_transparency)
      : image_(const_cast<TkivBitmap&>(image)),
        transparent_(image.Transparent()),
        alpha_(image.AlphaBlend()) {
    if (!own_transparency) {
      image_.SetTransparent(false);
      image_.SetAlphaBlend(false);
    }
  }
  ~TFlagsScope() {
    image_.SetTransparent(transparent_);
    image_.SetAlphaBlend(alpha_);
  }
  TFlagsScope(const TFlagsScope&) = delete;
  TFlagsScope& operator=(const TFlagsScope&) = delete;

 private:
  TkivBitmap& image_;
  bool transparent_, alpha_;
};

}  // namespace

TRect TmsuxThemeObject::FrameRect(const TkivBitmap& surface, int32_t image) const {
  TRect frame = surface.BoundsRect();
  if (ImageCount <= 0 || image < 1) return frame;
  // A number past the last frame draws the last one, never beyond the image.
  const int32_t k = std::min(image, ImageCount);
  if (ImageLayout == kLayoutHorizontal) {
    const int32_t w = surface.Width() / ImageCount;
    frame.Left = (k - 1) * w;
    frame.Right = k * w;
  } else {
    const int32_t h = surface.Height() / ImageCount;
    frame.Top = (k - 1) * h;
    frame.Bottom = k * h;
  }
  return frame;
}

TkivBitmap* TmsuxThemeObject::ChooseSizeVariant(TRect rect) const {
  TkivBitmap* chosen = Usable(SizeImages[0]) ? SizeImages[0] : nullptr;
  const int64_t room = int64_t{rect.Width()} - ContentMargins.Left - ContentMargins.Right;
  for (size_t k = 1; k < SizeImages.size(); ++k)
    if (Usable(SizeImages[k]) && SizeImages[k]->Width() < room) chosen = SizeImages[k];
  return chosen;
}

void TmsuxThemeObject::Draw(TkivDC dc, TRect rect, int32_t image, TRect clip) const {
  switch (BgType) {
    case kBgNone:
      return;
    case kBgBorderFill:
      // The border size comes from the file: stop once nothing is left.
      for (int32_t n = 0; n < BorderSize && !rect.IsEmpty(); ++n) {
        StyleFrameRect(dc, rect, BorderColor);
        rect = TRect{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
      }
      StyleFillRect(dc, rect, FillColor);
      break;
    case kBgImageFile: {
      const TkivBitmap* source = Image;
      if (ImageSelectType == kSelectDpi && GlyphType != 1) {
        if (TkivBitmap* variant = ChooseSizeVariant(rect)) source = variant;
      }
      if (Usable(source)) DrawImage(dc, *source, rect, image, clip);
      break;
    }
    default:
      StyleFillRect(dc, rect, FillColor);
      break;
  }
  if (GlyphType == 1) {
    if (Usable(GlyphImage)) DrawGlyph(dc, *GlyphImage, rect, image, GlyphTransparent);
    if (ImageSelectType == kSelectDpi || ImageSelectType == kSelectSize) {
      if (TkivBitmap* variant = ChooseSizeVariant(rect))
        DrawGlyph(dc, *variant, rect, image, GlyphTransparent);
    }
  }
}

void TmsuxThemeObject::DrawImage(TkivDC dc, const TkivBitmap& image, TRect r, int32_t index,
                                 TRect clip) const {
  TFlagsScope flags(image, Transparent);
  const TRect f = FrameRect(image, index);
  if (f.IsEmpty() || r.IsEmpty()) return;
  if (SizingType == kSizeTrueSize) {
    image.Draw(dc, CenterRect(TRect{0, 0, f.Width(), f.Height()}, r), f);
    return;
  }
  if (SizingType == kSizeTileVertical || SizingType == kSizeTileHorizontal) return;
  const TmsuxMargins& m = SizingMargins;
  if (f.Width() < int64_t{m.Left} + m.Right || f.Height() < int64_t{m.Top} + m.Bottom) return;
  const int32_t sx[4] = {f.Left, f.Left + m.Left, f.Right - m.Right, f.Right};
  const int32_t sy[4] = {f.Top, f.Top + m.Top, f.Bottom - m.Bottom, f.Bottom};
  const int32_t dx[4] = {r.Left, r.Left + m.Left, r.Right - m.Right, r.Right};
  const int32_t dy[4] = {r.Top, r.Top + m.Top, r.Bottom - m.Bottom, r.Bottom};
  const bool stretch_centre =
      SizingType == kSizeStretch || SizingType == kSizeBorderTileClientStretch;
  const bool stretch_edges =
      SizingType == kSizeStretch || SizingType == kSizeBorderStretchClientTile;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const TRect src{sx[col], sy[row], sx[col + 1], sy[row + 1]};
      const TRect dst{dx[col], dy[row], dx[col + 1], dy[row + 1]};
      if (src.IsEmpty() || dst.IsEmpty()) continue;
      if (!clip.IsEmpty() && !Meets(dst, clip)) continue;
      const bool corner = row != 1 && col != 1;
      const bool centre = row == 1 && col == 1;
      if (corner) {
        image.Draw(dc, dst, src);  // same size: copied 1:1
      } else if (centre ? stretch_centre : stretch_edges) {
        image.Draw(dc, dst, src);
      } else {
        image.TileClipped(dc, dst, src, clip);
      }
    }
  }
}

void TmsuxThemeObject::DrawGlyph(TkivDC dc, TkivBitmap& image, TRect rect, int32_t index,
                                 bool keyed) const {
  TFlagsScope flags(image, keyed);
  const TRect f = FrameRect(image, index);
  if (f.IsEmpty()) return;
  image.Draw(dc, CenterRect(TRect{0, 0, f.Width(), f.Height()}, rect), f);
}

}  // namespace kiv
