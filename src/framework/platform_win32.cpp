// The Win32 side of the platform seam: files through CreateFileW (so that the
// sharing modes hold), system colours through GetSysColor and the screen's
// pixels per inch from the screen device context.
#include <windows.h>

#include <algorithm>
#include <string>

#include "framework/colors.hpp"
#include "framework/font.hpp"
#include "framework/streams.hpp"
#include "framework/text_convert.hpp"

namespace kiv {

namespace platform {

namespace {

std::string LastErrorText() {
  DWORD code = GetLastError();
  char* text = nullptr;
  DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string out = n && text ? std::string(text, n) : "System error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
    out.pop_back();
  return out;
}

// As the framework maps them: compatibility mode shares nothing, like exclusive.
DWORD ShareFlags(uint32_t mode) {
  switch (mode & 0xF0) {
    case fmShareCompat:
    case fmShareExclusive:
      return 0;
    case fmShareDenyWrite:
      return FILE_SHARE_READ;
    case fmShareDenyRead:
      return FILE_SHARE_WRITE;
    default:
      return FILE_SHARE_READ | FILE_SHARE_WRITE;
  }
}

intptr_t Open(const std::wstring& name, DWORD access, DWORD share, DWORD disposition,
              std::string& error) {
  HANDLE h = CreateFileW(name.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = LastErrorText();
    return -1;
  }
  return reinterpret_cast<intptr_t>(h);
}

HANDLE H(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

intptr_t FileOpen(const std::string& name, uint32_t mode, std::string& error) {
  return FileOpen(ToWide(name), mode, error);
}

intptr_t FileCreate(const std::string& name, uint32_t mode, std::string& error) {
  return FileCreate(ToWide(name), mode, error);
}

intptr_t FileOpen(const std::wstring& name, uint32_t mode, std::string& error) {
  DWORD access = (mode & 3) == fmOpenWrite       ? GENERIC_WRITE
                 : (mode & 3) == fmOpenReadWrite ? GENERIC_READ | GENERIC_WRITE
                                                 : GENERIC_READ;
  return Open(name, access, ShareFlags(mode), OPEN_EXISTING, error);
}

intptr_t FileCreate(const std::wstring& name, uint32_t mode, std::string& error) {
  return Open(name, GENERIC_READ | GENERIC_WRITE, ShareFlags(mode), CREATE_ALWAYS, error);
}

void FileClose(intptr_t handle) {
  CloseHandle(H(handle));
}

int64_t FileRead(intptr_t handle, void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    DWORD want = static_cast<DWORD>(std::min<int64_t>(count - done, 1 << 30));
    DWORD got = 0;
    if (!ReadFile(H(handle), static_cast<char*>(buffer) + done, want, &got, nullptr) || got == 0)
      break;
    done += got;
  }
  return done;
}

int64_t FileWrite(intptr_t handle, const void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    DWORD want = static_cast<DWORD>(std::min<int64_t>(count - done, 1 << 30));
    DWORD put = 0;
    if (!WriteFile(H(handle), static_cast<const char*>(buffer) + done, want, &put, nullptr) ||
        put == 0)
      break;
    done += put;
  }
  return done;
}

int64_t FileSeek(intptr_t handle, int64_t offset, int origin) {
  LARGE_INTEGER dist, out;
  dist.QuadPart = offset;
  DWORD method = origin == soBeginning ? FILE_BEGIN : origin == soCurrent ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(H(handle), dist, &out, method)) return -1;
  return out.QuadPart;
}

bool FileTruncate(intptr_t handle) {
  return SetEndOfFile(H(handle)) != 0;
}

}  // namespace platform

TColor SysColor(int index) {
  return static_cast<TColor>(GetSysColor(index));
}

// The screen's resolution is the system's, fixed for the session (a change
// takes a new sign-in), so it is read once: every font asks for it, and a
// screen device context costs a request to the window server under Wine.
int ScreenPixelsPerInch() {
  static const int ppi = [] {
    HDC dc = GetDC(nullptr);
    const int value = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(nullptr, dc);
    return value > 0 ? value : 96;
  }();
  return ppi;
}

}  // namespace kiv
