#include "figures/draw_arc.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>

#include "figures/arc_walk.h"
#include "figure_test_support.h"

namespace gradoir {
namespace {

using test::countNonWhite;
using test::inked;
using test::kWhite;

struct PhaseCounts {
  int phase1 = 0;
  int phase2 = 0;
};

PhaseCounts countSteps(std::int64_t a, std::int64_t b) {
  PhaseCounts n;
  walkArcQuadrant(a, b, [&](const ArcStep& s) { (s.phase == 1 ? n.phase1 : n.phase2)++; });
  return n;
}

void paintWhite(Bitmap32& b, int w, int h) {
  b.setBitmapSize(w, h);
  b.fillAll(kWhite);
}

bool samePixels(const Bitmap32& a, const Bitmap32& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixelAt(x, y) != b.pixelAt(x, y)) return false;
  return true;
}

TEST(ArcWalk, StepCountsOfTheProgramsTwoRadii) {
  const PhaseCounts r30 = countSteps(30, 30);
  EXPECT_EQ(r30.phase1, 25);
  EXPECT_EQ(r30.phase2, 18);
  const PhaseCounts r240 = countSteps(240, 240);
  EXPECT_EQ(r240.phase1, 182);
  EXPECT_EQ(r240.phase2, 158);
}






TEST(DrawArc, ReversedAndNegativeAnglesDrawTheSame) {
  const Rect box{20, 20, 80, 80};
  Bitmap32 forward;
  paintWhite(forward, 100, 100);
  drawArc(forward, box, 0, 180, 0xFF000000);
  Bitmap32 reversed;
  paintWhite(reversed, 100, 100);
  drawArc(reversed, box, 180, 0, 0xFF000000);
  Bitmap32 negative;
  paintWhite(negative, 100, 100);
  drawArc(negative, box, 0, -180, 0xFF000000);
  EXPECT_TRUE(samePixels(forward, reversed));
  EXPECT_TRUE(samePixels(forward, negative));
  // The upper half: top of the circle inked, bottom untouched.
  EXPECT_TRUE(inked(forward, 50, 20));
  for (int y = 53; y < 100; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(forward.pixelAt(x, y), kWhite) << x << "," << y;
}


TEST(DrawArc, RangeAcrossZeroAsTwoCalls) {
  // 350..360 then 0..10: dots right of the centre only, near the horizontal.
  Bitmap32 b;
  paintWhite(b, 100, 100);
  drawArc(b, {20, 20, 80, 80}, 350, 360, 0xFF000000);
  drawArc(b, {20, 20, 80, 80}, 0, 10, 0xFF000000);
  EXPECT_TRUE(inked(b, 80, 50));
  EXPECT_TRUE(inked(b, 80, 46));
  EXPECT_TRUE(inked(b, 80, 54));
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (b.pixelAt(x, y) == kWhite) continue;
      EXPECT_GE(x, 78) << x << "," << y;
      EXPECT_GE(y, 44) << x << "," << y;
      EXPECT_LE(y, 57) << x << "," << y;
    }
  }
  // The same range asked in one call the wrong way round covers 10..350.
  Bitmap32 wrong;
  paintWhite(wrong, 100, 100);
  drawArc(wrong, {20, 20, 80, 80}, 350, 10, 0xFF000000);
  EXPECT_TRUE(inked(wrong, 20, 50));
}


TEST(DrawArc, BoxPastTheBitmapDrawsOnlyInside) {
  // A circle about (0, 0): only its lower-right quarter can land.
  Bitmap32 clipped;
  paintWhite(clipped, 50, 50);
  drawArc(clipped, {-30, -30, 30, 30}, 0, 360, 0xFF000000);
  EXPECT_TRUE(inked(clipped, 30, 0));
  EXPECT_TRUE(inked(clipped, 0, 30));
  EXPECT_GT(countNonWhite(clipped), 30);
  // Wholly outside: nothing.
  Bitmap32 outside;
  paintWhite(outside, 50, 50);
  drawArc(outside, {200, 200, 260, 260}, 0, 360, 0xFF000000);
  drawArc(outside, {-300, -300, -240, -240}, 0, 360, 0xFF000000);
  EXPECT_EQ(countNonWhite(outside), 0);
}

TEST(DrawArc, HugeInsideOutAndExtremeArgumentsStaySafe) {
  Bitmap32 b;
  paintWhite(b, 64, 64);
  const auto start = std::chrono::steady_clock::now();
  drawArc(b, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, 360, 0xFF000000);
  drawArc(b, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, 0, 360, 0xFF000000);
  drawArc(b, {60, 60, 10, 10}, 0, 360, 0xFF000000);
  drawArc(b, {10, 10, 50, 50}, INT_MIN, INT_MAX, 0xFF000000);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 5.0);  // a hang guard, not a performance measure
  // The inside-out and oversized boxes draw nothing, and a range lying wholly
  // beyond 360 meets no quadrant.
  EXPECT_EQ(countNonWhite(b), 0);
}

TEST(DrawArc, FlatBoxDrawsNoStrayDotAtTheOrigin) {
  Bitmap32 b;
  paintWhite(b, 64, 64);
  drawArc(b, {30, 10, 30, 50}, 0, 360, 0xFF000000);
  EXPECT_EQ(b.pixelAt(0, 0), kWhite);
  EXPECT_TRUE(inked(b, 30, 10));
  EXPECT_TRUE(inked(b, 30, 50));
}

}  // namespace
}  // namespace gradoir
