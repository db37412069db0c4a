// SSE2, AVX2 and AVX-512 versions of the row kernels. Their blend is the MMX
// formula of kiv_blend_simd.hpp, bit-exact with the scalar reference.
//
// The wider code is compiled per function (target attribute), so the library
// stays generic x86-64 and each variant runs only where the processor has it.
#include <immintrin.h>

#include <cstring>

// GCC 12 warns about the deliberately undefined inactive lanes inside its own
// AVX-512 intrinsics once they are inlined here.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "graphics/kiv_blend_simd.hpp"
#include "graphics/kiv_kernels.hpp"

namespace kiv::simd {

namespace {

// Source pixels made opaque, the destination's where the source is the key.
__attribute__((target("avx2"))) inline __m256i KeyCopy8(__m256i s, __m256i d) {
  const __m256i is_key = _mm256_cmpeq_epi32(_mm256_and_si256(s, _mm256_set1_epi32(0x00FFFFFF)),
                                            _mm256_set1_epi32(static_cast<int>(KeyPixel)));
  return _mm256_blendv_epi8(_mm256_or_si256(s, _mm256_set1_epi32(static_cast<int>(0xFF000000u))), d,
                            is_key);
}

// Lanes 0..n-1 selected, for the masked tail of a run (0 <= n <= 8).
__attribute__((target("avx2"))) inline __m256i TailMask(int32_t n) {
  return _mm256_cmpgt_epi32(_mm256_set1_epi32(n), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

}  // namespace

void BlendPixelsSSE2(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), BlendExact4(s, d));
  }
  reference::BlendPixelsMMX(src + i, dst + i, count - i);
}

// Runs of 8 or more end with one full vector over their last 8 pixels,
// computed from the pixels as they were before the run was touched, so the
// pixels it shares with the last whole block get the same values again.
__attribute__((target("avx2"))) void BlendPixelsAVX2(const TkivPixel* src, TkivPixel* dst,
                                                     int32_t count) {
  if (count < 8) {
    if (count <= 0) return;
    const __m256i m = TailMask(count);
    const __m256i s = _mm256_maskload_epi32(reinterpret_cast<const int*>(src), m);
    const __m256i d = _mm256_maskload_epi32(reinterpret_cast<const int*>(dst), m);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(dst), m, BlendExact8(s, d));
    return;
  }
  const int32_t last = count - 8;
  const __m256i s_last = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + last));
  const __m256i d_last = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + last));
  int32_t i = 0;
  for (; i + 16 <= count; i += 16) {
    const __m256i s0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    const __m256i s1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i + 8));
    const __m256i d0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
    const __m256i d1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i + 8));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), BlendExact8(s0, d0));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i + 8), BlendExact8(s1, d1));
  }
  for (; i + 8 <= count; i += 8) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), BlendExact8(s, d));
  }
  if (i < count)
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + last), BlendExact8(s_last, d_last));
}

void KeyCopyPixelsSSE2(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
  const __m128i key = _mm_set1_epi32(static_cast<int>(KeyPixel));
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i is_key = _mm_cmpeq_epi32(_mm_and_si128(s, rgb), key);
    const __m128i out = _mm_or_si128(s, opaque);
    __m128i* p = reinterpret_cast<__m128i*>(dst + i);
    if (_mm_movemask_epi8(is_key) == 0) {
      _mm_storeu_si128(p, out);
    } else {
      const __m128i d = _mm_loadu_si128(p);
      _mm_storeu_si128(p, _mm_or_si128(_mm_and_si128(is_key, d), _mm_andnot_si128(is_key, out)));
    }
  }
  reference::KeyCopyPixels(src + i, dst + i, count - i);
}

__attribute__((target("avx2"))) void KeyCopyPixelsAVX2(const TkivPixel* src, TkivPixel* dst,
                                                       int32_t count) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF);
  const __m256i key = _mm256_set1_epi32(static_cast<int>(KeyPixel));
  const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  // Branch-free: the destination line is fetched for the store anyway, so
  // reading it to keep the key pixels' places costs no extra traffic.

  if (count < 8) {
    if (count <= 0) return;
    const __m256i m = TailMask(count);
    const __m256i s = _mm256_maskload_epi32(reinterpret_cast<const int*>(src), m);
    const __m256i keep = _mm256_andnot_si256(_mm256_cmpeq_epi32(_mm256_and_si256(s, rgb), key), m);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(dst), keep, _mm256_or_si256(s, opaque));
    return;
  }
  // The last 8 pixels as they were, as in BlendPixelsAVX2.
  const int32_t last = count - 8;
  const __m256i s_last = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + last));
  const __m256i d_last = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + last));
  int32_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    __m256i* p = reinterpret_cast<__m256i*>(dst + i);
    _mm256_storeu_si256(p, KeyCopy8(s, _mm256_loadu_si256(p)));
  }
  if (i < count)
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + last), KeyCopy8(s_last, d_last));
}

void FillPixelsSSE2(TkivPixel* dst, int32_t count, TkivPixel value) {
  const __m128i v = _mm_set1_epi32(static_cast<int>(value));
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), v);
  for (; i < count; ++i) dst[i] = value;
}

__attribute__((target("avx2"))) void FillPixelsAVX2(TkivPixel* dst, int32_t count,
                                                    TkivPixel value) {
  const __m256i v = _mm256_set1_epi32(static_cast<int>(value));
  int32_t i = 0;
  for (; i + 16 <= count; i += 16) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), v);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i + 8), v);
  }
  if (i + 8 <= count) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), v);
    i += 8;
  }
  for (; i < count; ++i) dst[i] = value;
}

void SetAlphaPixelsSSE2(TkivPixel* dst, int32_t count, uint8_t alpha) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
  const __m128i a = _mm_set1_epi32(static_cast<int>(uint32_t{alpha} << 24));
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    __m128i* p = reinterpret_cast<__m128i*>(dst + i);
    _mm_storeu_si128(p, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(p), rgb), a));
  }
  reference::SetAlphaPixels(dst + i, count - i, alpha);
}

__attribute__((target("avx2"))) void SetAlphaPixelsAVX2(TkivPixel* dst, int32_t count,
                                                        uint8_t alpha) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF);
  const __m256i a = _mm256_set1_epi32(static_cast<int>(uint32_t{alpha} << 24));
  int32_t i = 0;
  for (; i + 8 <= count; i += 8) {
    __m256i* p = reinterpret_cast<__m256i*>(dst + i);
    _mm256_storeu_si256(p, _mm256_or_si256(_mm256_and_si256(_mm256_loadu_si256(p), rgb), a));
  }
  reference::SetAlphaPixels(dst + i, count - i, alpha);
}

// Upscaling maps step by at most one column per pixel, so eight outputs come
// from eight neighbouring source pixels: one load and one permutation. Other
// blocks (downscaling, the row's last pixels, any map that jumps) use the
// hardware gather.
__attribute__((target("avx2"))) void GatherPixelsAVX2(const TkivPixel* row, int32_t row_width,
                                                      const int32_t* columns, TkivPixel* dst,
                                                      int32_t count) {
  const int* base_ptr = reinterpret_cast<const int*>(row);
  const __m256i seven = _mm256_set1_epi32(7);
  int32_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m256i cols = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columns + i));
    const int32_t first = columns[i];
    const __m256i offsets = _mm256_sub_epi32(cols, _mm256_set1_epi32(first));
    // Every offset within 0..7 (unsigned, so negative ones fail too).
    const bool near_block =
        _mm256_testc_si256(_mm256_cmpeq_epi32(_mm256_min_epu32(offsets, seven), offsets),
                           _mm256_set1_epi32(-1)) != 0;
    __m256i v;
    if (near_block && first + 8 <= row_width) {
      const __m256i near = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + first));
      v = _mm256_permutevar8x32_epi32(near, offsets);
    } else {
      v = _mm256_i32gather_epi32(base_ptr, cols, 4);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), v);
  }
  for (; i < count; ++i) dst[i] = row[columns[i]];
}

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
    _mm512_storeu_si512(dst + i, _mm512_mask_or_epi32(_mm512_loadu_si512(dst + i), shown, s, opaque));
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

bool CpuHasAVX512() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0 &&
           __builtin_cpu_supports("avx512vl") != 0;
  }();
  return has;
}

bool CpuHasAVX2() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return has;
}

}  // namespace kiv::simd
