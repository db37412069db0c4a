#include "framework/picture/picture.hpp"

#include <algorithm>

#include "framework/exceptions.hpp"
#include "framework/file_bytes.hpp"
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
    case TPictureFormat::pfPng:
      return "PNG";
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

std::string FileExtension(const std::string& file_name) {
  size_t slash = file_name.find_last_of("/\\");
  size_t dot = file_name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return LowerCase(std::string_view(file_name).substr(dot + 1));
}

TPictureFormat PictureFormatFromFileName(const std::string& file_name) {
  const std::string ext = FileExtension(file_name);
  for (const TPictureFileType& t : kPictureFileTypes)
    if (t.Extension == ext) return t.Format;
  return TPictureFormat::pfUnknown;
}

TPictureFormat SniffPictureFormat(const uint8_t* data, size_t size) {
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
    return TPictureFormat::pfJpeg;
  if (size >= 6 && std::equal(data, data + 3, "GIF")) return TPictureFormat::pfGif;
  if (size >= 2 && ((data[0] == 'B' && data[1] == 'M') || (data[0] == 'B' && data[1] == 'A')))
    return TPictureFormat::pfBmp;
  if (size >= 8 && data[0] == 0x89 && std::equal(data + 1, data + 4, "PNG"))
    return TPictureFormat::pfPng;
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
    case TPictureFormat::pfPng:
      return DecodePng(data, size, limits);
    default:
      throw EInvalidGraphic("Unknown picture format: the data is not JPEG, GIF, BMP or PNG");
  }
}

std::vector<uint8_t> ReadPictureFile(const std::string& path) {
  return ReadFileBytes(path);
}

TDecodedPicture LoadPictureFile(const std::string& path, const TDecodeLimits& limits) {
  std::vector<uint8_t> bytes = ReadPictureFile(path);
  return DecodePicture(bytes.data(), bytes.size(), PictureFormatFromFileName(path), limits);
}

}  // namespace kiv
