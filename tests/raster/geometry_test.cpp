#include <gtest/gtest.h>

#include <limits>

#include "raster/geometry.h"

namespace gradoir {
namespace {

TEST(Geometry, RoundingGoesToTheNearestEven) {
  EXPECT_EQ(RoundPoint(RealPointOf(2.5f, 3.5f)), PointOf(2, 4));
  EXPECT_EQ(RoundPoint(RealPointOf(-2.5f, -0.5f)), PointOf(-2, 0));
  EXPECT_EQ(RoundPoint(RealPointOf(1.4999f, 1.5001f)), PointOf(1, 2));
  EXPECT_EQ(RoundRealRect(RealRectOf(0.5f, 1.5f, 2.5f, 3.49f)), RectOf(0, 2, 2, 3));
}

TEST(Geometry, ToFixed16RoundsAndSaturates) {
  EXPECT_EQ(ToFixed16(1.5f), 98304);
  EXPECT_EQ(ToFixed16(-0.25f), -16384);
  EXPECT_EQ(ToFixed16(1.0f / 131072.0f), 0);  // half a unit: to even
  EXPECT_EQ(ToFixed16(3.0f / 131072.0f), 2);
  EXPECT_EQ(ToFixed16(1e9f), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ToFixed16(-1e9f), std::numeric_limits<std::int32_t>::min());
}

TEST(Geometry, IntersectRectsCountsZeroWidthOverlaps) {
  TRect r;
  EXPECT_TRUE(IntersectRects(r, RectOf(0, 0, 10, 10), RectOf(5, -5, 20, 7)));
  EXPECT_EQ(r, RectOf(5, 0, 10, 7));
  EXPECT_TRUE(IntersectRects(r, RectOf(0, 0, 10, 10), RectOf(10, 0, 20, 10)));  // edges touch
  EXPECT_EQ(r, RectOf(10, 0, 10, 10));
  r = RectOf(1, 2, 3, 4);
  EXPECT_FALSE(IntersectRects(r, RectOf(0, 0, 10, 10), RectOf(11, 0, 20, 10)));
  EXPECT_EQ(r, RectOf(0, 0, 0, 0));
  // The result may be one of the inputs.
  TRect a = RectOf(0, 0, 10, 10);
  EXPECT_TRUE(IntersectRects(a, a, RectOf(2, 3, 4, 5)));
  EXPECT_EQ(a, RectOf(2, 3, 4, 5));
}

TEST(Geometry, GrowShiftContainAndEmptiness) {
  TRect r = RectOf(10, 10, 20, 20);
  GrowRect(r, 2, -3);
  EXPECT_EQ(r, RectOf(8, 13, 22, 17));
  ShiftRect(r, -8, 1);
  EXPECT_EQ(r, RectOf(0, 14, 14, 18));
  EXPECT_TRUE(RectContains(r, PointOf(0, 14)));
  EXPECT_FALSE(RectContains(r, PointOf(14, 14)));
  EXPECT_FALSE(RectContains(r, PointOf(0, 18)));
  EXPECT_FALSE(RectIsEmpty(r));
  EXPECT_TRUE(RectIsEmpty(RectOf(5, 0, 5, 10)));
  EXPECT_TRUE(RectIsEmpty(RectOf(0, 5, 10, 4)));
  // Edges saturate instead of overflowing.
  const std::int32_t big = std::numeric_limits<std::int32_t>::max();
  TRect wide = RectOf(-big, -10, big, 10);
  GrowRect(wide, 100, 0);
  EXPECT_EQ(wide, RectOf(std::numeric_limits<std::int32_t>::min(), -10, big, 10));
  ShiftRect(wide, big, 0);
  EXPECT_EQ(wide.Right, big);
}

}  // namespace
}  // namespace gradoir
