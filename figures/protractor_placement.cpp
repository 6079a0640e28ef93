#include "figures/protractor_placement.h"

#include <cmath>
#include <numbers>

#include "raster/rounding.h"

namespace gradoir {

// Graduation i of a protractor at orientation o lies from its centre in the
// screen direction o + i + 180 (y downward, so angles grow clockwise): at
// orientation 0, graduation 0 points left and graduation 90 up.
std::int32_t readingOrientation(PointF vertex, PointF firstEnd, PointF secondEnd) {
  const long double dx1 = static_cast<long double>(firstEnd.x) - vertex.x;
  const long double dy1 = static_cast<long double>(firstEnd.y) - vertex.y;
  const long double dx2 = static_cast<long double>(secondEnd.x) - vertex.x;
  const long double dy2 = static_cast<long double>(secondEnd.y) - vertex.y;
  const std::int32_t firstDirection =
      roundHalfEven(std::atan2(dy1, dx1) * 180.0L / std::numbers::pi_v<long double>);
  const bool clockwise = dx1 * dy2 - dy1 * dx2 > 0;
  // Clockwise: graduation 0 on the first side. Otherwise graduation 180.
  std::int32_t o = clockwise ? firstDirection - 180 : firstDirection;
  o %= 360;
  if (o < 0) o += 360;
  return o;
}

}  // namespace gradoir
