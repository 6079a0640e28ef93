#include "figures/pencil.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "figures/random_source.h"

namespace gradoir {
namespace {

// An angle whose first side runs from vertex to first_end, with no second
// side yet (as a drawing exercise starts: Measure 181).
TAngle FirstSideOnly(TRealPoint vertex, TRealPoint first_end) {
  TScopedSeedProvider seed([] { return 1u; });
  TAngle angle({1, 1}, {0, 0, 2000, 2000}, 250, 260, 30, 90, true, false, true);
  angle.Vertex = vertex;
  angle.FirstEnd = first_end;
  angle.SecondEnd = vertex;
  angle.Measure = 181;
  return angle;
}

struct PencilCase {
  TPoint pointer;
  TRealPoint second_end;
  std::int32_t measure;
};

TEST(Pencil, FirstSidePointingRight) {
  for (const PencilCase& c : {PencilCase{{200, 200}, {200, 200}, 45}, PencilCase{{200, 0}, {200, 0}, -45},
                              PencilCase{{300, 218}, {299, 220}, 31}}) {
    TAngle angle = FirstSideOnly({100, 100}, {350, 100});
    ApplyPencilStep(angle, c.pointer);
    EXPECT_EQ(angle.SecondEnd, c.second_end) << c.pointer.X << "," << c.pointer.Y;
    EXPECT_EQ(angle.Measure, c.measure) << c.pointer.X << "," << c.pointer.Y;
  }
}

TEST(Pencil, FirstSidePointingLeftWrapsTheDifference) {
  // Raw differences of about -357 and +357 degrees come back as 3 and -3.
  for (const PencilCase& c : {PencilCase{{200, 90}, {200, 90}, 3}, PencilCase{{200, 110}, {200, 110}, -3}}) {
    TAngle angle = FirstSideOnly({400, 100}, {150, 100});
    ApplyPencilStep(angle, c.pointer);
    EXPECT_EQ(angle.SecondEnd, c.second_end) << c.pointer.X << "," << c.pointer.Y;
    EXPECT_EQ(angle.Measure, c.measure) << c.pointer.X << "," << c.pointer.Y;
  }
}

TEST(Pencil, DifferencesJustPastAHalfTurnComeBackFromTheOtherSide) {
  // First side 10 degrees below the horizontal (clockwise on screen), pointer
  // up and to the left at -171 degrees: the raw difference is about -181.
  TAngle down = FirstSideOnly({100, 100}, {346.2f, 143.4f});
  ApplyPencilStep(down, {-98, 69});
  EXPECT_EQ(down.Measure, 179);
  // And the mirror image: about +181 comes back as -179.
  TAngle up = FirstSideOnly({100, 100}, {346.2f, 56.6f});
  ApplyPencilStep(up, {-98, 131});
  EXPECT_EQ(up.Measure, -179);
}

TEST(Pencil, PressOnTheVertexCollapsesTheSecondSide) {
  TAngle right = FirstSideOnly({100, 100}, {350, 100});
  ApplyPencilStep(right, {100, 100});
  EXPECT_EQ(right.SecondEnd, right.Vertex);
  EXPECT_EQ(right.Measure, 0);  // no longer 181

  TAngle left = FirstSideOnly({400, 100}, {150, 100});
  ApplyPencilStep(left, {400, 100});
  EXPECT_EQ(left.SecondEnd, left.Vertex);
  EXPECT_EQ(left.Measure, -180);
}


TEST(Pencil, PointersFarOutsideTheCanvasAreSafe) {
  TAngle angle = FirstSideOnly({100, 100}, {350, 100});
  for (TPoint p : {TPoint{1000000000, -1000000000}, TPoint{-1000000000, 1000000000}, TPoint{INT_MIN, INT_MIN},
                   TPoint{INT_MAX, INT_MIN}, TPoint{INT_MAX, INT_MAX}, TPoint{-5, 100}}) {
    ApplyPencilStep(angle, p);
    EXPECT_TRUE(std::isfinite(angle.SecondEnd.X)) << p.X << "," << p.Y;
    EXPECT_TRUE(std::isfinite(angle.SecondEnd.Y)) << p.X << "," << p.Y;
    EXPECT_GE(angle.Measure, -180);
    EXPECT_LE(angle.Measure, 180);
  }
  ApplyPencilStep(angle, {1000000000, 100});
  EXPECT_EQ(angle.Measure, 0);
  ApplyPencilStep(angle, {100, -1000000000});
  EXPECT_EQ(angle.Measure, -90);
}

}  // namespace
}  // namespace gradoir
