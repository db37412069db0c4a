// TKivScrollBar: properties, the range setters, the mouse (dragging, hover,
// presses), the auto-repeat and the key steps.
#include "controls/kiv_scroll_bar_win32.hpp"

#include <algorithm>
#include <utility>

#include "framework/class_builder.hpp"
#include "framework/win32/timer.hpp"
#include "graphics/kiv_utils_gdi_win32.hpp"
#include "theme/theme_manager.hpp"

namespace kiv {

namespace {

// The framework's timer as the repeat clock.
class TFrameworkRepeatTimer : public TKivRepeatTimer {
 public:
  TFrameworkRepeatTimer() : timer_(std::make_unique<TTimer>(nullptr)) {
    timer_->SetEnabled(false);
    timer_->OnTimer.Handler = [this](TObject*) {
      if (OnTick) OnTick();
    };
  }
  unsigned Interval() const override { return timer_->Interval(); }
  void SetInterval(unsigned value) override { timer_->SetInterval(value); }
  bool Enabled() const override { return timer_->Enabled(); }
  void SetEnabled(bool value) override { timer_->SetEnabled(value); }

 private:
  std::unique_ptr<TTimer> timer_;
};

TKivRepeatTimerFactory& RepeatTimerFactory() {
  static TKivRepeatTimerFactory factory;
  return factory;
}

}  // namespace

void SetScrollRepeatTimerFactory(TKivRepeatTimerFactory factory) {
  RepeatTimerFactory() = std::move(factory);
}

KIV_IMPLEMENT_CLASS(TKivScrollBar, c) {
  c.Integer("BorderWidth", &TKivScrollBar::BorderWidth, &TKivScrollBar::SetBorderWidth).Default(1);
  c.Boolean("ShowButtons", &TKivScrollBar::ShowButtons, &TKivScrollBar::SetShowButtons)
      .Default(true);
  c.Enum("Orientation", &TKivScrollBar::Orientation, &TKivScrollBar::SetOrientation,
         kKivScrollOrientationNames)
      .Default(qsoHorizontal);
  c.Integer("LargeChange", &TKivScrollBar::LargeChange, &TKivScrollBar::SetLargeChange).Default(1);
  c.Integer("SmallChange", &TKivScrollBar::SmallChange, &TKivScrollBar::SetSmallChange).Default(1);
  c.Integer("Max", &TKivScrollBar::Max, &TKivScrollBar::SetMax).Default(100);
  c.Integer("Min", &TKivScrollBar::Min, &TKivScrollBar::SetMin).Default(0);
  c.Integer("PageSize", &TKivScrollBar::PageSize, &TKivScrollBar::SetPageSize).Default(0);
  c.Integer("Position", &TKivScrollBar::Position, &TKivScrollBar::SetPosition).Default(0);
  c.Enum("Performance", &TKivGraphicControl::Performance, &TKivGraphicControl::SetPerformance,
         kKivPerformanceNames)
      .Default(qspDoubleBuffer);
  c.String("ThemeObject", &TKivScrollBar::ThemeObject, &TKivScrollBar::SetThemeObject);
  c.Event("OnChange", &TKivScrollBar::OnChange);
  c.Event("OnScroll", &TKivScrollBar::OnScroll);
}

TKivScrollBar::TKivScrollBar(TComponent* owner) : TKivGraphicControl(owner) {
  SetControlStyle(ControlStyle() | csCaptureMouse);
  SetBounds(Left(), Top(), 121, GetSystemMetrics(SM_CYVTHUMB));
  SetPerformance(qspDoubleBuffer);
  AddThemeClient(this);
}

TKivScrollBar::~TKivScrollBar() {
  RemoveThemeClient(this);
}

// ---------------------------------------------------------------- settings

void TKivScrollBar::SetPosition(int value) {
  MovePosition(value, false);
}

void TKivScrollBar::MovePosition(int value, bool now) {
  if (value == range_.Position) return;
  const TRect old_thumb = GetThumbRect();
  range_.Position = std::clamp(value, range_.Min, range_.Max);
  RepaintThumbMove(old_thumb, now);
  Change();
}

// A new position moves only the thumb. Outside the theme the track below it
// is the same wherever the thumb is, so the pixels that change are those of
// the old and the new thumb; a theme may draw its track by the thumb's place,
// so there the whole track repaints.
void TKivScrollBar::RepaintThumbMove(const TRect& old_thumb, bool now) {
  TWinControl* parent = Parent();
  if (!parent || !parent->HandleAllocated() || !Visible()) return;
  auto repaint = [this, parent, now](const TRect& t) {
    if (t.Width() <= 0 || t.Height() <= 0) return;
    if (now) {
      PaintNow(t);
      return;
    }
    RECT r{Left() + t.Left, Top() + t.Top, Left() + t.Right, Top() + t.Bottom};
    InvalidateRect(parent->Handle(), &r, FALSE);
  };
  const TRect new_thumb = GetThumbRect();
  if (ThemeMode() || old_thumb.Width() <= 0 || old_thumb.Height() <= 0 || new_thumb.Width() <= 0 ||
      new_thumb.Height() <= 0) {
    repaint(GetTrackRect());
    return;
  }
  if (new_thumb == old_thumb) return;
  // Both span the track across its axis: when they overlap or touch, their
  // union is one rectangle (one call instead of two). Painted at once, it is
  // one rectangle anyway: the track between two apart costs less to draw
  // than a second device context.
  const bool joined = orientation_ == qsoVertical
                          ? old_thumb.Top <= new_thumb.Bottom && new_thumb.Top <= old_thumb.Bottom
                          : old_thumb.Left <= new_thumb.Right && new_thumb.Left <= old_thumb.Right;
  if (joined || now) {
    repaint(TRect{std::min(old_thumb.Left, new_thumb.Left), std::min(old_thumb.Top, new_thumb.Top),
                  std::max(old_thumb.Right, new_thumb.Right),
                  std::max(old_thumb.Bottom, new_thumb.Bottom)});
    return;
  }
  repaint(old_thumb);
  repaint(new_thumb);
}

// A range setter may move the position; that is a change like any other.
void TKivScrollBar::SetMax(int value) {
  const TKivScrollRange old = range_;
  range_ = ScrollWithMax(range_, value);
  if (range_ == old) return;
  Invalidate();
  if (range_.Position != old.Position) Change();
}

void TKivScrollBar::SetMin(int value) {
  const TKivScrollRange old = range_;
  range_ = ScrollWithMin(range_, value);
  if (range_ == old) return;
  Invalidate();
  if (range_.Position != old.Position) Change();
}

void TKivScrollBar::SetPageSize(int value) {
  const TKivScrollRange old = range_;
  range_ = ScrollWithPageSize(range_, value);
  if (range_ != old) Invalidate();
}

void TKivScrollBar::SetRange(int min, int max, int page_size) {
  if (ScrollSetMaxFirst(range_, min)) {
    SetMax(max);
    SetMin(min);
  } else {
    SetMin(min);
    SetMax(max);
  }
  SetPageSize(page_size);
}

void TKivScrollBar::SetOrientation(TKivScrollOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  if (ComponentState().Contains(csDesigning) && ((value == qsoHorizontal && Width() < Height()) ||
                                                 (value == qsoVertical && Height() < Width())))
    SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TKivScrollBar::SetBorderWidth(int value) {
  if (value == border_width_) return;
  border_width_ = value;
  Invalidate();
}

void TKivScrollBar::SetShowButtons(bool value) {
  if (value == show_buttons_) return;
  show_buttons_ = value;
  Invalidate();
}

void TKivScrollBar::SetLargeChange(int value) {
  large_change_ = std::clamp(value, 1, 32767);
}

void TKivScrollBar::SetSmallChange(int value) {
  small_change_ = std::clamp(value, 1, 32767);
}

void TKivScrollBar::SetThemeObject(const std::string& value) {
  theme_object_ = value;
  if (value != "default") Invalidate();
}

bool TKivScrollBar::ThemeMode() const {
  return ThemeSupportsScrollBar(0, theme_object_, nullptr);
}

// ---------------------------------------------------------------- geometry

TKivScrollGeometry TKivScrollBar::Geometry() const {
  TKivScrollGeometry g;
  g.Orientation = orientation_;
  g.Width = Width();
  g.Height = Height();
  g.BorderWidth = border_width_;
  g.ShowButtons = show_buttons_;
  g.ThumbMetric = GetSystemMetrics(SM_CYVTHUMB);
  g.Range = range_;
  return g;
}

int TKivScrollBar::GetButtonSize() {
  return ScrollButtonSize(Geometry());
}
int TKivScrollBar::GetThumbSize() {
  return ScrollThumbSize(Geometry());
}
TRect TKivScrollBar::GetFirstButtonRect() {
  return ScrollFirstButtonRect(Geometry());
}
TRect TKivScrollBar::GetSecondButtonRect() {
  return ScrollSecondButtonRect(Geometry());
}
TRect TKivScrollBar::GetThumbRect() {
  return ScrollThumbRect(Geometry());
}
TRect TKivScrollBar::GetTrackRect() {
  return ScrollTrackRect(Geometry());
}
TRect TKivScrollBar::GetPageUpRect() {
  return ScrollPageUpRect(Geometry());
}
TRect TKivScrollBar::GetPageDownRect() {
  return ScrollPageDownRect(Geometry());
}
bool TKivScrollBar::InFirstButton(int x, int y) {
  return PointInRect(GetFirstButtonRect(), TPoint{x, y});
}
bool TKivScrollBar::InSecondButton(int x, int y) {
  return PointInRect(GetSecondButtonRect(), TPoint{x, y});
}
bool TKivScrollBar::InThumb(int x, int y) {
  return PointInRect(GetThumbRect(), TPoint{x, y});
}
bool TKivScrollBar::InPageUp(int x, int y) {
  return PointInRect(GetPageUpRect(), TPoint{x, y});
}
bool TKivScrollBar::InPageDown(int x, int y) {
  return PointInRect(GetPageDownRect(), TPoint{x, y});
}

// ---------------------------------------------------------------- events

void TKivScrollBar::Change() {
  if (OnChange) OnChange(this);
}

void TKivScrollBar::Scroll(TKivScrollCode code, int& position) {
  if (OnScroll) OnScroll(this, code, position);
}

void TKivScrollBar::ScrollAndSet(TKivScrollCode code, int position) {
  Scroll(code, position);
  SetPosition(position);
}

void TKivScrollBar::Dispatch(TMessage& m) {
  if (m.Msg == KIV_THEME_MESSAGE) {
    if (m.WParam == kThemeCodeSystemChanged) ForgetStyleData();
    if (m.WParam == kThemeCodeApply || m.WParam == kThemeCodeApplied ||
        m.WParam == kThemeCodeRemoved || m.WParam == kThemeCodeSystemChanged)
      Invalidate();
    return;
  }
  if (m.Msg == WM_GETDLGCODE) {
    DefaultHandler(m);
    m.Result = DLGC_WANTARROWS;
    return;
  }
  TKivGraphicControl::Dispatch(m);
}

void TKivScrollBar::CMEnabledChanged(TMessage& m) {
  TKivGraphicControl::CMEnabledChanged(m);
  Invalidate();
}

// ---------------------------------------------------------------- mouse

void TKivScrollBar::SetHot(const TKivScrollParts& hot) {
  if (hot == hot_) return;
  hot_ = hot;
  Invalidate();
}

void TKivScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TKivGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  // The press counts where it happens, also without a move before it.
  last_mouse_ = TPoint{x, y};
  SetHot(ScrollHitTest(Geometry(), last_mouse_));
  if (InThumb(x, y)) {
    drag_offset_ = ScrollDragOffset(Geometry(), last_mouse_);
    ScrollAndSet(qscTrack, range_.Position);
    Invalidate();
  }
  auto held = [this] {
    return TKivScrollParts{false, pressed_.FirstButton && hot_.FirstButton,
                           pressed_.SecondButton && hot_.SecondButton,
                           pressed_.PageUp && hot_.PageUp, pressed_.PageDown && hot_.PageDown};
  };
  const TKivScrollParts before = held();
  if (InFirstButton(x, y)) pressed_.FirstButton = true;
  if (InSecondButton(x, y)) pressed_.SecondButton = true;
  if (InPageUp(x, y)) pressed_.PageUp = true;
  if (InPageDown(x, y)) pressed_.PageDown = true;
  const TKivScrollParts after = held();
  if ((after.FirstButton && !before.FirstButton) || (after.SecondButton && !before.SecondButton) ||
      (after.PageUp && !before.PageUp) || (after.PageDown && !before.PageDown)) {
    Invalidate();
    StartRepeat(true);
  }
}

void TKivScrollBar::MouseMove(TShiftState shift, int x, int y) {
  TKivGraphicControl::MouseMove(shift, x, y);
  last_mouse_ = TPoint{x, y};
  if (Dragging()) {
    // The handler sees the dragged position; the bar keeps it whatever the
    // handler makes of it.
    const int position = ScrollDragPosition(Geometry(), drag_offset_, last_mouse_);
    int reported = position;
    Scroll(qscTrack, reported);
    // The thumb follows the pointer at once, as the platform's own bar
    // draws its thumb while tracking: no wait for the window's next paint.
    MovePosition(position, true);
  }
  SetHot(ScrollHitTest(Geometry(), last_mouse_));
}

void TKivScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TKivGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  if (Dragging()) ScrollAndSet(qscPosition, range_.Position);
  drag_offset_ = -1;
  pressed_ = TKivScrollParts{};
  if (repeat_timer_) repeat_timer_->SetEnabled(false);
  ScrollAndSet(qscEndScroll, range_.Position);
  Invalidate();
}

void TKivScrollBar::MouseLeave() {
  if (!hot_.Any()) return;
  hot_ = TKivScrollParts{};
  Invalidate();
}

// ---------------------------------------------------------------- repeat and keys

void TKivScrollBar::StartRepeat(bool immediate) {
  if (!repeat_timer_) {
    const TKivRepeatTimerFactory& factory = RepeatTimerFactory();
    repeat_timer_ = factory ? factory() : std::make_unique<TFrameworkRepeatTimer>();
    repeat_timer_->OnTick = [this] { RepeatTick(); };
  }
  if (immediate) {
    RepeatTick();
    repeat_timer_->SetInterval(static_cast<unsigned>(KeyboardDelay()));
  } else {
    repeat_timer_->SetInterval(static_cast<unsigned>(KeyboardRepeatInterval()));
  }
  repeat_timer_->SetEnabled(true);
}

void TKivScrollBar::RepeatTick() {
  if (repeat_timer_) repeat_timer_->SetInterval(static_cast<unsigned>(KeyboardRepeatInterval()));
  try {
    TKivScrollParts hot = hot_;
    const std::optional<int> key = ScrollRepeatKey(Geometry(), pressed_, hot, last_mouse_);
    SetHot(hot);
    if (key) StepByKey(*key);
  } catch (...) {
    // A failing step ends the repeat; the pressed button stays as it is.
    if (repeat_timer_) repeat_timer_->SetEnabled(false);
  }
}

void TKivScrollBar::StepByKey(int key) {
  const std::optional<TKivScrollStep> step =
      ScrollKeyStep(range_, key, small_change_, large_change_);
  if (step) ScrollAndSet(step->Code, step->Position);
}

}  // namespace kiv
