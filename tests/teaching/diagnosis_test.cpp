// Each rule of both exercises, with a case that hits it and a near miss that
// does not. The angle: vertex (400, 300), first side to the right, second
// side above it at m degrees; a well placed protractor has its centre on the
// vertex and orientation 0 (straight edge along the first side, arc above).
#include "teaching/diagnosis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace gradoir {
namespace {

constexpr float kVx = 400;
constexpr float kVy = 300;

// End of a side of length 260 leaving the vertex `degrees` counterclockwise
// on screen from the positive x axis.
PointF sideEnd(long double degrees) {
  const long double r = degrees * std::numbers::pi_v<long double> / 180.0L;
  return {static_cast<float>(kVx + 260 * std::cos(r)), static_cast<float>(kVy - 260 * std::sin(r))};
}

const ProtractorPose kPlaced{kVx, kVy, 0};

TryFacts measuring(std::int32_t m, std::int32_t x, std::optional<ProtractorPose> pose = kPlaced) {
  TryFacts f;
  f.kind = ExerciseKind::Measuring;
  f.vertex = {kVx, kVy};
  f.firstEnd = sideEnd(0);
  f.secondEnd = sideEnd(m);
  f.measure = m;
  f.answer = x;
  f.protractor = pose;
  return f;
}

// The pupil drew d degrees (sign ignored), target n.
TryFacts drawing(std::int32_t n, std::optional<std::int32_t> d,
                 std::optional<ProtractorPose> pose = kPlaced) {
  TryFacts f = measuring(n, 0, pose);
  f.kind = ExerciseKind::Drawing;
  f.secondEnd = d ? sideEnd(std::abs(*d)) : f.vertex;
  f.answer = d;
  return f;
}

ProtractorPose centredAt(long double x, long double y) { return {x, y, 0}; }
ProtractorPose turnedBy(std::int64_t orientation) { return {kVx, kVy, orientation}; }

using E = Explanation;

TEST(MeasuringDiagnosis, AnswerAbove180) {
  EXPECT_EQ(diagnose(measuring(40, 181)), E::OutOfRange);
  EXPECT_EQ(diagnose(measuring(40, 999, std::nullopt)), E::OutOfRange);
  EXPECT_NE(diagnose(measuring(40, 180)), E::OutOfRange);
}

TEST(MeasuringDiagnosis, SupplementReadOnTheOtherScale) {
  EXPECT_EQ(diagnose(measuring(40, 140)), E::WrongScaleRead);
  EXPECT_EQ(diagnose(measuring(40, 141)), E::WrongScaleRead);
  EXPECT_EQ(diagnose(measuring(40, 139)), E::WrongScaleRead);
  EXPECT_EQ(diagnose(measuring(150, 30)), E::WrongScaleRead);
  EXPECT_EQ(diagnose(measuring(86, 94)), E::WrongScaleRead);
  // Comes before the placement rules.
  EXPECT_EQ(diagnose(measuring(40, 140, std::nullopt)), E::WrongScaleRead);
  // Near misses: two degrees off the supplement, or an angle too close to 90.
  EXPECT_EQ(diagnose(measuring(40, 142)), E::AngleIsAcute);
  EXPECT_EQ(diagnose(measuring(88, 92)), E::AngleIsAcute);
  EXPECT_EQ(diagnose(measuring(87, 93)), E::AngleIsAcute);
}

TEST(MeasuringDiagnosis, CentreOffTheVertexOrProtractorHidden) {
  EXPECT_EQ(diagnose(measuring(40, 60, centredAt(403, 301))), E::CentreOffVertex);
  EXPECT_EQ(diagnose(measuring(40, 60, centredAt(400, 296.9L))), E::CentreOffVertex);
  EXPECT_EQ(diagnose(measuring(40, 60, std::nullopt)), E::CentreOffVertex);
  // Exactly 3 pixels away still counts as on the vertex.
  EXPECT_EQ(diagnose(measuring(40, 60, centredAt(403, 300))), E::ReadFromZero);
}

TEST(MeasuringDiagnosis, ZeroLineOnNeitherSide) {
  EXPECT_EQ(diagnose(measuring(40, 60, turnedBy(2))), E::ZeroLineOffSide);
  EXPECT_EQ(diagnose(measuring(40, 60, turnedBy(-30))), E::ZeroLineOffSide);
  // Within a degree of the first side, at either end of the edge.
  EXPECT_EQ(diagnose(measuring(40, 60, turnedBy(1))), E::ReadFromZero);
  EXPECT_EQ(diagnose(measuring(40, 60, turnedBy(-179))), E::ReadFromZero);
  // Along the second side (40 degrees counterclockwise is -40 clockwise).
  EXPECT_EQ(diagnose(measuring(40, 60, turnedBy(-40))), E::ReadFromZero);
  EXPECT_EQ(diagnose(measuring(40, 60, turnedBy(140))), E::ReadFromZero);
  // A centre a little off the vertex does not tilt the sides.
  EXPECT_EQ(diagnose(measuring(40, 60, ProtractorPose{402, 302, 0})), E::ReadFromZero);
}

TEST(MeasuringDiagnosis, AlmostRight) {
  EXPECT_EQ(diagnose(measuring(40, 42)), E::AlmostRead);
  EXPECT_EQ(diagnose(measuring(40, 38)), E::AlmostRead);
  EXPECT_EQ(diagnose(measuring(91, 89)), E::AlmostRead);
  EXPECT_EQ(diagnose(measuring(40, 43)), E::ReadFromZero);
  EXPECT_EQ(diagnose(measuring(40, 42, turnedBy(5))), E::ZeroLineOffSide);
}

TEST(MeasuringDiagnosis, AcuteAndObtuseConfused) {
  EXPECT_EQ(diagnose(measuring(120, 70)), E::AngleIsObtuse);
  EXPECT_EQ(diagnose(measuring(120, 90)), E::ReadFromZero);
  EXPECT_EQ(diagnose(measuring(91, 50)), E::AngleIsObtuse);
  EXPECT_EQ(diagnose(measuring(90, 50)), E::ReadFromZero);
  EXPECT_EQ(diagnose(measuring(40, 100)), E::AngleIsAcute);
  EXPECT_EQ(diagnose(measuring(40, 90)), E::ReadFromZero);
  EXPECT_EQ(diagnose(measuring(89, 120)), E::AngleIsAcute);
}

TEST(MeasuringDiagnosis, OtherwiseReadFromTheZero) {
  EXPECT_EQ(diagnose(measuring(40, 60)), E::ReadFromZero);
  EXPECT_EQ(diagnose(measuring(150, 100)), E::ReadFromZero);
  EXPECT_EQ(diagnose(measuring(40, 0)), E::ReadFromZero);
}

TEST(DrawingDiagnosis, NoSecondSide) {
  EXPECT_EQ(diagnose(drawing(40, std::nullopt)), E::NoSecondSide);
  EXPECT_EQ(diagnose(drawing(40, std::nullopt, std::nullopt)), E::NoSecondSide);
  EXPECT_NE(diagnose(drawing(40, 0)), E::NoSecondSide);
}

TEST(DrawingDiagnosis, SupplementFollowed) {
  EXPECT_EQ(diagnose(drawing(40, 140)), E::WrongScaleFollowed);
  EXPECT_EQ(diagnose(drawing(40, -139)), E::WrongScaleFollowed);
  EXPECT_EQ(diagnose(drawing(40, 141, std::nullopt)), E::WrongScaleFollowed);
  EXPECT_EQ(diagnose(drawing(40, 138)), E::AngleIsAcute);
  EXPECT_EQ(diagnose(drawing(88, 92)), E::AngleIsAcute);
  EXPECT_EQ(diagnose(drawing(92, -88)), E::AngleIsObtuse);
}

TEST(DrawingDiagnosis, CentreOffTheVertexOrProtractorHidden) {
  EXPECT_EQ(diagnose(drawing(40, 60, centredAt(404, 300))), E::CentreOffVertex);
  EXPECT_EQ(diagnose(drawing(40, 60, std::nullopt)), E::CentreOffVertex);
  EXPECT_EQ(diagnose(drawing(40, 60, centredAt(400, 303))), E::DrawFromFirstSide);
}

TEST(DrawingDiagnosis, ZeroLineOnNeitherSide) {
  EXPECT_EQ(diagnose(drawing(40, 60, turnedBy(-2))), E::ZeroLineOffSide);
  EXPECT_EQ(diagnose(drawing(40, 60, turnedBy(-1))), E::DrawFromFirstSide);
  // Along the pupil's own side.
  EXPECT_EQ(diagnose(drawing(40, 60, turnedBy(-60))), E::DrawFromFirstSide);
}

TEST(DrawingDiagnosis, AlmostRight) {
  EXPECT_EQ(diagnose(drawing(40, 42)), E::AlmostDrawn);
  EXPECT_EQ(diagnose(drawing(40, -38)), E::AlmostDrawn);
  EXPECT_EQ(diagnose(drawing(40, 37)), E::DrawFromFirstSide);
}

TEST(DrawingDiagnosis, AcuteAndObtuseConfused) {
  EXPECT_EQ(diagnose(drawing(120, 70)), E::AngleIsObtuse);
  EXPECT_EQ(diagnose(drawing(120, 90)), E::DrawFromFirstSide);
  EXPECT_EQ(diagnose(drawing(40, -100)), E::AngleIsAcute);
  EXPECT_EQ(diagnose(drawing(40, 90)), E::DrawFromFirstSide);
}

TEST(DrawingDiagnosis, OtherwiseDrawFromTheFirstSide) {
  EXPECT_EQ(diagnose(drawing(40, 60)), E::DrawFromFirstSide);
  EXPECT_EQ(diagnose(drawing(150, 170)), E::DrawFromFirstSide);
}

}  // namespace
}  // namespace gradoir
