#include "effects/frame_surface.hpp"

#include <emmintrin.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "framework/exceptions.hpp"

namespace kiv {

TkivPixel BlendPixel(TkivPixel fg, TkivPixel bg) {
  const uint32_t a = fg >> 24;
  TkivPixel out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t f = (fg >> shift) & 0xFF, b = (bg >> shift) & 0xFF;
    uint32_t v = (b * (256 - a) + f * a) >> 8;
    if (v > 255) v = 255;
    out |= v << shift;
  }
  return out;
}

namespace {

// Four pixels at once with SSE2, the same 16-bit lane arithmetic as the
// scalar form: (bg * 256 + (fg - bg) * a) >> 8 per lane.
inline __m128i Blend4(__m128i fg, __m128i bg) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i a32 = _mm_srli_epi32(fg, 24);
  // Broadcast each pixel's alpha to its four 16-bit lanes.
  __m128i a16 = _mm_or_si128(a32, _mm_slli_epi32(a32, 16));
  const __m128i a_lo = _mm_unpacklo_epi32(a16, a16);
  const __m128i a_hi = _mm_unpackhi_epi32(a16, a16);
  const __m128i f_lo = _mm_unpacklo_epi8(fg, zero), f_hi = _mm_unpackhi_epi8(fg, zero);
  const __m128i b_lo = _mm_unpacklo_epi8(bg, zero), b_hi = _mm_unpackhi_epi8(bg, zero);
  const __m128i inv_lo = _mm_sub_epi16(_mm_set1_epi16(256), a_lo);
  const __m128i inv_hi = _mm_sub_epi16(_mm_set1_epi16(256), a_hi);
  // b*(256-a) + f*a fits 16 bits unsigned: at most 255*256.
  const __m128i r_lo =
      _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(b_lo, inv_lo), _mm_mullo_epi16(f_lo, a_lo)), 8);
  const __m128i r_hi =
      _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(b_hi, inv_hi), _mm_mullo_epi16(f_hi, a_hi)), 8);
  return _mm_packus_epi16(r_lo, r_hi);
}

// Blends n pixels of fg over bg into dst (dst may equal bg): alpha 0 keeps
// bg, alpha 255 takes fg, others blend.
void BlendRun(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int n) {
  int i = 0;
  const __m128i amask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  for (; i + 4 <= n; i += 4) {
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fg + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bg + i));
    const __m128i fa = _mm_and_si128(f, amask);
    const int zero = _mm_movemask_epi8(_mm_cmpeq_epi32(fa, _mm_setzero_si128()));
    const int full = _mm_movemask_epi8(_mm_cmpeq_epi32(fa, amask));
    __m128i r;
    if (zero == 0xFFFF)
      r = b;
    else if (full == 0xFFFF)
      r = f;
    else {
      r = Blend4(f, b);
      // Exact results for the two ends, as the per-pixel kernel has them.
      const __m128i zsel = _mm_cmpeq_epi32(fa, _mm_setzero_si128());
      const __m128i fsel = _mm_cmpeq_epi32(fa, amask);
      r = _mm_or_si128(_mm_andnot_si128(zsel, r), _mm_and_si128(zsel, b));
      r = _mm_or_si128(_mm_andnot_si128(fsel, r), _mm_and_si128(fsel, f));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), r);
  }
  for (; i < n; ++i) {
    const TkivPixel f = fg[i];
    const uint32_t a = f >> 24;
    dst[i] = a == 0 ? bg[i] : a == 255 ? f : BlendPixel(f, bg[i]);
  }
}

}  // namespace

void BlendPixels(const TkivPixel* src, TkivPixel* dst, int count) {
  if (count > 0) BlendRun(src, dst, dst, count);
}

void BlendPixelsOver(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int count) {
  if (count > 0) BlendRun(fg, bg, dst, count);
}

void KeyCopyPixels(const TkivPixel* src, TkivPixel* dst, int count) {
  for (int i = 0; i < count; ++i)
    if ((src[i] & 0x00FFFFFFu) != kKeyPixel) dst[i] = src[i] | 0xFF000000u;
}

TkivPixel TkivFrameSurface::GetPixel(int x, int y) const {
  if (IsEmpty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return bits_[static_cast<size_t>(y) * width_ + x];
}

void TkivFrameSurface::SetPixel(int x, int y, TkivPixel value) {
  if (IsEmpty() || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  bits_[static_cast<size_t>(y) * width_ + x] = value;
}

void TkivFrameSurface::SetSize(int w, int h) {
  const int64_t aw = std::llabs(static_cast<int64_t>(w)), ah = std::llabs(static_cast<int64_t>(h));
  if (aw == 0 || ah == 0 || (aw == width_ && ah == height_)) return;
  // A 32-bit surface larger than 2^28 pixels (1 GiB) is refused as the
  // platform refuses such a DIB section.
  constexpr int64_t kMaxPixels = int64_t{1} << 28;
  bits_.clear();
  bits_.shrink_to_fit();
  width_ = height_ = 0;
  if (aw > kMaxPixels || ah > kMaxPixels || aw * ah > kMaxPixels)
    throw Exception("Can't allocate the DIB handle");
  try {
    bits_.assign(static_cast<size_t>(aw * ah), 0);
  } catch (const std::bad_alloc&) {
    throw Exception("Can't allocate the DIB handle");
  }
  width_ = static_cast<int>(aw);
  height_ = static_cast<int>(ah);
}

void TkivFrameSurface::Fill(TkivPixel value) { std::fill(bits_.begin(), bits_.end(), value); }

void TkivFrameSurface::DrawTo(TkivFrameSurface& target, int x, int y) const {
  if (IsEmpty() || target.IsEmpty()) return;
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min<int64_t>(int64_t{x} + width_, target.width_);
  const int bottom = std::min<int64_t>(int64_t{y} + height_, target.height_);
  if (right <= left || bottom <= top) return;
  const int n = right - left;
  for (int ty = top; ty < bottom; ++ty) {
    const TkivPixel* src = ScanLine(ty - y) + (left - x);
    TkivPixel* dst = target.ScanLine(ty) + left;
    if (AlphaBlend)
      BlendPixels(src, dst, n);
    else if (Transparent)
      KeyCopyPixels(src, dst, n);
    else if (src != dst)
      std::memmove(dst, src, static_cast<size_t>(n) * sizeof(TkivPixel));
  }
}

}  // namespace kiv
