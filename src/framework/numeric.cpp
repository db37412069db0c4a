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

// std::nearbyint uses the current rounding mode, which is round-to-nearest-even
// unless a program changes it; the library never does.
int64_t Round(long double x) { return static_cast<int64_t>(std::nearbyintl(x)); }
int64_t Round(double x) { return static_cast<int64_t>(std::nearbyint(x)); }
int64_t Round(float x) { return static_cast<int64_t>(std::nearbyintf(x)); }

}  // namespace kiv
