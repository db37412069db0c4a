#include "effects/masks.hpp"

#include <algorithm>
#include <cstdlib>

#include "effects/masks_grid.hpp"

namespace kiv {

namespace {

using namespace masks;

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
