// The pixel kernels: the two blend formulas on exact examples, and every SIMD
// variant bit-exact against the scalar reference on random and edge data.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "graphics/kiv_kernels.hpp"
#include "support/guarded_memory.hpp"

namespace kiv {
namespace {

constexpr TkivPixel Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

TEST(BlendPixel, IntegerFormulaWeighsBackgroundBy255MinusAlpha) {
  struct Case {
    TkivPixel fg, bg, want;
  };
  for (const Case& c : {
           Case{Argb(128, 255, 0, 0), Argb(255, 0, 0, 255), Argb(255, 127, 0, 126)},
           Case{Argb(255, 1, 2, 3), Argb(9, 9, 9, 9), Argb(255, 1, 2, 3)},  // opaque: fg
           Case{Argb(0, 1, 2, 3), Argb(9, 8, 7, 6), Argb(9, 8, 7, 6)},      // clear: bg
           Case{Argb(1, 255, 255, 255), Argb(0, 0, 0, 0), Argb(255, 0, 0, 0)},
           Case{Argb(254, 255, 255, 255), Argb(0, 255, 255, 255), Argb(255, 254, 254, 254)},
       }) {
    EXPECT_EQ(reference::BlendPixelInteger(c.fg, c.bg), c.want) << std::hex << c.fg;
  }
}

TEST(BlendPixel, MMXFormulaBlendsEveryLaneWithoutSpecialCases) {
  struct Case {
    TkivPixel fg, bg, want;
  };
  for (const Case& c : {
           Case{Argb(128, 255, 0, 0), Argb(255, 0, 0, 255), Argb(191, 127, 0, 127)},
           // a = 255 is not a copy: (bg + 255 * fg) >> 8 per lane.
           Case{Argb(255, 255, 0, 10), Argb(255, 255, 255, 255), Argb(255, 255, 0, 10)},
           Case{Argb(255, 1, 1, 1), Argb(0, 0, 0, 0), Argb(254, 0, 0, 0)},
           Case{Argb(0, 1, 2, 3), Argb(9, 8, 7, 6), Argb(9, 8, 7, 6)},
       }) {
    EXPECT_EQ(reference::BlendPixelMMX(c.fg, c.bg), c.want) << std::hex << c.fg;
  }
  // Exhaustive over alpha and one lane: the formula stays in 0..255.
  for (uint32_t a = 0; a < 256; ++a)
    for (uint32_t f = 0; f < 256; f += 15)
      for (uint32_t b = 0; b < 256; b += 17) {
        const TkivPixel got = reference::BlendPixelMMX(Argb(a, f, f, f), Argb(b, b, b, b));
        EXPECT_EQ(got & 0xFF, (b * (256 - a) + f * a) >> 8);
        EXPECT_EQ(got >> 24, (b * (256 - a) + a * a) >> 8);
      }
}

// Pixels that stress the formulas: alpha at its ends, channels at theirs, key
// colours with and without alpha.
std::vector<TkivPixel> EdgePixels() {
  std::vector<TkivPixel> v;
  for (uint32_t a : {0u, 1u, 2u, 127u, 128u, 129u, 254u, 255u})
    for (uint32_t c : {0u, 1u, 127u, 128u, 254u, 255u}) v.push_back(Argb(a, c, 255 - c, c ^ 0x55));
  for (uint32_t a : {0u, 1u, 128u, 255u}) v.push_back(KeyPixel | a << 24);
  v.push_back(0x33333333);
  v.push_back(0xFEFFFFFF);
  v.push_back(0x00FFFFFF);
  return v;
}

struct Variant {
  const char* name;
  TkivBlendVersion version;
  TkivSimdLevel level;
};
const Variant kVariants[] = {
    {"integer/SSE2", TkivBlendVersion::Integer, TkivSimdLevel::SSE2},
    {"integer/AVX2", TkivBlendVersion::Integer, TkivSimdLevel::AVX2},
    {"MMX/SSE2", TkivBlendVersion::MMX, TkivSimdLevel::SSE2},
    {"MMX/AVX2", TkivBlendVersion::MMX, TkivSimdLevel::AVX2},
    {"integer/AVX-512", TkivBlendVersion::Integer, TkivSimdLevel::AVX512},
    {"MMX/AVX-512", TkivBlendVersion::MMX, TkivSimdLevel::AVX512},
};

// Runs `check(name, reference_run, run)` for each row kernel of the table
// `t` against the same kernel of `ref`; each run takes the destination run.
template <class Check>
void CheckRowKernels(const TkivKernelTable& ref, const TkivKernelTable& t, const TkivPixel* s,
                     int n, TkivPixel value, uint8_t alpha, Check check) {
  // `call(table, d)` runs one kernel of `table` on the destination run d.
  auto both = [&](const char* name, auto call) {
    check(
        name, [&](TkivPixel* d) { call(ref, d); }, [&](TkivPixel* d) { call(t, d); });
  };
  using Table = const TkivKernelTable&;
  both("BlendPixels", [&](Table k, TkivPixel* d) { k.BlendPixels(s, d, n); });
  both("KeyCopyPixels", [&](Table k, TkivPixel* d) { k.KeyCopyPixels(s, d, n); });
  both("CopyPixels", [&](Table k, TkivPixel* d) { k.CopyPixels(s, d, n); });
  both("FillPixels", [&](Table k, TkivPixel* d) { k.FillPixels(d, n, value); });
  both("SetAlphaPixels", [&](Table k, TkivPixel* d) { k.SetAlphaPixels(d, n, alpha); });
}

// Random runs of every length 0..70 at every alignment 0..7, with random data
// mixed with edge pixels; each kernel of a variant must match the reference of
// its version exactly, and must not write outside its run.
TEST(KernelTable, SimdVariantsAreBitExactWithTheReference) {
  std::mt19937 rng(12345);
  const std::vector<TkivPixel> edges = EdgePixels();
  auto random_pixel = [&] {
    switch (rng() % 4) {
      case 0:
        return edges[rng() % edges.size()];
      case 1:
        return static_cast<TkivPixel>(rng()) | 0xFF000000u;
      case 2:
        return static_cast<TkivPixel>(rng()) & 0x00FFFFFFu;
      default:
        return static_cast<TkivPixel>(rng());
    }
  };
  for (const Variant& v : kVariants) {
    const TkivKernelTable ref = MakeKernelTable(v.version, TkivSimdLevel::Reference);
    const TkivKernelTable t = MakeKernelTable(v.version, v.level);
    for (int n = 0; n <= 70; ++n)
      for (int off = 0; off < 8; ++off) {
        std::vector<TkivPixel> src(n + 16), dst(n + 16);
        for (auto& p : src) p = random_pixel();
        for (auto& p : dst) p = random_pixel();
        auto check = [&](const char* what, auto run_ref, auto run) {
          std::vector<TkivPixel> want = dst, got = dst;
          run_ref(want.data() + off);
          run(got.data() + off);
          ASSERT_EQ(want, got) << v.name << " " << what << " n=" << n << " off=" << off;
        };
        const TkivPixel value = random_pixel();
        CheckRowKernels(ref, t, src.data() + off, n, value, static_cast<uint8_t>(rng()), check);
      }
    // Every edge pixel over every edge pixel, as one long run.
    std::vector<TkivPixel> src, want;
    for (TkivPixel f : edges)
      for (TkivPixel b : edges) {
        src.push_back(f);
        want.push_back(b);
      }
    std::vector<TkivPixel> got = want;
    ref.BlendPixels(src.data(), want.data(), static_cast<int32_t>(src.size()));
    t.BlendPixels(src.data(), got.data(), static_cast<int32_t>(src.size()));
    EXPECT_EQ(want, got) << v.name;
  }
}

// Runs that end exactly where the memory ends: no kernel of any variant may
// read or write a pixel past its run (the vector tails included, which the
// sanitizers do not see).
TEST(KernelTable, RowKernelsStayInsideRunsThatEndAtAGuardPage) {
  std::mt19937 rng(777);
  for (const Variant& v : kVariants) {
    const TkivKernelTable ref = MakeKernelTable(v.version, TkivSimdLevel::Reference);
    const TkivKernelTable t = MakeKernelTable(v.version, v.level);
    for (int n = 0; n <= 40; ++n) {
      const size_t bytes = static_cast<size_t>(n) * sizeof(TkivPixel);
      const kivtest::GuardedMemory src_mem(bytes), dst_mem(bytes);
      auto* src = static_cast<TkivPixel*>(src_mem.data());
      auto* dst = static_cast<TkivPixel*>(dst_mem.data());
      std::vector<TkivPixel> start(n);
      for (int i = 0; i < n; ++i) src[i] = static_cast<TkivPixel>(rng());
      for (auto& p : start) p = static_cast<TkivPixel>(rng());
      const auto check = [&](const char* what, auto run_ref, auto run) {
        std::vector<TkivPixel> want = start;
        run_ref(want.data());
        std::copy(start.begin(), start.end(), dst);
        run(dst);
        ASSERT_TRUE(std::equal(want.begin(), want.end(), dst))
            << v.name << " " << what << " n=" << n;
      };
      CheckRowKernels(ref, t, src, n, 0x80402010u, 77, check);
    }
  }
}

// The stretching fetch on upscaling maps (steps of 0 or 1, reaching the row's
// end), downscaling maps and arbitrary ones, never reading past the row.
TEST(KernelTable, GatherMatchesTheReferenceOnEveryKindOfMap) {
  std::mt19937 rng(99);
  std::vector<TkivPixel> row(300);
  for (auto& p : row) p = static_cast<TkivPixel>(rng());
  for (const Variant& v : kVariants) {
    const TkivKernelTable t = MakeKernelTable(v.version, v.level);
    for (int trial = 0; trial < 400; ++trial) {
      const int width = 1 + static_cast<int>(rng() % 300);
      const int n = static_cast<int>(rng() % 90);
      std::vector<int32_t> cols(n);
      const int kind = trial % 3;
      int c = kind == 0 ? std::max(0, width - n) : 0;
      for (int i = 0; i < n; ++i) {
        if (kind == 0) c = std::min(width - 1, c + static_cast<int>(rng() % 2));
        if (kind == 1) c = std::min(width - 1, c + static_cast<int>(rng() % 5));
        if (kind == 2) c = static_cast<int>(rng() % width);
        cols[i] = c;
      }
      // A row of exactly `width` pixels before a guard page.
      const kivtest::GuardedMemory guarded(width * sizeof(TkivPixel));
      auto* exact = static_cast<TkivPixel*>(guarded.data());
      std::copy_n(row.begin(), width, exact);
      std::vector<TkivPixel> want(n + 1, 1), got(n + 1, 1);
      reference::GatherPixels(exact, width, cols.data(), want.data(), n);
      t.GatherPixels(exact, width, cols.data(), got.data(), n);
      ASSERT_EQ(want, got) << v.name << " trial " << trial;
    }
  }
}

TEST(KernelTable, RowKernelsFollowTheirRules) {
  for (const Variant& v : kVariants) {
    SCOPED_TRACE(v.name);
    const TkivKernelTable t = MakeKernelTable(v.version, v.level);
    // Alpha 0 never touches the destination; alpha 255 copies; others blend.
    std::vector<TkivPixel> src(19, Argb(0, 200, 100, 50));
    src[3] = Argb(255, 1, 2, 3);
    src[11] = Argb(128, 255, 0, 0);
    std::vector<TkivPixel> dst(19, Argb(255, 0, 0, 255));
    dst[5] = 0x12345678;
    t.BlendPixels(src.data(), dst.data(), 19);
    EXPECT_EQ(dst[0], Argb(255, 0, 0, 255));
    EXPECT_EQ(dst[5], 0x12345678u);
    EXPECT_EQ(dst[3], Argb(255, 1, 2, 3));
    EXPECT_EQ(dst[11],
              v.version == TkivBlendVersion::MMX ? Argb(191, 127, 0, 127) : Argb(255, 127, 0, 126));
    // Key copy: the key colour with any alpha is left out, the rest turns opaque.
    const TkivPixel key_src[] = {Argb(255, 0x7F, 0, 0x7F), Argb(0, 0x12, 0x34, 0x56),
                                 Argb(0, 0x7F, 0, 0x7F), Argb(9, 0x7F, 1, 0x7F)};
    TkivPixel key_dst[] = {7, 7, 7, 7};
    t.KeyCopyPixels(key_src, key_dst, 4);
    EXPECT_EQ(key_dst[0], 7u);
    EXPECT_EQ(key_dst[1], Argb(255, 0x12, 0x34, 0x56));
    EXPECT_EQ(key_dst[2], 7u);
    EXPECT_EQ(key_dst[3], Argb(255, 0x7F, 1, 0x7F));
    // Negative counts do nothing.
    TkivPixel one[1] = {5};
    t.BlendPixels(src.data(), one, -1);
    t.KeyCopyPixels(src.data(), one, -3);
    t.CopyPixels(src.data(), one, -1);
    t.FillPixels(one, -1, 9);
    t.SetAlphaPixels(one, -1, 9);
    EXPECT_EQ(one[0], 5u);
  }
}

TEST(KernelTable, BlocksAreInclusiveAndEmptyWhenReversed) {
  for (const Variant& v : kVariants) {
    SCOPED_TRACE(v.name);
    const TkivKernelTable t = MakeKernelTable(v.version, v.level);
    std::vector<TkivPixel> bits(10 * 10, 0x11223344);
    t.FillBlock(bits.data(), 10, 0xAABBCCDD, 2, 3, 8, 4);  // 7 x 2 pixels
    t.FillBlock(bits.data(), 10, 0, 5, 0, 4, 9);           // right < left
    t.FillBlock(bits.data(), 10, 0, 0, 5, 9, 4);           // bottom < top
    t.SetAlphaBlock(bits.data(), 10, 0x80, 0, 9, 9, 9);    // last row
    t.SetAlphaBlock(bits.data(), 10, 0, 3, 0, 2, 9);       // right < left
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) {
        TkivPixel want = 0x11223344;
        if (x >= 2 && x <= 8 && y >= 3 && y <= 4) want = 0xAABBCCDD;
        if (y == 9) want = 0x80223344;
        EXPECT_EQ(bits[y * 10 + x], want) << x << "," << y;
      }
  }
}

TEST(KernelTable, CopyOfOverlappingRunsKeepsTheSourcePixels) {
  std::vector<TkivPixel> p = {1, 2, 3, 4, 5, 6};
  Kernels.CopyPixels(p.data(), p.data() + 1, 5);
  EXPECT_EQ(p, (std::vector<TkivPixel>{1, 1, 2, 3, 4, 5}));
  Kernels.CopyPixels(p.data() + 2, p.data() + 2, 4);  // same address: nothing
  EXPECT_EQ(p, (std::vector<TkivPixel>{1, 1, 2, 3, 4, 5}));
  // Every level, runs shorter and longer than a vector step, the destination
  // a little or a whole step before or after the source within one buffer.
  for (const Variant& v : kVariants) {
    const TkivKernelTable t = MakeKernelTable(v.version, v.level);
    for (int n : {5, 17, 70, 200})
      for (int shift : {-65, -63, -16, -1, 1, 16, 63, 65}) {
        std::vector<TkivPixel> buf(400), want;
        for (size_t i = 0; i < buf.size(); ++i) buf[i] = static_cast<TkivPixel>(i * 2654435761u);
        want = buf;
        const int from = 100;
        std::copy(buf.begin() + from, buf.begin() + from + n, want.begin() + from + shift);
        t.CopyPixels(buf.data() + from, buf.data() + from + shift, n);
        ASSERT_EQ(buf, want) << v.name << " n=" << n << " shift=" << shift;
      }
  }
}

TEST(KernelTable, StartupPicksTheMMXFormulasAndTheSwitchForcesTheReference) {
  EXPECT_TRUE(HasMMX);  // every x86-64 processor has MMX
  EXPECT_EQ(DetectMMX(), HasMMX);
  const TkivPixel fg = Argb(128, 255, 0, 0), bg = Argb(255, 0, 0, 255);
  EXPECT_EQ(Kernels.BlendPixel(fg, bg), Argb(191, 127, 0, 127));
  {
    const TkivScopedSimdLevel cap(TkivSimdLevel::Reference);
    EXPECT_EQ(Kernels.BlendPixels, &reference::BlendPixelsMMX);
    EXPECT_EQ(Kernels.KeyCopyPixels, &reference::KeyCopyPixels);
    EXPECT_EQ(Kernels.FillPixels, &reference::FillPixels);
  }
  if (ActiveSimdLevel() != TkivSimdLevel::Reference) {
    EXPECT_NE(Kernels.BlendPixels, &reference::BlendPixelsMMX);
  }
  {
    const TkivScopedKernels integer(TkivBlendVersion::Integer);
    EXPECT_EQ(Kernels.BlendPixel(fg, bg), Argb(255, 127, 0, 126));
    // A level set while the integer formulas are installed keeps them.
    const TkivScopedSimdLevel cap(TkivSimdLevel::SSE2);
    EXPECT_EQ(Kernels.BlendPixels, &reference::BlendPixelsInteger);
  }
  // The guard's end puts back the formulas start-up installed.
  EXPECT_EQ(Kernels.BlendPixel(fg, bg), Argb(191, 127, 0, 127));
}

}  // namespace
}  // namespace kiv
