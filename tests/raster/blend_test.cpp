#include <gtest/gtest.h>

#include <array>

#include "mix_reference.h"
#include "raster/blend.h"

namespace gradoir {
namespace {

using test::referenceChannel;
using test::referenceMix;

// Every (x, y, w) of the channel formula. Each call puts the pair (x, y) in
// two lanes and (y, x) in the other two, so every lane sees every triple and
// a carry from one lane into the next would show.
TEST(ChannelFormula, MatchesThePlainFormulaForAllInputs) {
  std::uint64_t mismatches = 0;
  for (std::uint32_t w = 0; w < 256; ++w) {
    for (std::uint32_t x = 0; x < 256; ++x) {
      for (std::uint32_t y = 0; y < 256; ++y) {
        const Color32 a = x | (y << 8) | (x << 16) | (y << 24);
        const Color32 b = y | (x << 8) | (y << 16) | (x << 24);
        const std::uint32_t xy = referenceChannel(x, y, w);
        const std::uint32_t yx = referenceChannel(y, x, w);
        const Color32 expected = xy | (yx << 8) | (xy << 16) | (yx << 24);
        if (mixWeighted(a, b, w) != expected) ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0u);
}

TEST(ChannelFormula, WorkedValues) {
  for (std::uint32_t w = 0; w < 256; ++w) EXPECT_EQ(mixWeighted(0xFFFFFFFF, 0xFFFFFFFF, w), 0xFFFFFFFFu) << w;
  // Weight 255 does not reproduce the source: 255 over 0 gives 254, black
  // over white keeps 1.
  EXPECT_EQ(mixWeighted(0xFF000000, 0xFFFFFFFF, 255), 0xFF010101u);
  EXPECT_EQ(mixWeighted(0xFFFFFFFF, 0x00000000, 255), 0xFEFEFEFEu);
  // The strongest anti-aliasing weight, black over white.
  EXPECT_EQ(mixWeighted(0xFF000000, 0xFFFFFFFF, 253), 0xFF030303u);
  EXPECT_EQ(mixWeighted(0x12345678, 0x9ABCDEF0, 0), 0x9ABCDEF0u);
}

TEST(ChannelFormula, WeightsBeyondEightBitsAreClampedNotWrapped) {
  EXPECT_EQ(mixWeighted(0xFF000000, 0xFFFFFFFF, 256), mixWeighted(0xFF000000, 0xFFFFFFFF, 255));
  EXPECT_EQ(mixWeighted(0x11223344, 0x55667788, 0xFFFFFFFF), mixWeighted(0x11223344, 0x55667788, 255));
}

TEST(MixWeightedInto, ZeroKeepsAndFullCopiesOtherwiseFormula) {
  Color32 b = 0x80123456;
  mixWeightedInto(0xFFFFFFFF, b, 0);
  EXPECT_EQ(b, 0x80123456u);
  mixWeightedInto(0x40ABCDEF, b, 255);
  EXPECT_EQ(b, 0x40ABCDEFu);
  for (std::uint32_t w = 1; w < 255; ++w) {
    Color32 d = 0x80123456;
    mixWeightedInto(0x40ABCDEF, d, w);
    EXPECT_EQ(d, referenceMix(0x40ABCDEF, 0x80123456, w)) << w;
  }
}

TEST(BlendOverInto, WeightIsTheSourceAlpha) {
  Color32 b = 0xFF102030;
  blendOverInto(0x00FFFFFF, b);  // transparent source, whatever its colour bits
  EXPECT_EQ(b, 0xFF102030u);
  blendOverInto(0xFF405060, b);
  EXPECT_EQ(b, 0xFF405060u);
  // The alpha channel is mixed like a colour: 128 over 255 leaves 192.
  Color32 half = 0xFFFFFFFF;
  blendOverInto(0x80000000, half);
  EXPECT_EQ(half >> 24, 192u);
  EXPECT_EQ(half, referenceMix(0x80000000, 0xFFFFFFFF, 128));
}

TEST(BlendOverScaledInto, MasterAlphaScalesTheSourceAlpha) {
  // M = 255 weights by exactly A, with no copy at A = 255.
  for (std::uint32_t a = 1; a < 256; ++a) {
    const Color32 f = (a << 24) | 0x204060;
    Color32 b = 0xFFE0C0A0;
    blendOverScaledInto(f, b, 255);
    EXPECT_EQ(b, referenceMix(f, 0xFFE0C0A0, a)) << a;
  }
  Color32 white = 0xFFFFFFFF;
  blendOverScaledInto(0xFF000000, white, 0);  // weight (1 * 255) >> 8 = 0
  EXPECT_EQ(white, 0xFFFFFFFFu);
  blendOverScaledInto(0x00000000, white, 255);
  EXPECT_EQ(white, 0xFFFFFFFFu);
  // Single-pixel scaling is ((M + 1) * A) >> 8: 129 * 127 >> 8 = 63.
  Color32 b = 0xFFFFFFFF;
  blendOverScaledInto(0x7F000000, b, 128);
  EXPECT_EQ(b, referenceMix(0x7F000000, 0xFFFFFFFF, 63));
  // An out-of-range master alpha acts as 255 instead of overflowing the weight.
  Color32 c = 0xFFFFFFFF;
  blendOverScaledInto(0xFF000000, c, 100000);
  EXPECT_EQ(c, 0xFF010101u);
}

TEST(BlendRows, RowFormsScaleTheirOwnWay) {
  std::array<Color32, 4> src = {0xFF000000, 0x00000000, 0x7F000000, 0x01000000};
  std::array<Color32, 4> dst;
  dst.fill(0xFFFFFFFF);
  blendRowScaled(src.data(), dst.data(), 4, 255);
  EXPECT_EQ(dst[0], 0xFF010101u);  // weight 255, not a copy
  EXPECT_EQ(dst[1], 0xFFFFFFFFu);  // transparent: skipped
  EXPECT_EQ(dst[2], referenceMix(0x7F000000, 0xFFFFFFFF, 127));
  EXPECT_EQ(dst[3], referenceMix(0x01000000, 0xFFFFFFFF, 1));

  // Row scaling is ((A + 1) * M) >> 8: 128 * 128 >> 8 = 64 where the
  // single-pixel form gives 63.
  dst.fill(0xFFFFFFFF);
  blendRowScaled(src.data() + 2, dst.data(), 1, 128);
  EXPECT_EQ(dst[0], referenceMix(0x7F000000, 0xFFFFFFFF, 64));
  // A = 1 at M = 128: (2 * 128) >> 8 = 1 is drawn.
  dst.fill(0xFFFFFFFF);
  blendRowScaled(src.data() + 3, dst.data(), 1, 128);
  EXPECT_EQ(dst[0], referenceMix(0x01000000, 0xFFFFFFFF, 1));

  dst.fill(0xFFFFFFFF);
  blendRow(src.data(), dst.data(), 4);
  EXPECT_EQ(dst[0], 0xFF000000u);  // opaque: copied
  EXPECT_EQ(dst[1], 0xFFFFFFFFu);
  EXPECT_EQ(dst[2], referenceMix(0x7F000000, 0xFFFFFFFF, 127));
}

TEST(BlendRows, EmptyAndNegativeCountsTouchNothing) {
  std::array<Color32, 2> src = {0xFF000000, 0xFF000000};
  std::array<Color32, 2> dst = {0x12345678, 0x12345678};
  blendRow(src.data(), dst.data(), 0);
  blendRow(src.data(), dst.data(), -3);
  blendRowScaled(src.data(), dst.data(), 0, 255);
  blendRowScaled(src.data(), dst.data(), -1, 255);
  EXPECT_EQ(dst[0], 0x12345678u);
  EXPECT_EQ(dst[1], 0x12345678u);
}

}  // namespace
}  // namespace gradoir
