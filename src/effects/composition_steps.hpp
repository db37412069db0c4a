#pragma once
// What the composition files share: the helpers of more than one effect
// kind. Only the effects' composition files include it.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "effects/composition.hpp"
#include "effects/frame_kernels.hpp"

namespace kiv::composition {

// Work surfaces from this size on are written around the caches: their
// lines would otherwise be fetched only to be overwritten, and none of them
// would still be cached when the frame is drawn.
constexpr int64_t kStreamingBytes = int64_t{4} << 20;

inline size_t CellCount(const TkivFrameGrid& g) {
  return static_cast<size_t>(g.Cols) * static_cast<size_t>(g.Rows);
}

inline bool QuarterTurn(TkivRotation r) {
  return r == qrRotate90 || r == qrRotate270;
}

// Asks the processor to bring `count` pixels into its second-level cache,
// one request per 64-byte line.
inline void PrefetchPixels(const TkivPixel* p, int count) {
  const char* c = reinterpret_cast<const char*>(p);
  const char* end = reinterpret_cast<const char*>(p + std::max(count, 0));
  for (; c < end; c += 64) __builtin_prefetch(c, 0, 2);
}

inline void HideKeyPixels(TkivBitmap& s) {
  for (int y = 0; y < s.Height() && !s.IsEmpty(); ++y) HideKeyPixelsRow(s.ScanLine(y), s.Width());
}

// A plain old picture of work's size: one the kinds may read row by row
// instead of drawing it into work first.
inline bool PlainOfSize(const TkivBitmap& source, const TkivBitmap& work) {
  return !source.AlphaBlend() && !source.Transparent() && source.Width() == work.Width() &&
         source.Height() == work.Height();
}

}  // namespace kiv::composition
