// Feeds arbitrary bytes to the PNG decoder (see decoder_fuzz.hpp).
#include <cstddef>
#include <cstdint>

#include "decoder_fuzz.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return kivfuzz::FuzzDecoder(kiv::DecodePng, data, size);
}
