#pragma once
// TKivScrollBar: a windowless scroll bar drawn by the library: two arrow
// buttons, a track and a proportional thumb, with hover and pressed looks,
// dragging, auto-repeat at the keyboard's delay and speed, arrow and page
// keys, and a scroll event. It draws through the theme that serves it when
// that theme has a scroll bar for its ThemeObject, else with the platform's
// visual styles when they are active (any part the style lacks in the
// classic look), else in the classic 3-D look. Its arithmetic is that of
// controls/kiv_scroll_geometry.hpp.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/kiv_control_win32.hpp"
#include "controls/kiv_scroll_geometry.hpp"
#include "framework/event.hpp"

namespace kiv {

// (Sender, code, var position): the handler may change the position.
using TKivScrollEvent = TEvent<void(TObject* sender, TKivScrollCode code, int& position)>;

// The auto-repeat's clock: while enabled it runs OnTick every Interval
// milliseconds. The bar's default is the framework's timer; tests put in
// one they tick by hand, so that a repeat needs no waiting.
class TKivRepeatTimer {
 public:
  virtual ~TKivRepeatTimer() = default;
  virtual unsigned Interval() const = 0;
  virtual void SetInterval(unsigned value) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool value) = 0;
  std::function<void()> OnTick;
};
using TKivRepeatTimerFactory = std::function<std::unique_ptr<TKivRepeatTimer>()>;
// Replaces the clock every bar makes from now on (empty: the framework's
// timer again).
void SetScrollRepeatTimerFactory(TKivRepeatTimerFactory factory);

class TKivScrollBar : public TKivGraphicControl {
  KIV_CLASS(TKivScrollBar, TKivGraphicControl)
 public:
  explicit TKivScrollBar(TComponent* owner);
  ~TKivScrollBar() override;

  int Position() const { return range_.Position; }
  void SetPosition(int value);
  int Min() const { return range_.Min; }
  void SetMin(int value);
  int Max() const { return range_.Max; }
  void SetMax(int value);
  int PageSize() const { return range_.PageSize; }
  void SetPageSize(int value);
  // Min, Max and PageSize as a bar keeping in step with another sets them:
  // Max first when the new Min lies above the current Max, so both land.
  void SetRange(int min, int max, int page_size);
  const TKivScrollRange& Range() const { return range_; }
  TKivScrollOrientation Orientation() const { return orientation_; }
  void SetOrientation(TKivScrollOrientation value);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int value);
  bool ShowButtons() const { return show_buttons_; }
  void SetShowButtons(bool value);
  int LargeChange() const { return large_change_; }
  void SetLargeChange(int value);
  int SmallChange() const { return small_change_; }
  void SetSmallChange(int value);
  const std::string& ThemeObject() const { return theme_object_; }
  void SetThemeObject(const std::string& value);

  // The parts' places, from the current size and settings.
  TKivScrollGeometry Geometry() const;
  virtual int GetButtonSize();
  virtual int GetThumbSize();
  virtual TRect GetFirstButtonRect();
  virtual TRect GetSecondButtonRect();
  virtual TRect GetThumbRect();
  virtual TRect GetTrackRect();
  virtual TRect GetPageUpRect();
  virtual TRect GetPageDownRect();
  virtual bool InFirstButton(int x, int y);
  virtual bool InSecondButton(int x, int y);
  virtual bool InThumb(int x, int y);
  virtual bool InPageUp(int x, int y);
  virtual bool InPageDown(int x, int y);

  // What the pointer is over, what the left button went down on, and the
  // thumb's grab offset (-1 when no drag is active).
  const TKivScrollParts& HotParts() const { return hot_; }
  const TKivScrollParts& PressedParts() const { return pressed_; }
  int DragOffset() const { return drag_offset_; }
  bool Dragging() const { return drag_offset_ >= 0; }
  // A step as the key would make it (Page Up/Down, Home, End, arrows);
  // other keys do nothing.
  void StepByKey(int key);
  // The auto-repeat's clock (none before the first repeat) and one tick of it.
  TKivRepeatTimer* RepeatTimer() const { return repeat_timer_.get(); }
  void RepeatTick();

  // The theme draws the bar: the current theme has a scroll bar for
  // ThemeObject (or for "default").
  bool ThemeMode() const;

  void Dispatch(TMessage& message) override;

  TNotifyEvent OnChange;
  TKivScrollEvent OnScroll;

 protected:
  virtual void DrawFirstButton();
  virtual void DrawSecondButton();
  virtual void DrawThemedTrack();
  virtual void DrawThumb();
  virtual void DrawTrack();
  virtual void DrawBorder();
  virtual void Change();
  virtual void Scroll(TKivScrollCode code, int& position);

  void PaintControl() override;
  void MouseLeave() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMEnabledChanged(TMessage& m) override;

 private:
  void StartRepeat(bool immediate);
  // SetPosition, the thumb's move painted at once when now is set (the
  // drag: the thumb follows the pointer before the move returns).
  void MovePosition(int value, bool now);
  // Repaints where a thumb that was at old_thumb and is now at the current
  // position's place changes pixels: at once when now is set, else at the
  // next paint.
  void RepaintThumbMove(const TRect& old_thumb, bool now);
  void SetHot(const TKivScrollParts& hot);
  // Scroll with the position, then SetPosition of what the handler left.
  void ScrollAndSet(TKivScrollCode code, int position);
  // The classic look of an arrow button (first or second).
  void DrawClassicButton(bool first, const TRect& r, bool pressed);
  void DrawClassicThumb(const TRect& r);
  void DrawClassicTrack(const TRect& r);
  bool ThumbVisible();
  // Draws one part with the platform's visual styles; false when the style
  // cannot draw it (no "ScrollBar" class or no such part), so the caller
  // draws it in the classic look instead.
  bool DrawStylePart(int part, int state, const TRect& r);
  // The visual-styles data every bar shares is stale (the styles changed).
  static void ForgetStyleData();

  TKivScrollRange range_;
  TKivScrollOrientation orientation_ = qsoHorizontal;
  int border_width_ = 1;
  bool show_buttons_ = true;
  int large_change_ = 1;
  int small_change_ = 1;
  std::string theme_object_ = "default";
  TPoint last_mouse_{-1, -1};
  int drag_offset_ = -1;
  TKivScrollParts hot_;
  TKivScrollParts pressed_;  // Thumb unused: a drag is drag_offset_ >= 0
  std::unique_ptr<TKivRepeatTimer> repeat_timer_;
};

}  // namespace kiv
