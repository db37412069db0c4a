#pragma once
// A theme drawing on a small memory bitmap through a framework canvas, and
// pixel reading in framework colours.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "framework/colors.hpp"
#include "framework/win32/canvas.hpp"
#include "support/memory_dc_win32.hpp"
#include "theme/kiv_theme.hpp"

namespace kiv::painttest {

// A background no drawing of the built-in theme uses.
constexpr uint32_t kUntouched = 0x00123456;

// A framework colour as the DIB holds it (0x00RRGGBB).
inline uint32_t Px(TColor color) {
  const uint32_t c = static_cast<uint32_t>(ColorToRGB(color));
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

// color resolved to RGB with d added to every channel, clamped.
inline TColor Shaded(TColor color, int d) {
  const uint32_t c = static_cast<uint32_t>(ColorToRGB(color));
  auto ch = [&](int shift) {
    return static_cast<uint32_t>(std::clamp(int(c >> shift & 0xFF) + d, 0, 255));
  };
  return static_cast<TColor>(ch(0) | ch(8) << 8 | ch(16) << 16);
}

struct PaintFixture {
  explicit PaintFixture(int w, int h) : dc(w, h, true) {
    dc.Fill(kUntouched);
    canvas.SetHandle(dc.dc);
    // Distinct entries, so that a wrong entry shows.
    const TColor distinct[] = {0x102030, 0x203040, 0x304050, 0x405060, 0x506070, 0x607080, 0x708090,
                               0x8090A0, 0x90A0B0, 0xA0B0C0, 0xB0C0D0, 0xC0D0E0, 0x112233, 0x223344,
                               0x334455, 0x445566, 0x556677, 0x667788, 0x778899, 0x8899AA};
    for (int i = 0; i < 20; ++i) theme.Colors()->SetColor(i, distinct[i]);
  }
  ~PaintFixture() { canvas.SetHandle(nullptr); }

  uint32_t At(int x, int y) const { return dc.At(x, y) & 0x00FFFFFF; }
  TColor Color(int n) const { return theme.Colors()->GetColor(n); }
  bool Untouched() const {
    for (int y = 0; y < dc.h; ++y)
      for (int x = 0; x < dc.w; ++x)
        if (At(x, y) != kUntouched) return false;
    return true;
  }
  int Count(uint32_t px, const TRect& area) const {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) n += At(x, y) == px;
    return n;
  }
  // The bounding box of the pixels that changed; empty when none did.
  TRect Changed() const {
    TRect box{dc.w, dc.h, 0, 0};
    for (int y = 0; y < dc.h; ++y)
      for (int x = 0; x < dc.w; ++x)
        if (At(x, y) != kUntouched) {
          box.Left = std::min(box.Left, x);
          box.Top = std::min(box.Top, y);
          box.Right = std::max(box.Right, x + 1);
          box.Bottom = std::max(box.Bottom, y + 1);
        }
    return box;
  }
  void Reset() { dc.Fill(kUntouched); }

  TkivTheme theme;
  kivtest::TMemoryDC dc;
  TCanvas canvas;
};

}  // namespace kiv::painttest
