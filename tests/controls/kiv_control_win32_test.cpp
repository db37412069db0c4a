// The themed control base: buffering modes, frames, erase requests, parent
// backgrounds, and hot and focus tracking through the framework's messages.
#include <gtest/gtest.h>

#include "controls/kiv_control_win32.hpp"
#include "controls/kiv_controls_unit_win32.hpp"
#include "controls_support_win32.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {
namespace {

using ctltest::FirstDifference;
using ctltest::PaintToMemory;
using ctltest::TShownForm;

// A frame of two lowered bevels and a client with a diagonal, a second
// colour and text, so that a misplaced or missing part shows.
class TPatterned : public TKivControl {
 public:
  explicit TPatterned(TComponent* owner) : TKivControl(owner) {
    SetBevelWidth(2);
    SetBorderWidth(1);
    SetUseSystemFrame(false);
  }

 protected:
  void PaintClient() override {
    TKivControl::PaintClient();
    const TRect r = GetInnerRect();
    FillRectColor(Canvas(), TRect{r.Left, r.Top, r.Left + 10, r.Top + 6}, 0x0000C0FF);
    MoveToPoint(Canvas(), r.Left, r.Top);
    DrawLineTo(Canvas(), r.Right, r.Bottom, clNavy);
    TRect text = r;
    Canvas()->Font()->Assign(PaintFont());
    DrawTextWide(Canvas(), L"Kiv", text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
};

// Shows its parent's background and nothing else.
class TSeeThrough : public TKivControl {
 public:
  using TKivControl::TKivControl;

 protected:
  void PaintClient() override { PaintParentBackground(this, Canvas()->Handle()); }
};

// Stands in for the platform's visual-styles data: opens only the classes in
// Available (with a made-up handle) and records every open and close. Put
// back when it goes, whatever a test does.
class TFakeStyles {
 public:
  TFakeStyles() : saved_(Platform()) {
    current_ = this;
    Platform().OpenThemeData = [](HWND, LPCWSTR name) -> HTHEME {
      current_->opened.push_back(name);
      for (const std::wstring& a : current_->Available)
        if (a == name) return reinterpret_cast<HTHEME>(current_->kHandle);
      return nullptr;
    };
    Platform().CloseThemeData = [](HTHEME theme) -> HRESULT {
      current_->closed.push_back(theme);
      return S_OK;
    };
  }
  ~TFakeStyles() {
    Platform().OpenThemeData = saved_.OpenThemeData;
    Platform().CloseThemeData = saved_.CloseThemeData;
    current_ = nullptr;
  }
  static constexpr uintptr_t kHandle = 0x5150;
  std::vector<std::wstring> Available;
  std::vector<std::wstring> opened;
  std::vector<HTHEME> closed;

 private:
  TkivPlatform saved_;
  static inline TFakeStyles* current_ = nullptr;
};

// A class the style lacks is asked for once, not on every paint; a change of
// the visual styles (the platform's message or the manager's code 5) makes
// it asked for again, and a style that has it now opens it.
TEST(KivControl, AMissingStyleClassIsAskedForOncePerStyleState) {
  struct Case {
    const char* name;
    uint32_t msg;
    uintptr_t wparam;
  };
  for (const Case& t : {Case{"WM_THEMECHANGED", WM_THEMECHANGED, 0},
                        Case{"code 5", KIV_THEME_MESSAGE, kThemeCodeSystemChanged}}) {
    SCOPED_TRACE(t.name);
    TFakeStyles styles;
    {
      TShownForm s;
      auto* c = new TKivControl(s.form.get());
      c->SetParent(s.form.get());
      EXPECT_EQ(c->ThemeData(L"ExplorerBar"), nullptr);
      EXPECT_EQ(c->ThemeData(L"ExplorerBar"), nullptr);
      EXPECT_EQ(styles.opened, std::vector<std::wstring>{L"ExplorerBar"});
      styles.Available = {L"ExplorerBar"};
      c->Perform(t.msg, t.wparam, 0);
      EXPECT_TRUE(styles.closed.empty());  // nothing was open
      EXPECT_EQ(c->ThemeData(L"ExplorerBar"), reinterpret_cast<HANDLE>(TFakeStyles::kHandle));
      EXPECT_EQ(c->ThemeData(L"ExplorerBar"), reinterpret_cast<HANDLE>(TFakeStyles::kHandle));
      EXPECT_EQ(styles.opened.size(), 2u);
      styles.Available.clear();
      c->Perform(t.msg, t.wparam, 0);
      EXPECT_EQ(styles.closed, std::vector<HTHEME>{reinterpret_cast<HTHEME>(TFakeStyles::kHandle)});
      EXPECT_EQ(c->ThemeData(L"ExplorerBar"), nullptr);
      EXPECT_EQ(styles.opened.size(), 3u);
    }
    EXPECT_EQ(styles.closed.size(), 1u);  // the failed class is never closed
  }
}

TEST(KivControl, ConstructionValues) {
  TShownForm s;
  auto* c = new TKivControl(s.form.get());
  EXPECT_EQ(c->Performance(), qspNoBuffer);
  EXPECT_EQ(c->Color(), clBtnFace);
  EXPECT_EQ(c->BoundsRect(), (TRect{0, 0, 100, 30}));
  EXPECT_EQ(c->PaintWidth(), 100);
  EXPECT_EQ(c->BevelInner(), qbvLowered);
  EXPECT_EQ(c->BevelOuter(), qbvLowered);
  EXPECT_EQ(c->BevelWidth(), 0);
  EXPECT_TRUE(c->UseSystemFrame());
  EXPECT_TRUE(c->ControlStyle() & csOpaque);
  EXPECT_EQ(c->GetInnerRect(), (TRect{0, 0, 100, 30}));
}

TEST(KivControl, BevelKindSetsBothCutsAndACutResetsTheKind) {
  TShownForm s;
  auto* c = new TKivControl(s.form.get());
  c->SetBevelKind(qbkBorder);
  EXPECT_EQ(c->BevelInner(), qbvBorder);
  EXPECT_EQ(c->BevelOuter(), qbvBorder);
  c->SetBevelInner(qbvRaised);
  EXPECT_EQ(c->BevelKind(), qbkNone);
  EXPECT_EQ(c->BevelOuter(), qbvBorder);
  c->SetBevelKind(qbkNone);  // unchanged: the cuts stay
  EXPECT_EQ(c->BevelInner(), qbvRaised);
}

// No buffer, the shared surface and a surface of its own draw the same
// pixels; so does a control wider than the shared surface in shared mode
// (it paints through a buffer of its own rather than not at all).
TEST(KivControl, EveryBufferingModePaintsTheSamePixels) {
  for (int width : {90, SharedBufferSize().cx + 20}) {
    TShownForm s;
    auto* c = new TPatterned(s.form.get());
    c->SetBounds(0, 0, width, 40);
    c->SetParent(s.form.get());
    s.Show();
    c->SetPerformance(qspNoBuffer);
    auto direct = PaintToMemory(*c);
    // The buffered paints start on another background: what they leave
    // unpainted differs.
    ASSERT_NE(direct->At(width - 1, 39) & 0xFFFFFF, 0x123456u);
    for (TKivPerformance mode : {qspSharedBuffer, qspDoubleBuffer}) {
      c->SetPerformance(mode);
      auto buffered = PaintToMemory(*c, 0x00654321);
      EXPECT_EQ(FirstDifference(*direct, *buffered), "") << "mode " << mode << ", width " << width;
    }
  }
}

TEST(KivControl, FrameBevelsAreDrawnOnTheirSidesInTheirColours) {
  if (VisualStylesActive()) GTEST_SKIP() << "the frame is the platform's edit frame here";
  TShownForm s;
  auto* c = new TKivControl(s.form.get());
  c->SetBounds(0, 0, 20, 12);
  c->SetParent(s.form.get());
  c->SetBevelWidth(1);
  c->SetBorderWidth(1);
  c->SetColor(0x00203040);
  auto m = PaintToMemory(*c);
  auto px = [](TColor c) {
    const uint32_t v = ColorToRGB(c);
    return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
  };
  // Outer lowered: shadow top-left, highlight bottom-right; inner lowered:
  // dark shadow top-left, face bottom-right; then the border ring in Color.
  EXPECT_EQ(m->At(0, 5) & 0xFFFFFF, px(clBtnShadow));
  EXPECT_EQ(m->At(19, 5) & 0xFFFFFF, px(clBtnHighlight));
  EXPECT_EQ(m->At(1, 5) & 0xFFFFFF, px(cl3DDkShadow));
  EXPECT_EQ(m->At(18, 5) & 0xFFFFFF, px(clBtnFace));
  EXPECT_EQ(m->At(2, 5) & 0xFFFFFF, px(0x00203040));
  EXPECT_EQ(m->At(5, 11) & 0xFFFFFF, px(clBtnHighlight));
  EXPECT_EQ(c->GetInnerRect(), (TRect{3, 3, 17, 9}));
}

TEST(KivControl, PlatformEraseRequestsPaintNothingAndLibraryOnesPaintFrameAndClient) {
  TShownForm s;
  auto* c = new TPatterned(s.form.get());
  c->SetBounds(0, 0, 60, 30);
  c->SetParent(s.form.get());
  s.Show();
  kivtest::TMemoryDC erased(60, 30, true);
  erased.Fill(0x00123456);
  EXPECT_EQ(c->Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(erased.dc), 0), 1);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(erased.At(x, y) & 0xFFFFFF, 0x123456u);
  EXPECT_EQ(c->Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(erased.dc), 1), 1);
  auto painted = PaintToMemory(*c);
  EXPECT_EQ(FirstDifference(erased, *painted), "");
}

// A see-through child shows its parent's frame and client at its own place;
// a see-through grandchild inside it shows the same, two offsets deep.
TEST(KivControl, TransparentChildrenShowTheirParentAtTheRightOffset) {
  TShownForm s;
  auto* parent = new TPatterned(s.form.get());
  parent->SetBounds(5, 5, 120, 60);
  parent->SetParent(s.form.get());
  auto* child = new TSeeThrough(s.form.get());
  child->SetBounds(1, 2, 50, 30);
  child->SetParent(parent);
  auto* grandchild = new TSeeThrough(s.form.get());
  grandchild->SetBounds(7, 3, 20, 12);
  grandchild->SetParent(child);
  s.Show();
  auto whole = PaintToMemory(*parent);
  for (TKivPerformance mode : {qspNoBuffer, qspDoubleBuffer}) {
    child->SetPerformance(mode);
    grandchild->SetPerformance(mode);
    EXPECT_EQ(FirstDifference(*PaintToMemory(*child), *whole, 1, 2), "") << mode;
    EXPECT_EQ(FirstDifference(*PaintToMemory(*grandchild), *whole, 8, 5), "") << mode;
  }
}

TEST(KivControl, FormParentsFillWithTheirColour) {
  TShownForm s;
  auto* child = new TSeeThrough(s.form.get());
  child->SetBounds(30, 20, 16, 10);
  child->SetParent(s.form.get());
  s.Show();
  auto m = PaintToMemory(*child);
  const uint32_t form_px = 0x775533;  // the fixture's form colour 0x00335577 as a pixel
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(m->At(x, y) & 0xFFFFFF, form_px) << x << "," << y;
}

// The idle step's sequence when the pointer moves from a parent onto its
// child: leave for the parent, then enter for the child, which passes it on.
TEST(KivControl, PointerMovingOntoAChildLeavesTheParentHot) {
  TShownForm s;
  auto* parent = new TKivControl(s.form.get());
  parent->SetParent(s.form.get());
  auto* child = new TKivControl(s.form.get());
  child->SetBounds(2, 2, 20, 10);
  child->SetParent(parent);
  int enters = 0, leaves = 0;
  parent->OnMouseEnter.Handler = [&](TObject*) { ++enters; };
  parent->OnMouseLeave.Handler = [&](TObject*) { ++leaves; };
  parent->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(parent->Hot());
  parent->Perform(CM_MOUSELEAVE);
  child->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(child->Hot());
  EXPECT_TRUE(parent->Hot());
  EXPECT_EQ(enters, 2);
  EXPECT_EQ(leaves, 1);
  child->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(parent->Hot());
}

TEST(KivControl, FocusFollowsEnterAndExitAndHidingClearsIt) {
  TShownForm s;
  auto* a = new TKivControl(s.form.get());
  a->SetParent(s.form.get());
  a->SetTabStop(true);
  auto* b = new TKivControl(s.form.get());
  b->SetTop(40);
  b->SetParent(s.form.get());
  b->SetTabStop(true);
  s.Show();
  a->SetFocus();
  TShownForm::Pump();
  EXPECT_TRUE(a->HasFocus());
  b->SetFocus();
  TShownForm::Pump();
  EXPECT_FALSE(a->HasFocus());
  EXPECT_TRUE(b->HasFocus());
  b->Hide();
  EXPECT_FALSE(b->HasFocus());
}

// A size request counts for painting before the window has taken it.
TEST(KivControl, PaintSizeFollowsEverySizeRequest) {
  TShownForm s;
  auto* c = new TKivControl(s.form.get());
  c->SetParent(s.form.get());
  s.Show();
  SetWindowPos(c->Handle(), nullptr, 0, 0, 64, 22, SWP_NOZORDER | SWP_NOMOVE);
  EXPECT_EQ(c->PaintWidth(), 64);
  EXPECT_EQ(c->PaintHeight(), 22);
  c->SetBounds(0, 0, 50, 18);
  EXPECT_EQ(c->GetInnerRect(), (TRect{0, 0, 50, 18}));
}

}  // namespace
}  // namespace kiv
