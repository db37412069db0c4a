// Portable twin of kiv_surface_memory_win32.cpp: plain 64-byte aligned memory;
// the device context is the memory's address, a token that only serves to find
// the surface again.
#ifndef _WIN32
#include "graphics/kiv_surface_memory.hpp"

#include <cstdlib>
#include <cstring>

#include "framework/exceptions.hpp"

namespace kiv {

TkivSurfaceMemory AllocateSurfaceMemory(int32_t w, int32_t h) {
  const size_t bytes = static_cast<size_t>(w) * static_cast<size_t>(h) * sizeof(TkivPixel);
  const size_t rounded = (bytes + 63) & ~size_t{63};
  void* p = std::aligned_alloc(64, rounded);
  if (p == nullptr) throw Exception("Can't allocate the DIB handle");
  std::memset(p, 0, rounded);
  TkivSurfaceMemory m;
  m.bits = static_cast<TkivPixel*>(p);
  m.handle = p;
  m.dc = p;
  return m;
}

void FreeSurfaceMemory(TkivSurfaceMemory& memory) {
  std::free(memory.handle);
  memory = TkivSurfaceMemory{};
}

}  // namespace kiv
#endif
