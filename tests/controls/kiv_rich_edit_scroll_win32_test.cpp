// The themed rich edit's in-place scroll bars: on a long rich-text caption
// the library's vertical bar lies exactly on the native one and on top of
// it, dragging it scrolls the text, the text's own scrolling moves it, a
// short text hides it; and the edit, its bars and their parent go in any
// order without touching freed bars.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include "controls/kiv_inplace_scroll_bar_win32.hpp"
#include "controls/kiv_rich_edit_win32.hpp"
#include "controls_support_win32.hpp"
#include "framework/win32/panel.hpp"
#include "support/testdata.hpp"

namespace kiv {
namespace {

using ctltest::TShownForm;

const std::string kLongCaption = "rtf/rtfpipe/Files/phprtflite/paragraphs_fonts.rtf";

struct TCaptionOnForm {
  TShownForm s{320, 240};
  TKivRichEdit* edit = new TKivRichEdit(s.form.get());
  explicit TCaptionOnForm(const std::string& file = kLongCaption) {
    edit->SetBounds(12, 20, 220, 70);
    edit->SetScrollBars(ssVertical);
    edit->SetReadOnly(true);
    edit->SetParent(s.form.get());
    s.Show();
    edit->Lines()->LoadFromFile(kivtest::TestData(file));
    TShownForm::Pump();
  }
  HWND Edit() { return edit->Handle(); }
  TKivInplaceScrollBar* Bar() { return edit->ScrollBarPair()->VertScrollBar(); }
};

SCROLLBARINFO NativeBar(HWND window) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  EXPECT_TRUE(GetScrollBarInfo(window, OBJID_VSCROLL, &info));
  return info;
}

SCROLLINFO NativeScroll(HWND window) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  EXPECT_TRUE(GetScrollInfo(window, SB_VERT, &info));
  return info;
}

RECT ScreenRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(KivRichEditScrollBars, ALongCaptionShowsTheBarExactlyOverTheNativeOne) {
  TCaptionOnForm f;
  const SCROLLBARINFO native = NativeBar(f.Edit());
  ASSERT_FALSE(native.rgstate[0] & STATE_SYSTEM_INVISIBLE) << "the caption should not fit";
  TKivInplaceScrollBar* bar = f.Bar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->Visible());
  EXPECT_EQ(bar->Parent(), f.s.form.get());
  const RECT placed = ScreenRect(bar->Handle());
  EXPECT_TRUE(SameRect(placed, native.rcScrollBar))
      << placed.left << "," << placed.top << "-" << placed.right << "," << placed.bottom
      << " against " << native.rcScrollBar.left << "," << native.rcScrollBar.top << "-"
      << native.rcScrollBar.right << "," << native.rcScrollBar.bottom;
  // On top: the point in the middle of the native bar belongs to the bar.
  POINT middle{(placed.left + placed.right) / 2, (placed.top + placed.bottom) / 2};
  ScreenToClient(f.s.form->Handle(), &middle);
  EXPECT_EQ(ChildWindowFromPointEx(f.s.form->Handle(), middle, CWP_SKIPINVISIBLE), bar->Handle());
  const SCROLLINFO info = NativeScroll(f.Edit());
  EXPECT_EQ(bar->ScrollBar()->Min(), info.nMin);
  EXPECT_EQ(bar->ScrollBar()->Max(), info.nMax);
  EXPECT_EQ(bar->ScrollBar()->PageSize(), static_cast<int>(info.nPage));
  EXPECT_EQ(bar->ScrollBar()->Position(), 0);
}

// The thumb dragged down by a third of the track moves the text; the
// text's own scrolling (keyboard, wheel) moves the thumb back.
// The native bars lie under the library's and the frame is drawn over the
// native border: a frame paint leaves the platform's own non-client drawing
// out (a visual-styles scroll bar costs milliseconds), whether the native bar
// shows or not, and the library's bar is in place when the frame is painted.
TEST(KivRichEditScrollBars, AFramePaintLeavesTheCoveredNativeBarsUndrawn) {
  struct TCounted : TKivRichEdit {
    using TKivRichEdit::TKivRichEdit;
    int platform_frame_paints = 0;
    void Dispatch(TMessage& m) override {
      if (m.Msg == WM_NCPAINT) ++platform_frame_paints;
      TKivRichEdit::Dispatch(m);
    }
  };
  for (const bool long_text : {true, false}) {
    SCOPED_TRACE(long_text ? "long caption" : "short text");
    TShownForm s{320, 240};
    auto* edit = new TCounted(s.form.get());
    edit->SetBounds(12, 20, 220, 70);
    edit->SetScrollBars(ssVertical);
    edit->SetParent(s.form.get());
    s.Show();
    if (long_text)
      edit->Lines()->LoadFromFile(kivtest::TestData(kLongCaption));
    else
      SetWindowTextW(edit->Handle(), L"short");
    TShownForm::Pump();
    edit->platform_frame_paints = 0;
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    TShownForm::Pump();
    EXPECT_EQ(edit->platform_frame_paints, 0);
    const SCROLLBARINFO native = NativeBar(edit->Handle());
    TKivInplaceScrollBar* bar = edit->ScrollBarPair()->VertScrollBar();
    const bool shows = !(native.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(shows, long_text);
    EXPECT_EQ(bar->Visible(), shows);
    if (shows) {
      EXPECT_TRUE(SameRect(ScreenRect(bar->Handle()), native.rcScrollBar));
    }
  }
}

TEST(KivRichEditScrollBars, DraggingTheBarScrollsTheTextAndTheTextMovesTheBar) {
  TCaptionOnForm f;
  TKivInplaceScrollBar* bar = f.Bar();
  ASSERT_TRUE(bar && bar->Visible());
  HWND host = bar->Handle();
  const TRect thumb = bar->ScrollBar()->GetThumbRect();
  const TRect track = bar->ScrollBar()->GetTrackRect();
  ASSERT_GT(thumb.Height(), 0);
  const int x = (thumb.Left + thumb.Right) / 2, y = (thumb.Top + thumb.Bottom) / 2;
  const int dy = track.Height() / 3;
  SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(host, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + dy));
  SendMessageW(host, WM_LBUTTONUP, 0, MAKELPARAM(x, y + dy));
  TShownForm::Pump();
  const int first_line = static_cast<int>(SendMessageW(f.Edit(), EM_GETFIRSTVISIBLELINE, 0, 0));
  EXPECT_GT(first_line, 0);
  const SCROLLINFO dragged = NativeScroll(f.Edit());
  EXPECT_GT(dragged.nPos, 0);
  EXPECT_EQ(bar->ScrollBar()->Position(), dragged.nPos);
  EXPECT_GT(bar->ScrollBar()->GetThumbRect().Top, thumb.Top);

  SendMessageW(f.Edit(), WM_VSCROLL, SB_TOP, 0);
  TShownForm::Pump();
  EXPECT_EQ(NativeScroll(f.Edit()).nPos, 0);
  EXPECT_EQ(bar->ScrollBar()->Position(), 0);
  EXPECT_EQ(bar->ScrollBar()->GetThumbRect(), thumb);
}

TEST(KivRichEditScrollBars, AShortTextHidesTheBar) {
  TCaptionOnForm f;
  ASSERT_TRUE(f.Bar()->Visible());
  f.edit->Clear();
  SetWindowTextW(f.Edit(), L"short");
  TShownForm::Pump();
  EXPECT_TRUE(NativeBar(f.Edit()).rgstate[0] & STATE_SYSTEM_INVISIBLE);
  EXPECT_FALSE(f.Bar()->Visible());
  EXPECT_FALSE(IsWindowVisible(f.Bar()->Handle()));
  // A text that fits from the start never shows it.
  TCaptionOnForm fits("rtf/rtfpipe/Files/minimal.rtf");
  EXPECT_FALSE(fits.Bar()->Visible());
}

// The scroll bars changed after loading remake the edit's window: the bar
// follows the new window and stays on top of it.
TEST(KivRichEditScrollBars, ARemadeWindowKeepsTheBarOnTop) {
  TCaptionOnForm f;
  f.edit->SetScrollBars(ssNone);
  TShownForm::Pump();
  EXPECT_FALSE(f.Bar()->Visible());
  f.edit->SetScrollBars(ssVertical);
  TShownForm::Pump();
  ASSERT_TRUE(f.Bar()->Visible());
  const RECT placed = ScreenRect(f.Bar()->Handle());
  EXPECT_TRUE(SameRect(placed, NativeBar(f.Edit()).rcScrollBar));
  POINT middle{(placed.left + placed.right) / 2, (placed.top + placed.bottom) / 2};
  ScreenToClient(f.s.form->Handle(), &middle);
  EXPECT_EQ(ChildWindowFromPointEx(f.s.form->Handle(), middle, CWP_SKIPINVISIBLE),
            f.Bar()->Handle());
}

// Moving the edit to another parent takes its bars along.
TEST(KivRichEditScrollBars, TheBarsFollowTheEditToAnotherParent) {
  TCaptionOnForm f;
  auto* panel = new TPanel(f.s.form.get());
  panel->SetBounds(0, 100, 300, 120);
  panel->SetParent(f.s.form.get());
  f.edit->SetParent(panel);
  TShownForm::Pump();
  EXPECT_EQ(f.Bar()->Parent(), panel);
  // The horizontal native bar never showed: its bar has no window to move.
  EXPECT_EQ(f.edit->ScrollBarPair()->HorzScrollBar()->Parent(), nullptr);
  EXPECT_TRUE(SameRect(ScreenRect(f.Bar()->Handle()), NativeBar(f.Edit()).rcScrollBar));
}

// The window goes with everything on it; a parent that frees the bars
// before the edit; a bar freed on its own first; the edit freed alone.
TEST(KivRichEditScrollBars, EditBarsAndParentsGoInAnyOrder) {
  {
    TCaptionOnForm f;
    f.s.form.reset();
  }
  {
    TCaptionOnForm f;
    auto* panel = new TPanel(f.s.form.get());
    panel->SetBounds(0, 0, 300, 200);
    panel->SetParent(f.s.form.get());
    f.edit->SetParent(panel);
    TShownForm::Pump();
    delete panel;  // frees its children, the bars first (the last ones in)
    TShownForm::Pump();
    f.s.form.reset();
  }
  {
    TCaptionOnForm f;
    TKivSubScrollBar* pair = f.edit->ScrollBarPair();
    delete pair->VertScrollBar();
    EXPECT_EQ(pair->VertScrollBar(), nullptr);
    SendMessageW(f.Edit(), WM_VSCROLL, SB_PAGEDOWN, 0);  // reaches only the live bar
    TShownForm::Pump();
    delete f.edit;
    TShownForm::Pump();
    EXPECT_EQ(f.s.form->ControlCount(), 0);
  }
}

}  // namespace
}  // namespace kiv
