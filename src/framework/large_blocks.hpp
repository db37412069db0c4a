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

// Has the system map the pages of fresh memory that is about to be written
// in full, in large steps, where that costs less than taking one page fault
// per page on first write. On Windows the memory is locked and unlocked
// 1 MiB at a time: under Wine on this project's machines a fresh 48 MB
// block then took about 300 ms to write instead of 500 (each first write to
// a 4 KiB page is dear there, and large pages are refused). Stops quietly
// where the system refuses (the working-set quota on Windows). Natively it
// does nothing: the blocks are on huge pages already.
void MapFreshPages(void* block, size_t bytes) noexcept;

}  // namespace kiv
