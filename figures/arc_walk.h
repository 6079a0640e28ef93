#pragma once
// The integer midpoint walk along one quadrant of an ellipse with semi-axes
// a and b. drawArc mirrors each step into the four quadrants; the walk is kept
// apart so that its steps can be examined on their own.
#include <cmath>
#include <cstdint>

namespace gradoir {

struct ArcStep {
  std::int64_t x = 0;  // walk column, a down to 0
  std::int64_t y = 0;  // walk row, 0 up to b
  long double exactX = 0; // exact horizontal offset from the centre
  long double exactY = 0; // exact vertical offset from the centre
  int phase = 1;       // 1: one step per row (steep part), 2: one per column
};

// Largest semi-axis the walk accepts. Its sums are 64-bit here, which gives
// the same values as 32-bit sums wherever those do not overflow, and below
// this bound no 64-bit sum or numerator can overflow either (a*a*b*b < 2^60)
// and the walk stays shorter than 2^17 steps.
constexpr std::int64_t kMaxArcSemiAxis = 32767;

// Calls visit(step) for every step of the walk, in order. Semi-axes outside
// 0..kMaxArcSemiAxis make no step: a negative one is an inside-out box, a
// larger one an ellipse wider than any bitmap the program can hold.
template <class Visit>
void walkArcQuadrant(std::int64_t a, std::int64_t b, Visit&& visit) {
  if (b < 0) b = -b;  // only b squared enters the walk
  if (a < 0 || a > kMaxArcSemiAxis || b > kMaxArcSemiAxis) return;

  const std::int64_t a2 = a * a, b2 = b * b;
  const std::int64_t twoA2 = 2 * a2, fourA2 = 4 * a2, twoB2 = 2 * b2, fourB2 = 4 * b2;
  std::int64_t x = a, y = 0;
  std::int64_t stepX = 4 * a * b2, stepY = 0;
  std::int64_t d2 = twoA2 - 2 * a * b2 + b2 / 2;
  std::int64_t d1 = a2 / 2 - stepX + twoB2;

  // The numerators cannot go negative on a true ellipse; clamping keeps a
  // square root of a rounding artefact from ever producing NaN.
  auto root = [](std::int64_t numerator, std::int64_t divisor) {
    if (numerator < 0) numerator = 0;
    return std::sqrt(static_cast<long double>(numerator) / static_cast<long double>(divisor));
  };

  while (d1 < 0) {  // D1 < 0 implies b > 0, so B2 is never 0 here
    visit(ArcStep{x, y, root(a2 * b2 - a2 * y * y, b2), static_cast<long double>(y), 1});
    stepY += fourA2;
    y += 1;
    if (d2 < 0) {
      d2 += stepY + twoA2;
      d1 += stepY;
    } else {
      x -= 1;
      stepX -= fourB2;
      d2 += stepY + twoA2 - stepX;
      d1 += stepY + twoB2 - stepX;
    }
  }

  while (x >= 0) {
    // A flat box (a = 0) has the single step x = 0, whose offset is b.
    const long double Y = a2 == 0 ? static_cast<long double>(b) : root(a2 * b2 - b2 * x * x, a2);
    visit(ArcStep{x, y, static_cast<long double>(x), Y, 2});
    x -= 1;
    stepX -= fourB2;
    if (d1 < 0) {
      y += 1;
      stepY += fourA2;
      d1 += stepY + twoB2 - stepX;
    } else {
      d1 += twoB2 - stepX;
    }
  }
}

}  // namespace gradoir
