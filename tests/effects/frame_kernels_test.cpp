#include "effects/frame_kernels.hpp"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "effects/frame_surface.hpp"

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
        p = (p & 0xFF000000u) | kKeyPixel;
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
      std::vector<TkivPixel> target, work, copy, blend;
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
      o.blend = bg;
      BlendRow(fg.data(), o.blend.data(), o.blend.data(), n);
    }
    UseReferenceKernels(false);
    EXPECT_EQ(out[0].target, out[1].target) << n;
    EXPECT_EQ(out[0].work, out[1].work) << n;
    EXPECT_EQ(out[0].copy, out[1].copy) << n;
    EXPECT_EQ(out[0].blend, out[1].blend) << n;
  }
}

TEST(FrameKernels, BlendWeightsTheBackgroundBy256MinusAlpha) {
  // (A, R, G, B) = (128, 255, 0, 0) over (255, 0, 0, 255): red 127, blue
  // 127, alpha (255 * 128 + 128 * 128) >> 8 = 191.
  EXPECT_EQ(FrameBlendPixel(0x80FF0000u, 0xFF0000FFu), 0xBF7F007Fu);
  for (bool ref : {true, false}) {
    UseReferenceKernels(ref);
    TkivPixel dst[3] = {0xFF0000FFu, 0xFF0000FFu, 0xFF0000FFu};
    const TkivPixel src[3] = {0x80FF0000u, 0x00FFFFFFu, 0xFF123456u};
    BlendRow(src, dst, dst, 3);
    EXPECT_EQ(dst[0], 0xBF7F007Fu);
    EXPECT_EQ(dst[1], 0xFF0000FFu);  // alpha 0 leaves the background
    EXPECT_EQ(dst[2], 0xFF123456u);  // alpha 255 copies
  }
  UseReferenceKernels(false);
}

}  // namespace
}  // namespace kiv
