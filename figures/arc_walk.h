#pragma once
// The integer midpoint walk along one quadrant of an ellipse with semi-axes
// a and b. DrawArc mirrors each step into the four quadrants; the walk is kept
// apart so that its steps can be examined on their own.
#include <cmath>
#include <cstdint>

namespace gradoir {

struct TArcStep {
  std::int64_t x = 0;  // walk column, a down to 0
  std::int64_t y = 0;  // walk row, 0 up to b
  long double X = 0;   // exact horizontal offset from the centre
  long double Y = 0;   // exact vertical offset from the centre
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
void WalkArcQuadrant(std::int64_t a, std::int64_t b, Visit&& visit) {
  if (b < 0) b = -b;  // only b squared enters the walk
  if (a < 0 || a > kMaxArcSemiAxis || b > kMaxArcSemiAxis) return;

  const std::int64_t A2 = a * a, B2 = b * b;
  const std::int64_t TwoA2 = 2 * A2, FourA2 = 4 * A2, TwoB2 = 2 * B2, FourB2 = 4 * B2;
  std::int64_t x = a, y = 0;
  std::int64_t StepX = 4 * a * B2, StepY = 0;
  std::int64_t D2 = TwoA2 - 2 * a * B2 + B2 / 2;
  std::int64_t D1 = A2 / 2 - StepX + TwoB2;

  // The numerators cannot go negative on a true ellipse; clamping keeps a
  // square root of a rounding artefact from ever producing NaN.
  auto root = [](std::int64_t numerator, std::int64_t divisor) {
    if (numerator < 0) numerator = 0;
    return std::sqrt(static_cast<long double>(numerator) / static_cast<long double>(divisor));
  };

  while (D1 < 0) {  // D1 < 0 implies b > 0, so B2 is never 0 here
    visit(TArcStep{x, y, root(A2 * B2 - A2 * y * y, B2), static_cast<long double>(y), 1});
    StepY += FourA2;
    y += 1;
    if (D2 < 0) {
      D2 += StepY + TwoA2;
      D1 += StepY;
    } else {
      x -= 1;
      StepX -= FourB2;
      D2 += StepY + TwoA2 - StepX;
      D1 += StepY + TwoB2 - StepX;
    }
  }

  while (x >= 0) {
    // A flat box (a = 0) has the single step x = 0, whose offset is b.
    const long double Y = A2 == 0 ? static_cast<long double>(b) : root(A2 * B2 - B2 * x * x, A2);
    visit(TArcStep{x, y, static_cast<long double>(x), Y, 2});
    x -= 1;
    StepX -= FourB2;
    if (D1 < 0) {
      y += 1;
      StepY += FourA2;
      D1 += StepY + TwoB2 - StepX;
    } else {
      D1 += TwoB2 - StepX;
    }
  }
}

}  // namespace gradoir
