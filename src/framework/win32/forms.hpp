#pragma once
// Forms, the application object and the screen. One header per concern; this
// one brings them all.
#include "framework/win32/application.hpp"
#include "framework/win32/controls.hpp"
#include "framework/win32/form.hpp"
