#include "effects/frame_kernels.hpp"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "framework/text_convert.hpp"
#include "graphics/kiv_kernels.hpp"
#include "graphics/kiv_simd_level.hpp"

namespace kiv {
namespace {

// Random pixels with many alpha 0 / 255 and key-coloured ones, so that every
// branch of the vector kernels is taken.
std::vector<TkivPixel> Pixels(std::mt19937& rng, int n) {
  std::vector<TkivPixel> v(n);
  for (TkivPixel& p : v) {
    p = rng();
    switch (rng() % 5) {
      case 0:
        p &= 0x00FFFFFFu;
        break;
      case 1:
        p |= 0xFF000000u;
        break;
      case 2:
        p = (p & 0xFF000000u) | KeyPixel;
        break;
      default:
        break;
    }
  }
  return v;
}

// Every vector level the processor runs (lower ones on any x86-64 processor),
// each against the scalar kernels, on lengths around every vector width.
TEST(FrameKernels, VectorKernelsMatchTheReference) {
  std::mt19937 rng(7);
  for (TkivSimdLevel level : {TkivSimdLevel::SSE2, TkivSimdLevel::AVX2, TkivSimdLevel::AVX512})
    for (bool binary : {false, true})
      for (int n : {0, 1, 3, 4, 7, 8, 9, 15, 16, 17, 31, 33, 64, 333}) {
        const auto fg = Pixels(rng, n), bg = Pixels(rng, n);
        // Mixed masks, and masks of only 0 and 255 (whole blocks of each and
        // blocks of both, as a wipe or a random-cell effect makes).
        std::vector<uint8_t> alpha(n);
        for (int i = 0; i < n; ++i) {
          if (!binary)
            alpha[i] = static_cast<uint8_t>(rng() % 3 == 0 ? (rng() % 2) * 255 : rng());
          else
            alpha[i] = (i / 16 % 3 == 0 || (i / 16 % 3 == 2 && rng() % 2)) ? 255 : 0;
        }
        struct Out {
          std::vector<TkivPixel> target, work, copy, select, blend, streamed;
        };
        Out out[2];
        // A target whose alpha partly holds the new values already: those pixels
        // are left as they are, the others rewritten.
        std::vector<TkivPixel> target = fg;
        for (int i = 0; i < n; ++i)
          if (rng() % 2 && (target[i] & 0x00FFFFFFu) != KeyPixel)
            target[i] = (target[i] & 0x00FFFFFFu) | TkivPixel{alpha[i]} << 24;
        for (int ref = 0; ref < 2; ++ref) {
          const TkivScopedSimdLevel cap(ref == 1 ? TkivSimdLevel::Reference : level);
          Out& o = out[ref];
          o.target = target;
          o.work.assign(n, 0);
          ComposeMaskRow(o.target.data(), alpha.data(), bg.data(), o.work.data(), n);
          // The same row written around the caches, into a 64-byte aligned row.
          std::vector<TkivPixel> target2 = target, aligned(static_cast<size_t>(n) + 16, 0);
          TkivPixel* row = aligned.data();
          while (reinterpret_cast<uintptr_t>(row) % 64 != 0) ++row;
          ComposeMaskRow(target2.data(), alpha.data(), bg.data(), row, n, true);
          o.streamed.assign(row, row + n);
          o.copy = bg;
          CopyShownPixels(fg.data(), o.copy.data(), n);
          o.select.assign(n, 0);
          SelectShownPixels(fg.data(), bg.data(), o.select.data(), n);
          o.blend = bg;
          BlendRow(fg.data(), o.blend.data(), o.blend.data(), n);
        }
        const int lv = static_cast<int>(level);
        EXPECT_EQ(out[0].target, out[1].target) << n << " level " << lv;
        EXPECT_EQ(out[0].work, out[1].work) << n << " level " << lv;
        EXPECT_EQ(out[0].streamed, out[1].work) << n << " level " << lv;
        EXPECT_EQ(out[0].copy, out[1].copy) << n << " level " << lv;
        EXPECT_EQ(out[0].select, out[1].select) << n << " level " << lv;
        // Selecting equals copying the old row and then the shown pixels.
        EXPECT_EQ(out[0].select, out[1].copy) << n << " level " << lv;
        EXPECT_EQ(out[0].blend, out[1].blend) << n << " level " << lv;
      }
}

// Every alpha over every pair of old and new channel values, in all four
// channel places, at every vector level against the scalar formula; the row
// at one level gives the same as the mask row holding that level everywhere.
TEST(FrameKernels, MaskRowIsExactForEveryAlphaAndChannelPair) {
  const int n = 256;
  std::vector<uint8_t> alpha(n);
  std::vector<TkivPixel> source(n), target(n), want(n), got(n), at_level(n);
  for (TkivSimdLevel level : {TkivSimdLevel::SSE2, TkivSimdLevel::AVX2, TkivSimdLevel::AVX512})
    for (int a = 0; a < 256; ++a) {
      std::fill(alpha.begin(), alpha.end(), static_cast<uint8_t>(a));
      for (int fg = 0; fg < 256; ++fg) {
        for (int i = 0; i < n; ++i) {
          const uint32_t f = static_cast<uint32_t>(fg), b = static_cast<uint32_t>(i);
          target[i] = f | (255 - f) << 8 | (f ^ 0x5A) << 16;
          source[i] = b | (255 - b) << 8 | (b ^ 0xA5) << 16 | b << 24;
        }
        std::vector<TkivPixel> t_ref = target, t_vec = target, t_level = target;
        {
          const TkivScopedSimdLevel cap(TkivSimdLevel::Reference);
          ComposeMaskRow(t_ref.data(), alpha.data(), source.data(), want.data(), n);
        }
        {
          const TkivScopedSimdLevel cap(level);
          ComposeMaskRow(t_vec.data(), alpha.data(), source.data(), got.data(), n);
          ComposeLevelRow(t_level.data(), static_cast<uint8_t>(a), source.data(), at_level.data(),
                          n);
        }
        ASSERT_EQ(got, want) << "level " << static_cast<int>(level) << " alpha " << a << " fg "
                             << fg;
        ASSERT_EQ(t_vec, t_ref) << "alpha " << a << " fg " << fg;
        ASSERT_EQ(at_level, want) << "one level, " << static_cast<int>(level) << " alpha " << a
                                  << " fg " << fg;
        ASSERT_EQ(t_level, t_ref) << "one level, alpha " << a << " fg " << fg;
      }
    }
}

// The row at one level against the reference mask row holding that level
// everywhere, at every level the processor runs (the reference included):
// lengths around every vector width and a button's whole picture, rows that
// start off the vector alignment (each of the three at its own offset),
// targets that partly hold the level already, and nothing written past the
// row's end; the same into a 64-byte aligned row written around the caches.
TEST(FrameKernels, LevelRowIsTheMaskRowAtOneLevel) {
  std::mt19937 rng(5);
  struct Offsets {
    int target, source, work;  // pixels past a 64-byte boundary
  };
  static constexpr TkivPixel kGuard = 0xDEADBEEFu;
  for (TkivSimdLevel simd :
       {TkivSimdLevel::Reference, TkivSimdLevel::SSE2, TkivSimdLevel::AVX2, TkivSimdLevel::AVX512})
    for (int n : {0, 1, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 32, 33, 63, 65, 333, 1875})
      for (const Offsets& o : {Offsets{0, 0, 0}, Offsets{1, 2, 3}, Offsets{3, 0, 13}})
        for (int level : {0, 1, 127, 128, 200, 254, 255}) {
          const auto fg = Pixels(rng, n), bg = Pixels(rng, n);
          std::vector<TkivPixel> target = fg;
          for (int i = 0; i < n; ++i)
            if (rng() % 2 && (target[i] & 0x00FFFFFFu) != KeyPixel)
              target[i] = (target[i] & 0x00FFFFFFu) | TkivPixel(level) << 24;
          std::vector<TkivPixel> want_target = target, want_work(n);
          {
            const TkivScopedSimdLevel cap(TkivSimdLevel::Reference);
            const std::vector<uint8_t> alpha(n, static_cast<uint8_t>(level));
            ComposeMaskRow(want_target.data(), alpha.data(), bg.data(), want_work.data(), n);
          }
          // Each row placed `offset` pixels past a 64-byte boundary, with
          // guard pixels behind it.
          struct Row {
            std::vector<TkivPixel> store;
            TkivPixel* p;
            Row(const std::vector<TkivPixel>& v, int offset) : store(v.size() + 48, kGuard) {
              p = store.data();
              while (reinterpret_cast<uintptr_t>(p) % 64 != 0) ++p;
              p += offset;
              std::copy(v.begin(), v.end(), p);
            }
            std::vector<TkivPixel> Get(int count) const { return {p, p + count}; }
            bool GuardKept(int count) const {
              return p[count] == kGuard && p[count + 15] == kGuard;
            }
          };
          for (bool stream : {false, true}) {
            const TkivScopedSimdLevel cap(simd);
            Row t(target, o.target), s(bg, o.source), w(std::vector<TkivPixel>(n), o.work);
            ComposeLevelRow(t.p, static_cast<uint8_t>(level), s.p, w.p, n, stream);
            const std::string where =
                std::string(SimdLevelName(simd)) + " n " + std::to_string(n) + " level " +
                std::to_string(level) + (stream ? " streamed" : "") + " offsets " +
                std::to_string(o.target) + std::to_string(o.source) + std::to_string(o.work);
            ASSERT_EQ(t.Get(n), want_target) << where;
            ASSERT_EQ(w.Get(n), want_work) << where;
            ASSERT_EQ(s.Get(n), bg) << where;
            ASSERT_TRUE(t.GuardKept(n) && w.GuardKept(n)) << where;
          }
        }
}

// The widening of a mask row: maps with tiles restarting, cells repeated
// unevenly, single pixels and steps too wide for one window; each level
// against the plain lookup, and nothing written past the row.
TEST(FrameKernels, MaskSpreadMatchesThePlainLookup) {
  std::mt19937 rng(11);
  struct Case {
    int width, cols, tile;  // pixel row, cells per tile, pixels per tile
  };
  for (const Case& c : {Case{1, 1, 1}, Case{75, 8, 80}, Case{100, 51, 51}, Case{1920, 481, 1924},
                        Case{333, 40, 100}, Case{64, 64, 64}, Case{47, 5, 7}}) {
    std::vector<int32_t> columns(static_cast<size_t>(c.width));
    const int64_t step = (int64_t{c.cols} * 65536) / c.tile;
    for (int x = 0; x < c.width; ++x)
      columns[x] = static_cast<int32_t>(std::min<int64_t>(((x % c.tile) * step) >> 16, c.cols - 1));
    std::vector<uint8_t> row(static_cast<size_t>(c.cols));
    for (uint8_t& v : row) v = static_cast<uint8_t>(rng());
    std::vector<uint8_t> want(static_cast<size_t>(c.width));
    for (int x = 0; x < c.width; ++x) want[x] = row[columns[x]];
    TkivMaskSpread spread;
    spread.Plan(columns);
    for (TkivSimdLevel level : {TkivSimdLevel::Reference, TkivSimdLevel::SSE2, TkivSimdLevel::AVX2,
                                TkivSimdLevel::AVX512}) {
      const TkivScopedSimdLevel cap(level);
      std::vector<uint8_t> out(static_cast<size_t>(c.width) + 8, 0xEE);
      spread.Spread(row.data(), c.cols, out.data());
      EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + c.width), want)
          << c.width << " level " << static_cast<int>(level);
      EXPECT_EQ(out[c.width], 0xEE);
    }
  }
}

TEST(FrameKernels, BlendIsBitExactWithTheSurfaceKernels) {
  // The fused rows must give what the surface's own blend gives: the MMX
  // formula with exact ends, as the scalar reference and the installed table.
  EXPECT_EQ(Kernels.BlendPixel(0x80FF0000u, 0xFF0000FFu), 0xBF7F007Fu);
  std::mt19937 rng(3);
  for (int n : {1, 5, 16, 17, 100, 1003}) {
    const auto fg = Pixels(rng, n), bg = Pixels(rng, n);
    std::vector<uint8_t> alpha(n);
    for (uint8_t& a : alpha) a = static_cast<uint8_t>(rng() % 3 == 0 ? (rng() % 2) * 255 : rng());
    std::vector<TkivPixel> by_reference = bg, by_table = bg;
    reference::BlendPixelsMMX(fg.data(), by_reference.data(), n);
    Kernels.BlendPixels(fg.data(), by_table.data(), n);
    ASSERT_EQ(by_reference, by_table) << n;
    // The mask row: the target's alpha laid (key pixels at 0), then blended.
    std::vector<TkivPixel> laid = fg;
    for (int i = 0; i < n; ++i) {
      const TkivPixel c = laid[i] & 0x00FFFFFFu;
      laid[i] = c == KeyPixel ? c : c | TkivPixel{alpha[i]} << 24;
    }
    std::vector<TkivPixel> mask_want = bg;
    reference::BlendPixelsMMX(laid.data(), mask_want.data(), n);
    for (bool ref : {true, false}) {
      const TkivScopedSimdLevel cap(ref ? TkivSimdLevel::Reference : TkivSimdLevel::AVX512);
      std::vector<TkivPixel> out(n), target = fg, work(n);
      BlendRow(fg.data(), bg.data(), out.data(), n);
      EXPECT_EQ(out, by_reference) << n << (ref ? " reference" : " vector");
      ComposeMaskRow(target.data(), alpha.data(), bg.data(), work.data(), n);
      EXPECT_EQ(target, laid) << n;
      EXPECT_EQ(work, mask_want) << n << (ref ? " reference" : " vector");
    }
  }
}

// The switch reaches both kernel tables: under each cap the surface's table
// holds that level's kernels and the frame kernels run at that level (both
// lowered to what the processor runs), and leaving the scope restores both.
TEST(SimdLevelSwitch, TheCapReachesBothKernelTables) {
  const TkivSimdLevel outer = ActiveSimdLevel();
  struct Case {
    TkivSimdLevel level;
    void (*key_copy)(const TkivPixel*, TkivPixel*, int32_t);
  };
  for (const Case& c : {Case{TkivSimdLevel::Reference, reference::KeyCopyPixels},
                        Case{TkivSimdLevel::SSE2, simd::KeyCopyPixelsSSE2},
                        Case{TkivSimdLevel::AVX2, simd::KeyCopyPixelsAVX2},
                        Case{TkivSimdLevel::AVX512, simd::KeyCopyPixelsAVX512}}) {
    if (c.level > outer) continue;  // the processor (or the run's cap) lacks it
    SCOPED_TRACE(SimdLevelName(c.level));
    {
      const TkivScopedSimdLevel cap(c.level);
      EXPECT_EQ(ActiveSimdLevel(), c.level);
      EXPECT_EQ(Kernels.KeyCopyPixels, c.key_copy);
      EXPECT_EQ(FrameKernelLevel(), c.level);
      // A guard inside never raises the cap.
      const TkivScopedSimdLevel wider(TkivSimdLevel::AVX512);
      EXPECT_EQ(FrameKernelLevel(), c.level);
    }
    EXPECT_EQ(ActiveSimdLevel(), outer);
    EXPECT_EQ(FrameKernelLevel(), outer);
    EXPECT_EQ(Kernels.KeyCopyPixels, MakeKernelTable(TkivBlendVersion::MMX, outer).KeyCopyPixels);
  }
}

// A test that fails while it holds a forced level leaves no level behind.
TEST(SimdLevelSwitch, AFailedAssertionRestoresTheLevel) {
  const TkivSimdLevel outer = ActiveSimdLevel();
  EXPECT_FATAL_FAILURE(
      {
        const TkivScopedSimdLevel cap(TkivSimdLevel::Reference);
        ASSERT_EQ(FrameKernelLevel(), TkivSimdLevel::AVX512) << "forced failure";
      },
      "forced failure");
  EXPECT_EQ(FrameKernelLevel(), outer);
  EXPECT_EQ(ActiveSimdLevel(), outer);
}

TEST(SimdLevelSwitch, LevelNamesReadBackInAnyCase) {
  for (const TkivSimdLevelInfo& info : SimdLevels) {
    EXPECT_EQ(SimdLevelFromName(info.name), info.level);
    EXPECT_EQ(SimdLevelFromName(UpperCase(info.name)), info.level);
    EXPECT_STREQ(SimdLevelName(info.level), info.name);
  }
  EXPECT_EQ(SimdLevelFromName("avx"), std::nullopt);
  EXPECT_EQ(SimdLevelFromName(""), std::nullopt);
}

}  // namespace
}  // namespace kiv
