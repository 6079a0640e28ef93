#include "figures/angle_placement.h"

#include <cstdlib>

#include "figures/degrees.h"
#include "raster/geometry.h"

namespace gradoir {

namespace {

// Directions of one attempt: s is the first side's direction before turning
// (+1 right, -1 left), r the turn of the first side, t the opening (+1
// counterclockwise from the first side, -1 clockwise).
struct TDirections {
  int s = 1;
  std::int64_t r = 0;
  int t = 1;
};

// End of a side of the given length leaving the vertex in direction s, turned
// by `turn` degrees.
TRealPoint SideEnd(TRealPoint vertex, int s, std::int64_t length, std::int64_t turn) {
  const TRealPoint unturned{static_cast<float>(static_cast<long double>(vertex.X) + s * length), vertex.Y};
  return RotatePoint(vertex, unturned, turn);
}

void PlaceSides(TAnglePlacement& p, const TDirections& d, std::int64_t first_length, std::int64_t second_length,
                std::int64_t measure) {
  p.FirstEnd = SideEnd(p.Vertex, d.s, first_length, d.r);
  p.SecondEnd = SideEnd(p.Vertex, d.s, second_length, d.r + d.t * measure);
}

// The marks play no part in accepting an attempt, so they are placed once,
// for the attempt that is kept.
void PlaceMarks(TAnglePlacement& p, const TDirections& d) {
  p.MarkStart = SideEnd(p.Vertex, d.s, 4, d.r);
  p.MarkEnd = SideEnd(p.Vertex, d.s, -4, d.r);
}

bool InsideBounds(const TRect& bounds, TRealPoint p) { return RectContains(bounds, RoundPoint(p)); }

// The longest side, from 0 up to `length` (either sign), whose end still
// rounds into bounds. Lengths along a ray from a vertex inside the bounds
// leave them only once, so a bisection finds it; 0 (the vertex) always fits.
std::int64_t LongestFittingLength(const TRect& bounds, TRealPoint vertex, int s, std::int64_t length,
                                  std::int64_t turn) {
  if (InsideBounds(bounds, SideEnd(vertex, s, length, turn))) return length;
  const std::int64_t sign = length < 0 ? -1 : 1;
  std::int64_t fits = 0, fails = std::llabs(length);
  while (fails - fits > 1) {
    const std::int64_t mid = fits + (fails - fits) / 2;
    if (InsideBounds(bounds, SideEnd(vertex, s, sign * mid, turn)))
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
void FitInsideBounds(TAnglePlacement& p, const TDirections& d, TPoint origin, const TRect& bounds,
                     std::int64_t first_length, std::int64_t second_length, std::int64_t measure) {
  if (RectIsEmpty(bounds)) return;
  const bool fixed_origin = origin.X != 0 || origin.Y != 0;
  if (fixed_origin && RectContains(bounds, origin)) {
    p.Vertex = ToRealPoint(origin);
  } else {
    const std::int64_t x = bounds.Left + (static_cast<std::int64_t>(bounds.Right) - bounds.Left) / 2;
    const std::int64_t y = bounds.Top + (static_cast<std::int64_t>(bounds.Bottom) - bounds.Top) / 2;
    p.Vertex = {static_cast<float>(x), static_cast<float>(y)};
  }
  const std::int64_t second_turn = d.r + d.t * measure;
  const std::int64_t first = LongestFittingLength(bounds, p.Vertex, d.s, first_length, d.r);
  const std::int64_t second = LongestFittingLength(bounds, p.Vertex, d.s, second_length, second_turn);
  PlaceSides(p, d, first, second, measure);
}

}  // namespace

TAnglePlacement PlaceAngle(TRandomSource& random, TPoint origin, const TRect& bounds,
                           std::int32_t first_length, std::int32_t second_length, std::int32_t measure,
                           bool horizontal) {
  const bool fixed_origin = origin.X != 0 || origin.Y != 0;
  const std::int64_t width = static_cast<std::int64_t>(bounds.Right) - bounds.Left;
  const std::int64_t height = static_cast<std::int64_t>(bounds.Bottom) - bounds.Top;

  TAnglePlacement p;
  TDirections d;
  while (p.Attempts < kMaxPlacementAttempts) {
    ++p.Attempts;
    if (fixed_origin) {
      p.Vertex = ToRealPoint(origin);
    } else {
      const std::int64_t x = bounds.Left + random.Below(width);
      const std::int64_t y = bounds.Top + random.Below(height);
      p.Vertex = {static_cast<float>(x), static_cast<float>(y)};
    }
    d.s = random.Sign();
    d.r = horizontal ? 0 : random.Below(361);
    d.t = random.Sign();
    PlaceSides(p, d, first_length, second_length, measure);
    if (InsideBounds(bounds, p.FirstEnd) && InsideBounds(bounds, p.SecondEnd)) {
      p.Found = true;
      break;
    }
  }
  if (!p.Found) FitInsideBounds(p, d, origin, bounds, first_length, second_length, measure);
  PlaceMarks(p, d);
  return p;
}

}  // namespace gradoir
