// TClipboard.
#include "framework/win32/clipboard.hpp"

#include <cstring>

#include "framework/exceptions.hpp"

namespace kiv {

namespace {
struct ClipboardLock {
  ClipboardLock() {
    for (int i = 0; i < 10 && !OpenClipboard(nullptr); ++i) Sleep(10);
  }
  ~ClipboardLock() { CloseClipboard(); }
};
}  // namespace

void TClipboard::Assign(TBitmap* bitmap) {
  if (!bitmap || bitmap->Empty())
    throw EInvalidOperation("Cannot put an empty bitmap on the clipboard");
  // The clipboard takes ownership of a handle of its own: a DDB-compatible copy.
  HDC screen = CreateCompatibleDC(nullptr);
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(bitmap->Handle(), IMAGE_BITMAP, 0, 0, 0));
  DeleteDC(screen);
  if (!copy) throw EOutOfResources("Out of system resources");
  ClipboardLock lock;
  EmptyClipboard();
  if (!SetClipboardData(CF_BITMAP, copy)) {
    DeleteObject(copy);
    throw EInvalidOperation("Cannot open clipboard");
  }
}

bool TClipboard::HasBitmap() const {
  return IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
}

void TClipboard::GetBitmap(TBitmap* into) {
  ClipboardLock lock;
  HBITMAP h = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  if (!h) throw EInvalidGraphic("Clipboard does not hold a bitmap");
  into->SetHandle(static_cast<HBITMAP>(CopyImage(h, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

void TClipboard::SetAsText(const std::wstring& text) {
  ClipboardLock lock;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!mem) throw EOutOfResources("Out of system resources");
  std::memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
}

std::wstring TClipboard::AsText() const {
  ClipboardLock lock;
  HANDLE h = GetClipboardData(CF_UNICODETEXT);
  if (!h) return {};
  auto* p = static_cast<const wchar_t*>(GlobalLock(h));
  std::wstring s = p ? p : L"";
  GlobalUnlock(h);
  return s;
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}

}  // namespace kiv
