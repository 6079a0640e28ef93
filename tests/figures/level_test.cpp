// Levels: the measures a random angle may take.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "figures/angle.h"
#include "figures/level.h"
#include "figures/random_source.h"

namespace gradoir {
namespace {

// Seeds far apart and close together, as the time of day gives them.
std::uint32_t seedNumber(std::uint32_t i) { return i * 2654435761u + (i & 7); }

TEST(Level, DefaultRangeDrawsExactlyAsEveryAngleAlwaysHad) {
  for (std::uint32_t i = 0; i < 20000; ++i) {
    RandomSource ours(seedNumber(i)), before(seedNumber(i));
    ASSERT_EQ(drawMeasure(ours, {}), 5 + before.below(171)) << i;
    // The same number of draws: the placement after it sees the same sequence.
    ASSERT_EQ(ours.seed(), before.seed());
  }
}

TEST(Level, DefaultAngleFiguresUnchanged) {
  const Rect bounds{10, 10, 990, 690};
  for (std::uint32_t i = 0; i < 200; ++i) {
    ScopedSeedProvider seed([i] { return seedNumber(i); });
    const AngleFigure withRange({0, 0}, bounds, 250, 260, 30, 0, true, false, false, Level{});
    const AngleFigure plain({0, 0}, bounds, 250, 260, 30, 0, true, false, false);
    EXPECT_EQ(withRange.geometry().measure, plain.geometry().measure);
    EXPECT_EQ(withRange.secondEnd(), plain.secondEnd());
  }
}

struct LevelCase {
  Level range;
  std::set<int> expected;  // every allowed measure, written out independently
};

std::set<int> multiples(int step, int from, int to) {
  std::set<int> s;
  for (int m = 5; m <= 175; ++m) {
    if (m % step == 0 && m >= from && m <= to) s.insert(m);
  }
  return s;
}

TEST(Level, EveryAllowedMeasureOccursAndNoOther) {
  const LevelCase cases[] = {
      {{10, 5, 175}, multiples(10, 5, 175)},  // 10..170
      {{5, 5, 175}, multiples(5, 5, 175)},    // 5..175
      {{1, 5, 175}, multiples(1, 5, 175)},
      {{1, 30, 60}, multiples(1, 30, 60)},
      {{5, 12, 38}, {15, 20, 25, 30, 35}},
      {{10, 90, 90}, {90}},
      {{1, 175, 175}, {175}},
      {{10, 171, 175}, {170}},  // no multiple inside: the one just below
      {{10, 11, 19}, {20}},     // no multiple inside: the one just above
      {{5, 5, 5}, {5}},
  };
  for (const LevelCase& c : cases) {
    std::set<int> seen;
    for (std::uint32_t i = 0; i < 20000; ++i) {
      RandomSource random(seedNumber(i));
      seen.insert(drawMeasure(random, c.range));
    }
    EXPECT_EQ(seen, c.expected) << c.range.step << ' ' << c.range.minimum << ' ' << c.range.maximum;
  }
}

TEST(Level, DrawsAreUniform) {
  // 17 measures of 10 degrees, 17000 draws: each about 1000 times.
  std::map<int, int> counts;
  for (std::uint32_t i = 0; i < 17000; ++i) {
    RandomSource random(seedNumber(i));
    ++counts[drawMeasure(random, {10, 5, 175})];
  }
  for (const auto& [measure, count] : counts) EXPECT_NEAR(count, 1000, 150) << measure;
}

TEST(Level, AngleFigureTakesItsMeasureFromTheRange) {
  const Rect bounds{10, 10, 990, 690};
  for (std::uint32_t i = 0; i < 300; ++i) {
    ScopedSeedProvider seed([i] { return seedNumber(i); });
    const AngleFigure angle({0, 0}, bounds, 250, 260, 30, 0, true, false, false, Level{5, 40, 60});
    ASSERT_TRUE(angle.measure());
    EXPECT_EQ(*angle.measure() % 5, 0);
    EXPECT_GE(*angle.measure(), 40);
    EXPECT_LE(*angle.measure(), 60);
  }
}

}  // namespace
}  // namespace gradoir
