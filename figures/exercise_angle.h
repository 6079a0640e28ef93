#pragma once
// The angle of an exercise on a canvas of a given size: the one place that
// says how long the sides are and where on the canvas the angle may lie.
// The canvas and gradoir-probe both build their angles here.
#include <cstdint>
#include <memory>

#include "figures/angle.h"

namespace gradoir {

constexpr std::int32_t kExerciseFirstLength = 250;
constexpr std::int32_t kExerciseSecondLength = 260;
constexpr std::int32_t kExerciseArcRadius = 30;

// The client rectangle (0, 0, width, height) shifted by 10 px right and down
// and shrunk by 20 px on every side: margins of 30 at the left and top and of
// 10 at the right and bottom. On a high-density screen (scale: device pixels
// per logical pixel, display_scale.h) width and height are device pixels and
// the margins keep their logical size.
Rect exercisePlacementRect(std::int32_t width, std::int32_t height, double scale = 1.0);

// A new random angle (random vertex; random measure when measure is 0) inside
// the placement rectangle of a width x height canvas; at a scale above 1 in
// device pixels, with sides, arc and vertex mark of their logical length; a
// random measure is drawn among those `level` allows.
std::unique_ptr<AngleFigure> newExerciseAngle(std::int32_t width, std::int32_t height, std::int32_t measure,
                                         bool magnetic, bool horizontal, bool noSecondSide, double scale = 1.0,
                                         const Level& level = {});

// The geometry's lengths (sides, arc radius, vertex mark) set for a screen
// scale, the points kept: what an angle generated at that scale has.
void setExerciseLengths(AngleGeometry& geometry, double scale);

}  // namespace gradoir
