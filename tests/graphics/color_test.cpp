// Colour conversions and adjustments on the exact values they must give.
#include <gtest/gtest.h>

#include "graphics/kiv_color.hpp"

namespace kiv {
namespace {

constexpr TkivPixel Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

TEST(Color, ConvertsBetweenFrameworkColoursAndPixels) {
  const TColor red = 0x0000FF;  // 0x00BBGGRR
  EXPECT_EQ(ColorToPixel(red, 255), Argb(255, 255, 0, 0));
  EXPECT_EQ(ColorToPixel(red, 0), Argb(0, 255, 0, 0));
  EXPECT_EQ(ColorToPixel(0x563412, 7), Argb(7, 0x12, 0x34, 0x56));
  EXPECT_EQ(PixelToColor(Argb(99, 0x12, 0x34, 0x56)), 0x563412);
}

TEST(Color, ChannelAdjustmentsClampColoursAndWrapAlpha) {
  struct Case {
    TkivPixel got, want;
  };
  for (const Case& c : {
           Case{Brighten(Argb(0, 240, 16, 32), 20), Argb(255, 255, 36, 52)},
           Case{Brighten(Argb(0, 240, 16, 32), -40), Argb(255, 200, 0, 0)},
           Case{Brighten(Argb(0, 255, 255, 255), 32767), Argb(255, 255, 255, 255)},
           Case{Brighten(Argb(0, 0, 0, 0), -32768), Argb(255, 0, 0, 0)},
           Case{AddGrey(Argb(64, 16, 32, 48), 5), Argb(64, 21, 37, 53)},
           Case{AddChannels(Argb(250, 10, 20, 30), -20, 300, 1, 10), Argb(4, 0, 255, 31)},
           Case{AddChannels(Argb(3, 10, 20, 30), 0, 0, 0, -5), Argb(254, 10, 20, 30)},
           Case{PackPixel(-1, 256, 128, 9), Argb(9, 0, 255, 128)},
       }) {
    EXPECT_EQ(c.got, c.want) << std::hex << c.got;
  }
}

TEST(Color, HueRotationPassesThroughHSL) {
  const TkivHSL grey = PixelToHSL(Argb(0, 90, 90, 90));
  EXPECT_EQ(grey.H, 0.0f);
  EXPECT_EQ(grey.S, 0.0f);
  EXPECT_FLOAT_EQ(grey.L, 90.0f / 255.0f);
  EXPECT_EQ(HSLToPixel(0, 0, 90.0f / 255.0f), Argb(255, 90, 90, 90));
  EXPECT_EQ(RotateHue(Argb(0, 255, 0, 0), 85), Argb(255, 0, 255, 0));
  EXPECT_EQ(RotateHue(Argb(0, 0, 255, 0), 85), Argb(255, 0, 0, 255));
  EXPECT_EQ(RotateHue(Argb(0, 0, 0, 255), 85), Argb(255, 255, 0, 0));   // 255 wraps to 0
  EXPECT_EQ(RotateHue(Argb(0, 255, 0, 0), -85), Argb(255, 0, 0, 255));  // -85 wraps to 170
  const TkivHSL blue = PixelToHSL(Argb(0, 0, 0, 255));
  EXPECT_FLOAT_EQ(blue.H, 2.0f / 3.0f);
  EXPECT_FLOAT_EQ(blue.S, 1.0f);
  EXPECT_FLOAT_EQ(blue.L, 0.5f);
  // Magenta's hue is negative before the wrap: (r - g) / d + 4 with r = max is
  // (g - b) / d = -1, so h = -1/6 + 1.
  EXPECT_FLOAT_EQ(PixelToHSL(Argb(0, 255, 0, 255)).H, 5.0f / 6.0f);
  // Converting there and back gives the colour again, with alpha 255.
  for (uint32_t v : {0x123456u, 0xFF8000u, 0x00FF80u, 0x808080u, 0x010203u, 0xFEDCBAu}) {
    const TkivHSL hsl = PixelToHSL(v);
    EXPECT_EQ(HSLToPixel(hsl.H, hsl.S, hsl.L), v | 0xFF000000u) << std::hex << v;
  }
}

}  // namespace
}  // namespace kiv
