#include "effects/frame_kernels.hpp"

#include <immintrin.h>

#include <cstring>

namespace kiv {

namespace {

constexpr TkivPixel kKey = KeyPixel;

// ---- Scalar reference ---------------------------------------------------------

// The MMX formula with the exact ends, as BlendPixels applies it per pixel.
inline TkivPixel BlendOne(TkivPixel fg, TkivPixel bg) {
  const uint32_t a = fg >> 24;
  if (a == 0) return bg;
  if (a == 255) return fg;
  return reference::BlendPixelMMX(fg, bg);
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
    if ((src[i] >> 24) != 0 && (src[i] & 0x00FFFFFFu) != kKey) dst[i] = src[i];
}

void SelectShownRef(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst, int n) {
  for (int i = 0; i < n; ++i)
    dst[i] = (src[i] >> 24) != 0 && (src[i] & 0x00FFFFFFu) != kKey ? src[i] : old[i];
}

void HideKeysRef(TkivPixel* px, int n) {
  for (int i = 0; i < n; ++i)
    if ((px[i] & 0x00FFFFFFu) == kKey) px[i] = kKey;
}

void BlendRowRef(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int n) {
  for (int i = 0; i < n; ++i) dst[i] = BlendOne(fg[i], bg[i]);
}

// ---- SSE2 (every x86-64 processor) ----------------------------------------------

// (bg * (256 - a) + fg * a) >> 8 per byte lane; a = 0 yields bg exactly.
inline __m128i Blend4(__m128i fg, __m128i bg) {
  const __m128i zero = _mm_setzero_si128(), k256 = _mm_set1_epi16(256);
  const __m128i f_lo = _mm_unpacklo_epi8(fg, zero), f_hi = _mm_unpackhi_epi8(fg, zero);
  const __m128i b_lo = _mm_unpacklo_epi8(bg, zero), b_hi = _mm_unpackhi_epi8(bg, zero);
  const __m128i a_lo = _mm_shufflehi_epi16(_mm_shufflelo_epi16(f_lo, 0xFF), 0xFF);
  const __m128i a_hi = _mm_shufflehi_epi16(_mm_shufflelo_epi16(f_hi, 0xFF), 0xFF);
  const __m128i r_lo = _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(b_lo, _mm_sub_epi16(k256, a_lo)), _mm_mullo_epi16(f_lo, a_lo)),
      8);
  const __m128i r_hi = _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(b_hi, _mm_sub_epi16(k256, a_hi)), _mm_mullo_epi16(f_hi, a_hi)),
      8);
  return _mm_packus_epi16(r_lo, r_hi);
}

inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
  return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

// Blend with the exact ends: alpha 255 takes fg (alpha 0 is exact already).
inline __m128i BlendExact4(__m128i fg, __m128i bg) {
  const __m128i amask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i full = _mm_cmpeq_epi32(_mm_and_si128(fg, amask), amask);
  const int bits = _mm_movemask_epi8(full);
  if (bits == 0xFFFF) return fg;
  return Select(full, fg, Blend4(fg, bg));
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
    const __m128i c =
        _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(target + i)), rgb);
    const __m128i is_key = _mm_cmpeq_epi32(c, key);
    const __m128i t = _mm_or_si128(c, _mm_andnot_si128(is_key, a));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + i), t);
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(work + i), BlendExact4(t, s));
  }
  MaskRowRef(target + i, alpha + i, source + i, work + i, n - i);
}

void CopyShownSse2(const TkivPixel* src, TkivPixel* dst, int n) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(static_cast<int>(kKey));
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i hidden = _mm_or_si128(_mm_cmpeq_epi32(_mm_srli_epi32(s, 24), zero),
                                        _mm_cmpeq_epi32(_mm_and_si128(s, rgb), key));
    const int bits = _mm_movemask_epi8(hidden);
    if (bits == 0xFFFF) continue;
    __m128i* d = reinterpret_cast<__m128i*>(dst + i);
    _mm_storeu_si128(d, bits == 0 ? s : Select(hidden, _mm_loadu_si128(d), s));
  }
  CopyShownRef(src + i, dst + i, n - i);
}

void SelectShownSse2(const TkivPixel* src, const TkivPixel* old, TkivPixel* dst, int n) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(static_cast<int>(kKey));
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i hidden = _mm_or_si128(_mm_cmpeq_epi32(_mm_srli_epi32(s, 24), zero),
                                        _mm_cmpeq_epi32(_mm_and_si128(s, rgb), key));
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
  const __m128i amask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fg + i));
    const int none =
        _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(f, amask), _mm_setzero_si128()));
    __m128i* d = reinterpret_cast<__m128i*>(dst + i);
    if (none == 0xFFFF) {
      if (bg != dst) _mm_storeu_si128(d, _mm_loadu_si128(reinterpret_cast<const __m128i*>(bg + i)));
      continue;
    }
    _mm_storeu_si128(d, BlendExact4(f, _mm_loadu_si128(reinterpret_cast<const __m128i*>(bg + i))));
  }
  BlendRowRef(fg + i, bg + i, dst + i, n - i);
}

// ---- AVX2 and AVX-512 (native builds; the mingw-w64 compiler does not keep 32-byte
// stack alignment, so the Windows build stays with SSE2) ------------------------

#if !defined(_WIN32)
#define KIV_HAVE_AVX2 1

__attribute__((target("avx2"))) inline __m256i Blend8(__m256i fg, __m256i bg) {
  const __m256i zero = _mm256_setzero_si256(), k256 = _mm256_set1_epi16(256);
  const __m256i f_lo = _mm256_unpacklo_epi8(fg, zero), f_hi = _mm256_unpackhi_epi8(fg, zero);
  const __m256i b_lo = _mm256_unpacklo_epi8(bg, zero), b_hi = _mm256_unpackhi_epi8(bg, zero);
  // Each pixel's alpha byte into the four 16-bit lanes of its channels.
  const __m256i lo_ctl = _mm256_setr_epi8(3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1, 3,
                                          -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1);
  const __m256i hi_ctl =
      _mm256_setr_epi8(11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1, 11, -1, 11,
                       -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1);
  const __m256i a_lo = _mm256_shuffle_epi8(fg, lo_ctl);
  const __m256i a_hi = _mm256_shuffle_epi8(fg, hi_ctl);
  const __m256i r_lo =
      _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(b_lo, _mm256_sub_epi16(k256, a_lo)),
                                         _mm256_mullo_epi16(f_lo, a_lo)),
                        8);
  const __m256i r_hi =
      _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(b_hi, _mm256_sub_epi16(k256, a_hi)),
                                         _mm256_mullo_epi16(f_hi, a_hi)),
                        8);
  return _mm256_packus_epi16(r_lo, r_hi);
}

__attribute__((target("avx2"))) inline __m256i BlendExact8(__m256i fg, __m256i bg) {
  const __m256i amask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  const __m256i full = _mm256_cmpeq_epi32(_mm256_and_si256(fg, amask), amask);
  const int bits = _mm256_movemask_epi8(full);
  if (bits == -1) return fg;
  const __m256i none = _mm256_cmpeq_epi32(_mm256_and_si256(fg, amask), _mm256_setzero_si256());
  if (_mm256_movemask_epi8(none) == -1) return bg;
  return _mm256_blendv_epi8(Blend8(fg, bg), fg, full);
}

__attribute__((target("avx2"))) void MaskRowAvx2(TkivPixel* target, const uint8_t* alpha,
                                                 const TkivPixel* source, TkivPixel* work, int n) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF),
                key = _mm256_set1_epi32(static_cast<int>(kKey));
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    int64_t a8;
    std::memcpy(&a8, alpha + i, 8);
    const __m256i a = _mm256_slli_epi32(_mm256_cvtepu8_epi32(_mm_cvtsi64_si128(a8)), 24);
    const __m256i c =
        _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(target + i)), rgb);
    const __m256i t = _mm256_or_si256(c, _mm256_andnot_si256(_mm256_cmpeq_epi32(c, key), a));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(target + i), t);
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(work + i), BlendExact8(t, s));
  }
  MaskRowRef(target + i, alpha + i, source + i, work + i, n - i);
}

__attribute__((target("avx2"))) void CopyShownAvx2(const TkivPixel* src, TkivPixel* dst, int n) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF),
                key = _mm256_set1_epi32(static_cast<int>(kKey));
  const __m256i zero = _mm256_setzero_si256();
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    const __m256i hidden = _mm256_or_si256(_mm256_cmpeq_epi32(_mm256_srli_epi32(s, 24), zero),
                                           _mm256_cmpeq_epi32(_mm256_and_si256(s, rgb), key));
    const int bits = _mm256_movemask_epi8(hidden);
    if (bits == -1) continue;
    __m256i* d = reinterpret_cast<__m256i*>(dst + i);
    _mm256_storeu_si256(d, bits == 0 ? s : _mm256_blendv_epi8(s, _mm256_loadu_si256(d), hidden));
  }
  CopyShownRef(src + i, dst + i, n - i);
}

__attribute__((target("avx2"))) void SelectShownAvx2(const TkivPixel* src, const TkivPixel* old,
                                                     TkivPixel* dst, int n) {
  const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF),
                key = _mm256_set1_epi32(static_cast<int>(kKey));
  const __m256i zero = _mm256_setzero_si256();
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    const __m256i hidden = _mm256_or_si256(_mm256_cmpeq_epi32(_mm256_srli_epi32(s, 24), zero),
                                           _mm256_cmpeq_epi32(_mm256_and_si256(s, rgb), key));
    __m256i r = s;
    if (_mm256_movemask_epi8(hidden) != 0)
      r = _mm256_blendv_epi8(s, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(old + i)),
                             hidden);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), r);
  }
  SelectShownRef(src + i, old + i, dst + i, n - i);
}

__attribute__((target("avx2"))) void HideKeysAvx2(TkivPixel* px, int n) {
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

__attribute__((target("avx2"))) void BlendRowAvx2(const TkivPixel* fg, const TkivPixel* bg,
                                                  TkivPixel* dst, int n) {
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(fg + i));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bg + i));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), BlendExact8(f, b));
  }
  BlendRowRef(fg + i, bg + i, dst + i, n - i);
}

// AVX-512 (byte and word lanes): sixteen pixels at a time.
__attribute__((target("avx512f,avx512bw"))) inline __m512i Blend16(__m512i fg, __m512i bg) {
  const __m512i zero = _mm512_setzero_si512(), k256 = _mm512_set1_epi16(256);
  const __m512i f_lo = _mm512_unpacklo_epi8(fg, zero), f_hi = _mm512_unpackhi_epi8(fg, zero);
  const __m512i b_lo = _mm512_unpacklo_epi8(bg, zero), b_hi = _mm512_unpackhi_epi8(bg, zero);
  const __m512i lo_ctl =
      _mm512_broadcast_i32x4(_mm_setr_epi8(3, -1, 3, -1, 3, -1, 3, -1, 7, -1, 7, -1, 7, -1, 7, -1));
  const __m512i hi_ctl = _mm512_broadcast_i32x4(
      _mm_setr_epi8(11, -1, 11, -1, 11, -1, 11, -1, 15, -1, 15, -1, 15, -1, 15, -1));
  const __m512i a_lo = _mm512_shuffle_epi8(fg, lo_ctl);
  const __m512i a_hi = _mm512_shuffle_epi8(fg, hi_ctl);
  const __m512i r_lo =
      _mm512_srli_epi16(_mm512_add_epi16(_mm512_mullo_epi16(b_lo, _mm512_sub_epi16(k256, a_lo)),
                                         _mm512_mullo_epi16(f_lo, a_lo)),
                        8);
  const __m512i r_hi =
      _mm512_srli_epi16(_mm512_add_epi16(_mm512_mullo_epi16(b_hi, _mm512_sub_epi16(k256, a_hi)),
                                         _mm512_mullo_epi16(f_hi, a_hi)),
                        8);
  return _mm512_packus_epi16(r_lo, r_hi);
}

__attribute__((target("avx512f,avx512bw"))) void MaskRowAvx512(TkivPixel* target,
                                                               const uint8_t* alpha,
                                                               const TkivPixel* source,
                                                               TkivPixel* work, int n) {
  const __m512i rgb = _mm512_set1_epi32(0x00FFFFFF),
                key = _mm512_set1_epi32(static_cast<int>(kKey));
  const __m512i amask = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m512i a = _mm512_slli_epi32(
        _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(alpha + i))), 24);
    const __m512i c = _mm512_and_si512(_mm512_loadu_si512(target + i), rgb);
    const __mmask16 shown = _mm512_cmpneq_epi32_mask(c, key);
    const __m512i t = _mm512_mask_or_epi32(c, shown, c, a);
    _mm512_storeu_si512(target + i, t);
    const __m512i s = _mm512_loadu_si512(source + i);
    const __mmask16 full = _mm512_cmpeq_epi32_mask(_mm512_and_si512(t, amask), amask);
    __m512i r;
    if (full == 0xFFFF)
      r = t;
    else if (_mm512_cmpeq_epi32_mask(_mm512_and_si512(t, amask), _mm512_setzero_si512()) == 0xFFFF)
      r = s;
    else
      r = _mm512_mask_blend_epi32(full, Blend16(t, s), t);
    _mm512_storeu_si512(work + i, r);
  }
  MaskRowAvx2(target + i, alpha + i, source + i, work + i, n - i);
}

__attribute__((target("avx512f,avx512bw"))) void CopyShownAvx512(const TkivPixel* src,
                                                                 TkivPixel* dst, int n) {
  const __m512i rgb = _mm512_set1_epi32(0x00FFFFFF),
                key = _mm512_set1_epi32(static_cast<int>(kKey));
  const __m512i amask = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m512i v = _mm512_loadu_si512(src + i);
    const __mmask16 shown =
        _mm512_test_epi32_mask(v, amask) & _mm512_cmpneq_epi32_mask(_mm512_and_si512(v, rgb), key);
    // Plain stores: a masked store to memory is many times slower on some
    // processors, even with every lane selected. A partly shown block is
    // merged with the destination in a register first.
    if (shown == 0xFFFF)
      _mm512_storeu_si512(dst + i, v);
    else if (shown != 0)
      _mm512_storeu_si512(dst + i, _mm512_mask_blend_epi32(shown, _mm512_loadu_si512(dst + i), v));
  }
  CopyShownAvx2(src + i, dst + i, n - i);
}

__attribute__((target("avx512f,avx512bw"))) void SelectShownAvx512(const TkivPixel* src,
                                                                   const TkivPixel* old,
                                                                   TkivPixel* dst, int n) {
  const __m512i rgb = _mm512_set1_epi32(0x00FFFFFF),
                key = _mm512_set1_epi32(static_cast<int>(kKey));
  const __m512i amask = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m512i v = _mm512_loadu_si512(src + i);
    const __mmask16 shown =
        _mm512_test_epi32_mask(v, amask) & _mm512_cmpneq_epi32_mask(_mm512_and_si512(v, rgb), key);
    // The old row is read only where some pixel is hidden.
    _mm512_storeu_si512(dst + i, shown == 0xFFFF
                                     ? v
                                     : _mm512_mask_blend_epi32(shown, _mm512_loadu_si512(old + i), v));
  }
  SelectShownAvx2(src + i, old + i, dst + i, n - i);
}

__attribute__((target("avx512f,avx512bw"))) void BlendRowAvx512(const TkivPixel* fg,
                                                                const TkivPixel* bg, TkivPixel* dst,
                                                                int n) {
  const __m512i amask = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m512i f = _mm512_loadu_si512(fg + i);
    const __m512i fa = _mm512_and_si512(f, amask);
    const __mmask16 full = _mm512_cmpeq_epi32_mask(fa, amask);
    const __mmask16 none = _mm512_cmpeq_epi32_mask(fa, _mm512_setzero_si512());
    if (none == 0xFFFF) {
      if (bg != dst) _mm512_storeu_si512(dst + i, _mm512_loadu_si512(bg + i));
      continue;
    }
    if (full == 0xFFFF) {
      _mm512_storeu_si512(dst + i, f);
      continue;
    }
    const __m512i b = _mm512_loadu_si512(bg + i);
    _mm512_storeu_si512(dst + i, _mm512_mask_blend_epi32(full, Blend16(f, b), f));
  }
  BlendRowAvx2(fg + i, bg + i, dst + i, n - i);
}
#endif

struct FrameKernelSet {
  void (*mask_row)(TkivPixel*, const uint8_t*, const TkivPixel*, TkivPixel*, int);
  void (*copy_shown)(const TkivPixel*, TkivPixel*, int);
  void (*select_shown)(const TkivPixel*, const TkivPixel*, TkivPixel*, int);
  void (*blend_row)(const TkivPixel*, const TkivPixel*, TkivPixel*, int);
  void (*hide_keys)(TkivPixel*, int);
};

FrameKernelSet Chosen() {
#if defined(KIV_HAVE_AVX2)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw"))
    return {MaskRowAvx512, CopyShownAvx512, SelectShownAvx512, BlendRowAvx512, HideKeysAvx2};
  if (__builtin_cpu_supports("avx2"))
    return {MaskRowAvx2, CopyShownAvx2, SelectShownAvx2, BlendRowAvx2, HideKeysAvx2};
#endif
  return {MaskRowSse2, CopyShownSse2, SelectShownSse2, BlendRowSse2, HideKeysSse2};
}

FrameKernelSet& Active() {
  static FrameKernelSet k = Chosen();
  return k;
}

}  // namespace

void ComposeMaskRow(TkivPixel* target, const uint8_t* alpha, const TkivPixel* source,
                    TkivPixel* work, int count) {
  if (count > 0) Active().mask_row(target, alpha, source, work, count);
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

void UseReferenceKernels(bool reference) {
  Active() =
      reference ? FrameKernelSet{MaskRowRef, CopyShownRef, SelectShownRef, BlendRowRef, HideKeysRef} : Chosen();
}

}  // namespace kiv
