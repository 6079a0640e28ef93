#pragma once
// The level an exercise is set at: which measures a random angle may take
// (the multiples of a step between two bounds), how far an answer may be off
// and still count, and the two aids (the protractor laid on the angle, an
// estimate first). The default is every whole degree from 5 to 175, exact
// answers, no aid. Kept with every try, so that a teacher can tell an easy
// right answer from a hard one.
#include <cstdint>

#include "figures/random_source.h"

namespace gradoir {

constexpr std::int32_t kMinMeasure = 5;
constexpr std::int32_t kMaxMeasure = 175;
constexpr std::int32_t kMaxTolerance = 90;

struct Level {
  std::int32_t step = 1;  // degrees between two possible measures: 1, 5 or 10
  std::int32_t minimum = kMinMeasure;
  std::int32_t maximum = kMaxMeasure;
  std::int32_t tolerance = 0;     // degrees an answer may be off either way
  bool protractorPlaced = false;  // the protractor is laid on the angle for the pupil
  bool estimation = false;        // the pupil estimates first, without the protractor
  friend bool operator==(const Level&, const Level&) = default;
};

// A step other than 1, 5 or 10 gives 1; measures are clamped to 5..175 and
// swapped when reversed; the tolerance is clamped to 0..kMaxTolerance.
Level normalized(Level level);

// The smallest and largest allowed measures. A range that holds no multiple
// of the step gets the one multiple just above it, or just below when that
// would pass 175. Expects a step of at least 1 and bounds in 5..175, in order.
struct AllowedMeasures {
  std::int32_t first = kMinMeasure;
  std::int32_t last = kMaxMeasure;
  std::int32_t step = 1;
  std::int32_t count() const { return (last - first) / step + 1; }
};
AllowedMeasures allowedMeasures(const Level& level);

// One draw of `random`, uniform among the allowed measures. The default
// level draws 5 + below(171), the measure every angle has always had.
std::int32_t drawMeasure(RandomSource& random, const Level& level);

}  // namespace gradoir
