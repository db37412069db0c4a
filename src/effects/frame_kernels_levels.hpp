#pragma once
// The frame kernels of each SIMD level (one file per level:
// frame_kernels_reference.cpp, _sse2, _avx2, _avx512) and what their files
// share. Only frame_kernels.cpp and these files include it.
#include <cstdint>

#include "graphics/kiv_kernels.hpp"

namespace kiv::frame_kernels {

constexpr TkivPixel kKey = KeyPixel;

// The MMX formula with the exact ends, as BlendPixels applies it per pixel.
inline TkivPixel BlendOne(TkivPixel fg, TkivPixel bg) {
  const uint32_t a = fg >> 24;
  if (a == 0) return bg;
  if (a == 255) return fg;
  return reference::BlendPixelMMX(fg, bg);
}

inline bool Shows(TkivPixel p) {
  return (p >> 24) != 0 && (p & 0x00FFFFFFu) != kKey;
}

// One level's kernels, as frame_kernels.hpp describes the calls that use them.
struct TkivFrameKernelSet {
  void (*mask_row)(TkivPixel*, const uint8_t*, const TkivPixel*, TkivPixel*, int);
  // The same, writing work around the caches (work 64-byte aligned).
  void (*mask_row_stream)(TkivPixel*, const uint8_t*, const TkivPixel*, TkivPixel*, int);
  // A mask row whose every alpha is one level, and the same writing work
  // around the caches (work 64-byte aligned).
  void (*level_row)(TkivPixel*, uint8_t, const TkivPixel*, TkivPixel*, int);
  void (*level_row_stream)(TkivPixel*, uint8_t, const TkivPixel*, TkivPixel*, int);
  void (*copy_shown)(const TkivPixel*, TkivPixel*, int);
  void (*select_shown)(const TkivPixel*, const TkivPixel*, TkivPixel*, int);
  void (*blend_row)(const TkivPixel*, const TkivPixel*, TkivPixel*, int);
  void (*hide_keys)(TkivPixel*, int);
  // The widening by windows of TkivMaskSpread from its padded row, or nil
  // for the plain per-pixel fetch.
  void (*spread_windows)(const int32_t* base, const uint8_t* offsets, const int32_t* column,
                         const uint8_t* padded, uint8_t* out, int n);
};

extern const TkivFrameKernelSet ReferenceSet, SSE2Set, AVX2Set, AVX512Set;

// The scalar kernels, which the vector ones use for the ends of their rows.
void MaskRowRef(TkivPixel* target, const uint8_t* alpha, const TkivPixel* source, TkivPixel* work,
                int n);
void LevelRowRef(TkivPixel* target, uint8_t level, const TkivPixel* source, TkivPixel* work, int n);
void CopyShownRef(const TkivPixel* src, TkivPixel* dst, int n);
void SelectShownRef(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst, int n);
void HideKeysRef(TkivPixel* px, int n);
void BlendRowRef(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int n);
void SpreadRef(const int32_t* column, const uint8_t* row, uint8_t* out, int n);

// The blend weight of a level in both 16-bit halves of a pixel: the level,
// with 255 as 256 (the exact end that takes the new pixel itself).
inline uint32_t LevelWeight(uint8_t level) {
  const uint32_t w = level == 255 ? 256 : level;
  return w | w << 16;
}

// AVX2 kernels that AVX-512 keeps.
void HideKeysAvx2(TkivPixel* px, int n);
void SpreadAvx2(const int32_t* base, const uint8_t* offsets, const int32_t* column,
                const uint8_t* padded, uint8_t* out, int n);

}  // namespace kiv::frame_kernels
