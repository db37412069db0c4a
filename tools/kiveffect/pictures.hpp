#pragma once
// The two pictures the tool plays effects between.
#include "graphics/kiv_bitmap.hpp"

namespace kivtool {

// The old picture: a night-blue gradient with a pale disc and a horizon line.
void PaintOldPicture(kiv::TkivBitmap& s);
// The new picture: warm diagonal stripes with a dark square frame.
void PaintNewPicture(kiv::TkivBitmap& s);

}  // namespace kivtool
