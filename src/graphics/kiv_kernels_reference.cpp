// The scalar reference kernels: the results every SIMD variant reproduces bit
// for bit, and the kernels of the reference level.
#include <cstring>

#include "graphics/kiv_kernels.hpp"

namespace kiv {

namespace reference {

TkivPixel BlendPixelInteger(TkivPixel fg, TkivPixel bg) {
  if (fg >= 0xFF000000u) return fg;
  const uint32_t a = fg >> 24;
  if (a == 0) return bg;
  const uint32_t na = 255 - a;
  // Red and blue share one product: no channel's sum exceeds 16 bits.
  const uint32_t rb = ((fg & 0x00FF00FFu) * a + (bg & 0x00FF00FFu) * na) >> 8;
  const uint32_t g = ((fg & 0x0000FF00u) * a + (bg & 0x0000FF00u) * na) >> 8;
  return 0xFF000000u | (rb & 0x00FF00FFu) | (g & 0x0000FF00u);
}

TkivPixel BlendPixelMMX(TkivPixel fg, TkivPixel bg) {
  const uint32_t a = fg >> 24;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t f = (fg >> shift) & 0xFF;
    const uint32_t b = (bg >> shift) & 0xFF;
    uint32_t v = (b * (256 - a) + f * a) >> 8;  // at most 255: never saturates
    out |= v << shift;
  }
  return out;
}

void BlendPixelsInteger(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const TkivPixel s = src[i];
    if (s < 0x01000000u) continue;
    dst[i] = s >= 0xFF000000u ? s : BlendPixelInteger(s, dst[i]);
  }
}

void BlendPixelsMMX(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const TkivPixel s = src[i];
    if (s < 0x01000000u) continue;
    dst[i] = s >= 0xFF000000u ? s : BlendPixelMMX(s, dst[i]);
  }
}

void KeyCopyPixels(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const TkivPixel s = src[i];
    if ((s & 0x00FFFFFFu) != KeyPixel) dst[i] = s | 0xFF000000u;
  }
}

void CopyPixels(const TkivPixel* src, TkivPixel* dst, int32_t count) {
  // Overlapping runs copy as if through a buffer, so drawing a surface onto
  // itself never smears pixels along the run.
  if (count <= 0 || src == dst) return;
  std::memmove(dst, src, static_cast<size_t>(count) * sizeof(TkivPixel));
}

void FillPixels(TkivPixel* dst, int32_t count, TkivPixel value) {
  for (int32_t i = 0; i < count; ++i) dst[i] = value;
}

void SetAlphaPixels(TkivPixel* dst, int32_t count, uint8_t alpha) {
  const uint32_t a = static_cast<uint32_t>(alpha) << 24;
  for (int32_t i = 0; i < count; ++i) dst[i] = (dst[i] & 0x00FFFFFFu) | a;
}

void GatherPixels(const TkivPixel* row, int32_t row_width, const int32_t* columns, TkivPixel* dst,
                  int32_t count) {
  for (int32_t i = 0; i < count; ++i) dst[i] = row[columns[i]];
}

}  // namespace reference

}  // namespace kiv
