#include "figures/pencil.h"

#include <cmath>
#include <numbers>

#include "raster/rounding.h"

namespace gradoir {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// Screen direction of p seen from o, in radians, growing clockwise on screen.
long double Direction(TRealPoint o, long double px, long double py) { return std::atan2(py - o.Y, px - o.X); }

}  // namespace

void ApplyPencilStep(TAngle& angle, TPoint pointer) {
  const TRealPoint o = angle.Vertex;
  const TRealPoint a = angle.FirstEnd;
  const long double mx = pointer.X, my = pointer.Y;

  const long double first = Direction(o, a.X, a.Y);
  const long double d = (Direction(o, mx, my) - first) * 180 / kPi;
  const std::int32_t n = RoundHalfEven(d);
  const long double r = (d - n) * kPi / 180;

  // Turn the pointer by -r about the vertex: the side then makes exactly n
  // whole degrees with the first one and keeps the pointer's distance.
  const long double dx = mx - o.X, dy = my - o.Y;
  const long double c = std::cos(r), s = std::sin(r);
  const std::int32_t bx = RoundHalfEven(o.X + c * dx + s * dy);
  const std::int32_t by = RoundHalfEven(o.Y - s * dx + c * dy);
  angle.SecondEnd = {static_cast<float>(bx), static_cast<float>(by)};

  // Measured again from the rounded end, which may differ from n by a degree.
  std::int32_t measure = RoundHalfEven((Direction(o, bx, by) - first) * 180 / kPi);
  if (measure < -180) measure += 360;  // the difference lies in -360..360
  if (measure > 180) measure -= 360;
  angle.Measure = measure;
}

}  // namespace gradoir
