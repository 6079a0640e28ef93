#pragma once
// Moves the tool box out of the way of a new angle.
#include <QSize>

#include "raster/types.h"

namespace gradoir {

class FloatingPanel;

// Keeps the tool box where it is when that place is clear of both side
// rectangles; otherwise tries the corners top left, top right, bottom left,
// bottom right, 8 pixels from the edges of a canvas of `canvas` size, and
// takes the first clear one. When all four are taken it stays hidden at the
// bottom right corner (the caller shows it). Uses the tool box's current
// size, collapsed or not.
void placeToolBox(FloatingPanel& toolBox, QSize canvas, const Rect& first, const Rect& second);

}  // namespace gradoir
