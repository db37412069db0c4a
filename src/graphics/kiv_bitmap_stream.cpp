// The surface stream format: name (stream string), width, height, pixels.
#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_utils.hpp"

namespace kiv {

void TkivBitmap::SaveToStream(TStream& stream) const {
  WriteString(stream, name_);
  WriteI32(stream, width_);
  WriteI32(stream, height_);
  if (!IsEmpty())
    stream.WriteBuffer(bits_, int64_t{width_} * height_ * static_cast<int64_t>(sizeof(TkivPixel)));
}

void TkivBitmap::LoadFromStream(TStream& stream) {
  name_ = ReadString(stream);
  const int32_t w = ReadI32(stream);
  const int32_t stored_h = ReadI32(stream);
  // A zero or negative height marks rows stored bottom to top.
  const int64_t h = stored_h > 0 ? int64_t{stored_h} : -int64_t{stored_h};
  // The pixel block is read only into a surface of exactly the stored size.
  // Whenever the surface would be sized at all (a negative width sizes it by
  // its magnitude without reading pixels), the stream must hold that many
  // pixel bytes: a short stream cannot make the surface allocate memory.
  const int64_t aw = w < 0 ? -int64_t{w} : int64_t{w};
  if (aw > 0 && h > 0) {
    const uint64_t bytes = uint64_t(aw) * uint64_t(h) * sizeof(TkivPixel);
    const int64_t remaining = stream.Size() - stream.Position();
    if (remaining < 0 || bytes > static_cast<uint64_t>(remaining))
      throw EReadError("Stream read error");
  }
  if (h <= INT32_MAX) SetSize(w, static_cast<int32_t>(h));
  if (w > 0 && h > 0 && width_ == w && height_ == h)
    stream.ReadBuffer(bits_, int64_t{width_} * height_ * static_cast<int64_t>(sizeof(TkivPixel)));
  if (stored_h <= 0) FlipVertical();
}

}  // namespace kiv
