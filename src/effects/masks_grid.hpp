#pragma once
// What the mask generator files share: the grid they draw on, how a family
// colours its steps, the grid's shape, and the generators the registration
// table in masks.cpp lists. Only the mask generator files include it.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "effects/masks.hpp"
#include "framework/numeric.hpp"

namespace kiv::masks {

// The midpoint circle walk of a ring: step(x, y) for x = 0, y = radius
// while y > x (d = 3 - 2r; d < 0: d += 4x + 6, else d += 4(x - y) + 10 and
// y -= 1; then x += 1), and once more after the loop when y = x.
template <class Step>
void MidpointWalk(int radius, Step step) {
  int x = 0, y = radius, d = 3 - 2 * radius;
  while (y > x) {
    step(x, y);
    if (d < 0) {
      d += 4 * x + 6;
    } else {
      d += 4 * (x - y) + 10;
      --y;
    }
    ++x;
  }
  if (y == x) step(x, y);
}

// A mask grid with its size; plotting clips to it.
struct Grid {
  uint8_t* m;
  int w, h;
  void Plot(int x, int y, uint8_t v) const {
    if (x >= 0 && x < w && y >= 0 && y < h) m[x + y * w] = v;
  }
  void Line(int x0, int y0, int x1, int y1, uint8_t v) const {
    DrawMaskLine(m, w, h, x0, y0, x1, y1, v);
  }
  void Row(int y, uint8_t v) const { Line(0, y, w - 1, y, v); }
  void Ring(int mx, int my, int r, uint8_t v) const { DrawMaskRing(m, w, h, mx, my, r, v); }
  size_t Size() const { return static_cast<size_t>(w) * static_cast<size_t>(h); }
};

// How the members of a family colour what they draw.
enum class Tone { kSlide, kFade, kSmooth };

inline uint8_t FadeValue(int p) {
  return static_cast<uint8_t>(MulDiv(p, 255, 100));
}

// Value of step k in a sweep of n + 1 steps: strongest at step 0, near 0 at
// the last step, 255 throughout at full progress.
inline uint8_t SmoothValue(int p, int k, int n) {
  if (p >= 100) return 255;
  const double s = n == 0 ? 2.0 * p : 2.0 * p / n;
  const int v = MulDiv(static_cast<int32_t>(Round(2.0 * p - k * s)), 255, 100);
  if (v >= 256) return 255;
  return static_cast<uint8_t>(v < 0 ? 0 : v);
}

inline uint8_t FlatValue(Tone tone, int p) {
  return tone == Tone::kSlide ? 255 : FadeValue(p);
}

// Value of step k of n in a family member: falling along the sweep when
// smooth, one value for all steps otherwise.
inline uint8_t StepValue(Tone tone, int p, int k, int n) {
  return tone == Tone::kSmooth ? SmoothValue(p, k, n) : FlatValue(tone, p);
}

inline uint8_t FadeLevel(int p) {
  return static_cast<uint8_t>(Round(p / 100.0L * 255));
}

inline int RoundScaled(long double factor, long double value) {
  return static_cast<int>(Round(factor * value));
}

// Shape of the grid shared by the centred and diagonal effects.
struct Shape {
  int cx, cy, l;
  long double diag;  // sqrt(W^2 + H^2)
  int d;             // round(diag)
  double ax, ay;     // aspect factors, the longer side 1
  explicit Shape(const Grid& g) {
    cx = g.w / 2;
    cy = g.h / 2;
    l = std::max(g.w, g.h);
    diag = std::sqrt(static_cast<long double>(g.w) * g.w + static_cast<long double>(g.h) * g.h);
    d = static_cast<int>(Round(diag));
    if (g.h < g.w) {
      ax = 1.0;
      ay = static_cast<double>(g.h) / g.w;
    } else {
      ax = static_cast<double>(g.w) / g.h;
      ay = 1.0;
    }
  }
};

// The generators, one per family (drawn in the given tone) or per effect.
// masks_sweeps.cpp: fills and straight and diagonal sweeps.
void Fade(const Grid& g, int p);
void Down(const Grid& g, int p, Tone tone);
void In(const Grid& g, int p, Tone tone);
void Out(const Grid& g, int p, Tone tone);
void Diagonal(const Grid& g, int p, Tone tone);
void DiagonalIn(const Grid& g, int p, Tone tone);
void DiagonalOut(const Grid& g, int p, Tone tone);
// masks_shapes.cpp: cross, rectangle, diamond, circles and rotation.
void CrossOut(const Grid& g, int p, Tone tone);
void RectOut(const Grid& g, int p, Tone tone);
void DiamondOut(const Grid& g, int p, Tone tone);
void CircleOut(const Grid& g, int p, Tone tone);
void CircleIn(const Grid& g, int p, Tone tone);
void CircleCorner(const Grid& g, int p, Tone tone);
void Rotate(const Grid& g, int p, Tone tone);
// masks_random.cpp: random cells, pixels, stream and plasma.
void Pixel(const Grid& g, int p);
void PixelFade(const Grid& g, int p);
void PixelLine(const Grid& g, int p);
void Stream(const Grid& g, int p);
void Plasma(const Grid& g, int p);

}  // namespace kiv::masks
