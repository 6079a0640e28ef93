#include "figures/pencil.h"

#include <cmath>
#include <numbers>

#include "raster/rounding.h"

namespace gradoir {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// Screen direction of p seen from o, in radians, growing clockwise on screen.
long double direction(PointF o, long double px, long double py) { return std::atan2(py - o.y, px - o.x); }

}  // namespace

void applyPencilStep(AngleFigure& angle, Point pointer) {
  const PointF o = angle.vertex();
  const PointF a = angle.firstEnd();
  const long double mx = pointer.x, my = pointer.y;

  const long double first = direction(o, a.x, a.y);
  const long double d = (direction(o, mx, my) - first) * 180 / kPi;
  const std::int32_t n = roundHalfEven(d);
  const long double r = (d - n) * kPi / 180;

  // Turn the pointer by -r about the vertex: the side then makes exactly n
  // whole degrees with the first one and keeps the pointer's distance.
  const long double dx = mx - o.x, dy = my - o.y;
  const long double c = std::cos(r), s = std::sin(r);
  const std::int32_t bx = roundHalfEven(o.x + c * dx + s * dy);
  const std::int32_t by = roundHalfEven(o.y - s * dx + c * dy);

  // Measured again from the rounded end, which may differ from n by a degree.
  std::int32_t measure = roundHalfEven((direction(o, bx, by) - first) * 180 / kPi);
  if (measure < -180) measure += 360;  // the difference lies in -360..360
  if (measure > 180) measure -= 360;
  angle.setSecondSide({static_cast<float>(bx), static_cast<float>(by)}, measure);
}

}  // namespace gradoir
