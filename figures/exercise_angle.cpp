#include "figures/exercise_angle.h"

#include "raster/geometry.h"

namespace gradoir {

Rect exercisePlacementRect(std::int32_t width, std::int32_t height) {
  Rect placement = rectOf(0, 0, width, height);
  shiftRect(placement, 10, 10);
  growRect(placement, -20, -20);
  return placement;
}

std::unique_ptr<AngleFigure> newExerciseAngle(std::int32_t width, std::int32_t height, std::int32_t measure,
                                         bool magnetic, bool horizontal, bool noSecondSide,
                                         const MeasureRange& range) {
  return std::make_unique<AngleFigure>(pointOf(0, 0), exercisePlacementRect(width, height), kExerciseFirstLength,
                                  kExerciseSecondLength, kExerciseArcRadius, measure, magnetic, horizontal,
                                  noSecondSide, range);
}

}  // namespace gradoir
