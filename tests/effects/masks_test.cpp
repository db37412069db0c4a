#include "effects/masks.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "effects/catalogue.hpp"
#include "framework/numeric.hpp"

namespace kiv {
namespace {

// Runs a mask effect by its bare name on a cleared grid.
std::vector<uint8_t> Mask(const std::string& name, int w, int h, int p) {
  std::vector<uint8_t> m(static_cast<size_t>(w) * h, 0);
  for (const TkivMaskEffect& e : kMaskEffects)
    if (name == e.name) {
      e.proc(m.data(), w, h, static_cast<uint8_t>(p));
      return m;
    }
  ADD_FAILURE() << "no mask effect " << name;
  return m;
}

int At(const std::vector<uint8_t>& m, int w, int x, int y) {
  return m[x + y * w];
}

int CountValue(const std::vector<uint8_t>& m, int v) {
  int n = 0;
  for (uint8_t c : m) n += c == v;
  return n;
}

TEST(MaskLine, EndsExactlyOnItsEndPointAndClips) {
  struct Case {
    int x0, y0, x1, y1;
  };
  const Case cases[] = {{0, 0, 9, 3}, {9, 0, 0, 4}, {2, 4, 7, 0}, {5, 0, 5, 4},
                        {0, 2, 9, 2}, {3, 3, 3, 3}, {0, 4, 4, 0}, {1, 0, 8, 1}};
  for (const Case& c : cases) {
    std::vector<uint8_t> m(10 * 5, 0);
    DrawMaskLine(m.data(), 10, 5, c.x0, c.y0, c.x1, c.y1, 9);
    EXPECT_EQ(At(m, 10, c.x0, c.y0), 9);
    EXPECT_EQ(At(m, 10, c.x1, c.y1), 9) << c.x0 << "," << c.y0 << "-" << c.x1 << "," << c.y1;
    const int steps = std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0));
    EXPECT_EQ(CountValue(m, 9), steps + 1);  // one cell per step, no gaps
  }
  // A line far outside the grid writes nothing; one crossing it only inside.
  std::vector<uint8_t> m(4 * 4, 0);
  DrawMaskLine(m.data(), 4, 4, -10, -10, -1, 20, 1);
  EXPECT_EQ(CountValue(m, 1), 0);
  DrawMaskLine(m.data(), 4, 4, -2, 1, 6, 1, 1);
  EXPECT_EQ(CountValue(m, 1), 4);
}

TEST(MaskRing, RingsOfConsecutiveRadiiLeaveNoGaps) {
  const int w = 41, h = 41;
  std::vector<uint8_t> m(w * h, 0);
  for (int r = 0; r <= 12; ++r) DrawMaskRing(m.data(), w, h, 20, 20, r, 1);
  // Every cell within radius 12 of the centre is covered.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((x - 20) * (x - 20) + (y - 20) * (y - 20) <= 12 * 12) {
        EXPECT_EQ(At(m, w, x, y), 1) << x << "," << y;
      }
}

// The ring against the midpoint walk plotted cell by cell, clipped, for
// centres inside, on the edge of and outside grids of several shapes; each
// ring over what earlier rings left, with its own value. The walk is written
// out here rather than taken from the generators, so a fault in theirs shows.
TEST(MaskRing, MatchesTheMidpointWalkCellByCell) {
  auto walk = [](std::vector<uint8_t>& m, int w, int h, int mx, int my, int r, uint8_t v) {
    auto plot = [&](int x, int y) {
      if (x >= 0 && x < w && y >= 0 && y < h) m[x + y * w] = v;
    };
    auto step = [&](int x, int y) {
      for (int u : {x, x + 1}) {
        plot(mx + u, my + y), plot(mx - u, my + y), plot(mx + u, my - y), plot(mx - u, my - y);
      }
      for (int u : {y, y + 1}) {
        plot(mx + u, my + x), plot(mx - u, my + x), plot(mx + u, my - x), plot(mx - u, my - x);
      }
    };
    int x = 0, y = r, d = 3 - 2 * r;
    while (y > x) {
      step(x, y);
      if (d < 0) {
        d += 4 * x + 6;
      } else {
        d += 4 * (x - y) + 10;
        --y;
      }
      ++x;
    }
    if (y == x) step(x, y);
  };
  struct Case {
    int w, h, mx, my;
  };
  for (const Case& c : {Case{40, 40, 20, 20}, Case{31, 9, 15, 4}, Case{9, 31, 0, 30},
                        Case{25, 25, -6, 12}, Case{1, 1, 0, 0}, Case{17, 5, 30, -3}}) {
    std::vector<uint8_t> got(static_cast<size_t>(c.w) * c.h, 0), want = got;
    for (int r = -1; r <= 45; ++r) {
      const auto v = static_cast<uint8_t>(r * 37 + 11);
      DrawMaskRing(got.data(), c.w, c.h, c.mx, c.my, r, v);
      walk(want, c.w, c.h, c.mx, c.my, r, v);
      ASSERT_EQ(got, want) << c.w << "x" << c.h << " centre " << c.mx << "," << c.my << " r " << r;
    }
  }
}

// The centred circles, drawn ring by ring over the whole grid as their rule
// says, on grids of odd and even sides (the centre then has one more column
// or row on one side): "CircleSlideOut" rings 0 .. MulDiv(D, p, 100) div 2,
// "CircleSlideIn" rings D div 2 - m for m from MulDiv(D, p, 100) div 2 down
// to 0, D = round(sqrt(W^2 + H^2)), all with value 255.
TEST(MaskEffects, CentredCirclesAreTheirRingsDrawnWhole) {
  for (auto [w, h] : {std::pair{40, 21}, std::pair{41, 20}, std::pair{7, 7}, std::pair{2, 9},
                      std::pair{1, 1}, std::pair{120, 3}}) {
    const int d = static_cast<int>(Round(std::sqrt(static_cast<long double>(w) * w + h * h)));
    for (int p : {1, 13, 50, 77, 100}) {
      std::vector<uint8_t> out(static_cast<size_t>(w) * h, 0), in = out;
      const int last = MulDiv(d, p, 100) / 2;
      for (int r = 0; r <= last; ++r) DrawMaskRing(out.data(), w, h, w / 2, h / 2, r, 255);
      for (int m = last; m >= 0; --m) DrawMaskRing(in.data(), w, h, w / 2, h / 2, d / 2 - m, 255);
      EXPECT_EQ(Mask("CircleSlideOut", w, h, p), out) << w << "x" << h << " p " << p;
      EXPECT_EQ(Mask("CircleSlideIn", w, h, p), in) << w << "x" << h << " p " << p;
    }
  }
}

TEST(MaskEffects, EdgeValues) {
  // FadeDown on 8 x 3 at 50: n = MulDiv(50, 2, 100) = 1; MulDiv(50, 255, 100) = 128.
  auto m = Mask("FadeDown", 8, 3, 50);
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(At(m, 8, x, 0), 128);
    EXPECT_EQ(At(m, 8, x, 1), 128);
    EXPECT_EQ(At(m, 8, x, 2), 0);
  }
  EXPECT_EQ(CountValue(Mask("SlideDown", 8, 3, 100), 255), 24);
  // Fade rounds ties to even (76.5 -> 76); the Fade members use MulDiv (77).
  EXPECT_EQ(CountValue(Mask("Fade", 8, 3, 30), 76), 24);
  EXPECT_EQ(CountValue(Mask("Fade", 75, 25, 50), 128), 75 * 25);
  EXPECT_EQ(At(Mask("FadeDown", 8, 3, 30), 8, 0, 0), 77);
  EXPECT_EQ(At(Mask("FadeOut", 8, 3, 30), 8, 0, 1), 77);
  // SmoothDown at 100 on 8 x 3: round(4.5) = 4 steps, every row 255.
  EXPECT_EQ(CountValue(Mask("SmoothDown", 8, 3, 100), 255), 24);
  // CircleSlideOut at 0: radius 0 is three cells across the centre.
  m = Mask("CircleSlideOut", 8, 3, 0);
  EXPECT_EQ(CountValue(m, 255), 3);
  EXPECT_EQ(At(m, 8, 3, 1), 255);
  EXPECT_EQ(At(m, 8, 4, 1), 255);
  EXPECT_EQ(At(m, 8, 5, 1), 255);
  // FadeCrossIn: full at 100, nothing at 0.
  EXPECT_EQ(CountValue(Mask("FadeCrossIn", 8, 3, 100), 255), 24);
  EXPECT_EQ(CountValue(Mask("FadeCrossIn", 8, 3, 0), 0), 24);
}

TEST(MaskEffects, EveryEffectIsFullAtTheEndAndMostAreEmptyAtTheStart) {
  // At 100 % the new picture must show everywhere. At 0 only the effects
  // that draw their first shape already (the Slide circles, Stream) write.
  const std::vector<std::pair<int, int>> sizes = {{8, 3},   {1, 1},  {3, 8},
                                                  {20, 20}, {31, 7}, {400, 2}};
  for (const TkivMaskEffect& e : kMaskEffects)
    for (auto [w, h] : sizes) {
      auto full = Mask(e.name, w, h, 100);
      EXPECT_EQ(CountValue(full, 255), w * h) << e.name << " " << w << "x" << h;
      const std::string n = e.name;
      if (n != "CircleSlideOut" && n != "CircleSlideIn" && n != "CircleSlide" && n != "Stream") {
        EXPECT_EQ(CountValue(Mask(e.name, w, h, 0), 0), w * h) << e.name << " " << w << "x" << h;
      }
    }
}

TEST(MaskEffects, PixelRevealsTheSameGrowingSetEveryFrame) {
  auto a = Mask("Pixel", 8, 3, 50);
  EXPECT_EQ(CountValue(a, 255), 12);
  EXPECT_EQ(Mask("Pixel", 8, 3, 50), a);
  auto b = Mask("Pixel", 8, 3, 75);
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i]) {
      EXPECT_EQ(b[i], 255);
    }
}

// The plasma lowers one threshold through a fixed pattern: every frame is
// clamp(level - pattern) with level = MulDiv(2p, 255, 100), and the pattern
// shows itself at p = 50 (level 255). Grid sizes around the 16-cell steps,
// kept patterns reused across sizes.
TEST(MaskEffects, PlasmaIsOneThresholdThroughAFixedPattern) {
  for (auto [w, h] : {std::pair{33, 7}, std::pair{5, 3}, std::pair{481, 271}, std::pair{33, 7}}) {
    const std::vector<uint8_t> half = Mask("Plasma", w, h, 50);
    for (int p = 0; p <= 100; ++p) {
      const std::vector<uint8_t> m = Mask("Plasma", w, h, p);
      const int level = (2 * p * 255 + 50) / 100;
      for (size_t i = 0; i < m.size(); ++i) {
        const int want = std::clamp(level - (255 - half[i]), 0, 255);
        ASSERT_EQ(m[i], want) << w << "x" << h << " p " << p << " cell " << i;
      }
    }
  }
}

// The random-cell order and the plasma pattern are kept for the last few
// grid sizes within a memory budget: sizes that together pass it evict the
// oldest, and the masks made again afterwards are the same.
TEST(MaskEffects, KeptSequencesAndPatternsSurviveEviction) {
  const std::vector<uint8_t> pixel = Mask("Pixel", 1921, 1081, 40);
  const std::vector<uint8_t> plasma = Mask("Plasma", 1921, 1081, 30);
  for (auto [w, h] : {std::pair{1601, 1201}, std::pair{1700, 1500}, std::pair{1500, 1700}}) {
    const std::vector<uint8_t> other = Mask("Pixel", w, h, 40);
    EXPECT_EQ(CountValue(other, 255), static_cast<int>(std::llround(w * h * 0.4)));
    Mask("Plasma", w, h, 30);
  }
  EXPECT_EQ(Mask("Pixel", 1921, 1081, 40), pixel);
  EXPECT_EQ(Mask("Plasma", 1921, 1081, 30), plasma);
  // The order only grows: every cell shown at 40 is shown at 60.
  const std::vector<uint8_t> later = Mask("Pixel", 1921, 1081, 60);
  for (size_t i = 0; i < pixel.size(); ++i)
    if (pixel[i]) {
      ASSERT_EQ(later[i], 255) << i;
    }
}

TEST(MaskEffects, StreamCoversEveryColumnAtTheEnd) {
  EXPECT_EQ(CountValue(Mask("Stream", 40, 30, 100), 255), 40 * 30);
  // Columns enter from the top: a revealed cell has its upper neighbour revealed.
  auto m = Mask("Stream", 40, 30, 60);
  for (int x = 0; x < 40; ++x)
    for (int y = 1; y < 30; ++y)
      if (At(m, 40, x, y)) {
        EXPECT_TRUE(At(m, 40, x, y - 1)) << x << "," << y;
      }
}

TEST(RandomSequence, MatchesTheLinearCongruentialFormula) {
  TkivRandom r{24};
  // seed 24 -> 24 * 0x08088405 + 1 = 0xC0CC6079 (mod 2^32); * 24 >> 32 = 18.
  EXPECT_EQ(r.Next(24), 18u);
  EXPECT_EQ(r.seed, 0xC0CC6079u);
}

}  // namespace
}  // namespace kiv
