// A surface's pixels as a top-down 32-bit DIB section selected into a memory
// device context compatible with the screen.
#include <windows.h>

#include "framework/exceptions.hpp"
#include "graphics/kiv_surface_memory.hpp"

namespace kiv {

TkivSurfaceMemory AllocateSurfaceMemory(int32_t w, int32_t h) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bits == nullptr) {
    if (handle != nullptr) DeleteObject(handle);
    throw Exception("Can't allocate the DIB handle");
  }
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) {
    DeleteObject(handle);
    throw Exception("Can't create compatible DC");
  }
  if (SelectObject(dc, handle) == nullptr) {
    DeleteDC(dc);
    DeleteObject(handle);
    throw Exception("Can't select an object into DC");
  }
  TkivSurfaceMemory m;
  m.bits = static_cast<TkivPixel*>(bits);
  m.handle = handle;
  m.dc = dc;
  return m;
}

void FreeSurfaceMemory(TkivSurfaceMemory& memory) {
  if (memory.dc != nullptr) DeleteDC(static_cast<HDC>(memory.dc));
  if (memory.handle != nullptr) DeleteObject(static_cast<HBITMAP>(memory.handle));
  memory = TkivSurfaceMemory{};
}

}  // namespace kiv
