// Mask generators drawn from a random sequence or a fixed pattern: random
// cells, pixels, stream and plasma.
#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "effects/masks_grid.hpp"
#include "framework/numeric.hpp"

namespace kiv::masks {

namespace {

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

}  // namespace

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

}  // namespace kiv::masks
