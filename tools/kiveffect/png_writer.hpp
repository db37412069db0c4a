#pragma once
// A minimal PNG encoder: 8-bit RGB, one IDAT chunk compressed by zlib.
#include <string>

#include "graphics/kiv_bitmap.hpp"

namespace kivtool {

// Writes the surface's colour bytes (alpha dropped) as a PNG file; throws
// std::runtime_error when the file cannot be written.
void WritePng(const kiv::TkivBitmap& surface, const std::string& path);

}  // namespace kivtool
