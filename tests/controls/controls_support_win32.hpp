#pragma once
// What the themed-control tests share: a bare form shown on the desktop, a
// control painted into a memory bitmap, and pixel comparisons.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/win32/application.hpp"
#include "framework/win32/forms.hpp"
#include "support/memory_dc_win32.hpp"
#include "support/test_form_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv::ctltest {

// A theme of the test's own made the current theme for a scope; the library
// goes back to its built-in look when the scope ends.
template <class Theme>
struct TCurrentThemeOf {
  Theme* theme;
  TCurrentThemeOf() {
    auto owned = std::make_unique<Theme>();
    theme = owned.get();
    SetCurrentTheme(std::move(owned));
  }
  ~TCurrentThemeOf() { SetCurrentTheme(nullptr); }
  TCurrentThemeOf(const TCurrentThemeOf&) = delete;
  TCurrentThemeOf& operator=(const TCurrentThemeOf&) = delete;
};

struct TShownForm {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  explicit TShownForm(int width = 240, int height = 160) {
    kivtest::MakeBareForm(*form, 10, 10, width, height);
    form->SetColor(0x00335577);
  }
  void Show() {
    form->Show();
    Pump();
  }
  static void Pump() {
    Application()->ProcessMessages();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
};

// Paints the window control into a fresh top-down memory bitmap of its size
// (the paint message with a device context, as a print request gives it).
inline std::unique_ptr<kivtest::TMemoryDC> PaintToMemory(TWinControl& control,
                                                         uint32_t background = 0x00123456) {
  auto mem = std::make_unique<kivtest::TMemoryDC>(control.Width(), control.Height(), true);
  mem->Fill(background);
  control.Perform(WM_PAINT, reinterpret_cast<uintptr_t>(mem->dc), 0);
  GdiFlush();
  return mem;
}

// The first differing pixel of two equal-sized bitmaps, as text; empty when
// they agree.
inline std::string FirstDifference(const kivtest::TMemoryDC& a, const kivtest::TMemoryDC& b,
                                   int dx = 0, int dy = 0) {
  for (int y = 0; y < a.h; ++y)
    for (int x = 0; x < a.w; ++x) {
      const uint32_t pa = a.At(x, y) & 0xFFFFFF, pb = b.At(x + dx, y + dy) & 0xFFFFFF;
      if (pa != pb) {
        char text[96];
        snprintf(text, sizeof text, "(%d, %d): %06X against %06X", x, y, unsigned(pa),
                 unsigned(pb));
        return text;
      }
    }
  return {};
}

}  // namespace kiv::ctltest
