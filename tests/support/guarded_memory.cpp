#include "guarded_memory.hpp"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace kivtest {

namespace {

size_t PageSize() {
#ifdef _WIN32
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return info.dwPageSize;
#else
  return static_cast<size_t>(sysconf(_SC_PAGESIZE));
#endif
}

}  // namespace

GuardedMemory::GuardedMemory(size_t bytes) {
  const size_t page = PageSize();
  const size_t usable = (bytes + page - 1) / page * page;
  mapped_ = usable + page;
#ifdef _WIN32
  base_ = VirtualAlloc(nullptr, mapped_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (base_ == nullptr) throw std::runtime_error("GuardedMemory: cannot map the pages");
  DWORD old = 0;
  if (!VirtualProtect(static_cast<char*>(base_) + usable, page, PAGE_NOACCESS, &old)) {
    VirtualFree(base_, 0, MEM_RELEASE);
    throw std::runtime_error("GuardedMemory: cannot protect the guard page");
  }
#else
  base_ = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base_ == MAP_FAILED) throw std::runtime_error("GuardedMemory: cannot map the pages");
  if (mprotect(static_cast<char*>(base_) + usable, page, PROT_NONE) != 0) {
    munmap(base_, mapped_);
    throw std::runtime_error("GuardedMemory: cannot protect the guard page");
  }
#endif
  data_ = static_cast<char*>(base_) + usable - bytes;
}

GuardedMemory::~GuardedMemory() {
#ifdef _WIN32
  VirtualFree(base_, 0, MEM_RELEASE);
#else
  munmap(base_, mapped_);
#endif
}

}  // namespace kivtest
