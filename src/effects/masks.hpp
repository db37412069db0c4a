#pragma once
// Mask generators of the mask-kind effects. Each fills a byte grid of
// width x height cells (row-major, cell (x, y) at x + y * width) for a progress
// of 0..100; 0 keeps the old picture, 255 shows the new one. The grid is
// cleared to 0 by the caller, and a generator only writes cells inside it.
#include <cstdint>

namespace kiv {

using TkivMaskProc = void (*)(uint8_t* mask, int width, int height, uint8_t progress);

// The one value of every cell of the uniform mask ("Fade", whose table entry
// is marked `uniform`) at progress p.
uint8_t UniformMaskLevel(uint8_t progress);

// Drawing primitives on a mask grid; cells outside the grid are skipped.
void DrawMaskLine(uint8_t* mask, int width, int height, int x0, int y0, int x1, int y1,
                  uint8_t value);
void DrawMaskRing(uint8_t* mask, int width, int height, int mx, int my, int radius, uint8_t value);

// The generator's linear congruential random sequence: each draw steps the
// 32-bit seed (seed * 0x08088405 + 1) and maps it onto 0..n-1.
struct TkivRandom {
  uint32_t seed = 0;
  uint32_t Next(uint32_t n) {
    seed = seed * 0x08088405u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(seed) * n) >> 32);
  }
};

// One entry per mask effect, in registration order.
struct TkivMaskEffect {
  const char* name;
  TkivMaskProc proc;
  bool uniform = false;  // every cell holds UniformMaskLevel
};
extern const TkivMaskEffect kMaskEffects[54];

}  // namespace kiv
