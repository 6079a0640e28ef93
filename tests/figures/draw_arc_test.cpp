#include "figures/draw_arc.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>

#include "figures/arc_walk.h"
#include "figure_test_support.h"

namespace gradoir {
namespace {

using test::CountNonWhite;
using test::Inked;
using test::kWhite;

struct PhaseCounts {
  int phase1 = 0;
  int phase2 = 0;
};

PhaseCounts CountSteps(std::int64_t a, std::int64_t b) {
  PhaseCounts n;
  WalkArcQuadrant(a, b, [&](const TArcStep& s) { (s.phase == 1 ? n.phase1 : n.phase2)++; });
  return n;
}

void PaintWhite(TBitmap32& b, int w, int h) {
  b.SetBitmapSize(w, h);
  b.FillAll(kWhite);
}

bool SamePixels(const TBitmap32& a, const TBitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
  return true;
}

TEST(ArcWalk, StepCountsOfTheProgramsTwoRadii) {
  const PhaseCounts r30 = CountSteps(30, 30);
  EXPECT_EQ(r30.phase1, 25);
  EXPECT_EQ(r30.phase2, 18);
  const PhaseCounts r240 = CountSteps(240, 240);
  EXPECT_EQ(r240.phase1, 182);
  EXPECT_EQ(r240.phase2, 158);
}






TEST(DrawArc, ReversedAndNegativeAnglesDrawTheSame) {
  const TRect box{20, 20, 80, 80};
  TBitmap32 forward;
  PaintWhite(forward, 100, 100);
  DrawArc(forward, box, 0, 180, 0xFF000000);
  TBitmap32 reversed;
  PaintWhite(reversed, 100, 100);
  DrawArc(reversed, box, 180, 0, 0xFF000000);
  TBitmap32 negative;
  PaintWhite(negative, 100, 100);
  DrawArc(negative, box, 0, -180, 0xFF000000);
  EXPECT_TRUE(SamePixels(forward, reversed));
  EXPECT_TRUE(SamePixels(forward, negative));
  // The upper half: top of the circle inked, bottom untouched.
  EXPECT_TRUE(Inked(forward, 50, 20));
  for (int y = 53; y < 100; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(forward.PixelAt(x, y), kWhite) << x << "," << y;
}


TEST(DrawArc, RangeAcrossZeroAsTwoCalls) {
  // 350..360 then 0..10: dots right of the centre only, near the horizontal.
  TBitmap32 b;
  PaintWhite(b, 100, 100);
  DrawArc(b, {20, 20, 80, 80}, 350, 360, 0xFF000000);
  DrawArc(b, {20, 20, 80, 80}, 0, 10, 0xFF000000);
  EXPECT_TRUE(Inked(b, 80, 50));
  EXPECT_TRUE(Inked(b, 80, 46));
  EXPECT_TRUE(Inked(b, 80, 54));
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (b.PixelAt(x, y) == kWhite) continue;
      EXPECT_GE(x, 78) << x << "," << y;
      EXPECT_GE(y, 44) << x << "," << y;
      EXPECT_LE(y, 57) << x << "," << y;
    }
  }
  // The same range asked in one call the wrong way round covers 10..350.
  TBitmap32 wrong;
  PaintWhite(wrong, 100, 100);
  DrawArc(wrong, {20, 20, 80, 80}, 350, 10, 0xFF000000);
  EXPECT_TRUE(Inked(wrong, 20, 50));
}


TEST(DrawArc, BoxPastTheBitmapDrawsOnlyInside) {
  // A circle about (0, 0): only its lower-right quarter can land.
  TBitmap32 clipped;
  PaintWhite(clipped, 50, 50);
  DrawArc(clipped, {-30, -30, 30, 30}, 0, 360, 0xFF000000);
  EXPECT_TRUE(Inked(clipped, 30, 0));
  EXPECT_TRUE(Inked(clipped, 0, 30));
  EXPECT_GT(CountNonWhite(clipped), 30);
  // Wholly outside: nothing.
  TBitmap32 outside;
  PaintWhite(outside, 50, 50);
  DrawArc(outside, {200, 200, 260, 260}, 0, 360, 0xFF000000);
  DrawArc(outside, {-300, -300, -240, -240}, 0, 360, 0xFF000000);
  EXPECT_EQ(CountNonWhite(outside), 0);
}

TEST(DrawArc, HugeInsideOutAndExtremeArgumentsStaySafe) {
  TBitmap32 b;
  PaintWhite(b, 64, 64);
  const auto start = std::chrono::steady_clock::now();
  DrawArc(b, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, 360, 0xFF000000);
  DrawArc(b, {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, 0, 360, 0xFF000000);
  DrawArc(b, {60, 60, 10, 10}, 0, 360, 0xFF000000);
  DrawArc(b, {10, 10, 50, 50}, INT_MIN, INT_MAX, 0xFF000000);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 5.0);  // a hang guard, not a performance measure
  // The inside-out and oversized boxes draw nothing, and a range lying wholly
  // beyond 360 meets no quadrant.
  EXPECT_EQ(CountNonWhite(b), 0);
}

TEST(DrawArc, FlatBoxDrawsNoStrayDotAtTheOrigin) {
  TBitmap32 b;
  PaintWhite(b, 64, 64);
  DrawArc(b, {30, 10, 30, 50}, 0, 360, 0xFF000000);
  EXPECT_EQ(b.PixelAt(0, 0), kWhite);
  EXPECT_TRUE(Inked(b, 30, 10));
  EXPECT_TRUE(Inked(b, 30, 50));
}

}  // namespace
}  // namespace gradoir
