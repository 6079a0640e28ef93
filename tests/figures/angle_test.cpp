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

using test::blue;
using test::countNonWhite;
using test::green;
using test::inked;
using test::kWhite;
using test::red;

// The angle exactly as the canvas builds it for a w x h canvas.
AngleFigure canvasAngle(int w, int h, std::uint32_t seed, bool horizontal = false, bool noSecondSide = false,
                   std::int32_t measure = 0) {
  ScopedSeedProvider fixed([seed] { return seed; });
  return AngleFigure({0, 0}, {30, 30, w - 10, h - 10}, 250, 260, 30, measure, true, horizontal, noSecondSide);
}

bool endInside(const Rect& bounds, PointF p) { return rectContains(bounds, roundPoint(p)); }

double distance(PointF a, PointF b) { return std::hypot(double{a.x} - b.x, double{a.y} - b.y); }

// Opening from the first side to the second, counterclockwise on screen, in
// -180..180 degrees.
double opening(const AngleFigure& a, PointF second) {
  const double first = std::atan2(-(double{a.firstEnd().y} - a.vertex().y), double{a.firstEnd().x} - a.vertex().x);
  const double other = std::atan2(-(double{second.y} - a.vertex().y), double{second.x} - a.vertex().x);
  return std::remainder((other - first) * 180 / 3.14159265358979323846, 360.0);
}

// --- generation ------------------------------------------------------------

TEST(AngleGeneration, ThousandsOfSeedsGiveValidAngles) {
  const Rect bounds{30, 30, 990, 690};
  std::set<int> measures;
  for (std::uint32_t seed = 0; seed < 20000; ++seed) {
    const AngleFigure a = canvasAngle(1000, 700, seed * 2654435761u);
    ASSERT_GE(a.measure(), 5) << seed;
    ASSERT_LE(a.measure(), 175) << seed;
    measures.insert(*a.measure());
    ASSERT_TRUE(endInside(bounds, a.firstEnd())) << seed;
    ASSERT_TRUE(endInside(bounds, a.secondEnd())) << seed;
    ASSERT_TRUE(rectContains(bounds, roundPoint(a.vertex()))) << seed;
    ASSERT_EQ(a.vertex().x, std::floor(a.vertex().x)) << seed;
    ASSERT_NEAR(distance(a.vertex(), a.firstEnd()), 250, 1e-3) << seed;
    ASSERT_NEAR(distance(a.vertex(), a.secondEnd()), 260, 1e-3) << seed;
    ASSERT_NEAR(std::fabs(opening(a, a.secondEnd())), *a.measure(), 1e-3) << seed;
    ASSERT_NEAR(distance(a.vertex(), a.markStart()), 4, 1e-4) << seed;
    ASSERT_NEAR(distance(a.markStart(), a.markEnd()), 8, 1e-4) << seed;
    ASSERT_EQ(a.generatedEnd(), a.secondEnd()) << seed;
  }
  EXPECT_EQ(measures.size(), 171u);
}

TEST(AngleGeneration, TheMeasureIsTheFirstDraw) {
  // Seed 0 advances to 1: 5 + (1 * 171 div 2^32) = 5. Seed 1 advances to
  // 134775814: 5 + 5.
  EXPECT_EQ(canvasAngle(1000, 700, 0).measure(), 5);
  EXPECT_EQ(canvasAngle(1000, 700, 1).measure(), 10);
}

TEST(AngleGeneration, HorizontalFirstSideIsExactlyHorizontal) {
  int left = 0, right = 0;
  for (std::uint32_t seed = 0; seed < 2000; ++seed) {
    const AngleFigure a = canvasAngle(1000, 700, seed * 40503u + 11u, true);
    ASSERT_EQ(a.firstEnd().y, a.vertex().y) << seed;
    ASSERT_EQ(std::fabs(a.firstEnd().x - a.vertex().x), 250.0f) << seed;
    ASSERT_EQ(a.markStart().y, a.vertex().y);
    ASSERT_EQ(a.markEnd().y, a.vertex().y);
    (a.firstEnd().x > a.vertex().x ? right : left)++;
  }
  EXPECT_GT(left, 0);
  EXPECT_GT(right, 0);
}

TEST(AngleGeneration, NoSecondSideKeepsTheGeneratedEnd) {
  const Rect bounds{30, 30, 990, 690};
  for (std::uint32_t seed = 100; seed < 600; ++seed) {
    const AngleFigure a = canvasAngle(1000, 700, seed, false, true);
    ASSERT_EQ(a.secondEnd(), a.vertex());
    ASSERT_TRUE(endInside(bounds, a.generatedEnd()));
    ASSERT_NEAR(std::fabs(opening(a, a.generatedEnd())), *a.measure(), 1e-3);
  }
}

TEST(AngleGeneration, GivenMeasureAndOriginAreUsedUnchanged) {
  ScopedSeedProvider fixed([] { return 99u; });
  const AngleFigure a({400, 300}, {0, 0, 1000, 1000}, 250, 260, 30, 47, false, false, false);
  EXPECT_EQ(a.measure(), 47);
  EXPECT_EQ(a.vertex(), (PointF{400, 300}));
  EXPECT_NEAR(std::fabs(opening(a, a.secondEnd())), 47, 1e-3);
  EXPECT_EQ(canvasAngle(1000, 700, 5, false, false, 500).measure(), 500);
}


// The placement loop as described, with no bound on its attempts.
AnglePlacement unboundedReference(std::uint32_t seed, const Rect& bounds, bool horizontal, int* measure) {
  RandomSource random(seed);
  *measure = static_cast<int>(5 + random.below(171));
  AnglePlacement p;
  for (int attempt = 0; attempt < 50000000; ++attempt) {
    const float vx = static_cast<float>(bounds.left + random.below(bounds.right - bounds.left));
    const float vy = static_cast<float>(bounds.top + random.below(bounds.bottom - bounds.top));
    p.vertex = {vx, vy};
    const int s = random.sign();
    p.firstEnd = {vx + s * 250.0f, vy};
    p.secondEnd = {vx + s * 260.0f, vy};
    p.markStart = {vx + 4.0f * s, vy};
    p.markEnd = {vx - 4.0f * s, vy};
    std::int64_t r = 0;
    if (!horizontal) {
      r = random.below(361);
      p.firstEnd = rotatePoint(p.vertex, p.firstEnd, r);
      p.markStart = rotatePoint(p.vertex, p.markStart, r);
      p.markEnd = rotatePoint(p.vertex, p.markEnd, r);
    }
    const int t = random.sign();
    p.secondEnd = rotatePoint(p.vertex, p.secondEnd, r + t * *measure);
    if (endInside(bounds, p.firstEnd) && endInside(bounds, p.secondEnd)) return p;
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
    const Rect bounds{30, 30, c.w - 10, c.h - 10};
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
      int measure = 0;
      const AnglePlacement want = unboundedReference(seed * 7919u, bounds, c.horizontal, &measure);
      const AngleFigure got = canvasAngle(c.w, c.h, seed * 7919u, c.horizontal);
      ASSERT_EQ(got.measure(), measure);
      ASSERT_EQ(got.vertex(), want.vertex) << c.w << " seed " << seed;
      ASSERT_EQ(got.firstEnd(), want.firstEnd);
      ASSERT_EQ(got.secondEnd(), want.secondEnd);
      ASSERT_EQ(got.markStart(), want.markStart);
      ASSERT_EQ(got.markEnd(), want.markEnd);
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
    const Rect bounds{30, 30, c.w - 10, c.h - 10};
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
      ScopedSeedProvider fixed([seed] { return seed; });
      const AngleFigure a({0, 0}, bounds, 250, 260, 30, c.measure, true, c.horizontal, false);
      EXPECT_TRUE(endInside(bounds, a.firstEnd())) << c.w << "x" << c.h;
      EXPECT_TRUE(endInside(bounds, a.secondEnd())) << c.w << "x" << c.h;
      EXPECT_TRUE(endInside(bounds, a.vertex())) << c.w << "x" << c.h;
      if (c.measure != 0) {
        EXPECT_EQ(a.measure(), c.measure);
      }
      EXPECT_LE(distance(a.vertex(), a.firstEnd()), 250.001);
      EXPECT_LE(distance(a.vertex(), a.secondEnd()), 260.001);
      if (c.horizontal) {
        EXPECT_EQ(a.firstEnd().y, a.vertex().y);
      }
      // Sides long enough to be worth keeping still point where they did.
      if (distance(a.vertex(), a.firstEnd()) > 20 && distance(a.vertex(), a.secondEnd()) > 20) {
        EXPECT_NEAR(std::fabs(opening(a, a.secondEnd())), *a.measure(), 0.5);
      }
    }
  }
  // Sides are shortened only as far as needed: on 400 x 2000 with a
  // horizontal first side and 175 degrees, the 360 px of width hold both.
  const AngleFigure tall = canvasAngle(400, 2000, 3, true, false, 175);
  EXPECT_GT(distance(tall.vertex(), tall.firstEnd()) + distance(tall.vertex(), tall.secondEnd()), 340);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 20.0);  // a hang guard only
}

TEST(AngleFallback, EmptyAndNegativeBoundsNeverHang) {
  for (const Rect bounds : {Rect{30, 30, -10, -10}, Rect{30, 30, 31, 30}, Rect{0, 0, 0, 0},
                             Rect{INT_MIN, INT_MIN, INT_MAX, INT_MIN}, Rect{INT_MAX, INT_MAX, INT_MIN, INT_MIN}}) {
    RandomSource random(77);
    const AnglePlacement p = placeAngle(random, {0, 0}, bounds, 250, 260, 90, false);
    EXPECT_FALSE(p.found);
    EXPECT_EQ(p.attempts, kMaxPlacementAttempts);
    EXPECT_TRUE(std::isfinite(p.vertex.x) && std::isfinite(p.secondEnd.y));
  }
  // The canvas sizes themselves: 0 x 0 and 1 x 1 give empty bounds.
  for (int side : {0, 1, 39, 40}) {
    const AngleFigure a = canvasAngle(side, side, 5);
    EXPECT_GE(a.measure(), 5);
    EXPECT_LE(a.measure(), 175);
  }
  // A single pixel of bounds holds the vertex and nothing longer.
  RandomSource random(3);
  const AnglePlacement dot = placeAngle(random, {0, 0}, {50, 50, 51, 51}, 250, 260, 90, false);
  EXPECT_FALSE(dot.found);
  EXPECT_EQ(dot.vertex, (PointF{50, 50}));
  EXPECT_EQ(roundPoint(dot.firstEnd), (Point{50, 50}));
  EXPECT_EQ(roundPoint(dot.secondEnd), (Point{50, 50}));
}


// --- drawing ---------------------------------------------------------------

class AngleDrawing : public ::testing::Test {
 protected:
  AngleDrawing() { m_bitmap.setBitmapSize(400, 300); }

  // Vertex (100, 100), first side to the right; second side turned by
  // `measure` degrees counterclockwise with the given length.
  static AngleGeometry geometry(std::int32_t measure, std::int32_t secondLength = 260) {
    AngleGeometry g = canvasAngle(1000, 700, 1).geometry();
    g.vertex = {100, 100};
    g.firstEnd = {350, 100};
    g.markStart = {104, 100};
    g.markEnd = {96, 100};
    g.secondEnd = rotatePoint(g.vertex, {100.0f + secondLength, 100}, measure);
    g.measure = measure;
    return g;
  }
  static AngleFigure figure(std::int32_t measure, std::int32_t secondLength = 260) {
    return AngleFigure(geometry(measure, secondLength));
  }

  const Bitmap32& bitmap() { return m_bitmap; }

  Bitmap32 m_bitmap;
};

TEST_F(AngleDrawing, VertexMarkFrom141Degrees) {
  // Both measures give the bisector turn 70; 3 px along it from the vertex,
  // on either side, only the mark can ink a pixel.
  figure(140).draw(m_bitmap, false);
  EXPECT_FALSE(inked(bitmap(), 101, 97));
  EXPECT_FALSE(inked(bitmap(), 99, 103));
  figure(141).draw(m_bitmap, false);
  EXPECT_TRUE(inked(bitmap(), 101, 97));
  EXPECT_TRUE(inked(bitmap(), 99, 103));
}

TEST_F(AngleDrawing, VertexMarkBelow3DegreesIsAcrossTheFirstSide) {
  figure(3).draw(m_bitmap, false);
  EXPECT_FALSE(inked(bitmap(), 100, 103));
  figure(2).draw(m_bitmap, false);
  EXPECT_TRUE(inked(bitmap(), 100, 103));
  EXPECT_TRUE(inked(bitmap(), 100, 97));
}

TEST_F(AngleDrawing, NoSecondSideShowsTheMarkAndNoArc) {
  AngleGeometry g = geometry(60);
  g.secondEnd = g.vertex;
  AngleFigure(g).draw(m_bitmap, false);
  EXPECT_TRUE(inked(bitmap(), 100, 103));
  EXPECT_TRUE(inked(bitmap(), 200, 100));
  // Nothing above the first side but the upper half of the mark.
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 400; ++x) ASSERT_EQ(bitmap().pixelAt(x, y), kWhite) << x << "," << y;
}

TEST_F(AngleDrawing, TracingDrawsTheSecondSideAndArcInRedWithoutMark) {
  figure(150).draw(m_bitmap, true);
  EXPECT_FALSE(inked(bitmap(), 100, 103));  // no mark while tracing
  // The second side at 150 degrees, 100 px out, and the arc at 90 degrees.
  const Color32 side = bitmap().pixelAt(13, 50);
  const Color32 arc = bitmap().pixelAt(100, 70);
  EXPECT_GT(red(side), green(side) + 100);
  EXPECT_GT(red(arc), blue(arc) + 100);
  // The first side stays black.
  const Color32 first = bitmap().pixelAt(200, 100);
  EXPECT_LT(red(first), 40u);

  figure(150).draw(m_bitmap, false);
  EXPECT_TRUE(inked(bitmap(), 13, 50));
  EXPECT_LT(red(bitmap().pixelAt(13, 50)), 100u);
  EXPECT_TRUE(inked(bitmap(), 99, 103));  // the mark, along the bisector
}

TEST_F(AngleDrawing, ArcOnlyForASecondSideLongerThanTheArcRadius) {
  // Second side straight up; the arc crosses 45 degrees at (121, 79).
  figure(90, 30).draw(m_bitmap, false);
  EXPECT_FALSE(inked(bitmap(), 121, 79));
  figure(90, 31).draw(m_bitmap, false);
  EXPECT_TRUE(inked(bitmap(), 121, 79));
}

TEST_F(AngleDrawing, OpeningAcrossZeroDegreesDrawsTheShortArc) {
  AngleGeometry g = geometry(20);
  g.firstEnd = rotatePoint(g.vertex, {350, 100}, 350);
  g.secondEnd = rotatePoint(g.vertex, {360, 100}, 10);
  AngleFigure(g).draw(m_bitmap, false);
  EXPECT_TRUE(inked(bitmap(), 130, 100));    // arc at 0 degrees, between the sides
  EXPECT_FALSE(inked(bitmap(), 70, 100));    // not the long way round
  EXPECT_FALSE(inked(bitmap(), 100, 70));
}

TEST_F(AngleDrawing, SecondSideFarOutsideTouchesOnlyTheBitmap) {
  AngleFigure a = figure(60);
  for (Point p : {Point{-1000000000, 1000000000}, Point{1000000000, -5}, Point{INT_MIN, INT_MAX}}) {
    applyPencilStep(a, p);
    a.draw(m_bitmap, true);
    EXPECT_TRUE(inked(bitmap(), 200, 100));
    EXPECT_GT(countNonWhite(bitmap()), 250);
  }
  // Toward the lower left the red side runs on to the left edge at row 200.
  applyPencilStep(a, {-1000000, 1000000});
  a.draw(m_bitmap, true);
  bool redAtEdge = false;
  for (int y = 195; y < 205; ++y)
    for (int x = 0; x < 3; ++x) redAtEdge |= red(bitmap().pixelAt(x, y)) > green(bitmap().pixelAt(x, y)) + 100;
  EXPECT_TRUE(redAtEdge);
}



// The canvas and the probe both place their angles through this rectangle.
TEST(ExerciseAngle, PlacementLeavesMarginsOf30TopLeftAnd10BottomRight) {
  EXPECT_EQ(exercisePlacementRect(1000, 700), (Rect{30, 30, 990, 690}));
  EXPECT_EQ(exercisePlacementRect(0, 0), (Rect{30, 30, -10, -10}));
  const ScopedSeedProvider seed([] { return 12345u; });
  const std::unique_ptr<AngleFigure> a = newExerciseAngle(1000, 700, 47, true, true, false);
  EXPECT_EQ(a->measure(), 47);
  EXPECT_EQ(a->firstLength(), 250);
  EXPECT_EQ(a->secondLength(), 260);
  EXPECT_EQ(a->arcRadius(), 30);
  EXPECT_EQ(a->firstEnd().y, a->vertex().y);
}

}  // namespace
}  // namespace gradoir
