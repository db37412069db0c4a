#pragma once
// Where a surface's pixels live: a DIB section in its own memory device
// context on Windows (kiv_surface_memory_win32.cpp), plain aligned memory
// natively (kiv_surface_memory.cpp).
#include <cstdint>

#include "framework/types.hpp"

namespace kiv {

struct TkivSurfaceMemory {
  TkivPixel* bits = nullptr;
  void* handle = nullptr;  // HBITMAP of the DIB section
  void* dc = nullptr;      // memory HDC with the DIB section selected
};

// w x h top-down pixels, all 0. Raises Exception with "Can't allocate the DIB
// handle", "Can't create compatible DC" or "Can't select an object into DC",
// having released whatever was made before the failing step. Sizes are
// positive and already checked against the surface limit.
TkivSurfaceMemory AllocateSurfaceMemory(int32_t w, int32_t h);
// Deletes the device context, then the pixel memory.
void FreeSurfaceMemory(TkivSurfaceMemory& memory);

}  // namespace kiv
