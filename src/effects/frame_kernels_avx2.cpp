// The AVX2 frame kernels, compiled per function (target attribute) so that
// they run only where the processor has AVX2.
#include <immintrin.h>

#include <cstdint>
#include <cstring>

#include "effects/frame_kernels_levels.hpp"
#include "graphics/kiv_blend_simd.hpp"

namespace kiv::frame_kernels {

using simd::BlendExact8;
using simd::BlendWeighted8;

namespace {

KIV_TARGET_AVX2 void MaskRowAvx2(TkivPixel* target, const uint8_t* alpha, const TkivPixel* source,
                                 TkivPixel* work, int n) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF),
                key = _mm256_set1_epi32(static_cast<int>(kKey));
  const __m256i amask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    int64_t a8;
    std::memcpy(&a8, alpha + i, 8);
    const __m256i a = _mm256_slli_epi32(_mm256_cvtepu8_epi32(_mm_cvtsi64_si128(a8)), 24);
    __m256i* tp = reinterpret_cast<__m256i*>(target + i);
    const __m256i old = _mm256_loadu_si256(tp);
    const __m256i c = _mm256_and_si256(old, rgb);
    const __m256i t = _mm256_or_si256(c, _mm256_andnot_si256(_mm256_cmpeq_epi32(c, key), a));
    const __m256i ta = _mm256_and_si256(t, amask);
    const __m256i full = _mm256_cmpeq_epi32(ta, amask);
    __m256i r = t;
    if (_mm256_movemask_epi8(full) != -1) {
      const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
      // Only alpha 0 and 255: the source or the target, no arithmetic.
      const __m256i ends = _mm256_or_si256(full, _mm256_cmpeq_epi32(ta, _mm256_setzero_si256()));
      r = _mm256_movemask_epi8(ends) == -1 ? _mm256_blendv_epi8(s, t, full) : BlendExact8(t, s);
    }
    // Stores after the loads (see the AVX-512 step).
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(t, old)) != -1) _mm256_storeu_si256(tp, t);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(work + i), r);
  }
  MaskRowRef(target + i, alpha + i, source + i, work + i, n - i);
}

// The mask row at one level: the alpha and the blend weight are constants,
// and a key pixel's weight is 0 (which keeps the source pixel).
KIV_TARGET_AVX2 void LevelRowAvx2(TkivPixel* target, uint8_t level, const TkivPixel* source,
                                  TkivPixel* work, int n) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF),
                key = _mm256_set1_epi32(static_cast<int>(kKey));
  const __m256i a = _mm256_set1_epi32(static_cast<int>(static_cast<uint32_t>(level) << 24));
  const __m256i weight = _mm256_set1_epi32(static_cast<int>(LevelWeight(level)));
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    __m256i* tp = reinterpret_cast<__m256i*>(target + i);
    const __m256i old = _mm256_loadu_si256(tp);
    const __m256i c = _mm256_and_si256(old, rgb);
    const __m256i is_key = _mm256_cmpeq_epi32(c, key);
    const __m256i t = _mm256_or_si256(c, _mm256_andnot_si256(is_key, a));
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
    const __m256i r = BlendWeighted8(t, s, _mm256_andnot_si256(is_key, weight));
    // Stores after the loads (see the AVX-512 step).
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(t, old)) != -1) _mm256_storeu_si256(tp, t);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(work + i), r);
  }
  LevelRowRef(target + i, level, source + i, work + i, n - i);
}

KIV_TARGET_AVX2 inline __m256i Hidden8(__m256i s) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF),
                key = _mm256_set1_epi32(static_cast<int>(kKey));
  return _mm256_or_si256(_mm256_cmpeq_epi32(_mm256_srli_epi32(s, 24), _mm256_setzero_si256()),
                         _mm256_cmpeq_epi32(_mm256_and_si256(s, rgb), key));
}

KIV_TARGET_AVX2 void CopyShownAvx2(const TkivPixel* src, TkivPixel* dst, int n) {
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    const __m256i hidden = Hidden8(s);
    const int bits = _mm256_movemask_epi8(hidden);
    if (bits == -1) continue;
    __m256i* d = reinterpret_cast<__m256i*>(dst + i);
    _mm256_storeu_si256(d, bits == 0 ? s : _mm256_blendv_epi8(s, _mm256_loadu_si256(d), hidden));
  }
  CopyShownRef(src + i, dst + i, n - i);
}

KIV_TARGET_AVX2 void SelectShownAvx2(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst,
                                     int n) {
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    const __m256i hidden = Hidden8(s);
    __m256i r = s;
    if (_mm256_movemask_epi8(hidden) != 0)
      r = _mm256_blendv_epi8(s, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(old + i)),
                             hidden);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), r);
  }
  SelectShownRef(src + i, old + i, dst + i, n - i);
}

KIV_TARGET_AVX2 void BlendRowAvx2(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int n) {
  const __m256i amask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(fg + i));
    // A wholly opaque block needs nothing from bg.
    __m256i r = f;
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_and_si256(f, amask), amask)) != -1)
      r = BlendExact8(f, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bg + i)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), r);
  }
  BlendRowRef(fg + i, bg + i, dst + i, n - i);
}

}  // namespace

KIV_TARGET_AVX2 void HideKeysAvx2(TkivPixel* px, int n) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF),
                key = _mm256_set1_epi32(static_cast<int>(kKey));
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    __m256i* p = reinterpret_cast<__m256i*>(px + i);
    const __m256i v = _mm256_loadu_si256(p);
    const __m256i is_key = _mm256_cmpeq_epi32(_mm256_and_si256(v, rgb), key);
    if (_mm256_movemask_epi8(is_key) != 0)
      _mm256_storeu_si256(p, _mm256_blendv_epi8(v, key, is_key));
  }
  HideKeysRef(px + i, n - i);
}

// The widening by windows: one 16-byte load from the padded row and one byte
// shuffle per block of 16 pixels.
KIV_TARGET_AVX2 void SpreadAvx2(const int32_t* base, const uint8_t* offsets, const int32_t* column,
                                const uint8_t* padded, uint8_t* out, int n) {
  int i = 0, b = 0;
  for (; i + 16 <= n; i += 16, ++b) {
    if (base[b] < 0) {
      SpreadRef(column + i, padded, out + i, 16);
      continue;
    }
    const __m128i window = _mm_loadu_si128(reinterpret_cast<const __m128i*>(padded + base[b]));
    const __m128i idx = _mm_loadu_si128(reinterpret_cast<const __m128i*>(offsets + 16 * b));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_shuffle_epi8(window, idx));
  }
  SpreadRef(column + i, padded, out + i, n - i);
}

const TkivFrameKernelSet AVX2Set = {MaskRowAvx2,  MaskRowAvx2,   LevelRowAvx2,
                                    LevelRowAvx2, CopyShownAvx2, SelectShownAvx2,
                                    BlendRowAvx2, HideKeysAvx2,  SpreadAvx2};

}  // namespace kiv::frame_kernels
