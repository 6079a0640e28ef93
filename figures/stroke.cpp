#include "figures/stroke.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "figures/display_scale.h"
#include "figures/draw_arc.h"

namespace gradoir {

namespace {

std::int32_t clampToInt32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Offset of stroke k of n from the middle of the line, in device pixels: the
// strokes' centres spread evenly so that their one-pixel footprints together
// span the scale's width.
double strokeOffset(int k, int n, double scale) {
  if (n <= 1) return 0;
  const double spread = scale - 1;  // between the outer strokes' centres
  return -spread / 2 + spread * k / (n - 1);
}

}  // namespace

void strokeLine(Bitmap32& bitmap, PointF from, PointF to, Color32 color, double scale) {
  const int n = strokeCount(scale);
  if (n == 1) {
    bitmap.smoothLine(from.x, from.y, to.x, to.y, color, false);
    return;
  }
  const long double dx = static_cast<long double>(to.x) - from.x;
  const long double dy = static_cast<long double>(to.y) - from.y;
  const long double length = std::sqrt(dx * dx + dy * dy);
  // A line of no length has no direction: its strokes all lie on it.
  const long double nx = length > 0 ? -dy / length : 0, ny = length > 0 ? dx / length : 0;
  for (int k = 0; k < n; ++k) {
    const long double d = strokeOffset(k, n, scale);
    bitmap.smoothLine(static_cast<float>(from.x + d * nx), static_cast<float>(from.y + d * ny),
                      static_cast<float>(to.x + d * nx), static_cast<float>(to.y + d * ny), color, false);
  }
}

void strokeArcBox(Bitmap32& bitmap, const Rect& box, std::int32_t startAngle, std::int32_t endAngle, Color32 color,
                  double scale) {
  const int n = strokeCount(scale);
  if (n == 1) {
    drawArc(bitmap, box, startAngle, endAngle, color);
    return;
  }
  // Arcs take whole radii: the strokes lie one pixel apart, inward from
  // the given radius.
  for (std::int64_t k = 0; k < n; ++k) {
    const std::int64_t grow = -k;
    const Rect b{clampToInt32(std::int64_t{box.left} - grow), clampToInt32(std::int64_t{box.top} - grow),
                 clampToInt32(std::int64_t{box.right} + grow), clampToInt32(std::int64_t{box.bottom} + grow)};
    if (b.right <= b.left || b.bottom <= b.top) continue;
    drawArc(bitmap, b, startAngle, endAngle, color);
  }
}

}  // namespace gradoir
