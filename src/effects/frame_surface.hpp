#pragma once
// The 32-bit pixel surface the effects compose their frames on: top-down rows
// of 0xAARRGGBB pixels without padding, with the AlphaBlend and Transparent
// drawing flags. It carries the part of the library's bitmap surface that the
// effects use (size, pixel access, drawing onto another surface, the blend
// kernels) so that the effects build on their own; it maps one to one onto
// the full surface type.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/types.hpp"

namespace kiv {

inline constexpr TkivPixel kKeyPixel = 0x007F007Fu;

// Pixel kernels with the blend of the MMX path: per byte lane
// (bg * (256 - a) + fg * a) >> 8, the alpha lane included.
TkivPixel FrameBlendPixel(TkivPixel fg, TkivPixel bg);
void FrameBlendPixels(const TkivPixel* src, TkivPixel* dst, int count);
// dst := blend of fg over bg, row by row (a fused copy-and-blend).
void FrameBlendPixelsOver(const TkivPixel* fg, const TkivPixel* bg, TkivPixel* dst, int count);
void FrameKeyCopyPixels(const TkivPixel* src, TkivPixel* dst, int count);

class TkivFrameSurface {
 public:
  TkivFrameSurface() = default;
  TkivFrameSurface(int width, int height) { SetSize(width, height); }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return bits_.empty(); }
  TkivPixel* Bits() { return bits_.data(); }
  const TkivPixel* Bits() const { return bits_.data(); }
  TkivPixel* ScanLine(int y) { return bits_.data() + static_cast<size_t>(y) * width_; }
  const TkivPixel* ScanLine(int y) const { return bits_.data() + static_cast<size_t>(y) * width_; }
  TkivPixel GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TkivPixel value);

  // Sizes to |w| x |h| with every pixel 0; a zero extent or the current size
  // changes nothing. Raises Exception("Can't allocate the DIB handle") when
  // the pixel memory cannot be had.
  void SetSize(int w, int h);
  void Fill(TkivPixel value);

  // Draws the whole surface onto target at (x, y), clipped to the target, by
  // this surface's flags: AlphaBlend blends, else Transparent leaves out key
  // pixels, else the pixels are copied.
  void DrawTo(TkivFrameSurface& target, int x, int y) const;

  bool AlphaBlend = false;
  bool Transparent = false;

 private:
  int width_ = 0, height_ = 0;
  std::vector<TkivPixel> bits_;
};

}  // namespace kiv
