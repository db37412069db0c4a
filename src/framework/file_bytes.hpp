#pragma once
// Reading a whole file into memory: the one reader for everything that takes
// a file in one piece (pictures, framework graphics).
#include <cstdint>
#include <string>
#include <vector>

namespace kiv {

// The largest file read whole: 1 GiB.
inline constexpr uint64_t kMaxWholeFileSize = uint64_t(1) << 30;

// The file's bytes. EFOpenError 'Cannot open file "<name>". <reason>' when
// it cannot be opened; EReadError when it is larger than kMaxWholeFileSize or
// ends before its size.
std::vector<uint8_t> ReadFileBytes(const std::string& file_name);
// The same for a name in wide characters (any name the file system holds).
std::vector<uint8_t> ReadFileBytes(const std::wstring& file_name);

}  // namespace kiv
