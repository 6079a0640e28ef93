#include "figures/level.h"

#include <algorithm>
#include <utility>

namespace gradoir {

Level normalized(Level level) {
  if (level.step != 1 && level.step != 5 && level.step != 10) level.step = 1;
  level.minimum = std::clamp(level.minimum, kMinMeasure, kMaxMeasure);
  level.maximum = std::clamp(level.maximum, kMinMeasure, kMaxMeasure);
  if (level.minimum > level.maximum) std::swap(level.minimum, level.maximum);
  level.tolerance = std::clamp(level.tolerance, 0, kMaxTolerance);
  return level;
}

AllowedMeasures allowedMeasures(const Level& level) {
  const std::int32_t step = level.step < 1 ? 1 : level.step;
  AllowedMeasures a;
  a.step = step;
  // Bounds are positive, so these divisions round the way their names say.
  a.first = (level.minimum + step - 1) / step * step;
  a.last = level.maximum / step * step;
  if (a.first > a.last) {
    if (a.first <= kMaxMeasure) {
      a.last = a.first;
    } else {
      a.first = a.last;
    }
  }
  return a;
}

std::int32_t drawMeasure(RandomSource& random, const Level& level) {
  const AllowedMeasures a = allowedMeasures(level);
  return a.first + a.step * static_cast<std::int32_t>(random.below(a.count()));
}

}  // namespace gradoir
