#include "figures/degrees.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace gradoir {

namespace {

long double sin_table[361];
long double cos_table[361];

// Filled at start-up so that a reader running before the canvas exists still
// gets real values rather than zeros.
const bool tables_filled_at_startup = (FillDegreeTables(), true);

}  // namespace

const long double (&SinTable)[361] = sin_table;
const long double (&CosTable)[361] = cos_table;

void FillDegreeTables() {
  constexpr long double pi = std::numbers::pi_v<long double>;
  for (int i = 0; i <= 360; ++i) {
    const long double theta = i * pi / 180;
    sin_table[i] = std::sin(theta);
    cos_table[i] = std::cos(theta);
  }
}

std::int32_t DegreeTableIndex(std::int64_t degrees) {
  // Same result as adding 360 while negative and then subtracting 360 while
  // above 360, in constant time: 360 stays 360, 720 reads 360, -360 reads 0.
  if (degrees < 0) {
    const std::int64_t r = degrees % 360;
    return static_cast<std::int32_t>(r == 0 ? 0 : r + 360);
  }
  if (degrees > 360) return static_cast<std::int32_t>((degrees - 1) % 360 + 1);
  return static_cast<std::int32_t>(degrees);
}

float DegSin(std::int64_t degrees) { return static_cast<float>(sin_table[DegreeTableIndex(degrees)]); }

float DegCos(std::int64_t degrees) { return static_cast<float>(cos_table[DegreeTableIndex(degrees)]); }

TRealPoint RotatePoint(TRealPoint center, TRealPoint p, std::int64_t degrees) {
  const long double dx = static_cast<long double>(p.X) - center.X;
  const long double dy = static_cast<long double>(p.Y) - center.Y;
  const long double c = DegCos(degrees);
  const long double s = DegSin(degrees);
  const long double x = center.X + c * dx + s * dy;
  const long double y = center.Y - s * dx + c * dy;
  return {static_cast<float>(x), static_cast<float>(y)};
}

void OrderPair(float& a, float& b) {
  if (a > b) std::swap(a, b);
}

}  // namespace gradoir
