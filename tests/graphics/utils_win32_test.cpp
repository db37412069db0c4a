// The device-context helpers and the optional platform functions, under Wine
// in both looks.
#include <windows.h>
// after windows.h, which it needs
#include <uxtheme.h>

#include <gtest/gtest.h>

#include <vector>

#include "graphics/kiv_bitmap.hpp"
#include "graphics/kiv_color.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

HDC DC(const TkivBitmap& b) {
  return static_cast<HDC>(b.DC());
}

TEST(PlatformFunctions, OptionalFunctionsAreFoundAtStartUp) {
  TkivPlatform& p = Platform();
  EXPECT_TRUE(p.IsWinNT);
  EXPECT_FALSE(p.IsWindowsVersion4);
  EXPECT_TRUE(p.LayeredWindowsAvailable);
  EXPECT_NE(p.UpdateLayeredWindow, nullptr);
  EXPECT_TRUE(p.TransparentBltAvailable);
  EXPECT_NE(p.GetScrollBarInfo, nullptr);
  EXPECT_NE(p.MonitorFromPoint, nullptr);
  ASSERT_TRUE(p.VisualStylesLoaded);
  // Active: loaded, the application themed and a theme active.
  EXPECT_EQ(UpdateVisualStylesActive(), IsAppThemed() && IsThemeActive());
  if (kivtest::ClassicLook()) {
    EXPECT_FALSE(p.VisualStylesActive);
  }
  // The load count keeps the library while anyone holds it.
  const int count = p.VisualStylesLoadCount;
  EXPECT_TRUE(LoadVisualStyles());
  EXPECT_EQ(p.VisualStylesLoadCount, count + 1);
  ReleaseVisualStyles();
  EXPECT_EQ(p.VisualStylesLoadCount, count);
  EXPECT_TRUE(p.VisualStylesLoaded);
}

TEST(PlatformFunctions, ScreenAndMonitorAreas) {
  const TRect screen = ScreenArea(false);
  EXPECT_EQ(screen, (TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
  RECT work;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(ScreenArea(true), (TRect{work.left, work.top, work.right, work.bottom}));
  // One monitor: the monitor functions fall back to the screen.
  EXPECT_EQ(MultiMonitorAvailable(), GetSystemMetrics(SM_CMONITORS) > 1);
  if (!MultiMonitorAvailable()) {
    EXPECT_EQ(MonitorAreaAt(TPoint{5, 5}, false), screen);
    EXPECT_EQ(MonitorAreaOf(nullptr, true), ScreenArea(true));
  }
  HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VSCROLL, 0, 0, 50, 50, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  EXPECT_TRUE(GetScrollBarInfoSafe(wnd, OBJID_VSCROLL, &info));
  DestroyWindow(wnd);
}

TEST(DrawingUtils, GradientBandsOnASurface) {
  TkivBitmap b;
  b.SetSize(12, 2);
  b.Fill(0xFF123456);
  FillGradient(DC(b), TRect{1, 0, 11, 2}, 0x000000, false, 0xFFFFFF);
  GdiFlush();
  const int want[] = {0, 26, 51, 76, 102, 128, 153, 178, 204, 230};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(b.GetPixel(1 + i, 1) & 0xFFFFFF, want[i] * 0x010101u) << i;
  EXPECT_EQ(b.GetPixel(0, 0), 0xFF123456u);
  EXPECT_EQ(b.GetPixel(11, 0), 0xFF123456u);
  // Vertical, red to blue.
  FillGradient(DC(b), TRect{0, 0, 12, 2}, 0x0000FF, true, 0xFF0000);
  GdiFlush();
  EXPECT_EQ(b.GetPixel(3, 0) & 0xFFFFFF, 0xFF0000u);  // pixel layout: red
  EXPECT_EQ(b.GetPixel(3, 1) & 0xFFFFFF, ColorToPixel(RGB(128, 0, 128), 0));
}

TEST(DrawingUtils, RegionFromASurfaceLeavesKeyPixelsOut) {
  TkivBitmap b;
  b.SetSize(3, 1);
  b.Fill(0xFF000000);
  b.SetPixel(1, 0, KeyPixel);
  HRGN rgn = CreateRegion(b, 10, 20);
  ASSERT_NE(rgn, nullptr);
  const DWORD size = GetRegionData(rgn, 0, nullptr);
  std::vector<uint8_t> data(size);
  ASSERT_EQ(GetRegionData(rgn, size, reinterpret_cast<RGNDATA*>(data.data())), size);
  const auto* header = reinterpret_cast<const RGNDATA*>(data.data());
  ASSERT_EQ(header->rdh.nCount, 2u);
  const RECT* r = reinterpret_cast<const RECT*>(header->Buffer);
  EXPECT_EQ(r[0].left, 10);
  EXPECT_EQ(r[0].right, 11);
  EXPECT_EQ(r[1].left, 12);
  EXPECT_EQ(r[1].bottom, 21);
  EXPECT_FALSE(PtInRegion(rgn, 11, 20));
  EXPECT_TRUE(PtInRegion(rgn, 12, 20));
  DeleteObject(rgn);
  TkivBitmap empty;
  EXPECT_EQ(CreateRegion(empty, 0, 0), nullptr);
}

TEST(DrawingUtils, TextDrawingMeasuringAndEllipsis) {
  TkivBitmap b;
  b.SetSize(200, 30);
  b.Fill(0xFFFFFFFF);
  HDC dc = DC(b);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, 0);
  const std::wstring text = L"Close the viewer";
  SIZE extent;
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  EXPECT_EQ(TextWidthWide(dc, text, 0), extent.cx);
  EXPECT_EQ(TextHeightWide(dc, text), extent.cy);
  EXPECT_NEAR(TextWidthWide(dc, text, DT_SINGLELINE), extent.cx, 2);
  TRect r{0, 0, 200, 30};
  EXPECT_GT(DrawTextWide(dc, text, r, DT_SINGLELINE), 0);
  GdiFlush();
  int ink = 0;
  for (int i = 0; i < 200 * 30; ++i) ink += (b.Bits()[i] & 0xFFFFFF) != 0xFFFFFF;
  EXPECT_GT(ink, 20);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);

  EXPECT_EQ(EllipsisText(dc, text, extent.cx), text);
  const std::wstring two_fit = text.substr(0, 2) + L"...";
  const int two = TextWidthWide(dc, two_fit, 0);
  EXPECT_EQ(EllipsisText(dc, text, two), two_fit);
  EXPECT_EQ(EllipsisText(dc, text, 1), L"...");

  EXPECT_EQ(WideFromBytes(1252, "caf\xE9"), L"caf\u00E9");
  EXPECT_EQ(WideFromBytes(0, ""), L"");
  // An unknown code page falls back to the system code page.
  EXPECT_EQ(WideFromBytes(12345, "abc"), L"abc");
}

TEST(DrawingUtils, VerticalTextTurnsTheSamePixelsBothWays) {
  TkivBitmap cw, ccw;
  for (TkivBitmap* b : {&cw, &ccw}) {
    b->SetSize(30, 80);
    b->Fill(0xFFFFFFFF);
    SelectObject(DC(*b), GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(DC(*b), 0);
  }
  const TRect rect{5, 5, 25, 75};
  EXPECT_GT(DrawTextVertical(DC(cw), L"Abc", rect, true, DT_SINGLELINE), 0);
  DrawTextVertical(DC(ccw), L"Abc", rect, false, DT_SINGLELINE);
  int ink = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = x >= 5 && x < 25 && y >= 5 && y < 75;
      if (!inside) {
        ASSERT_EQ(cw.GetPixel(x, y), 0xFFFFFFFFu);
        ASSERT_EQ(ccw.GetPixel(x, y), 0xFFFFFFFFu);
        continue;
      }
      // Clockwise (i, j) -> (w - j, i); counter-clockwise -> (j, h - i).
      const int u = x - 5, v = y - 5;
      const int mu = 20 - u, mv = 70 - v;
      if (mu >= 0 && mu < 20 && mv >= 0 && mv < 70) {
        ASSERT_EQ(cw.GetPixel(x, y), ccw.GetPixel(5 + mu, 5 + mv)) << x << "," << y;
      }
      ink += cw.GetPixel(x, y) != 0xFFFFFFFFu;
    }
  EXPECT_GT(ink, 10);
}

TEST(DrawingUtils, FrameGlyphIsInkedInTheColourOverATransparentBackground) {
  TkivBitmap b;
  b.SetSize(20, 20);
  b.Fill(0xFF102030);
  DrawFrameGlyph(DC(b), TRect{2, 2, 18, 18}, DFC_MENU, 0x0000FF, DFCS_MENUCHECK);
  int ink = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const TkivPixel p = b.GetPixel(x, y);
      ASSERT_TRUE(p == 0xFF102030u || p == 0xFFFF0000u) << std::hex << p;
      if (p == 0xFFFF0000u) {
        ++ink;
        EXPECT_TRUE(x >= 2 && x < 18 && y >= 2 && y < 18);
      }
    }
  EXPECT_GT(ink, 5);
}

TEST(DrawingUtils, ShapesSilhouetteCheckerAndIcon) {
  TkivBitmap b;
  b.SetSize(20, 20);
  b.Fill(0xFFFFFFFF);
  HDC dc = DC(b);
  FillRectColor(dc, TRect{1, 1, 4, 3}, 0x0000FF);
  DrawFrameRect(dc, 5, 5, 10, 10, 0x00FF00);
  MoveToPoint(dc, 0, 15);
  DrawLineTo(dc, 5, 15, 0xFF0000);
  DrawBevelFrame(dc, TRect{12, 12, 18, 18}, 0xFFFFFF, 0x000000);
  GdiFlush();
  EXPECT_EQ(b.GetPixel(3, 2) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(b.GetPixel(4, 2) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(b.GetPixel(5, 7) & 0xFFFFFF, 0x00FF00u);   // outline
  EXPECT_EQ(b.GetPixel(7, 7) & 0xFFFFFF, 0xFFFFFFu);   // clear inside
  EXPECT_EQ(b.GetPixel(4, 15) & 0xFFFFFF, 0x0000FFu);  // line, its end excluded
  EXPECT_EQ(b.GetPixel(5, 15) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(b.GetPixel(17, 17) & 0xFFFFFF, 0u);  // dark bottom-right
  EXPECT_EQ(b.GetPixel(12, 17) & 0xFFFFFF, 0u);  // dark line up to Left - 1, excluded
  EXPECT_EQ(b.GetPixel(11, 17) & 0xFFFFFF, 0xFFFFFFu);

  // Checker: b where x and y are both odd or both even.
  TkivBitmap c;
  c.SetSize(8, 8);
  FillChecker(DC(c), TRect{-3, -3, 8, 8}, 0x0000FF, 0xFF0000);
  GdiFlush();
  EXPECT_EQ(c.GetPixel(0, 0) & 0xFFFFFF, 0x0000FFu);  // pixel layout: blue
  EXPECT_EQ(c.GetPixel(1, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(c.GetPixel(3, 5) & 0xFFFFFF, 0x0000FFu);

  // Silhouette: the opaque shape in the colour at alpha 100.
  TkivBitmap shape;
  shape.SetSize(2, 1);
  shape.SetPixel(0, 0, 0xFF808080);
  shape.SetPixel(1, 0, KeyPixel);
  TkivBitmap target;
  target.SetSize(3, 1);
  target.Fill(0xFF000000);
  DrawSilhouette(DC(target), 1, 0, 0xFFFFFF, shape);
  EXPECT_EQ(target.GetPixel(1, 0), Kernels.BlendPixel(ColorToPixel(0xFFFFFF, 100), 0xFF000000));
  EXPECT_EQ(target.GetPixel(2, 0), 0xFF000000u);

  // Small icon: at its own size, from the top-left of a small-icon rectangle
  // centred in rect; nothing for no icon.
  TkivBitmap icon_target;
  icon_target.SetSize(60, 60);
  icon_target.Fill(0xFFFFFFFF);
  HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(icon, &ii));
  BITMAP bm{};
  GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof(bm), &bm);
  const int own = bm.bmWidth;
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  DrawSmallIcon(DC(icon_target), TRect{0, 0, 60, 60}, nullptr);
  GdiFlush();
  EXPECT_EQ(icon_target.GetPixel(30, 30), 0xFFFFFFFFu);
  DrawSmallIcon(DC(icon_target), TRect{0, 0, 60, 60}, icon);
  GdiFlush();
  const int at = (60 - GetSystemMetrics(SM_CXSMICON)) / 2;
  int ink = 0, outside = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      const bool in = x >= at && x < at + own && y >= at && y < at + own;
      const bool changed = icon_target.GetPixel(x, y) != 0xFFFFFFFFu;
      ink += in && changed;
      outside += !in && changed;
    }
  EXPECT_GT(ink, 0);
  EXPECT_EQ(outside, 0);
}

TEST(DrawingUtils, MouseCaptureNests) {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  CaptureMouse(wnd);
  CaptureMouse(wnd);
  EXPECT_EQ(GetCapture(), wnd);
  ReleaseMouse();
  EXPECT_EQ(GetCapture(), wnd);
  ReleaseMouse();
  EXPECT_EQ(GetCapture(), nullptr);
  // Released only if the remembered window still holds the capture.
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  CaptureMouse(wnd);
  SetCapture(other);
  ReleaseMouse();
  EXPECT_EQ(GetCapture(), other);
  ReleaseCapture();
  ReleaseMouse();  // unbalanced: nothing happens
  CaptureMouse(wnd);
  EXPECT_EQ(GetCapture(), wnd);
  ReleaseMouse();
  DestroyWindow(other);
  DestroyWindow(wnd);
}

TEST(DrawingUtils, KeyboardTimingAndScreenFormat) {
  int delay = 0;
  DWORD speed = 0;
  SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
  SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
  EXPECT_EQ(KeyboardDelay(), delay * 200 + 200);
  EXPECT_EQ(KeyboardRepeatInterval(), KeyboardRepeatIntervalFromSetting(static_cast<int>(speed)));
  HDC screen = GetDC(nullptr);
  const int depth = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  // The framework's bitmaps for the screen are 32-bit on a 32-bit display.
  EXPECT_NE(ScreenPixelFormat(), pfCustom);
  if (depth == 32) {
    EXPECT_EQ(ScreenPixelFormat(), pf32bit);
  }
}

}  // namespace
}  // namespace kiv
