#include "framework/picture/picture.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "framework/exceptions.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

const char* PictureFormatName(TPictureFormat format) {
  switch (format) {
    case TPictureFormat::pfBmp:
      return "BMP";
    case TPictureFormat::pfGif:
      return "GIF";
    case TPictureFormat::pfJpeg:
      return "JPEG";
    default:
      return "unknown";
  }
}

int ViewerDelayMs(int stored_hundredths) {
  int d = stored_hundredths;
  if (d == 0)
    d = 10;
  else if (d < 3)
    d = 3;
  return d * 12;
}

TPictureFormat PictureFormatFromFileName(const std::string& file_name) {
  size_t slash = file_name.find_last_of("/\\");
  size_t dot = file_name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return TPictureFormat::pfUnknown;
  const std::string ext = LowerCase(std::string_view(file_name).substr(dot + 1));
  if (ext == "jpg" || ext == "jpeg") return TPictureFormat::pfJpeg;
  if (ext == "gif") return TPictureFormat::pfGif;
  if (ext == "bmp") return TPictureFormat::pfBmp;
  return TPictureFormat::pfUnknown;
}

TPictureFormat SniffPictureFormat(const uint8_t* data, size_t size) {
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
    return TPictureFormat::pfJpeg;
  if (size >= 6 && std::equal(data, data + 3, "GIF")) return TPictureFormat::pfGif;
  if (size >= 2 && ((data[0] == 'B' && data[1] == 'M') || (data[0] == 'B' && data[1] == 'A')))
    return TPictureFormat::pfBmp;
  return TPictureFormat::pfUnknown;
}

TDecodedPicture DecodePicture(const uint8_t* data, size_t size, TPictureFormat format,
                              const TDecodeLimits& limits) {
  if (format == TPictureFormat::pfUnknown) format = SniffPictureFormat(data, size);
  switch (format) {
    case TPictureFormat::pfBmp:
      return DecodeBmp(data, size, limits);
    case TPictureFormat::pfGif:
      return DecodeGif(data, size, limits);
    case TPictureFormat::pfJpeg:
      return DecodeJpeg(data, size, limits);
    default:
      throw EInvalidGraphic("Unknown picture format: the data is not JPEG, GIF or BMP");
  }
}

std::vector<uint8_t> ReadPictureFile(const std::string& path) {
  constexpr uint64_t kMaxFileSize = uint64_t(1) << 30;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInvalidGraphic("Cannot open picture file \"" + path + "\"");
  in.seekg(0, std::ios::end);
  std::streamoff end = in.tellg();
  if (end < 0) throw EInvalidGraphic("Cannot read picture file \"" + path + "\"");
  if (static_cast<uint64_t>(end) > kMaxFileSize)
    throw EInvalidGraphic("Picture file \"" + path + "\" is larger than 1 GiB");
  in.seekg(0, std::ios::beg);
  std::vector<uint8_t> bytes(static_cast<size_t>(end));
  if (!bytes.empty() && !in.read(reinterpret_cast<char*>(bytes.data()), end))
    throw EInvalidGraphic("Cannot read picture file \"" + path + "\"");
  return bytes;
}

TDecodedPicture LoadPictureFile(const std::string& path, const TDecodeLimits& limits) {
  std::vector<uint8_t> bytes = ReadPictureFile(path);
  return DecodePicture(bytes.data(), bytes.size(), PictureFormatFromFileName(path), limits);
}

}  // namespace kiv
