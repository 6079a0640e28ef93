#include <gtest/gtest.h>

#include <limits>

#include "raster/geometry.h"

namespace gradoir {
namespace {

TEST(Geometry, RoundingGoesToTheNearestEven) {
  EXPECT_EQ(roundPoint(realPointOf(2.5f, 3.5f)), pointOf(2, 4));
  EXPECT_EQ(roundPoint(realPointOf(-2.5f, -0.5f)), pointOf(-2, 0));
  EXPECT_EQ(roundPoint(realPointOf(1.4999f, 1.5001f)), pointOf(1, 2));
  EXPECT_EQ(roundRealRect(realRectOf(0.5f, 1.5f, 2.5f, 3.49f)), rectOf(0, 2, 2, 3));
}

TEST(Geometry, ToFixed16RoundsAndSaturates) {
  EXPECT_EQ(toFixed16(1.5f), 98304);
  EXPECT_EQ(toFixed16(-0.25f), -16384);
  EXPECT_EQ(toFixed16(1.0f / 131072.0f), 0);  // half a unit: to even
  EXPECT_EQ(toFixed16(3.0f / 131072.0f), 2);
  EXPECT_EQ(toFixed16(1e9f), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(toFixed16(-1e9f), std::numeric_limits<std::int32_t>::min());
}

TEST(Geometry, IntersectRectsCountsZeroWidthOverlaps) {
  Rect r;
  EXPECT_TRUE(intersectRects(r, rectOf(0, 0, 10, 10), rectOf(5, -5, 20, 7)));
  EXPECT_EQ(r, rectOf(5, 0, 10, 7));
  EXPECT_TRUE(intersectRects(r, rectOf(0, 0, 10, 10), rectOf(10, 0, 20, 10)));  // edges touch
  EXPECT_EQ(r, rectOf(10, 0, 10, 10));
  r = rectOf(1, 2, 3, 4);
  EXPECT_FALSE(intersectRects(r, rectOf(0, 0, 10, 10), rectOf(11, 0, 20, 10)));
  EXPECT_EQ(r, rectOf(0, 0, 0, 0));
  // The result may be one of the inputs.
  Rect a = rectOf(0, 0, 10, 10);
  EXPECT_TRUE(intersectRects(a, a, rectOf(2, 3, 4, 5)));
  EXPECT_EQ(a, rectOf(2, 3, 4, 5));
}

TEST(Geometry, GrowShiftContainAndEmptiness) {
  Rect r = rectOf(10, 10, 20, 20);
  growRect(r, 2, -3);
  EXPECT_EQ(r, rectOf(8, 13, 22, 17));
  shiftRect(r, -8, 1);
  EXPECT_EQ(r, rectOf(0, 14, 14, 18));
  EXPECT_TRUE(rectContains(r, pointOf(0, 14)));
  EXPECT_FALSE(rectContains(r, pointOf(14, 14)));
  EXPECT_FALSE(rectContains(r, pointOf(0, 18)));
  EXPECT_FALSE(rectIsEmpty(r));
  EXPECT_TRUE(rectIsEmpty(rectOf(5, 0, 5, 10)));
  EXPECT_TRUE(rectIsEmpty(rectOf(0, 5, 10, 4)));
  // Edges saturate instead of overflowing.
  const std::int32_t big = std::numeric_limits<std::int32_t>::max();
  Rect wide = rectOf(-big, -10, big, 10);
  growRect(wide, 100, 0);
  EXPECT_EQ(wide, rectOf(std::numeric_limits<std::int32_t>::min(), -10, big, 10));
  shiftRect(wide, big, 0);
  EXPECT_EQ(wide.right, big);
}

}  // namespace
}  // namespace gradoir
