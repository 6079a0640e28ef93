#include "figures/measure_range.h"

namespace gradoir {

namespace {

constexpr std::int32_t kHighest = 175;

}  // namespace

AllowedMeasures allowedMeasures(const MeasureRange& range) {
  const std::int32_t step = range.step < 1 ? 1 : range.step;
  AllowedMeasures a;
  a.step = step;
  // Bounds are positive, so these divisions round the way their names say.
  a.first = (range.minimum + step - 1) / step * step;
  a.last = range.maximum / step * step;
  if (a.first > a.last) {
    if (a.first <= kHighest) {
      a.last = a.first;
    } else {
      a.first = a.last;
    }
  }
  return a;
}

std::int32_t drawMeasure(RandomSource& random, const MeasureRange& range) {
  const AllowedMeasures a = allowedMeasures(range);
  return a.first + a.step * static_cast<std::int32_t>(random.below(a.count()));
}

}  // namespace gradoir
