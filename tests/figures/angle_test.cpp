#include "figures/angle.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <set>

#include "figure_test_support.h"
#include "figures/angle_placement.h"
#include "figures/degrees.h"
#include "figures/exercise_angle.h"
#include "figures/pencil.h"
#include "figures/random_source.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {
namespace {

using test::Blue;
using test::CountNonWhite;
using test::Green;
using test::Inked;
using test::kWhite;
using test::Red;

// The angle exactly as the canvas builds it for a w x h canvas.
TAngle CanvasAngle(int w, int h, std::uint32_t seed, bool horizontal = false, bool no_second_side = false,
                   std::int32_t measure = 0) {
  TScopedSeedProvider fixed([seed] { return seed; });
  return TAngle({0, 0}, {30, 30, w - 10, h - 10}, 250, 260, 30, measure, true, horizontal, no_second_side);
}

bool EndInside(const TRect& bounds, TRealPoint p) { return RectContains(bounds, RoundPoint(p)); }

double Distance(TRealPoint a, TRealPoint b) { return std::hypot(double{a.X} - b.X, double{a.Y} - b.Y); }

// Opening from the first side to the second, counterclockwise on screen, in
// -180..180 degrees.
double Opening(const TAngle& a, TRealPoint second) {
  const double first = std::atan2(-(double{a.FirstEnd.Y} - a.Vertex.Y), double{a.FirstEnd.X} - a.Vertex.X);
  const double other = std::atan2(-(double{second.Y} - a.Vertex.Y), double{second.X} - a.Vertex.X);
  return std::remainder((other - first) * 180 / 3.14159265358979323846, 360.0);
}

// --- generation ------------------------------------------------------------

TEST(AngleGeneration, ThousandsOfSeedsGiveValidAngles) {
  const TRect bounds{30, 30, 990, 690};
  std::set<int> measures;
  for (std::uint32_t seed = 0; seed < 20000; ++seed) {
    const TAngle a = CanvasAngle(1000, 700, seed * 2654435761u);
    ASSERT_GE(a.Measure, 5) << seed;
    ASSERT_LE(a.Measure, 175) << seed;
    measures.insert(a.Measure);
    ASSERT_TRUE(EndInside(bounds, a.FirstEnd)) << seed;
    ASSERT_TRUE(EndInside(bounds, a.SecondEnd)) << seed;
    ASSERT_TRUE(RectContains(bounds, RoundPoint(a.Vertex))) << seed;
    ASSERT_EQ(a.Vertex.X, std::floor(a.Vertex.X)) << seed;
    ASSERT_NEAR(Distance(a.Vertex, a.FirstEnd), 250, 1e-3) << seed;
    ASSERT_NEAR(Distance(a.Vertex, a.SecondEnd), 260, 1e-3) << seed;
    ASSERT_NEAR(std::fabs(Opening(a, a.SecondEnd)), a.Measure, 1e-3) << seed;
    ASSERT_NEAR(Distance(a.Vertex, a.MarkStart), 4, 1e-4) << seed;
    ASSERT_NEAR(Distance(a.MarkStart, a.MarkEnd), 8, 1e-4) << seed;
    ASSERT_EQ(a.GeneratedEnd, a.SecondEnd) << seed;
  }
  EXPECT_EQ(measures.size(), 171u);
}

TEST(AngleGeneration, TheMeasureIsTheFirstDraw) {
  // Seed 0 advances to 1: 5 + (1 * 171 div 2^32) = 5. Seed 1 advances to
  // 134775814: 5 + 5.
  EXPECT_EQ(CanvasAngle(1000, 700, 0).Measure, 5);
  EXPECT_EQ(CanvasAngle(1000, 700, 1).Measure, 10);
}

TEST(AngleGeneration, HorizontalFirstSideIsExactlyHorizontal) {
  int left = 0, right = 0;
  for (std::uint32_t seed = 0; seed < 2000; ++seed) {
    const TAngle a = CanvasAngle(1000, 700, seed * 40503u + 11u, true);
    ASSERT_EQ(a.FirstEnd.Y, a.Vertex.Y) << seed;
    ASSERT_EQ(std::fabs(a.FirstEnd.X - a.Vertex.X), 250.0f) << seed;
    ASSERT_EQ(a.MarkStart.Y, a.Vertex.Y);
    ASSERT_EQ(a.MarkEnd.Y, a.Vertex.Y);
    (a.FirstEnd.X > a.Vertex.X ? right : left)++;
  }
  EXPECT_GT(left, 0);
  EXPECT_GT(right, 0);
}

TEST(AngleGeneration, NoSecondSideKeepsTheGeneratedEnd) {
  const TRect bounds{30, 30, 990, 690};
  for (std::uint32_t seed = 100; seed < 600; ++seed) {
    const TAngle a = CanvasAngle(1000, 700, seed, false, true);
    ASSERT_EQ(a.SecondEnd, a.Vertex);
    ASSERT_TRUE(EndInside(bounds, a.GeneratedEnd));
    ASSERT_NEAR(std::fabs(Opening(a, a.GeneratedEnd)), a.Measure, 1e-3);
  }
}

TEST(AngleGeneration, GivenMeasureAndOriginAreUsedUnchanged) {
  TScopedSeedProvider fixed([] { return 99u; });
  const TAngle a({400, 300}, {0, 0, 1000, 1000}, 250, 260, 30, 47, false, false, false);
  EXPECT_EQ(a.Measure, 47);
  EXPECT_EQ(a.Vertex, (TRealPoint{400, 300}));
  EXPECT_NEAR(std::fabs(Opening(a, a.SecondEnd)), 47, 1e-3);
  EXPECT_EQ(CanvasAngle(1000, 700, 5, false, false, 500).Measure, 500);
}


// The placement loop as described, with no bound on its attempts.
TAnglePlacement UnboundedReference(std::uint32_t seed, const TRect& bounds, bool horizontal, int* measure) {
  TRandomSource random(seed);
  *measure = static_cast<int>(5 + random.Below(171));
  TAnglePlacement p;
  for (int attempt = 0; attempt < 50000000; ++attempt) {
    const float vx = static_cast<float>(bounds.Left + random.Below(bounds.Right - bounds.Left));
    const float vy = static_cast<float>(bounds.Top + random.Below(bounds.Bottom - bounds.Top));
    p.Vertex = {vx, vy};
    const int s = random.Sign();
    p.FirstEnd = {vx + s * 250.0f, vy};
    p.SecondEnd = {vx + s * 260.0f, vy};
    p.MarkStart = {vx + 4.0f * s, vy};
    p.MarkEnd = {vx - 4.0f * s, vy};
    std::int64_t r = 0;
    if (!horizontal) {
      r = random.Below(361);
      p.FirstEnd = RotatePoint(p.Vertex, p.FirstEnd, r);
      p.MarkStart = RotatePoint(p.Vertex, p.MarkStart, r);
      p.MarkEnd = RotatePoint(p.Vertex, p.MarkEnd, r);
    }
    const int t = random.Sign();
    p.SecondEnd = RotatePoint(p.Vertex, p.SecondEnd, r + t * *measure);
    if (EndInside(bounds, p.FirstEnd) && EndInside(bounds, p.SecondEnd)) return p;
  }
  ADD_FAILURE() << "the reference found no placement";
  return p;
}

TEST(AngleGeneration, BoundedLoopKeepsTheDescribedPlacement) {
  // Roomy and tight canvases alike, each able to hold every measure: on the
  // 560-wide horizontal canvas wide openings need dozens of attempts, on the
  // 600 x 400 one hundreds.
  struct Canvas {
    int w, h;
    bool horizontal;
  };
  for (const Canvas c : {Canvas{1000, 700, false}, Canvas{560, 700, true}, Canvas{600, 400, false}}) {
    const TRect bounds{30, 30, c.w - 10, c.h - 10};
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
      int measure = 0;
      const TAnglePlacement want = UnboundedReference(seed * 7919u, bounds, c.horizontal, &measure);
      const TAngle got = CanvasAngle(c.w, c.h, seed * 7919u, c.horizontal);
      ASSERT_EQ(got.Measure, measure);
      ASSERT_EQ(got.Vertex, want.Vertex) << c.w << " seed " << seed;
      ASSERT_EQ(got.FirstEnd, want.FirstEnd);
      ASSERT_EQ(got.SecondEnd, want.SecondEnd);
      ASSERT_EQ(got.MarkStart, want.MarkStart);
      ASSERT_EQ(got.MarkEnd, want.MarkEnd);
    }
  }
}

// --- canvases too small for any placement ---------------------------------

TEST(AngleFallback, UnplaceableCanvasesEndInsideTheBoundsWithoutHanging) {
  struct Canvas {
    int w, h;
    bool horizontal;
    std::int32_t measure;
  };
  const auto start = std::chrono::steady_clock::now();
  for (const Canvas c : {Canvas{100, 100, false, 0}, Canvas{400, 2000, true, 175}, Canvas{41, 41, false, 0},
                         Canvas{42, 300, true, 90}, Canvas{300, 42, false, 120}}) {
    const TRect bounds{30, 30, c.w - 10, c.h - 10};
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
      TScopedSeedProvider fixed([seed] { return seed; });
      const TAngle a({0, 0}, bounds, 250, 260, 30, c.measure, true, c.horizontal, false);
      EXPECT_TRUE(EndInside(bounds, a.FirstEnd)) << c.w << "x" << c.h;
      EXPECT_TRUE(EndInside(bounds, a.SecondEnd)) << c.w << "x" << c.h;
      EXPECT_TRUE(EndInside(bounds, a.Vertex)) << c.w << "x" << c.h;
      if (c.measure != 0) {
        EXPECT_EQ(a.Measure, c.measure);
      }
      EXPECT_LE(Distance(a.Vertex, a.FirstEnd), 250.001);
      EXPECT_LE(Distance(a.Vertex, a.SecondEnd), 260.001);
      if (c.horizontal) {
        EXPECT_EQ(a.FirstEnd.Y, a.Vertex.Y);
      }
      // Sides long enough to be worth keeping still point where they did.
      if (Distance(a.Vertex, a.FirstEnd) > 20 && Distance(a.Vertex, a.SecondEnd) > 20) {
        EXPECT_NEAR(std::fabs(Opening(a, a.SecondEnd)), a.Measure, 0.5);
      }
    }
  }
  // Sides are shortened only as far as needed: on 400 x 2000 with a
  // horizontal first side and 175 degrees, the 360 px of width hold both.
  const TAngle tall = CanvasAngle(400, 2000, 3, true, false, 175);
  EXPECT_GT(Distance(tall.Vertex, tall.FirstEnd) + Distance(tall.Vertex, tall.SecondEnd), 340);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 20.0);  // a hang guard only
}

TEST(AngleFallback, EmptyAndNegativeBoundsNeverHang) {
  for (const TRect bounds : {TRect{30, 30, -10, -10}, TRect{30, 30, 31, 30}, TRect{0, 0, 0, 0},
                             TRect{INT_MIN, INT_MIN, INT_MAX, INT_MIN}, TRect{INT_MAX, INT_MAX, INT_MIN, INT_MIN}}) {
    TRandomSource random(77);
    const TAnglePlacement p = PlaceAngle(random, {0, 0}, bounds, 250, 260, 90, false);
    EXPECT_FALSE(p.Found);
    EXPECT_EQ(p.Attempts, kMaxPlacementAttempts);
    EXPECT_TRUE(std::isfinite(p.Vertex.X) && std::isfinite(p.SecondEnd.Y));
  }
  // The canvas sizes themselves: 0 x 0 and 1 x 1 give empty bounds.
  for (int side : {0, 1, 39, 40}) {
    const TAngle a = CanvasAngle(side, side, 5);
    EXPECT_GE(a.Measure, 5);
    EXPECT_LE(a.Measure, 175);
  }
  // A single pixel of bounds holds the vertex and nothing longer.
  TRandomSource random(3);
  const TAnglePlacement dot = PlaceAngle(random, {0, 0}, {50, 50, 51, 51}, 250, 260, 90, false);
  EXPECT_FALSE(dot.Found);
  EXPECT_EQ(dot.Vertex, (TRealPoint{50, 50}));
  EXPECT_EQ(RoundPoint(dot.FirstEnd), (TPoint{50, 50}));
  EXPECT_EQ(RoundPoint(dot.SecondEnd), (TPoint{50, 50}));
}


// --- drawing ---------------------------------------------------------------

class AngleDrawing : public ::testing::Test {
 protected:
  AngleDrawing() : layer_(&layers_) { layer_.Bitmap().SetBitmapSize(400, 300); }

  // Vertex (100, 100), first side to the right; second side turned by
  // `measure` degrees counterclockwise with the given length.
  TAngle Figure(std::int32_t measure, std::int32_t second_length = 260) {
    TAngle a = CanvasAngle(1000, 700, 1);
    a.Vertex = {100, 100};
    a.FirstEnd = {350, 100};
    a.MarkStart = {104, 100};
    a.MarkEnd = {96, 100};
    a.SecondEnd = RotatePoint(a.Vertex, {100.0f + second_length, 100}, measure);
    a.Measure = measure;
    return a;
  }

  const TBitmap32& Bitmap() { return layer_.Bitmap(); }

  TLayerCollection layers_{nullptr};
  TBitmapLayer layer_;
};

TEST_F(AngleDrawing, VertexMarkFrom141Degrees) {
  // Both measures give the bisector turn 70; 3 px along it from the vertex,
  // on either side, only the mark can ink a pixel.
  Figure(140).Draw(layer_, false);
  EXPECT_FALSE(Inked(Bitmap(), 101, 97));
  EXPECT_FALSE(Inked(Bitmap(), 99, 103));
  Figure(141).Draw(layer_, false);
  EXPECT_TRUE(Inked(Bitmap(), 101, 97));
  EXPECT_TRUE(Inked(Bitmap(), 99, 103));
}

TEST_F(AngleDrawing, VertexMarkBelow3DegreesIsAcrossTheFirstSide) {
  Figure(3).Draw(layer_, false);
  EXPECT_FALSE(Inked(Bitmap(), 100, 103));
  Figure(2).Draw(layer_, false);
  EXPECT_TRUE(Inked(Bitmap(), 100, 103));
  EXPECT_TRUE(Inked(Bitmap(), 100, 97));
}

TEST_F(AngleDrawing, NoSecondSideShowsTheMarkAndNoArc) {
  TAngle a = Figure(60);
  a.SecondEnd = a.Vertex;
  a.Draw(layer_, false);
  EXPECT_TRUE(Inked(Bitmap(), 100, 103));
  EXPECT_TRUE(Inked(Bitmap(), 200, 100));
  // Nothing above the first side but the upper half of the mark.
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 400; ++x) ASSERT_EQ(Bitmap().PixelAt(x, y), kWhite) << x << "," << y;
}

TEST_F(AngleDrawing, TracingDrawsTheSecondSideAndArcInRedWithoutMark) {
  Figure(150).Draw(layer_, true);
  EXPECT_FALSE(Inked(Bitmap(), 100, 103));  // no mark while tracing
  // The second side at 150 degrees, 100 px out, and the arc at 90 degrees.
  const TColor32 side = Bitmap().PixelAt(13, 50);
  const TColor32 arc = Bitmap().PixelAt(100, 70);
  EXPECT_GT(Red(side), Green(side) + 100);
  EXPECT_GT(Red(arc), Blue(arc) + 100);
  // The first side stays black.
  const TColor32 first = Bitmap().PixelAt(200, 100);
  EXPECT_LT(Red(first), 40u);

  Figure(150).Draw(layer_, false);
  EXPECT_TRUE(Inked(Bitmap(), 13, 50));
  EXPECT_LT(Red(Bitmap().PixelAt(13, 50)), 100u);
  EXPECT_TRUE(Inked(Bitmap(), 99, 103));  // the mark, along the bisector
}

TEST_F(AngleDrawing, ArcOnlyForASecondSideLongerThanTheArcRadius) {
  // Second side straight up; the arc crosses 45 degrees at (121, 79).
  Figure(90, 30).Draw(layer_, false);
  EXPECT_FALSE(Inked(Bitmap(), 121, 79));
  Figure(90, 31).Draw(layer_, false);
  EXPECT_TRUE(Inked(Bitmap(), 121, 79));
}

TEST_F(AngleDrawing, OpeningAcrossZeroDegreesDrawsTheShortArc) {
  TAngle a = Figure(20);
  a.FirstEnd = RotatePoint(a.Vertex, {350, 100}, 350);
  a.SecondEnd = RotatePoint(a.Vertex, {360, 100}, 10);
  a.Draw(layer_, false);
  EXPECT_TRUE(Inked(Bitmap(), 130, 100));    // arc at 0 degrees, between the sides
  EXPECT_FALSE(Inked(Bitmap(), 70, 100));    // not the long way round
  EXPECT_FALSE(Inked(Bitmap(), 100, 70));
}

TEST_F(AngleDrawing, SecondSideFarOutsideTouchesOnlyTheBitmap) {
  TAngle a = Figure(60);
  for (TPoint p : {TPoint{-1000000000, 1000000000}, TPoint{1000000000, -5}, TPoint{INT_MIN, INT_MAX}}) {
    ApplyPencilStep(a, p);
    a.Draw(layer_, true);
    EXPECT_TRUE(Inked(Bitmap(), 200, 100));
    EXPECT_GT(CountNonWhite(Bitmap()), 250);
  }
  // Toward the lower left the red side runs on to the left edge at row 200.
  ApplyPencilStep(a, {-1000000, 1000000});
  a.Draw(layer_, true);
  bool red_at_edge = false;
  for (int y = 195; y < 205; ++y)
    for (int x = 0; x < 3; ++x) red_at_edge |= Red(Bitmap().PixelAt(x, y)) > Green(Bitmap().PixelAt(x, y)) + 100;
  EXPECT_TRUE(red_at_edge);
}



// The canvas and the probe both place their angles through this rectangle.
TEST(ExerciseAngle, PlacementLeavesMarginsOf30TopLeftAnd10BottomRight) {
  EXPECT_EQ(ExercisePlacementRect(1000, 700), (TRect{30, 30, 990, 690}));
  EXPECT_EQ(ExercisePlacementRect(0, 0), (TRect{30, 30, -10, -10}));
  const TScopedSeedProvider seed([] { return 12345u; });
  const std::unique_ptr<TAngle> a = NewExerciseAngle(1000, 700, 47, true, true, false);
  EXPECT_EQ(a->Measure, 47);
  EXPECT_EQ(a->FirstLength, 250);
  EXPECT_EQ(a->SecondLength, 260);
  EXPECT_EQ(a->ArcRadius, 30);
  EXPECT_EQ(a->FirstEnd.Y, a->Vertex.Y);
}

}  // namespace
}  // namespace gradoir
