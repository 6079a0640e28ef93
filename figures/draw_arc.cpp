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

std::int64_t RoundedAbs(long double v) { return std::llabs(static_cast<long long>(RoundHalfEven(v))); }

}  // namespace

TQuadrantBox QuadrantBox(int q, std::int64_t s, std::int64_t e, std::int64_t a, std::int64_t b) {
  const std::int64_t lower = 90 * (q - 1);
  const std::int64_t upper = lower + 90;
  if (upper < s || lower > e) return {};
  const long double lo = static_cast<long double>(std::max(lower, s)) * kArcDegreeToRadian;
  const long double hi = static_cast<long double>(std::min(upper, e)) * kArcDegreeToRadian;
  TQuadrantBox box;
  box.XLo = RoundedAbs(std::cos(lo) * a);
  box.YLo = RoundedAbs(std::sin(lo) * b);
  box.XHi = RoundedAbs(std::cos(hi) * a);
  box.YHi = RoundedAbs(std::sin(hi) * b);
  return box;
}

bool InQuadrantBox(const TQuadrantBox& box, std::int64_t x, std::int64_t y) {
  return std::min(box.XLo, box.XHi) <= x && x <= std::max(box.XLo, box.XHi) &&
         std::min(box.YLo, box.YHi) <= y && y <= std::max(box.YLo, box.YHi);
}

void DrawArc(TBitmap32& bitmap, const TRect& box, std::int32_t start_angle, std::int32_t end_angle,
             TColor32 color) {
  // 64-bit halving: the sums of two 32-bit edges must not overflow.
  const std::int64_t cx = (static_cast<std::int64_t>(box.Left) + box.Right) / 2;
  const std::int64_t cy = (static_cast<std::int64_t>(box.Top) + box.Bottom) / 2;
  const std::int64_t a = (static_cast<std::int64_t>(box.Right) - box.Left) / 2;
  const std::int64_t b = (static_cast<std::int64_t>(box.Bottom) - box.Top) / 2;

  std::int64_t s = std::llabs(static_cast<long long>(start_angle));
  std::int64_t e = std::llabs(static_cast<long long>(end_angle));
  if (e < s) std::swap(s, e);

  TQuadrantBox quadrants[4];
  for (int q = 1; q <= 4; ++q) quadrants[q - 1] = QuadrantBox(q, s, e, a, b);

  auto plot = [&](long double x, long double y) {
    bitmap.PlotSubpixelClipped(static_cast<float>(x), static_cast<float>(y), color);
  };
  WalkArcQuadrant(a, b, [&](const TArcStep& step) {
    if (InQuadrantBox(quadrants[0], step.x, step.y)) plot(cx + step.X, cy - step.Y);
    if (InQuadrantBox(quadrants[1], step.x, step.y)) plot(cx - step.X, cy - step.Y);
    if (InQuadrantBox(quadrants[2], step.x, step.y)) plot(cx - step.X, cy + step.Y);
    if (InQuadrantBox(quadrants[3], step.x, step.y)) plot(cx + step.X, cy + step.Y);
  });
}

}  // namespace gradoir
