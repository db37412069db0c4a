#pragma once
// A 32-bit DIB section selected into a memory device context, for tests that
// draw on a device context and read the pixels back.
#include <windows.h>

#include <cstdint>

namespace kivtest {

struct TMemoryDC {
  // Rows bottom-up (the last row first in memory) unless top_down is set.
  TMemoryDC(int width, int height, bool top_down = false);
  ~TMemoryDC();
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;

  // Pixel (x, y) counted from the top, whatever the row order; GDI's pending
  // drawing is flushed first.
  uint32_t At(int x, int y) const;
  void Fill(uint32_t value);

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  uint32_t* bits = nullptr;  // in memory order
  int w, h;
  bool top_down;

 private:
  HGDIOBJ old_ = nullptr;
};

}  // namespace kivtest
