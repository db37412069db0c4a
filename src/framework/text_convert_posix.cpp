// Portable twin of text_convert_win32.cpp: with no system code page, single-
// byte strings map to wide characters byte for byte (Latin-1), as in the
// component streams. The Win32 build uses text_convert_win32.cpp instead.
#ifndef _WIN32
#include "framework/text_convert.hpp"

namespace kiv {

std::wstring ToWide(std::string_view s) {
  std::wstring w(s.size(), L'\0');
  for (size_t i = 0; i < s.size(); ++i) w[i] = static_cast<unsigned char>(s[i]);
  return w;
}

std::string ToNarrow(std::wstring_view w) {
  std::string s(w.size(), '\0');
  for (size_t i = 0; i < w.size(); ++i)
    s[i] = static_cast<uint32_t>(w[i]) <= 0xFF ? static_cast<char>(w[i]) : '?';
  return s;
}

}  // namespace kiv
#endif
