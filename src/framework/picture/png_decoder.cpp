// PNG reader: the chunk list (IHDR, PLTE, tRNS, IDAT, IEND; others skipped),
// zlib's inflate for the image data, the five row filters, and every colour
// type at every bit depth PNG allows, without interlacing. Chunk CRCs are
// checked. Sizes are checked against the limits before anything is
// allocated, and the inflated data must be exactly the rows the header
// announces.
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"

namespace kiv {

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

[[noreturn]] void Refuse(const std::string& what) {
  throw EInvalidGraphic("PNG image is not valid: " + what);
}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

struct Header {
  uint32_t width = 0, height = 0;
  int depth = 0, color_type = 0;
  int Channels() const {
    switch (color_type) {
      case 0:
      case 3:
        return 1;
      case 2:
        return 3;
      case 4:
        return 2;
      default:
        return 4;
    }
  }
  size_t BitsPerPixel() const { return size_t(Channels()) * depth; }
  size_t RowBytes() const { return (size_t(width) * BitsPerPixel() + 7) / 8; }
};

Header ReadHeader(const uint8_t* p, uint32_t length) {
  if (length != 13) Refuse("the IHDR chunk is not 13 bytes");
  Header h;
  h.width = BigEndian32(p);
  h.height = BigEndian32(p + 4);
  h.depth = p[8];
  h.color_type = p[9];
  if (h.width == 0 || h.height == 0 || h.width > 0x7FFFFFFF || h.height > 0x7FFFFFFF)
    Refuse("the size is not between 1 and 2^31 - 1");
  const int d = h.depth;
  bool allowed = false;
  switch (h.color_type) {
    case 0:
      allowed = d == 1 || d == 2 || d == 4 || d == 8 || d == 16;
      break;
    case 3:
      allowed = d == 1 || d == 2 || d == 4 || d == 8;
      break;
    case 2:
    case 4:
    case 6:
      allowed = d == 8 || d == 16;
      break;
    default:
      Refuse("colour type " + std::to_string(h.color_type) + " does not exist");
  }
  if (!allowed)
    Refuse("bit depth " + std::to_string(d) + " is not allowed for colour type " +
           std::to_string(h.color_type));
  if (p[10] != 0 || p[11] != 0) Refuse("unknown compression or filter method");
  if (p[12] == 1) Refuse("interlaced pictures are not supported");
  if (p[12] != 0) Refuse("unknown interlace method");
  return h;
}

// Undoes the row filters in place: rows of row_bytes, each after its filter
// byte; bpp is the filter's byte distance (at least 1).
void Unfilter(std::vector<uint8_t>& data, const Header& h) {
  const size_t row = h.RowBytes(), stride = row + 1;
  const size_t bpp = std::max<size_t>(1, h.BitsPerPixel() / 8);
  const uint8_t* prior = nullptr;
  for (uint32_t y = 0; y < h.height; ++y) {
    uint8_t* line = data.data() + y * stride + 1;
    const uint8_t filter = line[-1];
    for (size_t i = 0; i < row; ++i) {
      const int a = i >= bpp ? line[i - bpp] : 0;
      const int b = prior ? prior[i] : 0;
      const int c = prior && i >= bpp ? prior[i - bpp] : 0;
      int add = 0;
      switch (filter) {
        case 0:
          break;
        case 1:
          add = a;
          break;
        case 2:
          add = b;
          break;
        case 3:
          add = (a + b) / 2;
          break;
        case 4: {
          const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
          add = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
          break;
        }
        default:
          Refuse("row " + std::to_string(y) + " has unknown filter type " + std::to_string(filter));
      }
      line[i] = static_cast<uint8_t>(line[i] + add);
    }
    prior = line;
  }
}

// Sample n (0-based) of a row at the header's depth, scaled to 8 bits.
uint8_t Sample8(const uint8_t* line, size_t n, int depth) {
  switch (depth) {
    case 16:
      return line[n * 2];
    case 8:
      return line[n];
    default: {
      const size_t bit = n * depth;
      const int v = (line[bit / 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1);
      return static_cast<uint8_t>(v * 255 / ((1 << depth) - 1));
    }
  }
}

// Sample n at full precision (for the tRNS comparison).
uint32_t SampleRaw(const uint8_t* line, size_t n, int depth) {
  if (depth == 16) return uint32_t(line[n * 2]) << 8 | line[n * 2 + 1];
  if (depth == 8) return line[n];
  const size_t bit = n * depth;
  return (line[bit / 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1);
}

}  // namespace

TDecodedPicture DecodePng(const uint8_t* data, size_t size, const TDecodeLimits& limits) {
  if (size < 8 || std::memcmp(data, kSignature, 8) != 0) Refuse("no PNG signature");
  size_t at = 8;
  Header h;
  bool have_header = false, have_end = false;
  std::vector<TkivPixel> palette;  // 0xAARRGGBB
  std::vector<uint8_t> palette_alpha;
  bool have_key = false;
  uint32_t key[3] = {0, 0, 0};
  std::vector<uint8_t> raw;  // inflated rows
  size_t raw_size = 0;
  z_stream z{};
  bool inflating = false, inflated = false;
  struct ZEnd {
    z_stream* z;
    bool* on;
    ~ZEnd() {
      if (*on) inflateEnd(z);
    }
  } z_end{&z, &inflating};

  while (!have_end) {
    if (size - at < 12) Refuse("the data ends inside a chunk");
    const uint32_t length = BigEndian32(data + at);
    if (length > 0x7FFFFFFF || length > size - at - 12) Refuse("a chunk runs past the end");
    const uint8_t* type = data + at + 4;
    const uint8_t* body = type + 4;
    const uint32_t crc = static_cast<uint32_t>(crc32(crc32(0L, nullptr, 0), type, length + 4));
    if (crc != BigEndian32(body + length))
      Refuse("the CRC of chunk " + std::string(reinterpret_cast<const char*>(type), 4) +
             " is wrong");
    const std::string name(reinterpret_cast<const char*>(type), 4);
    if (!have_header && name != "IHDR") Refuse("the first chunk is not IHDR");
    if (name == "IHDR") {
      if (have_header) Refuse("two IHDR chunks");
      h = ReadHeader(body, length);
      have_header = true;
      const uint64_t pixels = uint64_t(h.width) * h.height;
      if (pixels > limits.MaxFramePixels || pixels > limits.MaxTotalPixels)
        Refuse("the picture has more pixels than allowed");
      if (uint64_t(h.RowBytes() + 1) * h.height > (uint64_t(1) << 40))
        Refuse("the picture is too large");
      raw_size = (h.RowBytes() + 1) * size_t(h.height);
    } else if (name == "PLTE") {
      if (length % 3 != 0 || length == 0 || length / 3 > 256) Refuse("the palette is malformed");
      palette.clear();
      for (uint32_t i = 0; i < length; i += 3)
        palette.push_back(0xFF000000u | uint32_t(body[i]) << 16 | uint32_t(body[i + 1]) << 8 |
                          body[i + 2]);
    } else if (name == "tRNS") {
      if (h.color_type == 3) {
        palette_alpha.assign(body, body + std::min<uint32_t>(length, 256));
      } else if (h.color_type == 0 && length == 2) {
        key[0] = uint32_t(body[0]) << 8 | body[1];
        have_key = true;
      } else if (h.color_type == 2 && length == 6) {
        for (int i = 0; i < 3; ++i) key[i] = uint32_t(body[i * 2]) << 8 | body[i * 2 + 1];
        have_key = true;
      }
    } else if (name == "IDAT") {
      if (inflated) {
        at += 12 + size_t(length);
        continue;  // data after the end of the zlib stream is ignored
      }
      if (!inflating) {
        if (inflateInit(&z) != Z_OK) Refuse("zlib could not start");
        inflating = true;
        raw.resize(raw_size);
        z.next_out = raw.data();
        z.avail_out = 0;
      }
      z.next_in = const_cast<Bytef*>(body);
      z.avail_in = length;
      while (z.avail_in > 0 && !inflated) {
        // Past the last row only the end of the zlib stream may follow: a
        // one-byte spare buffer shows any further output.
        const size_t produced = size_t(z.next_out - raw.data());
        uint8_t spare;
        const bool full = produced == raw_size;
        if (full) {
          z.next_out = &spare;
          z.avail_out = 1;
        } else {
          z.avail_out = static_cast<uInt>(std::min<size_t>(raw_size - produced, 1u << 30));
        }
        const int r = inflate(&z, Z_NO_FLUSH);
        if (full) {
          if (z.avail_out == 0) Refuse("the image data holds more than the rows");
          z.next_out = raw.data() + raw_size;
        }
        if (r == Z_STREAM_END)
          inflated = true;
        else if (r != Z_OK)
          Refuse("the image data is corrupt");
      }
      at += 12 + size_t(length);
      continue;
    } else if (name == "IEND") {
      have_end = true;
    } else if (!(type[0] & 0x20)) {
      Refuse("unknown critical chunk " + name);
    }
    at += 12 + size_t(length);
  }
  if (!inflating) Refuse("no image data");
  if (!inflated || size_t(z.next_out - raw.data()) != raw_size)
    Refuse("the image data ends before the last row");
  if (h.color_type == 3 && palette.empty()) Refuse("a palette picture without palette");

  Unfilter(raw, h);

  TDecodedPicture result;
  result.Format = TPictureFormat::pfPng;
  result.Width = static_cast<int32_t>(h.width);
  result.Height = static_cast<int32_t>(h.height);
  result.BitsPerSample = h.depth;
  static const char* const kSpaces[] = {"grayscale",       "", "RGB", "palette",
                                        "grayscale+alpha", "", "RGBA"};
  result.ColorSpace = kSpaces[h.color_type];
  result.Details = "PNG, colour type " + std::to_string(h.color_type) + ", " +
                   std::to_string(h.depth) + " bits per sample";
  TPictureFrame frame;
  frame.Pixels.resize(size_t(h.width) * h.height);
  const size_t stride = h.RowBytes() + 1;
  bool transparent = false;
  for (uint32_t y = 0; y < h.height; ++y) {
    const uint8_t* line = raw.data() + y * stride + 1;
    TkivPixel* out = frame.Pixels.data() + size_t(y) * h.width;
    for (uint32_t x = 0; x < h.width; ++x) {
      uint32_t r, g, b, a = 255;
      switch (h.color_type) {
        case 0:
          r = g = b = Sample8(line, x, h.depth);
          if (have_key && SampleRaw(line, x, h.depth) == key[0]) a = 0;
          break;
        case 2:
          r = Sample8(line, x * 3, h.depth);
          g = Sample8(line, x * 3 + 1, h.depth);
          b = Sample8(line, x * 3 + 2, h.depth);
          if (have_key && SampleRaw(line, x * 3, h.depth) == key[0] &&
              SampleRaw(line, x * 3 + 1, h.depth) == key[1] &&
              SampleRaw(line, x * 3 + 2, h.depth) == key[2])
            a = 0;
          break;
        case 3: {
          const uint32_t i = SampleRaw(line, x, h.depth);
          if (i >= palette.size()) Refuse("a palette index past the palette");
          const TkivPixel p = palette[i];
          r = (p >> 16) & 0xFF;
          g = (p >> 8) & 0xFF;
          b = p & 0xFF;
          if (i < palette_alpha.size()) a = palette_alpha[i];
          break;
        }
        case 4:
          r = g = b = Sample8(line, x * 2, h.depth);
          a = Sample8(line, x * 2 + 1, h.depth);
          break;
        default:
          r = Sample8(line, x * 4, h.depth);
          g = Sample8(line, x * 4 + 1, h.depth);
          b = Sample8(line, x * 4 + 2, h.depth);
          a = Sample8(line, x * 4 + 3, h.depth);
          break;
      }
      transparent |= a != 255;
      out[x] = a << 24 | r << 16 | g << 8 | b;
    }
  }
  result.Transparent = transparent;
  result.Frames.push_back(std::move(frame));
  return result;
}

}  // namespace kiv
