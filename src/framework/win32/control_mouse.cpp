// TControl's mouse: capture, drag target, clicks and the mouse messages.
#include "framework/win32/control.hpp"

#include <windowsx.h>
#include "framework/win32/actions.hpp"
#include "framework/win32/controls_internal.hpp"

namespace kiv {

using controls_detail::WindowlessCapture;

namespace {

TShiftState MouseShift(WPARAM w) {
  TShiftState s = 0;
  if (w & MK_SHIFT) s |= ssShift;
  if (w & MK_CONTROL) s |= ssCtrl;
  if (w & MK_LBUTTON) s |= ssLeft;
  if (w & MK_RBUTTON) s |= ssRight;
  if (w & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

}  // namespace

namespace controls_detail {

TControl*& WindowlessCapture() {
  static TControl* control = nullptr;
  return control;
}

}  // namespace controls_detail

TControl* GetCaptureControl() {
  HWND capture = GetCapture();
  TWinControl* win = capture ? TWinControl::FindControl(capture) : nullptr;
  if (WindowlessCapture() && win && WindowlessCapture()->Parent() == win)
    return WindowlessCapture();
  if (!win) WindowlessCapture() = nullptr;
  return win;
}

void SetCaptureControl(TControl* control) {
  WindowlessCapture() = nullptr;
  if (!control) {
    ReleaseCapture();
    return;
  }
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    SetCapture(win->Handle());
    return;
  }
  if (control->Parent()) {
    // Taken after the platform's capture: the parent hears of the capture
    // moving (WM_CAPTURECHANGED) before this control holds it.
    SetCapture(control->Parent()->Handle());
    WindowlessCapture() = control;
  }
}

TControl* FindDragTarget(TPoint p, bool allow_disabled) {
  HWND window = WindowFromPoint(POINT{p.X, p.Y});
  TWinControl* win = nullptr;
  while (window && !(win = TWinControl::FindControl(window))) window = GetParent(window);
  if (!win) return nullptr;
  TControl* result = win;
  for (;;) {
    TControl* child = win->ControlAtPos(win->ScreenToClient(p), allow_disabled, true);
    if (!child) break;
    result = child;
    auto* child_win = dynamic_cast<TWinControl*>(child);
    if (!child_win) break;
    win = child_win;
  }
  return result;
}

bool TControl::MouseCapture() {
  return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool value) {
  if (value == MouseCapture()) return;
  SetCaptureControl(value ? this : nullptr);
}

void TControl::Click() {
  // With an action, OnClick is the action's execute handler (ActionChange).
  if (OnClick) {
    OnClick(this);
  } else if (action_) {
    action_->Execute();
  }
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::WMLButtonDown(TMessage& m) {
  DefaultHandler(m);
  if (control_style_ & csCaptureMouse) SetMouseCapture(true);
  control_state_ |= csLButtonDown;
  if (control_style_ & csClickEvents) control_state_ |= csClicked;
  MouseDown(mbLeft, MouseShift(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::WMLButtonUp(TMessage& m) {
  DefaultHandler(m);
  if (control_style_ & csCaptureMouse) SetMouseCapture(false);
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  bool clicked = (control_state_ & csClicked) != 0;
  control_state_ &= ~(csLButtonDown | csClicked);
  if (clicked && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
  MouseUp(mbLeft, MouseShift(m.WParam), x, y);
}

void TControl::WMLButtonDblClk(TMessage& m) {
  DefaultHandler(m);
  if (control_style_ & csDoubleClicks) DblClick();
  MouseDown(mbLeft, MouseShift(m.WParam) | ssDouble, GET_X_LPARAM(m.LParam),
            GET_Y_LPARAM(m.LParam));
}

void TControl::WMRButtonDown(TMessage& m) {
  DefaultHandler(m);
  MouseDown(mbRight, MouseShift(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::WMRButtonUp(TMessage& m) {
  DefaultHandler(m);
  MouseUp(mbRight, MouseShift(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::WMMouseMove(TMessage& m) {
  DefaultHandler(m);
  MouseMove(MouseShift(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

}  // namespace kiv
