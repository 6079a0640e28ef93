#pragma once
// Random placement of an angle's vertex and sides inside a rectangle.
#include <cstdint>

#include "figures/random_source.h"
#include "raster/types.h"

namespace gradoir {

// Attempts made before giving up on a random placement. A canvas on which
// one attempt in ten thousand succeeds still finds its placement with
// certainty for all practical purposes (the chance of missing it is e^-10),
// and the attempts cost a few milliseconds at most.
constexpr std::int32_t kMaxPlacementAttempts = 100000;

struct AnglePlacement {
  PointF vertex, firstEnd, secondEnd, markStart, markEnd;
  bool found = false;         // a random attempt was accepted
  std::int32_t attempts = 0;  // random attempts made
};

// Draws placements from random until both far ends, rounded, lie in bounds;
// see placeAngle's definition for what happens when none does.
// origin (0, 0) asks for a random vertex, any other point fixes it.
AnglePlacement placeAngle(RandomSource& random, Point origin, const Rect& bounds,
                           std::int32_t firstLength, std::int32_t secondLength, std::int32_t measure,
                           bool horizontal);

}  // namespace gradoir
