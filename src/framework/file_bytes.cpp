#include "framework/file_bytes.hpp"

#include "framework/exceptions.hpp"
#include "framework/streams.hpp"

namespace kiv {

// Through the framework's file stream, so that the file is opened as every
// other file is (others may read it meanwhile, nobody may write it) and a
// failure carries the system's reason.
namespace {
std::vector<uint8_t> ReadWhole(TFileStream& file) {
  const int64_t size = file.Size();
  if (size < 0) throw EReadError("Stream read error");
  if (static_cast<uint64_t>(size) > kMaxWholeFileSize)
    throw EReadError("File \"" + file.FileName() + "\" is larger than 1 GiB");
  return ReadBytes(file, static_cast<uint64_t>(size));
}
}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& file_name) {
  TFileStream file(file_name, fmOpenRead | fmShareDenyWrite);
  return ReadWhole(file);
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& file_name) {
  TFileStream file(file_name, fmOpenRead | fmShareDenyWrite);
  return ReadWhole(file);
}

}  // namespace kiv
