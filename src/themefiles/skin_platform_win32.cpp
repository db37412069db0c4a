// The program's folder from its module file name.
#include <windows.h>

#include "framework/text_convert.hpp"
#include "themefiles/skin_platform.hpp"

namespace kiv {

std::string ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  const std::string exe = ToNarrow(std::wstring_view(path, n));
  const size_t slash = exe.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

}  // namespace kiv
