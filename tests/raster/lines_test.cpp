#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "mix_reference.h"
#include "raster/bitmap32.h"
#include "raster/rounding.h"

namespace gradoir {
namespace {

using test::referenceMix;

constexpr Color32 kWhite = 0xFFFFFFFF;
constexpr Color32 kBlack = 0xFF000000;

struct LineCanvas {
  Bitmap32 bitmap;
  int changes = 0;
  LineCanvas(std::int32_t w, std::int32_t h, Color32 background = kWhite) {
    bitmap.setBitmapSize(w, h);
    bitmap.fillAll(background);
    bitmap.onChange = [this](Bitmap32*) { ++changes; };
  }
  // Points that differ from `background`.
  std::vector<Point> changed(Color32 background = kWhite) const {
    std::vector<Point> points;
    for (std::int32_t y = 0; y < bitmap.height(); ++y)
      for (std::int32_t x = 0; x < bitmap.width(); ++x)
        if (bitmap.pixelAt(x, y) != background) points.push_back({x, y});
    return points;
  }
};

bool samePixels(const Bitmap32& a, const Bitmap32& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (std::int32_t y = 0; y < a.height(); ++y)
    for (std::int32_t x = 0; x < a.width(); ++x)
      if (a.pixelAt(x, y) != b.pixelAt(x, y)) return false;
  return true;
}

int largestChannelDifference(const Bitmap32& a, const Bitmap32& b) {
  int largest = 0;
  for (std::int32_t y = 0; y < a.height(); ++y)
    for (std::int32_t x = 0; x < a.width(); ++x)
      for (int shift = 0; shift < 32; shift += 8)
        largest = std::max(largest, std::abs(static_cast<int>((a.pixelAt(x, y) >> shift) & 0xFF) -
                                             static_cast<int>((b.pixelAt(x, y) >> shift) & 0xFF)));
  return largest;
}

TEST(GammaTable, KnownEntriesAndShape) {
  const std::vector<std::pair<int, int>> known = {{0, 0},     {1, 5},     {64, 97},   {127, 157}, {128, 157},
                                                  {191, 208}, {192, 209}, {254, 254}, {255, 255}};
  for (const auto& [index, value] : known) EXPECT_EQ(kGammaTable[index], value) << index;
  for (int i = 1; i < 256; ++i) EXPECT_GE(kGammaTable[i], kGammaTable[i - 1]) << i;
}

TEST(SubpixelPoint, AlignedOpaquePointIsMixedAt253) {
  LineCanvas c(30, 30);
  c.bitmap.plotSubpixel(10.0f, 20.0f, kBlack);
  EXPECT_EQ(c.bitmap.pixelAt(10, 20), 0xFF030303u);
  EXPECT_EQ(c.changed(), (std::vector<Point>{{10, 20}}));
  EXPECT_EQ(c.changes, 0);  // points never notify
}

TEST(SubpixelPoint, QuarterAndHalfPositionsSplitByGamma) {
  LineCanvas quarter(30, 30);
  quarter.bitmap.plotSubpixel(10.25f, 20.0f, kBlack);
  EXPECT_EQ(quarter.bitmap.pixelAt(10, 20), referenceMix(kBlack, kWhite, 206));
  EXPECT_EQ(quarter.bitmap.pixelAt(11, 20), referenceMix(kBlack, kWhite, 96));
  EXPECT_EQ(quarter.changed(), (std::vector<Point>{{10, 20}, {11, 20}}));

  LineCanvas half(30, 30);
  half.bitmap.plotSubpixel(10.5f, 20.0f, kBlack);
  EXPECT_EQ(half.bitmap.pixelAt(10, 20), referenceMix(kBlack, kWhite, 155));
  EXPECT_EQ(half.bitmap.pixelAt(11, 20), referenceMix(kBlack, kWhite, 155));
  EXPECT_EQ(half.changed().size(), 2u);

  // Both directions at once: four pixels, the alpha taking part in the weight.
  LineCanvas both(30, 30);
  const Color32 halfRed = 0x80FF0000;
  both.bitmap.plotSubpixelFixed(10 * 256 + 64, 20 * 256 + 192, halfRed);
  const auto weight = [](int gx, int gy) { return (kGammaTable[gx] * 0x80u * kGammaTable[gy]) >> 16; };
  EXPECT_EQ(both.bitmap.pixelAt(10, 20), referenceMix(halfRed, kWhite, weight(191, 63)));
  EXPECT_EQ(both.bitmap.pixelAt(11, 20), referenceMix(halfRed, kWhite, weight(64, 63)));
  EXPECT_EQ(both.bitmap.pixelAt(11, 21), referenceMix(halfRed, kWhite, weight(64, 192)));
  EXPECT_EQ(both.bitmap.pixelAt(10, 21), referenceMix(halfRed, kWhite, weight(191, 192)));
}

TEST(SubpixelPoint, ClippedFormsTouchOnlyPixelsInside) {
  LineCanvas c(8, 8);
  c.bitmap.plotSubpixelClipped(-0.5f, 5.0f, kBlack);
  EXPECT_EQ(c.changed(), (std::vector<Point>{{0, 5}}));
  LineCanvas right(8, 8);
  right.bitmap.plotSubpixelClipped(7.0f, 5.0f, kBlack);
  right.bitmap.plotSubpixelClipped(7.5f, 5.0f, kBlack);
  EXPECT_EQ(right.changed(), (std::vector<Point>{{7, 5}}));
  LineCanvas corner(8, 8);
  corner.bitmap.plotSubpixelClipped(7.5f, 7.5f, kBlack);
  corner.bitmap.plotSubpixelClipped(-0.5f, -0.5f, kBlack);
  EXPECT_EQ(corner.changed(), (std::vector<Point>{{0, 0}, {7, 7}}));
  LineCanvas none(8, 8);
  none.bitmap.plotSubpixelClipped(-2.0f, 5.0f, kBlack);
  none.bitmap.plotSubpixelClipped(5.0f, -1.01f, kBlack);
  none.bitmap.plotSubpixelClipped(8.0f, 5.0f, kBlack);
  none.bitmap.plotSubpixelClipped(5.0f, 8.0f, kBlack);
  EXPECT_TRUE(none.changed().empty());
}

TEST(SubpixelPoint, UnrepresentablePositionsDrawNothing) {
  LineCanvas c(8, 8);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (float bad : {nan, inf, -inf, 1e30f, -1e30f, 9e6f}) {
    c.bitmap.plotSubpixel(bad, 3.0f, kBlack);
    c.bitmap.plotSubpixel(3.0f, bad, kBlack);
    c.bitmap.plotSubpixelClipped(bad, bad, kBlack);
  }
  const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  const std::int32_t highest = std::numeric_limits<std::int32_t>::max();
  c.bitmap.plotSubpixelFixed(lowest, highest, kBlack);
  c.bitmap.plotSubpixelFixedClipped(highest, lowest, kBlack);
  c.bitmap.plotSubpixelFixedClipped(highest, highest, kBlack);
  c.bitmap.blendPixel(-1, 0, kBlack);
  c.bitmap.blendPixel(8, 7, kBlack);
  EXPECT_TRUE(c.changed().empty());
  c.bitmap.blendPixel(7, 7, 0x80000000);
  EXPECT_EQ(c.bitmap.pixelAt(7, 7), referenceMix(0x80000000, kWhite, 128));
}

TEST(SmoothLine, HorizontalLineSamplesEachWholePixelAndAZeroAlphaLast) {
  LineCanvas c(16, 3);
  c.bitmap.smoothLine(0, 0, 10, 0, kBlack, false);
  std::vector<Point> expected;
  for (std::int32_t x = 0; x < 10; ++x) {
    expected.push_back({x, 0});
    EXPECT_EQ(c.bitmap.pixelAt(x, 0), 0xFF030303u) << x;
  }
  EXPECT_EQ(c.changed(), expected);
  EXPECT_EQ(c.changes, 1);
}

TEST(SmoothLine, IncludeLastStretchesElevenSamplesOverTheLength) {
  LineCanvas line(16, 3);
  line.bitmap.smoothLine(0, 1, 10, 1, kBlack, true);
  LineCanvas samples(16, 3);
  for (int k = 0; k <= 10; ++k) {
    samples.bitmap.plotSubpixelFixedClipped(roundHalfEven(k * 2560.0L / 11.0L), 256, kBlack);
  }
  EXPECT_TRUE(samePixels(line.bitmap, samples.bitmap));
  // The last sample, at 9.09 px, reaches the end column; without IncludeLast nothing does.
  EXPECT_NE(line.bitmap.pixelAt(10, 1), kWhite);
  LineCanvas plain(16, 3);
  plain.bitmap.smoothLine(0, 1, 10, 1, kBlack, false);
  EXPECT_EQ(plain.bitmap.pixelAt(10, 1), kWhite);
}

TEST(SmoothLine, FractionalLengthDrawsAPartialLastSampleMidway) {
  // 2.5 px: full samples at 3 and 4, then one at 4.75 with half the alpha.
  LineCanvas line(10, 3);
  line.bitmap.smoothLine(3, 1, 5.5f, 1, kBlack, false);
  LineCanvas samples(10, 3);
  samples.bitmap.plotSubpixel(3, 1, kBlack);
  samples.bitmap.plotSubpixel(4, 1, kBlack);
  samples.bitmap.plotSubpixel(4.75f, 1, 0x7F000000);
  EXPECT_TRUE(samePixels(line.bitmap, samples.bitmap));
}

TEST(SmoothLine, SubPixelLineIsOneSampleAtTheStart) {
  LineCanvas line(10, 10);
  line.bitmap.smoothLine(2, 2, 2.5f, 2, kBlack, false);
  EXPECT_EQ(line.changed(), (std::vector<Point>{{2, 2}}));
  // Alpha 255 * 0.5 = 127, colour bits kept, mixed at (255 * 127 * 255) >> 16.
  EXPECT_EQ(line.bitmap.pixelAt(2, 2), referenceMix(0x7F000000, kWhite, (255u * 127u * 255u) >> 16));
}

TEST(SmoothLine, TooShortToDrawStillNotifies) {
  LineCanvas c(10, 10);
  c.bitmap.smoothLineFixed(65536, 65536, 65536 + 255, 65536, kBlack, false);
  c.bitmap.smoothLine(3, 3, 3, 3, kBlack, false);
  EXPECT_TRUE(c.changed().empty());
  EXPECT_EQ(c.changes, 2);
  Bitmap32 empty;
  int fired = 0;
  empty.onChange = [&](Bitmap32*) { ++fired; };
  empty.smoothLine(0, 0, 100, 100, kBlack, true);
  EXPECT_EQ(fired, 1);
}

TEST(SmoothLine, ReversedAndSteepLinesStayInTheirCorridor) {
  LineCanvas c(40, 40);
  c.bitmap.smoothLine(35.3f, 30.1f, 4.2f, 2.7f, kBlack, false);
  // Every touched pixel lies within 1.5 px of the segment.
  for (const Point& p : c.changed()) {
    const double dx = 4.2 - 35.3, dy = 2.7 - 30.1;
    const double t = std::clamp(((p.x - 35.3) * dx + (p.y - 30.1) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    EXPECT_LT(std::hypot(p.x - (35.3 + t * dx), p.y - (30.1 + t * dy)), 1.5) << p.x << "," << p.y;
  }
  EXPECT_GT(c.changed().size(), 40u);
}

TEST(SmoothLine, LinesLeavingTheBitmapDrawOnlyInside) {
  LineCanvas c(20, 20);
  c.bitmap.smoothLine(5, 5, -1000, -3000, kBlack, false);
  c.bitmap.smoothLine(5, 5, 30000, 31000, kBlack, true);
  c.bitmap.smoothLine(-20000, 10, 20000, 10.5f, kBlack, false);
  EXPECT_FALSE(c.changed().empty());
  EXPECT_EQ(c.changes, 3);
}

// Lines the 16.16 format cannot hold are clipped first; where they cross the
// bitmap they must look like an ordinary line along the same path.
TEST(SmoothLine, OutOfFormatLinesMatchOrdinaryLinesInside) {
  LineCanvas far(64, 48);
  far.bitmap.smoothLine(-1e6f, 24, 1e6f, 24, kBlack, false);
  LineCanvas near(64, 48);
  near.bitmap.smoothLine(-100, 24, 200, 24, kBlack, false);
  EXPECT_TRUE(samePixels(far.bitmap, near.bitmap));

  LineCanvas vertical(64, 48);
  vertical.bitmap.smoothLine(10.5f, 1e6f, 10.5f, -1e6f, kBlack, false);
  LineCanvas shortVertical(64, 48);
  shortVertical.bitmap.smoothLine(10.5f, 1000000 - 999900, 10.5f, -100, kBlack, false);
  EXPECT_TRUE(samePixels(vertical.bitmap, shortVertical.bitmap));

  // The start inside and the end far out: the same samples from the start on.
  LineCanvas diagonal(64, 48);
  diagonal.bitmap.smoothLine(3.3f, 2.7f, 3.3f + 1e6f, 2.7f + 5e5f, kBlack, false);
  LineCanvas shortDiagonal(64, 48);
  shortDiagonal.bitmap.smoothLine(3.3f, 2.7f, 3.3f + 200, 2.7f + 100, kBlack, false);
  EXPECT_LE(largestChannelDifference(diagonal.bitmap, shortDiagonal.bitmap), 4);
  EXPECT_FALSE(diagonal.changed().empty());
}

TEST(SmoothLine, LengthsBeyond32BitsTakeTheClippedPath) {
  // Both ends inside the format, but 60000 px apart: the 16.16 length does not fit 32 bits.
  LineCanvas wide(50, 12);
  wide.bitmap.smoothLine(-30000, 5, 30000, 5, kBlack, false);
  LineCanvas ordinary(50, 12);
  ordinary.bitmap.smoothLine(-30, 5, 100, 5, kBlack, false);
  EXPECT_TRUE(samePixels(wide.bitmap, ordinary.bitmap));

  const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  const std::int32_t highest = std::numeric_limits<std::int32_t>::max();
  LineCanvas extreme(50, 12);
  extreme.bitmap.smoothLineFixed(lowest, 5 * 65536, highest, 5 * 65536, kBlack, true);
  EXPECT_TRUE(samePixels(extreme.bitmap, ordinary.bitmap));
  extreme.bitmap.smoothLineFixed(lowest, lowest, highest, highest, kBlack, false);
  extreme.bitmap.smoothLineFixed(highest, lowest, lowest, highest, kBlack, true);
  EXPECT_EQ(extreme.changes, 3);
}

TEST(SmoothLine, NonFiniteEndPointsDrawNothingButNotify) {
  LineCanvas c(20, 20);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  c.bitmap.smoothLine(nan, 5, 10, 10, kBlack, false);
  c.bitmap.smoothLine(5, 5, 10, nan, kBlack, true);
  c.bitmap.smoothLine(5, 5, inf, 5, kBlack, false);
  c.bitmap.smoothLine(-inf, -inf, inf, inf, kBlack, false);
  EXPECT_TRUE(c.changed().empty());
  EXPECT_EQ(c.changes, 4);
}

// Near the edge of the format the midpoint of the last sample needs more
// than 32 bits; it must still land between the last step and the end.
TEST(SmoothLine, LastSampleFarFromTheOriginLandsMidway) {
  LineCanvas c(16410, 3);
  c.bitmap.smoothLine(16390, 1, 16400.5f, 1, kBlack, false);
  EXPECT_EQ(c.bitmap.pixelAt(16398, 1), 0xFF030303u);
  EXPECT_NE(c.bitmap.pixelAt(16400, 1), kWhite);
  EXPECT_EQ(c.bitmap.pixelAt(16401, 1), kWhite);
}

}  // namespace
}  // namespace gradoir
