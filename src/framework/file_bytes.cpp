#include "framework/file_bytes.hpp"

#include <fstream>

#include "framework/exceptions.hpp"

namespace kiv {

std::vector<uint8_t> ReadFileBytes(const std::string& file_name) {
  std::ifstream in(file_name, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + file_name + "\"");
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0) throw EReadError("Stream read error");
  if (static_cast<uint64_t>(size) > kMaxWholeFileSize)
    throw EReadError("File \"" + file_name + "\" is larger than 1 GiB");
  in.seekg(0);
  std::vector<uint8_t> data(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(data.data()), size))
    throw EReadError("Stream read error");
  return data;
}

}  // namespace kiv
