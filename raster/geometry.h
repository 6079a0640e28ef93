#pragma once
// Point and rectangle helpers shared by the figures and the canvas.
#include "raster/types.h"

namespace gradoir {

Point pointOf(std::int32_t x, std::int32_t y);
Point roundPoint(PointF p);
PointF realPointOf(float x, float y);
PointF toRealPoint(Point p);
Rect rectOf(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
RectF realRectOf(float left, float top, float right, float bottom);
RectF toRealRect(const Rect& r);
Rect roundRealRect(const RectF& r);
// R := (max Lefts, max Tops, min Rights, min Bottoms); true when R.Right >= R.Left
// and R.Bottom >= R.Top (a zero-width or zero-height result counts), otherwise
// R := (0, 0, 0, 0) and false.
bool intersectRects(Rect& r, const Rect& a, const Rect& b);
void growRect(Rect& r, std::int32_t dx, std::int32_t dy);
void shiftRect(Rect& r, std::int32_t dx, std::int32_t dy);
// R moved by whole pixels, each edge in extended precision (no move can
// overflow), then stored as a float.
RectF shiftedRealRect(const RectF& r, std::int64_t dx, std::int64_t dy);
bool rectIsEmpty(const Rect& r);
bool rectContains(const Rect& r, Point p);
// Whether inner lies within outer (edges included).
bool rectWithin(const Rect& inner, const Rect& outer);
// Bounding rectangle of two; an empty rectangle counts as nothing.
Rect boundingRect(const Rect& a, const Rect& b);
// Rectangles that share a point, right and bottom inclusive: touching counts,
// and a rectangle of zero width or height still counts.
bool rectsOverlap(const Rect& a, const Rect& b);
// Float to 16.16 fixed point: Round(v * 65536), saturating beyond the format.
std::int32_t toFixed16(float v);

}  // namespace gradoir
