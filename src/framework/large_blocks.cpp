// Portable twin of large_blocks_win32.cpp: 2 MiB aligned blocks with
// transparent huge pages asked for (Linux; elsewhere the advice is ignored).
#ifndef _WIN32
#include "framework/large_blocks.hpp"

#include <cstdint>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

namespace kiv {

namespace {
constexpr size_t kHugePageBytes = size_t{2} << 20;

size_t Rounded(size_t bytes) {
  return (bytes + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
}
}  // namespace

void* AllocateLargeBlock(size_t bytes) {
  if (bytes < kLargeBlockBytes) return ::operator new(bytes);
  if (bytes > SIZE_MAX - kHugePageBytes) throw std::bad_alloc();
  void* p = std::aligned_alloc(kHugePageBytes, Rounded(bytes));
  if (p == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  madvise(p, Rounded(bytes), MADV_HUGEPAGE);  // advice only: failure changes nothing
#endif
  return p;
}

void FreeLargeBlock(void* block, size_t bytes) noexcept {
  if (block == nullptr) return;
  if (bytes < kLargeBlockBytes)
    ::operator delete(block);
  else
    std::free(block);
}

void MapFreshPages(void*, size_t) noexcept {}

}  // namespace kiv
#endif
