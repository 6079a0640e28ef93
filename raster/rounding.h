#pragma once
// The one real-to-integer rounding of the program: to the nearest integer,
// ties to even (2.5 -> 2, 3.5 -> 4). Every conversion of a real to an integer
// goes through here.
#include <cmath>
#include <cstdint>
#include <limits>

namespace gradoir {

// Values beyond the 32-bit range saturate and NaN gives 0, so that absurd
// coordinates (a pointer dragged a billion pixels away, a NaN from a broken
// caller) never turn into undefined behaviour.
inline std::int32_t roundHalfEven(long double v) {
  if (std::isnan(v)) return 0;
  constexpr long double lo = std::numeric_limits<std::int32_t>::min();
  constexpr long double hi = std::numeric_limits<std::int32_t>::max();
  if (v <= lo) return std::numeric_limits<std::int32_t>::min();
  if (v >= hi) return std::numeric_limits<std::int32_t>::max();
  // lrint honours the current rounding mode, which is never changed from
  // round-to-nearest-even in this program. (nearbyintl gives the same values
  // but saves and restores the floating-point environment on every call,
  // which made it most of the cost of an anti-aliased line.)
  return static_cast<std::int32_t>(std::lrint(v));
}

}  // namespace gradoir
