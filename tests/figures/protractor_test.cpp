#include "figures/protractor.h"

#include <gtest/gtest.h>

#include <climits>

#include "figure_test_support.h"

namespace gradoir {
namespace {

using test::Blue;
using test::Green;
using test::Inked;
using test::kWhite;
using test::Red;

bool Reddish(TColor32 c) { return Red(c) > Green(c) + 100 && Red(c) > Blue(c) + 100; }
bool Bluish(TColor32 c) { return Blue(c) > Red(c) + 60 && Blue(c) > Green(c) + 60; }
bool Teal(TColor32 c) { return Green(c) > Red(c) + 40 && Blue(c) > Red(c) + 40; }
bool Grey(TColor32 c) { return c != kWhite && Red(c) == Green(c) && Green(c) == Blue(c); }

class ProtractorTest : public ::testing::Test {
 protected:
  ProtractorTest() : layer_(&layers_) { layer_.SetLocation({0, 0, 482, 482}); }

  const TBitmap32& DrawAt(std::int32_t orientation, bool inner_scale = true) {
    protractor_ = TGradoir(240, inner_scale);
    protractor_.Orientation = orientation;
    protractor_.Draw(layer_);
    return layer_.Bitmap();
  }

  // Rows inked in one column, from row `from` downward while they stay inked.
  int InkedRun(const TBitmap32& b, int x, int from) {
    int n = 0;
    while (from + n < b.Height() && b.PixelAt(x, from + n) != kWhite) ++n;
    return n;
  }

  TLayerCollection layers_{nullptr};
  TBitmapLayer layer_;
  TGradoir protractor_{240, true};
};


TEST_F(ProtractorTest, BitmapSizeAndCentre) {
  layer_.Bitmap().SetBitmapSize(10, 10);
  const TBitmap32& b = DrawAt(0);
  EXPECT_EQ(b.Width(), 482);
  EXPECT_EQ(b.Height(), 482);
  // The red circle of radius 3 about (241, 241), white inside.
  EXPECT_EQ(b.PixelAt(241, 241), kWhite);
  EXPECT_TRUE(Reddish(b.PixelAt(241, 238)));
  EXPECT_TRUE(Reddish(b.PixelAt(241, 244)));
  EXPECT_TRUE(Reddish(b.PixelAt(238, 240)));
  EXPECT_EQ(b.PixelAt(0, 0), kWhite);
  EXPECT_EQ(b.PixelAt(481, 481), kWhite);
}

TEST_F(ProtractorTest, GrabZonesAtOrientationZero) {
  DrawAt(0);
  EXPECT_EQ(protractor_.GrabZones[1], (TRect{1, 236, 29, 246}));
  EXPECT_EQ(protractor_.GrabZones[2], (TRect{231, 231, 251, 251}));
  EXPECT_EQ(protractor_.GrabZones[3], (TRect{453, 236, 481, 246}));
}

TEST_F(ProtractorTest, GrabZonesFollowTheLayerAndTheOrientation) {
  // Centred on a 1000 x 700 canvas: centre (500, 350).
  DrawAt(0);
  layer_.SetLocation({259, 109, 741, 591});
  protractor_.UpdateGrabZones(layer_);
  EXPECT_EQ(protractor_.GrabZones[1], (TRect{260, 345, 288, 355}));
  EXPECT_EQ(protractor_.GrabZones[2], (TRect{490, 340, 510, 360}));
  EXPECT_EQ(protractor_.GrabZones[3], (TRect{712, 345, 740, 355}));

  // Turned a quarter: the zero end at the top, the 180 end at the bottom.
  layer_.SetLocation({0, 0, 482, 482});
  DrawAt(90);
  EXPECT_EQ(protractor_.GrabZones[1], (TRect{236, 1, 246, 29}));
  EXPECT_EQ(protractor_.GrabZones[2], (TRect{231, 231, 251, 251}));
  EXPECT_EQ(protractor_.GrabZones[3], (TRect{236, 453, 246, 481}));

  // Diagonal: the zone is the box spanned by the two corners, thick enough.
  DrawAt(45);
  const TRect z1 = protractor_.GrabZones[1];
  EXPECT_EQ(z1.Right - z1.Left, z1.Bottom - z1.Top);
  EXPECT_GE(z1.Right - z1.Left, 19);
  EXPECT_LE(z1.Left, 72);  // the outline at 45 degrees up-left: 241 - 240 cos 45
}


TEST_F(ProtractorTest, ZonesOfALayerDraggedPastTheIntegerRangeSaturate) {
  DrawAt(0);
  layer_.SetLocation({3.0e9f, -3.0e9f, 3.0e9f + 482, -3.0e9f + 482});
  protractor_.UpdateGrabZones(layer_);
  EXPECT_EQ(protractor_.GrabZones[2], (TRect{INT_MAX, INT_MIN + 231, INT_MAX, INT_MIN + 251}));
  EXPECT_EQ(protractor_.GrabZones[1].Right, INT_MAX);
  EXPECT_LE(protractor_.GrabZones[1].Top, protractor_.GrabZones[1].Bottom);
}

TEST_F(ProtractorTest, MarkLengthsInwardFromRadius239) {
  // A graduation pointing straight up starts on row 2 (radius 239) of
  // column 241: graduation 90 at orientation 0 (a multiple of 10),
  // 85 at orientation 5 and 89 at orientation 1.
  EXPECT_EQ(InkedRun(DrawAt(0), 241, 2), 27);
  EXPECT_EQ(InkedRun(DrawAt(5), 241, 2), 19);
  EXPECT_EQ(InkedRun(DrawAt(1), 241, 2), 11);
  // Row 1 is the outline itself.
  EXPECT_NE(DrawAt(1).PixelAt(241, 1), kWhite);
}

TEST_F(ProtractorTest, OrientationZeroLayout) {
  const TBitmap32& b = DrawAt(0);
  EXPECT_TRUE(Inked(b, 241, 1));       // outline at the top
  EXPECT_EQ(b.PixelAt(241, 481), kWhite);
  EXPECT_TRUE(Reddish(b.PixelAt(10, 241)));   // graduation 0, left
  EXPECT_TRUE(Reddish(b.PixelAt(471, 241)));  // graduation 180, right
  EXPECT_TRUE(Grey(b.PixelAt(241, 10)));      // graduation 90 is grey
  EXPECT_TRUE(Grey(b.PixelAt(150, 241)));     // straight edge
  // Outer label 90 above inner label 90, both about column 241.
  bool teal = false, blue = false;
  for (int y = 28; y < 46; ++y)
    for (int x = 233; x < 250; ++x) teal |= Teal(b.PixelAt(x, y));
  for (int y = 42; y < 57; ++y)
    for (int x = 233; x < 250; ++x) blue |= Bluish(b.PixelAt(x, y));
  EXPECT_TRUE(teal);
  EXPECT_TRUE(blue);
  // Below the straight edge only the labels of the two ends reach.
  for (int y = 256; y < 482; ++y)
    for (int x = 0; x < 482; ++x) ASSERT_EQ(b.PixelAt(x, y), kWhite) << x << "," << y;
}

TEST_F(ProtractorTest, OrientationNinetyTurnsAQuarterClockwise) {
  const TBitmap32& b = DrawAt(90);
  EXPECT_TRUE(Inked(b, 481, 241));  // outline on the right
  EXPECT_EQ(b.PixelAt(1, 241), kWhite);
  EXPECT_TRUE(Reddish(b.PixelAt(241, 10)));   // graduation 0 at the top
  EXPECT_TRUE(Reddish(b.PixelAt(241, 471)));  // graduation 180 at the bottom
  EXPECT_TRUE(Grey(b.PixelAt(241, 150)));     // straight edge vertical
  EXPECT_EQ(b.PixelAt(150, 241), kWhite);
  for (int y = 0; y < 482; ++y)
    for (int x = 0; x < 226; ++x) ASSERT_EQ(b.PixelAt(x, y), kWhite) << x << "," << y;
}

TEST_F(ProtractorTest, HalfTurnPutsTheOutlineBelow) {
  for (int orientation : {180, -180}) {
    const TBitmap32& b = DrawAt(orientation);
    EXPECT_TRUE(Inked(b, 241, 481)) << orientation;
    EXPECT_EQ(b.PixelAt(241, 1), kWhite) << orientation;
    EXPECT_TRUE(Reddish(b.PixelAt(471, 241))) << orientation;  // graduation 0 now right
    for (int y = 0; y < 226; ++y)
      for (int x = 0; x < 482; ++x) ASSERT_EQ(b.PixelAt(x, y), kWhite) << orientation << ": " << x << "," << y;
  }
}

TEST_F(ProtractorTest, WithoutInnerScaleNoInnerNumbersAndALongerEdge) {
  const TBitmap32& on = DrawAt(0, true);
  int blue_on = 0;
  for (int y = 0; y < 482; ++y)
    for (int x = 0; x < 482; ++x) blue_on += Bluish(on.PixelAt(x, y));
  EXPECT_GT(blue_on, 100);
  EXPECT_FALSE(Grey(on.PixelAt(55, 241)));  // the edge stops at radius 182

  const TBitmap32& off = DrawAt(0, false);
  for (int y = 0; y < 482; ++y)
    for (int x = 0; x < 482; ++x) ASSERT_FALSE(Bluish(off.PixelAt(x, y))) << x << "," << y;
  // The edge reaches radius 195: columns 46..237 on the left, 245..435 on
  // the right.
  EXPECT_TRUE(Grey(off.PixelAt(46, 241)));
  EXPECT_TRUE(Grey(off.PixelAt(55, 241)));
  EXPECT_TRUE(Grey(off.PixelAt(435, 241)));
}

TEST_F(ProtractorTest, OrientationsBeyondAHalfTurnBackDrawLikeTheirEquivalent) {
  // -190 is 170 degrees: same pixels, the whole half circle included.
  DrawAt(170);
  TBitmap32 expected;
  expected.SetBitmapSize(482, 482);
  for (int y = 0; y < 482; ++y)
    for (int x = 0; x < 482; ++x) expected.SetPixelAt(x, y, layer_.Bitmap().PixelAt(x, y));
  const TBitmap32& b = DrawAt(-190);
  int differing = 0;
  for (int y = 0; y < 482; ++y)
    for (int x = 0; x < 482; ++x) differing += b.PixelAt(x, y) != expected.PixelAt(x, y);
  EXPECT_EQ(differing, 0);
  // Extreme values draw a whole protractor too.
  for (int orientation : {INT_MIN, INT_MAX, -1000000}) {
    const TBitmap32& x = DrawAt(orientation);
    int inked = 0;
    for (int y = 0; y < 482; ++y)
      for (int c = 0; c < 482; ++c) inked += x.PixelAt(c, y) != kWhite;
    EXPECT_GT(inked, 8000) << orientation;
  }
}


}  // namespace
}  // namespace gradoir
