// Portable twin of kiv_surface_memory_win32.cpp: plain 64-byte aligned memory;
// the device context is the memory's address, a token that only serves to find
// the surface again.
#ifndef _WIN32
#include "graphics/kiv_surface_memory.hpp"

#include <cstdlib>
#include <cstring>

#include <sys/mman.h>

#include "framework/exceptions.hpp"

namespace kiv {

namespace {
constexpr size_t kHugePageBytes = size_t{2} << 20;
constexpr size_t kHugeSurfaceBytes = size_t{4} << 20;
}  // namespace

TkivSurfaceMemory AllocateSurfaceMemory(int32_t w, int32_t h) {
  const size_t bytes = static_cast<size_t>(w) * static_cast<size_t>(h) * sizeof(TkivPixel);
  // Large surfaces sit on 2 MiB boundaries and ask for huge pages: a frame
  // walks three full-screen surfaces, far more 4 KiB pages than the
  // processor's address-translation cache holds.
  const size_t align = bytes >= kHugeSurfaceBytes ? kHugePageBytes : 64;
  const size_t rounded = (bytes + align - 1) & ~(align - 1);
  void* p = std::aligned_alloc(align, rounded);
  if (p != nullptr && align == kHugePageBytes) madvise(p, rounded, MADV_HUGEPAGE);
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
