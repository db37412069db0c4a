// The portable twins of the platform seam: POSIX file primitives, the classic
// default system colours and a 96 pixels-per-inch screen. The Win32 build uses
// platform_win32.cpp instead.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "framework/colors.hpp"
#include "framework/font.hpp"
#include "framework/streams.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

namespace platform {

namespace {
int AccessFlags(uint32_t mode) {
  switch (mode & 3) {
    case fmOpenWrite:
      return O_WRONLY;
    case fmOpenReadWrite:
      return O_RDWR;
    default:
      return O_RDONLY;
  }
}
}  // namespace

// Sharing modes have no POSIX counterpart and are accepted without effect.
intptr_t FileOpen(const std::string& name, uint32_t mode, std::string& error) {
  int fd = ::open(name.c_str(), AccessFlags(mode) | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return -1;
  }
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    error = std::strerror(EISDIR);
    return -1;
  }
  return fd;
}

intptr_t FileCreate(const std::string& name, uint32_t, std::string& error) {
  int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = std::strerror(errno);
    return -1;
  }
  return fd;
}

intptr_t FileOpen(const std::wstring& name, uint32_t mode, std::string& error) {
  return FileOpen(WideToUtf8(name), mode, error);
}

intptr_t FileCreate(const std::wstring& name, uint32_t mode, std::string& error) {
  return FileCreate(WideToUtf8(name), mode, error);
}

void FileClose(intptr_t handle) {
  ::close(static_cast<int>(handle));
}

int64_t FileRead(intptr_t handle, void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    ssize_t n = ::read(static_cast<int>(handle), static_cast<char*>(buffer) + done,
                       static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t FileWrite(intptr_t handle, const void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    ssize_t n = ::write(static_cast<int>(handle), static_cast<const char*>(buffer) + done,
                        static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t FileSeek(intptr_t handle, int64_t offset, int origin) {
  int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  return ::lseek(static_cast<int>(handle), static_cast<off_t>(offset), whence);
}

bool FileTruncate(intptr_t handle) {
  off_t pos = ::lseek(static_cast<int>(handle), 0, SEEK_CUR);
  return pos >= 0 && ::ftruncate(static_cast<int>(handle), pos) == 0;
}

}  // namespace platform

TColor SysColor(int index) {
  return ClassicSysColor(index);
}

int ScreenPixelsPerInch() {
  return 96;
}

}  // namespace kiv
#endif
