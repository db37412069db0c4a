#pragma once
// A minimal PNG encoder for decoded frames (kivpic writes them with it): 8-bit
// RGBA, no filtering, one zlib-compressed IDAT, CRCs by zlib.
#include <string>
#include <vector>

#include "framework/types.hpp"

namespace kiv {

// PNG bytes of width x height pixels 0xAARRGGBB, rows top-down.
std::vector<unsigned char> EncodePngRgba(const TkivPixel* pixels, int width, int height);

// Writes them to a file; false when the file cannot be written.
bool WritePngRgba(const std::string& path, const TkivPixel* pixels, int width, int height);

}  // namespace kiv
