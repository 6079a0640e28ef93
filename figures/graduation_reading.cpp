#include "figures/graduation_reading.h"

#include <cmath>

#include "figures/degrees.h"

namespace gradoir {

namespace {

// Direction of the ray from the centre through (x, y), degrees clockwise on
// screen from the positive x axis, in (-180, 180]; empty for the centre.
std::optional<long double> rayDirection(const ProtractorPose& pose, long double x, long double y) {
  const long double dx = x - pose.centreX;
  const long double dy = y - pose.centreY;
  if (dx == 0 && dy == 0) return std::nullopt;
  return screenDirection(dx, dy);
}

// a brought into [low, low + 360) by whole turns.
long double wrapDegrees(long double a, long double low) {
  long double r = std::fmod(a - low, 360.0L);
  if (r < 0) r += 360.0L;
  return r + low;
}

// The outer scale's 0 end points opposite the orientation's direction: at
// orientation 0 it lies to the left (180 degrees), the 180 end to the right
// (0 degrees). Its graduations grow clockwise on screen, so the outer
// reading of a ray is how far it has turned clockwise from the 0 end, here
// in [-90, 270): the half disc is 0..180, the other side the rest.
long double outerReading(const ProtractorPose& pose, long double direction) {
  const long double zeroEnd = static_cast<long double>(pose.orientation % 360) + 180.0L;
  return wrapDegrees(direction - zeroEnd, -90.0L);
}

}  // namespace

std::optional<std::int32_t> graduationUnder(const ProtractorPose& pose, ProtractorScale scale, long double x,
                                            long double y) {
  const std::optional<long double> direction = rayDirection(pose, x, y);
  if (!direction) return std::nullopt;
  const long double outer = outerReading(pose, *direction);
  // Past the ends by half a degree or more, the nearest graduation would be
  // one the protractor does not have: the ray runs under the straight edge.
  if (outer < -0.5L || outer >= 180.5L) return std::nullopt;
  const auto nearest = static_cast<std::int32_t>(std::lround(outer));
  const std::int32_t clamped = nearest < 0 ? 0 : nearest > 180 ? 180 : nearest;
  return scale == ProtractorScale::Outer ? clamped : 180 - clamped;
}

std::optional<ProtractorScale> scaleWithZeroToward(const ProtractorPose& pose, long double x, long double y,
                                                   long double toleranceDegrees) {
  const std::optional<long double> direction = rayDirection(pose, x, y);
  if (!direction) return std::nullopt;
  const long double outer = outerReading(pose, *direction);
  // Distances to the outer 0 end and to the outer 180 end (the inner 0).
  const long double toOuterZero = std::fabs(wrapDegrees(outer, -180.0L));
  const long double toInnerZero = std::fabs(wrapDegrees(outer - 180.0L, -180.0L));
  if (toOuterZero <= toleranceDegrees && toOuterZero <= toInnerZero) return ProtractorScale::Outer;
  if (toInnerZero <= toleranceDegrees) return ProtractorScale::Inner;
  return std::nullopt;
}

}  // namespace gradoir
