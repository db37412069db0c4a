#include "framework/numeric.hpp"

#include <cmath>
#include <cstdlib>

namespace kiv {

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  int64_t num = static_cast<int64_t>(a) * b;
  int64_t den = c;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  // Round half away from zero: add half the divisor in the numerator's direction.
  int64_t q = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<int32_t>(q);
}

namespace {

// Nearest, ties to even, by comparing the fraction with one half. Below 2^62
// the integer part t is exact, and so is the fraction x - t (its bits are a
// subset of x's); larger magnitudes and NaN go to std::nearbyint, which
// rounds in the current rounding mode: to nearest, ties to even, since the
// library never changes it. The comparison is the common path because the
// C library's functions are dear under mingw-w64 (tens of nanoseconds a
// call, which an animation frame paid twice).
template <class F>
int64_t RoundHalfEven(F x) {
  constexpr F kLimit = F(4611686018427387904.0);  // 2^62
  if (!(x > -kLimit && x < kLimit)) return static_cast<int64_t>(std::nearbyint(x));
  const int64_t t = static_cast<int64_t>(x);
  const F fraction = x - static_cast<F>(t);
  if (fraction > F(0.5)) return t + 1;
  if (fraction < F(-0.5)) return t - 1;
  if (fraction == F(0.5)) return t + (t & 1);
  if (fraction == F(-0.5)) return t - (t & 1);
  return t;
}

}  // namespace

int64_t Round(long double x) {
  return RoundHalfEven(x);
}
int64_t Round(double x) {
  return RoundHalfEven(x);
}
int64_t Round(float x) {
  return RoundHalfEven(x);
}

}  // namespace kiv
