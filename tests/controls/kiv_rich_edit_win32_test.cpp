// The themed rich edit's frame, painted over the native border: the
// platform's visual-styles edit frame of each state (against the platform
// drawing the same part and state), the classic sunken edge, a theme's memo
// look, no frame without a border; and the theme notifications.
#include <windows.h>
// after windows.h, which they need
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/kiv_control_win32.hpp"
#include "controls/kiv_rich_edit_win32.hpp"
#include "controls_support_win32.hpp"
#include "framework/filer.hpp"
#include "theme/theme_manager.hpp"
#include "theme/theme_tables.hpp"

namespace kiv {
namespace {

using ctltest::FirstDifference;
using ctltest::TShownForm;

// The whole window as it is on screen, frame included.
std::unique_ptr<kivtest::TMemoryDC> GrabWindow(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  auto m = std::make_unique<kivtest::TMemoryDC>(r.right - r.left, r.bottom - r.top, true);
  HDC dc = GetWindowDC(window);
  BitBlt(m->dc, 0, 0, m->w, m->h, dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  GdiFlush();
  return m;
}

// Paints the frame again now, as the platform asks for it.
void RepaintFrame(TWinControl& c) {
  RedrawWindow(c.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  GdiFlush();
}

// A copy of the grabbed window whose frame ring (everything outside the
// client area) is drawn by `draw`: the pixels the edit should show.
template <class Draw>
std::unique_ptr<kivtest::TMemoryDC> Expected(const kivtest::TMemoryDC& grabbed, HWND window,
                                             Draw draw) {
  auto want = std::make_unique<kivtest::TMemoryDC>(grabbed.w, grabbed.h, true);
  BitBlt(want->dc, 0, 0, want->w, want->h, grabbed.dc, 0, 0, SRCCOPY);
  RECT client;
  GetClientRect(window, &client);
  const int saved = SaveDC(want->dc);
  ExcludeClipRect(want->dc, 2, 2, 2 + client.right, 2 + client.bottom);
  RECT all{0, 0, want->w, want->h};
  draw(want->dc, all);
  RestoreDC(want->dc, saved);
  GdiFlush();
  return want;
}

struct TEditOnForm {
  TShownForm s{240, 160};
  TKivRichEdit* edit = new TKivRichEdit(s.form.get());
  TKivRichEdit* other = new TKivRichEdit(s.form.get());
  TEditOnForm() {
    edit->SetBounds(10, 10, 120, 50);
    edit->SetParent(s.form.get());
    other->SetBounds(10, 100, 60, 30);
    other->SetParent(s.form.get());
    s.Show();
    other->SetFocus();
    TShownForm::Pump();
  }
};

TEST(KivRichEdit, ConstructionValuesAndTheStreamedThemeObject) {
  TShownForm s;
  auto* edit = new TKivRichEdit(s.form.get());
  EXPECT_EQ(edit->ThemeObject(), "default");
  EXPECT_FALSE(edit->Hot());
  EXPECT_EQ(edit->Color(), clWindow);
  TKivRichEdit read(nullptr);
  TextToComponent(
      "object Caption: TKivRichEdit\n  ThemeObject = 'caption'\n  ScrollBars = ssVertical\nend\n",
      &read);
  EXPECT_EQ(read.ThemeObject(), "caption");
  EXPECT_EQ(read.ScrollBars(), ssVertical);
}

// Each state's frame is the platform's edit-text part of that state; the
// pointer's entering and leaving follow the framework's notifications.
TEST(KivRichEdit, VisualStylesFrameIsThePlatformsEditPartInEachState) {
  if (!VisualStylesActive()) GTEST_SKIP() << "classic look";
  TEditOnForm f;
  HWND w = f.edit->Handle();
  HTHEME theme = OpenThemeData(w, L"Edit");
  ASSERT_NE(theme, nullptr);
  struct Case {
    const char* what;
    std::function<void()> act;
    int state;
  };
  const Case cases[] = {
      {"normal", [] {}, ETS_NORMAL},
      {"hot", [&] { f.edit->Perform(CM_MOUSEENTER); }, ETS_HOT},
      {"left again", [&] { f.edit->Perform(CM_MOUSELEAVE); }, ETS_NORMAL},
      {"focused",
       [&] {
         f.edit->SetFocus();
         TShownForm::Pump();
       },
       ETS_FOCUSED},
      {"focused beats hot", [&] { f.edit->Perform(CM_MOUSEENTER); }, ETS_FOCUSED},
      {"disabled", [&] { f.edit->SetEnabled(false); }, ETS_DISABLED},
  };
  for (const Case& c : cases) {
    c.act();
    RepaintFrame(*f.edit);
    auto got = GrabWindow(w);
    auto want = Expected(*got, w, [&](HDC dc, RECT r) {
      DrawThemeBackground(theme, dc, EP_EDITTEXT, c.state, &r, nullptr);
    });
    EXPECT_EQ(FirstDifference(*got, *want), "") << c.what;
  }
  EXPECT_TRUE(f.edit->Hot());
  CloseThemeData(theme);
}

TEST(KivRichEdit, ClassicFrameIsTheSunkenEdgeInEveryState) {
  if (VisualStylesActive()) GTEST_SKIP() << "visual-styles look";
  TEditOnForm f;
  HWND w = f.edit->Handle();
  for (int step = 0; step < 3; ++step) {
    if (step == 1) f.edit->Perform(CM_MOUSEENTER);
    if (step == 2) f.edit->SetEnabled(false);
    RepaintFrame(*f.edit);
    auto got = GrabWindow(w);
    // The platform's sunken edge, whose inner light line is the button face
    // here.
    auto want = Expected(*got, w, [](HDC dc, RECT r) {
      DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
      HPEN face = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
      HGDIOBJ old = SelectObject(dc, face);
      MoveToEx(dc, r.left + 1, r.bottom - 2, nullptr);
      LineTo(dc, r.right - 2, r.bottom - 2);
      LineTo(dc, r.right - 2, r.top);
      SelectObject(dc, old);
      DeleteObject(face);
    });
    EXPECT_EQ(FirstDifference(*got, *want), "") << "step " << step;
  }
}

// Without a border the frame lies outside the window: every pixel is the
// edit's own background.
TEST(KivRichEdit, ABorderlessEditShowsNoFrame) {
  TEditOnForm f;
  f.edit->SetBorderStyle(bsNone);
  f.edit->SetColor(0x00336699);
  TShownForm::Pump();
  RepaintFrame(*f.edit);
  auto got = GrabWindow(f.edit->Handle());
  ASSERT_EQ(got->w, 120);
  for (int y = 0; y < got->h; ++y)
    for (int x = 0; x < got->w; ++x)
      ASSERT_EQ(got->At(x, y) & 0xFFFFFF, 0x996633u) << x << "," << y;
}

// A picture of the edit (a paint into a given context) shows the frame the
// window shows, and the native control's client area inside it.
TEST(KivRichEdit, APictureOfTheEditShowsItsFrame) {
  TEditOnForm f;
  f.edit->SetColor(0x00336699);
  TShownForm::Pump();
  RepaintFrame(*f.edit);
  auto screen = GrabWindow(f.edit->Handle());
  auto picture = ctltest::PaintToMemory(*f.edit);
  RECT client;
  GetClientRect(f.edit->Handle(), &client);
  for (int y = 0; y < screen->h; ++y)
    for (int x = 0; x < screen->w; ++x) {
      const bool inside = x >= 2 && y >= 2 && x < 2 + client.right && y < 2 + client.bottom;
      if (inside) continue;
      ASSERT_EQ(picture->At(x, y) & 0xFFFFFF, screen->At(x, y) & 0xFFFFFF) << x << "," << y;
    }
  EXPECT_EQ(picture->At(60, 25) & 0xFFFFFF, 0x996633u);
}

// Knows "memo-look" for memos, records what it is asked to draw and paints
// the rectangle in one colour.
class TMemoTheme : public TkivTheme {
 public:
  struct Call {
    std::string object;
    int state;
    TRect rect;
  };
  std::vector<Call>* calls;
  explicit TMemoTheme(std::vector<Call>* log) : calls(log) {}
  bool SupportsMemo(uint8_t kind, const std::string& object) override {
    return kind == 0 && object == "memo-look";
  }
  void PaintMemo(uint8_t, TCanvas& canvas, const std::string& object,
                 const TkivStateInfo& info) override {
    calls->push_back({object, info.State, info.Rect});
    const RECT r{info.Rect.Left, info.Rect.Top, info.Rect.Right, info.Rect.Bottom};
    HBRUSH b = CreateSolidBrush(RGB(0x10, 0x80, 0x20));
    FillRect(canvas.Handle(), &r, b);
    DeleteObject(b);
  }
};

// The theme draws the frame when it knows the edit's theme object, always
// under the name "default", with its own state codes; the client area keeps
// the native control's pixels.
TEST(KivRichEdit, AThemeWithAMemoLookDrawsTheFrame) {
  TEditOnForm f;
  std::vector<TMemoTheme::Call> calls;
  SetCurrentTheme(std::make_unique<TMemoTheme>(&calls));
  f.edit->SetThemeObject("memo-look");
  f.edit->Perform(CM_MOUSEENTER);
  calls.clear();
  RepaintFrame(*f.edit);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().object, "default");
  EXPECT_EQ(calls.back().state, 1);  // hot
  EXPECT_EQ(calls.back().rect, (TRect{0, 0, 120, 50}));
  auto got = GrabWindow(f.edit->Handle());
  EXPECT_EQ(got->At(0, 0) & 0xFFFFFF, 0x108020u);
  EXPECT_EQ(got->At(119, 49) & 0xFFFFFF, 0x108020u);
  EXPECT_NE(got->At(60, 25) & 0xFFFFFF, 0x108020u);
  f.edit->SetEnabled(false);
  RepaintFrame(*f.edit);
  EXPECT_EQ(calls.back().state, 3);
  // An object the theme does not know (nor its "default") leaves the frame
  // to the visual styles or the classic look.
  f.edit->SetThemeObject("plain");
  calls.clear();
  RepaintFrame(*f.edit);
  EXPECT_TRUE(calls.empty());
  SetCurrentTheme(nullptr);
}

// Codes 0 and 3 take the current theme's edit colour, 4 goes back to
// clWindow, 5 only repaints; before the window exists nothing changes.
TEST(KivRichEdit, ThemeNotificationsRecolourByCode) {
  TShownForm s;
  auto* edit = new TKivRichEdit(s.form.get());
  edit->SetColor(0x00102030);
  edit->Perform(KIV_THEME_MESSAGE, kThemeCodeRemoved);
  EXPECT_EQ(edit->Color(), 0x00102030) << "no window yet";
  edit->SetParent(s.form.get());
  s.Show();
  edit->HandleNeeded();
  std::vector<TMemoTheme::Call> calls;
  auto theme = std::make_unique<TMemoTheme>(&calls);
  theme->Colors()->SetColor(tcEditNormal, 0x00445566);
  SetCurrentTheme(std::move(theme));  // sends code 3 to every registered control
  EXPECT_EQ(edit->Color(), 0x00445566);
  edit->SetColor(0x00010203);
  edit->Perform(KIV_THEME_MESSAGE, kThemeCodeSystemChanged);
  EXPECT_EQ(edit->Color(), 0x00010203);
  edit->Perform(KIV_THEME_MESSAGE, kThemeCodeApply);
  EXPECT_EQ(edit->Color(), 0x00445566);
  SetCurrentTheme(nullptr);  // code 4
  EXPECT_EQ(edit->Color(), clWindow);
  edit->SetColor(0x00010203);
  edit->Perform(KIV_THEME_MESSAGE, kThemeCodeApply);  // no theme: the colour stays
  EXPECT_EQ(edit->Color(), 0x00010203);
}

}  // namespace
}  // namespace kiv
