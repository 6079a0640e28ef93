#pragma once
// The pencil: one pointer position of the pupil's stroke sets the second side
// of the angle and its signed measure. The caller redraws the angle.
#include "figures/angle.h"
#include "raster/types.h"

namespace gradoir {

// Turns the pointer about the vertex onto the nearest whole degree from the
// first side, keeping its distance, rounds it to a pixel and stores it as
// SecondEnd; Measure becomes the angle from the first side to that pixel,
// in -180..180, positive clockwise on screen. Safe for any pointer position,
// however far outside the canvas.
void ApplyPencilStep(TAngle& angle, TPoint pointer);

}  // namespace gradoir
