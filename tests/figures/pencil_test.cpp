#include "figures/pencil.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "figures/random_source.h"

namespace gradoir {
namespace {

// An angle whose first side runs from vertex to firstEnd, with no second
// side yet, as a drawing exercise starts.
AngleFigure firstSideOnly(PointF vertex, PointF firstEnd) {
  AngleGeometry g;
  g.vertex = vertex;
  g.firstEnd = firstEnd;
  g.secondEnd = vertex;
  g.generatedEnd = vertex;
  g.firstLength = 250;
  g.secondLength = 260;
  g.arcRadius = 30;
  g.magnetic = true;
  return AngleFigure(g);
}

struct PencilCase {
  Point pointer;
  PointF secondEnd;
  std::int32_t measure;
};

TEST(Pencil, FirstSidePointingRight) {
  for (const PencilCase& c : {PencilCase{{200, 200}, {200, 200}, 45}, PencilCase{{200, 0}, {200, 0}, -45},
                              PencilCase{{300, 218}, {299, 220}, 31}}) {
    AngleFigure angle = firstSideOnly({100, 100}, {350, 100});
    applyPencilStep(angle, c.pointer);
    EXPECT_EQ(angle.secondEnd(), c.secondEnd) << c.pointer.x << "," << c.pointer.y;
    EXPECT_EQ(angle.measure(), c.measure) << c.pointer.x << "," << c.pointer.y;
  }
}

TEST(Pencil, FirstSidePointingLeftWrapsTheDifference) {
  // Raw differences of about -357 and +357 degrees come back as 3 and -3.
  for (const PencilCase& c : {PencilCase{{200, 90}, {200, 90}, 3}, PencilCase{{200, 110}, {200, 110}, -3}}) {
    AngleFigure angle = firstSideOnly({400, 100}, {150, 100});
    applyPencilStep(angle, c.pointer);
    EXPECT_EQ(angle.secondEnd(), c.secondEnd) << c.pointer.x << "," << c.pointer.y;
    EXPECT_EQ(angle.measure(), c.measure) << c.pointer.x << "," << c.pointer.y;
  }
}

TEST(Pencil, DifferencesJustPastAHalfTurnComeBackFromTheOtherSide) {
  // First side 10 degrees below the horizontal (clockwise on screen), pointer
  // up and to the left at -171 degrees: the raw difference is about -181.
  AngleFigure down = firstSideOnly({100, 100}, {346.2f, 143.4f});
  applyPencilStep(down, {-98, 69});
  EXPECT_EQ(down.measure(), 179);
  // And the mirror image: about +181 comes back as -179.
  AngleFigure up = firstSideOnly({100, 100}, {346.2f, 56.6f});
  applyPencilStep(up, {-98, 131});
  EXPECT_EQ(up.measure(), -179);
}

// A stroke of no length is no answer: whatever the first side's direction,
// the angle is left as before the first stroke, with no measure to check.
TEST(Pencil, PressOnTheVertexDrawsNoSecondSide) {
  for (PointF firstEnd : {PointF{350, 100}, PointF{-150, 100}, PointF{100, 350}, PointF{277, -77}}) {
    AngleFigure angle = firstSideOnly({100, 100}, firstEnd);
    applyPencilStep(angle, {100, 100});
    EXPECT_EQ(angle.secondEnd(), angle.vertex());
    EXPECT_FALSE(angle.measure().has_value()) << firstEnd.x << "," << firstEnd.y;
    // A real stroke afterwards still counts, and going back to the vertex
    // takes it away again.
    applyPencilStep(angle, {100, 0});
    EXPECT_TRUE(angle.measure().has_value());
    applyPencilStep(angle, {100, 100});
    EXPECT_FALSE(angle.measure().has_value());
  }
}

TEST(Pencil, PointersFarOutsideTheCanvasAreSafe) {
  AngleFigure angle = firstSideOnly({100, 100}, {350, 100});
  for (Point p : {Point{1000000000, -1000000000}, Point{-1000000000, 1000000000}, Point{INT_MIN, INT_MIN},
                   Point{INT_MAX, INT_MIN}, Point{INT_MAX, INT_MAX}, Point{-5, 100}}) {
    applyPencilStep(angle, p);
    EXPECT_TRUE(std::isfinite(angle.secondEnd().x)) << p.x << "," << p.y;
    EXPECT_TRUE(std::isfinite(angle.secondEnd().y)) << p.x << "," << p.y;
    EXPECT_GE(angle.measure(), -180);
    EXPECT_LE(angle.measure(), 180);
  }
  applyPencilStep(angle, {1000000000, 100});
  EXPECT_EQ(angle.measure(), 0);
  applyPencilStep(angle, {100, -1000000000});
  EXPECT_EQ(angle.measure(), -90);
}

}  // namespace
}  // namespace gradoir
