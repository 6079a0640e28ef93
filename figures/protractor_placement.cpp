#include "figures/protractor_placement.h"

#include "figures/degrees.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

long double directionFrom(PointF vertex, PointF p) {
  return screenDirection(static_cast<long double>(p.x) - vertex.x, static_cast<long double>(p.y) - vertex.y);
}

std::int32_t wholeTurnsOff(std::int32_t degrees) {
  const std::int32_t r = degrees % 360;
  return r < 0 ? r + 360 : r;
}

}  // namespace

ProtractorOnAngle protractorOnAngle(PointF vertex, PointF zeroSideEnd, PointF otherSideEnd) {
  const long double zeroSide = directionFrom(vertex, zeroSideEnd);
  long double turn = directionFrom(vertex, otherSideEnd) - zeroSide;
  while (turn <= -180.0L) turn += 360.0L;
  while (turn > 180.0L) turn -= 360.0L;
  // Graduation i of the outer scale lies in the screen direction
  // orientation + 180 + i: its 0 end points opposite the orientation and it
  // grows clockwise. The inner scale grows the other way from the other end.
  const bool clockwise = turn >= 0;
  const long double orientation = clockwise ? zeroSide - 180.0L : zeroSide;
  ProtractorOnAngle p;
  p.pose = {vertex.x, vertex.y, wholeTurnsOff(roundHalfEven(orientation))};
  p.scale = clockwise ? ProtractorScale::Outer : ProtractorScale::Inner;
  p.reading = graduationUnder(p.pose, p.scale, otherSideEnd.x, otherSideEnd.y).value_or(0);
  return p;
}

}  // namespace gradoir
