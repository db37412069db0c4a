// The themed scroll bar through real mouse messages: thumb sizes, the
// drag's events, the auto-repeat on a clock the test ticks, ShowButtons,
// the range setters, the control base's built-in bars, and its faces in the
// visual-styles look (against the platform's own drawing of each part) and
// the classic one.
#include <windows.h>
// after windows.h, which they need
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/kiv_inplace_scroll_bar_win32.hpp"
#include "controls_support_win32.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "graphics/kiv_winapi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {
namespace {

using ctltest::FirstDifference;
using ctltest::PaintToMemory;
using ctltest::TShownForm;

// A repeat clock that only the test ticks.
class TManualTimer : public TKivRepeatTimer {
 public:
  unsigned Interval() const override { return interval_; }
  void SetInterval(unsigned value) override { interval_ = value; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool value) override { enabled_ = value; }
  void Tick() {
    if (enabled_ && OnTick) OnTick();
  }

 private:
  unsigned interval_ = 0;
  bool enabled_ = false;
};

// Every bar made while it lives gets a manual clock (the last one made is
// `timer`).
struct TManualClock {
  TManualTimer* timer = nullptr;
  TManualClock() {
    SetScrollRepeatTimerFactory([this] {
      auto t = std::make_unique<TManualTimer>();
      timer = t.get();
      return t;
    });
  }
  ~TManualClock() { SetScrollRepeatTimerFactory({}); }
};

int Metric() {
  return GetSystemMetrics(SM_CYVTHUMB);
}

// A bar filling a small window of its own on a shown form, so that mouse
// messages reach it through the window and the window paints it alone.
struct TBarOnForm {
  TShownForm s{240, 260};
  TKivInplaceScrollBar* host;
  TKivScrollBar* bar;
  TBarOnForm(TKivScrollOrientation orientation, int length, int border = 1) {
    host = new TKivInplaceScrollBar(s.form.get());
    bar = host->ScrollBar();
    bar->SetOrientation(orientation);
    bar->SetBorderWidth(border);
    if (orientation == qsoVertical)
      host->SetBounds(10, 10, Metric(), length);
    else
      host->SetBounds(10, 10, length, Metric());
    host->SetParent(s.form.get());
    s.Show();
  }
  void Send(UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageW(host->Handle(), msg, keys, MAKELPARAM(x, y));
  }
  void Press(int x, int y) {
    Send(WM_MOUSEMOVE, x, y);
    Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  }
};

struct TScrollRecord {
  TKivScrollCode code;
  int position;
};

std::vector<TScrollRecord>& Record(TKivScrollBar* bar, std::vector<TScrollRecord>& events) {
  bar->OnScroll.Handler = [&events](TObject*, TKivScrollCode code, int& position) {
    events.push_back({code, position});
  };
  return events;
}

TEST(KivScrollBar, ConstructionValues) {
  TShownForm s;
  auto* bar = new TKivScrollBar(s.form.get());
  EXPECT_EQ(bar->Width(), 121);
  EXPECT_EQ(bar->Height(), Metric());
  EXPECT_EQ(bar->Performance(), qspDoubleBuffer);
  EXPECT_EQ(bar->BorderWidth(), 1);
  EXPECT_TRUE(bar->ShowButtons());
  EXPECT_EQ(bar->Orientation(), qsoHorizontal);
  EXPECT_EQ(bar->Max(), 100);
  EXPECT_EQ(bar->DragOffset(), -1);
  EXPECT_EQ(bar->ThemeObject(), "default");
  EXPECT_TRUE(bar->ControlStyle() & csCaptureMouse);
  EXPECT_EQ(bar->Perform(WM_GETDLGCODE), DLGC_WANTARROWS);
  const auto& clients = ThemeManager().Clients();
  EXPECT_NE(std::find(clients.begin(), clients.end(), bar), clients.end());
  delete bar;
  EXPECT_EQ(std::find(clients.begin(), clients.end(), bar), clients.end());
}

// The thumb of a vertical bar 200 long (track 200 - 2 - 2 * metric): the
// metric without a page, proportional with one, never below two thirds of
// the metric, and none at all when it would fill the track, which a press
// then cannot grab.
TEST(KivScrollBar, ThumbSizesAndAThumbFillingTheTrackCannotBeGrabbed) {
  TBarOnForm f(qsoVertical, 200);
  const int m = Metric(), track = 200 - 2 - 2 * m;
  struct Case {
    int max, page, want;
  };
  const Case cases[] = {
      {100, 0, m},
      {99, 50, (track * 50 + 50) / 100},  // half the track
      {9999, 1, m / 3 * 2},
      {99, 100, 0},
  };
  for (const Case& c : cases) {
    f.bar->SetPageSize(0);
    f.bar->SetMax(c.max);
    f.bar->SetPageSize(c.page);
    EXPECT_EQ(f.bar->GetThumbSize(), c.want) << c.max << "/" << c.page;
    EXPECT_EQ(f.bar->GetTrackRect().Height(), track);
  }
  // No thumb: a press in the middle of the track starts no drag.
  std::vector<TScrollRecord> events;
  Record(f.bar, events);
  f.Press(m / 2, 100);
  EXPECT_FALSE(f.bar->Dragging());
  for (const TScrollRecord& e : events) EXPECT_NE(e.code, qscTrack);
  f.Send(WM_LBUTTONUP, m / 2, 100);
}

// Track on the grab, tracks while moving (the handler's changes are not
// applied), then position and end-scroll on release, in that order.
TEST(KivScrollBar, DragReportsTrackThenPositionThenEndScroll) {
  TBarOnForm f(qsoHorizontal, 221);
  f.bar->SetPageSize(10);
  std::vector<TScrollRecord> events;
  f.bar->OnScroll.Handler = [&events](TObject*, TKivScrollCode code, int& position) {
    events.push_back({code, position});
    if (code == qscTrack) position = 0;  // ignored while dragging
  };
  const TRect thumb = f.bar->GetThumbRect();
  const int grab_x = thumb.Left + 3, y = Metric() / 2;
  f.Press(grab_x, y);
  ASSERT_TRUE(f.bar->Dragging());
  EXPECT_EQ(f.bar->DragOffset(), 3);
  f.Send(WM_MOUSEMOVE, grab_x + 40, y, MK_LBUTTON);
  const int after_first = f.bar->Position();
  EXPECT_GT(after_first, 0);
  f.Send(WM_MOUSEMOVE, grab_x + 80, y, MK_LBUTTON);
  const int dragged = f.bar->Position();
  EXPECT_GT(dragged, after_first);
  f.Send(WM_LBUTTONUP, grab_x + 80, y);
  EXPECT_FALSE(f.bar->Dragging());
  ASSERT_EQ(events.size(), 5u);
  const TKivScrollCode want[] = {qscTrack, qscTrack, qscTrack, qscPosition, qscEndScroll};
  for (size_t i = 0; i < events.size(); ++i) EXPECT_EQ(events[i].code, want[i]) << i;
  EXPECT_EQ(events[1].position, after_first);
  EXPECT_EQ(events[2].position, dragged);
  EXPECT_EQ(events[3].position, dragged);
  // The end of a drag far past the track's end is the last position a
  // page can start at.
  f.Press(f.bar->GetThumbRect().Left + 1, y);
  f.Send(WM_MOUSEMOVE, 1000, y, MK_LBUTTON);
  f.Send(WM_LBUTTONUP, 1000, y);
  EXPECT_EQ(f.bar->Position(), 100 - 10 + 1);
}

// Held on the page-down area, the repeat steps a page at a time (first at
// once, then after the keyboard delay, then at the keyboard speed) until the
// thumb reaches the pointer, and then stops with the button still down.
TEST(KivScrollBar, PageRepeatStopsUnderThePointer) {
  TManualClock clock;
  TBarOnForm f(qsoVertical, 240);
  f.bar->SetMax(99);
  f.bar->SetPageSize(10);
  std::vector<TScrollRecord> events;
  Record(f.bar, events);
  const int pointer_y = 180;
  f.Press(Metric() / 2, pointer_y);
  ASSERT_NE(clock.timer, nullptr);
  int delay_setting = 0;
  DWORD speed_setting = 0;
  SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay_setting, 0);
  SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &speed_setting, 0);
  EXPECT_EQ(clock.timer->Interval(), unsigned(delay_setting + 1) * 200);
  EXPECT_TRUE(clock.timer->Enabled());
  EXPECT_EQ(f.bar->Position(), 10);  // the immediate first step
  clock.timer->Tick();
  EXPECT_EQ(clock.timer->Interval(), unsigned(std::lround(1000.0 / ((speed_setting + 1) * 2.3))));
  for (int i = 0; i < 20; ++i) clock.timer->Tick();
  const TRect thumb = f.bar->GetThumbRect();
  EXPECT_LE(thumb.Top, pointer_y);
  EXPECT_GT(thumb.Bottom, pointer_y);
  const int stopped = f.bar->Position();
  EXPECT_LT(stopped, 90);
  for (const TScrollRecord& e : events) EXPECT_EQ(e.code, qscPageDown);
  f.Send(WM_LBUTTONUP, Metric() / 2, pointer_y);
  EXPECT_FALSE(clock.timer->Enabled());
  EXPECT_EQ(f.bar->Position(), stopped);
  EXPECT_EQ(events.back().code, qscEndScroll);
}

// A held arrow steps by SmallChange; releasing it stops the clock.
TEST(KivScrollBar, HeldArrowStepsAndKeysStep) {
  TManualClock clock;
  TBarOnForm f(qsoHorizontal, 200);
  f.bar->SetSmallChange(3);
  f.bar->SetLargeChange(7);
  f.Press(200 - 1 - Metric() / 2, Metric() / 2);  // the right arrow
  EXPECT_EQ(f.bar->Position(), 3);
  clock.timer->Tick();
  clock.timer->Tick();
  EXPECT_EQ(f.bar->Position(), 9);
  f.Send(WM_LBUTTONUP, 200 - 1 - Metric() / 2, Metric() / 2);
  clock.timer->Tick();
  EXPECT_EQ(f.bar->Position(), 9);
  struct Case {
    int key, want;
    TKivScrollCode code;
  };
  std::vector<TScrollRecord> events;
  Record(f.bar, events);
  for (const Case& c :
       {Case{VK_NEXT, 16, qscPageDown}, Case{VK_LEFT, 13, qscLineUp}, Case{VK_END, 100, qscBottom},
        Case{VK_DOWN, 100, qscLineDown}, Case{VK_HOME, 0, qscTop}, Case{VK_PRIOR, 0, qscPageUp}}) {
    events.clear();
    f.bar->StepByKey(c.key);
    EXPECT_EQ(f.bar->Position(), c.want) << c.key;
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].code, c.code);
  }
  events.clear();
  f.bar->StepByKey('A');
  EXPECT_TRUE(events.empty());
}

// Without buttons the track runs the bar's whole length: the ends are page
// areas, never arrows, and nothing there turns hot as a button.
TEST(KivScrollBar, WithoutButtonsTheEndsArePageAreas) {
  TManualClock clock;
  TBarOnForm f(qsoVertical, 200);
  f.bar->SetShowButtons(false);
  EXPECT_EQ(f.bar->GetTrackRect(), (TRect{1, 1, Metric() - 1, 199}));
  f.bar->SetPosition(50);
  std::vector<TScrollRecord> events;
  Record(f.bar, events);
  f.Press(Metric() / 2, 3);
  EXPECT_FALSE(f.bar->HotParts().FirstButton);
  EXPECT_TRUE(f.bar->HotParts().PageUp);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events[0].code, qscPageUp);
  f.Send(WM_LBUTTONUP, Metric() / 2, 3);
  events.clear();
  f.bar->SetPosition(50);
  f.Press(Metric() / 2, 197);
  EXPECT_FALSE(f.bar->HotParts().SecondButton);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events[0].code, qscPageDown);
  f.Send(WM_LBUTTONUP, Metric() / 2, 197);
  // Leaving clears every hot part.
  f.Send(WM_MOUSEMOVE, Metric() / 2, 100);
  f.bar->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(f.bar->HotParts().Any());
}

TEST(KivScrollBar, RangeSettersKeepTheInvariantsAndReportChanges) {
  TShownForm s;
  auto* bar = new TKivScrollBar(s.form.get());
  int changes = 0;
  bar->OnChange.Handler = [&](TObject*) { ++changes; };
  bar->SetPosition(100);
  EXPECT_EQ(changes, 1);
  bar->SetPosition(150);  // beyond Max: stored as Max, and still reported
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_EQ(changes, 2);
  bar->SetPageSize(60);
  bar->SetMax(50);  // pulls the position down and shrinks the page
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_EQ(bar->PageSize(), 51);
  EXPECT_EQ(changes, 3);
  // Taking a range whose minimum lies above the current maximum, and one at
  // the 32-bit limits: both land whole.
  bar->SetRange(1000, 2000, 10);
  EXPECT_EQ(bar->Min(), 1000);
  EXPECT_EQ(bar->Max(), 2000);
  EXPECT_EQ(bar->Position(), 1000);
  bar->SetRange(INT32_MIN, INT32_MAX, INT32_MAX);
  EXPECT_EQ(bar->Min(), INT32_MIN);
  EXPECT_EQ(bar->Max(), INT32_MAX);
  bar->SetPosition(INT32_MAX);
  bar->SetBounds(0, 0, 17, 200);
  bar->SetOrientation(qsoVertical);
  const TRect thumb = bar->GetThumbRect();
  EXPECT_GT(thumb.Height(), 0);
  EXPECT_EQ(thumb.Bottom, bar->GetTrackRect().Bottom);
}

// A control with both built-in bars lays them along its right and bottom
// and hears their scrolls as its own scroll messages.
class TScrolledControl : public TKivControl {
 public:
  explicit TScrolledControl(TComponent* owner) : TKivControl(owner) {
    SetScrollBarKind(kScrollBarBoth);
  }
  std::vector<std::pair<UINT, WPARAM>> scrolls;

 protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) {
      scrolls.push_back({m.Msg, m.WParam});
      if (m.Msg == WM_VSCROLL) VertScrollBar()->SetPosition(42);  // the control decides
      return;
    }
    TKivControl::Dispatch(m);
  }
};

TEST(KivScrollBar, BuiltInBarsOfTheControlBase) {
  TShownForm s;
  auto* c = new TScrolledControl(s.form.get());
  c->SetBounds(10, 10, 150, 100);
  c->SetParent(s.form.get());
  s.Show();
  TKivScrollBar* v = c->VertScrollBar();
  TKivScrollBar* h = c->HorzScrollBar();
  ASSERT_NE(v, nullptr);
  ASSERT_NE(h, nullptr);
  const int m = Metric();
  EXPECT_EQ(v->BoundsRect(), (TRect{150 - m, 0, 150, 100 - m}));
  EXPECT_EQ(h->BoundsRect(), (TRect{0, 100 - m, 150 - m, 100}));
  EXPECT_EQ(v->Orientation(), qsoVertical);
  EXPECT_EQ(c->ClientRect(), (TRect{0, 0, 150 - m, 100 - m}));
  v->StepByKey(VK_NEXT);
  h->StepByKey(VK_RIGHT);
  ASSERT_EQ(c->scrolls.size(), 2u);
  EXPECT_EQ(c->scrolls[0], (std::pair<UINT, WPARAM>{WM_VSCROLL, SB_PAGEDOWN}));
  EXPECT_EQ(c->scrolls[1], (std::pair<UINT, WPARAM>{WM_HSCROLL, SB_LINEDOWN}));
  EXPECT_EQ(v->Position(), 42);  // read back from the bar
  c->SetScrollSuppressed(true);
  h->StepByKey(VK_RIGHT);
  EXPECT_EQ(c->scrolls.size(), 2u);
}

// ---------------------------------------------------------------- looks

// Each part of the visual-styles look is the platform's drawing of the same
// part and state at the same size; a part the style lacks is drawn classic.
TEST(KivScrollBar, VisualStylesPartsAreThePlatformsParts) {
  if (!VisualStylesActive()) GTEST_SKIP() << "classic look";
  TBarOnForm f(qsoVertical, 160, 0);
  f.bar->SetPageSize(20);
  f.bar->SetPosition(30);
  HTHEME theme = OpenThemeData(nullptr, L"ScrollBar");
  ASSERT_NE(theme, nullptr);
  std::printf("style parts defined: arrow %d, vertical thumb %d, vertical track %d\n",
              IsThemePartDefined(theme, SBP_ARROWBTN, 0),
              IsThemePartDefined(theme, SBP_THUMBBTNVERT, 0),
              IsThemePartDefined(theme, SBP_LOWERTRACKVERT, 0));
  struct Part {
    const char* what;
    TRect rect;
    int part, state;
    UINT classic;  // the frame-control arrow drawn when the style lacks the part
  };
  auto expect_parts = [&](const char* look, std::initializer_list<Part> parts) {
    auto got = PaintToMemory(*f.host);
    for (const Part& p : parts) {
      kivtest::TMemoryDC want(p.rect.Width(), p.rect.Height(), true);
      RECT r{0, 0, p.rect.Width(), p.rect.Height()};
      if (IsThemePartDefined(theme, p.part, 0)) {
        FillRect(want.dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawThemeBackground(theme, want.dc, p.part, p.state, &r, nullptr);
      } else if (p.classic != 0) {
        DrawFrameControl(want.dc, &r, DFC_SCROLL, p.classic);
      } else {
        continue;  // classic thumbs and tracks are checked in the classic look
      }
      GdiFlush();
      kivtest::TMemoryDC cut(p.rect.Width(), p.rect.Height(), true);
      BitBlt(cut.dc, 0, 0, p.rect.Width(), p.rect.Height(), got->dc, p.rect.Left, p.rect.Top,
             SRCCOPY);
      GdiFlush();
      EXPECT_EQ(FirstDifference(cut, want), "") << look << ": " << p.what;
    }
  };
  const TRect up = f.bar->GetFirstButtonRect(), down = f.bar->GetSecondButtonRect();
  const TRect thumb = f.bar->GetThumbRect();
  const UINT up_arrow = DFCS_SCROLLUP, down_arrow = DFCS_SCROLLDOWN;
  expect_parts("normal", {{"up", up, SBP_ARROWBTN, ABS_UPNORMAL, up_arrow},
                          {"down", down, SBP_ARROWBTN, ABS_DOWNNORMAL, down_arrow},
                          {"thumb", thumb, SBP_THUMBBTNVERT, SCRBS_NORMAL, 0}});
  f.Send(WM_MOUSEMOVE, up.Left + 2, up.Top + 2);
  expect_parts("hot", {{"up", up, SBP_ARROWBTN, ABS_UPHOT, up_arrow}});
  f.Send(WM_LBUTTONDOWN, up.Left + 2, up.Top + 2, MK_LBUTTON);
  expect_parts("pressed",
               {{"up", up, SBP_ARROWBTN, ABS_UPPRESSED, up_arrow | DFCS_PUSHED | DFCS_FLAT}});
  f.Send(WM_LBUTTONUP, up.Left + 2, up.Top + 2);
  const TRect moved = f.bar->GetThumbRect();
  f.Send(WM_MOUSEMOVE, moved.Left + 2, moved.Top + 2);
  expect_parts("hot thumb", {{"thumb", moved, SBP_THUMBBTNVERT, SCRBS_HOT, 0}});
  f.Send(WM_LBUTTONDOWN, moved.Left + 2, moved.Top + 2, MK_LBUTTON);
  expect_parts("dragging", {{"thumb", moved, SBP_THUMBBTNVERT, SCRBS_PRESSED, 0}});
  f.Send(WM_LBUTTONUP, moved.Left + 2, moved.Top + 2);
  f.bar->Perform(CM_MOUSELEAVE);
  f.bar->SetEnabled(false);
  expect_parts("disabled",
               {{"up", up, SBP_ARROWBTN, ABS_UPDISABLED, up_arrow | DFCS_INACTIVE},
                {"down", down, SBP_ARROWBTN, ABS_DOWNDISABLED, down_arrow | DFCS_INACTIVE}});
  CloseThemeData(theme);
}

// The classic look: arrows are the platform's frame-control arrows, the
// raised thumb has a light outer top-left and a dark outer bottom-right, and
// a dragged thumb is a flat face outlined in the shadow colour.
// Outside a theme only the thumb's pixels change with the position: a new
// position repaints exactly the old and the new thumb, and nothing when the
// thumb stays where it was.
TEST(KivScrollBar, NewPositionRepaintsTheOldAndTheNewThumb) {
  if (ThemeSupportsScrollBar(0, "default", nullptr)) GTEST_SKIP() << "a theme draws the bar";
  TBarOnForm f(qsoVertical, 200);
  f.bar->SetMax(999);
  f.bar->SetPageSize(100);
  HWND window = f.host->Handle();
  auto region_of = [](std::initializer_list<TRect> rects) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    for (const TRect& r : rects) {
      HRGN part = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
      CombineRgn(rgn, rgn, part, RGN_OR);
      DeleteObject(part);
    }
    return rgn;
  };
  struct Case {
    const char* what;
    int from, to;
  };
  for (const Case& c :
       {Case{"a step the thumb overlaps", 100, 110}, Case{"a jump far away", 0, 800},
        Case{"a change too small to move it", 500, 501}}) {
    SCOPED_TRACE(c.what);
    f.bar->SetPosition(c.from);
    UpdateWindow(window);
    const TRect before = f.bar->GetThumbRect();
    f.bar->SetPosition(c.to);
    const TRect after = f.bar->GetThumbRect();
    HRGN got = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetUpdateRgn(window, got, FALSE);
    if (before == after) {
      EXPECT_EQ(kind, NULLREGION);
    } else {
      HRGN want = region_of({before, after});
      EXPECT_TRUE(EqualRgn(got, want));
      DeleteObject(want);
    }
    DeleteObject(got);
    UpdateWindow(window);
  }
}

// While dragged, the thumb is on screen at its new place when the move
// returns, with nothing left for a later paint: the window shows what a
// full paint of the bar shows.
TEST(KivScrollBar, ADraggedThumbIsPaintedBeforeTheMoveReturns) {
  TBarOnForm f(qsoVertical, 200);
  f.bar->SetMax(999);
  f.bar->SetPageSize(100);
  HWND window = f.host->Handle();
  const TRect thumb = f.bar->GetThumbRect();
  const int x = thumb.Left + thumb.Width() / 2, grab = thumb.Top + 2;
  f.Press(x, grab);
  UpdateWindow(window);
  for (int dy : {2, 3, 60, 20, 100}) {  // the pointer stays on the thumb
    SCOPED_TRACE(dy);
    const int before = f.bar->Position();
    f.Send(WM_MOUSEMOVE, x, grab + dy, MK_LBUTTON);
    ASSERT_NE(f.bar->Position(), before);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
    kivtest::TMemoryDC shown(f.host->Width(), f.host->Height(), true);
    HDC dc = GetDC(window);
    BitBlt(shown.dc, 0, 0, shown.w, shown.h, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    GdiFlush();
    EXPECT_EQ(FirstDifference(shown, *PaintToMemory(*f.host)), "");
  }
  f.Send(WM_LBUTTONUP, x, grab + 100);
}

TEST(KivScrollBar, ClassicPartsAreFrameControlArrowsAndARaisedThumb) {
  if (VisualStylesActive()) GTEST_SKIP() << "visual-styles look";
  TBarOnForm f(qsoHorizontal, 160, 0);
  f.bar->SetPageSize(20);
  auto px = [](int index) {
    const COLORREF c = GetSysColor(index);
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
  };
  auto got = PaintToMemory(*f.host);
  const TRect left = f.bar->GetFirstButtonRect();
  kivtest::TMemoryDC want(left.Width(), left.Height(), true);
  RECT r{0, 0, left.Width(), left.Height()};
  DrawFrameControl(want.dc, &r, DFC_SCROLL, DFCS_SCROLLLEFT);
  GdiFlush();
  EXPECT_EQ(FirstDifference(want, *got, left.Left, left.Top), "");
  const TRect thumb = f.bar->GetThumbRect();
  EXPECT_EQ(got->At(thumb.Left, thumb.Top + 3) & 0xFFFFFF, px(COLOR_3DLIGHT));
  EXPECT_EQ(got->At(thumb.Right - 1, thumb.Top + 3) & 0xFFFFFF, px(COLOR_3DDKSHADOW));
  EXPECT_EQ(got->At(thumb.Left + 5, thumb.Top + 5) & 0xFFFFFF, px(COLOR_BTNFACE));
  f.Press(thumb.Left + 5, 5);
  got = PaintToMemory(*f.host);
  EXPECT_EQ(got->At(thumb.Left, thumb.Top + 3) & 0xFFFFFF, px(COLOR_BTNSHADOW));
  EXPECT_EQ(got->At(thumb.Right - 1, thumb.Top + 3) & 0xFFFFFF, px(COLOR_BTNSHADOW));
  f.Send(WM_LBUTTONUP, thumb.Left + 5, 5);
}

// A theme that records the scroll-bar parts it is asked to draw.
class TScrollPartsTheme : public TkivTheme {
 public:
  std::vector<std::pair<int, int>> parts;  // part code, state
  bool SupportsScrollBar(uint8_t kind, const std::string&) override { return kind == 0; }
  void PaintScrollBarButton(uint8_t, TCanvas&, const std::string&,
                            const TkivPartInfo& info) override {
    parts.emplace_back(info.Part, info.State);
  }
  int StateOf(int part) const {
    for (auto it = parts.rbegin(); it != parts.rend(); ++it)
      if (it->first == part) return it->second;
    return -1;
  }
};

// A theme reads state 1 as pressed (a held arrow, a dragged thumb) and 2 as
// hot, as the file themes' scroll-bar pictures are ordered.
TEST(KivScrollBar, ThemeStatesArePressedOneHotTwoDisabledThree) {
  TBarOnForm f(qsoVertical, 160, 0);
  f.bar->SetPageSize(20);
  ctltest::TCurrentThemeOf<TScrollPartsTheme> current;
  TScrollPartsTheme* theme = current.theme;
  const int m = Metric();
  auto state_after = [&](int part) {
    theme->parts.clear();
    PaintToMemory(*f.host);
    return theme->StateOf(part);
  };
  EXPECT_EQ(state_after(0), 0);
  f.Send(WM_MOUSEMOVE, m / 2, m / 2);
  EXPECT_EQ(state_after(0), 2) << "hot up arrow";
  f.Send(WM_LBUTTONDOWN, m / 2, m / 2, MK_LBUTTON);
  EXPECT_EQ(state_after(0), 1) << "held up arrow";
  f.Send(WM_LBUTTONUP, m / 2, m / 2);
  const TRect thumb = f.bar->GetThumbRect();
  const int tx = (thumb.Left + thumb.Right) / 2, ty = (thumb.Top + thumb.Bottom) / 2;
  f.Send(WM_MOUSEMOVE, tx, ty);
  EXPECT_EQ(state_after(9), 2) << "hot thumb";
  f.Send(WM_LBUTTONDOWN, tx, ty, MK_LBUTTON);
  EXPECT_EQ(state_after(9), 1) << "dragged thumb";
  f.Send(WM_LBUTTONUP, tx, ty);
  f.bar->SetEnabled(false);
  EXPECT_EQ(state_after(1), 3) << "disabled down arrow";
}

}  // namespace
}  // namespace kiv
