#include "effects/frame_kernels.hpp"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "graphics/kiv_kernels.hpp"

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

TEST(FrameKernels, VectorKernelsMatchTheReference) {
  std::mt19937 rng(7);
  for (int n : {0, 1, 3, 4, 7, 8, 9, 31, 64, 333}) {
    const auto fg = Pixels(rng, n), bg = Pixels(rng, n);
    std::vector<uint8_t> alpha(n);
    for (uint8_t& a : alpha) a = static_cast<uint8_t>(rng() % 3 == 0 ? (rng() % 2) * 255 : rng());
    struct Out {
      std::vector<TkivPixel> target, work, copy, select, blend;
    };
    Out out[2];
    for (int ref = 0; ref < 2; ++ref) {
      UseReferenceKernels(ref == 1);
      Out& o = out[ref];
      o.target = fg;
      o.work.assign(n, 0);
      ComposeMaskRow(o.target.data(), alpha.data(), bg.data(), o.work.data(), n);
      o.copy = bg;
      CopyShownPixels(fg.data(), o.copy.data(), n);
      o.select.assign(n, 0);
      SelectShownPixels(fg.data(), bg.data(), o.select.data(), n);
      o.blend = bg;
      BlendRow(fg.data(), o.blend.data(), o.blend.data(), n);
    }
    UseReferenceKernels(false);
    EXPECT_EQ(out[0].target, out[1].target) << n;
    EXPECT_EQ(out[0].work, out[1].work) << n;
    EXPECT_EQ(out[0].copy, out[1].copy) << n;
    EXPECT_EQ(out[0].select, out[1].select) << n;
    // Selecting equals copying the old row and then the shown pixels.
    EXPECT_EQ(out[0].select, out[1].copy) << n;
    EXPECT_EQ(out[0].blend, out[1].blend) << n;
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
      UseReferenceKernels(ref);
      std::vector<TkivPixel> out(n), target = fg, work(n);
      BlendRow(fg.data(), bg.data(), out.data(), n);
      EXPECT_EQ(out, by_reference) << n << (ref ? " reference" : " vector");
      ComposeMaskRow(target.data(), alpha.data(), bg.data(), work.data(), n);
      EXPECT_EQ(target, laid) << n;
      EXPECT_EQ(work, mask_want) << n << (ref ? " reference" : " vector");
    }
    UseReferenceKernels(false);
  }
}

}  // namespace
}  // namespace kiv
