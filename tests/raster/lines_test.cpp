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

using test::ReferenceMix;

constexpr TColor32 kWhite = 0xFFFFFFFF;
constexpr TColor32 kBlack = 0xFF000000;

struct TCanvas {
  TBitmap32 bitmap;
  int changes = 0;
  TCanvas(std::int32_t w, std::int32_t h, TColor32 background = kWhite) {
    bitmap.SetBitmapSize(w, h);
    bitmap.FillAll(background);
    bitmap.OnChange = [this](TThreadPersistent*) { ++changes; };
  }
  // Points that differ from `background`.
  std::vector<TPoint> Changed(TColor32 background = kWhite) const {
    std::vector<TPoint> points;
    for (std::int32_t y = 0; y < bitmap.Height(); ++y)
      for (std::int32_t x = 0; x < bitmap.Width(); ++x)
        if (bitmap.PixelAt(x, y) != background) points.push_back({x, y});
    return points;
  }
};

bool SamePixels(const TBitmap32& a, const TBitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (std::int32_t y = 0; y < a.Height(); ++y)
    for (std::int32_t x = 0; x < a.Width(); ++x)
      if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
  return true;
}

int LargestChannelDifference(const TBitmap32& a, const TBitmap32& b) {
  int largest = 0;
  for (std::int32_t y = 0; y < a.Height(); ++y)
    for (std::int32_t x = 0; x < a.Width(); ++x)
      for (int shift = 0; shift < 32; shift += 8)
        largest = std::max(largest, std::abs(static_cast<int>((a.PixelAt(x, y) >> shift) & 0xFF) -
                                             static_cast<int>((b.PixelAt(x, y) >> shift) & 0xFF)));
  return largest;
}

TEST(GammaTable, KnownEntriesAndShape) {
  const std::vector<std::pair<int, int>> known = {{0, 0},     {1, 5},     {64, 97},   {127, 157}, {128, 157},
                                                  {191, 208}, {192, 209}, {254, 254}, {255, 255}};
  for (const auto& [index, value] : known) EXPECT_EQ(GammaTable[index], value) << index;
  for (int i = 1; i < 256; ++i) EXPECT_GE(GammaTable[i], GammaTable[i - 1]) << i;
}

TEST(SubpixelPoint, AlignedOpaquePointIsMixedAt253) {
  TCanvas c(30, 30);
  c.bitmap.PlotSubpixel(10.0f, 20.0f, kBlack);
  EXPECT_EQ(c.bitmap.PixelAt(10, 20), 0xFF030303u);
  EXPECT_EQ(c.Changed(), (std::vector<TPoint>{{10, 20}}));
  EXPECT_EQ(c.changes, 0);  // points never notify
}

TEST(SubpixelPoint, QuarterAndHalfPositionsSplitByGamma) {
  TCanvas quarter(30, 30);
  quarter.bitmap.PlotSubpixel(10.25f, 20.0f, kBlack);
  EXPECT_EQ(quarter.bitmap.PixelAt(10, 20), ReferenceMix(kBlack, kWhite, 206));
  EXPECT_EQ(quarter.bitmap.PixelAt(11, 20), ReferenceMix(kBlack, kWhite, 96));
  EXPECT_EQ(quarter.Changed(), (std::vector<TPoint>{{10, 20}, {11, 20}}));

  TCanvas half(30, 30);
  half.bitmap.PlotSubpixel(10.5f, 20.0f, kBlack);
  EXPECT_EQ(half.bitmap.PixelAt(10, 20), ReferenceMix(kBlack, kWhite, 155));
  EXPECT_EQ(half.bitmap.PixelAt(11, 20), ReferenceMix(kBlack, kWhite, 155));
  EXPECT_EQ(half.Changed().size(), 2u);

  // Both directions at once: four pixels, the alpha taking part in the weight.
  TCanvas both(30, 30);
  const TColor32 half_red = 0x80FF0000;
  both.bitmap.PlotSubpixelFixed(10 * 256 + 64, 20 * 256 + 192, half_red);
  const auto weight = [](int gx, int gy) { return (GammaTable[gx] * 0x80u * GammaTable[gy]) >> 16; };
  EXPECT_EQ(both.bitmap.PixelAt(10, 20), ReferenceMix(half_red, kWhite, weight(191, 63)));
  EXPECT_EQ(both.bitmap.PixelAt(11, 20), ReferenceMix(half_red, kWhite, weight(64, 63)));
  EXPECT_EQ(both.bitmap.PixelAt(11, 21), ReferenceMix(half_red, kWhite, weight(64, 192)));
  EXPECT_EQ(both.bitmap.PixelAt(10, 21), ReferenceMix(half_red, kWhite, weight(191, 192)));
}

TEST(SubpixelPoint, ClippedFormsTouchOnlyPixelsInside) {
  TCanvas c(8, 8);
  c.bitmap.PlotSubpixelClipped(-0.5f, 5.0f, kBlack);
  EXPECT_EQ(c.Changed(), (std::vector<TPoint>{{0, 5}}));
  TCanvas right(8, 8);
  right.bitmap.PlotSubpixelClipped(7.0f, 5.0f, kBlack);
  right.bitmap.PlotSubpixelClipped(7.5f, 5.0f, kBlack);
  EXPECT_EQ(right.Changed(), (std::vector<TPoint>{{7, 5}}));
  TCanvas corner(8, 8);
  corner.bitmap.PlotSubpixelClipped(7.5f, 7.5f, kBlack);
  corner.bitmap.PlotSubpixelClipped(-0.5f, -0.5f, kBlack);
  EXPECT_EQ(corner.Changed(), (std::vector<TPoint>{{0, 0}, {7, 7}}));
  TCanvas none(8, 8);
  none.bitmap.PlotSubpixelClipped(-2.0f, 5.0f, kBlack);
  none.bitmap.PlotSubpixelClipped(5.0f, -1.01f, kBlack);
  none.bitmap.PlotSubpixelClipped(8.0f, 5.0f, kBlack);
  none.bitmap.PlotSubpixelClipped(5.0f, 8.0f, kBlack);
  EXPECT_TRUE(none.Changed().empty());
}

TEST(SubpixelPoint, UnrepresentablePositionsDrawNothing) {
  TCanvas c(8, 8);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (float bad : {nan, inf, -inf, 1e30f, -1e30f, 9e6f}) {
    c.bitmap.PlotSubpixel(bad, 3.0f, kBlack);
    c.bitmap.PlotSubpixel(3.0f, bad, kBlack);
    c.bitmap.PlotSubpixelClipped(bad, bad, kBlack);
  }
  const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  const std::int32_t highest = std::numeric_limits<std::int32_t>::max();
  c.bitmap.PlotSubpixelFixed(lowest, highest, kBlack);
  c.bitmap.PlotSubpixelFixedClipped(highest, lowest, kBlack);
  c.bitmap.PlotSubpixelFixedClipped(highest, highest, kBlack);
  c.bitmap.BlendPixel(-1, 0, kBlack);
  c.bitmap.BlendPixel(8, 7, kBlack);
  EXPECT_TRUE(c.Changed().empty());
  c.bitmap.BlendPixel(7, 7, 0x80000000);
  EXPECT_EQ(c.bitmap.PixelAt(7, 7), ReferenceMix(0x80000000, kWhite, 128));
}

TEST(SmoothLine, HorizontalLineSamplesEachWholePixelAndAZeroAlphaLast) {
  TCanvas c(16, 3);
  c.bitmap.SmoothLine(0, 0, 10, 0, kBlack, false);
  std::vector<TPoint> expected;
  for (std::int32_t x = 0; x < 10; ++x) {
    expected.push_back({x, 0});
    EXPECT_EQ(c.bitmap.PixelAt(x, 0), 0xFF030303u) << x;
  }
  EXPECT_EQ(c.Changed(), expected);
  EXPECT_EQ(c.changes, 1);
}

TEST(SmoothLine, IncludeLastStretchesElevenSamplesOverTheLength) {
  TCanvas line(16, 3);
  line.bitmap.SmoothLine(0, 1, 10, 1, kBlack, true);
  TCanvas samples(16, 3);
  for (int k = 0; k <= 10; ++k) {
    samples.bitmap.PlotSubpixelFixedClipped(RoundHalfEven(k * 2560.0L / 11.0L), 256, kBlack);
  }
  EXPECT_TRUE(SamePixels(line.bitmap, samples.bitmap));
  // The last sample, at 9.09 px, reaches the end column; without IncludeLast nothing does.
  EXPECT_NE(line.bitmap.PixelAt(10, 1), kWhite);
  TCanvas plain(16, 3);
  plain.bitmap.SmoothLine(0, 1, 10, 1, kBlack, false);
  EXPECT_EQ(plain.bitmap.PixelAt(10, 1), kWhite);
}

TEST(SmoothLine, FractionalLengthDrawsAPartialLastSampleMidway) {
  // 2.5 px: full samples at 3 and 4, then one at 4.75 with half the alpha.
  TCanvas line(10, 3);
  line.bitmap.SmoothLine(3, 1, 5.5f, 1, kBlack, false);
  TCanvas samples(10, 3);
  samples.bitmap.PlotSubpixel(3, 1, kBlack);
  samples.bitmap.PlotSubpixel(4, 1, kBlack);
  samples.bitmap.PlotSubpixel(4.75f, 1, 0x7F000000);
  EXPECT_TRUE(SamePixels(line.bitmap, samples.bitmap));
}

TEST(SmoothLine, SubPixelLineIsOneSampleAtTheStart) {
  TCanvas line(10, 10);
  line.bitmap.SmoothLine(2, 2, 2.5f, 2, kBlack, false);
  EXPECT_EQ(line.Changed(), (std::vector<TPoint>{{2, 2}}));
  // Alpha 255 * 0.5 = 127, colour bits kept, mixed at (255 * 127 * 255) >> 16.
  EXPECT_EQ(line.bitmap.PixelAt(2, 2), ReferenceMix(0x7F000000, kWhite, (255u * 127u * 255u) >> 16));
}

TEST(SmoothLine, TooShortToDrawStillNotifies) {
  TCanvas c(10, 10);
  c.bitmap.SmoothLineFixed(65536, 65536, 65536 + 255, 65536, kBlack, false);
  c.bitmap.SmoothLine(3, 3, 3, 3, kBlack, false);
  EXPECT_TRUE(c.Changed().empty());
  EXPECT_EQ(c.changes, 2);
  TBitmap32 empty;
  int fired = 0;
  empty.OnChange = [&](TThreadPersistent*) { ++fired; };
  empty.SmoothLine(0, 0, 100, 100, kBlack, true);
  EXPECT_EQ(fired, 1);
}

TEST(SmoothLine, ReversedAndSteepLinesStayInTheirCorridor) {
  TCanvas c(40, 40);
  c.bitmap.SmoothLine(35.3f, 30.1f, 4.2f, 2.7f, kBlack, false);
  // Every touched pixel lies within 1.5 px of the segment.
  for (const TPoint& p : c.Changed()) {
    const double dx = 4.2 - 35.3, dy = 2.7 - 30.1;
    const double t = std::clamp(((p.X - 35.3) * dx + (p.Y - 30.1) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    EXPECT_LT(std::hypot(p.X - (35.3 + t * dx), p.Y - (30.1 + t * dy)), 1.5) << p.X << "," << p.Y;
  }
  EXPECT_GT(c.Changed().size(), 40u);
}

TEST(SmoothLine, LinesLeavingTheBitmapDrawOnlyInside) {
  TCanvas c(20, 20);
  c.bitmap.SmoothLine(5, 5, -1000, -3000, kBlack, false);
  c.bitmap.SmoothLine(5, 5, 30000, 31000, kBlack, true);
  c.bitmap.SmoothLine(-20000, 10, 20000, 10.5f, kBlack, false);
  EXPECT_FALSE(c.Changed().empty());
  EXPECT_EQ(c.changes, 3);
}

// Lines the 16.16 format cannot hold are clipped first; where they cross the
// bitmap they must look like an ordinary line along the same path.
TEST(SmoothLine, OutOfFormatLinesMatchOrdinaryLinesInside) {
  TCanvas far(64, 48);
  far.bitmap.SmoothLine(-1e6f, 24, 1e6f, 24, kBlack, false);
  TCanvas near(64, 48);
  near.bitmap.SmoothLine(-100, 24, 200, 24, kBlack, false);
  EXPECT_TRUE(SamePixels(far.bitmap, near.bitmap));

  TCanvas vertical(64, 48);
  vertical.bitmap.SmoothLine(10.5f, 1e6f, 10.5f, -1e6f, kBlack, false);
  TCanvas short_vertical(64, 48);
  short_vertical.bitmap.SmoothLine(10.5f, 1000000 - 999900, 10.5f, -100, kBlack, false);
  EXPECT_TRUE(SamePixels(vertical.bitmap, short_vertical.bitmap));

  // The start inside and the end far out: the same samples from the start on.
  TCanvas diagonal(64, 48);
  diagonal.bitmap.SmoothLine(3.3f, 2.7f, 3.3f + 1e6f, 2.7f + 5e5f, kBlack, false);
  TCanvas short_diagonal(64, 48);
  short_diagonal.bitmap.SmoothLine(3.3f, 2.7f, 3.3f + 200, 2.7f + 100, kBlack, false);
  EXPECT_LE(LargestChannelDifference(diagonal.bitmap, short_diagonal.bitmap), 4);
  EXPECT_FALSE(diagonal.Changed().empty());
}

TEST(SmoothLine, LengthsBeyond32BitsTakeTheClippedPath) {
  // Both ends inside the format, but 60000 px apart: the 16.16 length does not fit 32 bits.
  TCanvas wide(50, 12);
  wide.bitmap.SmoothLine(-30000, 5, 30000, 5, kBlack, false);
  TCanvas ordinary(50, 12);
  ordinary.bitmap.SmoothLine(-30, 5, 100, 5, kBlack, false);
  EXPECT_TRUE(SamePixels(wide.bitmap, ordinary.bitmap));

  const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
  const std::int32_t highest = std::numeric_limits<std::int32_t>::max();
  TCanvas extreme(50, 12);
  extreme.bitmap.SmoothLineFixed(lowest, 5 * 65536, highest, 5 * 65536, kBlack, true);
  EXPECT_TRUE(SamePixels(extreme.bitmap, ordinary.bitmap));
  extreme.bitmap.SmoothLineFixed(lowest, lowest, highest, highest, kBlack, false);
  extreme.bitmap.SmoothLineFixed(highest, lowest, lowest, highest, kBlack, true);
  EXPECT_EQ(extreme.changes, 3);
}

TEST(SmoothLine, NonFiniteEndPointsDrawNothingButNotify) {
  TCanvas c(20, 20);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  c.bitmap.SmoothLine(nan, 5, 10, 10, kBlack, false);
  c.bitmap.SmoothLine(5, 5, 10, nan, kBlack, true);
  c.bitmap.SmoothLine(5, 5, inf, 5, kBlack, false);
  c.bitmap.SmoothLine(-inf, -inf, inf, inf, kBlack, false);
  EXPECT_TRUE(c.Changed().empty());
  EXPECT_EQ(c.changes, 4);
}

// Near the edge of the format the midpoint of the last sample needs more
// than 32 bits; it must still land between the last step and the end.
TEST(SmoothLine, LastSampleFarFromTheOriginLandsMidway) {
  TCanvas c(16410, 3);
  c.bitmap.SmoothLine(16390, 1, 16400.5f, 1, kBlack, false);
  EXPECT_EQ(c.bitmap.PixelAt(16398, 1), 0xFF030303u);
  EXPECT_NE(c.bitmap.PixelAt(16400, 1), kWhite);
  EXPECT_EQ(c.bitmap.PixelAt(16401, 1), kWhite);
}

}  // namespace
}  // namespace gradoir
