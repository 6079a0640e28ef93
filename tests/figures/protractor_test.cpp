#include "figures/protractor.h"

#include <gtest/gtest.h>

#include <climits>

#include "figure_test_support.h"

namespace gradoir {
namespace {

using test::blue;
using test::green;
using test::inked;
using test::kWhite;
using test::red;

bool reddish(Color32 c) { return red(c) > green(c) + 100 && red(c) > blue(c) + 100; }
bool bluish(Color32 c) { return blue(c) > red(c) + 60 && blue(c) > green(c) + 60; }
bool teal(Color32 c) { return green(c) > red(c) + 40 && blue(c) > red(c) + 40; }
bool grey(Color32 c) { return c != kWhite && red(c) == green(c) && green(c) == blue(c); }

class ProtractorTest : public ::testing::Test {
 protected:

  const Bitmap32& drawAt(std::int32_t orientation, bool innerScale = true) {
    m_protractor = Protractor(240, innerScale);
    m_protractor.setOrientation(orientation);
    m_protractor.draw(m_bitmap, m_location);
    return m_bitmap;
  }

  // Rows inked in one column, from row `from` downward while they stay inked.
  int inkedRun(const Bitmap32& b, int x, int from) {
    int n = 0;
    while (from + n < b.height() && b.pixelAt(x, from + n) != kWhite) ++n;
    return n;
  }

  Bitmap32 m_bitmap;
  RectF m_location{0, 0, 482, 482};
  Protractor m_protractor{240, true};
};


TEST_F(ProtractorTest, BitmapSizeAndCentre) {
  m_bitmap.setBitmapSize(10, 10);
  const Bitmap32& b = drawAt(0);
  EXPECT_EQ(b.width(), 482);
  EXPECT_EQ(b.height(), 482);
  // The red circle of radius 3 about (241, 241), white inside.
  EXPECT_EQ(b.pixelAt(241, 241), kWhite);
  EXPECT_TRUE(reddish(b.pixelAt(241, 238)));
  EXPECT_TRUE(reddish(b.pixelAt(241, 244)));
  EXPECT_TRUE(reddish(b.pixelAt(238, 240)));
  EXPECT_EQ(b.pixelAt(0, 0), kWhite);
  EXPECT_EQ(b.pixelAt(481, 481), kWhite);
}

TEST_F(ProtractorTest, GrabZonesAtOrientationZero) {
  drawAt(0);
  EXPECT_EQ(m_protractor.grabZone(GrabZone::ZeroEnd), (Rect{1, 236, 29, 246}));
  EXPECT_EQ(m_protractor.grabZone(GrabZone::Centre), (Rect{231, 231, 251, 251}));
  EXPECT_EQ(m_protractor.grabZone(GrabZone::End180), (Rect{453, 236, 481, 246}));
}

TEST_F(ProtractorTest, GrabZonesFollowTheLayerAndTheOrientation) {
  // Centred on a 1000 x 700 canvas: centre (500, 350).
  drawAt(0);
  m_location = RectF{259, 109, 741, 591};
  m_protractor.updateGrabZones(m_location);
  EXPECT_EQ(m_protractor.grabZone(GrabZone::ZeroEnd), (Rect{260, 345, 288, 355}));
  EXPECT_EQ(m_protractor.grabZone(GrabZone::Centre), (Rect{490, 340, 510, 360}));
  EXPECT_EQ(m_protractor.grabZone(GrabZone::End180), (Rect{712, 345, 740, 355}));

  // Turned a quarter: the zero end at the top, the 180 end at the bottom.
  m_location = RectF{0, 0, 482, 482};
  drawAt(90);
  EXPECT_EQ(m_protractor.grabZone(GrabZone::ZeroEnd), (Rect{236, 1, 246, 29}));
  EXPECT_EQ(m_protractor.grabZone(GrabZone::Centre), (Rect{231, 231, 251, 251}));
  EXPECT_EQ(m_protractor.grabZone(GrabZone::End180), (Rect{236, 453, 246, 481}));

  // Diagonal: the zone is the box spanned by the two corners, thick enough.
  drawAt(45);
  const Rect z1 = m_protractor.grabZone(GrabZone::ZeroEnd);
  EXPECT_EQ(z1.right - z1.left, z1.bottom - z1.top);
  EXPECT_GE(z1.right - z1.left, 19);
  EXPECT_LE(z1.left, 72);  // the outline at 45 degrees up-left: 241 - 240 cos 45
}


TEST_F(ProtractorTest, ZonesOfALayerDraggedPastTheIntegerRangeSaturate) {
  drawAt(0);
  m_location = RectF{3.0e9f, -3.0e9f, 3.0e9f + 482, -3.0e9f + 482};
  m_protractor.updateGrabZones(m_location);
  EXPECT_EQ(m_protractor.grabZone(GrabZone::Centre), (Rect{INT_MAX, INT_MIN + 231, INT_MAX, INT_MIN + 251}));
  EXPECT_EQ(m_protractor.grabZone(GrabZone::ZeroEnd).right, INT_MAX);
  EXPECT_LE(m_protractor.grabZone(GrabZone::ZeroEnd).top, m_protractor.grabZone(GrabZone::ZeroEnd).bottom);
}

TEST_F(ProtractorTest, MarkLengthsInwardFromRadius239) {
  // A graduation pointing straight up starts on row 2 (radius 239) of
  // column 241: graduation 90 at orientation 0 (a multiple of 10),
  // 85 at orientation 5 and 89 at orientation 1.
  EXPECT_EQ(inkedRun(drawAt(0), 241, 2), 27);
  EXPECT_EQ(inkedRun(drawAt(5), 241, 2), 19);
  EXPECT_EQ(inkedRun(drawAt(1), 241, 2), 11);
  // Row 1 is the outline itself.
  EXPECT_NE(drawAt(1).pixelAt(241, 1), kWhite);
}

TEST_F(ProtractorTest, OrientationZeroLayout) {
  const Bitmap32& b = drawAt(0);
  EXPECT_TRUE(inked(b, 241, 1));       // outline at the top
  EXPECT_EQ(b.pixelAt(241, 481), kWhite);
  EXPECT_TRUE(reddish(b.pixelAt(10, 241)));   // graduation 0, left
  EXPECT_TRUE(reddish(b.pixelAt(471, 241)));  // graduation 180, right
  EXPECT_TRUE(grey(b.pixelAt(241, 10)));      // graduation 90 is grey
  EXPECT_TRUE(grey(b.pixelAt(150, 241)));     // straight edge
  // Outer label 90 above inner label 90, both about column 241.
  bool tealSeen = false, blueSeen = false;
  for (int y = 28; y < 46; ++y)
    for (int x = 233; x < 250; ++x) tealSeen |= teal(b.pixelAt(x, y));
  for (int y = 42; y < 57; ++y)
    for (int x = 233; x < 250; ++x) blueSeen |= bluish(b.pixelAt(x, y));
  EXPECT_TRUE(tealSeen);
  EXPECT_TRUE(blueSeen);
  // Below the straight edge only the labels of the two ends reach.
  for (int y = 256; y < 482; ++y)
    for (int x = 0; x < 482; ++x) ASSERT_EQ(b.pixelAt(x, y), kWhite) << x << "," << y;
}

TEST_F(ProtractorTest, OrientationNinetyTurnsAQuarterClockwise) {
  const Bitmap32& b = drawAt(90);
  EXPECT_TRUE(inked(b, 481, 241));  // outline on the right
  EXPECT_EQ(b.pixelAt(1, 241), kWhite);
  EXPECT_TRUE(reddish(b.pixelAt(241, 10)));   // graduation 0 at the top
  EXPECT_TRUE(reddish(b.pixelAt(241, 471)));  // graduation 180 at the bottom
  EXPECT_TRUE(grey(b.pixelAt(241, 150)));     // straight edge vertical
  EXPECT_EQ(b.pixelAt(150, 241), kWhite);
  for (int y = 0; y < 482; ++y)
    for (int x = 0; x < 226; ++x) ASSERT_EQ(b.pixelAt(x, y), kWhite) << x << "," << y;
}

TEST_F(ProtractorTest, HalfTurnPutsTheOutlineBelow) {
  for (int orientation : {180, -180}) {
    const Bitmap32& b = drawAt(orientation);
    EXPECT_TRUE(inked(b, 241, 481)) << orientation;
    EXPECT_EQ(b.pixelAt(241, 1), kWhite) << orientation;
    EXPECT_TRUE(reddish(b.pixelAt(471, 241))) << orientation;  // graduation 0 now right
    for (int y = 0; y < 226; ++y)
      for (int x = 0; x < 482; ++x) ASSERT_EQ(b.pixelAt(x, y), kWhite) << orientation << ": " << x << "," << y;
  }
}

TEST_F(ProtractorTest, WithoutInnerScaleNoInnerNumbersAndALongerEdge) {
  const Bitmap32& on = drawAt(0, true);
  int blueOn = 0;
  for (int y = 0; y < 482; ++y)
    for (int x = 0; x < 482; ++x) blueOn += bluish(on.pixelAt(x, y));
  EXPECT_GT(blueOn, 100);
  EXPECT_FALSE(grey(on.pixelAt(55, 241)));  // the edge stops at radius 182

  const Bitmap32& off = drawAt(0, false);
  for (int y = 0; y < 482; ++y)
    for (int x = 0; x < 482; ++x) ASSERT_FALSE(bluish(off.pixelAt(x, y))) << x << "," << y;
  // The edge reaches radius 195: columns 46..237 on the left, 245..435 on
  // the right.
  EXPECT_TRUE(grey(off.pixelAt(46, 241)));
  EXPECT_TRUE(grey(off.pixelAt(55, 241)));
  EXPECT_TRUE(grey(off.pixelAt(435, 241)));
}

TEST_F(ProtractorTest, OrientationsBeyondAHalfTurnBackDrawLikeTheirEquivalent) {
  // -190 is 170 degrees: same pixels, the whole half circle included.
  drawAt(170);
  Bitmap32 expected;
  expected.setBitmapSize(482, 482);
  for (int y = 0; y < 482; ++y)
    for (int x = 0; x < 482; ++x) expected.setPixelAt(x, y, m_bitmap.pixelAt(x, y));
  const Bitmap32& b = drawAt(-190);
  int differing = 0;
  for (int y = 0; y < 482; ++y)
    for (int x = 0; x < 482; ++x) differing += b.pixelAt(x, y) != expected.pixelAt(x, y);
  EXPECT_EQ(differing, 0);
  // Extreme values draw a whole protractor too.
  for (int orientation : {INT_MIN, INT_MAX, -1000000}) {
    const Bitmap32& x = drawAt(orientation);
    int inked = 0;
    for (int y = 0; y < 482; ++y)
      for (int c = 0; c < 482; ++c) inked += x.pixelAt(c, y) != kWhite;
    EXPECT_GT(inked, 8000) << orientation;
  }
}


}  // namespace
}  // namespace gradoir
