#pragma once
// Where the protractor lies: its centre (the red circle) and its turn. The
// canvas keeps the protractor in a square layer of side 2 (radius + 1) whose
// pixel (radius + 1, radius + 1) is the centre; the two helpers below are the
// one place that says so.
#include <cstdint>

#include "raster/types.h"

namespace gradoir {

// The centre in canvas coordinates (device pixels) and the orientation in
// whole degrees, clockwise on screen. Any orientation is accepted; only its
// value modulo 360 matters.
struct ProtractorPose {
  long double centreX = 0;
  long double centreY = 0;
  std::int64_t orientation = 0;
  friend bool operator==(const ProtractorPose&, const ProtractorPose&) = default;
};

// The layer of a protractor of `radius` centred on (centreX, centreY): each
// edge computed in extended precision, then stored as a float.
RectF protractorLayerAt(long double centreX, long double centreY, std::int32_t radius);

// The centre of a protractor of `radius` whose layer lies at `layer`.
ProtractorPose protractorPoseOf(const RectF& layer, std::int32_t radius, std::int64_t orientation);

}  // namespace gradoir
