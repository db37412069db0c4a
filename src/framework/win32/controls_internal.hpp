#pragma once
// Shared by the files that implement TControl and TWinControl; not for users.
#include <windows.h>

#include "framework/win32/control.hpp"
#include "framework/win32/win_control.hpp"

namespace kiv::controls_detail {

inline bool IsWin(const TControl* c) {
  return dynamic_cast<const TWinControl*>(c) != nullptr;
}

// The windowless control that holds the mouse capture through its parent's
// window (nullptr when the capture, if any, belongs to a window itself).
TControl*& WindowlessCapture();

}  // namespace kiv::controls_detail
