#include "teaching/diagnosis.h"

#include <cmath>
#include <cstdlib>

namespace gradoir {

namespace {

// A centre farther than this from the vertex is not on it, even with the
// magnetised vertex off.
constexpr long double kVertexTolerance = 3.0L;
// A side this close in direction to the straight edge lies along the 0 line.
constexpr long double kZeroLineTolerance = 1.0L;

bool centreOffVertex(const TryFacts& f) {
  if (!f.protractor) return true;
  const long double dx = f.protractor->centreX - f.vertex.x;
  const long double dy = f.protractor->centreY - f.vertex.y;
  return std::sqrt(dx * dx + dy * dy) > kVertexTolerance;
}

// Compares directions, not positions: the side is moved onto the centre
// first, so that a centre a pixel or two off the vertex does not turn a side
// that lies along the edge into one that does not.
bool alongZeroLine(const ProtractorPose& pose, PointF vertex, PointF end) {
  const long double x = pose.centreX + (static_cast<long double>(end.x) - vertex.x);
  const long double y = pose.centreY + (static_cast<long double>(end.y) - vertex.y);
  return scaleWithZeroToward(pose, x, y, kZeroLineTolerance).has_value();
}

bool zeroLineOffSides(const TryFacts& f) {
  return !alongZeroLine(*f.protractor, f.vertex, f.firstEnd) &&
         !alongZeroLine(*f.protractor, f.vertex, f.secondEnd);
}

// The supplement read from the other scale; near 90 degrees it cannot be
// told from a small slip.
bool supplementTaken(std::int32_t answer, std::int32_t target) {
  return std::abs(answer - (180 - target)) <= 1 && std::abs(target - 90) > 3;
}

// Rules 3 to 6, shared by both kinds; empty when none applies.
std::optional<Explanation> placementOrSize(const TryFacts& f, std::int32_t answer, Explanation almost) {
  if (centreOffVertex(f)) return Explanation::CentreOffVertex;
  if (zeroLineOffSides(f)) return Explanation::ZeroLineOffSide;
  if (std::abs(answer - f.measure) <= 2) return almost;
  if (answer < 90 && 90 < f.measure) return Explanation::AngleIsObtuse;
  if (f.measure < 90 && 90 < answer) return Explanation::AngleIsAcute;
  return std::nullopt;
}

Explanation diagnoseMeasuring(const TryFacts& f) {
  const std::int32_t x = f.answer.value_or(0);
  if (x > 180) return Explanation::OutOfRange;
  if (supplementTaken(x, f.measure)) return Explanation::WrongScaleRead;
  return placementOrSize(f, x, Explanation::AlmostRead).value_or(Explanation::ReadFromZero);
}

Explanation diagnoseDrawing(const TryFacts& f) {
  if (!f.answer) return Explanation::NoSecondSide;
  const std::int32_t d = std::abs(*f.answer);
  if (supplementTaken(d, f.measure)) return Explanation::WrongScaleFollowed;
  return placementOrSize(f, d, Explanation::AlmostDrawn).value_or(Explanation::DrawFromFirstSide);
}

}  // namespace

Explanation diagnose(const TryFacts& facts) {
  return facts.kind == ExerciseKind::Measuring ? diagnoseMeasuring(facts) : diagnoseDrawing(facts);
}

}  // namespace gradoir
