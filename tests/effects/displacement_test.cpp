// The displacement composition against a direct per-pixel rendition of its
// rule, for random cell tables: every cell, every pixel of the cell (both
// ends included), tile by tile, later cells winning on shared borders.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "effects/composition.hpp"
#include "engine_support.hpp"

namespace kiv {
namespace {

std::vector<TkivCellRec> g_table;  // what the random effect writes
void TableEffect(TkivCellRec* cells, int w, int h, uint8_t) {
  for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) cells[i] = g_table[i];
}

void Reference(TkivBitmap& work, const TkivBitmap& target, const TkivAnimationRec& rec,
               const std::vector<TkivCellRec>& recs, int cols, int rows) {
  const int res = rec.Resolution(), tiles = rec.TileCount();
  const int tw = work.Width() / tiles + 1, th = work.Height() / tiles + 1;
  for (int m = 0; m < tiles; ++m)
    for (int t = 0; t < tiles; ++t)
      for (int i = 0; i < cols; ++i)
        for (int j = 0; j < rows; ++j) {
          const TkivCellRec* c;
          int su, sv;
          switch (rec.Rotation()) {
            case qrRotate90:
              c = &recs[static_cast<size_t>(cols - 1 - i) * rows + j];
              su = cols - 1 - c->SourceRow;
              sv = c->SourceCol;
              break;
            case qrRotate180:
              c = &recs[(cols - 1 - i) + static_cast<size_t>(rows - 1 - j) * cols];
              su = cols - 1 - c->SourceCol;
              sv = rows - 1 - c->SourceRow;
              break;
            case qrRotate270:
              c = &recs[(rows - 1 - j) + static_cast<size_t>(i) * rows];
              su = c->SourceRow;
              sv = rows - 1 - c->SourceCol;
              break;
            default:
              c = &recs[i + static_cast<size_t>(j) * cols];
              su = c->SourceCol;
              sv = c->SourceRow;
              break;
          }
          if (c->Opacity == 0) continue;  // cells left alone change nothing
          for (int k = i * res; k <= (i + 1) * res; ++k)
            for (int l = j * res; l <= (j + 1) * res; ++l) {
              const int x = m * tw + k, y = t * th + l;
              if (x >= work.Width() || y >= work.Height()) continue;
              const int sx = m * tw + su * res + (k - i * res),
                        sy = t * th + sv * res + (l - j * res);
              if (sx < 0 || sy < 0 || sx >= target.Width() || sy >= target.Height()) continue;
              if (sx < m * tw || sx > (m + 1) * tw || sy < t * th || sy > (t + 1) * th) continue;
              const TkivPixel s = target.GetPixel(sx, sy);
              if ((s >> 24) == 0 || (s & 0x00FFFFFFu) == KeyPixel) continue;
              if (c->Opacity == 255)
                work.SetPixel(x, y, s);
              else
                work.SetPixel(x, y,
                              Kernels.BlendPixel((s & 0x00FFFFFFu) | TkivPixel{c->Opacity} << 24,
                                                 work.GetPixel(x, y)));
            }
        }
}

struct FrameSetup {
  int w, h, res, tiles;
};

// The record and grid of a setup in a rotation, and the size of the grid the
// effect's procedure fills (columns and rows exchanged for quarter turns).
struct FrameGeometry {
  TkivAnimationRec rec;
  TkivFrameGrid grid;
  int pw = 0, ph = 0;
  FrameGeometry(const FrameSetup& s, int rot) {
    rec.SetResolution(s.res);
    rec.SetTileCount(s.tiles);
    rec.SetRotation(static_cast<TkivRotation>(rot));
    grid.Cols = GridExtent(s.w, s.res, s.tiles);
    grid.Rows = GridExtent(s.h, s.res, s.tiles);
    const bool turned = rot == 1 || rot == 3;
    pw = turned ? grid.Rows : grid.Cols;
    ph = turned ? grid.Cols : grid.Rows;
  }
};

// How many pixels of two surfaces of one size differ.
int Differing(const TkivBitmap& a, const TkivBitmap& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.GetPixel(x, y) != b.GetPixel(x, y);
  return n;
}

TEST(Displacement, MatchesTheCellByCellRuleForRandomTables) {
  std::mt19937 rng(11);
  const FrameSetup setups[] = {
      {23, 13, 3, 1}, {31, 17, 4, 2}, {12, 30, 2, 3}, {9, 9, 1, 1}, {40, 6, 5, 1}};
  for (const FrameSetup& s : setups)
    for (int rot = 0; rot < 4; ++rot)
      for (int round = 0; round < 6; ++round) {
        kivtest::Surface work(s.w, s.h), target(s.w, s.h), expect(s.w, s.h);
        kivtest::PaintPattern(work, 1);
        kivtest::PaintPattern(target, 2);
        target.SetPixel(1, 1, 0x00123456u);             // alpha 0: never shows
        target.SetPixel(2, 3, KeyPixel | 0xFF000000u);  // key colour: never shows
        work.DrawTo(expect, 0, 0);
        FrameGeometry f(s, rot);
        const TkivAnimationRec& rec = f.rec;
        TkivFrameGrid& grid = f.grid;
        const int pw = f.pw, ph = f.ph;
        g_table.assign(static_cast<size_t>(pw) * ph, TkivCellRec{});
        // Rounds 0-2: contiguous shifts (long runs); later: scattered cells,
        // some blending, some pointing outside the grid.
        const int shift = static_cast<int>(rng() % 5) - 2;
        for (int v = 0; v < ph; ++v)
          for (int u = 0; u < pw; ++u) {
            TkivCellRec& c = g_table[u + static_cast<size_t>(v) * pw];
            if (round < 3) {
              c = TkivCellRec{static_cast<uint8_t>(rng() % 8 == 0 ? 0 : 255),
                              static_cast<int16_t>(u + shift),
                              static_cast<int16_t>(v + (round == 2 ? (v % 2) : 0))};
            } else {
              const uint8_t ops[] = {0, 255, 255, 128, 7};
              c = TkivCellRec{ops[rng() % (round == 3 ? 3 : 5)],
                              static_cast<int16_t>(rng() % (pw + 2) - 1),
                              static_cast<int16_t>(rng() % (ph + 2) - 1)};
            }
          }
        std::vector<TkivCellRec> cells(g_table.size());
        grid.Cells = cells.data();
        // The same frame composed from the old picture into a work surface
        // holding something else (each pixel written once there).
        kivtest::Surface old(s.w, s.h), from_old(s.w, s.h);
        work.DrawTo(old, 0, 0);
        kivtest::PaintPattern(from_old, 3);
        TkivFrameScratch scratch;
        ComposeCellFrame(work, target, rec, TableEffect, grid, 50, scratch);
        ComposeCellFrame(from_old, target, rec, TableEffect, grid, 50, scratch, &old);
        Reference(expect, target, rec, g_table, grid.Cols, grid.Rows);
        EXPECT_EQ(Differing(work, expect), 0) << s.w << "x" << s.h << " res " << s.res << " tiles "
                                              << s.tiles << " rot " << rot << " round " << round;
        EXPECT_EQ(Differing(from_old, expect), 0)
            << s.w << "x" << s.h << " res " << s.res << " tiles " << s.tiles << " rot " << rot
            << " round " << round;
      }
}

// "Interlace" itself, whose rows may be composed without its cell table, in
// every rotation, against the rule applied to the table it writes.
TEST(Displacement, InterlaceMatchesTheCellByCellRule) {
  const FrameSetup setups[] = {{23, 13, 3, 1}, {31, 17, 4, 2}, {40, 6, 5, 1}, {9, 9, 1, 1}};
  const TkivProcItem* interlace = FindEffect("Interlace");
  ASSERT_NE(interlace, nullptr);
  ASSERT_EQ(std::get<TkivCellProc>(interlace->Proc), &InterlaceEffect);
  // The catalogue's fast path, and the cell table it stands for.
  for (TkivFastPath fast : {interlace->Fast, fpNone})
    for (const FrameSetup& s : setups)
      for (int rot = 0; rot < 4; ++rot)
        for (uint8_t p : {0, 1, 37, 50, 99, 100}) {
          kivtest::Surface work(s.w, s.h), target(s.w, s.h), expect(s.w, s.h), old(s.w, s.h),
              from_old(s.w, s.h);
          kivtest::PaintPattern(work, 1);
          kivtest::PaintPattern(target, 2);
          target.SetPixel(2, 3, KeyPixel | 0xFF000000u);
          work.DrawTo(expect, 0, 0);
          work.DrawTo(old, 0, 0);
          kivtest::PaintPattern(from_old, 3);
          FrameGeometry f(s, rot);
          std::vector<TkivCellRec> table(static_cast<size_t>(f.pw) * f.ph), cells(table.size());
          InterlaceEffect(table.data(), f.pw, f.ph, p);
          f.grid.Cells = cells.data();
          TkivFrameScratch scratch;
          ComposeCellFrame(work, target, f.rec, InterlaceEffect, f.grid, p, scratch, nullptr, fast);
          ComposeCellFrame(from_old, target, f.rec, InterlaceEffect, f.grid, p, scratch, &old,
                           fast);
          Reference(expect, target, f.rec, table, f.grid.Cols, f.grid.Rows);
          EXPECT_EQ(Differing(work, expect), 0)
              << s.w << "x" << s.h << " rot " << rot << " p " << int{p} << " fast " << int{fast};
          EXPECT_EQ(Differing(from_old, expect), 0)
              << s.w << "x" << s.h << " rot " << rot << " p " << int{p} << " fast " << int{fast};
        }
}

}  // namespace
}  // namespace kiv
