// Single-byte strings in the system code page to wide strings and back,
// through the platform's own conversion.
#include <windows.h>

#include "framework/text_convert.hpp"

namespace kiv {

std::wstring ToWide(std::string_view s) {
  if (s.empty()) return {};
  const int len = static_cast<int>(s.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), len, nullptr, 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), len, w.data(), n);
  return w;
}

std::string ToNarrow(std::wstring_view w) {
  if (w.empty()) return {};
  const int len = static_cast<int>(w.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), len, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.data(), len, s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace kiv
