#pragma once
// What the built-in theme's drawings share: the fixed colours, shades of a
// colour, and pictures placed in a rectangle. Win32 only.
#include <windows.h>

#include <string>

#include "framework/colors.hpp"
#include "framework/types.hpp"
#include "framework/win32/canvas.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv::theme_paint {

// color resolved to RGB with d added to each of red, green and blue, clamped.
TColor Shade(TColor color, int d);

// r shrunk by h on the left and right and by v at the top and bottom.
TRect Inset(const TRect& r, int h, int v);

// Fill and then a one-pixel outline of r.
void FillAndFrame(TCanvas& canvas, const TRect& r, TColor fill, TColor outline);

// A picture (when there is one) at the top-left of a rectangle of its own size
// centred in r.
void DrawPictureCentered(TCanvas& canvas, const TkivBitmap* picture, const TRect& r);

std::wstring WideText(const std::u16string& text);

}  // namespace kiv::theme_paint
