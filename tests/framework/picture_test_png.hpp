#pragma once
// A small PNG reader for the reference renderings the picture tests compare
// with: non-interlaced, bit depths 1 to 16, greyscale, RGB, palette, grey and
// alpha, RGBA, with tRNS. 16-bit samples are rounded to 8 bits. Built on zlib,
// so it works in both builds.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/types.hpp"
#include "support/testdata.hpp"

namespace kivtest {

struct TPng {
  int width = 0, height = 0;
  std::vector<kiv::TkivPixel> pixels;  // 0xAARRGGBB, top-down
};

inline TPng ReadPng(const std::string& path) {
  const std::string file = ReadFile(path);
  auto u8 = [&](size_t i) { return static_cast<uint8_t>(file.at(i)); };
  auto u32 = [&](size_t i) {
    return uint32_t(u8(i)) << 24 | uint32_t(u8(i + 1)) << 16 | uint32_t(u8(i + 2)) << 8 | u8(i + 3);
  };
  if (file.size() < 8 || file.compare(1, 3, "PNG") != 0)
    throw std::runtime_error("not a PNG: " + path);
  TPng png;
  int depth = 0, type = 0;
  std::string idat;
  std::vector<kiv::TkivPixel> palette;
  std::vector<uint8_t> trns;
  for (size_t i = 8; i + 8 <= file.size();) {
    const uint32_t len = u32(i);
    const std::string kind = file.substr(i + 4, 4);
    const size_t at = i + 8;
    if (kind == "IHDR") {
      png.width = int(u32(at));
      png.height = int(u32(at + 4));
      depth = u8(at + 8);
      type = u8(at + 9);
      if (u8(at + 12) != 0) throw std::runtime_error("interlaced PNG: " + path);
    } else if (kind == "PLTE") {
      for (uint32_t k = 0; k + 2 < len; k += 3)
        palette.push_back(0xFF000000u | uint32_t(u8(at + k)) << 16 | uint32_t(u8(at + k + 1)) << 8 |
                          u8(at + k + 2));
    } else if (kind == "tRNS") {
      for (uint32_t k = 0; k < len; ++k) trns.push_back(u8(at + k));
    } else if (kind == "IDAT") {
      idat += file.substr(at, len);
    }
    i = at + len + 4;
  }
  const int channels = type == 0 ? 1 : type == 2 ? 3 : type == 3 ? 1 : type == 4 ? 2 : 4;
  const size_t bits_pp = size_t(channels) * depth;
  const size_t stride = (size_t(png.width) * bits_pp + 7) / 8;
  const size_t bpp = std::max<size_t>(1, bits_pp / 8);
  std::vector<uint8_t> raw((stride + 1) * png.height);
  uLongf raw_size = raw.size();
  if (uncompress(raw.data(), &raw_size, reinterpret_cast<const Bytef*>(idat.data()), idat.size()) !=
          Z_OK ||
      raw_size != raw.size())
    throw std::runtime_error("bad PNG data: " + path);
  // Undo the row filters.
  std::vector<uint8_t> prev(stride, 0), row(stride);
  png.pixels.resize(size_t(png.width) * png.height);
  for (int y = 0; y < png.height; ++y) {
    const uint8_t filter = raw[y * (stride + 1)];
    const uint8_t* src = &raw[y * (stride + 1) + 1];
    for (size_t x = 0; x < stride; ++x) {
      const int a = x >= bpp ? row[x - bpp] : 0, b = prev[x], c = x >= bpp ? prev[x - bpp] : 0;
      int pred = 0;
      switch (filter) {
        case 1:
          pred = a;
          break;
        case 2:
          pred = b;
          break;
        case 3:
          pred = (a + b) / 2;
          break;
        case 4: {
          const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
          pred = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
          break;
        }
      }
      row[x] = uint8_t(src[x] + pred);
    }
    auto sample = [&](size_t index) -> uint32_t {  // index-th sample of the row
      if (depth == 16)
        return ((uint32_t(row[index * 2]) << 8 | row[index * 2 + 1]) * 255 + 32767) / 65535;
      if (depth == 8) return row[index];
      const size_t bit = index * depth;
      return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
    };
    auto sample16 = [&](size_t index) -> uint32_t {
      return depth == 16 ? uint32_t(row[index * 2]) << 8 | row[index * 2 + 1] : sample(index);
    };
    auto scale = [&](uint32_t v) -> uint32_t {
      return depth >= 8 ? v : v * 255 / ((1u << depth) - 1);
    };
    auto trns16 = [&](int k) -> uint32_t { return uint32_t(trns[2 * k]) << 8 | trns[2 * k + 1]; };
    for (int x = 0; x < png.width; ++x) {
      kiv::TkivPixel p = 0;
      const size_t s = size_t(x) * channels;
      if (type == 3) {
        const uint32_t i = sample(s);
        p = i < palette.size() ? palette[i] : 0xFF000000u;
        if (i < trns.size()) p = (p & 0xFFFFFF) | uint32_t(trns[i]) << 24;
      } else if (type == 0 || type == 4) {
        const uint32_t g = scale(sample(s));
        const uint32_t a = type == 4 ? sample(s + 1) : 255;
        p = a << 24 | g << 16 | g << 8 | g;
        if (type == 0 && trns.size() >= 2 && sample16(s) == trns16(0)) p &= 0xFFFFFF;
      } else {
        const uint32_t a = type == 6 ? sample(s + 3) : 255;
        p = a << 24 | sample(s) << 16 | sample(s + 1) << 8 | sample(s + 2);
        if (type == 2 && trns.size() >= 6 && sample16(s) == trns16(0) &&
            sample16(s + 1) == trns16(1) && sample16(s + 2) == trns16(2))
          p &= 0xFFFFFF;
      }
      png.pixels[size_t(y) * png.width + x] = p;
    }
    prev = row;
  }
  return png;
}

// Pixels equal as the viewer shows them (each channel within `tolerance`):
// fully transparent pixels match whatever their colour channels hold.
inline bool SamePixel(kiv::TkivPixel a, kiv::TkivPixel b, int tolerance = 0) {
  if ((a >> 24) == 0 && (b >> 24) == 0) return true;
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > tolerance) return false;
  return true;
}

}  // namespace kivtest
