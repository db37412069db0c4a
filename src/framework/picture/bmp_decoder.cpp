// Windows and OS/2 bitmap files: core (OS/2 1.x, 12-byte header), OS/2 2.x
// (16 to 64 bytes), info (40) and its later versions (52, 56, 108, 124);
// 1, 2, 4, 8, 16, 24 and 32 bits per pixel; BI_RGB, BI_BITFIELDS,
// BI_ALPHABITFIELDS, RLE8, RLE4, OS/2 RLE24 and embedded JPEG. Pixels an RLE
// image skips (deltas, early end of line or bitmap) stay transparent, as they
// do when Windows draws such a bitmap over a background; a run longer than
// the rest of its row is cut at the row's end. The file-size field of the
// file header is not used: the bytes the pixels need are checked instead, as
// the platform does.
#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <string>

#include "framework/exceptions.hpp"
#include "framework/picture/picture.hpp"
#include "framework/picture/picture_internal.hpp"

namespace kiv {
namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4, kBiPng = 5,
                   kBiAlphaBitfields = 6;
constexpr uint32_t kRle24 = 0x10000;  // OS/2 2.x compression 4, kept apart from BI_JPEG

[[noreturn]] void Fail(const std::string& what) {
  throw EInvalidGraphic("Invalid BMP: " + what);
}

uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

TkivPixel Opaque(uint8_t r, uint8_t g, uint8_t b) {
  return 0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

// One colour channel of a bit-field pixel: where it sits and how to widen it
// to 8 bits (rounded to nearest, so that the largest value becomes 255).
struct TChannel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  bool present() const { return mask != 0; }
  uint8_t Get(uint32_t px) const {
    uint64_t v = (px & mask) >> shift;
    if (max == 255) return static_cast<uint8_t>(v);
    return static_cast<uint8_t>((v * 255 + max / 2) / max);
  }
};

TChannel MakeChannel(uint32_t mask, const char* name, int bpp) {
  TChannel c;
  c.mask = mask;
  if (mask == 0) return c;
  if (bpp < 32 && (mask >> bpp) != 0)
    Fail(std::string("the ") + name + " bit mask uses bits beyond the " + std::to_string(bpp) +
         " bits of a pixel");
  c.shift = std::countr_zero(mask);
  uint32_t bits = mask >> c.shift;
  if ((bits & (bits + 1)) != 0)
    Fail(std::string("the ") + name + " bit mask is not one run of bits");
  c.max = bits;
  return c;
}

std::string HeaderName(uint32_t hsize, bool os2v2) {
  if (hsize == 12) return "OS/2 1.x BITMAPCOREHEADER (12 bytes)";
  if (os2v2) return "OS/2 2.x header (" + std::to_string(hsize) + " bytes)";
  switch (hsize) {
    case 40:
      return "BITMAPINFOHEADER (40 bytes)";
    case 52:
      return "BITMAPV2INFOHEADER (52 bytes)";
    case 56:
      return "BITMAPV3INFOHEADER (56 bytes)";
    case 108:
      return "BITMAPV4HEADER (108 bytes)";
    case 124:
      return "BITMAPV5HEADER (124 bytes)";
  }
  return std::to_string(hsize) + "-byte header";
}

const char* CompressionName(uint32_t c) {
  switch (c) {
    case kBiRgb:
      return "BI_RGB";
    case kBiRle8:
      return "RLE8";
    case kBiRle4:
      return "RLE4";
    case kBiBitfields:
      return "BI_BITFIELDS";
    case kBiJpeg:
      return "BI_JPEG";
    case kBiPng:
      return "BI_PNG";
    case kBiAlphaBitfields:
      return "BI_ALPHABITFIELDS";
    case kRle24:
      return "RLE24";
  }
  return "unknown";
}

struct TBmpInfo {
  const uint8_t* data;
  size_t size;
  int32_t width, height;
  bool top_down;
  int bpp;
  uint32_t compression;
  size_t bits_offset;
  std::vector<TkivPixel> palette;
};

TkivPixel PaletteColour(const TBmpInfo& bmp, uint32_t index, int32_t x, int32_t y) {
  if (index >= bmp.palette.size())
    Fail("the pixel at (" + std::to_string(x) + ", " + std::to_string(y) + ") uses colour " +
         std::to_string(index) + " but the palette has only " + std::to_string(bmp.palette.size()) +
         " colours");
  return bmp.palette[index];
}

void DecodeUncompressed(const TBmpInfo& bmp, const std::array<TChannel, 4>& ch, TPixelBuffer& out) {
  const int32_t w = bmp.width, h = bmp.height;
  const uint64_t row_bytes = (uint64_t(w) * bmp.bpp + 7) / 8;
  const uint64_t stride = (uint64_t(w) * bmp.bpp + 31) / 32 * 4;
  const uint64_t needed = stride * uint64_t(h - 1) + row_bytes;
  const uint64_t remain = bmp.size - bmp.bits_offset;
  if (needed > remain)
    Fail("the file is truncated: the pixels need " + std::to_string(needed) + " bytes but only " +
         std::to_string(remain) + " follow the headers");
  for (int32_t row = 0; row < h; ++row) {
    const uint8_t* src = bmp.data + bmp.bits_offset + stride * uint64_t(row);
    const int32_t y = bmp.top_down ? row : h - 1 - row;
    TkivPixel* dst = out.data() + size_t(y) * size_t(w);
    switch (bmp.bpp) {
      case 1:
      case 2:
      case 4:
      case 8: {
        const int per_byte = 8 / bmp.bpp;
        const uint32_t mask = (1u << bmp.bpp) - 1;
        for (int32_t x = 0; x < w; ++x) {
          const int shift = 8 - bmp.bpp * (x % per_byte + 1);
          dst[x] = PaletteColour(bmp, (src[x / per_byte] >> shift) & mask, x, y);
        }
        break;
      }
      case 24:
        for (int32_t x = 0; x < w; ++x, src += 3) dst[x] = Opaque(src[2], src[1], src[0]);
        break;
      case 16:
      case 32:
        for (int32_t x = 0; x < w; ++x) {
          uint32_t px = bmp.bpp == 16 ? U16(src + 2 * x) : U32(src + 4 * x);
          uint32_t a = ch[3].present() ? ch[3].Get(px) : 255;
          dst[x] = a << 24 | uint32_t(ch[0].Get(px)) << 16 | uint32_t(ch[1].Get(px)) << 8 |
                   ch[2].Get(px);
        }
        break;
    }
  }
  // An alpha channel that is zero in every pixel was never filled in (many
  // writers leave it so): the picture is opaque, as the platform's viewers
  // show it. Any non-zero alpha keeps every pixel's alpha as stored.
  if (ch[3].present() &&
      std::all_of(out.begin(), out.end(), [](TkivPixel p) { return (p >> 24) == 0; })) {
    for (TkivPixel& p : out) p |= 0xFF000000u;
  }
}

// RLE8, RLE4 and RLE24: runs, absolute runs, end of line, end of bitmap and
// deltas. A run that would go past the end of its row is cut at the row's end
// (one warning counts them); data past the last row and deltas that leave the
// picture are refused.
void DecodeRle(const TBmpInfo& bmp, TPixelBuffer& out, std::vector<std::string>& warnings) {
  const int32_t w = bmp.width, h = bmp.height;
  const uint8_t* p = bmp.data + bmp.bits_offset;
  const uint8_t* end = bmp.data + bmp.size;
  int32_t x = 0, y = 0;  // y counts rows from the bottom of the picture
  auto put = [&](TkivPixel colour) {
    out[size_t(h - 1 - y) * size_t(w) + size_t(x)] = colour;
    ++x;
  };
  int clipped_runs = 0, first_clipped_row = 0;
  // The pixels of a run of `count` that fit in the rest of the row.
  auto room = [&](uint32_t count) -> uint32_t {
    if (y >= h) Fail("the RLE data goes on past the last row");
    if (uint64_t(x) + count <= uint64_t(w)) return count;
    if (clipped_runs++ == 0) first_clipped_row = h - 1 - y;
    return uint32_t(w - x);
  };
  auto report_clipped = [&] {
    if (clipped_runs > 0)
      warnings.push_back(std::to_string(clipped_runs) +
                         " RLE run(s) went past the end of their row and were cut at the row's "
                         "end (the first in row " +
                         std::to_string(first_clipped_row) + ")");
  };
  for (;;) {
    if (end - p < 2) {
      report_clipped();
      warnings.push_back("the RLE data ends without an end-of-bitmap marker");
      return;
    }
    const uint32_t count = p[0], code = p[1];
    p += 2;
    if (count > 0) {
      const uint32_t n = room(count);
      if (bmp.compression == kRle24) {
        if (end - p < 2) Fail("the file ends inside an RLE24 run");
        // The run's colour is the code byte (blue) and the next two (green, red).
        const TkivPixel c = Opaque(p[1], p[0], static_cast<uint8_t>(code));
        p += 2;
        for (uint32_t i = 0; i < n; ++i) put(c);
      } else if (n == 0) {
        // Wholly past the row's end: nothing to draw, no colour to look up.
      } else if (bmp.compression == kBiRle8) {
        const TkivPixel c = PaletteColour(bmp, code, x, h - 1 - y);
        for (uint32_t i = 0; i < n; ++i) put(c);
      } else {
        const TkivPixel hi = PaletteColour(bmp, code >> 4, x, h - 1 - y);
        const TkivPixel lo = n > 1 ? PaletteColour(bmp, code & 15, x, h - 1 - y) : hi;
        for (uint32_t i = 0; i < n; ++i) put(i % 2 ? lo : hi);
      }
    } else if (code == 0) {  // end of line
      x = 0;
      ++y;
    } else if (code == 1) {  // end of bitmap
      report_clipped();
      return;
    } else if (code == 2) {  // delta
      if (end - p < 2) Fail("the file ends inside an RLE delta");
      x += p[0];
      y += p[1];
      p += 2;
      if (x > w || y > h || (y == h && x > 0)) Fail("an RLE delta moves outside the picture");
    } else {  // absolute run of `code` pixels, padded to a 16-bit boundary
      const uint32_t n = room(code);
      const uint64_t bytes = bmp.compression == kBiRle8   ? code
                             : bmp.compression == kBiRle4 ? (code + 1) / 2
                                                          : uint64_t(code) * 3;
      const uint64_t padded = (bytes + 1) & ~uint64_t(1);
      if (uint64_t(end - p) < bytes) Fail("the file ends inside an RLE absolute run");
      for (uint32_t i = 0; i < n; ++i) {
        if (bmp.compression == kBiRle8) {
          put(PaletteColour(bmp, p[i], x, h - 1 - y));
        } else if (bmp.compression == kBiRle4) {
          const uint8_t b = p[i / 2];
          put(PaletteColour(bmp, i % 2 ? b & 15 : b >> 4, x, h - 1 - y));
        } else {
          put(Opaque(p[3 * i + 2], p[3 * i + 1], p[3 * i]));
        }
      }
      p += std::min<uint64_t>(padded, uint64_t(end - p));
    }
  }
}

}  // namespace

TDecodedPicture DecodeBmp(const uint8_t* data, size_t size, const TDecodeLimits& limits) {
  size_t base = 0;
  if (size >= 2 && data[0] == 'B' && data[1] == 'A') {
    // An OS/2 bitmap array: the first bitmap's file header follows the
    // 14-byte array header; offsets stay relative to the start of the file.
    base = 14;
    if (size < base + 2 || data[base] != 'B' || data[base + 1] != 'M')
      Fail("the OS/2 bitmap array holds no bitmap (\"BM\") as its first entry");
  }
  if (size < base + 2 || data[base] != 'B' || data[base + 1] != 'M')
    Fail("the file does not start with the \"BM\" signature");
  if (size < base + 18) Fail("the file ends inside its headers");
  uint64_t bits_offset = U32(data + base + 10);
  const uint8_t* h = data + base + 14;
  const uint32_t hsize = U32(h);
  const bool os2v1 = hsize == 12;
  const bool os2v2 =
      hsize >= 16 && hsize <= 64 && hsize % 2 == 0 && hsize != 40 && hsize != 52 && hsize != 56;
  if (!(os2v1 || os2v2 || hsize == 40 || hsize == 52 || hsize == 56 || hsize == 108 ||
        hsize == 124))
    Fail("the bitmap header size is " + std::to_string(hsize) +
         " bytes, which is no known header version");
  if (size - base - 14 < hsize) Fail("the file ends inside its bitmap header");
  // Fields past the end of a shortened OS/2 2.x header read as zero.
  auto field = [&](uint32_t offset, int bytes) -> uint32_t {
    if (offset + bytes > hsize) return 0;
    return bytes == 2 ? U16(h + offset) : U32(h + offset);
  };

  int64_t width, height;
  uint32_t planes, bpp, compression = kBiRgb, size_image = 0, clr_used = 0;
  int32_t xppm = 0, yppm = 0;
  if (os2v1) {
    width = U16(h + 4);
    height = U16(h + 6);
    planes = U16(h + 8);
    bpp = U16(h + 10);
  } else {
    width = static_cast<int32_t>(field(4, 4));
    height = static_cast<int32_t>(field(8, 4));
    planes = field(12, 2);
    bpp = field(14, 2);
    compression = field(16, 4);
    size_image = field(20, 4);
    xppm = static_cast<int32_t>(field(24, 4));
    yppm = static_cast<int32_t>(field(28, 4));
    clr_used = field(32, 4);
  }
  if (os2v2 && compression == 3) Fail("OS/2 Huffman 1D compression is not supported");
  if (os2v2 && compression == 4) compression = kRle24;

  if (planes != 1)
    Fail("the header gives " + std::to_string(planes) + " colour planes instead of 1");
  if (width <= 0) Fail("the width is " + std::to_string(width) + "; it must be positive");
  if (height == 0 || height == INT32_MIN) Fail("the height is " + std::to_string(height));
  const bool top_down = height < 0;
  height = height < 0 ? -height : height;
  if (xppm > 0 && yppm > 0 && std::max(xppm, yppm) / std::min(xppm, yppm) >= 1000)
    Fail("the pixel density (" + std::to_string(xppm) + " by " + std::to_string(yppm) +
         " pixels per metre) is implausible");

  switch (compression) {
    case kBiRgb:
      if (bpp == 64) Fail("64 bits per pixel is not supported");
      if (bpp != 1 && bpp != 2 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        Fail(std::to_string(bpp) + " bits per pixel is not a valid depth");
      break;
    case kBiRle8:
      if (bpp != 8) Fail("RLE8 compression needs 8 bits per pixel, not " + std::to_string(bpp));
      break;
    case kBiRle4:
      if (bpp != 4) Fail("RLE4 compression needs 4 bits per pixel, not " + std::to_string(bpp));
      break;
    case kRle24:
      if (bpp != 24) Fail("RLE24 compression needs 24 bits per pixel, not " + std::to_string(bpp));
      break;
    case kBiBitfields:
    case kBiAlphaBitfields:
      if (bpp != 16 && bpp != 32)
        Fail(std::string(CompressionName(compression)) + " needs 16 or 32 bits per pixel, not " +
             std::to_string(bpp));
      break;
    case kBiJpeg:
      break;
    case kBiPng:
      Fail("embedded PNG images (BI_PNG) are not supported");
    default:
      Fail("compression method " + std::to_string(compression) + " is not supported");
  }
  const bool rle = compression == kBiRle8 || compression == kBiRle4 || compression == kRle24;
  if (rle && top_down) Fail("an RLE-compressed bitmap cannot be stored top-down");

  // Bit masks: inside the later headers, or just after a 40-byte one.
  uint64_t mask_bytes = 0;
  std::array<uint32_t, 4> masks{};
  if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
    if (hsize == 40 || os2v2) {
      mask_bytes = compression == kBiAlphaBitfields ? 16 : 12;
      if (size - base - 14 - hsize < mask_bytes) Fail("the file ends inside its bit masks");
      for (uint64_t i = 0; i < mask_bytes / 4; ++i) masks[i] = U32(h + hsize + 4 * i);
    } else {
      for (int i = 0; i < 3; ++i) masks[i] = U32(h + 40 + 4 * i);
      if (hsize >= 56) masks[3] = U32(h + 52);
    }
  } else if (bpp == 16) {
    masks = {0x7C00, 0x03E0, 0x001F, 0};
  } else if (bpp == 32) {
    masks = {0xFF0000, 0xFF00, 0xFF, 0};
  }
  std::array<TChannel, 4> channels;
  if (bpp == 16 || bpp == 32) {
    const char* names[4] = {"red", "green", "blue", "alpha"};
    for (int i = 0; i < 4; ++i) channels[i] = MakeChannel(masks[i], names[i], int(bpp));
    for (int i = 0; i < 3; ++i)
      if (!channels[i].present()) Fail(std::string("the ") + names[i] + " bit mask is empty");
    for (int i = 0; i < 4; ++i)
      for (int j = i + 1; j < 4; ++j)
        if (masks[i] & masks[j])
          Fail(std::string("the ") + names[i] + " and " + names[j] + " bit masks overlap");
  }

  // Palette: 3-byte entries after a core header, 4-byte ones otherwise.
  TBmpInfo bmp{data, size, int32_t(width), int32_t(height), top_down, int(bpp), compression, 0, {}};
  const uint64_t entry = os2v1 ? 3 : 4;
  const uint64_t palette_start = base + 14 + hsize + mask_bytes;
  if (bits_offset == 0) bits_offset = palette_start + (bpp <= 8 ? (uint64_t(1) << bpp) * entry : 0);
  if (bits_offset > size)
    Fail("the pixel data offset " + std::to_string(bits_offset) + " lies past the end of the file");
  if (bits_offset < base + 14 + hsize) Fail("the pixel data offset points into the headers");
  if (clr_used > 0 && palette_start + uint64_t(clr_used) * entry > size)
    Fail("the palette of " + std::to_string(clr_used) + " colours runs past the end of the file");
  if (bpp <= 8 && compression != kBiJpeg) {
    uint64_t count = (os2v1 || clr_used == 0) ? (uint64_t(1) << bpp) : clr_used;
    count = std::min<uint64_t>(count, uint64_t(1) << bpp);
    if (bits_offset >= palette_start)
      count = std::min(count, (bits_offset - palette_start) / entry);
    count = std::min(count, (size - palette_start) / entry);
    if (count == 0)
      Fail("the bitmap has " + std::to_string(bpp) + " bits per pixel but no palette");
    for (uint64_t i = 0; i < count; ++i) {
      const uint8_t* e = data + palette_start + i * entry;
      bmp.palette.push_back(Opaque(e[2], e[1], e[0]));
    }
  }
  bmp.bits_offset = size_t(bits_offset);
  const uint64_t remain = size - bits_offset;
  if (size_image != 0 && compression != kBiRgb && size_image > remain)
    Fail("the header gives " + std::to_string(size_image) + " bytes of pixel data but only " +
         std::to_string(remain) + " follow the headers");
  if (size_image != 0 && compression == kBiRgb && size_image > size)
    Fail("the header gives " + std::to_string(size_image) +
         " bytes of pixel data, more than the whole file");

  std::string details = HeaderName(hsize, os2v2) + ", " + std::to_string(bpp) +
                        " bits per pixel, " + CompressionName(compression);
  if (!bmp.palette.empty())
    details += ", palette of " + std::to_string(bmp.palette.size()) + " colours";
  details += top_down ? ", top-down" : ", bottom-up";

  TDecodedPicture result;
  if (compression == kBiJpeg) {
    const size_t length = size_image != 0 ? size_t(size_image) : size_t(remain);
    try {
      result = DecodeJpeg(data + bits_offset, length, limits);
    } catch (const EInvalidGraphic& e) {
      Fail(std::string("its embedded JPEG image cannot be decoded: ") + e.what());
    }
    result.Format = TPictureFormat::pfBmp;
    result.Details = details + ", embedded " + result.Details;
    return result;
  }

  picture_detail::CheckFrameSize("BMP", uint64_t(width), uint64_t(height), limits);
  result.Format = TPictureFormat::pfBmp;
  result.Width = int32_t(width);
  result.Height = int32_t(height);
  result.BitsPerSample = int(bpp);
  result.ColorSpace = bpp <= 8 ? "palette" : channels[3].present() ? "RGBA" : "RGB";
  result.Details = details;
  TPictureFrame frame;
  if (rle) {
    // Checked before allocating: every two bytes of RLE data cover at most
    // 255 pixels, so a tiny file cannot claim a huge picture.
    if (uint64_t(width) * uint64_t(height) > (remain / 2 + 1) * 255 + uint64_t(width) * 2)
      Fail("the RLE data is far too short for " + std::to_string(width) + " x " +
           std::to_string(height) + " pixels");
    frame.Pixels.assign(size_t(width) * size_t(height), 0);
    DecodeRle(bmp, frame.Pixels, result.Warnings);
  } else {
    const uint64_t stride = (uint64_t(width) * bpp + 31) / 32 * 4;
    if (stride * uint64_t(height - 1) + (uint64_t(width) * bpp + 7) / 8 > remain)
      Fail("the file is truncated: the pixels need " +
           std::to_string(stride * uint64_t(height - 1) + (uint64_t(width) * bpp + 7) / 8) +
           " bytes but only " + std::to_string(remain) + " follow the headers");
    frame.Pixels.resize(size_t(width) * size_t(height));
    DecodeUncompressed(bmp, channels, frame.Pixels);
  }
  result.Frames.push_back(std::move(frame));
  result.Transparent = picture_detail::AnyTransparent(result);
  return result;
}

}  // namespace kiv
