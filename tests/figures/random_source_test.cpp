#include "figures/random_source.h"

#include <gtest/gtest.h>

namespace gradoir {
namespace {

// Expected values below were worked out independently with unbounded
// integers: seed <- seed * 134775813 + 1 mod 2^32, draw below n =
// (seed * n) div 2^32.

TEST(RandomSource, EachDrawAdvancesFirstThenReadsTheNewSeed) {
  RandomSource r(0);
  EXPECT_EQ(r.below(171), 0);  // seed 1
  EXPECT_EQ(r.seed(), 1u);
  EXPECT_EQ(r.below(171), 5);  // seed 134775814
  EXPECT_EQ(r.seed(), 134775814u);
  EXPECT_EQ(r.below(361), 310);  // seed 3698175007
  EXPECT_EQ(r.below(171), 34);   // seed 870078620
}



TEST(RandomSource, SignIsMinusOneOnlyAboveOneHalf) {
  // 2796574515 advances to exactly 2^31 (a real draw of 0.5), 2^31 to 2^31 + 1.
  RandomSource half(2796574515u);
  EXPECT_EQ(half.sign(), 1);
  EXPECT_EQ(half.seed(), 0x80000000u);
  RandomSource above(0x80000000u);
  EXPECT_EQ(above.sign(), -1);
  EXPECT_EQ(above.seed(), 0x80000001u);
}


TEST(RandomSource, EmptyRangesGiveZeroAndStillAdvance) {
  RandomSource r(0);
  EXPECT_EQ(r.below(0), 0);
  EXPECT_EQ(r.seed(), 1u);
  EXPECT_EQ(r.below(-40), 0);
  EXPECT_EQ(r.seed(), 134775814u);
  // Ranges past 32 bits are taken as the largest 32-bit range.
  RandomSource wide(0);
  wide.real();
  EXPECT_EQ(wide.below(std::int64_t{1} << 40), (134775814ull * 0xFFFFFFFFull) >> 32);
}


TEST(SeedProvider, ScopedProviderIsRestored) {
  {
    ScopedSeedProvider outer([] { return 7u; });
    EXPECT_EQ(nextAngleSeed(), 7u);
    {
      ScopedSeedProvider inner([] { return 9u; });
      EXPECT_EQ(nextAngleSeed(), 9u);
    }
    EXPECT_EQ(nextAngleSeed(), 7u);
  }
  EXPECT_LT(nextAngleSeed(), 24u * 60 * 60 * 1000);  // the clock again
}

}  // namespace
}  // namespace gradoir
