#pragma once
// Laying the protractor on an angle, as a teacher does to show the reading:
// its centre on the vertex, its straight edge along one side with the 0 of a
// scale on that side, turned so that the other side crosses the graduations.
// The same place serves the beginner's exercise (the protractor already laid
// for the pupil) and the correction after a third wrong try.
#include <cstdint>

#include "figures/graduation_reading.h"
#include "raster/types.h"

namespace gradoir {

struct ProtractorOnAngle {
  ProtractorPose pose;    // centre on the vertex, orientation in 0..359
  ProtractorScale scale;  // the scale whose 0 lies on the zero side
  std::int32_t reading;   // the graduation of that scale under the other side
};

// zeroSideEnd and otherSideEnd are the far ends of the two sides. The outer
// scale's 0 goes on the zero side when the other side lies clockwise of it
// on screen (a straight angle too), the inner scale's 0 otherwise, since a
// protractor cannot be turned over. The orientation is whole degrees: the
// straight edge lies within half a degree of the zero side (exactly along it
// for the program's angles, whose sides leave the vertex at whole degrees).
ProtractorOnAngle protractorOnAngle(PointF vertex, PointF zeroSideEnd, PointF otherSideEnd);

}  // namespace gradoir
