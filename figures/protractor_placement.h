#pragma once
// Where the protractor lies when it is laid on an angle for the pupil.
#include <cstdint>

#include "raster/types.h"

namespace gradoir {

// The orientation (whole degrees, clockwise on screen, 0..359) that puts a
// 0 of the protractor on the side from `vertex` to `firstEnd` and its arc
// over the side toward `secondEnd`: the outer scale's 0 when the angle opens
// clockwise on screen, the inner scale's 0 (graduation 180) otherwise, since
// a protractor cannot be turned over.
std::int32_t readingOrientation(PointF vertex, PointF firstEnd, PointF secondEnd);

}  // namespace gradoir
