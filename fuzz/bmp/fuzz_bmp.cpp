// Feeds arbitrary bytes to the BMP decoder: it must decode them or refuse them
// with EInvalidGraphic, within the memory limits below, and nothing else.
#include <cstddef>
#include <cstdint>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kiv::TDecodeLimits limits;
  limits.MaxFramePixels = 1 << 20;  // 4 MiB of pixels per frame
  limits.MaxTotalPixels = 4 << 20;  // 16 MiB for all frames
  try {
    kiv::TDecodedPicture pic = kiv::DecodeBmp(data, size, limits);
    if (pic.Frames.empty() || pic.Frames[0].Pixels.size() != size_t(pic.Width) * size_t(pic.Height))
      __builtin_trap();
  } catch (const kiv::EInvalidGraphic&) {
  }
  return 0;
}
