#include "effects/masks.hpp"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "framework/numeric.hpp"

namespace kiv {

namespace {

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

uint8_t FadeValue(int p) {
  return static_cast<uint8_t>(MulDiv(p, 255, 100));
}

// Value of step k in a sweep of n + 1 steps: strongest at step 0, near 0 at
// the last step, 255 throughout at full progress.
uint8_t SmoothValue(int p, int k, int n) {
  if (p >= 100) return 255;
  const double s = n == 0 ? 2.0 * p : 2.0 * p / n;
  const int v = MulDiv(static_cast<int32_t>(Round(2.0 * p - k * s)), 255, 100);
  if (v >= 256) return 255;
  return static_cast<uint8_t>(v < 0 ? 0 : v);
}

uint8_t FlatValue(Tone tone, int p) {
  return tone == Tone::kSlide ? 255 : FadeValue(p);
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

int RoundScaled(long double factor, long double value) {
  return static_cast<int>(Round(factor * value));
}

// ---- Fade -----------------------------------------------------------------

uint8_t FadeLevel(int p) {
  return static_cast<uint8_t>(Round(p / 100.0L * 255));
}

void Fade(const Grid& g, int p) {
  std::fill(g.m, g.m + g.Size(), FadeLevel(p));
}

// ---- Straight sweeps --------------------------------------------------------

void Down(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  if (tone == Tone::kSmooth) {
    const int n = MulDiv(RoundScaled(1.5L, g.h), p, 100);
    for (int k = 0; k <= n; ++k) g.Row(k, SmoothValue(p, k, n));
    return;
  }
  const int n = MulDiv(p, g.h - 1, 100);
  for (int y = 0; y <= n; ++y) g.Row(y, FlatValue(tone, p));
}

void In(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  const int cy = g.h / 2;
  if (tone == Tone::kSmooth) {
    const int n = MulDiv(RoundScaled(0.8L, g.h), p, 100);
    for (int k = 0; k <= n && k <= cy; ++k) {
      const uint8_t v = SmoothValue(p, k, n);
      g.Row(g.h - 1 - k, v);
      g.Row(k, v);
    }
    return;
  }
  const int i = MulDiv(p, cy, 100);
  const uint8_t v = FlatValue(tone, p);
  for (int y = g.h - 1; y >= g.h - 1 - i; --y) g.Row(y, v);
  for (int y = 0; y <= i; ++y) g.Row(y, v);
}

void Out(const Grid& g, int p, Tone tone) {
  if (p == 0) return;
  const int cy = g.h / 2;
  if (tone == Tone::kSmooth) {
    const int n = MulDiv(RoundScaled(0.8L, g.h), p, 100);
    for (int k = 0; k <= n && k <= cy; ++k) {
      const uint8_t v = SmoothValue(p, k, n);
      g.Row(cy - k, v);
      g.Row(cy + k, v);
    }
    return;
  }
  const int last = MulDiv(p, cy, 100);
  const uint8_t v = FlatValue(tone, p);
  for (int k = 0; k <= last; ++k) {
    g.Row(cy - k, v);
    g.Row(cy + k, v);
  }
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
    const uint8_t v = tone == Tone::kSmooth ? SmoothValue(p, k, n) : FlatValue(tone, p);
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
    const uint8_t v = tone == Tone::kSmooth ? SmoothValue(p, k, n) : FlatValue(tone, p);
    g.Line(cx, cy + gy, cx - gx, cy, v);
    g.Line(cx - gx, cy, cx, cy - gy, v);
    g.Line(cx, cy - gy, cx + gx, cy, v);
    g.Line(cx + gx, cy, cx, cy + gy, v);
  }
}

// The "In" members: the partner run backwards (progress 100 - p), then every
// cell inverted by the family's rule.
using Partner = void (*)(const Grid&, int, Tone);
void Complement(const Grid& g, int p, Tone tone, Partner partner) {
  if (p == 0) return;
  partner(g, 100 - p, tone);
  const uint8_t shown = FlatValue(tone, p);
  for (uint8_t *c = g.m, *end = g.m + g.Size(); c != end; ++c) {
    if (tone == Tone::kSmooth)
      *c = static_cast<uint8_t>(255 - *c);
    else
      *c = *c != 0 ? 0 : shown;
  }
}

// ---- Circles ----------------------------------------------------------------

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

// The generators' caches keep entries for the last few grid sizes within a
// byte budget: before `adding` bytes come in, the oldest entries go until
// the whole fits.
template <typename T, typename Bytes>
void MakeRoom(std::vector<T>& kept, uint64_t adding, uint64_t budget, Bytes bytes_of) {
  uint64_t used = adding;
  for (const T& k : kept) used += bytes_of(k);
  while (!kept.empty() && used > budget) {
    used -= bytes_of(kept.front());
    kept.erase(kept.begin());
  }
}

// ---- Random cells -----------------------------------------------------------

// The cells the random sequence seeded with `total` picks, in the order it
// first picks them. Every frame of a random-cell effect repeats the same
// sequence a little further, so the order is kept and only extended: a frame
// costs one write per cell instead of drawing the whole sequence again, with
// its retries, from the start. The last few grid sizes are kept, within a
// memory budget (5 bytes per cell); grids beyond it draw the sequence anew.
class ScatterOrder {
 public:
  static constexpr uint64_t kBudgetBytes = uint64_t{16} << 20;
  static bool Fits(uint32_t total) { return uint64_t{total} * 5 <= kBudgetBytes; }
  static ScatterOrder& For(uint32_t total) {
    static thread_local std::vector<ScatterOrder> kept;
    for (ScatterOrder& o : kept)
      if (o.total_ == total) return o;
    MakeRoom(kept, uint64_t{total} * 5, kBudgetBytes,
             [](const ScatterOrder& o) { return uint64_t{o.total_} * 5; });
    kept.push_back(ScatterOrder(total));
    return kept.back();
  }
  // The first `count` cells (count < total).
  const uint32_t* First(uint64_t count) {
    while (order_.size() < count) {
      uint32_t c;
      do c = rnd_.Next(total_);
      while (taken_[c]);
      taken_[c] = 1;
      order_.push_back(c);
    }
    return order_.data();
  }

 private:
  explicit ScatterOrder(uint32_t total) : total_(total), rnd_{total}, taken_(total, 0) {}
  uint32_t total_;
  TkivRandom rnd_;
  std::vector<uint8_t> taken_;
  std::vector<uint32_t> order_;
};

// Sets `count` distinct cells of the cleared `cells`, chosen by the random
// sequence seeded with the cell count (each pick that lands on a set cell is
// drawn again), to `value`; the set only grows with the count. All cells are
// taken when count reaches the total (the retries for the very last cells
// would otherwise dominate).
void ScatterCells(uint8_t* cells, uint32_t total, int64_t count, uint8_t value) {
  if (count >= static_cast<int64_t>(total)) {
    std::fill(cells, cells + total, value);
    return;
  }
  if (count <= 0) return;
  if (!ScatterOrder::Fits(total)) {
    TkivRandom rnd{total};
    for (int64_t i = 0; i < count; ++i) {
      uint32_t c;
      do c = rnd.Next(total);
      while (cells[c] != 0);
      cells[c] = value;
    }
    return;
  }
  const uint32_t* order = ScatterOrder::For(total).First(static_cast<uint64_t>(count));
  for (int64_t i = 0; i < count; ++i) cells[order[i]] = value;
}

void Pixel(const Grid& g, int p) {
  if (p == 0) return;
  const auto n = static_cast<uint32_t>(g.Size());
  ScatterCells(g.m, n, Round(n * (p / 100.0L)), 255);
}

void PixelFade(const Grid& g, int p) {
  if (p == 0) return;
  const auto n = static_cast<uint32_t>(g.Size());
  ScatterCells(g.m, n, Round(static_cast<long double>(p) * n / 100),
               static_cast<uint8_t>(Round(p / 100.0L * 255)));
}

void PixelLine(const Grid& g, int p) {
  if (p == 0) return;
  const auto n = static_cast<uint32_t>(g.Size());
  // The sweep's value falls by W / 1000 per column, so on grids wider than
  // about 316 cells the far columns would never be shown; the last frame
  // shows the whole new picture.
  if (p >= 100) {
    std::fill(g.m, g.m + n, 255);
    return;
  }
  std::vector<uint8_t> marked(n, 0);
  ScatterCells(marked.data(), n, Round(static_cast<long double>(p) * n / 100), 1);
  const int last = static_cast<int>(Round(p / 100.0L * (2 * g.w - 1)));
  const double step = g.w * 0.1 / p;
  for (int x = 0; x <= last && x < g.w; ++x) {
    int64_t q = Round(2.0 * p - x * step);
    if (q < 0) q = 0;
    const int64_t value = std::min<int64_t>(255, Round(q / 100.0L * 255));
    for (int y = 0; y < g.h; ++y)
      if (marked[x + static_cast<size_t>(y) * g.w])
        g.m[x + static_cast<size_t>(y) * g.w] = static_cast<uint8_t>(value);
  }
}

// Columns run down from the top, each after its own delay; the delays are
// random but smoothed so that neighbouring columns start close together.
void Stream(const Grid& g, int p) {
  const int w = g.w, h = g.h;
  TkivRandom rnd{static_cast<uint32_t>(g.Size())};
  std::vector<int> pos(w), lim(w, h - 1);
  for (int c = 0; c < w; ++c) pos[c] = -static_cast<int>(rnd.Next(80));
  for (int j = 1; j <= 8; ++j)
    if (w - 2 * j > 0)
      for (int c = j; c <= w - j - 1; ++c) pos[c] = (pos[c - 1] + 2 * pos[c] + pos[c + 1]) / 4;
  const int rounds = MulDiv(h + 79, p, 100) + 1;
  for (int r = 0; r < rounds; ++r)
    for (int c = 0; c < w; ++c) {
      if (lim[c] < pos[c]) {
        pos[c] = 0;
        --lim[c];
      } else {
        if (pos[c] >= 0) g.Plot(c, pos[c], 255);
        ++pos[c];
      }
    }
}

// A fixed plasma pattern; the progress lowers a threshold through it.
struct PlasmaTables {
  int a[512], b[512];
  uint8_t palette[512];
  PlasmaTables() {
    const long double pi = 3.14159265358979323846264338327950288L;
    for (int i = 0; i < 512; ++i) {
      const long double t = 2 * pi * i / 512;
      a[i] = (static_cast<int>(Trunc(256 * std::sin(t))) + 256) & 511;
      b[i] = (static_cast<int>(Trunc(256 * std::cos(t))) + 256) & 511;
    }
    static const int key[13] = {255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    const int step = (12 * 65536) / 511;
    int last_b = 0;
    for (int i = 0; i <= 510; ++i) {
      const int pos = i * step, k = pos >> 16;
      const int ka = key[k], kb = key[k == 12 ? 12 : k + 1];
      const int frac = pos & 65535, inv = 65536 - frac;
      if (inv < step - inv)
        palette[i] = static_cast<uint8_t>(kb);
      else if (step - frac > frac)
        palette[i] = static_cast<uint8_t>(ka);
      else
        palette[i] = static_cast<uint8_t>((ka * inv + kb * frac) >> 16);
      last_b = kb;
    }
    palette[511] = static_cast<uint8_t>(last_b);
  }
};

// The plasma's palette value of every cell (by the grid's size only).
void PlasmaValues(int w, int h, uint8_t* out) {
  static const PlasmaTables t;
  for (int y = 0; y < h; ++y) {
    const int ay = t.a[y & 511], by = t.b[y & 511];
    uint8_t* row = out + static_cast<size_t>(y) * w;
    for (int x = 0; x < w; ++x) row[x] = t.palette[(t.a[(x + ay) & 511] + by) & 511];
  }
}

// The pattern is kept for the last few sizes, within a memory budget, so a
// frame only lowers the threshold; nullptr for grids beyond the budget.
const std::vector<uint8_t>* PlasmaPattern(int w, int h) {
  constexpr size_t kBudgetBytes = size_t{8} << 20;
  struct Kept {
    int w, h;
    std::vector<uint8_t> values;
  };
  static thread_local std::vector<Kept> kept;
  for (const Kept& k : kept)
    if (k.w == w && k.h == h) return &k.values;
  const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
  if (n > kBudgetBytes) return nullptr;
  MakeRoom(kept, n, kBudgetBytes, [](const Kept& k) { return uint64_t{k.values.size()}; });
  std::vector<uint8_t> values(n);
  PlasmaValues(w, h, values.data());
  kept.push_back(Kept{w, h, std::move(values)});
  return &kept.back().values;
}

void Plasma(const Grid& g, int p) {
  const int level = MulDiv(2 * p, 255, 100);
  const size_t n = g.Size();
  const std::vector<uint8_t>* pattern = PlasmaPattern(g.w, g.h);
  std::vector<uint8_t> own;
  if (pattern == nullptr) {
    own.resize(n);
    PlasmaValues(g.w, g.h, own.data());
    pattern = &own;
  }
  // level - value, clamped to 0..255 (level lies in 0..510): up to 255 it is
  // the saturating difference level - value; above, 255 minus the saturating
  // difference value - (level - 255). Sixteen cells per step.
  const uint8_t* v = pattern->data();
  const bool high = level > 255;
  const __m128i k = _mm_set1_epi8(static_cast<char>(high ? level - 255 : level));
  const __m128i ones = _mm_set1_epi8(-1);
  size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(v + i));
    const __m128i d = high ? _mm_xor_si128(_mm_subs_epu8(x, k), ones) : _mm_subs_epu8(k, x);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(g.m + i), d);
  }
  for (; i < n; ++i) {
    const int d = level - v[i];
    g.m[i] = static_cast<uint8_t>(d < 0 ? 0 : d > 255 ? 255 : d);
  }
}

// ---- Registration table -----------------------------------------------------

template <void (*F)(const Grid&, int, Tone), Tone T>
void Family(uint8_t* m, int w, int h, uint8_t p) {
  F(Grid{m, w, h}, p, T);
}
template <void (*F)(const Grid&, int, Tone), Tone T>
void ComplementOf(uint8_t* m, int w, int h, uint8_t p) {
  Complement(Grid{m, w, h}, p, T, F);
}
template <void (*F)(const Grid&, int)>
void Plain(uint8_t* m, int w, int h, uint8_t p) {
  F(Grid{m, w, h}, p);
}

constexpr Tone kSl = Tone::kSlide, kFa = Tone::kFade, kSm = Tone::kSmooth;

}  // namespace

uint8_t UniformMaskLevel(uint8_t progress) {
  return FadeLevel(progress);
}

void DrawMaskLine(uint8_t* mask, int width, int height, int x0, int y0, int x1, int y1,
                  uint8_t value) {
  const Grid g{mask, width, height};
  const int dx = x1 - x0, dy = y1 - y0;
  const int adx = std::abs(dx), ady = std::abs(dy);
  const int steps = std::max(adx, ady);
  int x = x0, y = y0;
  g.Plot(x, y, value);
  int ex = 0, ey = 0;
  for (int i = 0; i <= steps; ++i) {
    ex += adx;
    ey += ady;
    bool moved = false;
    if (ex > steps) {
      ex -= steps;
      x += dx > 0 ? 1 : -1;
      moved = true;
    }
    if (ey > steps) {
      ey -= steps;
      y += dy > 0 ? 1 : -1;
      moved = true;
    }
    if (moved) g.Plot(x, y, value);
  }
}

void DrawMaskRing(uint8_t* mask, int width, int height, int mx, int my, int radius, uint8_t value) {
  // A step writes four cells on each of four rows: columns mx - u - 1, mx - u,
  // mx + u and mx + u + 1 (u = x on rows my +- y, u = y on rows my +- x).
  // All cells of one ring get the same value, so the order within a ring does
  // not matter; rows outside the grid are skipped whole, and the column test
  // is made once for the four cells.
  if (width <= 0 || height <= 0) return;
  auto four = [&](int row, int u) {
    if (row < 0 || row >= height) return;
    uint8_t* r = mask + static_cast<size_t>(row) * static_cast<size_t>(width);
    const int64_t left = int64_t{mx} - u - 1, right = int64_t{mx} + u + 1;
    if (left >= 0 && right < width) {
      r[left] = r[left + 1] = r[right - 1] = r[right] = value;
      return;
    }
    for (int64_t c : {left, left + 1, right - 1, right})
      if (c >= 0 && c < width) r[c] = value;
  };
  auto step = [&](int x, int y) {
    four(my + y, x);
    four(my - y, x);
    four(my + x, y);
    four(my - x, y);
  };
  MidpointWalk(radius, step);
}

const TkivMaskEffect kMaskEffects[54] = {
    {"SmoothDiagonal", Family<Diagonal, kSm>},
    {"SmoothDiagonalIn", Family<DiagonalIn, kSm>},
    {"SmoothDiagonalOut", Family<DiagonalOut, kSm>},
    {"SmoothDown", Family<Down, kSm>},
    {"SmoothIn", Family<In, kSm>},
    {"SmoothOut", Family<Out, kSm>},
    {"SmoothCrossOut", Family<CrossOut, kSm>},
    {"SmoothCrossIn", ComplementOf<CrossOut, kSm>},
    {"SmoothRectIn", ComplementOf<RectOut, kSm>},
    {"SmoothRectOut", Family<RectOut, kSm>},
    {"SlideDiagonal", Family<Diagonal, kSl>},
    {"SlideDiagonalIn", Family<DiagonalIn, kSl>},
    {"SlideDiagonalOut", Family<DiagonalOut, kSl>},
    {"SlideDown", Family<Down, kSl>},
    {"SlideIn", Family<In, kSl>},
    {"SlideOut", Family<Out, kSl>},
    {"SlideCrossOut", Family<CrossOut, kSl>},
    {"SlideCrossIn", ComplementOf<CrossOut, kSl>},
    {"SlideRectOut", Family<RectOut, kSl>},
    {"SlideRectIn", ComplementOf<RectOut, kSl>},
    {"Fade", Plain<Fade>, true},
    {"FadeDiagonal", Family<Diagonal, kFa>},
    {"FadeDiagonalIn", Family<DiagonalIn, kFa>},
    {"FadeDiagonalOut", Family<DiagonalOut, kFa>},
    {"FadeDown", Family<Down, kFa>},
    {"FadeIn", Family<In, kFa>},
    {"FadeOut", Family<Out, kFa>},
    {"FadeCrossOut", Family<CrossOut, kFa>},
    {"FadeCrossIn", ComplementOf<CrossOut, kFa>},
    {"FadeRectOut", Family<RectOut, kFa>},
    {"FadeRectIn", ComplementOf<RectOut, kFa>},
    {"Pixel", Plain<Pixel>},
    {"Pixel fade", Plain<PixelFade>},
    {"Pixel line", Plain<PixelLine>},
    {"CircleSlideOut", Family<CircleOut, kSl>},
    {"CircleFadeOut", Family<CircleOut, kFa>},
    {"CircleSmoothOut", Family<CircleOut, kSm>},
    {"CircleSlideIn", Family<CircleIn, kSl>},
    {"CircleFadeIn", Family<CircleIn, kFa>},
    {"CircleSmoothIn", ComplementOf<CircleOut, kSm>},
    {"CircleSlide", Family<CircleCorner, kSl>},
    {"CircleFade", Family<CircleCorner, kFa>},
    {"CircleSmooth", Family<CircleCorner, kSm>},
    {"DiamondSlideIn", ComplementOf<DiamondOut, kSl>},
    {"DiamondFadeIn", ComplementOf<DiamondOut, kFa>},
    {"DiamondSmoothIn", ComplementOf<DiamondOut, kSm>},
    {"DiamondSlideOut", Family<DiamondOut, kSl>},
    {"DiamondFadeOut", Family<DiamondOut, kFa>},
    {"DiamondSmoothOut", Family<DiamondOut, kSm>},
    {"RotateSlide", Family<Rotate, kSl>},
    {"RotateFade", Family<Rotate, kFa>},
    {"RotateSmooth", Family<Rotate, kSm>},
    {"Stream", Plain<Stream>},
    {"Plasma", Plain<Plasma>},
};

}  // namespace kiv
