// Mask generators of centred and cornered shapes: cross, rectangle and
// diamond outlines, circles, and the rotation about the bottom-left cell.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "effects/masks_grid.hpp"
#include "framework/numeric.hpp"

namespace kiv::masks {

namespace {

// Rings about the grid's centre (w / 2, h / 2), drawn in order, the i-th with
// the radius and value ring_at(i) gives, onto the cleared grid. Every cell a
// ring plots comes with its three mirror images about the centre, in the same
// ring with the same value, and every cell of the grid lies within w / 2
// columns and h / 2 rows of the centre. So the rings are drawn into one
// quarter only, cells (cx + a, cy + b) for 0 <= a <= cx, 0 <= b <= cy (not
// clipped by the grid), which is then mirrored over the grid: every cell ends
// as drawing each ring whole leaves it, with a quarter of the writes into a
// buffer a quarter the size.
template <class RingAt>
void CentredRings(const Grid& g, int count, RingAt ring_at) {
  const int cx = g.w / 2, cy = g.h / 2, qw = cx + 1, qh = cy + 1;
  static thread_local std::vector<uint8_t> quarter;
  quarter.assign(static_cast<size_t>(qw) * static_cast<size_t>(qh), 0);
  uint8_t* q = quarter.data();
  for (int i = 0; i < count; ++i) {
    const std::pair<int, uint8_t> ring = ring_at(i);
    const uint8_t v = ring.second;
    // Cells (u, b) and (u + 1, b) of the quarter.
    auto pair = [q, qw, qh, v](int b, int u) {
      if (b >= qh || u >= qw) return;
      uint8_t* r = q + static_cast<size_t>(b) * qw;
      r[u] = v;
      if (u + 1 < qw) r[u + 1] = v;
    };
    MidpointWalk(ring.first, [&](int x, int y) {
      pair(y, x);
      pair(x, y);
    });
  }
  for (int y = 0; y < g.h; ++y) {
    const uint8_t* from = q + static_cast<size_t>(std::abs(y - cy)) * qw;
    uint8_t* row = g.m + static_cast<size_t>(y) * g.w;
    std::memcpy(row + cx, from, static_cast<size_t>(g.w - cx));
    for (int x = 0; x < cx; ++x) row[x] = from[cx - x];
  }
}

}  // namespace

// ---- Cross, rectangle, diamond ----------------------------------------------

void CrossOut(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  const Shape s(g);
  const int cx = s.cx, cy = s.cy;
  if (tone == Tone::kSmooth) {
    const int n = MulDiv(p, RoundScaled(2.5L, s.l), 100) / 2;
    for (int k = 0; k <= n; ++k) {
      const int t = static_cast<int>(Round(s.ax * k)), a = static_cast<int>(Round(s.ay * k));
      const int t2 = t / 2, a2 = a / 2;
      const uint8_t v = SmoothValue(p, k, n);
      g.Line(cx - t2, cy + a, cx - t2, cy + a2, v);
      g.Line(cx - t2, cy + a2, cx - t, cy + a2, v);
      g.Line(cx - t, cy + a2, cx - t, cy - a2, v);
      g.Line(cx - t, cy - a2, cx - t2, cy - a2, v);
      g.Line(cx - t2, cy - a2, cx - t2, cy - a, v);
      g.Line(cx - t2, cy - a, cx + t2, cy - a, v);
      g.Line(cx + t2, cy - a, cx + t2, cy - a2, v);
      g.Line(cx + t2, cy - a2, cx + t, cy - a2, v);
      g.Line(cx + t, cy - a2, cx + t, cy + a2, v);
      g.Line(cx + t, cy + a2, cx + t2, cy + a2, v);
      g.Line(cx + t2, cy + a2, cx + t2, cy + a, v);
      g.Line(cx + t2, cy + a, cx - t2, cy + a, v);
    }
    return;
  }
  const int c = MulDiv(p, 2 * g.w, 100), d = MulDiv(p, 2 * g.h, 100);
  const uint8_t v = FlatValue(tone, p);
  for (int e = -(c / 4); e <= c / 4; ++e) g.Line(cx + e, cy - d, cx + e, cy + d, v);
  for (int h = -(d / 4); h <= d / 4; ++h) g.Line(cx - c, cy + h, cx + c, cy + h, v);
}

void RectOut(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  const Shape s(g);
  const int cx = s.cx, cy = s.cy;
  const int n =
      tone == Tone::kSmooth ? MulDiv(p, RoundScaled(1.6L, s.l), 100) / 2 : MulDiv(p, s.l, 100) / 2;
  for (int k = 0; k <= n; ++k) {
    const int r = static_cast<int>(Round(s.ax * k)), m = static_cast<int>(Round(s.ay * k));
    const uint8_t v = StepValue(tone, p, k, n);
    g.Line(cx - r, cy + m, cx - r, cy - m, v);
    g.Line(cx - r, cy - m, cx + r, cy - m, v);
    g.Line(cx + r, cy - m, cx + r, cy + m, v);
    g.Line(cx + r, cy + m, cx - r, cy + m, v);
  }
}

void DiamondOut(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  const Shape s(g);
  const int cx = s.cx, cy = s.cy;
  const int n =
      tone == Tone::kSmooth ? MulDiv(p, RoundScaled(2.5L, s.l), 100) / 2 : MulDiv(p, s.l, 100);
  for (int k = 0; k <= n; ++k) {
    const int gx = static_cast<int>(Round(k * s.ax)), gy = static_cast<int>(Round(k * s.ay));
    const uint8_t v = StepValue(tone, p, k, n);
    g.Line(cx, cy + gy, cx - gx, cy, v);
    g.Line(cx - gx, cy, cx, cy - gy, v);
    g.Line(cx, cy - gy, cx + gx, cy, v);
    g.Line(cx + gx, cy, cx, cy + gy, v);
  }
}

// ---- Circles ----------------------------------------------------------------

void CircleOut(const Grid& g, int p, Tone tone) {
  const Shape s(g);
  if (tone == Tone::kSmooth) {
    if (p == 0) return;
    const int n = MulDiv(RoundScaled(0.9L, s.diag), p, 100);
    CentredRings(g, n + 1, [&](int k) { return std::pair<int, uint8_t>{k, SmoothValue(p, k, n)}; });
    return;
  }
  const int last = MulDiv(s.d, p, 100) / 2;
  const uint8_t v = FlatValue(tone, p);
  CentredRings(g, last + 1, [&](int r) { return std::pair<int, uint8_t>{r, v}; });
}

void CircleIn(const Grid& g, int p, Tone tone) {
  const Shape s(g);
  const int r0 = s.d / 2;
  const uint8_t v = FlatValue(tone, p);
  const int top = MulDiv(s.d, p, 100) / 2;  // rings r0 - top .. r0, in that order
  CentredRings(g, top + 1, [&](int i) { return std::pair<int, uint8_t>{r0 - (top - i), v}; });
}

void CircleCorner(const Grid& g, int p, Tone tone) {
  const Shape s(g);
  if (tone == Tone::kSmooth) {
    if (p == 0) return;
    const int n = MulDiv(RoundScaled(1.5L, s.diag), p, 100);
    for (int k = 0; k <= n; ++k) g.Ring(0, g.h - 1, k, SmoothValue(p, k, n));
    return;
  }
  const int last = MulDiv(s.d, p, 100);
  const uint8_t v = FlatValue(tone, p);
  for (int r = 0; r <= last; ++r) g.Ring(0, g.h - 1, r, v);
}

// ---- Rotation about the bottom-left cell ------------------------------------

void Rotate(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  const int w = g.w, h = g.h;
  if (tone == Tone::kSmooth) {
    const int b = MulDiv(2 * (w + h), p, 100);
    for (int k = 0; k <= b; ++k) {
      const uint8_t v = SmoothValue(p, k, b);
      if (k < h)
        g.Line(0, h - 1, w - 1, h - k, v);
      else
        g.Line(0, h - 1, w + h - k, 0, v);
    }
    return;
  }
  const int e = MulDiv(w + h, p, 100);
  const uint8_t v = FlatValue(tone, p);
  for (int i = 0; i <= e; ++i) {
    if (i < h)
      g.Line(0, h - 1, w - 1, h - i, v);
    else
      g.Line(0, h - 1, w + i - e, 0, v);
  }
}

}  // namespace kiv::masks
