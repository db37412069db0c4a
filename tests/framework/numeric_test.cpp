#include "framework/numeric.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace kiv {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  struct Case {
    int32_t a, b, c, want;
  };
  const Case cases[] = {
      {5, 1, 2, 3},       {-5, 1, 2, -3},
      {5, -1, 2, -3},     {5, 1, -2, -3},
      {7, 1, 2, 4},       {1, 1, 3, 0},
      {2, 1, 3, 1},       {255, 128, 255, 128},
      {100, 50, 100, 50}, {0x7fffffff, 2, 2, 0x7fffffff},
  };
  for (const Case& t : cases) {
    EXPECT_EQ(MulDiv(t.a, t.b, t.c), t.want) << t.a << "*" << t.b << "/" << t.c;
  }
}

TEST(MulDiv, FailsLikeThePlatformOnZeroDivisorAndOverflow) {
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(0x7fffffff, 4, 1), -1);
}

TEST(Round, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(-16.5L), -16);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(3.5f), 4);
  EXPECT_EQ(Round(-12.1L), -12);
  // The caption line height: font height times 1.1 in extended precision.
  EXPECT_EQ(Round(-11 * 1.1L), -12);
  EXPECT_EQ(Round(-15 * 1.1L), -16);
}

// The library's rounding equals the C library's nearbyint (ties to even in the
// default rounding mode) in all three precisions: halves and their
// neighbours one unit in the last place away, both signs, magnitudes where
// the fraction runs out of bits, the edge of the fast path (2^62) and past
// it, and random values over many magnitudes.
template <class F>
void ExpectRoundsAsNearbyint(const char* type) {
  std::vector<F> values;
  for (F base : {F(0), F(1), F(2), F(3), F(16), F(127), F(4194303), F(8388607),
                 F(9007199254740991.0), F(4611686018427387904.0), F(6.0e18)}) {
    for (F x : {base, base + F(0.5), base - F(0.5), base + F(0.25), base + F(0.75)}) {
      for (F v : {x, std::nextafter(x, F(0)), std::nextafter(x, F(1e30))}) {
        values.push_back(v);
        values.push_back(-v);
      }
    }
  }
  std::mt19937_64 rng(9);
  for (int i = 0; i < 20000; ++i) {
    const F mantissa = std::uniform_real_distribution<double>(-1, 1)(rng);
    values.push_back(std::ldexp(mantissa, static_cast<int>(rng() % 62)));
  }
  for (F v : values) {
    if (!(std::fabs(v) < F(9.2e18))) continue;  // beyond what an int64_t holds
    ASSERT_EQ(Round(v), static_cast<int64_t>(std::nearbyint(v)))
        << type << " " << static_cast<long double>(v);
  }
}

TEST(Round, EqualsNearbyintInEveryPrecision) {
  ExpectRoundsAsNearbyint<float>("float");
  ExpectRoundsAsNearbyint<double>("double");
  ExpectRoundsAsNearbyint<long double>("long double");
}

}  // namespace
}  // namespace kiv
