#pragma once
// Where the correction lays the protractor: its centre on the vertex, its
// straight edge along one side with the 0 of a scale on that side, turned so
// that the other side crosses the graduations; and what is read there.
#include <cstdint>

#include "figures/graduation_reading.h"
#include "raster/types.h"

namespace gradoir {

struct CorrectionPlacement {
  ProtractorPose pose;    // orientation in 0..359
  ProtractorScale scale;  // the scale whose 0 lies on the zero side
  std::int32_t reading;   // the graduation of that scale under the other side
};

// zeroSideEnd and otherSideEnd are the far ends of the two sides. The
// orientation is whole degrees: the straight edge lies within half a degree
// of the zero side (exactly along it for the program's angles, whose sides
// leave the vertex at whole degrees).
CorrectionPlacement placementOnAngle(PointF vertex, PointF zeroSideEnd, PointF otherSideEnd);

}  // namespace gradoir
