#pragma once
// Skin file bytes built field by field from the stored layouts, with zlib
// called directly: the readers are checked against bytes that our writers
// did not make, above all for the older layouts our writers never produce.
#include <zlib.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/streams.hpp"

namespace kivtest {

class SkinBytes {
 public:
  SkinBytes& U8(uint8_t v) {
    bytes_.push_back(v);
    return *this;
  }
  SkinBytes& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  SkinBytes& Raw(const std::string& s) {
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    return *this;
  }
  SkinBytes& Raw(const std::vector<uint8_t>& b) {
    bytes_.insert(bytes_.end(), b.begin(), b.end());
    return *this;
  }
  // A stream string: 32-bit length, then the bytes.
  SkinBytes& Str(const std::string& s) {
    U32(static_cast<uint32_t>(s.size()));
    return Raw(s);
  }
  // A short string of the component stream: a length byte, then the bytes.
  SkinBytes& ShortStr(const std::string& s) {
    U8(static_cast<uint8_t>(s.size()));
    return Raw(s);
  }
  // The five strings that open a body.
  SkinBytes& Header(const std::string& name = "Fixture") {
    return Str(name).Str("1.0").Str("Tester").Str("t@example.org").Str("http://example.org");
  }
  // A surface record: name, width, height, pixels (rows top-down).
  SkinBytes& Bitmap(const std::string& name, int32_t w, int32_t h,
                    const std::vector<uint32_t>& pixels) {
    Str(name).U32(static_cast<uint32_t>(w)).U32(static_cast<uint32_t>(h));
    for (uint32_t p : pixels) U32(p);
    return *this;
  }
  // Smallest valid tables: one colour, no system colour, one font.
  SkinBytes& ColorTable(const std::string& colour) {
    return U8(0).Str("CaptionNormal").Str(":").Str(colour);
  }
  SkinBytes& SysColorTable() { return U32(0); }
  SkinBytes& FontTable(const std::string& font_text) {
    return U8(0).Str("CaptionTextNormal").Str(":").Str(font_text);
  }
  size_t Size() const { return bytes_.size(); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

  std::unique_ptr<kiv::TMemoryStream> Stream() const {
    auto s = std::make_unique<kiv::TMemoryStream>();
    if (!bytes_.empty()) s->WriteBuffer(bytes_.data(), static_cast<int64_t>(bytes_.size()));
    s->SetPosition(0);
    return s;
  }

 private:
  std::vector<uint8_t> bytes_;
};

// zlib's own one-call compression (zlib wrapper) at a level.
inline std::vector<uint8_t> Deflate(const std::vector<uint8_t>& in, int level) {
  uLongf size = compressBound(static_cast<uLong>(in.size()));
  std::vector<uint8_t> out(size);
  if (compress2(out.data(), &size, in.data(), static_cast<uLong>(in.size()), level) != Z_OK)
    return {};
  out.resize(size);
  return out;
}

// A compressed container: signature (may be empty), "QSLZ", zlib(body).
inline SkinBytes Compressed(const std::string& signature, const SkinBytes& body, int level) {
  SkinBytes c;
  c.Raw(signature).Raw("QSLZ").Raw(Deflate(body.Bytes(), level));
  return c;
}

// A binary component stream of one object with integer properties (each
// stored as a 32-bit integer value) and no children.
inline std::vector<uint8_t> ComponentBytes(
    const std::string& class_name, const std::string& name,
    const std::vector<std::pair<std::string, int32_t>>& props,
    const std::vector<uint8_t>& objects_data = {}) {
  SkinBytes b;
  b.Raw("TPF0").ShortStr(class_name).ShortStr(name);
  for (const auto& [prop, value] : props) b.ShortStr(prop).U8(4 /* Int32 */).U32(uint32_t(value));
  if (!objects_data.empty())
    b.ShortStr("Objects").U8(10 /* Binary */).U32(uint32_t(objects_data.size())).Raw(objects_data);
  b.U8(0).U8(0);
  return b.Bytes();
}

// A 24-bit BMP file image, rows bottom-up, each padded to 4 bytes; pixels
// given top-down as 0x00RRGGBB.
inline std::vector<uint8_t> BmpFile(int32_t w, int32_t h, const std::vector<uint32_t>& pixels) {
  const uint32_t row = (uint32_t(w) * 3 + 3) & ~3u;
  const uint32_t data = row * uint32_t(h);
  SkinBytes b;
  b.Raw("BM").U32(54 + data).U32(0).U32(54);
  b.U32(40).U32(uint32_t(w)).U32(uint32_t(h));
  b.U8(1).U8(0).U8(24).U8(0);  // planes, bits per pixel
  b.U32(0).U32(data).U32(2835).U32(2835).U32(0).U32(0);
  for (int32_t y = h - 1; y >= 0; --y) {
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t p = pixels[size_t(y) * w + x];
      b.U8(p & 0xFF).U8((p >> 8) & 0xFF).U8((p >> 16) & 0xFF);
    }
    for (uint32_t pad = uint32_t(w) * 3; pad < row; ++pad) b.U8(0);
  }
  return b.Bytes();
}

}  // namespace kivtest
