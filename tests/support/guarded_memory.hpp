#pragma once
// Memory whose end is followed by an inaccessible page, so that a kernel
// reading even one byte past the end of its input crashes the test instead of
// reading a neighbour's bytes unnoticed (vector loads that the sanitizers do
// not see included).
#include <cstddef>

namespace kivtest {

class GuardedMemory {
 public:
  // `bytes` usable bytes ending exactly at the guard page.
  explicit GuardedMemory(size_t bytes);
  ~GuardedMemory();
  GuardedMemory(const GuardedMemory&) = delete;
  GuardedMemory& operator=(const GuardedMemory&) = delete;

  void* data() const { return data_; }

 private:
  void* base_ = nullptr;
  size_t mapped_ = 0;
  void* data_ = nullptr;
};

}  // namespace kivtest
