// Point and rectangle helpers. Edge arithmetic saturates so that absurd
// coordinates never overflow.
#include "raster/geometry.h"

#include <algorithm>
#include <limits>

#include "raster/rounding.h"

namespace gradoir {
namespace {

std::int32_t Saturated(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

std::int32_t SaturatedAdd(std::int32_t a, std::int32_t b) { return Saturated(std::int64_t{a} + b); }
std::int32_t SaturatedSub(std::int32_t a, std::int32_t b) { return Saturated(std::int64_t{a} - b); }

}  // namespace

TPoint PointOf(std::int32_t x, std::int32_t y) { return TPoint{x, y}; }

TPoint RoundPoint(TRealPoint p) { return TPoint{RoundHalfEven(p.X), RoundHalfEven(p.Y)}; }

TRealPoint RealPointOf(float x, float y) { return TRealPoint{x, y}; }

TRealPoint ToRealPoint(TPoint p) { return TRealPoint{static_cast<float>(p.X), static_cast<float>(p.Y)}; }

TRect RectOf(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  return TRect{left, top, right, bottom};
}

TRealRect RealRectOf(float left, float top, float right, float bottom) {
  return TRealRect{left, top, right, bottom};
}

TRealRect ToRealRect(const TRect& r) {
  return TRealRect{static_cast<float>(r.Left), static_cast<float>(r.Top), static_cast<float>(r.Right),
                   static_cast<float>(r.Bottom)};
}

TRect RoundRealRect(const TRealRect& r) {
  return TRect{RoundHalfEven(r.Left), RoundHalfEven(r.Top), RoundHalfEven(r.Right), RoundHalfEven(r.Bottom)};
}

bool IntersectRects(TRect& r, const TRect& a, const TRect& b) {
  // Built aside first: r may be a or b.
  const TRect result{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                     std::min(a.Bottom, b.Bottom)};
  if (result.Right >= result.Left && result.Bottom >= result.Top) {
    r = result;
    return true;
  }
  r = TRect{};
  return false;
}

void GrowRect(TRect& r, std::int32_t dx, std::int32_t dy) {
  r.Left = SaturatedSub(r.Left, dx);
  r.Top = SaturatedSub(r.Top, dy);
  r.Right = SaturatedAdd(r.Right, dx);
  r.Bottom = SaturatedAdd(r.Bottom, dy);
}

void ShiftRect(TRect& r, std::int32_t dx, std::int32_t dy) {
  r.Left = SaturatedAdd(r.Left, dx);
  r.Top = SaturatedAdd(r.Top, dy);
  r.Right = SaturatedAdd(r.Right, dx);
  r.Bottom = SaturatedAdd(r.Bottom, dy);
}

bool RectIsEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

bool RectContains(const TRect& r, TPoint p) {
  return r.Left <= p.X && p.X < r.Right && r.Top <= p.Y && p.Y < r.Bottom;
}

std::int32_t ToFixed16(float v) { return RoundHalfEven(static_cast<long double>(v) * 65536.0L); }

}  // namespace gradoir
