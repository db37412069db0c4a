#pragma once
// Window classes and the window procedure: every window of a framework
// control belongs to a class registered here (the framework's own, or a
// superclass of a platform class such as "BUTTON"), whose procedure hands
// each message to the control's WndProc from the window's first message on.
// Also the hidden utility windows that timers and notifications use.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/messages.hpp"

namespace kiv {

class TWinControl;

// A hidden window that hands its messages to a function (timers, the theme
// manager's notifications).
HWND AllocateHWnd(std::function<void(TMessage&)> handler);
void DeallocateHWnd(HWND window);

namespace window_class_detail {

struct TWindowClass {
  std::wstring Name;
  WNDPROC DefProc;  // the procedure the platform class would have used
};
// The class for a platform base class ("" for the framework's own class with
// the given class style), registered on first use.
const TWindowClass& RegisterWindowClass(const std::wstring& base, UINT class_style);
// The control whose window is being made now: the window procedure binds the
// window's first message to it.
void SetCreatingControl(TWinControl* control);
// The control bound to a window (nullptr for any other window).
TWinControl* ControlOfWindow(HWND window);
// Called by a control that has destroyed its window: the binding goes if it
// is still there. It normally goes at the window's WM_NCDESTROY, which a
// foreign subclass may swallow; left, it would lead a later window with the
// same handle to a control that is gone.
void ForgetWindow(HWND window, TWinControl* control);

}  // namespace window_class_detail
}  // namespace kiv
