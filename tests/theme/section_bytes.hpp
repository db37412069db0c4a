#pragma once
// Builds section streams byte by byte, following the stored layout field by
// field (a count, then stream strings: a 32-bit little-endian length and the
// bytes), so that the readers are checked against bytes the writer did not
// make.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/streams.hpp"

namespace kivtest {

class SectionBytes {
 public:
  SectionBytes& U8(uint8_t v) {
    bytes_.push_back(v);
    return *this;
  }
  SectionBytes& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  SectionBytes& Str(const std::string& s) {
    U32(static_cast<uint32_t>(s.size()));
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    return *this;
  }
  // One stored entry: name, ":", value.
  SectionBytes& Entry(const std::string& name, const std::string& value) {
    return Str(name).Str(":").Str(value);
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

  // A memory stream holding the bytes, at position 0.
  std::unique_ptr<kiv::TMemoryStream> Stream() const {
    auto s = std::make_unique<kiv::TMemoryStream>();
    if (!bytes_.empty()) s->WriteBuffer(bytes_.data(), static_cast<int64_t>(bytes_.size()));
    s->SetPosition(0);
    return s;
  }

 private:
  std::vector<uint8_t> bytes_;
};

// The bytes a stream holds, from its beginning.
inline std::vector<uint8_t> StreamBytes(kiv::TMemoryStream& s) {
  return std::vector<uint8_t>(s.Memory(), s.Memory() + s.Size());
}

}  // namespace kivtest
