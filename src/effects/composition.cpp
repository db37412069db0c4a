#include "effects/composition.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/numeric.hpp"

namespace kiv {

namespace {

size_t CellCount(const TkivFrameGrid& g) {
  return static_cast<size_t>(g.Cols) * static_cast<size_t>(g.Rows);
}

bool QuarterTurn(TkivRotation r) { return r == qrRotate90 || r == qrRotate270; }

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
        case qrRotate90: src = static_cast<size_t>(rows - 1 - y) + static_cast<size_t>(x) * rows; break;
        case qrRotate180:
          src = static_cast<size_t>(cols - 1 - x) + static_cast<size_t>(rows - 1 - y) * cols;
          break;
        default: src = static_cast<size_t>(y) + static_cast<size_t>(cols - 1 - x) * rows; break;
      }
      g.Mask[static_cast<size_t>(x) + static_cast<size_t>(y) * cols] = m[src];
    }
}

namespace {

// The widening of ApplyMaskAlpha; with `hide_keys`, key-coloured pixels get
// alpha 0 in the same pass.
void WidenMask(TkivFrameSurface& s, const uint8_t* mask, int cols, int rows, const TRect& r,
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
  for (int i = 0; i < w; ++i, fx += sx) column[i] = static_cast<int>(std::min<int64_t>(fx >> 16, cols - 1));
  int64_t fy = fy0;
  for (int y = cut.Top; y < cut.Bottom; ++y, fy += sy) {
    const uint8_t* mrow =
        mask + static_cast<size_t>(std::min<int64_t>(fy >> 16, rows - 1)) * static_cast<size_t>(cols);
    TkivPixel* px = s.ScanLine(y) + cut.Left;
    if (hide_keys) {
      for (int i = 0; i < w; ++i) {
        const TkivPixel c = px[i] & 0x00FFFFFFu;
        px[i] = c == kKeyPixel ? c : c | (static_cast<TkivPixel>(mrow[column[i]]) << 24);
      }
    } else {
      for (int i = 0; i < w; ++i)
        px[i] = (px[i] & 0x00FFFFFFu) | (static_cast<TkivPixel>(mrow[column[i]]) << 24);
    }
  }
}

void HideKeyPixels(TkivFrameSurface& s) {
  if (s.IsEmpty()) return;
  TkivPixel* px = s.Bits();
  const size_t n = static_cast<size_t>(s.Width()) * s.Height();
  for (size_t i = 0; i < n; ++i)
    if ((px[i] & 0x00FFFFFFu) == kKeyPixel) px[i] = kKeyPixel;
}

// The tile rectangles cover the surface (res * cols * tiles exceeds its
// width, likewise the height), so every pixel is reached by one tile.
void LayTiles(TkivFrameSurface& target, const TkivAnimationRec& rec, const TkivFrameGrid& g,
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

void ApplyMaskAlpha(TkivFrameSurface& surface, const uint8_t* mask, int cols, int rows,
                    const TRect& r) {
  WidenMask(surface, mask, cols, rows, r, false);
}

void LayMaskOverTarget(TkivFrameSurface& target, const TkivAnimationRec& rec,
                       const TkivFrameGrid& grid) {
  LayTiles(target, rec, grid, false);
  HideKeyPixels(target);
}

void ComposeMaskFrame(TkivFrameSurface& work, TkivFrameSurface& target,
                      const TkivAnimationRec& rec, TkivMaskProc proc, const TkivFrameGrid& grid,
                      uint8_t progress) {
  GenerateMask(rec, proc, grid, progress);
  LayTiles(target, rec, grid, true);
  target.AlphaBlend = true;
  target.DrawTo(work, 0, 0);
}

void ComposeMaskFrameFrom(const TkivFrameSurface& source, TkivFrameSurface& work,
                          TkivFrameSurface& target, const TkivAnimationRec& rec, TkivMaskProc proc,
                          const TkivFrameGrid& grid, uint8_t progress) {
  if (source.AlphaBlend || source.Transparent || source.Width() != work.Width() ||
      source.Height() != work.Height()) {
    source.DrawTo(work, 0, 0);
    ComposeMaskFrame(work, target, rec, proc, grid, progress);
    return;
  }
  GenerateMask(rec, proc, grid, progress);
  LayTiles(target, rec, grid, true);
  target.AlphaBlend = true;
  const int w = work.Width(), h = work.Height();
  const int bw = std::min(w, target.Width()), bh = std::min(h, target.Height());
  for (int y = 0; y < h; ++y) {
    const TkivPixel* src = source.ScanLine(y);
    TkivPixel* dst = work.ScanLine(y);
    int done = 0;
    if (y < bh) {
      BlendPixelsOver(target.ScanLine(y), src, dst, bw);
      done = bw;
    }
    if (done < w) std::memcpy(dst + done, src + done, static_cast<size_t>(w - done) * sizeof(TkivPixel));
  }
}

void ComposeCellFrame(TkivFrameSurface& work, TkivFrameSurface& target,
                      const TkivAnimationRec& rec, TkivCellProc proc, const TkivFrameGrid& g,
                      uint8_t progress) {
  const int cols = g.Cols, rows = g.Rows;
  std::memset(static_cast<void*>(g.Cells), 0, CellCount(g) * sizeof(TkivCellRec));
  const TkivRotation rot = rec.Rotation();
  if (QuarterTurn(rot))
    proc(g.Cells, rows, cols, progress);
  else
    proc(g.Cells, cols, rows, progress);
  if (work.IsEmpty() || target.IsEmpty()) return;

  const int res = rec.Resolution(), tiles = rec.TileCount();
  const int tw = work.Width() / tiles + 1, th = work.Height() / tiles + 1;
  // Pixels are written where both surfaces have them.
  const int dest_w = std::min(work.Width(), target.Width());
  const int dest_h = std::min(work.Height(), target.Height());
  const int src_w = target.Width(), src_h = target.Height();

  // The record of cell (i, j) and the target cell it shows.
  auto cell = [&](int i, int j, int& su, int& sv) -> const TkivCellRec& {
    const TkivCellRec* c;
    switch (rot) {
      case qrRotate90:
        c = &g.Cells[static_cast<size_t>(cols - 1 - i) * rows + j];
        su = cols - 1 - c->SourceRow;
        sv = c->SourceCol;
        break;
      case qrRotate180:
        c = &g.Cells[static_cast<size_t>(cols - 1 - i) + static_cast<size_t>(rows - 1 - j) * cols];
        su = cols - 1 - c->SourceCol;
        sv = rows - 1 - c->SourceRow;
        break;
      case qrRotate270:
        c = &g.Cells[static_cast<size_t>(rows - 1 - j) + static_cast<size_t>(i) * rows];
        su = c->SourceRow;
        sv = rows - 1 - c->SourceCol;
        break;
      default:
        c = &g.Cells[static_cast<size_t>(i) + static_cast<size_t>(j) * cols];
        su = c->SourceCol;
        sv = c->SourceRow;
        break;
    }
    return *c;
  };

  // Key-coloured target pixels are transparent here as in the other kinds.
  // Neighbouring cells share their border row and column, and the later cell
  // (tile by tile, then column by column, then row by row) wins. Walking
  // destination rows and, within a row, the writers in that same order gives
  // every pixel the same last writer while touching memory row by row.
  for (int y = 0; y < dest_h; ++y) {
    for (int m = 0; m < tiles; ++m)
      for (int t = 0; t < tiles; ++t) {
        const int l = y - t * th;
        if (l < 0 || l > rows * res) continue;
        // Cell rows whose pixel rows (both ends included) contain l.
        int j_hi = std::min(l / res, rows - 1);
        int j_lo = (l % res == 0 && l / res - 1 >= 0) ? l / res - 1 : j_hi;
        if (l / res > rows - 1) j_lo = j_hi = rows - 1;
        TkivPixel* out = work.ScanLine(y);
        for (int i = 0; i < cols; ++i)
          for (int j = j_lo; j <= j_hi; ++j) {
            int su, sv;
            const TkivCellRec& c = cell(i, j, su, sv);
            if (c.Opacity == 0) continue;  // a cell left alone changes nothing
            const int sy = t * th + sv * res + (l - j * res);
            if (sy < 0 || sy >= src_h || sy < t * th || sy > (t + 1) * th) continue;
            // Pixel columns k = i*res .. (i+1)*res of this cell, clipped.
            const int base_x = m * tw;
            const int shift = (su - i) * res;  // source column = base_x + k + shift
            const int k0 = std::max(i * res, -shift);
            const int k1 = std::min({(i + 1) * res, dest_w - 1 - base_x,
                                     src_w - 1 - base_x - shift, tw - shift});
            if (k0 > k1) continue;
            const TkivPixel* in = target.ScanLine(sy);
            const int in_off = base_x + shift;
            TkivPixel* o = out + base_x;
            if (c.Opacity == 255) {
              for (int k = k0; k <= k1; ++k) {
                const TkivPixel v = in[in_off + k];
                if ((v >> 24) && (v & 0x00FFFFFFu) != kKeyPixel) o[k] = v;
              }
            } else {
              const TkivPixel a = static_cast<TkivPixel>(c.Opacity) << 24;
              for (int k = k0; k <= k1; ++k) {
                const TkivPixel v = in[in_off + k];
                if ((v >> 24) && (v & 0x00FFFFFFu) != kKeyPixel)
                  o[k] = BlendPixel((v & 0x00FFFFFFu) | a, o[k]);
              }
            }
          }
      }
  }
}

void ComposeManualFrame(TkivFrameSurface& work, TkivFrameSurface& target,
                        const TkivAnimationRec& rec, TkivManualProc proc, uint8_t progress) {
  HideKeyPixels(target);
  proc(work, target, rec, progress);
}

void PrepareBitmapPattern(const TkivAnimationRec& rec, const TkivFrameGrid& g) {
  const size_t n = CellCount(g);
  std::memset(g.Mask, 0, n);
  const TkivFrameSurface& pic = rec.Bitmap();
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

void ComposeBitmapFrame(TkivFrameSurface& work, TkivFrameSurface& target,
                        const TkivAnimationRec& rec, const TkivFrameGrid& g, uint8_t progress) {
  const int cols = g.Cols, rows = g.Rows;
  const int lift = MulDiv(510, progress, 100) - 255;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < cols; ++x) {
      size_t k;
      switch (rec.Rotation()) {
        case qrRotate90: k = static_cast<size_t>(x) * rows + y; break;
        case qrRotate180: k = static_cast<size_t>(cols - 1 - x) + static_cast<size_t>(rows - 1 - y) * cols; break;
        case qrRotate270: k = static_cast<size_t>(rows - 1 - y) + static_cast<size_t>(x) * rows; break;
        default: k = static_cast<size_t>(y) * cols + x; break;
      }
      g.Mask[static_cast<size_t>(x) + static_cast<size_t>(y) * cols] =
          static_cast<uint8_t>(std::clamp(g.Mask2[k] + lift, 0, 255));
    }
  LayTiles(target, rec, g, true);
  target.AlphaBlend = true;
  target.DrawTo(work, 0, 0);
}

// ---- Displacement effects ------------------------------------------------------

void InterlaceEffect(TkivCellRec* cells, int width, int height, uint8_t p) {
  if (p == 0) return;
  const int o = MulDiv(100 - p, width, 100);
  for (int j = 0; j < height; ++j)
    for (int i = 0; i < width; ++i) {
      TkivCellRec& c = cells[static_cast<size_t>(i) + static_cast<size_t>(j) * width];
      c.Opacity = 255;
      c.SourceRow = static_cast<int16_t>(j);
      c.SourceCol = static_cast<int16_t>(j % 2 == 1 ? i - o : i + o);
    }
}

void CornerEffect(TkivCellRec* cells, int width, int height, uint8_t p) {
  if (p == 0) return;
  const int c = MulDiv(width - 1, p, 100), d = MulDiv(height - 1, p, 100);
  for (int j = 0; j <= d && j < height; ++j)
    for (int i = 0; i <= c && i < width; ++i) {
      const int su = width - 1 - c + i, sv = height - 1 - d + j;
      if (su < 0 || su >= width || sv < 0 || sv >= height) continue;
      TkivCellRec& r = cells[static_cast<size_t>(i) + static_cast<size_t>(j) * width];
      r.Opacity = 255;
      r.SourceCol = static_cast<int16_t>(su);
      r.SourceRow = static_cast<int16_t>(sv);
    }
}

// ---- Manual effects ----------------------------------------------------------------

namespace {

// Moves the whole picture in s by (dx, dy), as drawing a copy of it there;
// uncovered pixels keep their values.
void ShiftSurface(TkivFrameSurface& s, int dx, int dy) {
  const int w = s.Width(), h = s.Height();
  if (s.IsEmpty() || (dx == 0 && dy == 0) || dx >= w || -dx >= w || dy >= h || -dy >= h) return;
  const int x0 = std::max(0, dx), n = w - std::abs(dx), from = std::max(0, -dx);
  auto move_row = [&](int y) {
    std::memmove(s.ScanLine(y) + x0, s.ScanLine(y - dy) + from, static_cast<size_t>(n) * sizeof(TkivPixel));
  };
  if (dy > 0)
    for (int y = h - 1; y >= dy; --y) move_row(y);
  else
    for (int y = 0; y < h + dy; ++y) move_row(y);
}

}  // namespace

void SlideEffect(TkivFrameSurface& work, TkivFrameSurface& target, const TkivAnimationRec& rec,
                 uint8_t p) {
  const int w = work.Width(), h = work.Height();
  const int ax = MulDiv(w, p, 100), ay = MulDiv(h, p, 100);
  target.AlphaBlend = true;
  switch (rec.Rotation()) {
    case qrRotate90: target.DrawTo(work, 0, h - ay); break;
    case qrRotate180: target.DrawTo(work, w - ax, 0); break;
    case qrRotate270: target.DrawTo(work, 0, ay - h); break;
    default: target.DrawTo(work, ax - w, 0); break;
  }
}

void PushEffect(TkivFrameSurface& work, TkivFrameSurface& target, const TkivAnimationRec& rec,
                uint8_t p) {
  const int w = work.Width(), h = work.Height();
  const int ax = MulDiv(w, p, 100), ay = MulDiv(h, p, 100);
  target.AlphaBlend = true;
  switch (rec.Rotation()) {
    case qrRotate90:
      ShiftSurface(work, 0, -ay);
      target.DrawTo(work, 0, h - ay);
      break;
    case qrRotate180:
      ShiftSurface(work, -ax, 0);
      target.DrawTo(work, w - ax, 0);
      break;
    case qrRotate270:
      ShiftSurface(work, 0, ay);
      target.DrawTo(work, 0, ay - h);
      break;
    default:
      ShiftSurface(work, ax, 0);
      target.DrawTo(work, ax - w, 0);
      break;
  }
}

}  // namespace kiv
