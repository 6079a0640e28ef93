#pragma once
// Reading the protractor: which graduation lies under a direction drawn from
// its centre, and which of its two scales has its 0 on a given side. Worked
// out from the protractor's pose alone (centre and orientation), in canvas
// coordinates: x to the right, y downward, angles clockwise on screen.
//
// At orientation 0 the straight edge is horizontal and the arc above it; the
// outer scale reads 0 at the left end and 180 at the right end, the inner
// scale reads the other way (180 - outer). Turning the protractor by o
// degrees turns all of it clockwise on screen by o.
#include <cstdint>
#include <optional>

#include "figures/protractor_pose.h"

namespace gradoir {

enum class ProtractorScale : std::uint8_t {
  Outer,  // 0 at the left end at orientation 0
  Inner,  // 0 at the right end at orientation 0
};

// The graduation of `scale` (0..180, rounded to the nearest whole degree)
// under the ray from the centre through (x, y). Empty when (x, y) is the
// centre itself or when the ray leaves the centre on the other side of the
// straight edge, that is farther than half a degree past either end of the
// scale.
std::optional<std::int32_t> graduationUnder(const ProtractorPose& pose, ProtractorScale scale, long double x,
                                            long double y);

// The scale whose 0 lies on the ray from the centre through (x, y), within
// toleranceDegrees of it on either side. Empty when neither end lies that
// close (or (x, y) is the centre). With a tolerance of 90 or more both ends
// could qualify; the outer scale is then preferred only when it is closer.
std::optional<ProtractorScale> scaleWithZeroToward(const ProtractorPose& pose, long double x, long double y,
                                                   long double toleranceDegrees);

}  // namespace gradoir
