#pragma once
// What skin drawing needs of a device context beyond surfaces: filling with a
// framework colour, drawing and measuring text. On Windows these go through
// GDI (skin_paint_win32.cpp); the portable twin fills surfaces' own device
// contexts and has no text (it measures every text as 0 wide).
#include <cstdint>
#include <string>
#include <vector>

#include "framework/font.hpp"
#include "framework/types.hpp"
#include "graphics/kiv_bitmap.hpp"

namespace kiv {

class TCanvas;

// Colour resolved through ColorToRGB; nothing for clNone. Surfaces get
// opaque pixels in both builds.
void SkinFillRect(TkivDC dc, const TRect& rect, TColor color);

enum TSkinTextFormat : uint32_t {
  stfLeft = 0,
  stfCenter = 1,
  stfRight = 2,
  stfTop = 0,
  stfVCenter = 4,
  stfBottom = 8,
  stfEllipsis = 16,  // shortened with "..." to the rectangle's width
};

// One line, no prefix processing, in color (the font's own colour is not used).
void SkinDrawText(TkivDC dc, const std::u16string& text, const TRect& rect, const TFont& font,
                  TColor color, uint32_t format);
// Width of the text in the font on the screen.
int32_t SkinTextWidth(const std::u16string& text, const TFont& font);

// The device context of a framework canvas (none without the platform, where
// there are no canvases).
TkivDC SkinCanvasDC(TCanvas& canvas);
// A platform region (HRGN) made of the rectangles; none without the
// platform or for no rectangles. The caller owns it.
void* SkinMakeRegion(const std::vector<TRect>& rects);

}  // namespace kiv
