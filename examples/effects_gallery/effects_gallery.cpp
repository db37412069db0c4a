// Effects gallery: plays every effect of the catalogue (and the bitmap
// animation) with every rotation between two pictures it paints itself, on
// the engine's 20-millisecond timer. The caption names the effect playing.
//
//   effects_gallery [--once] [--time MS] [--resolution R] [--tiles T] [--effect NAME]
//
// --once ends the program after one round; otherwise it loops until closed.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "effects/engine.hpp"
#include "effects/frame_canvas_win32.hpp"

using namespace kiv;

namespace {

constexpr int kWidth = 320, kHeight = 200;

TkivPixel Rgb(int r, int g, int b) {
  return 0xFF000000u | static_cast<TkivPixel>(r) << 16 | static_cast<TkivPixel>(g) << 8 |
         static_cast<TkivPixel>(b);
}

// A sky with a moon over a dark hill line.
void PaintNight(TkivBitmap& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const int t = 255 * y / (s.Height() - 1);
      TkivPixel p = Rgb(15 + t / 8, 30 + t / 4, 90 + t / 2);
      const int dx = x - 230, dy = y - 60;
      if (dx * dx + dy * dy < 30 * 30) p = Rgb(245, 240, 210);
      if (y > 150 + (x % 64 < 32 ? x % 32 : 32 - x % 32) / 2) p = Rgb(10, 25, 20);
      s.SetPixel(x, y, p);
    }
}

// Warm stripes with a checker frame.
void PaintDay(TkivBitmap& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      TkivPixel p = ((x + y) / 12) % 2 ? Rgb(250, 180, 60) : Rgb(225, 95, 40);
      if (x < 12 || y < 12 || x >= s.Width() - 12 || y >= s.Height() - 12)
        p = ((x / 12 + y / 12) % 2) ? Rgb(40, 30, 20) : Rgb(250, 250, 240);
      s.SetPixel(x, y, p);
    }
}

// A radial pattern for the bitmap animation: the centre appears first.
void PaintPattern(TkivBitmap& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const int d = (x - 32) * (x - 32) + (y - 32) * (y - 32);
      const int v = d >= 2048 ? 0 : 255 - d / 8;
      s.SetPixel(x, y, 0xFF000000u | static_cast<TkivPixel>(v) * 0x010101u);
    }
}

TkivBitmap* g_shown = nullptr;  // what WM_PAINT shows between effects
bool g_quit = false;

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(wnd, &ps);
      if (g_shown) g_shown->Draw(dc, 0, 0);
      EndPaint(wnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      g_quit = true;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(wnd, msg, wp, lp);
  }
}

std::wstring Widen(const std::string& s) {
  return std::wstring(s.begin(), s.end());
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  bool once = false;
  TkivAnimationRec rec;
  rec.SetResolution(4);
  rec.SetTime(800);
  std::string only;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    auto next_int = [&] { return i + 1 < argc ? _wtoi(argv[++i]) : 0; };
    if (a == L"--once")
      once = true;
    else if (a == L"--time")
      rec.SetTime(next_int());
    else if (a == L"--resolution")
      rec.SetResolution(next_int());
    else if (a == L"--tiles")
      rec.SetTileCount(next_int());
    else if (a == L"--effect" && i + 1 < argc) {
      const std::wstring w = argv[++i];
      only.assign(w.begin(), w.end());
    }
  }
  LocalFree(argv);

  WNDCLASSW wc{};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = L"KivEffectsGallery";
  RegisterClassW(&wc);
  RECT r{0, 0, kWidth, kHeight};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW & ~WS_THICKFRAME, FALSE);
  HWND wnd = CreateWindowW(wc.lpszClassName, L"Effects gallery",
                           (WS_OVERLAPPEDWINDOW & ~WS_THICKFRAME) | WS_VISIBLE, CW_USEDEFAULT,
                           CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                           instance, nullptr);
  if (!wnd) return 1;
  ShowWindow(wnd, show);

  TkivBitmap pictures[2];
  for (TkivBitmap& p : pictures) p.SetSize(kWidth, kHeight);
  PaintNight(pictures[0]);
  PaintDay(pictures[1]);
  TkivBitmap pattern;
  pattern.SetSize(64, 64);
  PaintPattern(pattern);
  rec.SetBitmap(&pattern);
  g_shown = &pictures[0];
  InvalidateRect(wnd, nullptr, FALSE);
  UpdateWindow(wnd);

  TCanvas canvas;
  canvas.SetHandle(GetDC(wnd));  // CS_OWNDC: the window keeps this DC
  TkivCanvasFrame frame(canvas);
  const int slot = ReserveAnimationSlot();
  static const wchar_t* const kTurns[] = {L"", L" (90\u00B0)", L" (180\u00B0)", L" (270\u00B0)"};
  int from = 0;
  int played = 0;
  do {
    for (const std::string& name : EffectNames()) {
      if (name == kRandomEffectName) continue;
      if (!only.empty() && FindEffect(only) != FindEffect(name)) continue;
      for (int turn = 0; turn < 4 && !g_quit; ++turn) {
        rec.SetEffect(name);
        rec.SetRotation(static_cast<TkivRotation>(turn));
        SetWindowTextW(wnd, (Widen(name) + kTurns[turn]).c_str());
        // The engine rewrites the new picture's alpha; it is repainted whole each time.
        TkivBitmap& target = pictures[1 - from];
        if (from == 0)
          PaintDay(target);
        else
          PaintNight(target);
        StopAnimation(slot);
        StartAnimation(&frame, 0, 0, slot, rec, &target, &pictures[from]);
        while (IsAnimating(slot) && !g_quit) AnimationTimer().ProcessMessages();
        StopAnimation(slot);
        g_shown = &target;
        from = 1 - from;
        ++played;
        // A short pause on the finished picture, messages still flowing.
        const DWORD until = GetTickCount() + 150;
        MSG msg;
        while (!g_quit && GetTickCount() < until) {
          MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
          while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) g_quit = true;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
          }
        }
      }
      if (g_quit) break;
    }
  } while (!once && !g_quit);
  ReleaseAnimationSlot(slot);
  if (!g_quit) DestroyWindow(wnd);
  return played > 0 ? 0 : 1;
}
