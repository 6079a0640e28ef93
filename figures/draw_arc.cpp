#include "figures/draw_arc.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "figures/arc_walk.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

// Degrees to radians as the arc has always used it: this decimal value, not
// the exact pi/180, so that the quadrant bounds keep their historic rounding.
constexpr long double kArcDegreeToRadian = 0.01745329251L;

std::int64_t roundedAbs(long double v) { return std::llabs(static_cast<long long>(roundHalfEven(v))); }

}  // namespace

QuadrantBox quadrantBox(int q, std::int64_t s, std::int64_t e, std::int64_t a, std::int64_t b) {
  const std::int64_t lower = 90 * (q - 1);
  const std::int64_t upper = lower + 90;
  if (upper < s || lower > e) return {};
  const long double lo = static_cast<long double>(std::max(lower, s)) * kArcDegreeToRadian;
  const long double hi = static_cast<long double>(std::min(upper, e)) * kArcDegreeToRadian;
  QuadrantBox box;
  box.XLo = roundedAbs(std::cos(lo) * a);
  box.YLo = roundedAbs(std::sin(lo) * b);
  box.XHi = roundedAbs(std::cos(hi) * a);
  box.YHi = roundedAbs(std::sin(hi) * b);
  return box;
}

bool inQuadrantBox(const QuadrantBox& box, std::int64_t x, std::int64_t y) {
  return std::min(box.XLo, box.XHi) <= x && x <= std::max(box.XLo, box.XHi) &&
         std::min(box.YLo, box.YHi) <= y && y <= std::max(box.YLo, box.YHi);
}

void drawArc(Bitmap32& bitmap, const Rect& box, std::int32_t startAngle, std::int32_t endAngle,
             Color32 color) {
  // 64-bit halving: the sums of two 32-bit edges must not overflow.
  const std::int64_t cx = (static_cast<std::int64_t>(box.left) + box.right) / 2;
  const std::int64_t cy = (static_cast<std::int64_t>(box.top) + box.bottom) / 2;
  const std::int64_t a = (static_cast<std::int64_t>(box.right) - box.left) / 2;
  const std::int64_t b = (static_cast<std::int64_t>(box.bottom) - box.top) / 2;

  std::int64_t s = std::llabs(static_cast<long long>(startAngle));
  std::int64_t e = std::llabs(static_cast<long long>(endAngle));
  if (e < s) std::swap(s, e);

  QuadrantBox quadrants[4];
  for (int q = 1; q <= 4; ++q) quadrants[q - 1] = quadrantBox(q, s, e, a, b);

  auto plot = [&](long double x, long double y) {
    bitmap.plotSubpixelClipped(static_cast<float>(x), static_cast<float>(y), color);
  };
  walkArcQuadrant(a, b, [&](const ArcStep& step) {
    if (inQuadrantBox(quadrants[0], step.x, step.y)) plot(cx + step.exactX, cy - step.exactY);
    if (inQuadrantBox(quadrants[1], step.x, step.y)) plot(cx - step.exactX, cy - step.exactY);
    if (inQuadrantBox(quadrants[2], step.x, step.y)) plot(cx - step.exactX, cy + step.exactY);
    if (inQuadrantBox(quadrants[3], step.x, step.y)) plot(cx + step.exactX, cy + step.exactY);
  });
}

}  // namespace gradoir
