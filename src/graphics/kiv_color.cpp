#include "graphics/kiv_color.hpp"

#include <algorithm>
#include <cmath>

#include "framework/colors.hpp"
#include "framework/numeric.hpp"

namespace kiv {

namespace {
inline uint32_t ClampByte(int32_t v) {
  return static_cast<uint32_t>(std::clamp(v, 0, 255));
}
inline int32_t R(TkivPixel p) {
  return (p >> 16) & 0xFF;
}
inline int32_t G(TkivPixel p) {
  return (p >> 8) & 0xFF;
}
inline int32_t B(TkivPixel p) {
  return p & 0xFF;
}
}  // namespace

TkivPixel ColorToPixel(TColor color, uint8_t alpha) {
  const uint32_t rgb = static_cast<uint32_t>(ColorToRGB(color));
  return (uint32_t{alpha} << 24) | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

TColor PixelToColor(TkivPixel pixel) {
  return static_cast<TColor>((pixel & 0xFF) << 16 | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF));
}

TkivPixel PackPixel(int32_t r, int32_t g, int32_t b, uint8_t a) {
  return (uint32_t{a} << 24) | ClampByte(r) << 16 | ClampByte(g) << 8 | ClampByte(b);
}

TkivPixel Brighten(TkivPixel pixel, int16_t d) {
  return PackPixel(R(pixel) + d, G(pixel) + d, B(pixel) + d, 255);
}

TkivPixel AddChannels(TkivPixel pixel, int16_t dr, int16_t dg, int16_t db, int16_t da) {
  const uint8_t a = static_cast<uint8_t>((pixel >> 24) + static_cast<uint32_t>(da));
  return PackPixel(R(pixel) + dr, G(pixel) + dg, B(pixel) + db, a);
}

TkivPixel AddGrey(TkivPixel pixel, int16_t d) {
  return AddChannels(pixel, d, d, d, 0);
}

TkivHSL PixelToHSL(TkivPixel pixel) {
  const float r = static_cast<float>(R(pixel)) / 255.0f;
  const float g = static_cast<float>(G(pixel)) / 255.0f;
  const float b = static_cast<float>(B(pixel)) / 255.0f;
  const float mx = std::max({r, g, b});
  const float mn = std::min({r, g, b});
  TkivHSL out;
  out.L = (mx + mn) / 2.0f;
  if (mx == mn) return out;
  const float d = mx - mn;
  out.S = out.L < 0.5f ? d / (mx + mn) : d / (2.0f - mx - mn);
  float h;
  if (r == mx) {
    h = (g - b) / d;
  } else if (g == mx) {
    h = (b - r) / d + 2.0f;
  } else {
    h = (r - g) / d + 4.0f;
  }
  h = h / 6.0f;
  if (h < 0.0f) h += 1.0f;
  out.H = h;
  return out;
}

namespace {
float HueChannel(float p, float q, float x) {
  const float t = x - std::floor(x);
  if (6.0f * t < 1.0f) return p + (q - p) * 6.0f * t;
  if (2.0f * t < 1.0f) return q;
  if (3.0f * t < 2.0f) return p + (q - p) * (2.0f / 3.0f - t) * 6.0f;
  return p;
}
int32_t ToByte(float v) {
  // Clamped before narrowing so that no float value can overflow the integer.
  return static_cast<int32_t>(Round(std::clamp(255.0f * v, -1.0f, 256.0f)));
}
}  // namespace

TkivPixel HSLToPixel(float h, float s, float l) {
  if (s == 0.0f) {
    const int32_t v = ToByte(l);
    return PackPixel(v, v, v, 255);
  }
  const float q = l > 0.5f ? l + s - l * s : l * (1.0f + s);
  const float p = 2.0f * l - q;
  return PackPixel(ToByte(HueChannel(p, q, h + 1.0f / 3.0f)), ToByte(HueChannel(p, q, h)),
                   ToByte(HueChannel(p, q, h - 1.0f / 3.0f)), 255);
}

TkivPixel RotateHue(TkivPixel pixel, int32_t d) {
  const TkivHSL hsl = PixelToHSL(pixel);
  int64_t k = Round(hsl.H * 255.0f) + d;
  if (k > 255) k -= 255;
  if (k < 0) k += 255;
  return HSLToPixel(static_cast<float>(k) / 255.0f, hsl.S, hsl.L);
}

}  // namespace kiv
