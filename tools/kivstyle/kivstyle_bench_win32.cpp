// "kivstyle bench", Windows half: the style's push button, arrow button,
// track-bar thumb, tab, tool button and close button drawn through the
// theme's canvas operations against the platform's DrawThemeBackground of the
// same class, part, state and size, into the same kind of 32-bit DIB; rounds
// interleaved, medians compared.
#include <windows.h>
// after windows.h
#include <uxtheme.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "framework/win32/canvas.hpp"
#include "kivstyle_bench.hpp"
#include "themefiles/msstyles_theme.hpp"

namespace kivstyle {

namespace {

struct Dib {
  Dib(int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
  }
  ~Dib() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};

double NanosecondsPerDraw(int draws, const std::function<void()>& draw) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < draws; ++i) draw();
  GdiFlush();
  return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start)
             .count() /
         draws;
}

}  // namespace

void BenchDrawing(const std::string& file) {
  kiv::TKivThemeMsStyles theme;
  if (!theme.LoadFromFile(file)) return;
  struct Case {
    const char* name;
    const wchar_t* klass;
    int part, state, w, h;
    std::function<void(kiv::TCanvas&, const kiv::TRect&)> ours;
  };
  const Case cases[] = {
      {"push button 75 x 25", L"Button", 1, 1, 75, 25,
       [&](kiv::TCanvas& c, const kiv::TRect& r) {
         theme.PaintButton(0, c, "default", kiv::MakeStateInfo(r, 0));
       }},
      {"arrow button 17 x 17", L"ScrollBar", 1, 1, 17, 17,
       [&](kiv::TCanvas& c, const kiv::TRect& r) {
         theme.PaintScrollBarButton(0, c, "default", kiv::MakePartInfo(r, 0, 0));
       }},
      {"track-bar thumb 11 x 21", L"TrackBar", 3, 1, 11, 21,
       [&](kiv::TCanvas& c, const kiv::TRect& r) {
         theme.PaintTrackBarThumb(0, c, "default", kiv::MakePartInfo(r, 0, 0));
       }},
      {"tab 44 x 20", L"Tab", 5, 1, 44, 20,
       [&](kiv::TCanvas& c, const kiv::TRect& r) {
         theme.PaintTab(0, c, "default", kiv::MakePartInfo(r, 0, 0));
       }},
      {"tool button, hot 24 x 22", L"Toolbar", 1, 2, 24, 22,
       [&](kiv::TCanvas& c, const kiv::TRect& r) {
         theme.PaintToolButton(0, c, "default", kiv::MakePartInfo(r, 0, 1));
       }},
      {"close button 19 x 19", L"Window", 18, 1, 19, 19,
       [&](kiv::TCanvas& c, const kiv::TRect& r) {
         theme.PaintWindowButton(0, c, "default", kiv::MakeWindowButtonInfo(r, 1, 0, nullptr));
       }},
  };
  for (const Case& c : cases) {
    HTHEME data = OpenThemeData(nullptr, c.klass);
    if (data == nullptr) {
      std::printf("| %-40s | visual styles are off: no platform baseline |\n", c.name);
      continue;
    }
    Dib ours(c.w, c.h), platform(c.w, c.h);
    kiv::TCanvas canvas;
    canvas.SetHandle(ours.dc);
    const RECT rect{0, 0, c.w, c.h};
    const kiv::TRect r{0, 0, c.w, c.h};
    std::vector<double> a, b;
    for (int round = 0; round < 9; ++round) {
      a.push_back(NanosecondsPerDraw(2000, [&] { c.ours(canvas, r); }));
      b.push_back(NanosecondsPerDraw(
          2000, [&] { DrawThemeBackground(data, platform.dc, c.part, c.state, &rect, nullptr); }));
    }
    canvas.SetHandle(nullptr);
    CloseThemeData(data);
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    const double mine = a[a.size() / 2], theirs = b[b.size() / 2];
    std::printf("| %-40s | %7.2f us | %7.2f us | %6.2f |\n", c.name, mine / 1e3, theirs / 1e3,
                mine / theirs);
  }
  std::printf(
      "(drawing: median of 9 interleaved rounds of 2000 draws; baseline DrawThemeBackground)\n");
}

}  // namespace kivstyle
