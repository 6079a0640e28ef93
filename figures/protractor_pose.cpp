#include "figures/protractor_pose.h"

#include "raster/geometry.h"

namespace gradoir {

// The radius and the one pixel are taken off (or added) one after the
// other, as the canvas always computed its edges: for a centre with more
// bits than the edge can hold, the order decides the last bit.
RectF protractorLayerAt(long double centreX, long double centreY, std::int32_t radius) {
  const long double r = radius;
  return realRectOf(static_cast<float>(centreX - r - 1), static_cast<float>(centreY - r - 1),
                    static_cast<float>(centreX + r + 1), static_cast<float>(centreY + r + 1));
}

ProtractorPose protractorPoseOf(const RectF& layer, std::int32_t radius, std::int64_t orientation) {
  const long double r = radius;
  return {static_cast<long double>(layer.left) + r + 1, static_cast<long double>(layer.top) + r + 1, orientation};
}

}  // namespace gradoir
