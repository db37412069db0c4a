// Mask generators that fill the grid or sweep it with straight or diagonal
// lines.
#include <algorithm>
#include <cstdint>

#include "effects/masks_grid.hpp"
#include "framework/numeric.hpp"

namespace kiv::masks {

namespace {

// Rows two at a time, one step of the sweep drawing both rows of a pair:
// from the top and bottom edges inwards (`inwards`) or from the centre
// outwards, up to the centre row.
void MirroredRows(const Grid& g, int p, Tone tone, bool inwards) {
  if (p == 0) return;
  const int cy = g.h / 2;
  const int n = tone == Tone::kSmooth ? MulDiv(RoundScaled(0.8L, g.h), p, 100) : MulDiv(p, cy, 100);
  for (int k = 0; k <= n && k <= cy; ++k) {
    const uint8_t v = StepValue(tone, p, k, n);
    g.Row(inwards ? k : cy - k, v);
    g.Row(inwards ? g.h - 1 - k : cy + k, v);
  }
}

// Corner points of the In/Out diagonal bands at progress p.
int ScaledCorner(int p, int extent) {
  return static_cast<int>(Round(p / 100.0L * extent));
}

// The smooth diagonal bands: 2b + 1 steps of falling value, drawn while the
// step is inside the longer side; `out` selects the band around the other
// diagonal.
void SmoothDiagonalBand(const Grid& g, int p, bool out) {
  const Shape s(g);
  const int b = MulDiv(s.d, p, 100);
  const double step = b == 0 ? 2.0 * p : 2.0 * p / b;
  double fx, gy;
  if (g.w < g.h) {
    fx = static_cast<double>(g.w) / g.h;
    gy = 1.0;
  } else {
    fx = 1.0;
    gy = static_cast<double>(g.h) / g.w;
  }
  double f = 0, gs = 0;
  for (int i = 0; i <= 2 * b && i < s.l; ++i) {
    int u = MulDiv(static_cast<int32_t>(Round(2.0 * p - i * step / 2)), 255, 100);
    if (u < 0) u = 0;
    if (u >= 256 || p >= 100) u = 255;
    const auto v = static_cast<uint8_t>(u);
    const int fi = static_cast<int>(Round(f)), gi = static_cast<int>(Round(gs));
    if (out) {
      g.Line(0, g.h - 1 - gi, g.w - fi, 0, v);
      g.Line(fi, g.h - 1, g.w - 1, gi, v);
    } else {
      g.Line(0, g.h - 1 - gi, fi, g.h - 1, v);
      g.Line(g.w - fi, 0, g.w - 1, gi, v);
    }
    f += fx;
    gs += gy;
  }
}

}  // namespace

void Fade(const Grid& g, int p) {
  std::fill(g.m, g.m + g.Size(), FadeLevel(p));
}

// ---- Straight sweeps --------------------------------------------------------

void Down(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  const int n =
      tone == Tone::kSmooth ? MulDiv(RoundScaled(1.5L, g.h), p, 100) : MulDiv(p, g.h - 1, 100);
  for (int k = 0; k <= n; ++k) g.Row(k, StepValue(tone, p, k, n));
}

void In(const Grid& g, int p, Tone tone) {
  MirroredRows(g, p, tone, true);
}

void Out(const Grid& g, int p, Tone tone) {
  MirroredRows(g, p, tone, false);
}

// ---- Diagonal sweeps --------------------------------------------------------

void Diagonal(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  if (tone == Tone::kSmooth) {
    const Shape s(g);
    const int n = MulDiv(p, RoundScaled(2.5L, s.diag), 100);
    for (int k = 0; k <= n; ++k)
      g.Line(0, static_cast<int>(Round(k * s.ay)), static_cast<int>(Round(k * s.ax)), 0,
             SmoothValue(p, k, n));
    return;
  }
  const int c = MulDiv(g.w - 1, p, 100), d = MulDiv(g.h - 1, p, 100);
  const uint8_t v = FlatValue(tone, p);
  for (int k = 0; k <= std::max(2 * c, 2 * d); ++k)
    g.Line(0, std::min(k, 2 * d), std::min(k, 2 * c), 0, v);
}

void DiagonalIn(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  if (tone == Tone::kSmooth) return SmoothDiagonalBand(g, p, false);
  const int cx = ScaledCorner(p, g.w - 1), cy = ScaledCorner(p, g.h - 1);
  const uint8_t v = FlatValue(tone, p);
  for (int k = 0; k <= std::max(cx, cy); ++k) {
    g.Line(0, g.h - 1 - std::min(k, cy), std::min(k, cx), g.h - 1, v);
    g.Line(g.w - 1 - std::min(k, cx), 0, g.w - 1, std::min(k, cy), v);
  }
}

void DiagonalOut(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  if (tone == Tone::kSmooth) return SmoothDiagonalBand(g, p, true);
  const int cx = ScaledCorner(p, g.w - 1), cy = ScaledCorner(p, g.h - 1);
  const uint8_t v = FlatValue(tone, p);
  if (cy < cx) {
    for (int k = 0; k <= cx; ++k) g.Line(0, std::min(k, cy), g.w - 1 - k, g.h - 1, v);
    for (int k = 0; k <= cx; ++k) g.Line(k, 0, g.w, g.h - std::min(k, cy), v);
  } else {
    for (int k = 0; k <= cy; ++k) g.Line(std::min(k, cx), 0, g.w - 1, g.h - 1 - k, v);
    for (int k = 0; k <= cy; ++k) g.Line(0, k, g.w - 1 - std::min(k, cx), g.h - 1, v);
  }
}

}  // namespace kiv::masks
