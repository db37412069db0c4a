// AVX2 versions of the row kernels. Their blend is the MMX formula of
// kiv_blend_simd.hpp, bit-exact with the scalar reference.
//
// The code is compiled per function (target attribute), so the library stays
// generic x86-64 and each variant runs only where the processor has it.
#include <immintrin.h>

#include "graphics/kiv_blend_simd.hpp"
#include "graphics/kiv_kernels.hpp"

namespace kiv::simd {

namespace {

// Source pixels made opaque, the destination's where the source is the key.
KIV_TARGET_AVX2 inline __m256i KeyCopy8(__m256i s, __m256i d) {
  const __m256i is_key = _mm256_cmpeq_epi32(_mm256_and_si256(s, _mm256_set1_epi32(0x00FFFFFF)),
                                            _mm256_set1_epi32(static_cast<int>(KeyPixel)));
  return _mm256_blendv_epi8(_mm256_or_si256(s, _mm256_set1_epi32(static_cast<int>(0xFF000000u))), d,
                            is_key);
}

// Lanes 0..n-1 selected, for the masked tail of a run (0 <= n <= 8).
KIV_TARGET_AVX2 inline __m256i TailMask(int32_t n) {
  return _mm256_cmpgt_epi32(_mm256_set1_epi32(n), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

}  // namespace

// Runs of 8 or more end with one full vector over their last 8 pixels,
// computed from the pixels as they were before the run was touched, so the
// pixels it shares with the last whole block get the same values again.
KIV_TARGET_AVX2 void BlendPixelsAVX2(const TkivPixel* src, TkivPixel* dst, int32_t count) {
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

KIV_TARGET_AVX2 void KeyCopyPixelsAVX2(const TkivPixel* src, TkivPixel* dst, int32_t count) {
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

KIV_TARGET_AVX2 void FillPixelsAVX2(TkivPixel* dst, int32_t count, TkivPixel value) {
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

KIV_TARGET_AVX2 void SetAlphaPixelsAVX2(TkivPixel* dst, int32_t count, uint8_t alpha) {
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
KIV_TARGET_AVX2 void GatherPixelsAVX2(const TkivPixel* row, int32_t row_width,
                                      const int32_t* columns, TkivPixel* dst, int32_t count) {
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

}  // namespace kiv::simd
