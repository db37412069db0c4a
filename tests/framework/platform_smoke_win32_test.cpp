// Proves that the platform under the tests is the one the library targets: real
// windows with device-independent bitmaps, the visual-styles API in both looks,
// and the native rich-edit control.
#include <richedit.h>
#include <uxtheme.h>
#include <vssym32.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/memory_dc_win32.hpp"
#include "support/testdata.hpp"

namespace {

TEST(PlatformSmoke, WindowPaintsIntoADibSectionThatReadsBack) {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"smoke", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(wnd, nullptr);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  HDC wdc = GetDC(wnd);
  kivtest::TMemoryDC mem(10, 10, /*top_down=*/true);
  ASSERT_NE(mem.bitmap, nullptr);
  mem.Fill(0);
  RECT r{2, 3, 5, 7};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(mem.dc, &r, red);
  EXPECT_EQ(mem.At(2, 3) & 0xFFFFFF, 0xFF0000u);  // inside: BGRA red
  EXPECT_EQ(mem.At(5, 7) & 0xFFFFFF, 0u);         // right and bottom are exclusive
  EXPECT_EQ(mem.At(4, 6) & 0xFFFFFF, 0xFF0000u);
  // A window device context takes the block transfer and gives it back.
  BitBlt(wdc, 0, 0, 10, 10, mem.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(wdc, 3, 4), RGB(255, 0, 0));
  DeleteObject(red);
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
  kivtest::TMemoryDC mem(75, 25, /*top_down=*/true);
  mem.Fill(0);
  RECT r{0, 0, 75, 25};
  ASSERT_EQ(DrawThemeBackground(theme, mem.dc, BP_PUSHBUTTON, PBS_NORMAL, &r, nullptr), S_OK);
  // The face is painted: the centre is no longer the black we cleared to.
  EXPECT_NE(mem.At(37, 12) & 0xFFFFFF, 0u);
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
