// Point and rectangle helpers. Edge arithmetic saturates so that absurd
// coordinates never overflow.
#include "raster/geometry.h"

#include <algorithm>
#include <limits>

#include "raster/rounding.h"

namespace gradoir {
namespace {

std::int32_t saturated(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

std::int32_t saturatedAdd(std::int32_t a, std::int32_t b) { return saturated(std::int64_t{a} + b); }
std::int32_t saturatedSub(std::int32_t a, std::int32_t b) { return saturated(std::int64_t{a} - b); }

}  // namespace

Point pointOf(std::int32_t x, std::int32_t y) { return Point{x, y}; }

Point roundPoint(PointF p) { return Point{roundHalfEven(p.x), roundHalfEven(p.y)}; }

PointF realPointOf(float x, float y) { return PointF{x, y}; }

PointF toRealPoint(Point p) { return PointF{static_cast<float>(p.x), static_cast<float>(p.y)}; }

Rect rectOf(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  return Rect{left, top, right, bottom};
}

RectF realRectOf(float left, float top, float right, float bottom) {
  return RectF{left, top, right, bottom};
}

RectF toRealRect(const Rect& r) {
  return RectF{static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                   static_cast<float>(r.bottom)};
}

Rect roundRealRect(const RectF& r) {
  return Rect{roundHalfEven(r.left), roundHalfEven(r.top), roundHalfEven(r.right), roundHalfEven(r.bottom)};
}

bool intersectRects(Rect& r, const Rect& a, const Rect& b) {
  // Built aside first: r may be a or b.
  const Rect result{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
  if (result.right >= result.left && result.bottom >= result.top) {
    r = result;
    return true;
  }
  r = Rect{};
  return false;
}

void growRect(Rect& r, std::int32_t dx, std::int32_t dy) {
  r.left = saturatedSub(r.left, dx);
  r.top = saturatedSub(r.top, dy);
  r.right = saturatedAdd(r.right, dx);
  r.bottom = saturatedAdd(r.bottom, dy);
}

void shiftRect(Rect& r, std::int32_t dx, std::int32_t dy) {
  r.left = saturatedAdd(r.left, dx);
  r.top = saturatedAdd(r.top, dy);
  r.right = saturatedAdd(r.right, dx);
  r.bottom = saturatedAdd(r.bottom, dy);
}

RectF shiftedRealRect(const RectF& r, std::int64_t dx, std::int64_t dy) {
  const auto at = [](float v, std::int64_t d) { return static_cast<float>(static_cast<long double>(v) + d); };
  return RectF{at(r.left, dx), at(r.top, dy), at(r.right, dx), at(r.bottom, dy)};
}

bool rectIsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool rectContains(const Rect& r, Point p) {
  return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

bool rectWithin(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

Rect boundingRect(const Rect& a, const Rect& b) {
  if (rectIsEmpty(a)) return b;
  if (rectIsEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

bool rectsOverlap(const Rect& a, const Rect& b) {
  return std::max(a.left, b.left) <= std::min(a.right, b.right) &&
         std::max(a.top, b.top) <= std::min(a.bottom, b.bottom);
}

std::int32_t toFixed16(float v) { return roundHalfEven(static_cast<long double>(v) * 65536.0L); }

}  // namespace gradoir
