// Controls, messages, alignment, focus and keyboard, mouse enter and leave:
// real windows under Wine, driven by real messages through the message loop.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/exceptions.hpp"
#include "framework/win32/controls.hpp"
#include "framework/win32/forms.hpp"
#include "framework/win32/stdctrls.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

// Records every message that reaches the dispatch path of a control.
template <typename Base>
class Recorder : public Base {
 public:
  using Base::Base;
  std::vector<uint32_t> seen;
  std::vector<intptr_t> lparams;
  std::vector<uint32_t>* shared = nullptr;  // a log several controls write to
  std::string tag;
  std::vector<std::string>* shared_tags = nullptr;
  void WndProc(TMessage& m) override {
    bool framework = m.Msg >= CM_BASE && m.Msg < CN_BASE && m.Msg != CM_HITTEST;
    if (framework || m.Msg == KIV_THEME_MESSAGE || m.Msg == KIV_THEMELINK_MESSAGE) {
      seen.push_back(m.Msg);
      lparams.push_back(m.LParam);
      if (shared) shared->push_back(m.Msg);
      if (shared_tags) shared_tags->push_back(tag + ":" + std::to_string(m.Msg - CM_BASE));
    }
    Base::WndProc(m);
  }
  std::vector<uint32_t> Only(std::initializer_list<uint32_t> msgs) const {
    std::vector<uint32_t> out;
    for (uint32_t m : seen)
      if (std::find(msgs.begin(), msgs.end(), m) != msgs.end()) out.push_back(m);
    return out;
  }
};

using RecControl = Recorder<TCustomControl>;
using RecGraphic = Recorder<TGraphicControl>;
using RecButton = Recorder<TButton>;

// A form placed at a fixed screen position, shown, destroyed with the test.
struct FormFixture {
  std::unique_ptr<TForm> form;
  explicit FormFixture(int client_w = 200, int client_h = 150) {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poDesigned);
    form->SetBounds(100, 100, 10, 10);
    form->SetClientSize(client_w, client_h);
  }
  void Show() {
    form->Show();
    Application()->ProcessMessages();
  }
};

TEST(Dispatch, PropertyChangesArriveAsFrameworkMessagesInOrder) {
  FormFixture f;
  auto* c = new RecControl(f.form.get());
  c->SetParent(f.form.get());
  f.Show();
  c->seen.clear();
  struct Case {
    const char* what;
    std::function<void()> change;
    std::vector<uint32_t> want;
  };
  std::vector<Case> cases = {
      {"text", [&] { c->SetText(L"hello"); }, {CM_TEXTCHANGED}},
      {"same text", [&] { c->SetText(L"hello"); }, {}},
      {"enabled", [&] { c->SetEnabled(false); }, {CM_ENABLEDCHANGED}},
      {"visible", [&] { c->SetVisible(false); }, {CM_VISIBLECHANGED}},
      {"colour", [&] { c->SetColor(clRed); }, {CM_COLORCHANGED}},
      {"font", [&] { c->Font()->SetHeight(-20); }, {CM_FONTCHANGED}},
      {"cursor", [&] { c->SetCursor(crHandPoint); }, {CM_CURSORCHANGED}},
  };
  for (const Case& t : cases) {
    c->seen.clear();
    t.change();
    EXPECT_EQ(c->seen, t.want) << t.what;
  }
  EXPECT_EQ(c->Text(), L"hello");
  EXPECT_FALSE(c->ParentFont());
  EXPECT_FALSE(c->ParentColor());
}

TEST(Dispatch, LibraryMessagesPassThroughUntouched) {
  FormFixture f;
  auto* c = new RecControl(f.form.get());
  c->SetParent(f.form.get());
  f.Show();
  c->seen.clear();
  c->lparams.clear();
  // Sent to the window, they travel the same path as any message and no
  // framework handler claims them (the default window procedure answers 0).
  EXPECT_EQ(SendMessageW(c->Handle(), KIV_THEME_MESSAGE, 5, 0), 0);
  EXPECT_EQ(c->Perform(KIV_THEMELINK_MESSAGE, 0, 1234), 0);
  ASSERT_EQ(c->seen.size(), 2u);
  EXPECT_EQ(c->seen[0], KIV_THEME_MESSAGE);
  EXPECT_EQ(c->seen[1], KIV_THEMELINK_MESSAGE);
  EXPECT_EQ(c->lparams[1], 1234);
}

// A subclass takes over one message number by overriding its handler.
class TextWatcher : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int changes = 0;
  std::wstring last;

 protected:
  void CMTextChanged(TMessage& m) override {
    TCustomControl::CMTextChanged(m);
    ++changes;
    last = Text();
  }
};

TEST(Dispatch, HandlersAreOverriddenByMessageNumber) {
  FormFixture f;
  auto* c = new TextWatcher(f.form.get());
  c->SetParent(f.form.get());
  c->SetCaption(L"&Close");
  EXPECT_EQ(c->changes, 1);
  EXPECT_EQ(c->last, L"&Close");
  c->Perform(CM_TEXTCHANGED);
  EXPECT_EQ(c->changes, 2);
}

TEST(Dispatch, ParentFontAndColourFlowDownUntilAChildSetsItsOwn) {
  FormFixture f;
  auto* panel = new TPanel(f.form.get());
  panel->SetParent(f.form.get());
  panel->SetParentColor(true);
  auto* inner = new RecControl(f.form.get());
  inner->SetParent(panel);
  auto* own = new RecControl(f.form.get());
  own->SetParent(panel);
  own->Font()->SetName("Arial");  // no longer follows its parent
  own->SetColor(clBlue);
  f.form->Font()->SetHeight(-15);
  f.form->SetColor(clYellow);
  EXPECT_EQ(panel->Font()->Height(), -15);
  EXPECT_EQ(inner->Font()->Height(), -15);
  EXPECT_EQ(panel->Color(), clYellow);
  EXPECT_EQ(inner->Color(), clYellow);
  EXPECT_EQ(own->Font()->Height(), -11);
  EXPECT_EQ(own->Color(), clBlue);
  EXPECT_TRUE(inner->ParentFont());
}

TEST(Dispatch, InsertingAndRemovingAChildNotifiesTheParent) {
  FormFixture f;
  auto* parent = new RecControl(f.form.get());
  parent->SetControlStyle(parent->ControlStyle() | csAcceptsControls);
  parent->SetParent(f.form.get());
  auto* child = new TGraphicControl(f.form.get());
  child->SetParent(parent);
  child->SetParent(nullptr);
  EXPECT_EQ(parent->Only({CM_CONTROLCHANGE, CM_CONTROLLISTCHANGE}),
            (std::vector<uint32_t>{CM_CONTROLLISTCHANGE, CM_CONTROLCHANGE, CM_CONTROLCHANGE,
                                   CM_CONTROLLISTCHANGE}));
  EXPECT_EQ(parent->ControlCount(), 0);
  delete child;
}

TEST(Align, ControlsStackInTheFrameworkOrder) {
  FormFixture f(300, 200);
  auto make = [&](TAlign a, int l, int t, int w, int h) {
    auto* c = new TPanel(f.form.get());
    c->SetBounds(l, t, w, h);
    c->SetParent(f.form.get());
    c->SetAlign(a);
    return c;
  };
  // Placed as a form definition places them, then aligned in one pass: the
  // bottom group is ordered by bottom edge (the lowest goes to the very
  // bottom), the top group by top edge, whatever the order of creation.
  f.form->DisableAlign();
  TPanel* bottom_upper = make(alBottom, 0, 100, 50, 20);
  TPanel* top_second = make(alTop, 0, 50, 50, 10);
  TPanel* bottom_lowest = make(alBottom, 0, 150, 50, 30);
  TPanel* top_first = make(alTop, 0, 0, 50, 15);
  TPanel* left = make(alLeft, 0, 0, 40, 10);
  TPanel* right = make(alRight, 250, 0, 25, 10);
  TPanel* client = make(alClient, 0, 0, 5, 5);
  f.form->EnableAlign();
  struct Case {
    TPanel* c;
    TRect want;
  };
  for (const Case& t :
       {Case{top_first, Rect(0, 0, 300, 15)}, Case{top_second, Rect(0, 15, 300, 25)},
        Case{bottom_lowest, Rect(0, 170, 300, 200)}, Case{bottom_upper, Rect(0, 150, 300, 170)},
        Case{left, Rect(0, 25, 40, 150)}, Case{right, Rect(275, 25, 300, 150)},
        Case{client, Rect(40, 25, 275, 150)}})
    EXPECT_EQ(t.c->BoundsRect(), t.want) << t.c->Left() << "," << t.c->Top();
  // Resizing the parent realigns; hiding a control closes its gap.
  f.form->SetClientSize(400, 300);
  EXPECT_EQ(bottom_lowest->BoundsRect(), Rect(0, 270, 400, 300));
  EXPECT_EQ(client->BoundsRect(), Rect(40, 25, 375, 250));
  top_second->SetVisible(false);
  EXPECT_EQ(client->BoundsRect(), Rect(40, 15, 375, 250));
}

// A parent whose client area lies inside a frame: a control tied to no side
// keeps its centre at the same share of that area, measured from its corner.
TEST(Align, AFreeControlKeepsItsShareOfAnInsetClientArea) {
  class TFramed : public TCustomControl {
   public:
    using TCustomControl::TCustomControl;
    TRect GetClientRect() override { return TRect{4, 4, Width() - 4, Height() - 4}; }
  };
  FormFixture f(300, 100);
  auto* parent = new TFramed(f.form.get());
  parent->SetBounds(0, 0, 277, 39);
  parent->SetParent(f.form.get());
  auto* child = new TPanel(f.form.get());
  child->SetParent(parent);
  child->SetBounds(93, 5, 75, 25);
  child->SetAnchors({});
  // Centre 130 is 126 into the 269-wide area: 126 * 152 / 269 = 71 into the
  // 152-wide one, so at 75, less half the width.
  parent->SetBounds(0, 0, 160, 39);
  EXPECT_EQ(child->BoundsRect(), Bounds(75 - 37, 5, 75, 25));
}

// Windows made with their parent stack as the children do: the later child
// on top, as BringToFront leaves one.
TEST(ZOrder, LaterChildrenLieOnTopOfEarlierOnes) {
  FormFixture f(120, 80);
  auto make = [&] {
    auto* c = new TPanel(f.form.get());
    c->SetBounds(10, 10, 60, 40);
    c->SetParent(f.form.get());
    return c;
  };
  TPanel* first = make();
  TPanel* second = make();
  f.Show();
  const POINT inside{30, 30};
  EXPECT_EQ(ChildWindowFromPointEx(f.form->Handle(), inside, CWP_SKIPINVISIBLE), second->Handle());
  first->BringToFront();
  EXPECT_EQ(ChildWindowFromPointEx(f.form->Handle(), inside, CWP_SKIPINVISIBLE), first->Handle());
}

TEST(Align, AnchorsFollowTheParentsSize) {
  FormFixture f(277, 100);
  auto* panel = new TPanel(f.form.get());
  panel->SetBevelOuter(bvNone);
  panel->SetBounds(0, 0, 277, 39);
  panel->SetParent(f.form.get());
  auto make = [&](TAnchors anchors) {
    auto* b = new TPanel(f.form.get());
    b->SetParent(panel);
    b->SetBounds(93, 5, 75, 25);
    b->SetAnchors(anchors);
    return b;
  };
  TPanel* none = make({});
  TPanel* left_top = make({akLeft, akTop});
  TPanel* right = make({akRight, akTop});
  TPanel* both = make({akLeft, akRight, akTop});
  TPanel* bottom = make({akLeft, akBottom});
  panel->SetBounds(0, 0, 554, 78);
  // No anchors: the centre keeps its share of the parent (130.5 of 277 ->
  // MulDiv(130, 554, 277) = 260), less half the width.
  EXPECT_EQ(none->BoundsRect(), Bounds(260 - 37, 34 - 12, 75, 25));
  EXPECT_EQ(left_top->BoundsRect(), Bounds(93, 5, 75, 25));
  EXPECT_EQ(right->BoundsRect(), Bounds(93 + 277, 5, 75, 25));
  EXPECT_EQ(both->BoundsRect(), Bounds(93, 5, 75 + 277, 25));
  EXPECT_EQ(bottom->BoundsRect(), Bounds(93, 5 + 39, 75, 25));
  // Back to the designed size: back to the designed places.
  panel->SetBounds(0, 0, 277, 39);
  EXPECT_EQ(none->BoundsRect(), Bounds(93, 5, 75, 25));
  EXPECT_EQ(right->BoundsRect(), Bounds(93, 5, 75, 25));
}

// --- focus and keyboard

void PostKey(HWND window, UINT msg, WPARAM key) {
  PostMessageW(window, msg, key, 1);
  Application()->ProcessMessages();
}

TEST(Focus, TabMovesThroughTheFormInTabOrderAndWraps) {
  FormFixture f;
  auto* panel = new TPanel(f.form.get());
  panel->SetParent(f.form.get());
  panel->SetBounds(0, 100, 200, 50);
  auto* edit = new TRichEdit(f.form.get());
  edit->SetParent(f.form.get());
  edit->SetBounds(0, 0, 200, 50);
  auto* close = new TButton(f.form.get());
  close->SetParent(panel);
  close->SetBounds(10, 10, 75, 25);
  auto* other = new TButton(f.form.get());
  other->SetParent(panel);
  other->SetBounds(100, 10, 75, 25);
  auto* disabled = new TButton(f.form.get());
  disabled->SetParent(f.form.get());
  disabled->SetEnabled(false);
  panel->SetTabOrder(0);  // panel (with its buttons) before the edit
  f.Show();
  // The first control in tab order takes the focus when the form shows.
  EXPECT_EQ(GetFocus(), close->Handle());
  EXPECT_EQ(f.form->ActiveControl(), close);
  std::vector<TWinControl*> order;
  for (int i = 0; i < 4; ++i) {
    PostKey(GetFocus(), WM_KEYDOWN, VK_TAB);
    order.push_back(f.form->ActiveControl());
  }
  EXPECT_EQ(order, (std::vector<TWinControl*>{other, edit, close, other}));
  EXPECT_EQ(GetFocus(), other->Handle());
  // Shift+Tab goes back.
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  PostKey(GetFocus(), WM_KEYDOWN, VK_TAB);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(f.form->ActiveControl(), close);
  // A click moves the focus too.
  PostMessageW(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Application()->ProcessMessages();
  EXPECT_EQ(f.form->ActiveControl(), edit);
}

TEST(Focus, EnterExitAndFocusChangedReachTheControls) {
  FormFixture f;
  std::vector<std::string> log;
  auto* a = new RecButton(f.form.get());
  a->tag = "a";
  a->SetParent(f.form.get());
  auto* b = new RecButton(f.form.get());
  b->tag = "b";
  b->SetParent(f.form.get());
  b->SetLeft(100);
  f.Show();
  ASSERT_EQ(f.form->ActiveControl(), a);
  a->shared_tags = &log;
  b->shared_tags = &log;
  b->SetFocus();
  auto n = [](uint32_t m) { return std::to_string(m - CM_BASE); };
  // The old control exits, the new one enters, then every control hears
  // where the focus went, with the new control as LParam.
  EXPECT_EQ(log, (std::vector<std::string>{"a:" + n(CM_EXIT), "b:" + n(CM_ENTER),
                                           "a:" + n(CM_FOCUSCHANGED), "b:" + n(CM_FOCUSCHANGED)}));
  EXPECT_EQ(a->lparams.back(), reinterpret_cast<intptr_t>(b));
}

TEST(DialogKeys, EnterEscapeAndAcceleratorsClickTheRightButtons) {
  FormFixture f;
  auto* edit = new TRichEdit(f.form.get());
  edit->SetParent(f.form.get());
  edit->SetBounds(0, 0, 200, 50);
  int ok_clicks = 0, cancel_clicks = 0, close_clicks = 0;
  auto* ok = new TButton(f.form.get());
  ok->SetParent(f.form.get());
  ok->SetCaption(L"OK");
  ok->SetDefault(true);
  ok->SetTop(60);
  ok->OnClick.Handler = [&](TObject*) { ++ok_clicks; };
  auto* cancel = new TButton(f.form.get());
  cancel->SetParent(f.form.get());
  cancel->SetCaption(L"Cancel");
  cancel->SetCancel(true);
  cancel->SetBounds(80, 60, 75, 25);
  cancel->OnClick.Handler = [&](TObject*) { ++cancel_clicks; };
  auto* close = new TButton(f.form.get());
  close->SetParent(f.form.get());
  close->SetCaption(L"&Close");
  close->SetBounds(0, 100, 75, 25);
  close->OnClick.Handler = [&](TObject*) { ++close_clicks; };
  f.Show();
  ASSERT_EQ(f.form->ActiveControl(), edit);
  // The read-only edit does not take Enter: focus on a non-button, so the
  // default button acts.
  edit->SetWantReturns(false);
  EXPECT_TRUE(ok->Active());
  PostKey(edit->Handle(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(ok_clicks, 1);
  PostKey(edit->Handle(), WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(cancel_clicks, 1);
  // Alt+C: the accelerator of "&Close", offered as a dialog character.
  PostKey(edit->Handle(), WM_SYSCHAR, L'c');
  EXPECT_EQ(close_clicks, 1);
  EXPECT_EQ(f.form->ActiveControl(), close);
  // With the focus on a button, that button is the one Enter clicks.
  EXPECT_FALSE(ok->Active());
  EXPECT_TRUE(close->Active());
  PostKey(close->Handle(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(close_clicks, 2);
  EXPECT_EQ(ok_clicks, 1);
  // A character that is nobody's accelerator does nothing; a disabled
  // button's accelerator does nothing either.
  PostKey(close->Handle(), WM_SYSCHAR, L'z');
  close->SetEnabled(false);
  PostKey(ok->Handle(), WM_SYSCHAR, L'c');
  EXPECT_EQ(close_clicks, 2);
  EXPECT_EQ(cancel_clicks, 1);
}

TEST(DialogKeys, AcceleratorCharacters) {
  struct Case {
    const wchar_t* caption;
    wchar_t ch;
    bool want;
  };
  for (const Case& t :
       {Case{L"&Close", L'c', true}, Case{L"&Close", L'C', true}, Case{L"&Close", L'l', false},
        Case{L"Save && &Exit", L'e', true}, Case{L"Save && Exit", L'e', false},
        Case{L"No accel", L'n', false}, Case{L"Trailing&", L'g', false}})
    EXPECT_EQ(IsAccel(t.ch, t.caption), t.want) << ToNarrow(t.caption) << " " << char(t.ch);
}

TEST(DialogKeys, ModalResultOfAButtonEndsAModalForm) {
  FormFixture f;
  auto* b = new TButton(f.form.get());
  b->SetParent(f.form.get());
  b->SetModalResult(mrCancel);
  // Click it from inside the modal loop.
  UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, VK_SPACE, 1);
    PostMessageW(focus, WM_KEYUP, VK_SPACE, 0xC0000001);
  });
  EXPECT_EQ(f.form->ShowModal(), mrCancel);
  EXPECT_FALSE(f.form->Visible());
  KillTimer(nullptr, timer);
}

// --- mouse enter and leave

TEST(MouseTracking, TheIdleStepReportsEnterAndLeaveUpTheParentChain) {
  FormFixture f(200, 150);
  std::vector<std::string> log;
  auto* outer = new RecControl(f.form.get());
  outer->SetControlStyle(outer->ControlStyle() | csAcceptsControls);
  outer->tag = "outer";
  outer->SetBounds(10, 10, 150, 100);
  outer->SetParent(f.form.get());
  auto* inner = new RecControl(f.form.get());
  inner->tag = "inner";
  inner->SetBounds(20, 20, 50, 40);
  inner->SetParent(outer);
  auto* shape = new RecGraphic(f.form.get());
  shape->tag = "shape";
  shape->SetBounds(90, 20, 40, 40);
  shape->SetParent(outer);
  f.Show();
  for (auto* c : std::initializer_list<Recorder<TCustomControl>*>{outer, inner})
    c->shared_tags = &log;
  shape->shared_tags = &log;
  TPoint o = outer->ClientOrigin();
  auto move_to = [&](int x, int y) {
    log.clear();
    SetCursorPos(o.X + x, o.Y + y);
    Application()->Idle();
  };
  auto e = [](const char* who) {
    return std::string(who) + ":" + std::to_string(CM_MOUSEENTER - CM_BASE);
  };
  auto l = [](const char* who) {
    return std::string(who) + ":" + std::to_string(CM_MOUSELEAVE - CM_BASE);
  };
  move_to(5, 5);
  EXPECT_EQ(log, (std::vector<std::string>{e("outer")}));
  EXPECT_EQ(Application()->MouseControl(), outer);
  // Onto a windowed child: the parent leaves, then hears the child's enter.
  move_to(30, 30);
  EXPECT_EQ(log, (std::vector<std::string>{l("outer"), e("inner"), e("outer")}));
  EXPECT_EQ(outer->lparams.back(), reinterpret_cast<intptr_t>(inner));
  // Across to a windowless child.
  move_to(100, 30);
  EXPECT_EQ(log, (std::vector<std::string>{l("inner"), l("outer"), e("shape"), e("outer")}));
  // Nothing changes while the pointer stays on the same control.
  move_to(101, 31);
  EXPECT_TRUE(log.empty());
  // Disabled controls are still found.
  inner->SetEnabled(false);
  move_to(30, 30);
  EXPECT_EQ(log, (std::vector<std::string>{l("shape"), l("outer"), e("inner"), e("outer")}));
  move_to(-50, -50);
  EXPECT_EQ(log, (std::vector<std::string>{l("inner"), l("outer")}));
}

TEST(MouseTracking, TheControlHoldingTheCaptureIsTheOnlyOneTold) {
  FormFixture f(200, 150);
  auto* a = new RecControl(f.form.get());
  a->SetBounds(0, 0, 50, 50);
  a->SetParent(f.form.get());
  auto* b = new RecControl(f.form.get());
  b->SetBounds(100, 0, 50, 50);
  b->SetParent(f.form.get());
  f.Show();
  TPoint o = f.form->ClientOrigin();
  SetCursorPos(o.X + 10, o.Y + 10);
  Application()->Idle();
  a->SetMouseCapture(true);
  a->seen.clear();
  SetCursorPos(o.X + 110, o.Y + 10);
  Application()->Idle();
  EXPECT_EQ(a->Only({CM_MOUSELEAVE}), (std::vector<uint32_t>{CM_MOUSELEAVE}));
  EXPECT_TRUE(b->Only({CM_MOUSEENTER}).empty());  // a holds the capture
  a->SetMouseCapture(false);
}

// --- the application

TEST(Application, TitleIsTheProgramNameCutAtTheFirstDotAndLowered) {
  struct Case {
    const wchar_t* path;
    const wchar_t* want;
  };
  for (const Case& t :
       {Case{L"C:\\pics\\SunSet.exe", L"Sunset"}, Case{L"Z:/a.b/photo.final.exe", L"photo"},
        Case{L"NOEXT", L"Noext"}, Case{L"x.exe", L"x"}})
    EXPECT_EQ(TitleFromProgramPath(t.path), t.want);
  EXPECT_EQ(Application()->Title(), L"test_framework");  // this program
}

TEST(Application, AnExceptionEscapingAnEventShowsTheStandardErrorBox) {
  FormFixture f;
  auto* b = new TButton(f.form.get());
  b->SetParent(f.form.get());
  b->OnClick.Handler = [](TObject*) { throw EInvalidGraphic("Bitmap image is not valid"); };
  f.Show();
  // The box runs its own modal loop; a timer inside it reads and closes it.
  static std::wstring caption, text;
  static int buttons;
  caption.clear();
  text.clear();
  buttons = 0;
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
          wchar_t cls[32];
          GetClassNameW(w, cls, 32);
          if (std::wstring(cls) == L"#32770") {
            *reinterpret_cast<HWND*>(p) = w;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(nullptr, id);
    wchar_t buf[256];
    GetWindowTextW(box, buf, 256);
    caption = buf;
    EnumChildWindows(
        box,
        [](HWND w, LPARAM) -> BOOL {
          wchar_t cls[32], t[256];
          GetClassNameW(w, cls, 32);
          GetWindowTextW(w, t, 256);
          if (_wcsicmp(cls, L"Button") == 0 && IsWindowVisible(w)) ++buttons;
          if (_wcsicmp(cls, L"Static") == 0 && t[0]) text = t;
          return TRUE;
        },
        0);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  SendMessageW(b->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(caption, Application()->Title());
  EXPECT_EQ(text, L"Bitmap image is not valid.");
  EXPECT_EQ(buttons, 1);
}

TEST(Timer, FiresThroughTheMessageLoopAndStopsWhenDisabled) {
  TTimer timer(nullptr);
  int fired = 0;
  timer.SetInterval(10);
  timer.OnTimer.Handler = [&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    if (++fired == 3) timer.SetEnabled(false);
  };
  DWORD start = GetTickCount();
  while (fired < 3 && GetTickCount() - start < 3000) {
    Application()->ProcessMessages();
    Sleep(5);
  }
  EXPECT_EQ(fired, 3);
  start = GetTickCount();
  while (GetTickCount() - start < 100) {
    Application()->ProcessMessages();
    Sleep(5);
  }
  EXPECT_EQ(fired, 3);
}

}  // namespace
}  // namespace kiv
