#pragma once
// Solid fills on a device context for the visual-styles drawings: a surface's
// own device context in every build, any other one through the platform
// (Windows only; elsewhere there is nothing else to draw on).
#include "framework/types.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

// Fills rect with color (a framework colour; clNone fills nothing).
void StyleFillRect(TkivDC dc, TRect rect, TColor color);
// A one-pixel outline of rect in color.
void StyleFrameRect(TkivDC dc, TRect rect, TColor color);

// The platform's fill on a device context that is not a surface's
// (msstyles_paint_win32.cpp; a portable twin that draws nothing).
void StyleFillDeviceRect(TkivDC dc, TRect rect, TColor color);

}  // namespace kiv
