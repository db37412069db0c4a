#include "effects/frame_surface.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "effects/frame_kernels.hpp"
#include "framework/exceptions.hpp"

namespace kiv {

TkivPixel FrameBlendPixel(TkivPixel fg, TkivPixel bg) {
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

void FrameBlendPixels(const TkivPixel* src, TkivPixel* dst, int count) {
  BlendRow(src, dst, dst, count);
}

void FrameBlendPixelsOver(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int count) {
  BlendRow(fg, bg, dst, count);
}

void FrameKeyCopyPixels(const TkivPixel* src, TkivPixel* dst, int count) {
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

void TkivFrameSurface::Fill(TkivPixel value) {
  std::fill(bits_.begin(), bits_.end(), value);
}

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
      FrameBlendPixels(src, dst, n);
    else if (Transparent)
      FrameKeyCopyPixels(src, dst, n);
    else if (src != dst)
      std::memmove(dst, src, static_cast<size_t>(n) * sizeof(TkivPixel));
  }
}

}  // namespace kiv
