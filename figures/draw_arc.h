#pragma once
// Anti-aliased arc of the ellipse inscribed in a box, limited to a range of
// whole degrees (counterclockwise on screen from the positive x axis).
#include <cstdint>

#include "raster/bitmap32.h"

namespace gradoir {

// Bounds, in walk steps (offsets from the centre), of the part of one
// quadrant that lies inside the requested range.
struct QuadrantBox {
  std::int64_t XLo = 0, YLo = 0, XHi = 0, YHi = 0;
};

// Quadrant q (1 to 4 for (0, 90), (90, 180), (180, 270), (270, 360)) of the
// range s..e (0 <= s <= e) on semi-axes a and b. A quadrant outside the range
// gets the all-zero box.
QuadrantBox quadrantBox(int q, std::int64_t s, std::int64_t e, std::int64_t a, std::int64_t b);

// True when the walk step (x, y) lies within the box, bounds included.
bool inQuadrantBox(const QuadrantBox& box, std::int64_t x, std::int64_t y);

// Draws the part of the ellipse inscribed in box between the two angles.
// Their absolute values are used and may come in either order; a range
// across 0 degrees is drawn by two calls. Dots outside the bitmap are skipped.
void drawArc(Bitmap32& bitmap, const Rect& box, std::int32_t startAngle, std::int32_t endAngle,
             Color32 color);

}  // namespace gradoir
