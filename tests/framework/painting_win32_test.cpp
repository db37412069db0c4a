// Painting through the windows: custom controls and windowless controls
// painted by their parent, paints into a given device context (as a control
// painting its parent's background asks for), the control a window leads
// to, clicks on and the mouse capture of windowless controls, form frames,
// the screen and icons.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/win32/forms.hpp"
#include "framework/win32/stdctrls.hpp"
#include "support/test_form_win32.hpp"

namespace kiv {
namespace {

// Fills itself with one colour.
class TSwatch : public TGraphicControl {
 public:
  TSwatch(TComponent* owner, TColor colour) : TGraphicControl(owner), colour_(colour) {}
  int paints = 0;
  TPoint origin_seen;

 protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(colour_);
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }

 private:
  TColor colour_;
};

class TBox : public TCustomControl {
 public:
  TBox(TComponent* owner, TColor colour) : TCustomControl(owner), colour_(colour) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
  }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(colour_);
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    Canvas()->Pen()->SetColor(clBlack);
    Canvas()->MoveTo(0, 0);
    Canvas()->LineTo(Width(), 0);
  }

 private:
  TColor colour_;
};

struct Shown {
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  Shown() { kivtest::MakeBareForm(*form, 20, 20, 120, 80); }
  void Show() {
    form->Show();
    Application()->ProcessMessages();
    UpdateWindow(form->Handle());
  }
};

class Painting : public ::testing::TestWithParam<bool> {};

TEST_P(Painting, WindowlessChildrenArePaintedAtTheirPlaceInTheirParent) {
  Shown s;
  s.form->SetColor(clWhite);
  auto* box = new TBox(s.form.get(), clBlue);
  box->SetBounds(10, 10, 80, 50);
  box->SetParent(s.form.get());
  box->SetDoubleBuffered(GetParam());
  auto* red = new TSwatch(s.form.get(), clRed);
  red->SetBounds(5, 6, 10, 8);
  red->SetParent(box);
  auto* hidden = new TSwatch(s.form.get(), clLime);
  hidden->SetBounds(40, 6, 10, 8);
  hidden->SetVisible(false);
  hidden->SetParent(box);
  s.Show();
  HDC dc = GetDC(box->Handle());
  EXPECT_EQ(GetPixel(dc, 5, 6), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 14, 13), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 15, 13), RGB(0, 0, 255));  // right edge exclusive
  EXPECT_EQ(GetPixel(dc, 4, 6), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 40, 6), RGB(0, 0, 255));  // the hidden one is not painted
  EXPECT_EQ(GetPixel(dc, 20, 0), RGB(0, 0, 0));    // the box's own line
  ReleaseDC(box->Handle(), dc);
  HDC fdc = GetDC(s.form->Handle());
  EXPECT_EQ(GetPixel(fdc, 2, 2), RGB(255, 255, 255));  // the form erased with its colour
  ReleaseDC(s.form->Handle(), fdc);
  EXPECT_GE(red->paints, 1);
  EXPECT_EQ(hidden->paints, 0);
  // Moving a windowless control repaints both places.
  red->SetLeft(30);
  UpdateWindow(box->Handle());
  dc = GetDC(box->Handle());
  EXPECT_EQ(GetPixel(dc, 5, 6), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 30, 6), RGB(255, 0, 0));
  ReleaseDC(box->Handle(), dc);
}

INSTANTIATE_TEST_SUITE_P(DirectAndDoubleBuffered, Painting, ::testing::Bool());

TEST(PaintInto, APaintMessageWithADeviceContextPaintsIntoIt) {
  Shown s;
  auto* box = new TBox(s.form.get(), clBlue);
  box->SetBounds(0, 0, 40, 30);
  box->SetParent(s.form.get());
  auto* red = new TSwatch(s.form.get(), clRed);
  red->SetBounds(10, 10, 5, 5);
  red->SetParent(box);
  s.Show();
  // Into a memory bitmap whose origin is moved, as a child painting its
  // parent's background does.
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(20, 20);
  HDC mem = bmp.Canvas()->Handle();
  SetWindowOrgEx(mem, 5, 5, nullptr);
  box->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(mem), 0);
  SetWindowOrgEx(mem, 0, 0, nullptr);
  GdiFlush();
  EXPECT_EQ(bmp.Canvas()->Pixel(5, 5), clRed);   // (10,10) of the box
  EXPECT_EQ(bmp.Canvas()->Pixel(0, 0), clBlue);  // (5,5) of the box
  EXPECT_EQ(bmp.Canvas()->Pixel(10, 10), clBlue);
}

// Each window of the framework leads to its control while it lives, and only
// then: a window made anew leads to the same control, the old one (gone) and
// windows the framework did not make lead nowhere.
TEST(Windows, AWindowLeadsToItsControlOnlyWhileItLives) {
  Shown f;
  auto* c = new TBox(f.form.get(), clBlue);
  c->SetParent(f.form.get());
  HWND first = c->Handle();
  EXPECT_EQ(TWinControl::FindControl(first), c);
  EXPECT_EQ(TWinControl::FindControl(f.form->Handle()), f.form.get());
  c->RecreateWnd();
  HWND second = c->Handle();
  ASSERT_NE(second, first);
  EXPECT_EQ(TWinControl::FindControl(second), c);
  EXPECT_EQ(TWinControl::FindControl(first), nullptr);
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, f.form->Handle(), nullptr,
                               nullptr, nullptr);
  EXPECT_EQ(TWinControl::FindControl(plain), nullptr);
  DestroyWindow(plain);
  delete c;
  EXPECT_EQ(TWinControl::FindControl(second), nullptr);
  EXPECT_EQ(TWinControl::FindControl(nullptr), nullptr);
}

// A foreign subclass that swallows WM_NCDESTROY: the control never hears
// that its window went.
LRESULT CALLBACK SwallowFinalMessage(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_NCDESTROY) return 0;
  auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, L"kivtest.previous"));
  return CallWindowProcW(previous, window, msg, wparam, lparam);
}

TEST(Windows, AWindowWhoseLastMessageIsSwallowedLeadsNowhereOnceItsControlIsFreed) {
  Shown f;
  for (bool with_parent : {false, true}) {
    SCOPED_TRACE(with_parent ? "destroyed with its parent" : "destroyed by its control");
    auto* parent = new TBox(f.form.get(), clBlue);
    parent->SetParent(f.form.get());
    auto* c = new TBox(parent, clRed);
    c->SetParent(parent);
    HWND window = c->Handle();
    SetPropW(window, L"kivtest.previous",
             reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_WNDPROC)));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SwallowFinalMessage));
    if (!with_parent) delete c;
    delete parent;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(TWinControl::FindControl(window), nullptr);
  }
}

TEST(Windowless, ClicksOnWindowlessControlsReachThem) {
  Shown s;
  auto* swatch = new TSwatch(s.form.get(), clRed);
  swatch->SetBounds(10, 10, 20, 20);
  swatch->SetParent(s.form.get());
  int clicks = 0;
  TPoint down;
  swatch->OnClick.Handler = [&](TObject*) { ++clicks; };
  swatch->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { down = {x, y}; };
  s.Show();
  HWND w = s.form->Handle();
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 17));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(16, 18));
  Application()->ProcessMessages();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(down, Point(5, 7));  // in the control's own coordinates
  // Released outside: the control held the mouse, so it hears the release,
  // but it is no click.
  PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 17));
  PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(60, 60));
  Application()->ProcessMessages();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

// A windowless control holds the mouse through its parent's window only as
// long as that window holds the platform's capture: once another window
// takes it, or the parent's window is made anew, moves over the parent reach
// the control under the pointer again.
TEST(Windowless, TheCaptureEndsWhenItsWindowLosesTheCapture) {
  Shown s;
  auto* holder = new TSwatch(s.form.get(), clRed);
  holder->SetBounds(10, 10, 20, 20);
  holder->SetParent(s.form.get());
  auto* other = new TSwatch(s.form.get(), clLime);
  other->SetBounds(50, 10, 20, 20);
  other->SetParent(s.form.get());
  auto* box = new TBox(s.form.get(), clBlue);
  box->SetBounds(80, 10, 20, 20);
  box->SetParent(s.form.get());
  std::vector<std::string> moves;
  holder->OnMouseMove = [&](TObject*, TShiftState, int, int) { moves.push_back("holder"); };
  other->OnMouseMove = [&](TObject*, TShiftState, int, int) { moves.push_back("other"); };
  s.Show();
  struct Case {
    const char* how;
    std::function<void()> lose;
  };
  for (const Case& t : {Case{"another window takes it", [&] { SetCapture(box->Handle()); }},
                        Case{"the window releases it", [] { ReleaseCapture(); }},
                        Case{"the window is made anew", [&] { s.form->RecreateWnd(); }}}) {
    SCOPED_TRACE(t.how);
    moves.clear();
    holder->SetMouseCapture(true);
    ASSERT_EQ(GetCaptureControl(), holder);
    SendMessageW(s.form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(55, 15));
    t.lose();
    SendMessageW(s.form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(55, 15));
    EXPECT_EQ(moves, (std::vector<std::string>{"holder", "other"}));
    EXPECT_NE(GetCaptureControl(), holder);
    ReleaseCapture();
  }
}

TEST(Forms, DialogFrameHasNoSizingNorMinimizeOrMaximizeBox) {
  struct Case {
    TFormBorderStyle style;
    TBorderIcons icons;
    bool sizing, minbox, sysmenu;
  };
  for (const Case& t : {Case{bsDialog, {biSystemMenu, biMinimize, biMaximize}, false, false, true},
                        Case{bsDialog, {biSystemMenu}, false, false, true},
                        Case{bsSizeable, {biSystemMenu, biMinimize}, true, true, true},
                        Case{bsSingle, {}, false, false, false}}) {
    TForm form(nullptr);
    form.SetBorderStyle(t.style);
    form.SetBorderIcons(t.icons);
    form.SetClientSize(277, 434);
    LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
    EXPECT_EQ((style & WS_THICKFRAME) != 0, t.sizing) << t.style;
    EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, t.minbox) << t.style;
    EXPECT_FALSE(t.style == bsDialog && (style & WS_MAXIMIZEBOX));
    EXPECT_EQ((style & WS_SYSMENU) != 0, t.sysmenu) << t.style;
    // The client size survives the frame.
    RECT rc;
    GetClientRect(form.Handle(), &rc);
    EXPECT_EQ(rc.right, 277);
    EXPECT_EQ(rc.bottom, 434);
  }
}

TEST(Forms, ClosingASecondaryFormHidesIt) {
  TForm form(nullptr);
  int closes = 0;
  form.OnClose = [&](TObject*, TCloseAction& action) { ++closes; };
  form.Show();
  Application()->ProcessMessages();
  PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
  Application()->ProcessMessages();
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  // A handler may refuse.
  form.Show();
  form.OnCloseQuery = [](TObject*, bool& can) { can = false; };
  form.Close();
  EXPECT_TRUE(form.Visible());
}

TEST(Screen, SizePixelsPerInchAndCursors) {
  EXPECT_GT(Screen()->Width(), 0);
  EXPECT_GT(Screen()->Height(), 0);
  EXPECT_GT(Screen()->PixelsPerInch(), 0);
  EXPECT_EQ(Screen()->Cursors(crIBeam), LoadCursorW(nullptr, IDC_IBEAM));
  EXPECT_EQ(Screen()->Cursors(crDefault), LoadCursorW(nullptr, IDC_ARROW));
  HCURSOR mine = LoadCursorW(nullptr, IDC_CROSS);
  Screen()->SetCursors(5, mine);
  EXPECT_EQ(Screen()->Cursors(5), mine);
  TForm form(nullptr);
  EXPECT_GE(Screen()->FormCount(), 1);
}

TEST(Icon, HoldsAnIconAndDrawsIt) {
  TIcon icon;
  EXPECT_TRUE(icon.Empty());
  icon.SetHandle(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
  EXPECT_FALSE(icon.Empty());
  EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(icon.Width(), icon.Height());
  target.Canvas()->Brush()->SetColor(clFuchsia);
  target.Canvas()->FillRect(Rect(0, 0, icon.Width(), icon.Height()));
  target.Canvas()->Draw(0, 0, &icon);
  int changed = 0;
  for (int y = 0; y < icon.Height(); ++y)
    for (int x = 0; x < icon.Width(); ++x) changed += target.Canvas()->Pixel(x, y) != clFuchsia;
  EXPECT_GT(changed, 0);
  const uint8_t bad[] = {0, 0, 1, 0, 9, 0};
  EXPECT_THROW(icon.LoadFromBytes(bad, sizeof bad), EInvalidGraphic);
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

// The demo program end to end: its window comes up from the definition in
// its resources, Alt+C reaches the Close button through the message loop,
// closing the main form ends the loop and the program exits with 0.
TEST(ApplicationRun, ClosingTheMainFormEndsTheProgram) {
  const wchar_t* exe = L"..\\examples\\framework_demo\\framework_demo.exe";
  if (GetFileAttributesW(exe) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "demo not built";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = exe;
  ASSERT_TRUE(
      CreateProcessW(exe, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  struct Find {
    DWORD pid;
    HWND form = nullptr, button = nullptr;
  } find{pi.dwProcessId};
  for (int i = 0; i < 100 && !find.button; ++i) {
    Sleep(50);
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* f = reinterpret_cast<Find*>(p);
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          wchar_t title[64] = {};
          GetWindowTextW(w, title, 64);
          if (pid == f->pid && std::wstring(title) == L"Framework demo" && IsWindowVisible(w)) {
            f->form = w;
            EnumChildWindows(
                w,
                [](HWND c, LPARAM p) -> BOOL {
                  wchar_t cls[32] = {};
                  GetClassNameW(c, cls, 32);
                  if (std::wstring(cls) == L"Kiv.BUTTON") reinterpret_cast<Find*>(p)->button = c;
                  return TRUE;
                },
                p);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
  }
  ASSERT_NE(find.button, nullptr);
  RECT client;
  GetClientRect(find.form, &client);
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 260);
  PostMessageW(find.button, WM_SYSCHAR, L'c', 1 << 29);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  if (code == 99) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

TEST(Cursor, TheControlUnderThePointerChoosesTheCursor) {
  Shown s;
  auto* box = new TBox(s.form.get(), clBlue);
  box->SetBounds(0, 0, 60, 60);
  box->SetParent(s.form.get());
  box->SetCursor(crHandPoint);
  auto* beam = new TSwatch(s.form.get(), clRed);
  beam->SetBounds(30, 30, 20, 20);
  beam->SetParent(box);
  beam->SetCursor(crIBeam);
  s.Show();
  TPoint o = box->ClientOrigin();
  struct Case {
    int x, y;
    const wchar_t* want;
  };
  for (const Case& t : {Case{5, 5, IDC_HAND}, Case{35, 35, IDC_IBEAM}}) {
    SetCursorPos(o.X + t.x, o.Y + t.y);
    SendMessageW(box->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(box->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, t.want)) << t.x;
  }
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

class THintTaker : public TSwatch {
 public:
  using TSwatch::TSwatch;
  int asked = 0;
  bool refuse = false;

 protected:
  void CMHintShow(TMessage& m) override {
    ++asked;
    auto* info = reinterpret_cast<THintInfo*>(m.LParam);
    info->HintStr += L" (more)";
    TSwatch::CMHintShow(m);
    if (refuse) m.Result = 1;
  }
};

TEST(Hint, ARestingPointerAsksTheControlThenShowsItsHint) {
  Shown s;
  auto* c = new THintTaker(s.form.get(), clRed);
  c->SetBounds(10, 10, 40, 40);
  c->SetParent(s.form.get());
  c->SetHint(L"Close the window");
  c->SetShowHint(true);
  s.Show();
  Application()->HintPause = 50;
  TPoint o = s.form->ClientOrigin();
  SetCursorPos(o.X + 20, o.Y + 20);
  Application()->Idle();
  EXPECT_EQ(c->asked, 0);  // not yet: the pointer has only just arrived
  Sleep(80);
  Application()->Idle();
  EXPECT_EQ(c->asked, 1);
  ASSERT_NE(Application()->HintWindow(), nullptr);
  wchar_t text[64] = {};
  GetWindowTextW(Application()->HintWindow(), text, 64);
  EXPECT_STREQ(text, L"Close the window (more)");
  EXPECT_TRUE(IsWindowVisible(Application()->HintWindow()));
  Application()->Idle();  // once per stay
  EXPECT_EQ(c->asked, 1);
  // Leaving takes the hint away; a refusing control gets none.
  SetCursorPos(o.X + 100, o.Y + 70);
  Application()->Idle();
  EXPECT_EQ(Application()->HintWindow(), nullptr);
  c->refuse = true;
  SetCursorPos(o.X + 20, o.Y + 20);
  Application()->Idle();
  Sleep(80);
  Application()->Idle();
  EXPECT_EQ(c->asked, 2);
  EXPECT_EQ(Application()->HintWindow(), nullptr);
  Application()->HintPause = 500;
}

}  // namespace
}  // namespace kiv
