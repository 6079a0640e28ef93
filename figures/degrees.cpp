#include "figures/degrees.h"

#include <cmath>
#include <mutex>
#include <numbers>
#include <utility>

namespace gradoir {

namespace {

long double sinTable[361];
long double cosTable[361];

std::once_flag tablesFilled;

// Filled at start-up so that a reader running before anything asked still
// gets real values rather than zeros.
const bool tablesFilledAtStartUp = (fillDegreeTables(), true);

}  // namespace

const long double (&kSinTable)[361] = sinTable;
const long double (&kCosTable)[361] = cosTable;

void fillDegreeTables() {
  std::call_once(tablesFilled, [] {
    constexpr long double pi = std::numbers::pi_v<long double>;
    for (int i = 0; i <= 360; ++i) {
      const long double theta = i * pi / 180;
      sinTable[i] = std::sin(theta);
      cosTable[i] = std::cos(theta);
    }
  });
}

std::int32_t degreeTableIndex(std::int64_t degrees) {
  // Same result as adding 360 while negative and then subtracting 360 while
  // above 360, in constant time: 360 stays 360, 720 reads 360, -360 reads 0.
  if (degrees < 0) {
    const std::int64_t r = degrees % 360;
    return static_cast<std::int32_t>(r == 0 ? 0 : r + 360);
  }
  if (degrees > 360) return static_cast<std::int32_t>((degrees - 1) % 360 + 1);
  return static_cast<std::int32_t>(degrees);
}

float degSin(std::int64_t degrees) { return static_cast<float>(sinTable[degreeTableIndex(degrees)]); }

float degCos(std::int64_t degrees) { return static_cast<float>(cosTable[degreeTableIndex(degrees)]); }

PointF rotatePoint(PointF center, PointF p, std::int64_t degrees) {
  const long double dx = static_cast<long double>(p.x) - center.x;
  const long double dy = static_cast<long double>(p.y) - center.y;
  const long double c = degCos(degrees);
  const long double s = degSin(degrees);
  const long double x = center.x + c * dx + s * dy;
  const long double y = center.y - s * dx + c * dy;
  return {static_cast<float>(x), static_cast<float>(y)};
}

void orderPair(float& a, float& b) {
  if (a > b) std::swap(a, b);
}

long double screenDirection(long double dx, long double dy) {
  return std::atan2(dy, dx) * 180.0L / std::numbers::pi_v<long double>;
}

long double turnBetween(long double fromDegrees, long double toDegrees) {
  long double d = std::fmod(toDegrees - fromDegrees, 360.0L);
  if (d > 180.0L) d -= 360.0L;
  if (d <= -180.0L) d += 360.0L;
  return d;
}

}  // namespace gradoir
