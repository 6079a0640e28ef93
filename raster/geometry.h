#pragma once
// Point and rectangle helpers shared by the figures and the canvas.
#include "raster/types.h"

namespace gradoir {

TPoint PointOf(std::int32_t x, std::int32_t y);
TPoint RoundPoint(TRealPoint p);
TRealPoint RealPointOf(float x, float y);
TRealPoint ToRealPoint(TPoint p);
TRect RectOf(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
TRealRect RealRectOf(float left, float top, float right, float bottom);
TRealRect ToRealRect(const TRect& r);
TRect RoundRealRect(const TRealRect& r);
// R := (max Lefts, max Tops, min Rights, min Bottoms); true when R.Right >= R.Left
// and R.Bottom >= R.Top (a zero-width or zero-height result counts), otherwise
// R := (0, 0, 0, 0) and false.
bool IntersectRects(TRect& r, const TRect& a, const TRect& b);
void GrowRect(TRect& r, std::int32_t dx, std::int32_t dy);
void ShiftRect(TRect& r, std::int32_t dx, std::int32_t dy);
bool RectIsEmpty(const TRect& r);
bool RectContains(const TRect& r, TPoint p);
// Float to 16.16 fixed point: Round(v * 65536), saturating beyond the format.
std::int32_t ToFixed16(float v);

}  // namespace gradoir
