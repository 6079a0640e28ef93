#include "figures/exercise_angle.h"

#include <cmath>

#include "figures/display_scale.h"
#include "raster/geometry.h"

namespace gradoir {

namespace {

// The vertex mark runs this far from the vertex on each side.
constexpr std::int32_t kMarkLength = 4;

}  // namespace

Rect exercisePlacementRect(std::int32_t width, std::int32_t height, double scale) {
  Rect placement = rectOf(0, 0, width, height);
  const std::int32_t shift = scaledLength(10, scale), shrink = scaledLength(20, scale);
  shiftRect(placement, shift, shift);
  growRect(placement, -shrink, -shrink);
  return placement;
}

std::unique_ptr<AngleFigure> newExerciseAngle(std::int32_t width, std::int32_t height, std::int32_t measure,
                                         bool magnetic, bool horizontal, bool noSecondSide, double scale,
                                         const Level& level) {
  scale = sanitizedScale(scale);
  auto angle = std::make_unique<AngleFigure>(
      pointOf(0, 0), exercisePlacementRect(width, height, scale), scaledLength(kExerciseFirstLength, scale),
      scaledLength(kExerciseSecondLength, scale), scaledLength(kExerciseArcRadius, scale), measure, magnetic,
      horizontal, noSecondSide, level);
  if (scale == 1.0) return angle;
  AngleGeometry g = angle->geometry();
  setExerciseLengths(g, scale);
  return std::make_unique<AngleFigure>(g);
}

void setExerciseLengths(AngleGeometry& g, double scale) {
  g.firstLength = scaledLength(kExerciseFirstLength, scale);
  g.secondLength = scaledLength(kExerciseSecondLength, scale);
  g.arcRadius = scaledLength(kExerciseArcRadius, scale);
  // Placed 4 px from the vertex by the generation; only the length changes.
  const std::int32_t mark = scaledLength(kMarkLength, scale);
  const long double have = std::hypot(static_cast<long double>(g.markStart.x) - g.vertex.x,
                                      static_cast<long double>(g.markStart.y) - g.vertex.y);
  if (have <= 0) return;
  const long double k = mark / have;
  auto at = [&](PointF p) {
    return PointF{static_cast<float>(g.vertex.x + (static_cast<long double>(p.x) - g.vertex.x) * k),
                  static_cast<float>(g.vertex.y + (static_cast<long double>(p.y) - g.vertex.y) * k)};
  };
  g.markStart = at(g.markStart);
  g.markEnd = at(g.markEnd);
}

}  // namespace gradoir
