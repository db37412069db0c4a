// Proves that the platform under the tests is the one the library targets: real
// windows with device-independent bitmaps, the visual-styles API in both looks,
// and the native rich-edit control.
#include <windows.h>
#include <richedit.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/testdata.hpp"

namespace {

HBITMAP CreateTopDownDib(HDC dc, int w, int h, uint32_t** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  *bits = static_cast<uint32_t*>(p);
  return bmp;
}

TEST(PlatformSmoke, WindowPaintsIntoADibSectionThatReadsBack) {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"smoke", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(wnd, nullptr);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  HDC wdc = GetDC(wnd);
  HDC mem = CreateCompatibleDC(wdc);
  uint32_t* bits = nullptr;
  HBITMAP dib = CreateTopDownDib(mem, 10, 10, &bits);
  ASSERT_NE(dib, nullptr);
  HGDIOBJ old = SelectObject(mem, dib);
  RECT r{2, 3, 5, 7};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(mem, &r, red);
  GdiFlush();
  EXPECT_EQ(bits[3 * 10 + 2] & 0xFFFFFF, 0xFF0000u);  // inside: BGRA red
  EXPECT_EQ(bits[7 * 10 + 5] & 0xFFFFFF, 0u);         // right and bottom are exclusive
  EXPECT_EQ(bits[6 * 10 + 4] & 0xFFFFFF, 0xFF0000u);
  // A window device context takes the block transfer and gives it back.
  BitBlt(wdc, 0, 0, 10, 10, mem, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(wdc, 3, 4), RGB(255, 0, 0));
  SelectObject(mem, old);
  DeleteObject(red);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(wnd, wdc);
  DestroyWindow(wnd);
}

TEST(PlatformSmoke, VisualStylesFollowTheLookOfTheProcess) {
  EXPECT_EQ(IsThemeActive() != FALSE, !kivtest::ClassicLook());
  HWND wnd = CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 75, 25, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(wnd, nullptr);
  if (kivtest::ClassicLook()) {
    EXPECT_FALSE(IsAppThemed());
    EXPECT_EQ(OpenThemeData(wnd, L"BUTTON"), nullptr);
    DestroyWindow(wnd);
    return;
  }
  ASSERT_TRUE(IsAppThemed());
  HTHEME theme = OpenThemeData(wnd, L"Button");
  ASSERT_NE(theme, nullptr);
  HDC mem = CreateCompatibleDC(nullptr);
  uint32_t* bits = nullptr;
  HBITMAP dib = CreateTopDownDib(mem, 75, 25, &bits);
  HGDIOBJ old = SelectObject(mem, dib);
  std::memset(bits, 0, 75 * 25 * 4);
  RECT r{0, 0, 75, 25};
  ASSERT_EQ(DrawThemeBackground(theme, mem, BP_PUSHBUTTON, PBS_NORMAL, &r, nullptr), S_OK);
  GdiFlush();
  // The face is painted: the centre is no longer the black we cleared to.
  EXPECT_NE(bits[12 * 75 + 37] & 0xFFFFFF, 0u);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  CloseThemeData(theme);
  DestroyWindow(wnd);
}

DWORD CALLBACK ReadFileStream(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* done) {
  auto* s = reinterpret_cast<std::pair<const std::string*, size_t>*>(cookie);
  size_t n = std::min<size_t>(cb, s->first->size() - s->second);
  std::memcpy(buf, s->first->data() + s->second, n);
  s->second += n;
  *done = static_cast<LONG>(n);
  return 0;
}

TEST(PlatformSmoke, RichEditLoadsARealRtfDocument) {
  ASSERT_NE(LoadLibraryW(L"riched20.dll"), nullptr);
  HWND edit = CreateWindowExW(0, RICHEDIT_CLASSW, L"", WS_POPUP | ES_MULTILINE, 0, 0, 277, 100,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  std::string doc = kivtest::ReadFile(kivtest::TestData("rtf/rtfpipe/Files/minimal.rtf"));
  std::pair<const std::string*, size_t> cookie{&doc, 0};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, ReadFileStream};
  SendMessageW(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
  EXPECT_EQ(es.dwError, 0u);
  EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 1);
  wchar_t text[64] = {};
  GetWindowTextW(edit, text, 64);
  EXPECT_STREQ(text, L"foobar");
  DestroyWindow(edit);
}

}  // namespace
