#pragma once
// The rounding rules used across the library, each defined once:
//  - integer division truncates toward zero (C++'s own '/');
//  - MulDiv forms a*b/c in 64 bits and rounds halves away from zero;
//  - every other rounding to an integer goes to the nearest, ties to even.
#include <cstdint>

namespace kiv {

// a * b / c with a 64-bit intermediate, rounded half away from zero. Returns -1
// when c is 0 or the result does not fit in 32 bits, as the platform's MulDiv.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// Nearest integer, ties to the even neighbour (-16.5 -> -16, 2.5 -> 2).
int64_t Round(long double x);
int64_t Round(double x);
int64_t Round(float x);

// Toward zero, as a cast would, but named where the truncation is intended.
inline int64_t Trunc(long double x) { return static_cast<int64_t>(x); }

}  // namespace kiv
