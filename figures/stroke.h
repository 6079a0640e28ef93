#pragma once
// Lines and arcs one logical pixel thick at any display scale. At scale 1 they
// are exactly the one-pixel anti-aliased line and arc; above it the line is
// laid as a few one-pixel strokes side by side, spread over the width of one
// logical pixel, so it looks as thick as on an ordinary screen while staying
// sharp at device resolution.
#include "raster/bitmap32.h"
#include "raster/types.h"

namespace gradoir {

void strokeLine(Bitmap32& bitmap, PointF from, PointF to, Color32 color, double scale);

// drawArc (figures/draw_arc.h) of the ellipse inscribed in box; above scale 1
// as concentric arcs one device pixel apart, the outer one on the box, so
// that an outline drawn on a bitmap's edge stays inside it.
void strokeArcBox(Bitmap32& bitmap, const Rect& box, std::int32_t startAngle, std::int32_t endAngle, Color32 color,
                  double scale);

}  // namespace gradoir
