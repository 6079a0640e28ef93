#include "figures/exercise_angle.h"

#include "raster/geometry.h"

namespace gradoir {

TRect ExercisePlacementRect(std::int32_t width, std::int32_t height) {
  TRect placement = RectOf(0, 0, width, height);
  ShiftRect(placement, 10, 10);
  GrowRect(placement, -20, -20);
  return placement;
}

std::unique_ptr<TAngle> NewExerciseAngle(std::int32_t width, std::int32_t height, std::int32_t measure,
                                         bool magnetic, bool horizontal, bool no_second_side) {
  return std::make_unique<TAngle>(PointOf(0, 0), ExercisePlacementRect(width, height), kExerciseFirstLength,
                                  kExerciseSecondLength, kExerciseArcRadius, measure, magnetic, horizontal,
                                  no_second_side);
}

}  // namespace gradoir
