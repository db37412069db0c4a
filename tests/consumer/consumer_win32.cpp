// Uses the installed library as an outside program would: a surface of the
// graphics layer read back through the platform's own pixel query, and the
// theme layer's manager with its built-in theme class, and the push button's
// glyph resources that linking the controls brings into the program. Prints what it found
// and fails with exit code 1 when the library does not behave.
#include <windows.h>

#include <cstdio>

#include "graphics/kiv_bitmap.hpp"
#include "kivview/theme/theme_manager.hpp"

int main() {
  int failures = 0;
  auto check = [&](bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) ++failures;
  };

  kiv::TkivBitmap surface;
  surface.SetSize(10, 10);
  surface.Fill(0xFF336699);
  surface.SetPixel(3, 4, 0xFF102030);
  check(surface.GetPixel(3, 4) == 0xFF102030, "surface pixel written and read back");
  HDC dc = static_cast<HDC>(surface.DC());
  check(dc != nullptr && GetPixel(dc, 3, 4) == RGB(0x10, 0x20, 0x30) &&
            GetPixel(dc, 0, 0) == RGB(0x33, 0x66, 0x99),
        "the platform sees the same pixels in the surface's device context");

  check(!kiv::ThemeManager().ThemeClasses().empty(),
        "the theme manager knows the built-in theme class");
  check(FindResourceW(GetModuleHandleW(nullptr), L"KIV_BTN_OK", MAKEINTRESOURCEW(2)) != nullptr,
        "the controls' glyph resources are linked into the program");
  kiv::FreeThemeManager();
  return failures == 0 ? 0 : 1;
}
