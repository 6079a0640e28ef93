#pragma once
// The measures a random angle may take: the multiples of a step between two
// bounds. The default is every whole degree from 5 to 175.
#include <cstdint>

#include "figures/random_source.h"

namespace gradoir {

struct MeasureRange {
  std::int32_t step = 1;
  std::int32_t minimum = 5;
  std::int32_t maximum = 175;
};

// The smallest and largest allowed measures. A range that holds no multiple
// of the step gets the one multiple just above it, or just below when that
// would pass 175. Expects a step of at least 1 and bounds in 5..175, in order.
struct AllowedMeasures {
  std::int32_t first = 5;
  std::int32_t last = 175;
  std::int32_t step = 1;
  std::int32_t count() const { return (last - first) / step + 1; }
};
AllowedMeasures allowedMeasures(const MeasureRange& range);

// One draw of `random`, uniform among the allowed measures. The default
// range draws 5 + below(171), the measure every angle has always had.
std::int32_t drawMeasure(RandomSource& random, const MeasureRange& range);

}  // namespace gradoir
