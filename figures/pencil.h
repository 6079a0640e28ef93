#pragma once
// The pencil: one pointer position of the pupil's stroke sets the second side
// of the angle and its signed measure. The caller redraws the angle.
#include "figures/angle.h"
#include "raster/types.h"

namespace gradoir {

// Turns the pointer about the vertex onto the nearest whole degree from the
// first side, keeping its distance, rounds it to a pixel and stores it as
// the second end; the measure becomes the angle from the first side to that
// pixel, in -180..180, positive clockwise on screen. A pointer that rounds
// onto the vertex draws no side: the angle then has no second side and no
// measure. Safe for any pointer position, however far outside the canvas.
void applyPencilStep(AngleFigure& angle, Point pointer);

}  // namespace gradoir
