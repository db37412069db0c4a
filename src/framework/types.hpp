#pragma once
// Value types shared by every layer: rectangles, points, sizes and colours.
#include <cstdint>

namespace kiv {

// Integer rectangle; Right and Bottom are exclusive.
struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

struct TPoint {
  int32_t X = 0, Y = 0;
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t cx = 0, cy = 0;
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return TRect{left, top, right, bottom};
}
constexpr TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return TRect{left, top, left + width, top + height};
}
constexpr TPoint Point(int32_t x, int32_t y) { return TPoint{x, y}; }

// Framework colour 0x00BBGGRR; negative values name system colours (resolved
// through ColorToRGB), clNone means no colour. The named constants live with
// the colour conversions.
using TColor = int32_t;

// A surface pixel 0xAARRGGBB: bytes in memory blue, green, red, alpha.
using TkivPixel = uint32_t;

}  // namespace kiv
