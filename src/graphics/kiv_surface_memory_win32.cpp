// A surface's pixels as a top-down 32-bit DIB section selected into a memory
// device context compatible with the screen.
#include <windows.h>

#include "framework/win32/dib_section.hpp"
#include "graphics/kiv_surface_memory.hpp"

namespace kiv {

TkivSurfaceMemory AllocateSurfaceMemory(int32_t w, int32_t h) {
  TDibSection dib(w, h, TDibSection::roTopDown);
  TkivSurfaceMemory m;
  m.dc = dib.DC();
  m.bits = static_cast<TkivPixel*>(dib.Bits());
  m.handle = dib.Handle();
  dib.Release();  // the surface holds them until FreeSurfaceMemory
  return m;
}

void FreeSurfaceMemory(TkivSurfaceMemory& memory) {
  TDibSection(static_cast<HBITMAP>(memory.handle), static_cast<HDC>(memory.dc)).Reset();
  memory = TkivSurfaceMemory{};
}

}  // namespace kiv
