#pragma once
// Memory for large blocks of pixels that are written once from start to end
// (a decoded picture). Blocks of kLargeBlockBytes and more ask the system for
// large pages where it gives them to the program: on Linux the block is
// 2 MiB aligned and marked for transparent huge pages, so the first write to
// a fresh 48 MB picture takes 24 page faults instead of 12,000 (each of which
// also costs an entry in the processor's translation cache); on Windows
// large pages are tried when the process may lock memory, else the block is
// ordinary committed memory. Smaller blocks come from the ordinary heap.
#include <cstddef>

namespace kiv {

inline constexpr size_t kLargeBlockBytes = size_t{4} << 20;

// Uninitialised memory of `bytes` bytes (any size), aligned for any pixel
// type; throws std::bad_alloc when there is none.
void* AllocateLargeBlock(size_t bytes);
// Returns a block; `bytes` is the size it was allocated with.
void FreeLargeBlock(void* block, size_t bytes) noexcept;

}  // namespace kiv
