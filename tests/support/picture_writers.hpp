#pragma once
// Small picture files made by tests: JPEG through libjpeg's compressor, GIF
// (with frames, delays, a transparent index and a looping block) through
// giflib's encoder, and 24-bit BMP written by hand. Header-only so that any
// test program can use them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>

namespace kivtest {

// 0xRRGGBB per pixel, rows top-down.
using RgbPixels = std::vector<uint32_t>;

inline std::vector<uint8_t> MakeJpeg(int w, int h, const RgbPixels& px, int quality = 95) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buf, &size);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t p = px[static_cast<size_t>(y) * w + x];
      row[x * 3] = p >> 16 & 0xFF;
      row[x * 3 + 1] = p >> 8 & 0xFF;
      row[x * 3 + 2] = p & 0xFF;
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<uint8_t> out(buf, buf + size);
  std::free(buf);
  return out;
}

struct GifFrame {
  std::vector<uint8_t> Indices;  // w * h palette indices
  int Delay = 0;                 // hundredths of a second
};

// palette: up to 256 colours 0xRRGGBB (padded to a power of two); loop_count
// < 0 writes no looping block; transparent < 0 marks no index transparent.
inline std::vector<uint8_t> MakeGif(int w, int h, std::vector<uint32_t> palette,
                                    const std::vector<GifFrame>& frames, int loop_count = -1,
                                    int transparent = -1) {
  int bits = 1;
  while ((1u << bits) < palette.size()) ++bits;
  palette.resize(size_t{1} << bits, 0);
  std::vector<GifColorType> colors;
  for (uint32_t c : palette)
    colors.push_back({static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                      static_cast<GifByteType>(c)});
  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(
      &out,
      [](GifFileType* g, const GifByteType* d, int n) {
        auto* o = static_cast<std::vector<uint8_t>*>(g->UserData);
        o->insert(o->end(), d, d + n);
        return n;
      },
      &error);
  if (!gif) throw std::runtime_error("EGifOpen failed");
  EGifSetGifVersion(gif, true);
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(colors.size()), colors.data());
  EGifPutScreenDesc(gif, w, h, bits, 0, map);
  if (loop_count >= 0) {
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
    uint8_t sub[3] = {1, static_cast<uint8_t>(loop_count & 0xFF),
                      static_cast<uint8_t>(loop_count >> 8)};
    EGifPutExtensionBlock(gif, 3, sub);
    EGifPutExtensionTrailer(gif);
  }
  for (const GifFrame& f : frames) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
    gcb.DelayTime = f.Delay;
    gcb.TransparentColor = transparent < 0 ? NO_TRANSPARENT_COLOR : transparent;
    GifByteType ext[4];
    size_t n = EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext);
    EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr);
    for (int y = 0; y < h; ++y)
      EGifPutLine(gif, const_cast<GifPixelType*>(f.Indices.data() + static_cast<size_t>(y) * w), w);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

inline std::vector<uint8_t> MakeBmp24(int w, int h, const RgbPixels& px) {
  uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
  uint32_t image = stride * static_cast<uint32_t>(h);
  std::vector<uint8_t> out(54 + image, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  out[26] = 1;
  out[28] = 24;
  put32(34, image);
  for (int y = 0; y < h; ++y) {
    uint8_t* row = out.data() + 54 + static_cast<size_t>(h - 1 - y) * stride;  // bottom-up
    for (int x = 0; x < w; ++x) {
      uint32_t p = px[static_cast<size_t>(y) * w + x];
      row[x * 3] = p & 0xFF;
      row[x * 3 + 1] = p >> 8 & 0xFF;
      row[x * 3 + 2] = p >> 16 & 0xFF;
    }
  }
  return out;
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

inline void WriteText(const std::string& path, const std::string& text) {
  WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace kivtest
