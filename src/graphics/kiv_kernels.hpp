#pragma once
// Pixel-run kernels: the inner loops of every drawing operation.
//
// Every caller goes through the process-wide table `Kernels`, filled once at
// start-up. Two blend versions exist and give different, equally intended
// results:
//  - integer: background weighted by 255 - a, result alpha always 0xFF;
//  - MMX: every byte lane, alpha included, is (bg * (256 - a) + fg * a) >> 8.
// The MMX version is chosen when the processor has MMX (every x86-64 does).
// Its arithmetic runs on SSE2, AVX2 or AVX-512 here: the highest level the
// processor runs under the cap of the level switch (graphics/kiv_simd_level.hpp);
// every SIMD variant is bit-exact with the scalar reference. One file per
// level: kiv_kernels_reference.cpp, _sse2, _avx2, _avx512.
//
// Kernels work on raw runs with counts and rectangles already clipped by the
// caller; a negative count does nothing.
#include <cstdint>

#include "framework/types.hpp"
#include "graphics/kiv_simd_level.hpp"

namespace kiv {

// The key pixel: red 0x7F, green 0, blue 0x7F, alpha 0. Marks a transparent
// pixel in surfaces whose Transparent flag is set.
inline constexpr TkivPixel KeyPixel = 0x007F007F;

struct TkivKernelTable {
  TkivPixel (*BlendPixel)(TkivPixel fg, TkivPixel bg);
  void (*BlendPixels)(const TkivPixel* src, TkivPixel* dst, int32_t count);
  void (*KeyCopyPixels)(const TkivPixel* src, TkivPixel* dst, int32_t count);
  void (*CopyPixels)(const TkivPixel* src, TkivPixel* dst, int32_t count);
  void (*FillPixels)(TkivPixel* dst, int32_t count, TkivPixel value);
  // Inclusive block (left..right, top..bottom); row y starts at bits + y * stride
  // (stride in pixels). Nothing when right < left or bottom < top.
  void (*FillBlock)(TkivPixel* bits, int32_t stride, TkivPixel value, int32_t left, int32_t top,
                    int32_t right, int32_t bottom);
  void (*SetAlphaPixels)(TkivPixel* dst, int32_t count, uint8_t alpha);
  void (*SetAlphaBlock)(TkivPixel* bits, int32_t stride, uint8_t alpha, int32_t left, int32_t top,
                        int32_t right, int32_t bottom);
  // The stretching fetch: dst[i] := row[columns[i]] for i < count, every
  // column within 0..row_width - 1.
  void (*GatherPixels)(const TkivPixel* row, int32_t row_width, const int32_t* columns,
                       TkivPixel* dst, int32_t count);
};

enum class TkivBlendVersion { Integer, MMX };

// The table in use. Statically it holds the scalar MMX-formula kernels, so code
// running before start-up still gets correct results.
extern TkivKernelTable Kernels;

// The processor test: CPUID present, family >= 5 and the MMX feature bit.
// Computed once at start-up.
extern bool HasMMX;
bool DetectMMX();

// A table for a given version and SIMD level (the level is lowered to the
// switch's cap and to what the processor runs).
TkivKernelTable MakeKernelTable(TkivBlendVersion version, TkivSimdLevel level);

// Installs the table of a version into `Kernels`, at the active level (and
// at each level the switch sets later).
void InstallKernels(TkivBlendVersion version);
// What start-up installs: the MMX formulas when HasMMX, else the integer ones.
void InstallDefaultKernels();

// Installs the table of a version for its lifetime, and the version installed
// before it when it ends.
class TkivScopedKernels {
 public:
  explicit TkivScopedKernels(TkivBlendVersion version);
  ~TkivScopedKernels();
  TkivScopedKernels(const TkivScopedKernels&) = delete;
  TkivScopedKernels& operator=(const TkivScopedKernels&) = delete;

 private:
  TkivBlendVersion previous_;
};

// Clears the MMX state after MMX kernels ran. The kernels here use SSE
// registers only, which share nothing with the floating-point stack, so there
// is nothing to clear; callers still mark the points where it belongs.
inline void EndMMX() {}

// Scalar kernels, exposed for tests and benchmarks.
namespace reference {
TkivPixel BlendPixelInteger(TkivPixel fg, TkivPixel bg);
TkivPixel BlendPixelMMX(TkivPixel fg, TkivPixel bg);
void BlendPixelsInteger(const TkivPixel* src, TkivPixel* dst, int32_t count);
void BlendPixelsMMX(const TkivPixel* src, TkivPixel* dst, int32_t count);
void KeyCopyPixels(const TkivPixel* src, TkivPixel* dst, int32_t count);
void CopyPixels(const TkivPixel* src, TkivPixel* dst, int32_t count);
void FillPixels(TkivPixel* dst, int32_t count, TkivPixel value);
void SetAlphaPixels(TkivPixel* dst, int32_t count, uint8_t alpha);
void GatherPixels(const TkivPixel* row, int32_t row_width, const int32_t* columns, TkivPixel* dst,
                  int32_t count);
}  // namespace reference

// SIMD row kernels (kiv_kernels_sse2.cpp, _avx2.cpp, _avx512.cpp).
namespace simd {
void BlendPixelsSSE2(const TkivPixel* src, TkivPixel* dst, int32_t count);
void KeyCopyPixelsSSE2(const TkivPixel* src, TkivPixel* dst, int32_t count);
void FillPixelsSSE2(TkivPixel* dst, int32_t count, TkivPixel value);
void SetAlphaPixelsSSE2(TkivPixel* dst, int32_t count, uint8_t alpha);
void BlendPixelsAVX2(const TkivPixel* src, TkivPixel* dst, int32_t count);
void KeyCopyPixelsAVX2(const TkivPixel* src, TkivPixel* dst, int32_t count);
void FillPixelsAVX2(TkivPixel* dst, int32_t count, TkivPixel value);
void SetAlphaPixelsAVX2(TkivPixel* dst, int32_t count, uint8_t alpha);
void GatherPixelsAVX2(const TkivPixel* row, int32_t row_width, const int32_t* columns,
                      TkivPixel* dst, int32_t count);
void BlendPixelsAVX512(const TkivPixel* src, TkivPixel* dst, int32_t count);
void KeyCopyPixelsAVX512(const TkivPixel* src, TkivPixel* dst, int32_t count);
void CopyPixelsAVX512(const TkivPixel* src, TkivPixel* dst, int32_t count);
void GatherPixelsAVX512(const TkivPixel* row, int32_t row_width, const int32_t* columns,
                        TkivPixel* dst, int32_t count);
}  // namespace simd

}  // namespace kiv
