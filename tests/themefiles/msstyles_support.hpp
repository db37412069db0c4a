#pragma once
// Finds Wine's own visual style, light.msstyles, where Wine installs it: inside
// the prefix under Wine, in Wine's library folder or a prefix natively. Tests
// that need it skip with a message where it is absent (KIV_LIGHT_MSSTYLES
// names another copy).
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "pe_module_builder.hpp"

namespace kivtest {

// A style library holding the name lists and the given INI text, no bitmaps.
inline std::vector<uint8_t> SmallStyleModule(std::u16string_view ini) {
  auto u16 = [](std::u16string_view s) {
    std::vector<uint8_t> b;
    for (char16_t c : s) b.push_back(uint8_t(c)), b.push_back(uint8_t(c >> 8));
    return b;
  };
  const std::vector<PeResourceSpec> resources{
      {u"COLORNAMES", 0, u"", 1, 0, u16(std::u16string(u"Blue\0\0", 6))},
      {u"SIZENAMES", 0, u"", 1, 0, u16(std::u16string(u"Normal\0\0", 8))},
      {u"FILERESNAMES", 0, u"", 1, 0, u16(std::u16string(u"X_INI\0\0", 7))},
      {u"TEXTFILE", 0, u"X_INI", 0, 0, u16(ini)},
  };
  return PeModuleBuilder::Build(resources).bytes;
}

inline std::string LightMsStylesPath() {
  std::vector<std::string> candidates;
  if (const char* env = std::getenv("KIV_LIGHT_MSSTYLES"); env != nullptr && *env != 0)
    candidates.emplace_back(env);
#ifdef _WIN32
  candidates.emplace_back("C:\\windows\\resources\\themes\\light\\light.msstyles");
#else
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != 0)
    candidates.push_back(std::string(prefix) +
                         "/drive_c/windows/resources/themes/light/light.msstyles");
  for (const char* dir :
       {"/usr/lib/x86_64-linux-gnu/wine/x86_64-windows", "/usr/lib/wine/x86_64-windows",
        "/usr/lib64/wine/x86_64-windows", "/opt/wine-stable/lib/wine/x86_64-windows"})
    candidates.push_back(std::string(dir) + "/light.msstyles");
#endif
  for (const std::string& c : candidates) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(c, ec)) return c;
  }
  return {};
}

}  // namespace kivtest

// Skips the test when Wine's light.msstyles is not installed here.
#define KIV_REQUIRE_LIGHT_MSSTYLES(path)                                       \
  const std::string path = kivtest::LightMsStylesPath();                       \
  if (path.empty())                                                            \
  GTEST_SKIP() << "Wine's light.msstyles was not found (install Wine, or set " \
                  "KIV_LIGHT_MSSTYLES to a copy)"
