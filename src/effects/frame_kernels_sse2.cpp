// The SSE2 frame kernels (every x86-64 processor).
#include <immintrin.h>

#include <cstdint>
#include <cstring>

#include "effects/frame_kernels_levels.hpp"
#include "graphics/kiv_blend_simd.hpp"

namespace kiv::frame_kernels {

namespace {

using simd::BlendExact4;
using simd::BlendWeighted4;

inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
  return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

void MaskRowSse2(TkivPixel* target, const uint8_t* alpha, const TkivPixel* source, TkivPixel* work,
                 int n) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(static_cast<int>(kKey));
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    int32_t a4;
    std::memcpy(&a4, alpha + i, 4);
    __m128i a = _mm_cvtsi32_si128(a4);
    a = _mm_unpacklo_epi8(zero, a);   // bytes -> high byte of 16-bit lanes
    a = _mm_unpacklo_epi16(zero, a);  // -> high byte of 32-bit lanes
    __m128i* tp = reinterpret_cast<__m128i*>(target + i);
    const __m128i old = _mm_loadu_si128(tp);
    const __m128i c = _mm_and_si128(old, rgb);
    const __m128i t = _mm_or_si128(c, _mm_andnot_si128(_mm_cmpeq_epi32(c, key), a));
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    const __m128i r = BlendExact4(t, s);
    // Written back only when some alpha changed; stores after the loads (see
    // the AVX-512 step).
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(t, old)) != 0xFFFF) _mm_storeu_si128(tp, t);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(work + i), r);
  }
  MaskRowRef(target + i, alpha + i, source + i, work + i, n - i);
}

// The mask row at one level: the alpha and the blend weight are constants,
// and a key pixel's weight is 0 (which keeps the source pixel).
void LevelRowSse2(TkivPixel* target, uint8_t level, const TkivPixel* source, TkivPixel* work,
                  int n) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(static_cast<int>(kKey));
  const __m128i a = _mm_set1_epi32(static_cast<int>(static_cast<uint32_t>(level) << 24));
  const __m128i weight = _mm_set1_epi32(static_cast<int>(LevelWeight(level)));
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    __m128i* tp = reinterpret_cast<__m128i*>(target + i);
    const __m128i old = _mm_loadu_si128(tp);
    const __m128i c = _mm_and_si128(old, rgb);
    const __m128i is_key = _mm_cmpeq_epi32(c, key);
    const __m128i t = _mm_or_si128(c, _mm_andnot_si128(is_key, a));
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    const __m128i r = BlendWeighted4(t, s, _mm_andnot_si128(is_key, weight));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(t, old)) != 0xFFFF) _mm_storeu_si128(tp, t);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(work + i), r);
  }
  LevelRowRef(target + i, level, source + i, work + i, n - i);
}

inline __m128i Hidden4(__m128i s) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(static_cast<int>(kKey));
  return _mm_or_si128(_mm_cmpeq_epi32(_mm_srli_epi32(s, 24), _mm_setzero_si128()),
                      _mm_cmpeq_epi32(_mm_and_si128(s, rgb), key));
}

void CopyShownSse2(const TkivPixel* src, TkivPixel* dst, int n) {
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i hidden = Hidden4(s);
    const int bits = _mm_movemask_epi8(hidden);
    if (bits == 0xFFFF) continue;
    __m128i* d = reinterpret_cast<__m128i*>(dst + i);
    _mm_storeu_si128(d, bits == 0 ? s : Select(hidden, _mm_loadu_si128(d), s));
  }
  CopyShownRef(src + i, dst + i, n - i);
}

void SelectShownSse2(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst, int n) {
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i hidden = Hidden4(s);
    __m128i r = s;
    if (_mm_movemask_epi8(hidden) != 0)
      r = Select(hidden, _mm_loadu_si128(reinterpret_cast<const __m128i*>(old + i)), s);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), r);
  }
  SelectShownRef(src + i, old + i, dst + i, n - i);
}

void HideKeysSse2(TkivPixel* px, int n) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(static_cast<int>(kKey));
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    __m128i* p = reinterpret_cast<__m128i*>(px + i);
    const __m128i v = _mm_loadu_si128(p);
    const __m128i is_key = _mm_cmpeq_epi32(_mm_and_si128(v, rgb), key);
    if (_mm_movemask_epi8(is_key) != 0) _mm_storeu_si128(p, Select(is_key, key, v));
  }
  HideKeysRef(px + i, n - i);
}

void BlendRowSse2(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int n) {
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fg + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bg + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), BlendExact4(f, b));
  }
  BlendRowRef(fg + i, bg + i, dst + i, n - i);
}

}  // namespace

const TkivFrameKernelSet SSE2Set = {MaskRowSse2,  MaskRowSse2,   LevelRowSse2,
                                    LevelRowSse2, CopyShownSse2, SelectShownSse2,
                                    BlendRowSse2, HideKeysSse2,  nullptr};

}  // namespace kiv::frame_kernels
