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
std::int32_t indexByWholeTurns(std::int64_t a) {
  while (a < 0) a += 360;
  while (a > 360) a -= 360;
  return static_cast<std::int32_t>(a);
}

TEST(DegreeTables, WorkedValues) {
  EXPECT_EQ(degSin(-90), -1.0f);
  EXPECT_EQ(degCos(720), 1.0f);
  EXPECT_EQ(degCos(360), 1.0f);
  EXPECT_EQ(degCos(-1), degCos(359));
  EXPECT_EQ(degSin(90), 1.0f);
  EXPECT_EQ(degCos(180), -1.0f);
  EXPECT_EQ(degSin(30), 0.5f);
  EXPECT_EQ(degCos(0), 1.0f);
  EXPECT_EQ(degSin(0), 0.0f);
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
    const std::int32_t index = indexByWholeTurns(a);
    ASSERT_EQ(degreeTableIndex(a), index) << a;
    ASSERT_EQ(degSin(a), static_cast<float>(kSinTable[index])) << a;
    ASSERT_EQ(degCos(a), static_cast<float>(kCosTable[index])) << a;
  }
}


TEST(RotatePoint, QuarterTurnsAreCounterclockwiseOnScreen) {
  const PointF origin{0, 0};
  const PointF up = rotatePoint(origin, {1, 0}, 90);
  EXPECT_NEAR(up.x, 0.0f, 1e-6f);
  EXPECT_FLOAT_EQ(up.y, -1.0f);
  const PointF down = rotatePoint(origin, {1, 0}, -90);
  EXPECT_NEAR(down.x, 0.0f, 1e-6f);
  EXPECT_FLOAT_EQ(down.y, 1.0f);
  const PointF left = rotatePoint(origin, {1, 0}, 180);
  EXPECT_FLOAT_EQ(left.x, -1.0f);
  EXPECT_NEAR(left.y, 0.0f, 1e-6f);

  const PointF about = rotatePoint({100, 100}, {110, 100}, 90);
  EXPECT_FLOAT_EQ(about.x, 100.0f);
  EXPECT_FLOAT_EQ(about.y, 90.0f);
}

TEST(RotatePoint, ZeroTurnReturnsThePointUnchanged) {
  const PointF p{123.25f, -7.5f};
  EXPECT_EQ(rotatePoint({3.5f, 9.0f}, p, 0), p);
  EXPECT_EQ(rotatePoint({3.5f, 9.0f}, p, 360 * 3), rotatePoint({3.5f, 9.0f}, p, 360));
}



}  // namespace
}  // namespace gradoir
