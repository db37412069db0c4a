// Bitmap kernels and surface drawing, with two baselines measured in the same
// run: memcpy of the same pixels and pixman doing the nearest equivalent
// (OVER for blending, SRC for copying, a nearest-neighbour scaled SRC for
// stretching). Every benchmark reports pixels per second ("items").
//
// Sizes: a 1920 x 1080 picture, and a 75 x 25 button taken from a pool of many
// different tiles so that no branch pattern can be learnt.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_kernels.hpp"

namespace {

using kiv::TkivBitmap;
using kiv::TkivPixel;
using kiv::TRect;

constexpr int kBigW = 1920, kBigH = 1080;
constexpr int kTileW = 75, kTileH = 25, kTiles = 512;

enum Mix { kHalf = 0, kRandom = 1, kOpaque90 = 2, kOpaque = 3, kKey10 = 4 };

void FillPixels(TkivPixel* p, size_t n, Mix mix, uint32_t seed) {
  std::mt19937 rng(seed);
  for (size_t i = 0; i < n; ++i) {
    const uint32_t rgb = rng() & 0x00FFFFFF;
    uint32_t a = 255;
    switch (mix) {
      case kHalf:
        a = 128;
        break;
      case kRandom:
        a = rng() & 0xFF;
        break;
      case kOpaque90:
        a = (rng() % 10 == 0) ? rng() % 255 : 255;
        break;
      case kOpaque:
        a = 255;
        break;
      case kKey10:
        a = 255;
        break;
    }
    p[i] = a << 24 | rgb;
    if (mix == kKey10 && rng() % 10 == 0) p[i] = kiv::KeyPixel;
  }
}

struct Surface {
  TkivBitmap bitmap;
  Surface(int w, int h, Mix mix, uint32_t seed) {
    bitmap.SetSize(w, h);
    FillPixels(bitmap.Bits(), size_t(w) * h, mix, seed);
  }
};

pixman_image_t* Wrap(TkivPixel* bits, int w, int h) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, reinterpret_cast<uint32_t*>(bits), w * 4);
}

// A pool of tiles for the 75 x 25 cases: one contiguous block per tile.
struct TilePool {
  std::vector<TkivPixel> src, dst;
  std::vector<pixman_image_t*> psrc, pdst;
  TilePool(Mix mix, int sw = kTileW, int sh = kTileH) {
    src.resize(size_t(sw) * sh * kTiles);
    dst.resize(size_t(kTileW) * kTileH * kTiles);
    FillPixels(src.data(), src.size(), mix, 1);
    FillPixels(dst.data(), dst.size(), kOpaque, 2);
    for (int i = 0; i < kTiles; ++i) {
      psrc.push_back(Wrap(src.data() + size_t(i) * sw * sh, sw, sh));
      pdst.push_back(Wrap(dst.data() + size_t(i) * kTileW * kTileH, kTileW, kTileH));
    }
  }
  ~TilePool() {
    for (auto* p : psrc) pixman_image_unref(p);
    for (auto* p : pdst) pixman_image_unref(p);
  }
  TkivPixel* Src(int i, int sw = kTileW, int sh = kTileH) {
    return src.data() + size_t(i) * sw * sh;
  }
  TkivPixel* Dst(int i) { return dst.data() + size_t(i) * kTileW * kTileH; }
};

void SetPixels(benchmark::State& state, int64_t per_iteration) {
  state.SetItemsProcessed(state.iterations() * per_iteration);
}

constexpr int64_t kBigPixels = int64_t{kBigW} * kBigH;
constexpr int64_t kTilePixels = int64_t{kTileW} * kTileH;

// Runs `body` once per iteration on a 1920 x 1080 picture.
template <class Body>
void EachPicture(benchmark::State& state, Body body) {
  for (auto _ : state) {
    body();
    benchmark::ClobberMemory();
  }
  SetPixels(state, kBigPixels);
}

// Runs `body(i)` once per iteration on the pool's tile i, a different tile
// each time.
template <class Body>
void EachTile(benchmark::State& state, Body body) {
  int i = 0;
  for (auto _ : state) {
    body(i);
    benchmark::ClobberMemory();
    i = (i + 1) % kTiles;
  }
  SetPixels(state, kTilePixels);
}

// A row kernel over every row of a 1920 x 1080 picture of the mix, onto an
// opaque one.
using RowKernel = void (*)(const TkivPixel* src, TkivPixel* dst, int32_t count);
void EachRow(benchmark::State& state, RowKernel kernel, Mix mix) {
  Surface src(kBigW, kBigH, mix, 1), dst(kBigW, kBigH, kOpaque, 2);
  EachPicture(state, [&] {
    for (int y = 0; y < kBigH; ++y) kernel(src.bitmap.ScanLine(y), dst.bitmap.ScanLine(y), kBigW);
  });
}

// A pixman image over a surface's pixels, released with it.
struct Image {
  pixman_image_t* image;
  explicit Image(TkivBitmap& b) : image(Wrap(b.Bits(), b.Width(), b.Height())) {}
  ~Image() { pixman_image_unref(image); }
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
};

// One pixman operation from `src` onto the whole of `dst`.
void Composite(benchmark::State& state, pixman_op_t op, Image& src, Image& dst) {
  EachPicture(state, [&] {
    pixman_image_composite32(op, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0, kBigW, kBigH);
  });
}

// One pixman operation between the pool's tiles.
void CompositeTiles(benchmark::State& state, pixman_op_t op, TilePool& pool) {
  EachTile(state, [&](int i) {
    pixman_image_composite32(op, pool.psrc[i], nullptr, pool.pdst[i], 0, 0, 0, 0, 0, 0, kTileW,
                             kTileH);
  });
}

// ---------------------------------------------------------------- memcpy

// Between two surfaces allocated as the kernels' surfaces are (same
// alignment, same pages).
void BM_Memcpy_1920x1080(benchmark::State& state) {
  Surface a(kBigW, kBigH, kOpaque, 1), b(kBigW, kBigH, kOpaque, 2);
  EachPicture(state,
              [&] { std::memcpy(b.bitmap.Bits(), a.bitmap.Bits(), size_t(kBigPixels) * 4); });
}
BENCHMARK(BM_Memcpy_1920x1080);

void BM_Memcpy_75x25(benchmark::State& state) {
  TilePool pool(kOpaque);
  EachTile(state, [&](int i) { std::memcpy(pool.Dst(i), pool.Src(i), size_t(kTilePixels) * 4); });
}
BENCHMARK(BM_Memcpy_75x25);

// ---------------------------------------------------------------- blending

void BM_Blend_1920x1080(benchmark::State& state) {
  EachRow(state, kiv::Kernels.BlendPixels, Mix(state.range(0)));
}
BENCHMARK(BM_Blend_1920x1080)->Arg(kHalf)->Arg(kRandom)->Arg(kOpaque90);

// Each SIMD level of the MMX-formula blend on the uniformly random mix
// (0 scalar reference, 1 SSE2, 2 AVX2, 3 AVX-512).
void BM_BlendLevel_1920x1080(benchmark::State& state) {
  const kiv::TkivKernelTable t =
      kiv::MakeKernelTable(kiv::TkivBlendVersion::MMX, kiv::TkivSimdLevel(state.range(0)));
  EachRow(state, t.BlendPixels, kRandom);
}
BENCHMARK(BM_BlendLevel_1920x1080)->DenseRange(0, 3);

void BM_PixmanOver_1920x1080(benchmark::State& state) {
  Surface src(kBigW, kBigH, Mix(state.range(0)), 1), dst(kBigW, kBigH, kOpaque, 2);
  Image s(src.bitmap), d(dst.bitmap);
  Composite(state, PIXMAN_OP_OVER, s, d);
}
BENCHMARK(BM_PixmanOver_1920x1080)->Arg(kHalf)->Arg(kRandom)->Arg(kOpaque90);

void BM_Blend_75x25(benchmark::State& state) {
  TilePool pool(Mix(state.range(0)));
  EachTile(state, [&](int i) {
    const TkivPixel* s = pool.Src(i);
    TkivPixel* d = pool.Dst(i);
    for (int y = 0; y < kTileH; ++y)
      kiv::Kernels.BlendPixels(s + y * kTileW, d + y * kTileW, kTileW);
  });
}
BENCHMARK(BM_Blend_75x25)->Arg(kHalf)->Arg(kRandom)->Arg(kOpaque90);

void BM_PixmanOver_75x25(benchmark::State& state) {
  TilePool pool(Mix(state.range(0)));
  CompositeTiles(state, PIXMAN_OP_OVER, pool);
}
BENCHMARK(BM_PixmanOver_75x25)->Arg(kHalf)->Arg(kRandom)->Arg(kOpaque90);

// ---------------------------------------------------------------- key copy, copy, fill

void BM_KeyCopy_1920x1080(benchmark::State& state) {
  EachRow(state, kiv::Kernels.KeyCopyPixels, kKey10);
}
BENCHMARK(BM_KeyCopy_1920x1080);

void BM_Copy_1920x1080(benchmark::State& state) {
  EachRow(state, kiv::Kernels.CopyPixels, kOpaque);
}
BENCHMARK(BM_Copy_1920x1080);

void BM_PixmanSrc_1920x1080(benchmark::State& state) {
  Surface src(kBigW, kBigH, kOpaque, 1), dst(kBigW, kBigH, kOpaque, 2);
  Image s(src.bitmap), d(dst.bitmap);
  Composite(state, PIXMAN_OP_SRC, s, d);
}
BENCHMARK(BM_PixmanSrc_1920x1080);

void BM_FillBlock_1920x1080(benchmark::State& state) {
  Surface dst(kBigW, kBigH, kOpaque, 2);
  EachPicture(state, [&] {
    kiv::Kernels.FillBlock(dst.bitmap.Bits(), kBigW, 0xFF123456, 0, 0, kBigW - 1, kBigH - 1);
  });
}
BENCHMARK(BM_FillBlock_1920x1080);

void BM_PixmanFill_1920x1080(benchmark::State& state) {
  Surface dst(kBigW, kBigH, kOpaque, 2);
  EachPicture(state, [&] {
    pixman_fill(reinterpret_cast<uint32_t*>(dst.bitmap.Bits()), kBigW, 32, 0, 0, kBigW, kBigH,
                0xFF123456);
  });
}
BENCHMARK(BM_PixmanFill_1920x1080);

// ---------------------------------------------------------------- DrawTo

// Same size: the opaque route (row copies) at 1920 x 1080.
void BM_DrawTo_1920x1080(benchmark::State& state) {
  Surface src(kBigW, kBigH, kOpaque, 1), dst(kBigW, kBigH, kOpaque, 2);
  EachPicture(state, [&] { src.bitmap.DrawTo(dst.bitmap, 0, 0); });
}
BENCHMARK(BM_DrawTo_1920x1080);

// Stretched: 960 x 540 into 1920 x 1080, opaque route.
void BM_DrawToStretched_1920x1080(benchmark::State& state) {
  Surface src(kBigW / 2, kBigH / 2, kOpaque, 1), dst(kBigW, kBigH, kOpaque, 2);
  const TRect dst_rect{0, 0, kBigW, kBigH};
  EachPicture(state, [&] { src.bitmap.DrawTo(dst.bitmap, dst_rect, src.bitmap.BoundsRect()); });
}
BENCHMARK(BM_DrawToStretched_1920x1080);

void BM_PixmanScaled_1920x1080(benchmark::State& state) {
  Surface src(kBigW / 2, kBigH / 2, kOpaque, 1), dst(kBigW, kBigH, kOpaque, 2);
  Image s(src.bitmap), d(dst.bitmap);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
  pixman_image_set_transform(s.image, &t);
  pixman_image_set_filter(s.image, PIXMAN_FILTER_NEAREST, nullptr, 0);
  Composite(state, PIXMAN_OP_SRC, s, d);
}
BENCHMARK(BM_PixmanScaled_1920x1080);

// The 75 x 25 button: tiles drawn from one pool surface onto another.
struct TileSurfaces {
  TkivBitmap src, dst;
  TileSurfaces(int sw, int sh) {
    src.SetSize(sw, sh * kTiles);
    dst.SetSize(kTileW, kTileH * kTiles);
    FillPixels(src.Bits(), size_t(sw) * sh * kTiles, kOpaque, 1);
    FillPixels(dst.Bits(), size_t(kTileW) * kTileH * kTiles, kOpaque, 2);
  }
};

void BM_DrawTo_75x25(benchmark::State& state) {
  TileSurfaces t(kTileW, kTileH);
  EachTile(state, [&](int i) {
    t.src.DrawTo(t.dst, TRect{0, i * kTileH, kTileW, (i + 1) * kTileH},
                 TRect{0, i * kTileH, kTileW, (i + 1) * kTileH});
  });
}
BENCHMARK(BM_DrawTo_75x25);

void BM_PixmanSrc_75x25(benchmark::State& state) {
  TilePool pool(kOpaque);
  CompositeTiles(state, PIXMAN_OP_SRC, pool);
}
BENCHMARK(BM_PixmanSrc_75x25);

// Stretched button: a 38 x 13 face into 75 x 25.
void BM_DrawToStretched_75x25(benchmark::State& state) {
  TileSurfaces t(38, 13);
  EachTile(state, [&](int i) {
    t.src.DrawTo(t.dst, TRect{0, i * kTileH, kTileW, (i + 1) * kTileH},
                 TRect{0, i * 13, 38, (i + 1) * 13});
  });
}
BENCHMARK(BM_DrawToStretched_75x25);

void BM_PixmanScaled_75x25(benchmark::State& state) {
  TilePool pool(kOpaque, 38, 13);
  pixman_transform_t tr;
  pixman_transform_init_scale(&tr, pixman_double_to_fixed(37.0 / 74.0),
                              pixman_double_to_fixed(12.0 / 24.0));
  for (auto* s : pool.psrc) {
    pixman_image_set_transform(s, &tr);
    pixman_image_set_filter(s, PIXMAN_FILTER_NEAREST, nullptr, 0);
  }
  CompositeTiles(state, PIXMAN_OP_SRC, pool);
}
BENCHMARK(BM_PixmanScaled_75x25);

}  // namespace

BENCHMARK_MAIN();
