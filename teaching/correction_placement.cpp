#include "teaching/correction_placement.h"

#include <cmath>
#include <numbers>

#include "raster/rounding.h"

namespace gradoir {

namespace {

// Direction from the vertex to p, degrees clockwise on screen.
long double directionOf(PointF vertex, PointF p) {
  return std::atan2(static_cast<long double>(p.y) - vertex.y, static_cast<long double>(p.x) - vertex.x) *
         180.0L / std::numbers::pi_v<long double>;
}

std::int32_t wholeTurnsOff(std::int32_t degrees) {
  const std::int32_t r = degrees % 360;
  return r < 0 ? r + 360 : r;
}

}  // namespace

CorrectionPlacement placementOnAngle(PointF vertex, PointF zeroSideEnd, PointF otherSideEnd) {
  const long double zeroSide = directionOf(vertex, zeroSideEnd);
  long double turn = directionOf(vertex, otherSideEnd) - zeroSide;
  while (turn <= -180.0L) turn += 360.0L;
  while (turn > 180.0L) turn -= 360.0L;
  // The outer scale grows clockwise from its 0 end, which lies opposite the
  // orientation's direction; the inner scale grows the other way from the
  // other end. The other side must fall on the half disc.
  const bool clockwise = turn >= 0;
  const long double orientation = clockwise ? zeroSide - 180.0L : zeroSide;
  CorrectionPlacement p;
  p.pose = {vertex.x, vertex.y, wholeTurnsOff(roundHalfEven(orientation))};
  p.scale = clockwise ? ProtractorScale::Outer : ProtractorScale::Inner;
  p.reading = graduationUnder(p.pose, p.scale, otherSideEnd.x, otherSideEnd.y).value_or(0);
  return p;
}

}  // namespace gradoir
