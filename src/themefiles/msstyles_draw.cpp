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

// The device context classified once for all the pieces of one drawing (the
// platform calls that find out what a context is cost more than drawing a
// small piece).
struct TTarget {
  explicit TTarget(TkivDC dc) : dc(dc), t(ClassifyDrawTarget(dc)) {}
  void Draw(const TkivBitmap& image, TRect dst, TRect src) const {
    const TRect at{dst.Left - t.origin.X, dst.Top - t.origin.Y, dst.Right - t.origin.X,
                   dst.Bottom - t.origin.Y};
    switch (t.kind) {
      case TkivDrawTarget::kSurface:
        image.DrawTo(*t.surface, at, src);
        break;
      case TkivDrawTarget::kDirectDib:
        DrawSurfaceInto(image, t.dib, at, src, true);
        break;
      case TkivDrawTarget::kGdi:
        image.Draw(dc, dst, src);
        break;
      case TkivDrawTarget::kNone:
        break;
    }
  }
  TkivDC dc;
  TkivDrawTarget t;
};

// The nine pieces of frame f into r: corners 1:1, edges and centre stretched
// or tiled by the sizing type; only pieces that meet clip (all when empty).
void DrawNineParts(const TmsuxThemeObject& o, const TTarget& target, const TkivBitmap& image,
                   TRect f, TRect r, TRect clip) {
  const TmsuxMargins& m = o.SizingMargins;
  const int32_t sx[4] = {f.Left, f.Left + m.Left, f.Right - m.Right, f.Right};
  const int32_t sy[4] = {f.Top, f.Top + m.Top, f.Bottom - m.Bottom, f.Bottom};
  const int32_t dx[4] = {r.Left, r.Left + m.Left, r.Right - m.Right, r.Right};
  const int32_t dy[4] = {r.Top, r.Top + m.Top, r.Bottom - m.Bottom, r.Bottom};
  const bool stretch_centre =
      o.SizingType == kSizeStretch || o.SizingType == kSizeBorderTileClientStretch;
  const bool stretch_edges =
      o.SizingType == kSizeStretch || o.SizingType == kSizeBorderStretchClientTile;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const TRect src{sx[col], sy[row], sx[col + 1], sy[row + 1]};
      const TRect dst{dx[col], dy[row], dx[col + 1], dy[row + 1]};
      if (src.IsEmpty() || dst.IsEmpty()) continue;
      if (!clip.IsEmpty() && !Meets(dst, clip)) continue;
      const bool corner = row != 1 && col != 1;
      const bool centre = row == 1 && col == 1;
      if (corner || (centre ? stretch_centre : stretch_edges)) {
        target.Draw(image, dst, src);  // corners are the same size: copied 1:1
      } else {
        image.TileClipped(target.dc, dst, src, clip);
      }
    }
  }
}

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
  const TTarget target(dc);
  if (SizingType == kSizeTrueSize) {
    target.Draw(image, CenterRect(TRect{0, 0, f.Width(), f.Height()}, r), f);
    return;
  }
  if (SizingType == kSizeTileVertical || SizingType == kSizeTileHorizontal) return;
  const TmsuxMargins& m = SizingMargins;
  if (f.Width() < int64_t{m.Left} + m.Right || f.Height() < int64_t{m.Top} + m.Bottom) return;
  if (!clip.IsEmpty()) {
    DrawNineParts(*this, target, image, f, r, clip);
    return;
  }
  // The pieces are copied into a surface of the rectangle's size once (they
  // do not overlap, so copying keeps their alpha and key pixels), and that
  // surface is drawn with the image's own flags.
  TRendering& cached = rendering_;
  if (cached.surface == nullptr || cached.image != &image || cached.frame != f ||
      cached.width != r.Width() || cached.height != r.Height()) {
    if (cached.surface == nullptr) cached.surface = std::make_unique<TkivBitmap>();
    cached.surface->SetSize(r.Width(), r.Height());
    cached.surface->Fill(0);
    const bool transparent = image.Transparent(), alpha = image.AlphaBlend();
    TkivBitmap& source = const_cast<TkivBitmap&>(image);
    source.SetTransparent(false);
    source.SetAlphaBlend(false);
    DrawNineParts(*this, TTarget(cached.surface->DC()), image, f,
                  TRect{0, 0, r.Width(), r.Height()}, {});
    source.SetTransparent(transparent);
    source.SetAlphaBlend(alpha);
    cached.image = &image;
    cached.frame = f;
    cached.width = r.Width();
    cached.height = r.Height();
  }
  cached.surface->SetTransparent(image.Transparent());
  cached.surface->SetAlphaBlend(image.AlphaBlend());
  target.Draw(*cached.surface, r, cached.surface->BoundsRect());
}

void TmsuxThemeObject::DrawGlyph(TkivDC dc, TkivBitmap& image, TRect rect, int32_t index,
                                 bool keyed) const {
  TFlagsScope flags(image, keyed);
  const TRect f = FrameRect(image, index);
  if (f.IsEmpty()) return;
  TTarget(dc).Draw(image, CenterRect(TRect{0, 0, f.Width(), f.Height()}, rect), f);
}

}  // namespace kiv
