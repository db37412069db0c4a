// Feeds arbitrary bytes to the surface stream reader; whatever loads is then
// analysed as a link and drawn (same size and stretched) onto a small surface
// with rectangles taken from the input, so the clipping of every route sees
// hostile geometry too.
#include <cstdint>
#include <cstring>

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_bitmap_list.hpp"

namespace {

int32_t Take(const uint8_t*& p, size_t& n) {
  int32_t v = 0;
  const size_t k = n < 4 ? n : 4;
  std::memcpy(&v, p, k);
  p += k;
  n -= k;
  // Keep most values small so that they land near the surfaces.
  return (v & 0x100) ? v : static_cast<int8_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first 48 bytes choose the geometry and flags; the rest is the stream.
  const size_t geometry = size < 49 ? size - 1 : 48;
  const uint8_t* g = data + 1;
  size_t gn = geometry;
  const uint8_t flags = data[0];
  kiv::TMemoryStream stream;
  stream.WriteBuffer(data + 1 + geometry, static_cast<int64_t>(size - 1 - geometry));
  stream.SetPosition(0);
  kiv::TkivBitmap bitmap;
  try {
    bitmap.LoadFromStream(stream);
  } catch (const kiv::Exception&) {
  }
  bitmap.SetAlphaBlend(flags & 1);
  bitmap.SetTransparent(flags & 2);
  kiv::TkivBitmapLink link;
  link.SetBitmap(&bitmap);
  link.SetRect(kiv::TRect{Take(g, gn), Take(g, gn), Take(g, gn), Take(g, gn)});
  link.Analyse(kiv::TRect{Take(g, gn), Take(g, gn), Take(g, gn), Take(g, gn)});
  kiv::TkivBitmap target;
  target.SetSize(17, 13);
  const kiv::TRect dst{Take(g, gn), Take(g, gn), Take(g, gn), Take(g, gn)};
  const kiv::TRect src{Take(g, gn), Take(g, gn), Take(g, gn), Take(g, gn)};
  bitmap.DrawTo(target, dst, src);
  bitmap.DrawTo(target, dst.Left, dst.Top, src);
  bitmap.Tile(target.DC(), dst, src);
  target.MergeBehind(bitmap, dst.Left, dst.Top, src);
  target.FillRect(src, static_cast<kiv::TkivPixel>(dst.Left));
  bitmap.FlipVertical();
  bitmap.DetectAlpha();
  return 0;
}
