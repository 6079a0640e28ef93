#include "figures/degrees.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

namespace gradoir {
namespace {

// The table index as the wrap is described: add 360 while negative, then
// subtract 360 while above 360, one turn at a time.
std::int32_t IndexByWholeTurns(std::int64_t a) {
  while (a < 0) a += 360;
  while (a > 360) a -= 360;
  return static_cast<std::int32_t>(a);
}

TEST(DegreeTables, WorkedValues) {
  EXPECT_EQ(DegSin(-90), -1.0f);
  EXPECT_EQ(DegCos(720), 1.0f);
  EXPECT_EQ(DegCos(360), 1.0f);
  EXPECT_EQ(DegCos(-1), DegCos(359));
  EXPECT_EQ(DegSin(90), 1.0f);
  EXPECT_EQ(DegCos(180), -1.0f);
  EXPECT_EQ(DegSin(30), 0.5f);
  EXPECT_EQ(DegCos(0), 1.0f);
  EXPECT_EQ(DegSin(0), 0.0f);
}


TEST(DegreeTables, ConstantTimeWrapMatchesWholeTurns) {
  std::vector<std::int64_t> angles;
  for (std::int64_t a = -1500; a <= 1500; ++a) angles.push_back(a);
  for (std::int64_t k : {1000LL, 123457LL, 5965232LL}) {
    for (std::int64_t d = -2; d <= 2; ++d) {
      angles.push_back(360 * k + d);
      angles.push_back(-360 * k + d);
    }
  }
  for (std::int64_t a : {std::int64_t{INT_MIN}, std::int64_t{INT_MIN} + 1, std::int64_t{INT_MAX},
                         std::int64_t{INT_MAX} - 1})
    angles.push_back(a);
  for (std::int64_t a : angles) {
    const std::int32_t index = IndexByWholeTurns(a);
    ASSERT_EQ(DegreeTableIndex(a), index) << a;
    ASSERT_EQ(DegSin(a), static_cast<float>(SinTable[index])) << a;
    ASSERT_EQ(DegCos(a), static_cast<float>(CosTable[index])) << a;
  }
}


TEST(RotatePoint, QuarterTurnsAreCounterclockwiseOnScreen) {
  const TRealPoint origin{0, 0};
  const TRealPoint up = RotatePoint(origin, {1, 0}, 90);
  EXPECT_NEAR(up.X, 0.0f, 1e-6f);
  EXPECT_FLOAT_EQ(up.Y, -1.0f);
  const TRealPoint down = RotatePoint(origin, {1, 0}, -90);
  EXPECT_NEAR(down.X, 0.0f, 1e-6f);
  EXPECT_FLOAT_EQ(down.Y, 1.0f);
  const TRealPoint left = RotatePoint(origin, {1, 0}, 180);
  EXPECT_FLOAT_EQ(left.X, -1.0f);
  EXPECT_NEAR(left.Y, 0.0f, 1e-6f);

  const TRealPoint about = RotatePoint({100, 100}, {110, 100}, 90);
  EXPECT_FLOAT_EQ(about.X, 100.0f);
  EXPECT_FLOAT_EQ(about.Y, 90.0f);
}

TEST(RotatePoint, ZeroTurnReturnsThePointUnchanged) {
  const TRealPoint p{123.25f, -7.5f};
  EXPECT_EQ(RotatePoint({3.5f, 9.0f}, p, 0), p);
  EXPECT_EQ(RotatePoint({3.5f, 9.0f}, p, 360 * 3), RotatePoint({3.5f, 9.0f}, p, 360));
}



}  // namespace
}  // namespace gradoir
