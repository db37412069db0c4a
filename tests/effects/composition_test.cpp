#include "effects/composition.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "effects/engine.hpp"
#include "engine_support.hpp"
#include "graphics/kiv_simd_level.hpp"

namespace kiv {
namespace {

using kivtest::PaintPattern;

uint32_t Alpha(TkivPixel p) {
  return p >> 24;
}

// Composes one frame of an effect at progress p the way the engine does
// (old picture first), on a started slot.
struct Frame {
  kivtest::Surface source, target;
  TkivAnimationRec rec;
  int slot = 5;
  kivtest::ManualEngine engine;
  Frame(int w, int h) : source(w, h), target(w, h) {
    PaintPattern(source, 1);
    PaintPattern(target, 2);
  }
  const TkivBitmap& Run(const std::string& effect, int p) {
    rec.SetEffect(effect);
    EXPECT_EQ(StartAnimation(nullptr, 0, 0, slot, rec, &target, &source), slot);
    TkivAnimationSlot& s = AnimationSlot(slot);
    EXPECT_TRUE(s.Active);
    ComposeFrame(s, static_cast<uint8_t>(p));
    return *s.Work;
  }
  TkivAnimationSlot& Slot() { return AnimationSlot(slot); }
};

TEST(Composition, FadeAtHalfBlendsEveryPixelWithAlpha128) {
  Frame f(75, 25);
  f.rec.SetResolution(10);
  const TkivBitmap& work = f.Run("Fade", 50);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 75; ++x) {
      ASSERT_EQ(Alpha(f.target.GetPixel(x, y)), 128u);
      ASSERT_EQ(work.GetPixel(x, y),
                Kernels.BlendPixel(f.target.GetPixel(x, y), f.source.GetPixel(x, y)));
    }
  // The blend weights the old picture by 256 - a: channel 200 over 100 at 128 is 150.
  EXPECT_EQ(Kernels.BlendPixel(0x80C8C8C8u, 0xFF646464u), 0xBF969696u);
}

TEST(Composition, MaskIsWidenedWithTruncatedSteps) {
  // 8 cells over 80 pixels: the step 6553/65536 is short of 1/10, so pixel 10
  // still takes cell 0 and the cell borders fall one pixel late.
  kivtest::Surface s(80, 1);
  const uint8_t mask[8] = {0, 10, 20, 30, 40, 50, 60, 70};
  ApplyMaskAlpha(s, mask, 8, 1, Rect(0, 0, 80, 1));
  EXPECT_EQ(Alpha(s.GetPixel(9, 0)), 0u);
  EXPECT_EQ(Alpha(s.GetPixel(10, 0)), 0u);
  EXPECT_EQ(Alpha(s.GetPixel(11, 0)), 10u);
  EXPECT_EQ(Alpha(s.GetPixel(79, 0)), 70u);
  // Colour bytes stay; a rectangle outside the surface changes nothing.
  s.Fill(0x00123456u);
  ApplyMaskAlpha(s, mask, 8, 1, Rect(80, 0, 160, 1));
  EXPECT_EQ(s.GetPixel(79, 0), 0x00123456u);
}

TEST(Composition, TilesRepeatTheMaskAndAreCutByTheSurface) {
  Frame f(100, 100);
  f.rec.SetTileCount(2);
  f.Run("FadeDown", 50);  // rows 0..25 of the 51-row grid hold 128
  EXPECT_EQ(f.Slot().Cols, 51);
  EXPECT_EQ(f.Slot().Rows, 51);
  for (int tile_top : {0, 51})
    for (int x : {0, 50, 51, 99}) {
      EXPECT_EQ(Alpha(f.target.GetPixel(x, tile_top)), 128u) << x << "," << tile_top;
      EXPECT_EQ(Alpha(f.target.GetPixel(x, tile_top + 25)), 128u);
      if (tile_top + 26 < 100) {
        EXPECT_EQ(Alpha(f.target.GetPixel(x, tile_top + 26)), 0u);
      }
    }
}

TEST(Composition, KeyColouredTargetPixelsNeverShow) {
  for (const char* effect : {"Fade", "SlideDown", "Interlace", "Slide", "Push"}) {
    Frame f(30, 20);
    f.target.SetPixel(3, 4, KeyPixel | 0xFF000000u);
    f.target.SetPixel(29, 19, KeyPixel);
    const TkivBitmap& work = f.Run(effect, 100);
    EXPECT_EQ(work.GetPixel(3, 4), f.source.GetPixel(3, 4)) << effect;
    EXPECT_EQ(work.GetPixel(29, 19), f.source.GetPixel(29, 19)) << effect;
    EXPECT_EQ(work.GetPixel(5, 5), f.target.GetPixel(5, 5)) << effect;
  }
}

TEST(Composition, HalfTurnFillsTheMaskFromTheBottom) {
  Frame f(80, 30);
  f.rec.SetResolution(10);  // 9 x 4 grid
  f.rec.SetRotation(qrRotate180);
  f.Run("SlideDown", 40);  // n = MulDiv(40, 3, 100) = 1: two rows
  const uint8_t* m = f.Slot().Mask.data();
  for (int x = 0; x < 9; ++x) {
    EXPECT_EQ(m[x + 0 * 9], 0);
    EXPECT_EQ(m[x + 1 * 9], 0);
    EXPECT_EQ(m[x + 2 * 9], 255);
    EXPECT_EQ(m[x + 3 * 9], 255);
  }
}

TEST(Composition, QuarterTurnsRunTheGeneratorOnTheTurnedGrid) {
  // SlideDown on the turned grid fills its first rows; Mask(x, y) takes
  // m(Rows - 1 - y, x) for 90, so they lie along the left columns, and
  // m(y, Cols - 1 - x) for 270, along the right ones.
  for (TkivRotation rot : {qrRotate90, qrRotate270}) {
    Frame f(80, 30);
    f.rec.SetResolution(10);  // 9 x 4 grid, generator sees 4 x 9
    f.rec.SetRotation(rot);
    f.Run("SlideDown", 20);  // n = MulDiv(20, 8, 100) = 2: three rows of the turned grid
    const uint8_t* m = f.Slot().Mask.data();
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 9; ++x) {
        const bool shown = rot == qrRotate90 ? x <= 2 : x >= 6;
        EXPECT_EQ(m[x + y * 9], shown ? 255 : 0) << rot << " " << x << "," << y;
      }
  }
}

TEST(Composition, SlideAndPushMoveWholePictures) {
  Frame slide(100, 10);
  const TkivBitmap& w1 = slide.Run("Slide", 25);  // target at x = -75
  for (int x : {0, 24}) EXPECT_EQ(w1.GetPixel(x, 3), slide.target.GetPixel(x + 75, 3));
  for (int x : {25, 99}) EXPECT_EQ(w1.GetPixel(x, 3), slide.source.GetPixel(x, 3));

  Frame push(100, 10);
  const TkivBitmap& w2 = push.Run("Push", 25);
  for (int x : {25, 60, 99}) EXPECT_EQ(w2.GetPixel(x, 3), push.source.GetPixel(x - 25, 3));
  for (int x : {0, 24}) EXPECT_EQ(w2.GetPixel(x, 3), push.target.GetPixel(x + 75, 3));

  struct Case {
    TkivRotation rot;
    int wx, wy, sx, sy;
  };  // work (wx, wy) shows target (sx, sy)
  const Case cases[] = {{qrRotate90, 5, 30, 5, 0},
                        {qrRotate180, 99, 4, 24, 4},
                        {qrRotate270, 5, 0, 5, 30},
                        {qrRotate270, 5, 9, 5, 39}};
  for (const Case& c : cases) {
    Frame f(100, 40);
    f.rec.SetRotation(c.rot);
    const TkivBitmap& w = f.Run("Push", 25);  // 25 columns or 10 rows
    EXPECT_EQ(w.GetPixel(c.wx, c.wy), f.target.GetPixel(c.sx, c.sy)) << c.rot;
  }
  // Push by a quarter turn up: the old picture moved up by 10 rows.
  Frame up(100, 40);
  up.rec.SetRotation(qrRotate90);
  const TkivBitmap& w3 = up.Run("Push", 25);
  EXPECT_EQ(w3.GetPixel(7, 0), up.source.GetPixel(7, 10));
  EXPECT_EQ(w3.GetPixel(7, 29), up.source.GetPixel(7, 39));
}

TEST(Composition, DisplacementCells) {
  std::vector<TkivCellRec> cells(24);
  CornerEffect(cells.data(), 8, 3, 100);
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 8; ++i) {
      const TkivCellRec& c = cells[i + j * 8];
      EXPECT_EQ(c.Opacity, 255);
      EXPECT_EQ(c.SourceCol, i);
      EXPECT_EQ(c.SourceRow, j);
    }
  cells.assign(24, TkivCellRec{});
  CornerEffect(cells.data(), 8, 3, 50);  // c = 4 (3.5 away from zero), d = 1
  EXPECT_EQ(cells[0].SourceCol, 3);
  EXPECT_EQ(cells[0].SourceRow, 1);
  EXPECT_EQ(cells[5].Opacity, 0);
  EXPECT_EQ(cells[4 + 8].SourceCol, 7);
  EXPECT_EQ(cells[2 * 8].Opacity, 0);

  cells.assign(24, TkivCellRec{});
  InterlaceEffect(cells.data(), 8, 3, 0);
  for (const TkivCellRec& c : cells) EXPECT_EQ(c.Opacity, 0);
  InterlaceEffect(cells.data(), 8, 3, 75);  // o = MulDiv(25, 8, 100) = 2
  EXPECT_EQ(cells[0].SourceCol, 2);         // even row from the left
  EXPECT_EQ(cells[0 + 8].SourceCol, -2);    // odd row from the right
  EXPECT_EQ(cells[5 + 16].SourceCol, 7);
}

TEST(Composition, InterlaceMovesRowsOfCells) {
  Frame f(40, 20);
  f.rec.SetResolution(5);                        // 9 x 5 grid
  const TkivBitmap& w = f.Run("Interlace", 78);  // o = MulDiv(22, 9, 100) = 2
  // Row 0 (even) shows target columns shifted by 2 cells = 10 pixels.
  EXPECT_EQ(w.GetPixel(3, 2), f.target.GetPixel(13, 2));
  // Row 1 (odd, pixel rows 5..10) comes from the left: pixel 12 shows 2.
  EXPECT_EQ(w.GetPixel(12, 7), f.target.GetPixel(2, 7));
  EXPECT_EQ(w.GetPixel(3, 7), f.source.GetPixel(3, 7));  // nothing to show yet
  // Shared border row 5: the later cell row (odd) wins.
  EXPECT_EQ(w.GetPixel(12, 5), f.target.GetPixel(2, 5));
}

TEST(Composition, BitmapAnimationFollowsThePattern) {
  Frame f(40, 10);
  f.rec.SetResolution(10);  // 5 x 2 grid
  kivtest::Surface pattern(5, 2);
  pattern.Fill(0xFF000000u);            // black
  pattern.SetPixel(2, 1, 0xFFFFFFFFu);  // one white cell
  pattern.SetPixel(4, 0, 0xFF808080u);  // one grey cell (128)
  f.rec.SetBitmap(&pattern);
  struct Case {
    int p, black, white, grey;
  };
  const Case cases[] = {
      {0, 0, 0, 0}, {25, 0, 128, 1}, {50, 0, 255, 128}, {75, 128, 255, 255}, {100, 255, 255, 255}};
  for (const Case& c : cases) {
    f.Run(kBitmapEffectName, c.p);
    const uint8_t* m = f.Slot().Mask.data();
    EXPECT_EQ(m[0], c.black) << c.p;
    EXPECT_EQ(m[2 + 5], c.white) << c.p;
    EXPECT_EQ(m[4], c.grey) << c.p;
  }
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

TEST(Composition, OnePassMovesEqualDrawingTheOldPictureFirst) {
  for (const char* name : {"Slide", "Push"})
    for (int rot = 0; rot < 4; ++rot)
      for (int p : {0, 1, 33, 50, 99, 100}) {
        const TkivProcItem* effect = FindEffect(name);
        ASSERT_NE(effect, nullptr);
        const TkivManualProc proc = std::get<TkivManualProc>(effect->Proc);
        kivtest::Surface source(37, 23), target(37, 23), a(37, 23), b(37, 23);
        kivtest::PaintPattern(source, 1);
        kivtest::PaintPattern(target, 2);
        target.SetPixel(30, 20, KeyPixel | 0xFF000000u);
        target.SetPixel(5, 5, 0x80FFFFFFu);  // half transparent
        TkivAnimationRec rec;
        rec.SetRotation(static_cast<TkivRotation>(rot));
        kivtest::Surface target2(37, 23);
        target.DrawTo(target2, 0, 0);
        source.DrawTo(a, 0, 0);
        ComposeManualFrame(a, target, rec, proc, static_cast<uint8_t>(p));
        ASSERT_TRUE(ComposesFromOldPicture(effect, source, b, target2));
        ComposeManualFrameFrom(source, b, target2, rec, effect->Fast, static_cast<uint8_t>(p));
        int differ = 0;
        for (int y = 0; y < 23; ++y)
          for (int x = 0; x < 37; ++x) differ += a.GetPixel(x, y) != b.GetPixel(x, y);
        EXPECT_EQ(differ, 0) << name << " rot " << rot << " p " << p;
        // A later frame of the same animation, whose key pixels were hidden
        // by this one, gives the same picture, and the new picture's pixels
        // end as the step-by-step frames leave them.
        const uint8_t next = static_cast<uint8_t>(p + (100 - p) / 2);
        source.DrawTo(a, 0, 0);
        ComposeManualFrame(a, target, rec, proc, next);
        ComposeManualFrameFrom(source, b, target2, rec, effect->Fast, next, true);
        differ = 0;
        int target_differ = 0;
        for (int y = 0; y < 23; ++y)
          for (int x = 0; x < 37; ++x) {
            differ += a.GetPixel(x, y) != b.GetPixel(x, y);
            target_differ += target.GetPixel(x, y) != target2.GetPixel(x, y);
          }
        EXPECT_EQ(differ, 0) << "next frame rot " << rot << " p " << int{next};
        EXPECT_EQ(target_differ, 0) << "rot " << rot << " p " << int{next};
      }
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

// A fade composed in one pass at its one level gives what laying its mask as
// the new picture's alpha and drawing that over the old picture gives: the
// frame and the new picture's alpha bytes, key pixels and half-transparent
// ones included, at the reference and the widest level the processor runs;
// from a single pixel to a picture wider than any one vector row.
TEST(Composition, UniformFadeInOnePassEqualsTheMaskLaidAndDrawn) {
  const TkivProcItem* fade = FindEffect("Fade");
  ASSERT_NE(fade, nullptr);
  ASSERT_EQ(fade->Fast, fpUniformMask);
  const TkivMaskProc proc = std::get<TkivMaskProc>(fade->Proc);
  struct Size {
    int w, h, res;
  };
  for (TkivSimdLevel simd : {TkivSimdLevel::Reference, TkivSimdLevel::AVX512})
    for (const Size& z : {Size{1, 1, 1}, Size{75, 25, 10}, Size{131, 130, 3}})
      for (int p : {0, 5, 50, 99, 100}) {
        const TkivScopedSimdLevel cap(simd);
        kivtest::Surface source(z.w, z.h), target(z.w, z.h), laid(z.w, z.h), drawn(z.w, z.h),
            one_pass(z.w, z.h);
        PaintPattern(source, 1);
        PaintPattern(target, 2);
        target.SetPixel(z.w / 2, z.h / 2, KeyPixel | 0xFF000000u);
        target.SetPixel(z.w - 1, z.h - 1, 0x40123456u);
        target.DrawTo(laid, 0, 0);
        TkivAnimationRec rec;
        rec.SetResolution(z.res);
        TkivFrameGrid grid;
        grid.Cols = GridExtent(z.w, z.res, 1);
        grid.Rows = GridExtent(z.h, z.res, 1);
        std::vector<uint8_t> mask(static_cast<size_t>(grid.Cols) * grid.Rows);
        grid.Mask = mask.data();
        source.DrawTo(drawn, 0, 0);
        ComposeMaskFrame(drawn, laid, rec, proc, grid, static_cast<uint8_t>(p));
        TkivFrameScratch scratch;
        ComposeMaskFrameFrom(source, one_pass, target, rec, proc, grid, static_cast<uint8_t>(p),
                             scratch, fpUniformMask);
        int frame_differ = 0, alpha_differ = 0;
        for (int y = 0; y < z.h; ++y)
          for (int x = 0; x < z.w; ++x) {
            frame_differ += one_pass.GetPixel(x, y) != drawn.GetPixel(x, y);
            alpha_differ += target.GetPixel(x, y) != laid.GetPixel(x, y);
          }
        EXPECT_EQ(frame_differ, 0) << SimdLevelName(simd) << " " << z.w << "x" << z.h << " p " << p;
        EXPECT_EQ(alpha_differ, 0) << SimdLevelName(simd) << " " << z.w << "x" << z.h << " p " << p;
      }
}

}  // namespace
}  // namespace kiv
