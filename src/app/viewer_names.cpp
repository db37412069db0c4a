#include "app/viewer_names.hpp"

#include <cctype>
#include <limits>

#include "framework/numeric.hpp"
#include "framework/text_convert.hpp"

namespace kiv {
namespace {

size_t FileNameStart(std::wstring_view path) {
  size_t sep = path.find_last_of(L"\\/:");
  return sep == std::wstring_view::npos ? 0 : sep + 1;
}

// Digits of one base with no sign, no blanks; fails on an empty run, a stray
// character or a value beyond 32 bits. Hexadecimal values above 0x7FFFFFFF wrap
// into the negative range, as a 32-bit integer read from hex text does.
bool ParseDigits(std::string_view s, int base, bool negative, int32_t* out) {
  if (s.empty()) return false;
  uint64_t v = 0;
  for (char c : s) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return false;
    v = v * base + d;
    if (v > 0xFFFFFFFFull) return false;
  }
  if (base == 10) {
    uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
    if (v > limit) return false;
    *out = negative ? static_cast<int32_t>(-static_cast<int64_t>(v)) : static_cast<int32_t>(v);
    return true;
  }
  int32_t value = static_cast<int32_t>(static_cast<uint32_t>(v));
  *out = negative ? -value : value;
  return true;
}

}  // namespace

std::wstring ViewerBaseName(std::wstring_view program_path) {
  std::wstring_view name = program_path.substr(FileNameStart(program_path));
  return std::wstring(name.substr(0, name.find(L'.')));
}

std::wstring ViewerSettingsPath(std::wstring_view program_path) {
  return std::wstring(program_path.substr(0, FileNameStart(program_path))) +
         ViewerBaseName(program_path) + L".ini";
}

std::wstring ViewerApplicationTitle(std::wstring_view program_path) {
  std::wstring title = ViewerBaseName(program_path);
  for (size_t i = 1; i < title.size(); ++i)
    if (title[i] >= L'A' && title[i] <= L'Z') title[i] = static_cast<wchar_t>(title[i] + 32);
  return title;
}

int32_t ParseTextBoxHeight(std::string_view text) {
  int32_t value = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseDigits(text.substr(2), 16, false, &value) ? value : 0;
  }
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (!text.empty() && text[0] == '$') {
    return ParseDigits(text.substr(1), 16, negative, &value) ? value : 0;
  }
  return ParseDigits(text, 10, negative, &value) ? value : 0;
}

int32_t CaptionLineHeight(int32_t font_height) {
  return static_cast<int32_t>(-Round(static_cast<long double>(font_height) * 1.1L));
}

int32_t CaptionBoxHeight(int32_t text_box_height, int32_t font_height, int32_t line_count) {
  if (text_box_height > 0) return text_box_height;
  return CaptionLineHeight(font_height) * line_count;
}

std::wstring PictureNotFoundMessage(std::wstring_view base_name) {
  return L"Picture \"" + std::wstring(base_name) + L"\"\r\n .jpg  .gif or .bmp not found";
}

}  // namespace kiv
