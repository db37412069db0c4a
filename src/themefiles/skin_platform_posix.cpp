// Portable twin of skin_platform_win32.cpp.
#ifndef _WIN32
#include <unistd.h>

#include <climits>

#include "themefiles/skin_platform.hpp"

namespace kiv {

std::string ProgramFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return std::string();
  const std::string exe(path, static_cast<size_t>(n));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

}  // namespace kiv
#endif
