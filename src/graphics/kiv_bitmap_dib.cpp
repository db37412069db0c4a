// Packed 32-bit DIBs (the layout of a bitmap resource): a BITMAPINFOHEADER of
// at least 40 bytes, three colour masks after a 40-byte header with
// BI_BITFIELDS, a colour table of biClrUsed entries, then the rows, bottom-up
// for a positive height.
#include <cstring>

#include "framework/exceptions.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

namespace {

uint32_t U32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24;
}
uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

[[noreturn]] void Invalid() {
  throw EInvalidGraphic("Bitmap image is not valid");
}

}  // namespace

void TkivBitmap::LoadFromPackedDib32(const uint8_t* data, size_t size) {
  if (data == nullptr || size < 40) Invalid();
  const uint32_t header = U32(data);
  if (header < 40 || header > size) Invalid();
  const int32_t w = static_cast<int32_t>(U32(data + 4));
  const int32_t stored_h = static_cast<int32_t>(U32(data + 8));
  const uint16_t bits = U16(data + 14);
  const uint32_t compression = U32(data + 16);
  const uint32_t colors_used = U32(data + 32);
  if (bits != 32 || w <= 0 || stored_h == 0 || stored_h == INT32_MIN) Invalid();
  uint64_t offset = header;
  if (compression == 3) {  // BI_BITFIELDS: only the plain BGRA layout
    const uint8_t* masks = data + 40;
    if (header == 40) {
      if (size < 52) Invalid();
      offset += 12;
    }
    if (U32(masks) != 0x00FF0000u || U32(masks + 4) != 0x0000FF00u || U32(masks + 8) != 0x000000FFu)
      Invalid();
  } else if (compression != 0) {
    Invalid();
  }
  offset += uint64_t{colors_used} * 4;
  const uint64_t h = stored_h < 0 ? -int64_t{stored_h} : stored_h;
  const uint64_t bytes = uint64_t(w) * h * 4;
  if (offset > size || bytes > size - offset) Invalid();
  SetSize(w, static_cast<int32_t>(h));
  const uint8_t* rows = data + offset;
  for (int32_t y = 0; y < height_; ++y) {
    const int32_t from = stored_h > 0 ? height_ - 1 - y : y;
    std::memcpy(ScanLine(y), rows + uint64_t(from) * w * 4, size_t(w) * 4);
  }
  DetectAlpha();
}

}  // namespace kiv
