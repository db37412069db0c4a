#pragma once
// Conversions between framework colours and pixels, and the colour
// adjustments: brightness, channel offsets and hue rotation through HSL.
#include <cstdint>

#include "framework/types.hpp"

namespace kiv {

struct TkivHSL {
  float H = 0, S = 0, L = 0;  // each in 0..1
};

// Resolves color (system colours through ColorToRGB), exchanges red and blue
// into 0x00RRGGBB and sets the alpha byte.
TkivPixel ColorToPixel(TColor color, uint8_t alpha);
// 0x00BBGGRR from the pixel's colour bytes; alpha dropped.
TColor PixelToColor(TkivPixel pixel);
// r, g, b clamped to 0..255 (sums are formed in 32 bits, so a large offset
// clamps instead of wrapping); a taken as a byte.
TkivPixel PackPixel(int32_t r, int32_t g, int32_t b, uint8_t a);
// Every colour channel + d, clamped; alpha 255.
TkivPixel Brighten(TkivPixel pixel, int16_t d);
// Colour channels + their offsets, clamped; alpha + dA wraps modulo 256.
TkivPixel AddChannels(TkivPixel pixel, int16_t dr, int16_t dg, int16_t db, int16_t da);
// AddChannels(pixel, d, d, d, 0): the alpha is kept.
TkivPixel AddGrey(TkivPixel pixel, int16_t d);

TkivHSL PixelToHSL(TkivPixel pixel);
TkivPixel HSLToPixel(float h, float s, float l);
// The hue moved by d on a 0..255 scale (wrapping by 255); alpha 255.
TkivPixel RotateHue(TkivPixel pixel, int32_t d);

}  // namespace kiv
