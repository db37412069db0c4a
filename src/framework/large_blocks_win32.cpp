// Large blocks on Windows: committed virtual memory, on large pages when the
// system has them and the process holds the right to lock memory (the call
// fails at once otherwise, and ordinary pages are used).
#include <windows.h>

#include <cstdint>
#include <new>

#include "framework/large_blocks.hpp"

namespace kiv {

void* AllocateLargeBlock(size_t bytes) {
  if (bytes < kLargeBlockBytes) return ::operator new(bytes);
  const size_t large = GetLargePageMinimum();
  if (large != 0 && bytes <= SIZE_MAX - large) {
    const size_t rounded = (bytes + large - 1) & ~(large - 1);
    if (void* p = VirtualAlloc(nullptr, rounded, MEM_RESERVE | MEM_COMMIT | MEM_LARGE_PAGES,
                               PAGE_READWRITE))
      return p;
  }
  void* p = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

void FreeLargeBlock(void* block, size_t bytes) noexcept {
  if (block == nullptr) return;
  if (bytes < kLargeBlockBytes)
    ::operator delete(block);
  else
    VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace kiv
