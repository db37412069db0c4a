#pragma once
// What the picture decoders' fuzz targets share: arbitrary bytes go to one
// decoder, which must decode them or refuse them with EInvalidGraphic, within
// the memory limits below, and nothing else.
#include <cstddef>
#include <cstdint>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"

namespace kivfuzz {

using Decoder = kiv::TDecodedPicture (*)(const uint8_t* data, size_t size,
                                         const kiv::TDecodeLimits& limits);

inline int FuzzDecoder(Decoder decode, const uint8_t* data, size_t size) {
  kiv::TDecodeLimits limits;
  limits.MaxFramePixels = 1 << 20;  // 4 MiB of pixels per frame
  limits.MaxTotalPixels = 4 << 20;  // 16 MiB for all frames
  try {
    kiv::TDecodedPicture pic = decode(data, size, limits);
    if (pic.Frames.empty() || pic.Frames[0].Pixels.size() != size_t(pic.Width) * size_t(pic.Height))
      __builtin_trap();
  } catch (const kiv::EInvalidGraphic&) {
  }
  return 0;
}

}  // namespace kivfuzz
