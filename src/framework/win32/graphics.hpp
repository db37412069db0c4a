#pragma once
// The framework's graphics: GDI objects and the canvas, bitmaps, icons,
// pictures with their registry of file formats, and the clipboard. One header
// per class; this one brings them all. Win32 only.
#include "framework/win32/bitmap.hpp"
#include "framework/win32/canvas.hpp"
#include "framework/win32/clipboard.hpp"
#include "framework/win32/graphic.hpp"
#include "framework/win32/icon.hpp"
#include "framework/win32/picture_registry.hpp"
