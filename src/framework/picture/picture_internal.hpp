#pragma once
// Helpers shared by the picture decoders.
#include <cstdint>
#include <string>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"

namespace kiv::picture_detail {

// Refuses a frame of width x height pixels beyond the limits (or empty).
inline void CheckFrameSize(const char* format, uint64_t width, uint64_t height,
                           const TDecodeLimits& limits) {
  if (width == 0 || height == 0)
    throw EInvalidGraphic(std::string("Invalid ") + format + ": the picture has no pixels (" +
                          std::to_string(width) + " x " + std::to_string(height) + ")");
  if (width * height > limits.MaxFramePixels)
    throw EInvalidGraphic(std::string("Invalid ") + format + ": " + std::to_string(width) + " x " +
                          std::to_string(height) + " pixels is more than the limit of " +
                          std::to_string(limits.MaxFramePixels) + " pixels per picture");
}

// True when some pixel of some frame is not fully opaque.
inline bool AnyTransparent(const TDecodedPicture& picture) {
  for (const TPictureFrame& f : picture.Frames)
    for (TkivPixel p : f.Pixels)
      if ((p >> 24) != 0xFF) return true;
  return false;
}

}  // namespace kiv::picture_detail
