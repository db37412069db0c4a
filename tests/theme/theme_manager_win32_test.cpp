#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/win32/control.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {
namespace {

// A framework control that records the theme codes reaching its dispatch,
// with the visual-styles flag as it stood at each.
class TRecordingControl : public TControl {
 public:
  TRecordingControl() : TControl(nullptr) {}
  ~TRecordingControl() override { RemoveThemeClient(this); }
  void Dispatch(TMessage& message) override {
    if (message.Msg == KIV_THEME_MESSAGE) {
      codes.push_back(message.WParam);
      styles_seen.push_back(Platform().VisualStylesActive);
    }
    TControl::Dispatch(message);
  }
  std::vector<uintptr_t> codes;
  std::vector<bool> styles_seen;
};

class TRecordingObject : public TObject, public TkivThemeClient {
 public:
  ~TRecordingObject() override { RemoveThemeClient(this); }
  void Dispatch(TMessage& message) override {
    if (message.Msg == KIV_THEME_MESSAGE) codes.push_back(message.WParam);
  }
  std::vector<uintptr_t> codes;
};

// Handles the thread's messages until done() or about two seconds pass.
template <class Done>
void PumpUntil(Done done) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < 2000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (!done()) Sleep(10);
  }
}

HWND NotifyWindow() {
  return static_cast<HWND>(ThemeManager().NotifyWindow());
}

TEST(ThemeManagerWindow, IsAHiddenTopLevelPopUpThatPassesMessagesOn) {
  HWND window = NotifyWindow();
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(GetParent(window), nullptr);
  EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());  // not message-only
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_NE(GetWindowLongPtrW(window, GWL_STYLE) & WS_POPUP, 0);
  // The platform's default procedure still runs: it keeps the window text.
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"probe"));
  wchar_t text[16] = {};
  GetWindowTextW(window, text, 16);
  EXPECT_STREQ(text, L"probe");
}

TEST(ThemeManagerWindow, ColourSchemeChangeReachesVisibleControlsAndObjects) {
  TRecordingControl shown, hidden;
  hidden.SetVisible(false);
  TRecordingObject object;
  for (TObject* client : std::initializer_list<TObject*>{&shown, &hidden, &object})
    AddThemeClient(client);

  // A real colour-scheme change, put back afterwards.
  const int element = COLOR_INFOBK;
  const COLORREF old_colour = GetSysColor(element);
  const COLORREF new_colour = old_colour ^ 0x00102030;
  ASSERT_TRUE(SetSysColors(1, &element, &new_colour));
  PumpUntil([&] { return !shown.codes.empty() && !object.codes.empty(); });
  SetSysColors(1, &element, &old_colour);
  PumpUntil([&] { return shown.codes.size() >= 2; });

  ASSERT_FALSE(shown.codes.empty());
  EXPECT_EQ(shown.codes.front(), kThemeCodeSystemChanged);
  ASSERT_FALSE(object.codes.empty());
  EXPECT_EQ(object.codes.front(), kThemeCodeSystemChanged);
  EXPECT_TRUE(hidden.codes.empty());
  EXPECT_EQ(GetSysColor(element), old_colour);

  // Codes other than 5 reach invisible controls as well.
  ThemeManager().NotifyClients(KIV_THEME_MESSAGE, kThemeCodeApply, 0);
  EXPECT_EQ(hidden.codes, std::vector<uintptr_t>{kThemeCodeApply});
  EXPECT_EQ(shown.codes.back(), kThemeCodeApply);
}

TEST(ThemeManagerWindow, DisplayChangeNotifiesAndResultsComeFromTheDefaultProcedure) {
  TRecordingControl shown;
  AddThemeClient(&shown);
  SendMessageW(NotifyWindow(), WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
  EXPECT_EQ(shown.codes, std::vector<uintptr_t>{kThemeCodeSystemChanged});
}

TEST(ThemeManagerWindow, ThemeChangeRereadsVisualStylesBeforeNotifying) {
  TkivPlatform& platform = Platform();
  const bool actual = UpdateVisualStylesActive();
  TRecordingControl shown;
  AddThemeClient(&shown);
  platform.VisualStylesActive = !actual;  // stale
  SendMessageW(NotifyWindow(), WM_THEMECHANGED, 0, 0);
  ASSERT_EQ(shown.codes, std::vector<uintptr_t>{kThemeCodeSystemChanged});
  EXPECT_EQ(shown.styles_seen.front(), actual);
  EXPECT_EQ(platform.VisualStylesActive, actual);
}

TEST(ThemeManagerWindow, NewClientHearsCodeThreeThroughPerformWhenAThemeIsCurrent) {
  SetCurrentTheme(std::make_unique<TkivTheme>());
  TRecordingControl late;
  late.SetVisible(false);
  AddThemeClient(&late);
  AddThemeClient(&late);
  SetCurrentTheme(nullptr);
  EXPECT_EQ(late.codes, (std::vector<uintptr_t>{kThemeCodeApplied, kThemeCodeRemoved}));
}

}  // namespace
}  // namespace kiv
