// Painting a 75 x 25 TKivButton in each buffering mode against the platform's
// own push button painting itself at the same size, both asked with
// WM_PRINTCLIENT into a memory device context, in one run. The look is the
// Wine prefix's: visual styles in the default prefix, classic with
// KIV_WINE_LOOK=classic.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "controls/kiv_button_win32.hpp"
#include "framework/win32/application.hpp"
#include "framework/win32/button.hpp"
#include "framework/win32/forms.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "timing.hpp"

using namespace kiv;

int main(int argc, char** argv) {
  kivbench::TTimingRun run(kivbench::ParseTimingOptions(argc, argv));
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 400, 100);
  auto* platform = new TButton(&form);
  platform->SetBounds(0, 0, 75, 25);
  platform->SetCaption(L"Button");
  platform->SetParent(&form);
  const TKivPerformance modes[] = {qspNoBuffer, qspSharedBuffer, qspDoubleBuffer};
  const char* names[] = {"TKivButton, no buffer", "TKivButton, shared buffer",
                         "TKivButton, double buffer"};
  TKivButton* buttons[3];
  for (int i = 0; i < 3; ++i) {
    buttons[i] = new TKivButton(&form);
    buttons[i]->SetBounds(80 * (i + 1), 0, 75, 25);
    buttons[i]->SetCaption(L"Button");
    buttons[i]->SetPerformance(modes[i]);
    buttons[i]->SetParent(&form);
  }
  form.Show();
  Application()->ProcessMessages();

  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = 75;
  info.bmiHeader.biHeight = -25;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bitmap);
  ReleaseDC(nullptr, screen);

  const char* group =
      Platform().VisualStylesActive ? "button 75x25, visual styles" : "button 75x25, classic";
  auto print = [mem](HWND window) {
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    GdiFlush();
  };
  HWND platform_window = platform->Handle();
  run.Add(
      group, "platform push button (WM_PRINTCLIENT)", [&] { print(platform_window); }, true);
  for (int i = 0; i < 3; ++i) {
    HWND window = buttons[i]->Handle();
    run.Add(group, names[i], [&, window] { print(window); });
  }
  run.Run();
  run.Print(stdout);

  SelectObject(mem, old);
  DeleteObject(bitmap);
  DeleteDC(mem);
  return 0;
}
