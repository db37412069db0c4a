#include "pictures.hpp"

namespace kivtool {

using kiv::TkivPixel;

namespace {
TkivPixel Rgb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<TkivPixel>(r) << 16) | (static_cast<TkivPixel>(g) << 8) |
         static_cast<TkivPixel>(b);
}
}  // namespace

void PaintOldPicture(kiv::TkivBitmap& s) {
  const int w = s.Width(), h = s.Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int t = h > 1 ? 255 * y / (h - 1) : 0;
      TkivPixel p = Rgb(20 + t / 6, 40 + t / 3, 120 + t / 2);
      const int dx = x - w / 3, dy = y - h / 3, r = (h < w ? h : w) / 4;
      if (dx * dx + dy * dy <= r * r) p = Rgb(240, 235, 200);
      if (y == (h * 3) / 4) p = Rgb(10, 20, 60);
      s.SetPixel(x, y, p);
    }
}

void PaintNewPicture(kiv::TkivBitmap& s) {
  const int w = s.Width(), h = s.Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool stripe = ((x + y) / 6) % 2 == 0;
      TkivPixel p = stripe ? Rgb(250, 170, 40) : Rgb(220, 80, 30);
      const int fx = x - w / 2, fy = y - h / 2, half = (h < w ? h : w) / 3;
      const int ax = fx < 0 ? -fx : fx, ay = fy < 0 ? -fy : fy;
      if ((ax == half || ay == half) && ax <= half && ay <= half) p = Rgb(40, 20, 10);
      s.SetPixel(x, y, p);
    }
}

}  // namespace kivtool
