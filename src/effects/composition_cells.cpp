// The displacement kind: grid cells of the new picture moved into the frame,
// and the built-in displacement effects.
//
// A frame is composed in named steps: the procedure fills the cell table
// (FillCells), neighbouring cells that show neighbouring target cells are
// joined into runs (BuildRuns), and the work rows are written one by one,
// each run's pixels copied or blended (DrawRun) and the pixels on shared
// grid-row borders settled in cell order (SettleSharedBorder).
#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#include "effects/composition.hpp"
#include "effects/composition_steps.hpp"
#include "framework/numeric.hpp"

namespace kiv {

namespace {

using composition::CellCount;
using composition::PrefetchPixels;
using composition::QuarterTurn;
using Run = TkivCellRun;

// Cell (i, j) of the grid with its record read through the rotation:
// opacity and the target cell (su, sv) it shows.
struct Cell {
  uint8_t op;
  int su, sv;
};

// The cell table read through the rotation. The record of cell (i, j) is at
// Base(j) + i * step, and its target cell is a linear function of the
// stored column and row.
struct TurnedCells {
  TurnedCells(const TkivFrameGrid& g, TkivRotation rot)
      : g(g), rot(rot), cols(g.Cols), rows(g.Rows) {
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
  }

  Cell At(int i, int j) const {
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
  }

  int64_t Base(int j) const {
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
  }

  const TkivFrameGrid& g;
  TkivRotation rot;
  int cols, rows;
  int64_t step = 1, su0 = 0, suc = 1, sur = 0, sv0 = 0, svc = 0, svr = 1;
};

// Runs of neighbouring cells of one grid row that show neighbouring target
// cells of one target row with the same opacity: their pixels form one
// contiguous copy (a shared border pixel reads the same target pixel from
// either cell).
class RunBuilder {
 public:
  RunBuilder(const TurnedCells& cells, int res, std::vector<std::vector<Run>>& runs)
      : c_(cells), res_(res), runs_(runs) {
    runs_.resize(static_cast<size_t>(c_.rows));
  }

  // Opaque cells only: neighbours showing neighbouring target cells of one
  // target row join. Stops (false) at the first blending cell.
  template <bool kPlain>  // records in row order, unchanged
  bool OpaqueRuns() {
    const TkivCellRec* const cells = c_.g.Cells;
    const int su_c = static_cast<int>(c_.suc), su_r = static_cast<int>(c_.sur),
              sv_c = static_cast<int>(c_.svc), sv_r = static_cast<int>(c_.svr);
    const int su_0 = static_cast<int>(c_.su0), sv_0 = static_cast<int>(c_.sv0);
    for (int j = 0; j < c_.rows; ++j) {
      std::vector<Run>& r = runs_[j];
      r.clear();
      const TkivCellRec* cr = cells + c_.Base(j);
      bool joinable = false;  // the previous cell is shown
      int prev_su = 0, prev_sv = 0;
      for (int i = 0; i < c_.cols; ++i, cr += kPlain ? 1 : c_.step) {
        const uint8_t op = cr->Opacity;
        if (op == 0) {  // a cell left alone changes nothing
          joinable = false;
          continue;
        }
        if (op != 255) return false;
        int su, sv;
        if constexpr (kPlain) {
          su = cr->SourceCol;
          sv = cr->SourceRow;
        } else {
          su = su_0 + su_c * cr->SourceCol + su_r * cr->SourceRow;
          sv = sv_0 + sv_c * cr->SourceCol + sv_r * cr->SourceRow;
        }
        if (joinable && sv == prev_sv && su == prev_su + 1)
          r.back().i1 = i;
        else
          r.push_back(Run{i, i, (su - i) * res_, sv, 255});
        joinable = true;
        prev_su = su;
        prev_sv = sv;
      }
    }
    return true;
  }

  // With blending cells every shown cell is a run of its own.
  void CellRuns() {
    for (int j = 0; j < c_.rows; ++j) {
      std::vector<Run>& r = runs_[j];
      r.clear();
      int64_t index = c_.Base(j);
      for (int i = 0; i < c_.cols; ++i, index += c_.step) {
        const TkivCellRec& cr = c_.g.Cells[index];
        if (cr.Opacity == 0) continue;
        const int su = static_cast<int>(c_.su0 + c_.suc * cr.SourceCol + c_.sur * cr.SourceRow);
        const int sv = static_cast<int>(c_.sv0 + c_.svc * cr.SourceCol + c_.svr * cr.SourceRow);
        r.push_back(Run{i, i, (su - i) * res_, sv, cr.Opacity});
      }
    }
  }

  // Interlace's row j (stored row j' = j, or rows - 1 - j after half a turn)
  // shows the cells o to its left when j' is odd, o to its right when even;
  // half a turn mirrors the shift.
  void InterlaceRuns(uint8_t progress) {
    const int rows = c_.rows, cols = c_.cols;
    const int o = MulDiv(100 - progress, cols, 100);
    for (int j = 0; j < rows; ++j) {
      const bool odd = (c_.rot == qrNone ? j : rows - 1 - j) % 2 == 1;
      const int cells = (odd == (c_.rot == qrNone)) ? -o : o;
      runs_[j].assign(1, Run{0, cols - 1, cells * res_, j, 255});
    }
  }

 private:
  const TurnedCells& c_;
  int res_;
  std::vector<std::vector<Run>>& runs_;
};

// Writes the work rows of one frame from the runs.
class CellFrameWriter {
 public:
  CellFrameWriter(TkivBitmap& work, const TkivBitmap& target, const TkivBitmap* source,
                  const TurnedCells& cells, const std::vector<std::vector<Run>>& runs, int res,
                  int tiles, bool partial)
      : work_(work),
        target_(target),
        source_(source),
        c_(cells),
        runs_(runs),
        res_(res),
        tiles_(tiles),
        partial_(partial),
        tw_(work.Width() / tiles + 1),
        th_(work.Height() / tiles + 1),
        dest_w_(std::min(work.Width(), target.Width())),
        dest_h_(std::min(work.Height(), target.Height())),
        src_w_(target.Width()),
        src_h_(target.Height()) {}

  // Neighbouring cells share their border row and column, and the later
  // cell (tile by tile, then column by column, then row by row) wins. Rows
  // of work are produced one by one with the writers of each pixel in that
  // same order, so memory is walked row by row.
  void Compose() {
    for (int y = dest_h_; y < work_.Height(); ++y) CopyOldRow(y);
    for (int y = 0; y < dest_h_; ++y) {
      BeginRow(y);
      for (int m = 0; m < tiles_; ++m)
        for (int t = 0; t < tiles_; ++t) ComposeTileRow(y, m, t);
      FillTo(work_.Width());
    }
  }

 private:
  void CopyOldRow(int y) {
    if (source_)
      std::memcpy(work_.ScanLine(y), source_->ScanLine(y),
                  static_cast<size_t>(work_.Width()) * sizeof(TkivPixel));
  }

  // With the old picture in `source`, the pixels of a work row are written
  // once: left of `filled_` the row holds what has been drawn so far (the
  // old picture or cells over it); from there on nothing yet, so a run
  // selects the new or the old pixel, and gaps take the old row. The pieces
  // of the old and new rows read for one work row start at other places
  // than the row before ended, so they are asked for two rows ahead (the
  // same columns two rows down are most often read again there).
  void BeginRow(int y) {
    if (!source_) return;
    old_row_ = source_->ScanLine(y);
    old_ahead_ = y + 2 < source_->Height() ? source_->ScanLine(y + 2) : nullptr;
    work_row_ = work_.ScanLine(y);
    filled_ = 0;
  }

  void FillTo(int x) {
    if (old_row_ && x > filled_) {
      if (old_ahead_) PrefetchPixels(old_ahead_ + filled_, x - filled_);
      std::memcpy(work_row_ + filled_, old_row_ + filled_,
                  static_cast<size_t>(x - filled_) * sizeof(TkivPixel));
      filled_ = x;
    }
  }

  // Pixel row l of tile (m, t) on work row y.
  void ComposeTileRow(int y, int m, int t) {
    const int rows = c_.rows, cols = c_.cols;
    const int l = y - t * th_;
    if (l < 0 || l > rows * res_) return;
    // Grid rows whose pixel rows (both ends included) contain l.
    const int j_hi = std::min(l / res_, rows - 1);
    const int j_lo = (l % res_ == 0 && l / res_ >= 1 && l / res_ <= rows - 1) ? l / res_ - 1 : j_hi;
    if (j_lo != j_hi && partial_) {
      // Blending cells depend on what lies under them: keep the exact order.
      for (int i = 0; i < cols; ++i)
        for (int j = j_lo; j <= j_hi; ++j) {
          const Cell c = c_.At(i, j);
          if (c.op != 0) DrawRun(Run{i, i, (c.su - i) * res_, c.sv, c.op}, j, y, m, t, l);
        }
      return;
    }
    for (int j = j_lo; j <= j_hi; ++j)
      for (const Run& run : runs_[j]) DrawRun(run, j, y, m, t, l);
    if (j_lo != j_hi) SettleSharedBorder(j_lo, j_hi, y, m, t, l);
  }

  // Draws a run's pixels of grid row j on work row y (tile m, t; pixel row l).
  void DrawRun(const Run& run, int j, int y, int m, int t, int l) {
    const int sy = t * th_ + run.sv * res_ + (l - j * res_);
    if (sy < 0 || sy >= src_h_ || sy < t * th_ || sy > (t + 1) * th_) return;
    const int base_x = m * tw_;
    // Pixel k of the grid row shows target column base_x + k + shift.
    const int k0 = std::max(run.i0 * res_, -run.shift);
    const int k1 = std::min({(run.i1 + 1) * res_, dest_w_ - 1 - base_x,
                             src_w_ - 1 - base_x - run.shift, tw_ - run.shift});
    if (k0 > k1) return;
    const TkivPixel* in = target_.ScanLine(sy) + (base_x + run.shift + k0);
    if (sy + 2 < src_h_) PrefetchPixels(in + 2 * static_cast<ptrdiff_t>(src_w_), k1 - k0 + 1);
    TkivPixel* out = work_.ScanLine(y) + (base_x + k0);
    const int x0 = base_x + k0, x1 = base_x + k1 + 1;  // end excluded
    if (run.op == 255 && old_row_) {
      FillTo(x0);
      if (filled_ > x0) CopyShownPixels(in, out, std::min(filled_, x1) - x0);
      if (x1 > filled_) {
        SelectShownPixels(in + (filled_ - x0), old_row_ + filled_, work_row_ + filled_,
                          x1 - filled_);
        filled_ = x1;
      }
    } else if (run.op == 255) {
      CopyShownPixels(in, out, k1 - k0 + 1);
    } else {
      FillTo(x1);
      const TkivPixel a = static_cast<TkivPixel>(run.op) << 24;
      for (int k = 0; k <= k1 - k0; ++k) {
        const TkivPixel v = in[k];
        if ((v >> 24) && (v & 0x00FFFFFFu) != KeyPixel)
          out[k] = Kernels.BlendPixel((v & 0x00FFFFFFu) | a, out[k]);
      }
    }
  }

  // What cell (i, j) would write at pixel k of pixel row l, if anything.
  bool Shown(int i, int j, int m, int t, int k, int l, TkivPixel& v) const {
    const Cell c = c_.At(i, j);
    if (c.op == 0) return false;
    const int base_x = m * tw_;
    const int sx = base_x + c.su * res_ + (k - i * res_);
    const int sy = t * th_ + c.sv * res_ + (l - j * res_);
    if (base_x + k >= dest_w_ || sx < 0 || sx >= src_w_ || sy < 0 || sy >= src_h_ || sx < base_x ||
        sx > base_x + tw_ || sy < t * th_ || sy > (t + 1) * th_)
      return false;
    v = target_.ScanLine(sy)[sx];
    return (v >> 24) != 0 && (v & 0x00FFFFFFu) != KeyPixel;
  }

  // On a shared grid-row border the two rows were drawn one after the
  // other; at the shared column pixels the order of the four cells differs
  // from the cell order, so those pixels take the value of the last cell (in
  // cell order) that shows something there. Where the lower row's two cells
  // are one run both orders agree. Only opaque runs reach here.
  void SettleSharedBorder(int j_lo, int j_hi, int y, int m, int t, int l) {
    const int cols = c_.cols;
    TkivPixel* out = work_.ScanLine(y);
    const std::vector<Run>& lower = runs_[j_hi];
    if (lower.size() == 1 && lower[0].i0 == 0 && lower[0].i1 == cols - 1) return;
    auto joins = [](const Cell& left, const Cell& right) {
      return left.op != 0 && left.op == right.op && left.sv == right.sv && right.su == left.su + 1;
    };
    Cell left = c_.At(0, j_hi);
    for (int i = 1; i < cols; ++i) {
      const Cell right = c_.At(i, j_hi);
      const bool same_run = joins(left, right);
      left = right;
      if (same_run) continue;
      const int k = i * res_;
      if (m * tw_ + k >= dest_w_) break;
      TkivPixel v;
      if (Shown(i, j_hi, m, t, k, l, v) || Shown(i, j_lo, m, t, k, l, v) ||
          Shown(i - 1, j_hi, m, t, k, l, v) || Shown(i - 1, j_lo, m, t, k, l, v)) {
        FillTo(m * tw_ + k + 1);
        out[m * tw_ + k] = v;
      }
    }
  }

  TkivBitmap& work_;
  const TkivBitmap& target_;
  const TkivBitmap* source_;
  const TurnedCells& c_;
  const std::vector<std::vector<Run>>& runs_;
  const int res_, tiles_;
  const bool partial_;  // some cell blends (opacity 1..254)
  // Tile size; pixels are written where both surfaces have them.
  const int tw_, th_, dest_w_, dest_h_, src_w_, src_h_;
  const TkivPixel* old_row_ = nullptr;
  const TkivPixel* old_ahead_ = nullptr;
  TkivPixel* work_row_ = nullptr;
  int filled_ = 0;
};

// Runs the procedure on a cleared cell table (the turned grid for the
// quarter turns).
void FillCells(TkivCellProc proc, const TkivFrameGrid& g, TkivRotation rot, uint8_t progress) {
  std::memset(static_cast<void*>(g.Cells), 0, CellCount(g) * sizeof(TkivCellRec));
  if (QuarterTurn(rot))
    proc(g.Cells, g.Rows, g.Cols, progress);
  else
    proc(g.Cells, g.Cols, g.Rows, progress);
}

}  // namespace

void ComposeCellFrame(TkivBitmap& work, TkivBitmap& target, const TkivAnimationRec& rec,
                      TkivCellProc proc, const TkivFrameGrid& g, uint8_t progress,
                      TkivFrameScratch& scratch, const TkivBitmap* source, TkivFastPath fast) {
  const TkivRotation rot = rec.Rotation();
  // Interlace with its rows left horizontal (no rotation, or half a turn)
  // makes every grid row one run of opaque cells shifted by whole cells: the
  // runs are known from the progress alone, without the cell table.
  const bool interlace_rows =
      fast == fpInterlaceRows && progress != 0 && (rot == qrNone || rot == qrRotate180);
  if (!interlace_rows) FillCells(proc, g, rot, progress);
  if (work.IsEmpty() || target.IsEmpty()) {
    if (source)
      for (int y = 0; y < work.Height(); ++y)
        std::memcpy(work.ScanLine(y), source->ScanLine(y),
                    static_cast<size_t>(work.Width()) * sizeof(TkivPixel));
    return;
  }
  const int res = rec.Resolution();
  const TurnedCells cells(g, rot);
  RunBuilder build(cells, res, scratch.CellRuns);
  bool partial = false;
  if (interlace_rows) {
    build.InterlaceRuns(progress);
  } else if (!(rot == qrNone ? build.OpaqueRuns<true>() : build.OpaqueRuns<false>())) {
    partial = true;  // blending cells are drawn one by one
    build.CellRuns();
  }
  CellFrameWriter(work, target, source, cells, scratch.CellRuns, res, rec.TileCount(), partial)
      .Compose();
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

}  // namespace kiv
