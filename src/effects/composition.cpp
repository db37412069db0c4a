#include "effects/composition.hpp"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#include "effects/frame_kernels.hpp"
#include "framework/numeric.hpp"

namespace kiv {

namespace {

// Work surfaces from this size on are written around the caches: their
// lines would otherwise be fetched only to be overwritten, and none of them
// would still be cached when the frame is drawn.
constexpr int64_t kStreamingBytes = int64_t{4} << 20;

size_t CellCount(const TkivFrameGrid& g) {
  return static_cast<size_t>(g.Cols) * static_cast<size_t>(g.Rows);
}

bool QuarterTurn(TkivRotation r) {
  return r == qrRotate90 || r == qrRotate270;
}

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

// Asks the processor to bring `count` pixels into its second-level cache,
// one request per 64-byte line.
void PrefetchPixels(const TkivPixel* p, int count) {
  const char* c = reinterpret_cast<const char*>(p);
  const char* end = reinterpret_cast<const char*>(p + std::max(count, 0));
  for (; c < end; c += 64) __builtin_prefetch(c, 0, 2);
}

void HideKeyPixels(TkivBitmap& s) {
  for (int y = 0; y < s.Height() && !s.IsEmpty(); ++y) HideKeyPixelsRow(s.ScanLine(y), s.Width());
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

void ComposeMaskFrameFrom(const TkivBitmap& source, TkivBitmap& work, TkivBitmap& target,
                          const TkivAnimationRec& rec, TkivMaskProc proc, const TkivFrameGrid& grid,
                          uint8_t progress) {
  // One pass over the three surfaces when they have the same size and the
  // old picture is plainly copied; otherwise the steps one by one.
  if (source.AlphaBlend() || source.Transparent() || source.Width() != work.Width() ||
      source.Height() != work.Height() || target.Width() != work.Width() ||
      target.Height() != work.Height()) {
    source.DrawTo(work, 0, 0);
    ComposeMaskFrame(work, target, rec, proc, grid, progress);
    return;
  }
  target.SetAlphaBlend(true);
  const int w = work.Width(), h = work.Height();
  const bool stream = static_cast<int64_t>(w) * h * int64_t{sizeof(TkivPixel)} >= kStreamingBytes;
  // A mask of one value everywhere ("Fade") gives every pixel that alpha,
  // whatever the grid, its rotation and its tiles: one row of it serves.
  uint8_t level;
  if (UniformMask(proc, progress, &level)) {
    static thread_local std::vector<uint8_t> level_row;
    level_row.assign(static_cast<size_t>(w), level);
    for (int y = 0; y < h; ++y)
      ComposeMaskRow(target.ScanLine(y), level_row.data(), source.ScanLine(y), work.ScanLine(y), w,
                     stream);
    return;
  }
  GenerateMask(rec, proc, grid, progress);
  const int cols = grid.Cols, rows = grid.Rows;
  const int64_t tile_w = int64_t{rec.Resolution()} * cols,
                tile_h = int64_t{rec.Resolution()} * rows;
  const int64_t sx = (int64_t{cols} * 65536) / tile_w, sy = (int64_t{rows} * 65536) / tile_h;
  // The tiles start at multiples of the tile size, so the fixed-point walk
  // starts at 0 in each; every pixel column and row gets its cell. Frames
  // are produced on one thread: the widening plan is kept and made again
  // only when the geometry changes (a running animation keeps it).
  struct Geometry {
    int w, cols;
    int64_t tile_w;
    bool operator==(const Geometry&) const = default;
  };
  static thread_local Geometry planned{-1, -1, -1};
  static thread_local bool identity = false;
  static thread_local TkivMaskSpread spread;
  static thread_local std::vector<uint8_t> alpha_row;
  const Geometry geometry{w, cols, tile_w};
  if (!(geometry == planned)) {
    std::vector<int32_t> column(static_cast<size_t>(w));
    identity = true;
    for (int x = 0; x < w; ++x) {
      const int64_t off = x % tile_w;
      column[x] = static_cast<int32_t>(std::min<int64_t>((off * sx) >> 16, cols - 1));
      identity = identity && column[x] == x;
    }
    spread.Plan(identity ? std::vector<int32_t>{} : std::move(column));
    alpha_row.resize(static_cast<size_t>(w));
    planned = geometry;
  }
  int widened = -1;
  for (int y = 0; y < h; ++y) {
    const int64_t off = y % tile_h;
    const int mask_row = static_cast<int>(std::min<int64_t>((off * sy) >> 16, rows - 1));
    const uint8_t* mrow = grid.Mask + static_cast<size_t>(mask_row) * cols;
    const uint8_t* alpha = mrow;
    if (!identity) {
      if (mask_row != widened) {
        spread.Spread(mrow, cols, alpha_row.data());
        widened = mask_row;
      }
      alpha = alpha_row.data();
    }
    ComposeMaskRow(target.ScanLine(y), alpha, source.ScanLine(y), work.ScanLine(y), w, stream);
  }
}

void ComposeCellFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                      TkivCellProc proc, const TkivFrameGrid& g, uint8_t progress,
                      const TkivBitmap* source) {
  if (source && (source->AlphaBlend() || source->Transparent() || source->Width() != work.Width() ||
                 source->Height() != work.Height())) {
    source->DrawTo(work, 0, 0);
    source = nullptr;
  }
  auto copy_old_row = [&](int y) {
    if (source)
      std::memcpy(work.ScanLine(y), source->ScanLine(y),
                  static_cast<size_t>(work.Width()) * sizeof(TkivPixel));
  };
  const int cols = g.Cols, rows = g.Rows;
  const TkivRotation rot = rec.Rotation();
  // "Interlace" with its rows left horizontal (no rotation, or half a turn)
  // makes every grid row one run of opaque cells shifted by whole cells: the
  // runs are known from the progress alone, without the cell table.
  const bool interlace_rows =
      proc == InterlaceEffect && progress != 0 && (rot == qrNone || rot == qrRotate180);
  if (!interlace_rows) {
    std::memset(static_cast<void*>(g.Cells), 0, CellCount(g) * sizeof(TkivCellRec));
    if (QuarterTurn(rot))
      proc(g.Cells, rows, cols, progress);
    else
      proc(g.Cells, cols, rows, progress);
  }
  if (work.IsEmpty() || target.IsEmpty()) {
    for (int y = 0; y < work.Height(); ++y) copy_old_row(y);
    return;
  }

  const int res = rec.Resolution(), tiles = rec.TileCount();
  const int tw = work.Width() / tiles + 1, th = work.Height() / tiles + 1;
  // Pixels are written where both surfaces have them.
  const int dest_w = std::min(work.Width(), target.Width());
  const int dest_h = std::min(work.Height(), target.Height());
  const int src_w = target.Width(), src_h = target.Height();

  // Cell (i, j) of the grid with its record read through the rotation:
  // opacity and the target cell (su, sv) it shows.
  struct Cell {
    uint8_t op;
    int su, sv;
  };
  auto cell_at = [&](int i, int j) -> Cell {
    switch (rot) {
      case qrRotate90: {
        const TkivCellRec& c = g.Cells[static_cast<size_t>(cols - 1 - i) * rows + j];
        return Cell{c.Opacity, cols - 1 - c.SourceRow, c.SourceCol};
      }
      case qrRotate180: {
        const TkivCellRec& c =
            g.Cells[static_cast<size_t>(cols - 1 - i) + static_cast<size_t>(rows - 1 - j) * cols];
        return Cell{c.Opacity, cols - 1 - c.SourceCol, rows - 1 - c.SourceRow};
      }
      case qrRotate270: {
        const TkivCellRec& c =
            g.Cells[static_cast<size_t>(rows - 1 - j) + static_cast<size_t>(i) * rows];
        return Cell{c.Opacity, c.SourceRow, rows - 1 - c.SourceCol};
      }
      default: {
        const TkivCellRec& c = g.Cells[static_cast<size_t>(i) + static_cast<size_t>(j) * cols];
        return Cell{c.Opacity, c.SourceCol, c.SourceRow};
      }
    }
  };
  bool partial = false;  // some cell blends (opacity 1..254)

  // Runs of neighbouring cells of one grid row that show neighbouring target
  // cells of one target row with the same opacity: their pixels form one
  // contiguous copy (a shared border pixel reads the same target pixel from
  // either cell). Scratch is kept between frames (frames are produced on one
  // thread), so a frame allocates nothing once the grid size is known.
  struct Run {
    int i0, i1, shift, sv;
    uint8_t op;
  };
  static thread_local std::vector<std::vector<Run>> runs;
  runs.resize(static_cast<size_t>(rows));
  auto joins = [&](const Cell& left, const Cell& right) {
    return !partial && left.op != 0 && left.op == right.op && left.sv == right.sv &&
           right.su == left.su + 1;
  };
  // The record of cell (i, j) is at base(j) + i * step, and its target cell
  // is a linear function of the stored column and row, by the rotation.
  int64_t step = 1, su0 = 0, suc = 1, sur = 0, sv0 = 0, svc = 0, svr = 1;
  auto base_of = [&](int j) -> int64_t {
    switch (rot) {
      case qrRotate90:
        return int64_t{cols - 1} * rows + j;
      case qrRotate180:
        return int64_t{cols - 1} + int64_t{rows - 1 - j} * cols;
      case qrRotate270:
        return int64_t{rows - 1 - j};
      default:
        return int64_t{j} * cols;
    }
  };
  switch (rot) {
    case qrRotate90:
      step = -rows, su0 = cols - 1, suc = 0, sur = -1, sv0 = 0, svc = 1, svr = 0;
      break;
    case qrRotate180:
      step = -1, su0 = cols - 1, suc = -1, sur = 0, sv0 = rows - 1, svc = 0, svr = -1;
      break;
    case qrRotate270:
      step = rows, su0 = 0, suc = 0, sur = 1, sv0 = rows - 1, svc = -1, svr = 0;
      break;
    default:
      break;
  }
  // Opaque cells only: neighbours showing neighbouring target cells of one
  // target row join. Stops (false) at the first blending cell.
  auto build_opaque_runs = [&](auto unturned) -> bool {
    constexpr bool plain = decltype(unturned)::value;  // records in row order, unchanged
    const TkivCellRec* const cells = g.Cells;
    const int su_c = static_cast<int>(suc), su_r = static_cast<int>(sur),
              sv_c = static_cast<int>(svc), sv_r = static_cast<int>(svr);
    const int su_0 = static_cast<int>(su0), sv_0 = static_cast<int>(sv0);
    for (int j = 0; j < rows; ++j) {
      std::vector<Run>& r = runs[j];
      r.clear();
      const TkivCellRec* cr = cells + base_of(j);
      bool joinable = false;  // the previous cell is shown
      int prev_su = 0, prev_sv = 0;
      for (int i = 0; i < cols; ++i, cr += plain ? 1 : step) {
        const uint8_t op = cr->Opacity;
        if (op == 0) {  // a cell left alone changes nothing
          joinable = false;
          continue;
        }
        if (op != 255) return false;
        int su, sv;
        if constexpr (plain) {
          su = cr->SourceCol;
          sv = cr->SourceRow;
        } else {
          su = su_0 + su_c * cr->SourceCol + su_r * cr->SourceRow;
          sv = sv_0 + sv_c * cr->SourceCol + sv_r * cr->SourceRow;
        }
        if (joinable && sv == prev_sv && su == prev_su + 1)
          r.back().i1 = i;
        else
          r.push_back(Run{i, i, (su - i) * res, sv, 255});
        joinable = true;
        prev_su = su;
        prev_sv = sv;
      }
    }
    return true;
  };
  // With blending cells every shown cell is a run of its own.
  auto build_cell_runs = [&] {
    for (int j = 0; j < rows; ++j) {
      std::vector<Run>& r = runs[j];
      r.clear();
      int64_t index = base_of(j);
      for (int i = 0; i < cols; ++i, index += step) {
        const TkivCellRec& cr = g.Cells[index];
        if (cr.Opacity == 0) continue;
        const int su = static_cast<int>(su0 + suc * cr.SourceCol + sur * cr.SourceRow);
        const int sv = static_cast<int>(sv0 + svc * cr.SourceCol + svr * cr.SourceRow);
        r.push_back(Run{i, i, (su - i) * res, sv, cr.Opacity});
      }
    }
  };
  // Interlace's row j (stored row j' = j, or rows - 1 - j after half a turn)
  // shows the cells o to its left when j' is odd, o to its right when even;
  // half a turn mirrors the shift.
  auto interlace_runs = [&] {
    const int o = MulDiv(100 - progress, cols, 100);
    for (int j = 0; j < rows; ++j) {
      const bool odd = (rot == qrNone ? j : rows - 1 - j) % 2 == 1;
      const int cells = (odd == (rot == qrNone)) ? -o : o;
      runs[j].assign(1, Run{0, cols - 1, cells * res, j, 255});
    }
    return true;
  };
  const bool opaque = interlace_rows   ? interlace_runs()
                      : rot == qrNone ? build_opaque_runs(std::true_type{})
                                      : build_opaque_runs(std::false_type{});
  if (!opaque) {
    partial = true;  // blending cells are drawn one by one
    build_cell_runs();
  }

  // With the old picture in `source`, the pixels of a work row are written
  // once: left of `filled` the row holds what has been drawn so far (the old
  // picture or cells over it); from there on nothing yet, so a run selects
  // the new or the old pixel, and gaps take the old row.
  const TkivPixel* old_row = nullptr;
  TkivPixel* work_row = nullptr;
  int filled = 0;
  // The pieces of the old and new rows read for one work row start at other
  // places than the row before ended, so they are asked for two rows ahead
  // (the same columns two rows down are most often read again there).
  const TkivPixel* old_ahead = nullptr;
  auto fill_to = [&](int x) {
    if (old_row && x > filled) {
      if (old_ahead) PrefetchPixels(old_ahead + filled, x - filled);
      std::memcpy(work_row + filled, old_row + filled,
                  static_cast<size_t>(x - filled) * sizeof(TkivPixel));
      filled = x;
    }
  };
  // Draws a run's pixels of grid row j on work row y (tile m, t; pixel row l).
  auto draw_run = [&](const Run& run, int j, int y, int m, int t, int l) {
    const int sy = t * th + run.sv * res + (l - j * res);
    if (sy < 0 || sy >= src_h || sy < t * th || sy > (t + 1) * th) return;
    const int base_x = m * tw;
    // Pixel k of the grid row shows target column base_x + k + shift.
    const int k0 = std::max(run.i0 * res, -run.shift);
    const int k1 = std::min(
        {(run.i1 + 1) * res, dest_w - 1 - base_x, src_w - 1 - base_x - run.shift, tw - run.shift});
    if (k0 > k1) return;
    const TkivPixel* in = target.ScanLine(sy) + (base_x + run.shift + k0);
    if (sy + 2 < src_h) PrefetchPixels(in + 2 * static_cast<ptrdiff_t>(src_w), k1 - k0 + 1);
    TkivPixel* out = work.ScanLine(y) + (base_x + k0);
    const int x0 = base_x + k0, x1 = base_x + k1 + 1;  // end excluded
    if (run.op == 255 && old_row) {
      fill_to(x0);
      if (filled > x0) CopyShownPixels(in, out, std::min(filled, x1) - x0);
      if (x1 > filled) {
        SelectShownPixels(in + (filled - x0), old_row + filled, work_row + filled, x1 - filled);
        filled = x1;
      }
    } else if (run.op == 255) {
      CopyShownPixels(in, out, k1 - k0 + 1);
    } else {
      fill_to(x1);
      const TkivPixel a = static_cast<TkivPixel>(run.op) << 24;
      for (int k = 0; k <= k1 - k0; ++k) {
        const TkivPixel v = in[k];
        if ((v >> 24) && (v & 0x00FFFFFFu) != KeyPixel)
          out[k] = Kernels.BlendPixel((v & 0x00FFFFFFu) | a, out[k]);
      }
    }
  };
  // What cell (i, j) would write at pixel k of pixel row l, if anything.
  auto shown = [&](int i, int j, int m, int t, int k, int l, TkivPixel& v) {
    const Cell c = cell_at(i, j);
    if (c.op == 0) return false;
    const int base_x = m * tw;
    const int sx = base_x + c.su * res + (k - i * res);
    const int sy = t * th + c.sv * res + (l - j * res);
    if (base_x + k >= dest_w || sx < 0 || sx >= src_w || sy < 0 || sy >= src_h || sx < base_x ||
        sx > base_x + tw || sy < t * th || sy > (t + 1) * th)
      return false;
    v = target.ScanLine(sy)[sx];
    return (v >> 24) != 0 && (v & 0x00FFFFFFu) != KeyPixel;
  };

  // Neighbouring cells share their border row and column, and the later
  // cell (tile by tile, then column by column, then row by row) wins. Rows
  // of work are produced one by one with the writers of each pixel in that
  // same order, so memory is walked row by row.
  for (int y = dest_h; y < work.Height(); ++y) copy_old_row(y);
  for (int y = 0; y < dest_h; ++y) {
    if (source) {
      old_row = source->ScanLine(y);
      old_ahead = y + 2 < source->Height() ? source->ScanLine(y + 2) : nullptr;
      work_row = work.ScanLine(y);
      filled = 0;
    }
    for (int m = 0; m < tiles; ++m)
      for (int t = 0; t < tiles; ++t) {
        const int l = y - t * th;
        if (l < 0 || l > rows * res) continue;
        // Grid rows whose pixel rows (both ends included) contain l.
        const int j_hi = std::min(l / res, rows - 1);
        const int j_lo = (l % res == 0 && l / res >= 1 && l / res <= rows - 1) ? l / res - 1 : j_hi;
        if (j_lo == j_hi || !partial) {
          for (int j = j_lo; j <= j_hi; ++j)
            for (const Run& run : runs[j]) draw_run(run, j, y, m, t, l);
        } else {
          // Blending cells depend on what lies under them: keep the exact order.
          for (int i = 0; i < cols; ++i)
            for (int j = j_lo; j <= j_hi; ++j) {
              const Cell c = cell_at(i, j);
              if (c.op != 0) draw_run(Run{i, i, (c.su - i) * res, c.sv, c.op}, j, y, m, t, l);
            }
          continue;
        }
        if (j_lo == j_hi) continue;
        // On a shared grid-row border the two rows were drawn one after the
        // other; at the shared column pixels the order of the four cells
        // differs from the cell order, so those pixels take the value of the
        // last cell (in cell order) that shows something there. Where the
        // lower row's two cells are one run both orders agree.
        TkivPixel* out = work.ScanLine(y);
        const std::vector<Run>& lower = runs[j_hi];
        if (lower.size() == 1 && lower[0].i0 == 0 && lower[0].i1 == cols - 1) continue;
        Cell left = cell_at(0, j_hi);
        for (int i = 1; i < cols; ++i) {
          const Cell right = cell_at(i, j_hi);
          const bool same_run = joins(left, right);
          left = right;
          if (same_run) continue;
          const int k = i * res;
          if (m * tw + k >= dest_w) break;
          TkivPixel v;
          if (shown(i, j_hi, m, t, k, l, v) || shown(i, j_lo, m, t, k, l, v) ||
              shown(i - 1, j_hi, m, t, k, l, v) || shown(i - 1, j_lo, m, t, k, l, v)) {
            fill_to(m * tw + k + 1);
            out[m * tw + k] = v;
          }
        }
      }
    fill_to(work.Width());
  }
}

void ComposeManualFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                        TkivManualProc proc, uint8_t progress) {
  HideKeyPixels(target);
  proc(work, target, rec, progress);
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
void ShiftSurface(TkivBitmap& s, int dx, int dy) {
  const int w = s.Width(), h = s.Height();
  if (s.IsEmpty() || (dx == 0 && dy == 0) || dx >= w || -dx >= w || dy >= h || -dy >= h) return;
  const int x0 = std::max(0, dx), n = w - std::abs(dx), from = std::max(0, -dx);
  const size_t bytes = static_cast<size_t>(n) * sizeof(TkivPixel);
  if (dy != 0) {
    // Whole rows move: walk away from the side they move to.
    auto move_row = [&](int y) {
      std::memcpy(s.ScanLine(y) + x0, s.ScanLine(y - dy) + from, bytes);
    };
    if (dy > 0)
      for (int y = h - 1; y >= dy; --y) move_row(y);
    else
      for (int y = 0; y < h + dy; ++y) move_row(y);
    return;
  }
  // Within a row the parts overlap; two forward copies through a row buffer
  // are much faster than a backward overlapping move.
  std::vector<TkivPixel> row(static_cast<size_t>(n));
  for (int y = 0; y < h; ++y) {
    std::memcpy(row.data(), s.ScanLine(y) + from, bytes);
    std::memcpy(s.ScanLine(y) + x0, row.data(), bytes);
  }
}

}  // namespace

void SlideEffect(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec, uint8_t p) {
  const int w = work.Width(), h = work.Height();
  const int ax = MulDiv(w, p, 100), ay = MulDiv(h, p, 100);
  target.SetAlphaBlend(true);
  switch (rec.Rotation()) {
    case qrRotate90:
      target.DrawTo(work, 0, h - ay);
      break;
    case qrRotate180:
      target.DrawTo(work, w - ax, 0);
      break;
    case qrRotate270:
      target.DrawTo(work, 0, ay - h);
      break;
    default:
      target.DrawTo(work, ax - w, 0);
      break;
  }
}

void PushEffect(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec, uint8_t p) {
  const int w = work.Width(), h = work.Height();
  const int ax = MulDiv(w, p, 100), ay = MulDiv(h, p, 100);
  target.SetAlphaBlend(true);
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

bool ComposeManualFrameFrom(const TkivBitmap& source, TkivBitmap& work, TkivBitmap& target,
                            const TkivAnimationRec& rec, TkivManualProc proc, uint8_t p,
                            bool keys_hidden) {
  const bool push = proc == PushEffect;
  if ((!push && proc != SlideEffect) || source.AlphaBlend() || source.Transparent() ||
      source.IsEmpty() || source.Width() != work.Width() || source.Height() != work.Height() ||
      target.Width() != work.Width() || target.Height() != work.Height())
    return false;
  target.SetAlphaBlend(true);
  const int w = work.Width(), h = work.Height();
  const size_t row_bytes = static_cast<size_t>(w) * sizeof(TkivPixel);
  const TkivRotation rot = rec.Rotation();
  if (rot == qrRotate90 || rot == qrRotate270) {
    if (!keys_hidden) HideKeyPixels(target);
    // Vertical moves: the new picture covers `a` rows at the bottom (90) or
    // top (270); Push moves the old picture's rows the other way.
    const int a = MulDiv(h, p, 100);
    for (int y = 0; y < h; ++y) {
      const bool covered = rot == qrRotate90 ? y >= h - a : y < a;
      const int from = !push               ? y
                       : rot == qrRotate90 ? (y + a < h ? y + a : y)
                                           : (y - a >= 0 ? y - a : y);
      const TkivPixel* old_row = source.ScanLine(push && !covered ? from : y);
      if (covered) {
        const int ty = rot == qrRotate90 ? y - (h - a) : y + (h - a);
        if (keys_hidden) HideKeyPixelsRow(target.ScanLine(ty), w);
        BlendRow(target.ScanLine(ty), source.ScanLine(y), work.ScanLine(y), w);
      } else {
        std::memcpy(work.ScanLine(y), old_row, row_bytes);
      }
    }
    return true;
  }
  // Horizontal moves: the new picture covers `a` columns at the left (none)
  // or right (180); Push moves the old picture's columns the other way.
  const int a = MulDiv(w, p, 100);
  const bool from_left = rot != qrRotate180;
  const int cover0 = from_left ? 0 : w - a;   // first covered column
  const int target0 = from_left ? w - a : 0;  // its target column
  const int keep0 = from_left ? a : 0;        // first column not covered
  const int keep_n = w - a;
  const int old0 = !push ? keep0 : from_left ? 0 : a;  // old column shown at keep0
  for (int y = 0; y < h; ++y) {
    if (y + 2 < h) {
      // The parts of a row that are read start at a new place in each row,
      // where the processor's own prefetching needs a while to pick the
      // stream up: they are asked for two rows ahead, into the second level.
      PrefetchPixels(target.ScanLine(y + 2) + target0, a);
      PrefetchPixels(source.ScanLine(y + 2) + old0, keep_n);
    }
    // Each target row is read only by its own work row: its key pixels are
    // hidden just before, while the row is in the cache.
    if (keys_hidden)
      HideKeyPixelsRow(target.ScanLine(y) + target0, a);
    else
      HideKeyPixelsRow(target.ScanLine(y), w);
    const TkivPixel* src = source.ScanLine(y);
    TkivPixel* out = work.ScanLine(y);
    if (keep_n > 0)
      std::memcpy(out + keep0, src + old0, static_cast<size_t>(keep_n) * sizeof(TkivPixel));
    if (a > 0) BlendRow(target.ScanLine(y) + target0, src + cover0, out + cover0, a);
  }
  return true;
}

}  // namespace kiv
