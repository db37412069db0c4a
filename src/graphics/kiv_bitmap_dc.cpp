// Drawing a surface onto a device context. The destination is classified once
// per call: another surface's DC (pixels copied directly), a 32-bit bottom-up
// DIB selected in a memory DC (pixels written directly, maps rounded), or any
// other DC (GDI).
#include <algorithm>

#include "graphics/kiv_bitmap.hpp"

namespace kiv {

namespace {

TRect Offset(TRect r, int32_t dx, int32_t dy) {
  return TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

void DrawClassified(const TkivBitmap& self, const TkivDrawTarget& t, TkivDC dc, TRect dst,
                    TRect src) {
  switch (t.kind) {
    case TkivDrawTarget::kSurface:
      self.DrawTo(*t.surface, Offset(dst, -t.origin.X, -t.origin.Y), src);
      break;
    case TkivDrawTarget::kDirectDib:
      DrawSurfaceInto(self, t.dib, Offset(dst, -t.origin.X, -t.origin.Y), src, true);
      break;
    case TkivDrawTarget::kGdi:
      DrawThroughGdi(self, dc, dst, src);
      break;
    case TkivDrawTarget::kNone:
      break;
  }
}

bool Meets(const TRect& a, const TRect& b) {
  return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) &&
         std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

}  // namespace

void TkivBitmap::Draw(TkivDC dc, int32_t x, int32_t y) const {
  Draw(dc, x, y, BoundsRect());
}

void TkivBitmap::Draw(TkivDC dc, int32_t x, int32_t y, TRect src) const {
  Draw(dc, TRect{x, y, x + src.Width(), y + src.Height()}, src);
}

void TkivBitmap::Draw(TkivDC dc, TRect dst, TRect src) const {
  DrawClassified(*this, ClassifyDrawTarget(dc), dc, dst, src);
}

// Tiles are laid column by column from dst's top-left corner, each cut to dst;
// a cut tile shows the top-left part of src. With a non-empty clip, only the
// pieces that meet it are drawn (whole, through Draw). Pieces that cannot
// reach the destination's visible area draw nothing and are skipped, so a
// huge dst with a tiny tile costs only what is visible.
static void TileImpl(const TkivBitmap& self, TkivDC dc, TRect dst, TRect src, const TRect* clip) {
  const int64_t tw = int64_t{src.Right} - src.Left, th = int64_t{src.Bottom} - src.Top;
  if (tw <= 0 || th <= 0 || dst.IsEmpty()) return;
  const TkivDrawTarget target = ClassifyDrawTarget(dc);
  if (target.kind == TkivDrawTarget::kNone) return;
  const TRect& v = target.visible;
  auto first = [](int64_t start, int64_t size, int64_t from) {
    return from <= start ? start : start + (from - start) / size * size;
  };
  const int64_t x0 = first(dst.Left, tw, v.Left), y0 = first(dst.Top, th, v.Top);
  const int64_t x1 = std::min<int64_t>(dst.Right, v.Right);
  const int64_t y1 = std::min<int64_t>(dst.Bottom, v.Bottom);
  for (int64_t x = x0; x < x1; x += tw) {
    const int32_t w = static_cast<int32_t>(std::min<int64_t>(tw, dst.Right - x));
    for (int64_t y = y0; y < y1; y += th) {
      const int32_t h = static_cast<int32_t>(std::min<int64_t>(th, dst.Bottom - y));
      const TRect piece{static_cast<int32_t>(x), static_cast<int32_t>(y),
                        static_cast<int32_t>(x) + w, static_cast<int32_t>(y) + h};
      const TRect part{src.Left, src.Top, src.Left + w, src.Top + h};
      if (clip != nullptr) {
        if (Meets(piece, *clip)) self.Draw(dc, piece, part);
      } else {
        DrawClassified(self, target, dc, piece, part);
      }
    }
  }
}

void TkivBitmap::Tile(TkivDC dc, TRect dst, TRect src) const {
  TileImpl(*this, dc, dst, src, nullptr);
}

void TkivBitmap::TileClipped(TkivDC dc, TRect dst, TRect src, TRect clip) const {
  TileImpl(*this, dc, dst, src, clip.IsEmpty() ? nullptr : &clip);
}

}  // namespace kiv
