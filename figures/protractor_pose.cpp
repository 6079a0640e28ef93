#include "figures/protractor_pose.h"

#include "raster/geometry.h"

namespace gradoir {

RectF protractorLayerAt(long double centreX, long double centreY, std::int32_t radius) {
  const long double half = static_cast<long double>(radius) + 1;
  return realRectOf(static_cast<float>(centreX - half), static_cast<float>(centreY - half),
                    static_cast<float>(centreX + half), static_cast<float>(centreY + half));
}

ProtractorPose protractorPoseOf(const RectF& layer, std::int32_t radius, std::int64_t orientation) {
  const long double half = static_cast<long double>(radius) + 1;
  return {static_cast<long double>(layer.left) + half, static_cast<long double>(layer.top) + half, orientation};
}

}  // namespace gradoir
