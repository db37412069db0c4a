// TGraphic: loading and saving through bytes, streams and files.
#include "framework/win32/graphic.hpp"

#include <fstream>

#include "framework/exceptions.hpp"
#include "framework/file_bytes.hpp"

namespace kiv {

void TGraphic::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed();
}

std::vector<uint8_t> TGraphic::SaveToBytes() const {
  throw EInvalidGraphic("Cannot save this kind of picture");
}

void TGraphic::Assign(const TGraphic& source) {
  if (&source == this) return;
  std::vector<uint8_t> data = source.SaveToBytes();
  LoadFromBytes(data.data(), data.size());
}

void TGraphic::LoadFromStream(TStream& stream) {
  int64_t remaining = stream.Size() - stream.Position();
  if (remaining < 0 || static_cast<uint64_t>(remaining) > kMaxWholeFileSize)
    throw EReadError("Stream read error");
  std::vector<uint8_t> data = ReadBytes(stream, static_cast<uint64_t>(remaining));
  LoadFromBytes(data.data(), data.size());
}

void TGraphic::SaveToStream(TStream& stream) const {
  std::vector<uint8_t> data = SaveToBytes();
  stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

void TGraphic::LoadFromFile(const std::string& file_name) {
  std::vector<uint8_t> data = ReadFileBytes(file_name);
  LoadFromBytes(data.data(), data.size());
}

void TGraphic::LoadFromFile(const std::wstring& file_name) {
  std::vector<uint8_t> data = ReadFileBytes(file_name);
  LoadFromBytes(data.data(), data.size());
}

void TGraphic::SaveToFile(const std::string& file_name) const {
  std::vector<uint8_t> data = SaveToBytes();
  std::ofstream out(file_name, std::ios::binary);
  if (!out) throw EFCreateError("Cannot create file \"" + file_name + "\"");
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!out) throw EWriteError("Stream write error");
}

}  // namespace kiv
