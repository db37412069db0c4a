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
  MapFreshPages(p, bytes);
  return p;
}

void FreeLargeBlock(void* block, size_t bytes) noexcept {
  if (block == nullptr) return;
  if (bytes < kLargeBlockBytes)
    ::operator delete(block);
  else
    VirtualFree(block, 0, MEM_RELEASE);
}

void MapFreshPages(void* block, size_t bytes) noexcept {
  constexpr size_t kStep = size_t{1} << 20;
  auto* p = static_cast<char*>(block);
  for (size_t done = 0; done < bytes; done += kStep) {
    const size_t n = bytes - done < kStep ? bytes - done : kStep;
    if (!VirtualLock(p + done, n)) return;
    VirtualUnlock(p + done, n);
  }
}

}  // namespace kiv
