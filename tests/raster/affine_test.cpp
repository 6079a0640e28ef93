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

TRealPoint Forward(const TAffineTransformation& t, float x, float y) {
  const auto& m = t.Matrix;
  return {m[0][0] * x + m[1][0] * y + m[2][0], m[0][1] * x + m[1][1] * y + m[2][1]};
}

std::array<std::int32_t, 6> Coefficients(const TAffineTransformation& t) {
  return {t.FixA, t.FixB, t.FixC, t.FixD, t.FixE, t.FixF};
}

// Transformation drawing the whole of src, moved by (dx, dy).
TAffineTransformation WholeShifted(const TBitmap32& src, float dx, float dy) {
  TAffineTransformation t;
  t.SetSourceRect(RealRectOf(0, 0, static_cast<float>(src.Width()), static_cast<float>(src.Height())));
  if (dx != 0 || dy != 0) t.Shift(dx, dy);
  return t;
}

TEST(AffineMatrix, EveryChangeClearsPrepared) {
  TAffineTransformation t;
  EXPECT_FALSE(t.Prepared());
  const std::function<void()> changes[] = {[&] { t.SetSourceRect(RealRectOf(0, 0, 1, 1)); },
                                           [&] { t.ResetMatrix(); }, [&] { t.RotateAbout(1, 2, 30); },
                                           [&] { t.Shift(1, 0); }};
  for (const auto& change : changes) {
    t.PrepareInverse();
    ASSERT_TRUE(t.Prepared());
    change();
    EXPECT_FALSE(t.Prepared());
  }
}

TEST(AffineMatrix, OperationsActInCallOrderAndPositiveAnglesTurnCounterClockwise) {
  TAffineTransformation t;
  t.RotateAbout(0, 0, 90);
  t.Shift(5, 0);
  EXPECT_NEAR(Forward(t, 1, 0).X, 5, 1e-6);
  EXPECT_NEAR(Forward(t, 1, 0).Y, -1, 1e-6);

  t.ResetMatrix();
  t.Shift(5, 0);
  t.RotateAbout(0, 0, 90);
  EXPECT_NEAR(Forward(t, 1, 0).X, 0, 1e-5);
  EXPECT_NEAR(Forward(t, 1, 0).Y, -6, 1e-5);

  t.ResetMatrix();
  t.RotateAbout(10, 20, 90);  // one unit right of the centre goes one unit above it
  EXPECT_NEAR(Forward(t, 11, 20).X, 10, 1e-5);
  EXPECT_NEAR(Forward(t, 11, 20).Y, 19, 1e-5);
  EXPECT_EQ(t.Matrix[2][2], 1.0f);
}

TEST(AffineInverse, CoefficientsFollowTheMatrixConventionAndRoundHalfToEven) {
  TAffineTransformation t;
  t.PrepareInverse();
  EXPECT_EQ(Coefficients(t), (std::array<std::int32_t, 6>{4096, 0, 0, 0, 4096, 0}));
  t.RotateAbout(0, 0, 90);  // x' = y, y' = -x; back: x = -y', y = x'
  t.PrepareInverse();
  EXPECT_EQ(Coefficients(t), (std::array<std::int32_t, 6>{0, -4096, 0, 4096, 0, 0}));
  t.ResetMatrix();
  t.Shift(-1.5f / 4096, -2.5f / 4096);
  t.PrepareInverse();
  EXPECT_EQ(t.FixC, 2);
  EXPECT_EQ(t.FixF, 2);
}

TEST(AffineInverse, NearlySingularMatrixIsInvertedAsIdentity) {
  TAffineTransformation t;
  t.Shift(7, 9);
  t.Matrix[0][0] = t.Matrix[1][1] = 0.001f;  // det 1e-6
  t.PrepareInverse();
  EXPECT_EQ(Coefficients(t), (std::array<std::int32_t, 6>{4096, 0, 0, 0, 4096, 0}));
  t.Matrix[0][0] = 0.01f;  // det 1e-5: inverted, x scaled back by 100
  t.PrepareInverse();
  EXPECT_EQ(t.FixA, 409600);
  EXPECT_EQ(t.FixC, -700 * 4096);
}

TEST(AffineMapBack, HalvesGoDownAndSubpixelsRoundWithSeven) {
  TAffineTransformation t;
  t.Shift(-0.5f, 0.25f);  // back: x + 0.5, y - 0.25
  t.PrepareInverse();
  std::int32_t sx = 0, sy = 0;
  t.MapBackToPixel(3, 4, sx, sy);
  EXPECT_EQ(sx, 3);  // 3.5
  t.MapBackToPixel(-4, 0, sx, sy);
  EXPECT_EQ(sx, -4);  // -3.5
  EXPECT_EQ(sy, 0);   // -0.25
  t.MapBackToSubpixel(1, 0, sx, sy);
  EXPECT_EQ(sx, 384);  // 1.5
  EXPECT_EQ(sy, -64);  // -0.25
  // 20.12 -> 24.8: 8/16 of a step goes down, 9/16 up.
  t.FixA = t.FixB = 0;
  t.FixC = 8;
  t.MapBackToSubpixel(0, 0, sx, sy);
  EXPECT_EQ(sx, 0);
  t.FixC = 9;
  t.MapBackToSubpixel(0, 0, sx, sy);
  EXPECT_EQ(sx, 1);
}

TEST(AffineMapBack, HugePositionsAndCoefficientsDoNotWrap) {
  TAffineTransformation t;
  t.FixA = 1000 * 4096;
  std::int32_t sx = 0, sy = 0;
  t.MapBackToPixel(2000000, 5, sx, sy);  // 2e9 fits although the 32-bit product does not
  EXPECT_EQ(sx, 2000000000);
  t.MapBackToPixel(INT_MAX, 0, sx, sy);
  EXPECT_EQ(sx, INT_MAX);
  t.MapBackToPixel(INT_MIN, 0, sx, sy);
  EXPECT_EQ(sx, INT_MIN);
  t.FixA = t.FixB = INT_MIN;  // two products of 2^62 exceed even 64 bits
  t.MapBackToSubpixel(INT_MIN, INT_MIN, sx, sy);
  EXPECT_EQ(sx, INT_MAX);
}

TEST(AffineBounds, RoundOutwardsWithTiesToEven) {
  TAffineTransformation t;
  t.SetSourceRect(RealRectOf(0, 0, 10, 10));
  EXPECT_EQ(t.TransformedBounds(), RectOf(0, 0, 10, 10));
  t.SetSourceRect(RealRectOf(0, 0, 9, 9));
  EXPECT_EQ(t.TransformedBounds(), RectOf(0, 0, 10, 10));
  t.Shift(1, -0.25f);  // x spans 1..10: Round(0.5) = 0, Round(10.5) = 10
  EXPECT_EQ(t.TransformedBounds(), RectOf(0, -1, 10, 9));
}

TEST(TransformBitmapNearest, IdentityCopiesInPlaceAndAQuarterTurnMovesEachPixel) {
  TBitmap32 dst, src;
  Sized(dst, 10, 8, kSentinel);
  FillMarkers(src, 7, 5);
  TAffineTransformation t = WholeShifted(src, 0, 0);
  TransformBitmap(dst, src, t);
  EXPECT_TRUE(t.Prepared());
  ExpectPixels(dst, [](auto x, auto y) { return x < 7 && y < 5 ? Marker(x, y) : kSentinel; });

  dst.FillAll(kSentinel);
  t.RotateAbout(0, 0, 90);
  t.Shift(0, 6);  // (x, y) -> (y, 6 - x)
  TransformBitmap(dst, src, t);
  ExpectPixels(dst, [](auto x, auto y) { return 6 - y >= 0 && x < 5 ? Marker(6 - y, x) : kSentinel; });
}

TEST(TransformBitmapEdges, NearestDrawsWithinHalfAPixelBeforeColumnZeroLinearWithinOne) {
  TBitmap32 src;
  Sized(src, 3, 3, 0xFFFF0000);
  src.OuterColor = 0x000000FF;
  for (float shift : {0.25f, 0.75f, 1.0f}) {
    for (TStretchFilter filter : {sfNearest, sfLinear}) {
      TBitmap32 dst;
      Sized(dst, 6, 3, kSentinel);
      src.SetStretchFilter(filter);
      TAffineTransformation t = WholeShifted(src, shift, 0);  // column 0 maps back to -shift
      TransformBitmap(dst, src, t);
      // Row 1 lies on a source row, so only the horizontal mix counts.
      const std::uint32_t weight_of_outer = 255 - ((256 - static_cast<std::uint32_t>(shift * 256)) & 255);
      const TColor32 row = Mix(src.OuterColor, 0xFFFF0000, weight_of_outer);
      const TColor32 want = filter == sfLinear ? Mix(row, row, 255) : (shift < 0.5f ? 0xFFFF0000 : kSentinel);
      EXPECT_EQ(dst.PixelAt(0, 1), want) << shift << " filter " << int(filter);
    }
  }
}

TEST(TransformBitmapLinear, OnWhiteBesideBlackGives254AndWhiteStaysWhite) {
  TBitmap32 dst, src;
  Sized(src, 2, 2, kWhite);
  src.SetPixelAt(1, 0, 0xFF000000);
  src.SetPixelAt(1, 1, 0xFF000000);
  src.SetStretchFilter(sfLinear);
  Sized(dst, 2, 2, kSentinel);
  TAffineTransformation t = WholeShifted(src, 0, 0);
  TransformBitmap(dst, src, t);
  EXPECT_EQ(dst.PixelAt(0, 0), 0xFFFEFEFEu);
  src.FillAll(kWhite);
  TransformBitmap(dst, src, t);
  EXPECT_EQ(dst.PixelAt(0, 0), kWhite);
}

TEST(SampleBilinear, ReachesOnePixelBeforeTheClipAndReadsRealPixelsOutsideIt) {
  TBitmap32 src;
  FillMarkers(src, 5, 5);
  const TRect clip = RectOf(1, 1, 3, 3);  // inclusive
  EXPECT_FALSE(SampleBilinear(src, clip, -1, 256));
  EXPECT_FALSE(SampleBilinear(src, clip, 3 * 256, 256));
  EXPECT_FALSE(SampleBilinear(src, clip, 256, 3 * 256));
  EXPECT_FALSE(SampleBilinear(src, clip, std::int64_t{1} << 40, 256));  // never wraps back in
  EXPECT_TRUE(SampleBilinear(src, clip, 2 * 256 + 255, 2 * 256 + 255));
  const TColor32 top = Mix(Marker(0, 0), Marker(1, 0), 255), bottom = Mix(Marker(0, 1), Marker(1, 1), 255);
  EXPECT_EQ(SampleBilinear(src, clip, 0, 0), Mix(top, bottom, 255));
}

TEST(TransformBitmapModes, OpaqueAndHandlerlessCustomWriteAlphaBlendScalesByMasterAlpha) {
  TBitmap32 dst, src;
  Sized(src, 2, 2, 0x00ABCDEF);
  TAffineTransformation t = WholeShifted(src, 0, 0);
  for (TDrawMode mode : {dmOpaque, dmCustom}) {
    src.SetDrawMode(mode);
    Sized(dst, 2, 2, kWhite);
    TransformBitmap(dst, src, t);
    EXPECT_EQ(dst.PixelAt(1, 1), 0x00ABCDEFu) << "mode " << int(mode);
  }
  src.FillAll(0xC0000000);
  src.SetDrawMode(dmBlend);
  src.SetMasterAlpha(100);
  dst.FillAll(kWhite);
  TransformBitmap(dst, src, t);
  EXPECT_EQ(dst.PixelAt(1, 0), Mix(0xC0000000, kWhite, ((100 + 1) * 0xC0) >> 8));
}

TEST(TransformBitmapModes, SourceHandlerDecidesOncePerPixelInRowOrderDestinationsPlaysNoPart) {
  TBitmap32 dst, src;
  FillMarkers(dst, 5, 4);
  dst.SetDrawMode(dmBlend);
  dst.OnPixelCombine = [](TColor32, TColor32& b, TColor32) { b = 0; };
  Sized(src, 3, 2, kWhite);
  src.SetPixelAt(1, 1, 0xFF00FF00);
  src.SetDrawMode(dmCustom);
  src.SetMasterAlpha(42);
  std::vector<const TColor32*> visited;
  src.OnPixelCombine = [&](TColor32 f, TColor32& b, TColor32 m) {
    EXPECT_EQ(m, 42u);
    visited.push_back(&b);
    if (f != kWhite) b = f;
  };
  TAffineTransformation t = WholeShifted(src, 1, 1);
  TransformBitmap(dst, src, t);
  std::vector<const TColor32*> expected;
  for (std::int32_t y = 1; y < 3; ++y)
    for (std::int32_t x = 1; x < 4; ++x) expected.push_back(dst.PixelAddress(x, y));
  EXPECT_EQ(visited, expected);
  ExpectPixels(dst, [](auto x, auto y) { return x == 2 && y == 2 ? 0xFF00FF00u : Marker(x, y); });
}

TEST(TransformBitmapLimits, NothingCoveredMeansNothingDrawnAndNothingNotified) {
  TBitmap32 dst, src, empty;
  Sized(dst, 4, 4, kSentinel);
  FillMarkers(src, 3, 3);
  int changes = 0;
  dst.OnChange = [&](TThreadPersistent*) { ++changes; };
  TAffineTransformation whole = WholeShifted(src, 0, 0), far = WholeShifted(src, 100, 0), off_source;
  off_source.SetSourceRect(RealRectOf(5, 5, 9, 9));
  TransformBitmap(dst, empty, whole);
  TransformBitmap(dst, src, far);
  TransformBitmap(dst, src, off_source);
  EXPECT_EQ(changes, 0);
  ExpectPixels(dst, [](auto, auto) { return kSentinel; });
  TransformBitmap(dst, src, whole);
  EXPECT_EQ(changes, 1);
}

// Random and absurd transformations: the sanitizer build catches any stray
// access; every pixel must stay untouched or become a source pixel.
TEST(TransformBitmapLimits, ArbitraryTransformationsStayInsideBothBitmaps) {
  std::mt19937 rng(1234);
  std::uniform_real_distribution<float> angle(-720, 720), offset(-50, 50), huge(-3e9f, 3e9f);
  std::uniform_int_distribution<std::int32_t> any_int(INT_MIN, INT_MAX);
  TBitmap32 src;
  FillMarkers(src, 5, 4);
  for (int round = 0; round < 400; ++round) {
    TBitmap32 dst;
    Sized(dst, 1 + round % 13, 1 + round % 7, kSentinel);
    src.SetStretchFilter(round % 2 ? sfLinear : sfNearest);
    TAffineTransformation t;
    t.SetSourceRect(RealRectOf(offset(rng), offset(rng), offset(rng), offset(rng)));
    t.RotateAbout(offset(rng), offset(rng), angle(rng));
    t.Shift(round % 5 == 0 ? huge(rng) : offset(rng), offset(rng));
    if (round % 7 == 0) {
      t.PrepareInverse();
      t.FixA = any_int(rng);
      t.FixB = any_int(rng);
      t.FixC = any_int(rng);
      t.FixD = any_int(rng);
    }
    TransformBitmap(dst, src, t);
    if (src.StretchFilter() != sfNearest) continue;  // linear samples are mixes
    ExpectPixels(dst, [&](auto x, auto y) {
      const TColor32 c = dst.PixelAt(x, y);
      return (c == kSentinel || IsMarkerWithin(c, 5, 4)) ? c : kSentinel;
    });
  }
}

}  // namespace
}  // namespace gradoir
