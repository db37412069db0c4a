// The in-place scroll-bar pair over a real rich-edit control holding a real
// rich-text document: the bar lies exactly on the native bar, each side's
// scrolling moves the other, a text that fits hides it, and forms go
// without a crash whichever of edit, bars, pair and parents goes first.
#include <windows.h>
// after windows.h, which it needs
#include <richedit.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/kiv_inplace_scroll_bar_win32.hpp"
#include "controls_support_win32.hpp"
#include "framework/win32/panel.hpp"
#include "framework/win32/rich_edit.hpp"
#include "paired_edit_win32.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

using ctltest::TPairedEdit;
using ctltest::TShownForm;

const char* const kLongCaption = "rtf/rtfpipe/Files/phprtflite/paragraphs_fonts.rtf";
const char* const kShortCaption = "rtf/rtfpipe/Files/minimal.rtf";

struct TEditOnForm {
  TShownForm s{300, 220};
  TPairedEdit* edit;
  explicit TEditOnForm(const char* caption = kLongCaption) {
    edit = new TPairedEdit(s.form.get());
    edit->SetBounds(20, 20, 220, 150);
    edit->SetScrollBars(ssVertical);
    edit->SetReadOnly(true);
    edit->SetParent(s.form.get());
    s.Show();
    edit->Lines()->LoadFromFile(kivtest::TestData(caption));
    Settle();
  }
  void Settle() {
    UpdateWindow(edit->Handle());
    TShownForm::Pump();
  }
  TKivInplaceScrollBar* Vert() { return edit->pair->VertScrollBar(); }
  SCROLLINFO Native() {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(edit->Handle(), SB_VERT, &info);
    return info;
  }
  int FirstLine() {
    return static_cast<int>(SendMessageW(edit->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
  }
};

TRect NativeBarInParent(TWinControl* target, LONG object) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  EXPECT_TRUE(GetScrollBarInfo(target->Handle(), object, &info));
  POINT p[2] = {{info.rcScrollBar.left, info.rcScrollBar.top},
                {info.rcScrollBar.right, info.rcScrollBar.bottom}};
  MapWindowPoints(nullptr, target->Parent()->Handle(), p, 2);
  return TRect{p[0].x, p[0].y, p[1].x, p[1].y};
}

TEST(KivInplaceScrollBar, LiesOnTheNativeBarAndTakesItsRange) {
  TEditOnForm f;
  TKivInplaceScrollBar* bar = f.Vert();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Parent(), f.s.form.get());
  EXPECT_TRUE(bar->Visible());
  EXPECT_TRUE(IsWindowVisible(bar->Handle())) << "the window is made hidden and must be shown";
  EXPECT_EQ(bar->BoundsRect(), NativeBarInParent(f.edit, OBJID_VSCROLL));
  EXPECT_GT(bar->Height(), 50);
  const SCROLLINFO native = f.Native();
  EXPECT_EQ(bar->ScrollBar()->Min(), native.nMin);
  EXPECT_EQ(bar->ScrollBar()->Max(), native.nMax);
  EXPECT_EQ(bar->ScrollBar()->PageSize(), static_cast<int>(native.nPage));
  EXPECT_EQ(bar->ScrollBar()->Orientation(), qsoVertical);
  EXPECT_EQ(bar->ScrollBar()->BorderWidth(), 0);
  // The edit has no horizontal bar: neither has the pair, which makes no
  // window for it until the native one shows.
  EXPECT_FALSE(f.edit->pair->HorzScrollBar()->Visible());
  EXPECT_FALSE(f.edit->pair->HorzScrollBar()->HandleAllocated());
  // Above the edit in the z-order.
  for (HWND w = GetWindow(f.edit->Handle(), GW_HWNDPREV);; w = GetWindow(w, GW_HWNDPREV)) {
    ASSERT_NE(w, nullptr) << "the bar is below the edit";
    if (w == bar->Handle()) break;
  }
}

TEST(KivInplaceScrollBar, DraggingTheThumbScrollsTheText) {
  TEditOnForm f;
  TKivInplaceScrollBar* bar = f.Vert();
  ASSERT_TRUE(bar->Visible());
  ASSERT_EQ(f.FirstLine(), 0);
  const TRect thumb = bar->ScrollBar()->GetThumbRect();
  ASSERT_GT(thumb.Height(), 0);
  const int x = thumb.Left + thumb.Width() / 2, y = thumb.Top + 2;
  auto send = [&](UINT msg, int yy, WPARAM keys) {
    SendMessageW(bar->Handle(), msg, keys, MAKELPARAM(x, yy));
  };
  send(WM_MOUSEMOVE, y, 0);
  send(WM_LBUTTONDOWN, y, MK_LBUTTON);
  send(WM_MOUSEMOVE, y + 30, MK_LBUTTON);
  f.Settle();  // the edit repaints while the thumb is held
  const int while_dragging = f.FirstLine();
  EXPECT_GT(while_dragging, 0);
  EXPECT_TRUE(bar->ScrollBar()->Dragging());
  send(WM_MOUSEMOVE, y + 60, MK_LBUTTON);
  send(WM_LBUTTONUP, y + 60, 0);
  f.Settle();
  EXPECT_GT(f.FirstLine(), while_dragging);
  EXPECT_EQ(f.Native().nPos, bar->ScrollBar()->Position());
  EXPECT_TRUE(bar->TakePosition());
}

// A text taller than 65,535 pixels, more than a scroll message's 16 bits of
// position could carry: the edit keeps its range within them, and dragging
// the thumb to the end shows the end of the text.
TEST(KivInplaceScrollBar, DraggingThroughATextTallerThanSixteenBitsReachesTheEnd) {
  TEditOnForm f(kShortCaption);
  std::wstring text;
  for (int i = 0; i < 9000; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
  SetWindowTextW(f.edit->Handle(), text.c_str());
  f.Settle();
  TKivInplaceScrollBar* bar = f.Vert();
  ASSERT_TRUE(bar->Visible());
  ASSERT_GT(SendMessageW(f.edit->Handle(), EM_GETLINECOUNT, 0, 0), 9000);
  EXPECT_LE(f.Native().nMax, 0xFFFF);
  const TRect thumb = bar->ScrollBar()->GetThumbRect();
  const int x = thumb.Left + thumb.Width() / 2, y = thumb.Top + 2;
  auto send = [&](UINT msg, int yy, WPARAM keys) {
    SendMessageW(bar->Handle(), msg, keys, MAKELPARAM(x, yy));
  };
  send(WM_MOUSEMOVE, y, 0);
  send(WM_LBUTTONDOWN, y, MK_LBUTTON);
  send(WM_MOUSEMOVE, y + bar->Height(), MK_LBUTTON);  // past the end of the track
  f.Settle();
  EXPECT_GT(f.FirstLine(), 8900) << "while dragging";
  send(WM_LBUTTONUP, y + bar->Height(), 0);
  f.Settle();
  EXPECT_GT(f.FirstLine(), 8900) << "after the drag";
  EXPECT_EQ(f.Native().nPos, bar->ScrollBar()->Position());
}

// Scrolling the edit itself (keyboard, wheel, its own messages) moves the
// in-place thumb at the edit's next paint.
TEST(KivInplaceScrollBar, NativeScrollingMovesTheInplaceThumb) {
  TEditOnForm f;
  TKivInplaceScrollBar* bar = f.Vert();
  const int top = bar->ScrollBar()->GetThumbRect().Top;
  SendMessageW(f.edit->Handle(), EM_LINESCROLL, 0, 25);
  f.Settle();
  EXPECT_GT(f.Native().nPos, 0);
  EXPECT_EQ(bar->ScrollBar()->Position(), f.Native().nPos);
  EXPECT_GT(bar->ScrollBar()->GetThumbRect().Top, top);
  // The in-place arrow scrolls the edit a line.
  const int before = f.FirstLine();
  bar->ScrollBar()->StepByKey(VK_DOWN);
  f.Settle();
  EXPECT_EQ(f.FirstLine(), before + 1);
}

// The edit's every paint syncs the bar; a sync that finds the native bar
// where and as it was repaints nothing, and one that finds it scrolled
// repaints the thumb's old and new place, not the arrows.
TEST(KivInplaceScrollBar, SyncRepaintsOnlyWhatChanged) {
  TEditOnForm f;
  TKivInplaceScrollBar* bar = f.Vert();
  HWND window = bar->Handle();
  UpdateWindow(window);
  bar->SyncWithTarget();
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
  const TRect before = bar->ScrollBar()->GetThumbRect();
  // The edit may repaint (and so sync) within its scroll already.
  ValidateRect(window, nullptr);
  SendMessageW(f.edit->Handle(), EM_LINESCROLL, 0, 25);
  bar->SyncWithTarget();
  const TRect after = bar->ScrollBar()->GetThumbRect();
  ASSERT_NE(before, after);
  ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(update.top, std::min(before.Top, after.Top));
  EXPECT_EQ(update.bottom, std::max(before.Bottom, after.Bottom));
  EXPECT_GE(update.top, bar->ScrollBar()->GetFirstButtonRect().Bottom);
  EXPECT_LE(update.bottom, bar->ScrollBar()->GetSecondButtonRect().Top);
}

TEST(KivInplaceScrollBar, TextThatFitsAndAHiddenEditHideTheBar) {
  TEditOnForm f(kShortCaption);
  EXPECT_FALSE(f.Vert()->Visible());
  EXPECT_FALSE(f.Vert()->HandleAllocated()) << "a window made before the native bar showed";
  f.edit->Lines()->LoadFromFile(kivtest::TestData(kLongCaption));
  f.Settle();
  EXPECT_TRUE(f.Vert()->Visible());
  EXPECT_TRUE(IsWindowVisible(f.Vert()->Handle()));
  EXPECT_EQ(f.Vert()->ScrollBar()->Max(), f.Native().nMax);
  f.edit->Hide();
  f.Settle();
  EXPECT_FALSE(f.Vert()->Visible());
  EXPECT_FALSE(IsWindowVisible(f.Vert()->Handle()));
  f.edit->Show();
  f.Settle();
  EXPECT_TRUE(f.Vert()->Visible());
}

// A bar placed as its form first shows, over a caption too long for the
// box, is drawn as it is placed: the window needs no paint round of its own
// before anything else has painted.
TEST(KivInplaceScrollBar, ABarIsDrawnAsItIsPlaced) {
  TShownForm s{300, 220};
  auto* edit = new TPairedEdit(s.form.get());
  edit->SetBounds(20, 20, 220, 150);
  edit->SetScrollBars(ssVertical);
  edit->SetReadOnly(true);
  edit->SetParent(s.form.get());
  edit->Lines()->LoadFromFile(kivtest::TestData(kLongCaption));
  s.form->Show();  // nothing pumped: no window has had its paint
  TKivInplaceScrollBar* bar = edit->pair->VertScrollBar();
  ASSERT_TRUE(bar->HandleAllocated());
  HWND window = bar->Handle();
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
  kivtest::TMemoryDC shown(bar->Width(), bar->Height(), true);
  HDC dc = GetDC(window);
  BitBlt(shown.dc, 0, 0, shown.w, shown.h, dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  GdiFlush();
  EXPECT_EQ(ctltest::FirstDifference(shown, *ctltest::PaintToMemory(*bar)), "");
}

// The horizontal bar follows the edit's horizontal native bar as the
// vertical one follows its vertical bar: shown on it when lines are too
// wide for the box, hidden when they fit or the edit loses the bar.
TEST(KivInplaceScrollBar, TheHorizontalBarFollowsTheNativeHorizontalBar) {
  TEditOnForm f(kShortCaption);
  TKivInplaceScrollBar* horz = f.edit->pair->HorzScrollBar();
  f.edit->SetWordWrap(false);
  f.edit->SetScrollBars(ssBoth);
  std::wstring wide;
  for (int i = 0; i < 40; ++i) wide += L"a line far too wide for the box ";
  SetWindowTextW(f.edit->Handle(), wide.c_str());
  f.Settle();
  ASSERT_TRUE(GetWindowLongPtrW(f.edit->Handle(), GWL_STYLE) & WS_HSCROLL);
  EXPECT_TRUE(horz->Visible());
  EXPECT_EQ(horz->BoundsRect(), NativeBarInParent(f.edit, OBJID_HSCROLL));
  EXPECT_EQ(horz->ScrollBar()->Orientation(), qsoHorizontal);
  SendMessageW(f.edit->Handle(), WM_HSCROLL, SB_PAGERIGHT, 0);
  f.Settle();
  SCROLLINFO native{};
  native.cbSize = sizeof native;
  native.fMask = SIF_ALL;
  GetScrollInfo(f.edit->Handle(), SB_HORZ, &native);
  EXPECT_GT(native.nPos, 0);
  EXPECT_EQ(horz->ScrollBar()->Position(), native.nPos);
  f.edit->SetScrollBars(ssVertical);
  f.Settle();
  EXPECT_FALSE(horz->Visible());
}

// Moving the edit to another parent takes the bars along; taking it off
// every parent takes them off too.
TEST(KivInplaceScrollBar, BarsFollowTheEditsParent) {
  TEditOnForm f;
  auto* panel = new TPanel(f.s.form.get());
  panel->SetBounds(0, 0, 300, 220);
  panel->SetParent(f.s.form.get());
  f.edit->SetParent(panel);
  f.Settle();
  EXPECT_EQ(f.Vert()->Parent(), panel);
  EXPECT_EQ(f.edit->pair->HorzScrollBar()->Parent(), nullptr);  // never needed
  EXPECT_EQ(f.Vert()->BoundsRect(), NativeBarInParent(f.edit, OBJID_VSCROLL));
  f.edit->SetParent(nullptr);
  EXPECT_EQ(f.Vert()->Parent(), nullptr);
  delete panel;  // frees nothing of the pair now
  ASSERT_NE(f.Vert(), nullptr);
  f.edit->SetParent(f.s.form.get());
  EXPECT_EQ(f.Vert()->Parent(), f.s.form.get());
}

// The bars sit in the edit's parent, which frees its children (the bars
// among them) before or after the edit depending on the order of events;
// the pair may also go before the edit. None of it may touch a freed bar.
TEST(KivInplaceScrollBar, FormsGoWithoutACrashWhateverGoesFirst) {
  struct Case {
    const char* what;
    std::function<void(TEditOnForm&)> first;
  };
  const Case cases[] = {
      {"the form alone (it frees the bars, then the edit)", [](TEditOnForm&) {}},
      {"the pair, the bars' owner, first", [](TEditOnForm& f) { f.edit->pair.reset(); }},
      {"the edit first", [](TEditOnForm& f) { delete f.edit; }},
      {"a bar first",
       [](TEditOnForm& f) {
         delete f.Vert();
         EXPECT_EQ(f.Vert(), nullptr);
         SendMessageW(f.edit->Handle(), EM_LINESCROLL, 0, 3);
         f.Settle();
       }},
      {"the parent panel first, then the form",
       [](TEditOnForm& f) {
         auto* panel = new TPanel(f.s.form.get());
         panel->SetBounds(0, 0, 300, 220);
         panel->SetParent(f.s.form.get());
         f.edit->SetParent(panel);
         f.Settle();
         delete panel;  // frees the bars (inserted last) and then the edit
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TEditOnForm f;
    c.first(f);
    f.s.form.reset();
  }
}

}  // namespace
}  // namespace kiv
