// The gamma curve that spreads an anti-aliased sample over its 2 x 2 block.
#include <cmath>

#include "raster/bitmap32.h"
#include "raster/rounding.h"

namespace gradoir {
namespace {

// The exponent is a 32-bit float on purpose: the table is defined by that
// value (0.699999988...), with the power taken in extended precision.
constexpr float kGammaExponent = 0.7f;

struct GammaTableBuilder {
  std::uint8_t entries[256];
  GammaTableBuilder() {
    for (int i = 0; i < 256; ++i) {
      const long double ratio = static_cast<long double>(i) / 255.0L;
      entries[i] = static_cast<std::uint8_t>(
          roundHalfEven(255.0L * std::pow(ratio, static_cast<long double>(kGammaExponent))));
    }
  }
};

const GammaTableBuilder& builtGammaTable() {
  static const GammaTableBuilder table;
  return table;
}

}  // namespace

const std::uint8_t (&kGammaTable)[256] = builtGammaTable().entries;

}  // namespace gradoir
