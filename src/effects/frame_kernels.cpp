#include "effects/frame_kernels.hpp"

#include <immintrin.h>

// GCC 12 warns about the deliberately undefined inactive lanes inside its own
// AVX-512 intrinsics once they are inlined here.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <cstring>

#include "graphics/kiv_blend_simd.hpp"

namespace kiv {

namespace {

using simd::BlendExact16;
using simd::BlendExact4;
using simd::BlendExact8;

constexpr TkivPixel kKey = KeyPixel;

// ---- Scalar reference ---------------------------------------------------------

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

void MaskRowRef(TkivPixel* target, const uint8_t* alpha, const TkivPixel* source, TkivPixel* work,
                int n) {
  for (int i = 0; i < n; ++i) {
    const TkivPixel c = target[i] & 0x00FFFFFFu;
    const TkivPixel t = c == kKey ? c : c | static_cast<TkivPixel>(alpha[i]) << 24;
    target[i] = t;
    work[i] = BlendOne(t, source[i]);
  }
}

void CopyShownRef(const TkivPixel* src, TkivPixel* dst, int n) {
  for (int i = 0; i < n; ++i)
    if (Shows(src[i])) dst[i] = src[i];
}

void SelectShownRef(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst, int n) {
  for (int i = 0; i < n; ++i) dst[i] = Shows(src[i]) ? src[i] : old[i];
}

void HideKeysRef(TkivPixel* px, int n) {
  for (int i = 0; i < n; ++i)
    if ((px[i] & 0x00FFFFFFu) == kKey) px[i] = kKey;
}

void BlendRowRef(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int n) {
  for (int i = 0; i < n; ++i) dst[i] = BlendOne(fg[i], bg[i]);
}

void SpreadRef(const int32_t* column, const uint8_t* row, uint8_t* out, int n) {
  for (int i = 0; i < n; ++i) out[i] = row[column[i]];
}

// ---- SSE2 (every x86-64 processor) ----------------------------------------------

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

// ---- AVX2 -----------------------------------------------------------------------

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

KIV_TARGET_AVX2 void BlendRowAvx2(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst,
                                  int n) {
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

// ---- AVX-512 (byte and word lanes): sixteen pixels a step; the row's last
// pixels by masked loads and stores ---------------------------------------------

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
  const __m512i a = _mm512_shuffle_epi8(
      _mm512_broadcast_i32x4(_mm_maskz_loadu_epi8(m, alpha)), spread);
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

KIV_TARGET_AVX512 inline __mmask16 Shown16(__m512i v) {
  const __m512i rgb = _mm512_set1_epi32(0x00FFFFFF),
                key = _mm512_set1_epi32(static_cast<int>(kKey));
  const __m512i amask = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  return _mm512_test_epi32_mask(v, amask) &
         _mm512_cmpneq_epi32_mask(_mm512_and_si512(v, rgb), key);
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

KIV_TARGET_AVX512 void SelectShownAvx512(const TkivPixel* src, const TkivPixel* old,
                                         TkivPixel* dst, int n) {
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m512i v = _mm512_loadu_si512(src + i);
    const __mmask16 shown = Shown16(v);
    // The old row is read only where some pixel is hidden.
    _mm512_storeu_si512(dst + i, shown == 0xFFFF ? v
                                                 : _mm512_mask_blend_epi32(
                                                       shown, _mm512_loadu_si512(old + i), v));
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

// ---- The table ---------------------------------------------------------------------

struct FrameKernelSet {
  void (*mask_row)(TkivPixel*, const uint8_t*, const TkivPixel*, TkivPixel*, int);
  // The same, writing work around the caches (work 64-byte aligned).
  void (*mask_row_stream)(TkivPixel*, const uint8_t*, const TkivPixel*, TkivPixel*, int);
  void (*copy_shown)(const TkivPixel*, TkivPixel*, int);
  void (*select_shown)(const TkivPixel*, const TkivPixel*, TkivPixel*, int);
  void (*blend_row)(const TkivPixel*, const TkivPixel*, TkivPixel*, int);
  void (*hide_keys)(TkivPixel*, int);
  bool windows;  // the widening uses byte shuffles
};

FrameKernelSet SetOf(TkivSimdLevel level) {
  if (level == TkivSimdLevel::AVX512 && !simd::CpuHasAVX512()) level = TkivSimdLevel::AVX2;
  if (level == TkivSimdLevel::AVX2 && !simd::CpuHasAVX2()) level = TkivSimdLevel::SSE2;
  switch (level) {
    case TkivSimdLevel::Reference:
      return {MaskRowRef, MaskRowRef, CopyShownRef, SelectShownRef, BlendRowRef, HideKeysRef, false};
    case TkivSimdLevel::SSE2:
      return {MaskRowSse2,  MaskRowSse2,  CopyShownSse2, SelectShownSse2,
              BlendRowSse2, HideKeysSse2, false};
    case TkivSimdLevel::AVX2:
      return {MaskRowAvx2,  MaskRowAvx2,  CopyShownAvx2, SelectShownAvx2,
              BlendRowAvx2, HideKeysAvx2, true};
    case TkivSimdLevel::AVX512:
      break;
  }
  return {MaskRowAvx512<false>, MaskRowAvx512<true>, CopyShownAvx512, SelectShownAvx512,
          BlendRowAvx512,       HideKeysAvx2,        true};
}

FrameKernelSet& Active() {
  static FrameKernelSet k = SetOf(DetectSimdLevel());
  return k;
}

}  // namespace

void ComposeMaskRow(TkivPixel* target, const uint8_t* alpha, const TkivPixel* source,
                    TkivPixel* work, int count, bool stream) {
  if (count <= 0) return;
  if (stream && (reinterpret_cast<uintptr_t>(work) & 63) == 0)
    Active().mask_row_stream(target, alpha, source, work, count);
  else
    Active().mask_row(target, alpha, source, work, count);
}

void CopyShownPixels(const TkivPixel* src, TkivPixel* dst, int count) {
  if (count > 0) Active().copy_shown(src, dst, count);
}

void SelectShownPixels(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst, int count) {
  if (count > 0) Active().select_shown(src, old, dst, count);
}

void BlendRow(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int count) {
  if (count > 0) Active().blend_row(fg, bg, dst, count);
}

void HideKeyPixelsRow(TkivPixel* pixels, int count) {
  if (count > 0) Active().hide_keys(pixels, count);
}

void TkivMaskSpread::Plan(std::vector<int32_t> columns) {
  column_ = std::move(columns);
  const size_t n = column_.size(), blocks = n / 16;
  base_.assign(blocks, -1);
  offset_.assign(blocks * 16, 0);
  for (size_t b = 0; b < blocks; ++b) {
    const int32_t first = column_[16 * b];
    bool fits = true;
    for (size_t k = 0; k < 16 && fits; ++k) {
      const int32_t d = column_[16 * b + k] - first;
      fits = d >= 0 && d < 16;
      if (fits) offset_[16 * b + k] = static_cast<uint8_t>(d);
    }
    if (fits) base_[b] = first;
  }
}

void TkivMaskSpread::Spread(const uint8_t* mask_row, int cols, uint8_t* out) const {
  const int n = Width();
  if (n == 0) return;
  if (!Active().windows) {
    SpreadRef(column_.data(), mask_row, out, n);
    return;
  }
  // A window may reach up to 15 cells past the row's end: read them from a
  // copy with room behind it.
  if (padded_.size() < static_cast<size_t>(cols) + 16) padded_.assign(static_cast<size_t>(cols) + 16, 0);
  std::memcpy(padded_.data(), mask_row, static_cast<size_t>(cols));
  SpreadAvx2(base_.data(), offset_.data(), column_.data(), padded_.data(), out, n);
}

void UseFrameKernelLevel(TkivSimdLevel level) {
  Active() = SetOf(level);
}

void UseReferenceKernels(bool reference) {
  Active() = SetOf(reference ? TkivSimdLevel::Reference : DetectSimdLevel());
}

}  // namespace kiv
