#pragma once
// Text for the contact sheet's row labels: a 5 x 7 pixel font of our own for
// printable ASCII, drawn straight onto a surface (the tool has no font
// library). Characters the font lacks are drawn as a hollow box.
#include <string>

#include "graphics/kiv_bitmap.hpp"

namespace kivtool {

inline constexpr int kLabelGlyphWidth = 5, kLabelGlyphHeight = 7, kLabelAdvance = 6;

// Width in pixels of `text` drawn by DrawLabel.
int LabelWidth(const std::string& text);
// Draws `text` with its top left at (x, y) in `colour`; pixels outside the
// surface are left out.
void DrawLabel(kiv::TkivBitmap& target, int x, int y, const std::string& text,
               kiv::TkivPixel colour);

}  // namespace kivtool
