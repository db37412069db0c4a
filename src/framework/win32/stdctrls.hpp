#pragma once
// The framework's plain controls: push button, panel, image, rich edit, and
// the timer component. One header per class; this one brings them all.
#include "framework/streams.hpp"
#include "framework/win32/button.hpp"
#include "framework/win32/controls.hpp"
#include "framework/win32/forms.hpp"
#include "framework/win32/image.hpp"
#include "framework/win32/panel.hpp"
#include "framework/win32/rich_edit.hpp"
#include "framework/win32/timer.hpp"
