#pragma once
// The JPEG the decoding benchmarks share: 4000 x 3000 (12 megapixels), made
// with libjpeg's compressor at quality 90, 4:2:0, from smooth gradients with
// fine detail, so that the encoder and the decoder have real work: neither
// flat nor noise.
// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include <vector>

namespace kivbench {

inline constexpr int kWidth = 4000, kHeight = 3000;

inline const std::vector<unsigned char>& TestJpeg() {
  static const std::vector<unsigned char> jpeg = [] {
    std::vector<unsigned char> rgb(size_t(kWidth) * 3);
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long out_size = 0;
    jpeg_mem_dest(&c, &out, &out_size);
    c.image_width = kWidth;
    c.image_height = kHeight;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    uint32_t seed = 12345;
    while (c.next_scanline < c.image_height) {
      const int y = int(c.next_scanline);
      for (int x = 0; x < kWidth; ++x) {
        seed = seed * 1103515245u + 12345u;
        const int noise = int(seed >> 28) - 8;
        rgb[size_t(x) * 3 + 0] = (unsigned char)((x * 255 / kWidth + noise) & 0xFF);
        rgb[size_t(x) * 3 + 1] =
            (unsigned char)((y * 255 / kHeight + ((x / 16 + y / 16) % 2) * 40) & 0xFF);
        rgb[size_t(x) * 3 + 2] = (unsigned char)(((x ^ y) & 0x3F) * 3 + noise);
      }
      JSAMPROW row = rgb.data();
      jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    std::vector<unsigned char> bytes(out, out + out_size);
    jpeg_destroy_compress(&c);
    std::free(out);
    return bytes;
  }();
  return jpeg;
}

}  // namespace kivbench
