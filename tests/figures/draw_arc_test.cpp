#include "figures/draw_arc.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <vector>

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

TEST(ArcWalk, StepsFollowTheEllipse) {
  // Phase 1 walks rows 0, 1, 2 ... with x never growing; phase 2 walks
  // columns down to 0 with y never shrinking; every offset lies on the curve.
  for (auto [a, b] : {std::pair{30, 30}, std::pair{240, 240}, std::pair{50, 20}, std::pair{7, 90}}) {
    std::vector<TArcStep> steps;
    WalkArcQuadrant(a, b, [&](const TArcStep& s) { steps.push_back(s); });
    ASSERT_FALSE(steps.empty());
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const TArcStep& s = steps[i];
      const long double on_curve = s.X * s.X / (a * a) + s.Y * s.Y / (b * b);
      EXPECT_NEAR(static_cast<double>(on_curve), 1.0, 1e-12) << a << "x" << b << " step " << i;
      if (i == 0) continue;
      const TArcStep& p = steps[i - 1];
      if (s.phase == 1) {
        EXPECT_EQ(s.y, p.y + 1);
      }
      if (s.phase == 2 && p.phase == 2) {
        EXPECT_EQ(s.x, p.x - 1);
      }
      EXPECT_LE(s.x, p.x);
      EXPECT_GE(s.y, p.y);
    }
    EXPECT_EQ(steps.back().x, 0);
  }
}

TEST(ArcWalk, AbsurdSemiAxesMakeNoStepsAndReturnAtOnce) {
  EXPECT_EQ(CountSteps(-5, 30).phase1 + CountSteps(-5, 30).phase2, 0);
  EXPECT_EQ(CountSteps(kMaxArcSemiAxis + 1, 10).phase2, 0);
  EXPECT_EQ(CountSteps(10, kMaxArcSemiAxis + 1).phase1, 0);
  // The largest accepted ellipse walks in bounded time without overflow
  // (the sanitizer build checks the arithmetic).
  const PhaseCounts big = CountSteps(kMaxArcSemiAxis, kMaxArcSemiAxis);
  EXPECT_GT(big.phase1, 20000);
  EXPECT_GT(big.phase2, 9000);
}

TEST(ArcWalk, FlatBoxesGiveNumbersNotNaN) {
  for (auto [a, b] : {std::pair{0, 12}, std::pair{12, 0}, std::pair{0, 0}, std::pair{1, 100}}) {
    WalkArcQuadrant(a, b, [&](const TArcStep& s) {
      EXPECT_FALSE(std::isnan(s.X)) << a << "x" << b;
      EXPECT_FALSE(std::isnan(s.Y)) << a << "x" << b;
    });
  }
}

TEST(QuadrantBox, OutsideTheRangeIsTheZeroBox) {
  const TQuadrantBox box = QuadrantBox(3, 10, 80, 30, 30);
  EXPECT_EQ(box.XLo, 0);
  EXPECT_EQ(box.XHi, 0);
  EXPECT_EQ(box.YLo, 0);
  EXPECT_EQ(box.YHi, 0);
  // Upper limit exactly at the start still counts: the box holds the one angle.
  const TQuadrantBox edge = QuadrantBox(1, 90, 120, 30, 30);
  EXPECT_EQ(edge.XLo, 0);
  EXPECT_EQ(edge.YLo, 30);
}

TEST(QuadrantBox, BoundsOfAPartialQuadrant) {
  // 30..60 degrees on radius 30: x from round(30 cos 60) = 15 to 26,
  // y from 15 to 26.
  const TQuadrantBox box = QuadrantBox(1, 30, 60, 30, 30);
  EXPECT_EQ(box.XLo, 26);
  EXPECT_EQ(box.YLo, 15);
  EXPECT_EQ(box.XHi, 15);
  EXPECT_EQ(box.YHi, 26);
  EXPECT_TRUE(InQuadrantBox(box, 20, 20));
  EXPECT_TRUE(InQuadrantBox(box, 15, 26));
  EXPECT_FALSE(InQuadrantBox(box, 27, 14));
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

TEST(DrawArc, FullRangeIsSymmetricAboutBothAxes) {
  // Box (10, 10, 70, 50): centre (40, 30), semi-axes 30 and 20.
  TBitmap32 b;
  PaintWhite(b, 81, 61);
  DrawArc(b, {10, 10, 70, 50}, 0, 360, 0xFF000000);
  EXPECT_TRUE(Inked(b, 70, 30));
  EXPECT_TRUE(Inked(b, 40, 10));
  EXPECT_TRUE(Inked(b, 40, 50));
  EXPECT_EQ(b.PixelAt(40, 30), kWhite);
  // Each dot above the centre row has its mirror below it in the same
  // columns, so every column is touched above exactly when it is below.
  int touched_columns = 0;
  for (int x = 0; x < 81; ++x) {
    bool top = false, bottom = false;
    for (int y = 0; y < 30; ++y) top |= b.PixelAt(x, y) != kWhite;
    for (int y = 31; y < 61; ++y) bottom |= b.PixelAt(x, y) != kWhite;
    EXPECT_EQ(top, bottom) << x;
    touched_columns += top;
  }
  EXPECT_GE(touched_columns, 59);
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

TEST(DrawArc, EqualAnglesDrawOnlyDotsOnThatAngle) {
  TBitmap32 b;
  PaintWhite(b, 100, 100);
  DrawArc(b, {20, 20, 80, 80}, 90, 90, 0xFF000000);
  // Only steps at x = 0, y = 30 qualify: quadrants 1 and 2 both plot the top.
  EXPECT_TRUE(Inked(b, 50, 20));
  EXPECT_LE(CountNonWhite(b), 4);
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
