// Keeps Wine's desktop process alive while the win32 tests run: it owns one
// hidden top-level window and waits until it is killed. Without it the desktop
// process starts and stops with each test program and holds the test's output
// pipe open for a second after the program has ended.
#include <windows.h>

int main() {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"kiv wine keeper", WS_POPUP, 0, 0, 1, 1, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!wnd) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
