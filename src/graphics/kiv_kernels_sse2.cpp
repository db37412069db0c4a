// SSE2 versions of the row kernels (every x86-64 processor has SSE2). Their
// blend is the MMX formula of kiv_blend_simd.hpp, bit-exact with the scalar
// reference.
#include <immintrin.h>

#include "graphics/kiv_blend_simd.hpp"
#include "graphics/kiv_kernels.hpp"

namespace kiv::simd {

void BlendPixelsSSE2(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), BlendExact4(s, d));
  }
  reference::BlendPixelsMMX(src + i, dst + i, count - i);
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

void FillPixelsSSE2(TkivPixel* dst, int32_t count, TkivPixel value) {
  const __m128i v = _mm_set1_epi32(static_cast<int>(value));
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), v);
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

}  // namespace kiv::simd
