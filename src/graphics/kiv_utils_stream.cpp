// Stream strings: a 32-bit little-endian length, then the bytes.
#include "framework/exceptions.hpp"
#include "framework/streams.hpp"
#include "graphics/kiv_utils.hpp"

namespace kiv {

std::string ReadString(TStream& stream) {
  const int32_t n = ReadI32(stream);
  if (n < 0 || n > stream.Size() - stream.Position()) throw EReadError("Stream read error");
  std::string s(static_cast<size_t>(n), '\0');
  if (n > 0) stream.ReadBuffer(s.data(), n);
  return s;
}

void WriteString(TStream& stream, const std::string& value) {
  WriteI32(stream, static_cast<int32_t>(value.size()));
  if (!value.empty()) stream.WriteBuffer(value.data(), static_cast<int64_t>(value.size()));
}

}  // namespace kiv
