#include "support/memory_dc_win32.hpp"

#include <algorithm>

namespace kivtest {

TMemoryDC::TMemoryDC(int width, int height, bool rows_top_down)
    : w(width), h(height), top_down(rows_top_down) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = top_down ? -h : h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
  bits = static_cast<uint32_t*>(p);
  dc = CreateCompatibleDC(nullptr);
  old_ = SelectObject(dc, bitmap);
}

TMemoryDC::~TMemoryDC() {
  SelectObject(dc, old_);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

uint32_t TMemoryDC::At(int x, int y) const {
  GdiFlush();
  return bits[(top_down ? y : h - 1 - y) * w + x];
}

void TMemoryDC::Fill(uint32_t value) {
  GdiFlush();
  std::fill(bits, bits + w * h, value);
}

}  // namespace kivtest
