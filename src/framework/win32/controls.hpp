#pragma once
// Controls: windowless controls painted by their parent (TControl,
// TGraphicControl) and controls that own a window (TWinControl,
// TCustomControl). One header per class; this one brings them all.
#include "framework/text_convert.hpp"
#include "framework/win32/control.hpp"
#include "framework/win32/custom_control.hpp"
#include "framework/win32/graphics.hpp"
#include "framework/win32/win_control.hpp"
#include "framework/win32/window_class.hpp"
