#include "figures/random_source.h"

#include <gtest/gtest.h>

namespace gradoir {
namespace {

// Expected values below were worked out independently with unbounded
// integers: seed <- seed * 134775813 + 1 mod 2^32, draw below n =
// (seed * n) div 2^32.

TEST(RandomSource, EachDrawAdvancesFirstThenReadsTheNewSeed) {
  TRandomSource r(0);
  EXPECT_EQ(r.Below(171), 0);  // seed 1
  EXPECT_EQ(r.Seed(), 1u);
  EXPECT_EQ(r.Below(171), 5);  // seed 134775814
  EXPECT_EQ(r.Seed(), 134775814u);
  EXPECT_EQ(r.Below(361), 310);  // seed 3698175007
  EXPECT_EQ(r.Below(171), 34);   // seed 870078620
}



TEST(RandomSource, SignIsMinusOneOnlyAboveOneHalf) {
  // 2796574515 advances to exactly 2^31 (a real draw of 0.5), 2^31 to 2^31 + 1.
  TRandomSource half(2796574515u);
  EXPECT_EQ(half.Sign(), 1);
  EXPECT_EQ(half.Seed(), 0x80000000u);
  TRandomSource above(0x80000000u);
  EXPECT_EQ(above.Sign(), -1);
  EXPECT_EQ(above.Seed(), 0x80000001u);
}


TEST(RandomSource, EmptyRangesGiveZeroAndStillAdvance) {
  TRandomSource r(0);
  EXPECT_EQ(r.Below(0), 0);
  EXPECT_EQ(r.Seed(), 1u);
  EXPECT_EQ(r.Below(-40), 0);
  EXPECT_EQ(r.Seed(), 134775814u);
  // Ranges past 32 bits are taken as the largest 32-bit range.
  TRandomSource wide(0);
  wide.Real();
  EXPECT_EQ(wide.Below(std::int64_t{1} << 40), (134775814ull * 0xFFFFFFFFull) >> 32);
}


TEST(SeedProvider, ScopedProviderIsRestored) {
  {
    TScopedSeedProvider outer([] { return 7u; });
    EXPECT_EQ(NextAngleSeed(), 7u);
    {
      TScopedSeedProvider inner([] { return 9u; });
      EXPECT_EQ(NextAngleSeed(), 9u);
    }
    EXPECT_EQ(NextAngleSeed(), 7u);
  }
  EXPECT_LT(NextAngleSeed(), 24u * 60 * 60 * 1000);  // the clock again
}

}  // namespace
}  // namespace gradoir
