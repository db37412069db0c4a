// The AVX-512 frame kernels (byte and word lanes): sixteen pixels a step,
// the row's last pixels by masked loads and stores. Compiled per function
// (target attribute) so that they run only where the processor has them.
#include <immintrin.h>

#include <cstdint>
#include <cstring>

// GCC 12 warns about the deliberately undefined inactive lanes inside its own
// AVX-512 intrinsics once they are inlined here.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "effects/frame_kernels_levels.hpp"
#include "graphics/kiv_blend_simd.hpp"

namespace kiv::frame_kernels {

namespace {

using simd::BlendExact16;
using simd::BlendWeighted16;

KIV_TARGET_AVX512 inline __mmask16 TailMask16(int n) {
  return static_cast<__mmask16>((1u << n) - 1);
}

// The mask row's step on `m` lanes of sixteen. A target block goes back to
// memory only when some alpha changed, so unchanged parts of the picture are
// never dirtied; it is then stored whole (its other pixels get the values
// they hold), as a masked store costs far more than a plain one. Blocks whose
// target pixels are all opaque take them without reading the source. Both
// are branches, not selects: a predicted branch lets the processor start the
// next loads at once, where a load address computed from the pixels would
// wait for them. With kStream the work block is written around the caches.
template <bool kStream>
KIV_TARGET_AVX512 inline void MaskStep16(TkivPixel* target, const uint8_t* alpha,
                                         const TkivPixel* source, TkivPixel* work, __mmask16 m) {
  const __m512i rgb = _mm512_set1_epi32(0x00FFFFFF),
                key = _mm512_set1_epi32(static_cast<int>(kKey));
  // Alpha byte k into the top byte of pixel k: every 128-bit lane holds all
  // sixteen bytes, and lane L picks bytes 4L .. 4L + 3.
  const __m512i spread =
      _mm512_set_epi32(0x0FFFFFFF, 0x0EFFFFFF, 0x0DFFFFFF, 0x0CFFFFFF, 0x0BFFFFFF, 0x0AFFFFFF,
                       0x09FFFFFF, 0x08FFFFFF, 0x07FFFFFF, 0x06FFFFFF, 0x05FFFFFF, 0x04FFFFFF,
                       0x03FFFFFF, 0x02FFFFFF, 0x01FFFFFF, 0x00FFFFFF);
  const __m512i a =
      _mm512_shuffle_epi8(_mm512_broadcast_i32x4(_mm_maskz_loadu_epi8(m, alpha)), spread);
  const __m512i old = _mm512_maskz_loadu_epi32(m, target);
  const __m512i c = _mm512_and_si512(old, rgb);
  const __m512i t = _mm512_mask_or_epi32(c, _mm512_cmpneq_epi32_mask(c, key), c, a);
  const __m512i amask = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  const __mmask16 full = m & _mm512_cmpge_epu32_mask(t, amask);
  __m512i r = t;
  if (full != m) {
    const __m512i s = _mm512_maskz_loadu_epi32(m, source);
    // Alpha 0 yields the source and 255 the target: a block holding only
    // those needs no arithmetic.
    const __mmask16 partial = m & ~full & _mm512_test_epi32_mask(t, amask);
    r = partial == 0 ? _mm512_mask_blend_epi32(full, s, t) : BlendExact16(t, s);
  }
  // The stores come after every load of the block: the surfaces lie at the
  // same offsets within 4 KiB pages, and a load of the source placed after
  // a store to the same page offset of the target would wait on it as if
  // they might overlap.
  if ((m & _mm512_cmpneq_epi32_mask(t, old)) != 0) {
    if (m == 0xFFFF)
      _mm512_storeu_si512(target, t);
    else
      _mm512_mask_storeu_epi32(target, m, t);
  }
  if (m != 0xFFFF)
    _mm512_mask_storeu_epi32(work, m, r);
  else if (kStream)
    _mm512_stream_si512(reinterpret_cast<__m512i*>(work), r);
  else
    _mm512_storeu_si512(work, r);
}

template <bool kStream>
KIV_TARGET_AVX512 void MaskRowAvx512(TkivPixel* target, const uint8_t* alpha,
                                     const TkivPixel* source, TkivPixel* work, int n) {
  int i = 0;
  for (; i + 16 <= n; i += 16)
    MaskStep16<kStream>(target + i, alpha + i, source + i, work + i, 0xFFFF);
  if (i < n) MaskStep16<false>(target + i, alpha + i, source + i, work + i, TailMask16(n - i));
  if (kStream) _mm_sfence();
}

// A block of sixteen pixels, or its first lanes (`m`): a plain load for a
// whole block (the mask is a constant where the step is inlined).
KIV_TARGET_AVX512 inline __m512i Load16(const TkivPixel* p, __mmask16 m) {
  return m == 0xFFFF ? _mm512_loadu_si512(p) : _mm512_maskz_loadu_epi32(m, p);
}

// The mask row's step at one level: `a` holds the level in every alpha byte
// and `weight` its blend weight; a key pixel's weight is 0, which keeps the
// source pixel. Stores as in MaskStep16.
template <bool kStream>
KIV_TARGET_AVX512 inline void LevelStep16(TkivPixel* target, __m512i a, __m512i weight,
                                          const TkivPixel* source, TkivPixel* work, __mmask16 m) {
  const __m512i rgb = _mm512_set1_epi32(0x00FFFFFF),
                key = _mm512_set1_epi32(static_cast<int>(kKey));
  const __m512i old = Load16(target, m);
  const __m512i c = _mm512_and_si512(old, rgb);
  const __mmask16 shown = _mm512_cmpneq_epi32_mask(c, key);
  const __m512i t = _mm512_mask_or_epi32(c, shown, c, a);
  const __m512i r = BlendWeighted16(t, Load16(source, m), _mm512_maskz_mov_epi32(shown, weight));
  if ((m & _mm512_cmpneq_epi32_mask(t, old)) != 0) {
    if (m == 0xFFFF)
      _mm512_storeu_si512(target, t);
    else
      _mm512_mask_storeu_epi32(target, m, t);
  }
  if (m != 0xFFFF)
    _mm512_mask_storeu_epi32(work, m, r);
  else if (kStream)
    _mm512_stream_si512(reinterpret_cast<__m512i*>(work), r);
  else
    _mm512_storeu_si512(work, r);
}

template <bool kStream>
KIV_TARGET_AVX512 void LevelRowAvx512(TkivPixel* target, uint8_t level, const TkivPixel* source,
                                      TkivPixel* work, int n) {
  const __m512i a = _mm512_set1_epi32(static_cast<int>(static_cast<uint32_t>(level) << 24));
  const __m512i weight = _mm512_set1_epi32(static_cast<int>(LevelWeight(level)));
  int i = 0;
  for (; i + 16 <= n; i += 16)
    LevelStep16<kStream>(target + i, a, weight, source + i, work + i, 0xFFFF);
  if (i < n) LevelStep16<false>(target + i, a, weight, source + i, work + i, TailMask16(n - i));
  if (kStream) _mm_sfence();
}

KIV_TARGET_AVX512 inline __mmask16 Shown16(__m512i v) {
  const __m512i rgb = _mm512_set1_epi32(0x00FFFFFF),
                key = _mm512_set1_epi32(static_cast<int>(kKey));
  const __m512i amask = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  return _mm512_test_epi32_mask(v, amask) & _mm512_cmpneq_epi32_mask(_mm512_and_si512(v, rgb), key);
}

KIV_TARGET_AVX512 void CopyShownAvx512(const TkivPixel* src, TkivPixel* dst, int n) {
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m512i v = _mm512_loadu_si512(src + i);
    const __mmask16 shown = Shown16(v);
    // Plain stores where possible: a partly shown block is merged with the
    // destination in a register first.
    if (shown == 0xFFFF)
      _mm512_storeu_si512(dst + i, v);
    else if (shown != 0)
      _mm512_storeu_si512(dst + i, _mm512_mask_blend_epi32(shown, _mm512_loadu_si512(dst + i), v));
  }
  if (i < n) {
    const __mmask16 m = TailMask16(n - i);
    _mm512_mask_storeu_epi32(dst + i, m & Shown16(_mm512_maskz_loadu_epi32(m, src + i)),
                             _mm512_maskz_loadu_epi32(m, src + i));
  }
}

KIV_TARGET_AVX512 void SelectShownAvx512(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst,
                                         int n) {
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m512i v = _mm512_loadu_si512(src + i);
    const __mmask16 shown = Shown16(v);
    // The old row is read only where some pixel is hidden.
    _mm512_storeu_si512(
        dst + i,
        shown == 0xFFFF ? v : _mm512_mask_blend_epi32(shown, _mm512_loadu_si512(old + i), v));
  }
  if (i < n) {
    const __mmask16 m = TailMask16(n - i);
    const __m512i v = _mm512_maskz_loadu_epi32(m, src + i);
    _mm512_mask_storeu_epi32(
        dst + i, m, _mm512_mask_blend_epi32(Shown16(v), _mm512_maskz_loadu_epi32(m, old + i), v));
  }
}

KIV_TARGET_AVX512 void BlendRowAvx512(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst,
                                      int n) {
  const __m512i amask = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m512i f = _mm512_loadu_si512(fg + i);
    // A wholly opaque block needs nothing from bg.
    __m512i r = f;
    if (_mm512_cmpeq_epi32_mask(_mm512_and_si512(f, amask), amask) != 0xFFFF)
      r = BlendExact16(f, _mm512_loadu_si512(bg + i));
    _mm512_storeu_si512(dst + i, r);
  }
  if (i < n) {
    const __mmask16 m = TailMask16(n - i);
    _mm512_mask_storeu_epi32(
        dst + i, m,
        BlendExact16(_mm512_maskz_loadu_epi32(m, fg + i), _mm512_maskz_loadu_epi32(m, bg + i)));
  }
}

}  // namespace

// Keys are hidden and mask rows widened as at AVX2.
const TkivFrameKernelSet AVX512Set = {
    MaskRowAvx512<false>, MaskRowAvx512<true>, LevelRowAvx512<false>,
    LevelRowAvx512<true>, CopyShownAvx512,     SelectShownAvx512,
    BlendRowAvx512,       HideKeysAvx2,        SpreadAvx2};

}  // namespace kiv::frame_kernels
