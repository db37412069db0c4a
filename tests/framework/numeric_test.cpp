#include "framework/numeric.hpp"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  struct Case { int32_t a, b, c, want; };
  const Case cases[] = {
      {5, 1, 2, 3},     {-5, 1, 2, -3},  {5, -1, 2, -3}, {5, 1, -2, -3},
      {7, 1, 2, 4},     {1, 1, 3, 0},    {2, 1, 3, 1},   {255, 128, 255, 128},
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

}  // namespace
}  // namespace kiv
