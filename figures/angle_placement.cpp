#include "figures/angle_placement.h"

#include <cstdlib>

#include "figures/degrees.h"
#include "raster/geometry.h"

namespace gradoir {

namespace {

// Directions of one attempt: s is the first side's direction before turning
// (+1 right, -1 left), r the turn of the first side, t the opening (+1
// counterclockwise from the first side, -1 clockwise).
struct Directions {
  int s = 1;
  std::int64_t r = 0;
  int t = 1;
};

// End of a side of the given length leaving the vertex in direction s, turned
// by `turn` degrees.
PointF sideEnd(PointF vertex, int s, std::int64_t length, std::int64_t turn) {
  const PointF unturned{static_cast<float>(static_cast<long double>(vertex.x) + s * length), vertex.y};
  return rotatePoint(vertex, unturned, turn);
}

void placeSides(AnglePlacement& p, const Directions& d, std::int64_t firstLength, std::int64_t secondLength,
                std::int64_t measure) {
  p.firstEnd = sideEnd(p.vertex, d.s, firstLength, d.r);
  p.secondEnd = sideEnd(p.vertex, d.s, secondLength, d.r + d.t * measure);
}

// The marks play no part in accepting an attempt, so they are placed once,
// for the attempt that is kept.
void placeMarks(AnglePlacement& p, const Directions& d) {
  p.markStart = sideEnd(p.vertex, d.s, 4, d.r);
  p.markEnd = sideEnd(p.vertex, d.s, -4, d.r);
}

bool insideBounds(const Rect& bounds, PointF p) { return rectContains(bounds, roundPoint(p)); }

// The longest side, from 0 up to `length` (either sign), whose end still
// rounds into bounds. Lengths along a ray from a vertex inside the bounds
// leave them only once, so a bisection finds it; 0 (the vertex) always fits.
std::int64_t longestFittingLength(const Rect& bounds, PointF vertex, int s, std::int64_t length,
                                  std::int64_t turn) {
  if (insideBounds(bounds, sideEnd(vertex, s, length, turn))) return length;
  const std::int64_t sign = length < 0 ? -1 : 1;
  std::int64_t fits = 0, fails = std::llabs(length);
  while (fails - fits > 1) {
    const std::int64_t mid = fits + (fails - fits) / 2;
    if (insideBounds(bounds, sideEnd(vertex, s, sign * mid, turn)))
      fits = mid;
    else
      fails = mid;
  }
  return sign * fits;
}

// No random attempt fitted (a canvas too small for the sides). The figure
// keeps its measure and the directions of the last attempt, which is what the
// exercise is about, moves its vertex to the fixed origin when that lies in
// bounds or else to the middle of the bounds, and shortens each side to the
// longest length whose end still lies in bounds. Empty bounds can hold
// nothing: the last attempt is kept as it is.
void fitInsideBounds(AnglePlacement& p, const Directions& d, Point origin, const Rect& bounds,
                     std::int64_t firstLength, std::int64_t secondLength, std::int64_t measure) {
  if (rectIsEmpty(bounds)) return;
  const bool fixedOrigin = origin.x != 0 || origin.y != 0;
  if (fixedOrigin && rectContains(bounds, origin)) {
    p.vertex = toRealPoint(origin);
  } else {
    const std::int64_t x = bounds.left + (static_cast<std::int64_t>(bounds.right) - bounds.left) / 2;
    const std::int64_t y = bounds.top + (static_cast<std::int64_t>(bounds.bottom) - bounds.top) / 2;
    p.vertex = {static_cast<float>(x), static_cast<float>(y)};
  }
  const std::int64_t secondTurn = d.r + d.t * measure;
  const std::int64_t first = longestFittingLength(bounds, p.vertex, d.s, firstLength, d.r);
  const std::int64_t second = longestFittingLength(bounds, p.vertex, d.s, secondLength, secondTurn);
  placeSides(p, d, first, second, measure);
}

}  // namespace

AnglePlacement placeAngle(RandomSource& random, Point origin, const Rect& bounds,
                           std::int32_t firstLength, std::int32_t secondLength, std::int32_t measure,
                           bool horizontal) {
  const bool fixedOrigin = origin.x != 0 || origin.y != 0;
  const std::int64_t width = static_cast<std::int64_t>(bounds.right) - bounds.left;
  const std::int64_t height = static_cast<std::int64_t>(bounds.bottom) - bounds.top;

  AnglePlacement p;
  Directions d;
  while (p.attempts < kMaxPlacementAttempts) {
    ++p.attempts;
    if (fixedOrigin) {
      p.vertex = toRealPoint(origin);
    } else {
      const std::int64_t x = bounds.left + random.below(width);
      const std::int64_t y = bounds.top + random.below(height);
      p.vertex = {static_cast<float>(x), static_cast<float>(y)};
    }
    d.s = random.sign();
    d.r = horizontal ? 0 : random.below(361);
    d.t = random.sign();
    placeSides(p, d, firstLength, secondLength, measure);
    if (insideBounds(bounds, p.firstEnd) && insideBounds(bounds, p.secondEnd)) {
      p.found = true;
      break;
    }
  }
  if (!p.found) fitInsideBounds(p, d, origin, bounds, firstLength, secondLength, measure);
  placeMarks(p, d);
  return p;
}

}  // namespace gradoir
