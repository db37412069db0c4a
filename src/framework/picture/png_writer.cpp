#include "framework/picture/png_writer.hpp"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace kiv {
namespace {

void PutU32(std::vector<unsigned char>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<unsigned char>(v >> shift));
}

// Length, type, data and the CRC of type and data.
void PutChunk(std::vector<unsigned char>& out, const char* type, const unsigned char* data,
              size_t size) {
  PutU32(out, static_cast<uint32_t>(size));
  size_t type_at = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data, data + size);
  uLong crc = crc32(0L, out.data() + type_at, static_cast<uInt>(4 + size));
  PutU32(out, static_cast<uint32_t>(crc));
}

}  // namespace

std::vector<unsigned char> EncodePngRgba(const TkivPixel* pixels, int width, int height) {
  // Scan lines with filter type 0, then R, G, B, A per pixel.
  std::vector<unsigned char> raw;
  raw.reserve(size_t(height) * (size_t(width) * 4 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    const TkivPixel* row = pixels + size_t(y) * size_t(width);
    for (int x = 0; x < width; ++x) {
      TkivPixel p = row[x];
      raw.push_back(static_cast<unsigned char>(p >> 16));
      raw.push_back(static_cast<unsigned char>(p >> 8));
      raw.push_back(static_cast<unsigned char>(p));
      raw.push_back(static_cast<unsigned char>(p >> 24));
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<unsigned char> packed(packed_size);
  if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
    throw std::runtime_error("zlib could not compress the picture");
  packed.resize(packed_size);

  std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<unsigned char> header;
  PutU32(header, static_cast<uint32_t>(width));
  PutU32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filters, no interlace
  PutChunk(out, "IHDR", header.data(), header.size());
  PutChunk(out, "IDAT", packed.data(), packed.size());
  PutChunk(out, "IEND", nullptr, 0);
  return out;
}

bool WritePngRgba(const std::string& path, const TkivPixel* pixels, int width, int height) {
  std::vector<unsigned char> bytes = EncodePngRgba(pixels, width, height);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace kiv
