#pragma once
// The MMX blend formula on vectors of pixels: the kernel table's blending
// kernels and the loops elsewhere that blend while doing other work (effect
// frames) share these, so every blend in the library gives the same bytes.
//
// Every byte lane, alpha included: v := (bg * (256 - a) + fg * a) >> 8, a the
// foreground pixel's alpha. The ends of BlendPixels come out of the same
// arithmetic without a select: alpha 0 yields bg unchanged, and alpha 255 is
// used as the weight 256, which yields fg itself.
//
// v equals bg + floor(a * (fg - bg) / 256), the floor of a signed product;
// v lies in 0..255, so adding that term to bg modulo 256 (one byte addition)
// gives v exactly. Only the term's low byte is needed, and it is taken from
// 16-bit lanes without unpacking or packing, d = fg - bg per channel:
// - odd bytes (green, alpha): P := (fg >> 8) - (bg >> 8) times a, modulo
//   65536, is a * d_odd; its high byte is the odd term.
// - even bytes (blue, red): the whole lanes' difference D = fg - bg equals
//   256 * d_odd + d_even modulo 65536, so Q := D * a modulo 65536 equals
//   256 * a * d_odd + a * d_even, and Q's high byte is the even term plus
//   a * d_odd, i.e. plus P's low byte, modulo 256. One byte subtraction of P
//   leaves the even term.
// So per vector: the weight, two subtractions and two multiplications in
// 16-bit lanes, three shifts, a byte subtraction, a merge of the even and
// odd terms and a byte addition (AVX-512 folds the merge into the
// subtraction).
//
// The wider forms are compiled per function (target attributes): callers pick
// them only where the processor has the instructions.
#include <immintrin.h>

#define KIV_TARGET_AVX2 __attribute__((target("avx2")))
#define KIV_TARGET_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl")))

namespace kiv::simd {

// SSE2: four pixels, each weighted by the value in both 16-bit lanes of its
// 32-bit lane (0 .. 256: alpha, with 255 as 256). A blend at one level
// everywhere passes the same weight for every pixel.
inline __m128i BlendWeighted4(__m128i fg, __m128i bg, __m128i a2) {
  const __m128i hi_mask = _mm_set1_epi32(static_cast<int>(0xFF00FF00u));
  const __m128i q = _mm_mullo_epi16(_mm_sub_epi16(fg, bg), a2);
  const __m128i p =
      _mm_mullo_epi16(_mm_sub_epi16(_mm_srli_epi16(fg, 8), _mm_srli_epi16(bg, 8)), a2);
  const __m128i even = _mm_sub_epi8(_mm_srli_epi16(q, 8), p);
  const __m128i term = _mm_or_si128(_mm_and_si128(p, hi_mask), _mm_andnot_si128(hi_mask, even));
  return _mm_add_epi8(bg, term);
}

// SSE2: four pixels weighted by their own alpha.
inline __m128i BlendExact4(__m128i fg, __m128i bg) {
  const __m128i a = _mm_srli_epi32(fg, 24);
  __m128i a2 = _mm_or_si128(a, _mm_slli_epi32(a, 16));
  a2 = _mm_sub_epi16(a2, _mm_cmpeq_epi16(a2, _mm_set1_epi16(255)));  // 255 -> 256
  return BlendWeighted4(fg, bg, a2);
}

// Each 16-bit lane gets a * 257 (alpha in both bytes) from one byte shuffle;
// (a * 257 + 1) >> 8 is a, but 256 for 255, and the rounding average with 0
// adds the 1 without overflowing 16 bits. Bytes 3, 3, 3, 3, 7, 7, 7, 7, ...
// in every 128-bit lane.
KIV_TARGET_AVX2 inline __m256i BlendWeight8(__m256i fg) {
  const __m256i spread = _mm256_setr_epi32(0x03030303, 0x07070707, 0x0B0B0B0B, 0x0F0F0F0F,
                                           0x03030303, 0x07070707, 0x0B0B0B0B, 0x0F0F0F0F);
  return _mm256_srli_epi16(
      _mm256_avg_epu16(_mm256_shuffle_epi8(fg, spread), _mm256_setzero_si256()), 7);
}

// AVX2: eight pixels with the weights of BlendWeighted4.
KIV_TARGET_AVX2 inline __m256i BlendWeighted8(__m256i fg, __m256i bg, __m256i a2) {
  const __m256i hi_mask = _mm256_set1_epi32(static_cast<int>(0xFF00FF00u));
  const __m256i q = _mm256_mullo_epi16(_mm256_sub_epi16(fg, bg), a2);
  const __m256i p =
      _mm256_mullo_epi16(_mm256_sub_epi16(_mm256_srli_epi16(fg, 8), _mm256_srli_epi16(bg, 8)), a2);
  const __m256i even = _mm256_sub_epi8(_mm256_srli_epi16(q, 8), p);
  return _mm256_add_epi8(bg, _mm256_blendv_epi8(even, p, hi_mask));
}

// AVX2: eight pixels weighted by their own alpha.
KIV_TARGET_AVX2 inline __m256i BlendExact8(__m256i fg, __m256i bg) {
  return BlendWeighted8(fg, bg, BlendWeight8(fg));
}

// AVX-512 (foundation, byte and word lanes, vector lengths): sixteen pixels
// with the weights of BlendWeighted4. The byte subtraction is masked to the
// even bytes, so it also takes the odd bytes' terms from P.
KIV_TARGET_AVX512 inline __m512i BlendWeighted16(__m512i fg, __m512i bg, __m512i a2) {
  constexpr __mmask64 even_bytes = 0x5555555555555555ull;
  const __m512i q = _mm512_mullo_epi16(_mm512_sub_epi16(fg, bg), a2);
  const __m512i p =
      _mm512_mullo_epi16(_mm512_sub_epi16(_mm512_srli_epi16(fg, 8), _mm512_srli_epi16(bg, 8)), a2);
  return _mm512_add_epi8(bg, _mm512_mask_sub_epi8(p, even_bytes, _mm512_srli_epi16(q, 8), p));
}

// AVX-512: sixteen pixels weighted by their own alpha (the weight as in
// BlendWeight8).
KIV_TARGET_AVX512 inline __m512i BlendExact16(__m512i fg, __m512i bg) {
  const __m512i spread = _mm512_setr4_epi32(0x03030303, 0x07070707, 0x0B0B0B0B, 0x0F0F0F0F);
  const __m512i a2 = _mm512_srli_epi16(
      _mm512_avg_epu16(_mm512_shuffle_epi8(fg, spread), _mm512_setzero_si512()), 7);
  return BlendWeighted16(fg, bg, a2);
}

}  // namespace kiv::simd
