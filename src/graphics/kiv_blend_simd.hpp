#pragma once
// The MMX blend formula on vectors of pixels: the kernel table's blending
// kernels and the loops elsewhere that blend while doing other work (effect
// frames) share these, so every blend in the library gives the same bytes.
//
// Every byte lane, alpha included: v := (bg * (256 - a) + fg * a) >> 8, a the
// foreground pixel's alpha. It is computed as (bg * 256 + (fg - bg) * a) >> 8
// in 16-bit lanes: the final sum always lies in 0..65280, so the low 16 bits
// of the product are enough and the logical shift gives the exact byte. Even
// bytes (blue, red) and odd bytes (green, alpha) are two sets of 16-bit lanes,
// so nothing is unpacked or packed. The ends of BlendPixels come out of the
// same arithmetic without a select: alpha 0 yields bg unchanged, and alpha 255
// is used as the weight 256, which yields fg itself.
//
// The wider forms compute the odd bytes' sums H in lanes of their own (bytes
// shifted down); the even bytes' sums need no masking: the same arithmetic
// on whole 16-bit lanes gives, modulo 65536, the even sum L plus H * 256,
// because every term is linear in the lane value. So the high byte of the
// whole-lane sum is (L >> 8) + H modulo 256, and one byte subtraction of H
// leaves the even result L >> 8 in the low byte; the high byte is then
// taken from H.
//
// The wider forms are compiled per function (target attributes): callers pick
// them only where the processor has the instructions.
#include <immintrin.h>

#define KIV_TARGET_AVX2 __attribute__((target("avx2")))
#define KIV_TARGET_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl")))

namespace kiv::simd {

// SSE2: four pixels.
inline __m128i BlendExact4(__m128i fg, __m128i bg) {
  const __m128i lo_mask = _mm_set1_epi32(0x00FF00FF);
  const __m128i hi_mask = _mm_set1_epi32(static_cast<int>(0xFF00FF00u));
  const __m128i a = _mm_srli_epi32(fg, 24);
  __m128i a2 = _mm_or_si128(a, _mm_slli_epi32(a, 16));
  a2 = _mm_sub_epi16(a2, _mm_cmpeq_epi16(a2, _mm_set1_epi16(255)));  // 255 -> 256
  const __m128i diff_lo = _mm_sub_epi16(_mm_and_si128(fg, lo_mask), _mm_and_si128(bg, lo_mask));
  const __m128i diff_hi = _mm_sub_epi16(_mm_srli_epi16(fg, 8), _mm_srli_epi16(bg, 8));
  const __m128i lo = _mm_add_epi16(_mm_slli_epi16(bg, 8), _mm_mullo_epi16(diff_lo, a2));
  const __m128i hi = _mm_add_epi16(_mm_and_si128(bg, hi_mask), _mm_mullo_epi16(diff_hi, a2));
  return _mm_or_si128(_mm_srli_epi16(lo, 8), _mm_and_si128(hi, hi_mask));
}

// AVX2: eight pixels. Each pixel's alpha reaches its two 16-bit lanes by one
// byte shuffle.
KIV_TARGET_AVX2 inline __m256i BlendExact8(__m256i fg, __m256i bg) {
  const __m256i hi_mask = _mm256_set1_epi32(static_cast<int>(0xFF00FF00u));
  const __m256i spread =
      _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1, 3, -1, 3, -1, 7,
                       -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
  __m256i a2 = _mm256_shuffle_epi8(fg, spread);
  a2 = _mm256_sub_epi16(a2, _mm256_cmpeq_epi16(a2, _mm256_set1_epi16(255)));
  const __m256i diff_hi = _mm256_sub_epi16(_mm256_srli_epi16(fg, 8), _mm256_srli_epi16(bg, 8));
  const __m256i hi =
      _mm256_add_epi16(_mm256_and_si256(bg, hi_mask), _mm256_mullo_epi16(diff_hi, a2));
  const __m256i whole = _mm256_add_epi16(_mm256_slli_epi16(bg, 8),
                                         _mm256_mullo_epi16(_mm256_sub_epi16(fg, bg), a2));
  const __m256i lo = _mm256_sub_epi8(_mm256_srli_epi16(whole, 8), hi);
  return _mm256_blendv_epi8(lo, hi, hi_mask);
}

// AVX-512 (foundation, byte and word lanes, vector lengths): sixteen pixels.
// Here the lanes are weighted directly, bg * (256 - a) + fg * a: two more
// multiplications but fewer shifts and subtractions, which measured faster
// on 512-bit registers. The weight comes from a * 257 (alpha in both bytes
// of a lane) by an average and a shift, which also turns 255 into 256; one
// byte subtraction masked to the even bytes both removes H from the
// whole-lane sums and takes the odd bytes from H.
KIV_TARGET_AVX512 inline __m512i BlendExact16(__m512i fg, __m512i bg) {
  // Bytes 3, 3, 3, 3, 7, 7, 7, 7, ... in every 128-bit lane: each 16-bit
  // lane holds a * 257.
  const __m512i spread =
      _mm512_setr4_epi32(0x03030303, 0x07070707, 0x0B0B0B0B, 0x0F0F0F0F);
  constexpr __mmask64 even_bytes = 0x5555555555555555ull;
  // (a * 257 + 1) >> 8 is a, but 256 for 255; the rounding average with 0
  // adds the 1 without overflowing 16 bits.
  const __m512i a2 = _mm512_srli_epi16(
      _mm512_avg_epu16(_mm512_shuffle_epi8(fg, spread), _mm512_setzero_si512()), 7);
  const __m512i ia = _mm512_sub_epi16(_mm512_set1_epi16(256), a2);
  const __m512i hi = _mm512_add_epi16(_mm512_mullo_epi16(_mm512_srli_epi16(bg, 8), ia),
                                      _mm512_mullo_epi16(_mm512_srli_epi16(fg, 8), a2));
  const __m512i whole = _mm512_add_epi16(_mm512_mullo_epi16(bg, ia), _mm512_mullo_epi16(fg, a2));
  // Even bytes: (whole >> 8) - H, the even results; odd bytes: H's high bytes.
  return _mm512_mask_sub_epi8(hi, even_bytes, _mm512_srli_epi16(whole, 8), hi);
}

}  // namespace kiv::simd
