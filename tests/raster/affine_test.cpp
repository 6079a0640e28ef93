#include "raster/affine.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "raster/bilinear.h"
#include "raster/geometry.h"
#include "tests/raster/pixel_checks.h"

namespace gradoir {
namespace {

using namespace gradoir::testing;

PointF forward(const AffineTransform& t, float x, float y) {
  const auto& m = t.matrix;
  return {m[0][0] * x + m[1][0] * y + m[2][0], m[0][1] * x + m[1][1] * y + m[2][1]};
}

std::array<std::int32_t, 6> coefficients(const AffineTransform& t) {
  return {t.fixA, t.fixB, t.fixC, t.fixD, t.fixE, t.fixF};
}

// Transformation drawing the whole of src, moved by (dx, dy).
AffineTransform wholeShifted(const Bitmap32& src, float dx, float dy) {
  AffineTransform t;
  t.setSourceRect(realRectOf(0, 0, static_cast<float>(src.width()), static_cast<float>(src.height())));
  if (dx != 0 || dy != 0) t.shift(dx, dy);
  return t;
}

TEST(AffineMatrix, EveryChangeClearsPrepared) {
  AffineTransform t;
  EXPECT_FALSE(t.prepared());
  const std::function<void()> changes[] = {[&] { t.setSourceRect(realRectOf(0, 0, 1, 1)); },
                                           [&] { t.resetMatrix(); }, [&] { t.rotateAbout(1, 2, 30); },
                                           [&] { t.shift(1, 0); }};
  for (const auto& change : changes) {
    t.prepareInverse();
    ASSERT_TRUE(t.prepared());
    change();
    EXPECT_FALSE(t.prepared());
  }
}

TEST(AffineMatrix, OperationsActInCallOrderAndPositiveAnglesTurnCounterClockwise) {
  AffineTransform t;
  t.rotateAbout(0, 0, 90);
  t.shift(5, 0);
  EXPECT_NEAR(forward(t, 1, 0).x, 5, 1e-6);
  EXPECT_NEAR(forward(t, 1, 0).y, -1, 1e-6);

  t.resetMatrix();
  t.shift(5, 0);
  t.rotateAbout(0, 0, 90);
  EXPECT_NEAR(forward(t, 1, 0).x, 0, 1e-5);
  EXPECT_NEAR(forward(t, 1, 0).y, -6, 1e-5);

  t.resetMatrix();
  t.rotateAbout(10, 20, 90);  // one unit right of the centre goes one unit above it
  EXPECT_NEAR(forward(t, 11, 20).x, 10, 1e-5);
  EXPECT_NEAR(forward(t, 11, 20).y, 19, 1e-5);
  EXPECT_EQ(t.matrix[2][2], 1.0f);
}

TEST(AffineInverse, CoefficientsFollowTheMatrixConventionAndRoundHalfToEven) {
  AffineTransform t;
  t.prepareInverse();
  EXPECT_EQ(coefficients(t), (std::array<std::int32_t, 6>{4096, 0, 0, 0, 4096, 0}));
  t.rotateAbout(0, 0, 90);  // x' = y, y' = -x; back: x = -y', y = x'
  t.prepareInverse();
  EXPECT_EQ(coefficients(t), (std::array<std::int32_t, 6>{0, -4096, 0, 4096, 0, 0}));
  t.resetMatrix();
  t.shift(-1.5f / 4096, -2.5f / 4096);
  t.prepareInverse();
  EXPECT_EQ(t.fixC, 2);
  EXPECT_EQ(t.fixF, 2);
}

TEST(AffineInverse, NearlySingularMatrixIsInvertedAsIdentity) {
  AffineTransform t;
  t.shift(7, 9);
  t.matrix[0][0] = t.matrix[1][1] = 0.001f;  // det 1e-6
  t.prepareInverse();
  EXPECT_EQ(coefficients(t), (std::array<std::int32_t, 6>{4096, 0, 0, 0, 4096, 0}));
  t.matrix[0][0] = 0.01f;  // det 1e-5: inverted, x scaled back by 100
  t.prepareInverse();
  EXPECT_EQ(t.fixA, 409600);
  EXPECT_EQ(t.fixC, -700 * 4096);
}

TEST(AffineMapBack, HalvesGoDownAndSubpixelsRoundWithSeven) {
  AffineTransform t;
  t.shift(-0.5f, 0.25f);  // back: x + 0.5, y - 0.25
  t.prepareInverse();
  std::int32_t sx = 0, sy = 0;
  t.mapBackToPixel(3, 4, sx, sy);
  EXPECT_EQ(sx, 3);  // 3.5
  t.mapBackToPixel(-4, 0, sx, sy);
  EXPECT_EQ(sx, -4);  // -3.5
  EXPECT_EQ(sy, 0);   // -0.25
  t.mapBackToSubpixel(1, 0, sx, sy);
  EXPECT_EQ(sx, 384);  // 1.5
  EXPECT_EQ(sy, -64);  // -0.25
  // 20.12 -> 24.8: 8/16 of a step goes down, 9/16 up.
  t.fixA = t.fixB = 0;
  t.fixC = 8;
  t.mapBackToSubpixel(0, 0, sx, sy);
  EXPECT_EQ(sx, 0);
  t.fixC = 9;
  t.mapBackToSubpixel(0, 0, sx, sy);
  EXPECT_EQ(sx, 1);
}

TEST(AffineMapBack, HugePositionsAndCoefficientsDoNotWrap) {
  AffineTransform t;
  t.fixA = 1000 * 4096;
  std::int32_t sx = 0, sy = 0;
  t.mapBackToPixel(2000000, 5, sx, sy);  // 2e9 fits although the 32-bit product does not
  EXPECT_EQ(sx, 2000000000);
  t.mapBackToPixel(INT_MAX, 0, sx, sy);
  EXPECT_EQ(sx, INT_MAX);
  t.mapBackToPixel(INT_MIN, 0, sx, sy);
  EXPECT_EQ(sx, INT_MIN);
  t.fixA = t.fixB = INT_MIN;  // two products of 2^62 exceed even 64 bits
  t.mapBackToSubpixel(INT_MIN, INT_MIN, sx, sy);
  EXPECT_EQ(sx, INT_MAX);
}

TEST(AffineBounds, RoundOutwardsWithTiesToEven) {
  AffineTransform t;
  t.setSourceRect(realRectOf(0, 0, 10, 10));
  EXPECT_EQ(t.transformedBounds(), rectOf(0, 0, 10, 10));
  t.setSourceRect(realRectOf(0, 0, 9, 9));
  EXPECT_EQ(t.transformedBounds(), rectOf(0, 0, 10, 10));
  t.shift(1, -0.25f);  // x spans 1..10: Round(0.5) = 0, Round(10.5) = 10
  EXPECT_EQ(t.transformedBounds(), rectOf(0, -1, 10, 9));
}

TEST(TransformBitmapNearest, IdentityCopiesInPlaceAndAQuarterTurnMovesEachPixel) {
  Bitmap32 dst, src;
  sized(dst, 10, 8, kSentinel);
  fillMarkers(src, 7, 5);
  AffineTransform t = wholeShifted(src, 0, 0);
  transformBitmap(dst, src, t);
  EXPECT_TRUE(t.prepared());
  expectPixels(dst, [](auto x, auto y) { return x < 7 && y < 5 ? marker(x, y) : kSentinel; });

  dst.fillAll(kSentinel);
  t.rotateAbout(0, 0, 90);
  t.shift(0, 6);  // (x, y) -> (y, 6 - x)
  transformBitmap(dst, src, t);
  expectPixels(dst, [](auto x, auto y) { return 6 - y >= 0 && x < 5 ? marker(6 - y, x) : kSentinel; });
}

TEST(TransformBitmapEdges, NearestDrawsWithinHalfAPixelBeforeColumnZeroLinearWithinOne) {
  Bitmap32 src;
  sized(src, 3, 3, 0xFFFF0000);
  src.outerColor = 0x000000FF;
  for (float shift : {0.25f, 0.75f, 1.0f}) {
    for (StretchFilter filter : {StretchFilter::Nearest, StretchFilter::Linear}) {
      Bitmap32 dst;
      sized(dst, 6, 3, kSentinel);
      src.setStretchFilter(filter);
      AffineTransform t = wholeShifted(src, shift, 0);  // column 0 maps back to -shift
      transformBitmap(dst, src, t);
      // Row 1 lies on a source row, so only the horizontal mix counts.
      const std::uint32_t weightOfOuter = 255 - ((256 - static_cast<std::uint32_t>(shift * 256)) & 255);
      const Color32 row = mix(src.outerColor, 0xFFFF0000, weightOfOuter);
      const Color32 want = filter == StretchFilter::Linear ? mix(row, row, 255) : (shift < 0.5f ? 0xFFFF0000 : kSentinel);
      EXPECT_EQ(dst.pixelAt(0, 1), want) << shift << " filter " << int(filter);
    }
  }
}

TEST(TransformBitmapLinear, OnWhiteBesideBlackGives254AndWhiteStaysWhite) {
  Bitmap32 dst, src;
  sized(src, 2, 2, kWhite);
  src.setPixelAt(1, 0, 0xFF000000);
  src.setPixelAt(1, 1, 0xFF000000);
  src.setStretchFilter(StretchFilter::Linear);
  sized(dst, 2, 2, kSentinel);
  AffineTransform t = wholeShifted(src, 0, 0);
  transformBitmap(dst, src, t);
  EXPECT_EQ(dst.pixelAt(0, 0), 0xFFFEFEFEu);
  src.fillAll(kWhite);
  transformBitmap(dst, src, t);
  EXPECT_EQ(dst.pixelAt(0, 0), kWhite);
}

TEST(SampleBilinear, ReachesOnePixelBeforeTheClipAndReadsRealPixelsOutsideIt) {
  Bitmap32 src;
  fillMarkers(src, 5, 5);
  const Rect clip = rectOf(1, 1, 3, 3);  // inclusive
  EXPECT_FALSE(sampleBilinear(src, clip, -1, 256));
  EXPECT_FALSE(sampleBilinear(src, clip, 3 * 256, 256));
  EXPECT_FALSE(sampleBilinear(src, clip, 256, 3 * 256));
  EXPECT_FALSE(sampleBilinear(src, clip, std::int64_t{1} << 40, 256));  // never wraps back in
  EXPECT_TRUE(sampleBilinear(src, clip, 2 * 256 + 255, 2 * 256 + 255));
  const Color32 top = mix(marker(0, 0), marker(1, 0), 255), bottom = mix(marker(0, 1), marker(1, 1), 255);
  EXPECT_EQ(sampleBilinear(src, clip, 0, 0), mix(top, bottom, 255));
}

TEST(TransformBitmapModes, OpaqueAndHandlerlessCustomWriteAlphaBlendScalesByMasterAlpha) {
  Bitmap32 dst, src;
  sized(src, 2, 2, 0x00ABCDEF);
  AffineTransform t = wholeShifted(src, 0, 0);
  for (DrawMode mode : {DrawMode::Opaque, DrawMode::Custom}) {
    src.setDrawMode(mode);
    sized(dst, 2, 2, kWhite);
    transformBitmap(dst, src, t);
    EXPECT_EQ(dst.pixelAt(1, 1), 0x00ABCDEFu) << "mode " << int(mode);
  }
  src.fillAll(0xC0000000);
  src.setDrawMode(DrawMode::Blend);
  src.setMasterAlpha(100);
  dst.fillAll(kWhite);
  transformBitmap(dst, src, t);
  EXPECT_EQ(dst.pixelAt(1, 0), mix(0xC0000000, kWhite, ((100 + 1) * 0xC0) >> 8));
}

TEST(TransformBitmapModes, SourceHandlerDecidesOncePerPixelInRowOrderDestinationsPlaysNoPart) {
  Bitmap32 dst, src;
  fillMarkers(dst, 5, 4);
  dst.setDrawMode(DrawMode::Blend);
  dst.pixelCombiner = [](Color32, Color32& b, Color32) { b = 0; };
  sized(src, 3, 2, kWhite);
  src.setPixelAt(1, 1, 0xFF00FF00);
  src.setDrawMode(DrawMode::Custom);
  src.setMasterAlpha(42);
  std::vector<const Color32*> visited;
  src.pixelCombiner = [&](Color32 f, Color32& b, Color32 m) {
    EXPECT_EQ(m, 42u);
    visited.push_back(&b);
    if (f != kWhite) b = f;
  };
  AffineTransform t = wholeShifted(src, 1, 1);
  transformBitmap(dst, src, t);
  std::vector<const Color32*> expected;
  for (std::int32_t y = 1; y < 3; ++y)
    for (std::int32_t x = 1; x < 4; ++x) expected.push_back(dst.pixelAddress(x, y));
  EXPECT_EQ(visited, expected);
  expectPixels(dst, [](auto x, auto y) { return x == 2 && y == 2 ? 0xFF00FF00u : marker(x, y); });
}

TEST(TransformBitmapLimits, NothingCoveredMeansNothingDrawnAndNothingNotified) {
  Bitmap32 dst, src, empty;
  sized(dst, 4, 4, kSentinel);
  fillMarkers(src, 3, 3);
  int changes = 0;
  dst.onChange = [&](Bitmap32*) { ++changes; };
  AffineTransform whole = wholeShifted(src, 0, 0), far = wholeShifted(src, 100, 0), offSource;
  offSource.setSourceRect(realRectOf(5, 5, 9, 9));
  transformBitmap(dst, empty, whole);
  transformBitmap(dst, src, far);
  transformBitmap(dst, src, offSource);
  EXPECT_EQ(changes, 0);
  expectPixels(dst, [](auto, auto) { return kSentinel; });
  transformBitmap(dst, src, whole);
  EXPECT_EQ(changes, 1);
}

// Random and absurd transformations: the sanitizer build catches any stray
// access; every pixel must stay untouched or become a source pixel.
TEST(TransformBitmapLimits, ArbitraryTransformationsStayInsideBothBitmaps) {
  std::mt19937 rng(1234);
  std::uniform_real_distribution<float> angle(-720, 720), offset(-50, 50), huge(-3e9f, 3e9f);
  std::uniform_int_distribution<std::int32_t> anyInt(INT_MIN, INT_MAX);
  Bitmap32 src;
  fillMarkers(src, 5, 4);
  for (int round = 0; round < 400; ++round) {
    Bitmap32 dst;
    sized(dst, 1 + round % 13, 1 + round % 7, kSentinel);
    src.setStretchFilter(round % 2 ? StretchFilter::Linear : StretchFilter::Nearest);
    AffineTransform t;
    t.setSourceRect(realRectOf(offset(rng), offset(rng), offset(rng), offset(rng)));
    t.rotateAbout(offset(rng), offset(rng), angle(rng));
    t.shift(round % 5 == 0 ? huge(rng) : offset(rng), offset(rng));
    if (round % 7 == 0) {
      t.prepareInverse();
      t.fixA = anyInt(rng);
      t.fixB = anyInt(rng);
      t.fixC = anyInt(rng);
      t.fixD = anyInt(rng);
    }
    transformBitmap(dst, src, t);
    if (src.stretchFilter() != StretchFilter::Nearest) continue;  // linear samples are mixes
    expectPixels(dst, [&](auto x, auto y) {
      const Color32 c = dst.pixelAt(x, y);
      return (c == kSentinel || isMarkerWithin(c, 5, 4)) ? c : kSentinel;
    });
  }
}

}  // namespace
}  // namespace gradoir
