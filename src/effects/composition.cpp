// Composing one frame of a transition: the one place that decides how the
// old picture reaches the frame, the mask kind and the bitmap animation.
// The displacement kind is in composition_cells.cpp, the manual kind in
// composition_manual.cpp.
#include "effects/composition.hpp"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "effects/composition_steps.hpp"
#include "framework/numeric.hpp"

namespace kiv {

using composition::CellCount;
using composition::HideKeyPixels;
using composition::PlainOfSize;
using composition::QuarterTurn;

namespace {

void GenerateMask(const TkivAnimationRec& rec, TkivMaskProc proc, const TkivFrameGrid& g,
                  uint8_t p) {
  BuildEffectMask(rec.Rotation(), proc, g, p);
}

}  // namespace

void BuildEffectMask(TkivRotation rot, TkivMaskProc proc, const TkivFrameGrid& g, uint8_t p) {
  const size_t n = CellCount(g);
  if (rot == qrNone) {
    std::memset(g.Mask, 0, n);
    proc(g.Mask, g.Cols, g.Rows, p);
    return;
  }
  std::memset(g.Mask2, 0, n);
  const int cols = g.Cols, rows = g.Rows;
  if (QuarterTurn(rot))
    proc(g.Mask2, rows, cols, p);
  else
    proc(g.Mask2, cols, rows, p);
  const uint8_t* m = g.Mask2;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < cols; ++x) {
      size_t src;
      switch (rot) {
        case qrRotate90:
          src = static_cast<size_t>(rows - 1 - y) + static_cast<size_t>(x) * rows;
          break;
        case qrRotate180:
          src = static_cast<size_t>(cols - 1 - x) + static_cast<size_t>(rows - 1 - y) * cols;
          break;
        default:
          src = static_cast<size_t>(y) + static_cast<size_t>(cols - 1 - x) * rows;
          break;
      }
      g.Mask[static_cast<size_t>(x) + static_cast<size_t>(y) * cols] = m[src];
    }
}

namespace {

// The widening of ApplyMaskAlpha; with `hide_keys`, key-coloured pixels get
// alpha 0 in the same pass.
void WidenMask(TkivBitmap& s, const uint8_t* mask, int cols, int rows, const TRect& r,
               bool hide_keys) {
  const TRect cut{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, s.Width()),
                  std::min(r.Bottom, s.Height())};
  if (cut.IsEmpty() || r.IsEmpty() || s.IsEmpty()) return;
  const int64_t rw = r.Width(), rh = r.Height();
  const int64_t sx = (int64_t{cols} * 65536) / rw, sy = (int64_t{rows} * 65536) / rh;
  auto start = [](int64_t offset, int cells, int64_t extent) {
    // MulDiv(offset * cells, 65535, extent), halves away from zero.
    const int64_t num = offset * cells * 65535;
    return (num + extent / 2) / extent;
  };
  const int64_t fx0 = start(cut.Left - r.Left, cols, rw);
  const int64_t fy0 = start(cut.Top - r.Top, rows, rh);
  const int w = cut.Width();
  std::vector<int> column(static_cast<size_t>(w));
  int64_t fx = fx0;
  for (int i = 0; i < w; ++i, fx += sx)
    column[i] = static_cast<int>(std::min<int64_t>(fx >> 16, cols - 1));
  int64_t fy = fy0;
  for (int y = cut.Top; y < cut.Bottom; ++y, fy += sy) {
    const uint8_t* mrow = mask + static_cast<size_t>(std::min<int64_t>(fy >> 16, rows - 1)) *
                                     static_cast<size_t>(cols);
    TkivPixel* px = s.ScanLine(y) + cut.Left;
    if (hide_keys) {
      for (int i = 0; i < w; ++i) {
        const TkivPixel c = px[i] & 0x00FFFFFFu;
        px[i] = c == KeyPixel ? c : c | (static_cast<TkivPixel>(mrow[column[i]]) << 24);
      }
    } else {
      for (int i = 0; i < w; ++i)
        px[i] = (px[i] & 0x00FFFFFFu) | (static_cast<TkivPixel>(mrow[column[i]]) << 24);
    }
  }
}

// The tile rectangles cover the surface (res * cols * tiles exceeds its
// width, likewise the height), so every pixel is reached by one tile.
void LayTiles(TkivBitmap& target, const TkivAnimationRec& rec, const TkivFrameGrid& g,
              bool hide_keys) {
  const int res = rec.Resolution(), tiles = rec.TileCount();
  const int tw = res * g.Cols, th = res * g.Rows;
  for (int ty = 0; ty < tiles; ++ty)
    for (int tx = 0; tx < tiles; ++tx)
      WidenMask(target, g.Mask, g.Cols, g.Rows, Bounds(tx * tw, ty * th, tw, th), hide_keys);
}

}  // namespace

int GridExtent(int extent, int resolution, int tile_count) {
  return extent / resolution / tile_count + 1;
}

void ApplyMaskAlpha(TkivBitmap& surface, const uint8_t* mask, int cols, int rows, const TRect& r) {
  WidenMask(surface, mask, cols, rows, r, false);
}

void LayMaskOverTarget(TkivBitmap& target, const TkivAnimationRec& rec, const TkivFrameGrid& grid) {
  LayTiles(target, rec, grid, false);
  HideKeyPixels(target);
}

void ComposeMaskFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                      TkivMaskProc proc, const TkivFrameGrid& grid, uint8_t progress) {
  GenerateMask(rec, proc, grid, progress);
  LayTiles(target, rec, grid, true);
  target.SetAlphaBlend(true);
  target.DrawTo(work, 0, 0);
}

namespace {

// Mask row y of the widened mask: the row of cells pixel row y takes. The
// tiles start at multiples of the tile size, so the fixed-point walk starts
// at 0 in each; every pixel column and row gets its cell.
int MaskRowOf(int y, int64_t tile_h, int64_t sy, int rows) {
  const int64_t off = y % tile_h;
  return static_cast<int>(std::min<int64_t>((off * sy) >> 16, rows - 1));
}

// Plans the widening of mask rows to pixel rows, again only when the
// geometry changed (a running animation keeps its plan).
void PlanMaskSpread(TkivMaskPlan& plan, int w, int cols, int64_t tile_w) {
  if (plan.Width == w && plan.Cols == cols && plan.TileWidth == tile_w) return;
  const int64_t sx = (int64_t{cols} * 65536) / tile_w;
  std::vector<int32_t> column(static_cast<size_t>(w));
  plan.Identity = true;
  for (int x = 0; x < w; ++x) {
    const int64_t off = x % tile_w;
    column[x] = static_cast<int32_t>(std::min<int64_t>((off * sx) >> 16, cols - 1));
    plan.Identity = plan.Identity && column[x] == x;
  }
  plan.Spread.Plan(plan.Identity ? std::vector<int32_t>{} : std::move(column));
  plan.AlphaRow.resize(static_cast<size_t>(w));
  plan.Width = w;
  plan.Cols = cols;
  plan.TileWidth = tile_w;
}

}  // namespace

void ComposeMaskFrameFrom(const TkivBitmap& source, TkivBitmap& work, TkivBitmap& target,
                          const TkivAnimationRec& rec, TkivMaskProc proc, const TkivFrameGrid& grid,
                          uint8_t progress, TkivFrameScratch& scratch, TkivFastPath fast) {
  target.SetAlphaBlend(true);
  const int w = work.Width(), h = work.Height();
  const bool stream =
      static_cast<int64_t>(w) * h * int64_t{sizeof(TkivPixel)} >= composition::kStreamingBytes;
  // A mask of one value everywhere ("Fade") gives every pixel that alpha,
  // whatever the grid, its rotation and its tiles: the rows are composed at
  // that one level, with no mask to widen or read.
  if (fast == fpUniformMask) {
    const uint8_t level = UniformMaskLevel(progress);
    // Pictures whose rows follow each other without a gap (as the surface's
    // own memory does) are one long row: one kernel call and one tail
    // instead of a call and a tail per row.
    const int64_t n = int64_t{w} * h;
    const auto gapless = [w, h](const TkivBitmap& b) {
      return h == 1 || b.ScanLine(1) == b.ScanLine(0) + w;
    };
    if (n <= std::numeric_limits<int>::max() && gapless(target) && gapless(source) &&
        gapless(work)) {
      ComposeLevelRow(target.ScanLine(0), level, source.ScanLine(0), work.ScanLine(0),
                      static_cast<int>(n), stream);
      return;
    }
    for (int y = 0; y < h; ++y)
      ComposeLevelRow(target.ScanLine(y), level, source.ScanLine(y), work.ScanLine(y), w, stream);
    return;
  }
  TkivMaskPlan& plan = scratch.Mask;
  GenerateMask(rec, proc, grid, progress);
  const int cols = grid.Cols, rows = grid.Rows;
  const int64_t tile_w = int64_t{rec.Resolution()} * cols,
                tile_h = int64_t{rec.Resolution()} * rows;
  const int64_t sy = (int64_t{rows} * 65536) / tile_h;
  PlanMaskSpread(plan, w, cols, tile_w);
  int widened = -1;
  for (int y = 0; y < h; ++y) {
    const int mask_row = MaskRowOf(y, tile_h, sy, rows);
    const uint8_t* mrow = grid.Mask + static_cast<size_t>(mask_row) * cols;
    const uint8_t* alpha = mrow;
    if (!plan.Identity) {
      if (mask_row != widened) {
        plan.Spread.Spread(mrow, cols, plan.AlphaRow.data());
        widened = mask_row;
      }
      alpha = plan.AlphaRow.data();
    }
    ComposeMaskRow(target.ScanLine(y), alpha, source.ScanLine(y), work.ScanLine(y), w, stream);
  }
}

void PrepareBitmapPattern(const TkivAnimationRec& rec, const TkivFrameGrid& g) {
  const size_t n = CellCount(g);
  std::memset(g.Mask, 0, n);
  const TkivBitmap& pic = *rec.Bitmap();
  const bool turned = QuarterTurn(rec.Rotation());
  const int pw = turned ? g.Rows : g.Cols, ph = turned ? g.Cols : g.Rows;
  if (!pic.IsEmpty()) {
    // Nearest-neighbour stretch of the pattern onto the grid.
    for (int y = 0; y < ph; ++y) {
      const int sy = static_cast<int>(static_cast<int64_t>(y) * pic.Height() / ph);
      for (int x = 0; x < pw; ++x) {
        const int sx = static_cast<int>(static_cast<int64_t>(x) * pic.Width() / pw);
        g.Mask[static_cast<size_t>(x) + static_cast<size_t>(y) * pw] =
            static_cast<uint8_t>(pic.GetPixel(sx, sy) & 0xFF);
      }
    }
  }
  std::memcpy(g.Mask2, g.Mask, n);
}

void ComposeBitmapFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                        const TkivFrameGrid& g, uint8_t progress) {
  const int cols = g.Cols, rows = g.Rows;
  const int lift = MulDiv(510, progress, 100) - 255;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < cols; ++x) {
      size_t k;
      switch (rec.Rotation()) {
        case qrRotate90:
          k = static_cast<size_t>(x) * rows + y;
          break;
        case qrRotate180:
          k = static_cast<size_t>(cols - 1 - x) + static_cast<size_t>(rows - 1 - y) * cols;
          break;
        case qrRotate270:
          k = static_cast<size_t>(rows - 1 - y) + static_cast<size_t>(x) * rows;
          break;
        default:
          k = static_cast<size_t>(y) * cols + x;
          break;
      }
      g.Mask[static_cast<size_t>(x) + static_cast<size_t>(y) * cols] =
          static_cast<uint8_t>(std::clamp(g.Mask2[k] + lift, 0, 255));
    }
  LayTiles(target, rec, g, true);
  target.SetAlphaBlend(true);
  target.DrawTo(work, 0, 0);
}

// ---- The one place for the old picture ----------------------------------------

bool ComposesFromOldPicture(const TkivProcItem* effect, const TkivBitmap& source,
                            const TkivBitmap& work, const TkivBitmap& target) {
  if (effect == nullptr || !PlainOfSize(source, work)) return false;
  const bool target_of_size = target.Width() == work.Width() && target.Height() == work.Height();
  switch (effect->Kind) {
    case pkFade:
      return target_of_size;
    case pkSlide:
      return true;
    case pkManual:
      return (effect->Fast == fpSlide || effect->Fast == fpPush) && !source.IsEmpty() &&
             target_of_size;
  }
  return false;
}

void ComposeEffectFrame(const TkivProcItem* effect, const TkivBitmap& source, TkivBitmap& work,
                        TkivBitmap& target, const TkivAnimationRec& rec, const TkivFrameGrid& grid,
                        uint8_t progress, TkivFrameScratch& scratch) {
  if (!ComposesFromOldPicture(effect, source, work, target)) {
    source.DrawTo(work, 0, 0);
    if (effect == nullptr) {
      ComposeBitmapFrame(work, target, rec, grid, progress);
      return;
    }
    switch (effect->Kind) {
      case pkFade:
        ComposeMaskFrame(work, target, rec, std::get<TkivMaskProc>(effect->Proc), grid, progress);
        return;
      case pkSlide:
        ComposeCellFrame(work, target, rec, std::get<TkivCellProc>(effect->Proc), grid, progress,
                         scratch, nullptr, effect->Fast);
        return;
      case pkManual:
        ComposeManualFrame(work, target, rec, std::get<TkivManualProc>(effect->Proc), progress);
        return;
    }
    return;
  }
  switch (effect->Kind) {
    case pkFade:
      ComposeMaskFrameFrom(source, work, target, rec, std::get<TkivMaskProc>(effect->Proc), grid,
                           progress, scratch, effect->Fast);
      return;
    case pkSlide:
      ComposeCellFrame(work, target, rec, std::get<TkivCellProc>(effect->Proc), grid, progress,
                       scratch, &source, effect->Fast);
      return;
    case pkManual:
      ComposeManualFrameFrom(source, work, target, rec, effect->Fast, progress,
                             scratch.TargetKeysHidden);
      // The first one-pass frame hid every key pixel of the target.
      scratch.TargetKeysHidden = true;
      return;
  }
}

}  // namespace kiv
