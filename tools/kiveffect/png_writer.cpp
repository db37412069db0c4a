#include "png_writer.hpp"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace kivtool {

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[5], const std::vector<uint8_t>& data) {
  PutU32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  PutU32(out, static_cast<uint32_t>(crc));
}

}  // namespace

void WritePng(const kiv::TkivBitmap& s, const std::string& path) {
  const int w = s.Width(), h = s.Height();
  if (w <= 0 || h <= 0) throw std::runtime_error("empty picture");
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(h) * (1 + 3 * static_cast<size_t>(w)));
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);  // filter: none
    const kiv::TkivPixel* row = s.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      raw.push_back(static_cast<uint8_t>(row[x] >> 16));
      raw.push_back(static_cast<uint8_t>(row[x] >> 8));
      raw.push_back(static_cast<uint8_t>(row[x]));
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packed_size);
  if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
    throw std::runtime_error("compression failed");
  packed.resize(packed_size);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  PutU32(ihdr, static_cast<uint32_t>(w));
  PutU32(ihdr, static_cast<uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter choice, no interlace
  PutChunk(png, "IHDR", ihdr);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

}  // namespace kivtool
