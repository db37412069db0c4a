// AVX-512 versions of the row kernels (byte and word lanes, all vector
// lengths). Their blend is the MMX formula of kiv_blend_simd.hpp, bit-exact
// with the scalar reference.
//
// The code is compiled per function (target attribute), so the library stays
// generic x86-64 and each variant runs only where the processor has it.
#include <immintrin.h>

#include <cstdint>
#include <cstring>

// GCC 12 warns about the deliberately undefined inactive lanes inside its own
// AVX-512 intrinsics once they are inlined here.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "graphics/kiv_blend_simd.hpp"
#include "graphics/kiv_kernels.hpp"

namespace kiv::simd {

// Sixteen pixels a step, two steps per loop; the run's last pixels by masked
// loads and stores, which touch nothing outside the run.
KIV_TARGET_AVX512 void BlendPixelsAVX512(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  int32_t i = 0;
  for (; i + 32 <= count; i += 32) {
    const __m512i s0 = _mm512_loadu_si512(src + i), s1 = _mm512_loadu_si512(src + i + 16);
    const __m512i d0 = _mm512_loadu_si512(dst + i), d1 = _mm512_loadu_si512(dst + i + 16);
    _mm512_storeu_si512(dst + i, BlendExact16(s0, d0));
    _mm512_storeu_si512(dst + i + 16, BlendExact16(s1, d1));
  }
  for (; i + 16 <= count; i += 16)
    _mm512_storeu_si512(dst + i,
                        BlendExact16(_mm512_loadu_si512(src + i), _mm512_loadu_si512(dst + i)));
  if (i < count) {
    const __mmask16 m = static_cast<__mmask16>((1u << (count - i)) - 1);
    const __m512i s = _mm512_maskz_loadu_epi32(m, src + i);
    const __m512i d = _mm512_maskz_loadu_epi32(m, dst + i);
    _mm512_mask_storeu_epi32(dst + i, m, BlendExact16(s, d));
  }
}

KIV_TARGET_AVX512 void KeyCopyPixelsAVX512(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  const __m512i rgb = _mm512_set1_epi32(0x00FFFFFF);
  const __m512i key = _mm512_set1_epi32(static_cast<int>(KeyPixel));
  const __m512i opaque = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  int32_t i = 0;
  // The destination line is fetched for the store anyway, so merging the
  // key pixels' places in a register costs no extra traffic.
  for (; i + 16 <= count; i += 16) {
    const __m512i s = _mm512_loadu_si512(src + i);
    const __mmask16 shown = _mm512_cmpneq_epi32_mask(_mm512_and_si512(s, rgb), key);
    _mm512_storeu_si512(dst + i,
                        _mm512_mask_or_epi32(_mm512_loadu_si512(dst + i), shown, s, opaque));
  }
  if (i < count) {
    const __mmask16 m = static_cast<__mmask16>((1u << (count - i)) - 1);
    const __m512i s = _mm512_maskz_loadu_epi32(m, src + i);
    const __mmask16 shown = m & _mm512_cmpneq_epi32_mask(_mm512_and_si512(s, rgb), key);
    _mm512_mask_storeu_epi32(dst + i, shown, _mm512_or_si512(s, opaque));
  }
}

// A run copied forwards, four vectors a step: exact whenever the destination
// starts before the source or at or past its end (every pixel is read before
// any store can reach it); a destination inside the run, which a forward
// copy would smear, goes to memmove.
KIV_TARGET_AVX512 void CopyPixelsAVX512(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  if (count <= 0 || src == dst) return;
  // Addresses as integers: the two runs may lie in different surfaces.
  const uintptr_t from = reinterpret_cast<uintptr_t>(src), to = reinterpret_cast<uintptr_t>(dst);
  if (to > from && to - from < static_cast<uintptr_t>(count) * sizeof(TkivPixel)) {
    std::memmove(dst, src, static_cast<size_t>(count) * sizeof(TkivPixel));
    return;
  }
  int32_t i = 0;
  for (; i + 64 <= count; i += 64) {
    const __m512i a = _mm512_loadu_si512(src + i), b = _mm512_loadu_si512(src + i + 16);
    const __m512i c = _mm512_loadu_si512(src + i + 32), d = _mm512_loadu_si512(src + i + 48);
    _mm512_storeu_si512(dst + i, a);
    _mm512_storeu_si512(dst + i + 16, b);
    _mm512_storeu_si512(dst + i + 32, c);
    _mm512_storeu_si512(dst + i + 48, d);
  }
  for (; i + 16 <= count; i += 16) _mm512_storeu_si512(dst + i, _mm512_loadu_si512(src + i));
  if (i < count) {
    const __mmask16 m = static_cast<__mmask16>((1u << (count - i)) - 1);
    _mm512_mask_storeu_epi32(dst + i, m, _mm512_maskz_loadu_epi32(m, src + i));
  }
}

// The stretching fetch, sixteen outputs a step. A block whose columns all lie
// within 16 of its first column (every upscaling map, and downscaling by
// less than about 16/15) is one load and one permutation; the load is masked
// at the row's end, so it never reads past the row. Other blocks use the
// hardware gather. The run's last pixels are one masked block.
KIV_TARGET_AVX512 static inline void GatherBlock16(const TkivPixel* row, int32_t row_width,
                                                   const int32_t* columns, TkivPixel* dst,
                                                   __mmask16 lanes) {
  const __m512i cols = _mm512_maskz_loadu_epi32(lanes, columns);
  const int32_t first = columns[0];
  const __m512i offsets = _mm512_sub_epi32(cols, _mm512_set1_epi32(first));
  __m512i v;
  // Offsets within 0..15 as unsigned numbers, so negative ones fail too.
  if (_mm512_mask_cmple_epu32_mask(lanes, offsets, _mm512_set1_epi32(15)) == lanes) {
    const int32_t avail = row_width - first;
    const __mmask16 in_row =
        avail >= 16 ? static_cast<__mmask16>(0xFFFF) : static_cast<__mmask16>((1u << avail) - 1);
    v = _mm512_permutexvar_epi32(offsets, _mm512_maskz_loadu_epi32(in_row, row + first));
  } else {
    v = _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), lanes, cols, row, 4);
  }
  if (lanes == 0xFFFF)
    _mm512_storeu_si512(dst, v);
  else
    _mm512_mask_storeu_epi32(dst, lanes, v);
}

KIV_TARGET_AVX512 void GatherPixelsAVX512(const TkivPixel* row, int32_t row_width,
                                          const int32_t* columns, TkivPixel* dst, int32_t count) {
  int32_t i = 0;
  for (; i + 16 <= count; i += 16)
    GatherBlock16(row, row_width, columns + i, dst + i, static_cast<__mmask16>(0xFFFF));
  if (i < count)
    GatherBlock16(row, row_width, columns + i, dst + i,
                  static_cast<__mmask16>((1u << (count - i)) - 1));
}

}  // namespace kiv::simd
