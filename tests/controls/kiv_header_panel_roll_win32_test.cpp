// Rolling the header panel on a real window: the heights it passes
// through, the veto, linked panels and the parent following it, a roll
// asked for while one runs, and the form freed while a roll lets messages
// through.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "controls/kiv_header_panel_win32.hpp"
#include "controls_support_win32.hpp"
#include "framework/win32/window_class.hpp"

namespace kiv {
namespace {

using ctltest::TShownForm;

// Records every height it is given.
class TRecordingPanel : public TKivHeaderPanel {
 public:
  using TKivHeaderPanel::TKivHeaderPanel;
  std::vector<int> heights;
  void SetBounds(int left, int top, int width, int height) override {
    if (height != Height()) heights.push_back(height);
    TKivHeaderPanel::SetBounds(left, top, width, height);
  }
};

// Runs a function from the message queue: the first time a roll lets the
// pending messages through.
class TPostedCall {
 public:
  TPostedCall() : window_(AllocateHWnd([this](TMessage& m) { Handle(m); })) {}
  ~TPostedCall() { DeallocateHWnd(window_); }
  void Post(std::function<void()> call) {
    calls_.push_back(std::move(call));
    PostMessageW(window_, WM_APP, 0, 0);
  }
  int Done() const { return done_; }

 private:
  void Handle(TMessage& m) {
    if (m.Msg != WM_APP) {
      m.Result = DefWindowProcW(window_, m.Msg, m.WParam, m.LParam);
      return;
    }
    if (done_ < static_cast<int>(calls_.size())) calls_[done_++]();
  }
  HWND window_;
  std::vector<std::function<void()>> calls_;
  int done_ = 0;
};

TEST(KivHeaderPanelRoll, HeightsPassedThroughUpAndDown) {
  struct Case {
    bool animate;
    std::vector<int> up, down;
  };
  const Case cases[] = {
      {true,
       {88, 84, 80, 76, 72, 68, 64, 60, 56, 52, 48, 44, 40, 36, 32, 28, 24, 22},
       {24, 28, 32, 36, 40, 44, 48, 52, 56, 60, 64, 68, 72, 76, 80, 84, 88, 90}},
      {false, {22}, {90}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.animate ? "animated" : "at once");
    TShownForm s;
    auto* p = new TRecordingPanel(s.form.get());
    p->SetBounds(10, 10, 100, 90);
    p->SetParent(s.form.get());
    p->SetAnimateRoll(c.animate);
    int rollups = 0;
    p->OnRollup.Handler = [&](TObject*) { ++rollups; };
    s.Show();
    p->heights.clear();
    p->SetRolled(true);
    EXPECT_EQ(p->heights, c.up);
    EXPECT_TRUE(p->Rolled());
    EXPECT_EQ(p->NormalHeight(), 90);
    // A rolled panel keeps its height.
    p->SetHeight(50);
    EXPECT_EQ(p->Height(), 22);
    p->heights.clear();
    p->SetRolled(false);
    EXPECT_EQ(p->heights, c.down);
    EXPECT_FALSE(p->Rolled());
    EXPECT_EQ(rollups, 2);
  }
}

TEST(KivHeaderPanelRoll, BeforeRollCanForbidEitherWay) {
  TShownForm s;
  auto* p = new TKivHeaderPanel(s.form.get());
  p->SetBounds(10, 10, 100, 90);
  p->SetParent(s.form.get());
  std::vector<std::string> asked;
  bool allow = false;
  p->OnBeforeRoll.Handler = [&](TObject*, bool up, bool& allowed) {
    asked.push_back(up ? "up" : "down");
    allowed = allow;
  };
  p->SetNormalHeight(7);
  p->SetRolled(true);
  EXPECT_FALSE(p->Rolled());
  EXPECT_EQ(p->Height(), 90);
  EXPECT_EQ(p->NormalHeight(), 7);
  allow = true;
  p->SetRolled(true);
  allow = false;
  p->SetRolled(false);
  EXPECT_TRUE(p->Rolled());
  EXPECT_EQ(p->Height(), 22);
  EXPECT_EQ(p->NormalHeight(), 90);
  EXPECT_EQ(asked, (std::vector<std::string>{"up", "up", "down"}));
}

// Panels of the same left and width whose top lies within 2 pixels of the
// rolled panel's bottom move with it; the parent follows with ParentRoll.
TEST(KivHeaderPanelRoll, LinkedPanelsAndTheParentFollow) {
  TShownForm s(320, 400);
  auto* holder = new TKivHeaderPanel(s.form.get());
  holder->SetBounds(0, 0, 300, 390);
  holder->SetShowCaption(false);
  holder->SetParent(s.form.get());
  auto add = [&](int left, int top, int width) {
    auto* p = new TKivHeaderPanel(s.form.get());
    p->SetBounds(left, top, width, 90);
    p->SetParent(holder);
    return p;
  };
  TKivHeaderPanel* first = add(0, 0, 100);
  struct Case {
    const char* what;
    TKivHeaderPanel* panel;
    int top_rolled;
  };
  const Case cases[] = {
      {"1 pixel below", add(0, 91, 100), 23},
      {"3 pixels below", add(0, 93, 100), 93},
      {"another width", add(0, 91, 90), 91},
      {"another left", add(1, 91, 100), 91},
  };
  first->SetLinkPanels(true);
  s.Show();
  // Animated, the panel passes through other heights on the way; the
  // linked panels still move by the whole roll, both ways.
  for (bool animate : {false, true}) {
    SCOPED_TRACE(animate ? "animated" : "at once");
    first->SetAnimateRoll(animate);
    first->SetRolled(true);
    for (const Case& c : cases) EXPECT_EQ(c.panel->Top(), c.top_rolled) << c.what;
    first->SetRolled(false);
    for (const Case& c : cases)
      EXPECT_EQ(c.panel->Top(), c.top_rolled == 23 ? 91 : c.top_rolled) << c.what;
  }

  first->SetParentRoll(true);
  first->SetAnimateRoll(true);
  first->SetRolled(true);
  EXPECT_EQ(holder->Height(), 22);
  first->SetRolled(false);
  EXPECT_EQ(holder->Height(), 90);
}

// A roll asked for while an animated roll runs (the button clicked again,
// or Rolled set) is ignored: the running roll ends as it would have, with
// the normal height it stored.
TEST(KivHeaderPanelRoll, RequestsDuringARollAreIgnored) {
  TShownForm s;
  auto* p = new TKivHeaderPanel(s.form.get());
  p->SetBounds(10, 10, 100, 90);
  p->SetParent(s.form.get());
  p->SetAnimateRoll(true);
  int rollups = 0;
  p->OnRollup.Handler = [&](TObject*) { ++rollups; };
  s.Show();
  TPostedCall posted;
  const auto click = [p] {
    SendMessageW(p->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(90, 10));
    SendMessageW(p->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(90, 10));
  };
  std::vector<bool> rolling;
  posted.Post([&] {
    rolling.push_back(p->Rolling());
    click();
    p->SetRolled(true);
  });
  p->SetRolled(true);
  EXPECT_EQ(posted.Done(), 1);
  EXPECT_TRUE(p->Rolled());
  EXPECT_EQ(p->Height(), 22);
  EXPECT_EQ(p->NormalHeight(), 90);
  EXPECT_EQ(rollups, 1);

  posted.Post([&] {
    rolling.push_back(p->Rolling());
    click();
    p->SetRolled(true);
  });
  p->SetRolled(false);
  EXPECT_EQ(posted.Done(), 2);
  EXPECT_FALSE(p->Rolled());
  EXPECT_EQ(p->Height(), 90);
  EXPECT_EQ(p->NormalHeight(), 90);
  EXPECT_EQ(rollups, 2);
  EXPECT_EQ(rolling, (std::vector<bool>{true, true}));
  EXPECT_FALSE(p->Rolling());
}

// A panel whose memory becomes inaccessible when it is freed: any use of
// it afterwards faults at once instead of reading stale bytes.
class TGuardedPanel : public TKivHeaderPanel {
 public:
  using TKivHeaderPanel::TKivHeaderPanel;
  static bool freed;
  ~TGuardedPanel() override { freed = true; }
  static void* operator new(size_t size) {
    void* p = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!p) throw std::bad_alloc();
    return p;
  }
  // Decommitted, not released: the address stays taken, so nothing else
  // comes to live there.
  static void operator delete(void* p, size_t size) { VirtualFree(p, size, MEM_DECOMMIT); }
};
bool TGuardedPanel::freed = false;

// The form freed while an animated roll lets messages through: the roll
// stops and neither it nor the button's action touches the panel again
// (its events do not fire).
TEST(KivHeaderPanelRoll, FormFreedMidRollStopsTheRoll) {
  struct Case {
    const char* what;
    bool by_button;
  };
  for (const Case& c : {Case{"Rolled set", false}, Case{"caption button", true}}) {
    SCOPED_TRACE(c.what);
    TShownForm s;
    TGuardedPanel::freed = false;
    auto* p = new TGuardedPanel(s.form.get());
    p->SetBounds(10, 10, 100, 90);
    p->SetParent(s.form.get());
    p->SetAnimateRoll(true);
    std::vector<std::string> events;
    p->OnRollup.Handler = [&](TObject*) { events.push_back("rollup"); };
    p->OnButtonClick.Handler = [&](TObject*) { events.push_back("click"); };
    s.Show();
    TPostedCall posted;
    posted.Post([&] { s.form.reset(); });
    if (c.by_button) {
      HWND w = p->Handle();
      SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(90, 10));
      SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(90, 10));
    } else {
      p->SetRolled(true);
    }
    EXPECT_EQ(posted.Done(), 1);
    EXPECT_TRUE(TGuardedPanel::freed);
    EXPECT_TRUE(events.empty());
    TShownForm::Pump();
  }
}

}  // namespace
}  // namespace kiv
