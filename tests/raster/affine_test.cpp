#include "raster/affine.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "raster/bilinear.h"
#include "raster/geometry.h"

namespace gradoir {
namespace {

constexpr TColor32 kSentinel = 0xFF102030;
constexpr TColor32 kWhite = 0xFFFFFFFF;
constexpr TColor32 kBlack = 0xFF000000;

TColor32 Marker(std::int32_t x, std::int32_t y) { return 0xFF000000u | (static_cast<TColor32>(x) << 8) | y; }

void Size(TBitmap32& b, std::int32_t w, std::int32_t h, TColor32 fill) {
  b.SetBitmapSize(w, h);
  b.FillAll(fill);
}

void FillMarkers(TBitmap32& b, std::int32_t w, std::int32_t h) {
  b.SetBitmapSize(w, h);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) b.SetPixelAt(x, y, Marker(x, y));
}

// Channel formula of the blend functions, written out for the expectations.
TColor32 Mix(TColor32 x, TColor32 y, std::uint32_t w) {
  TColor32 r = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t cx = (x >> shift) & 255, cy = (y >> shift) & 255;
    r |= (((w * cx + (256 - w) * cy + 128) >> 8) & 255) << shift;
  }
  return r;
}

TRealPoint Forward(const TAffineTransformation& t, float x, float y) {
  const auto& m = t.Matrix;
  return {m[0][0] * x + m[1][0] * y + m[2][0], m[0][1] * x + m[1][1] * y + m[2][1]};
}

TRealRect WholeOf(const TBitmap32& b) {
  return RealRectOf(0, 0, static_cast<float>(b.Width()), static_cast<float>(b.Height()));
}

TEST(AffineMatrix, StartsAsIdentityAndEveryChangeClearsPrepared) {
  TAffineTransformation t;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(t.Matrix[i][j], i == j ? 1.0f : 0.0f);
  EXPECT_EQ(t.SourceRect(), RealRectOf(0, 0, 0, 0));
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

TEST(AffineMatrix, OperationsActInTheOrderTheyAreCalled) {
  TAffineTransformation rotate_then_shift;
  rotate_then_shift.RotateAbout(0, 0, 90);
  rotate_then_shift.Shift(5, 0);
  TRealPoint p = Forward(rotate_then_shift, 1, 0);
  EXPECT_NEAR(p.X, 5, 1e-6);
  EXPECT_NEAR(p.Y, -1, 1e-6);

  TAffineTransformation shift_then_rotate;
  shift_then_rotate.Shift(5, 0);
  shift_then_rotate.RotateAbout(0, 0, 90);
  p = Forward(shift_then_rotate, 1, 0);
  EXPECT_NEAR(p.X, 0, 1e-5);
  EXPECT_NEAR(p.Y, -6, 1e-5);
}

TEST(AffineMatrix, PositiveAngleTurnsCounterClockwiseOnScreenAboutTheCentre) {
  TAffineTransformation t;
  t.RotateAbout(10, 20, 90);
  const TRealPoint right_of_centre = Forward(t, 11, 20);
  EXPECT_NEAR(right_of_centre.X, 10, 1e-5);
  EXPECT_NEAR(right_of_centre.Y, 19, 1e-5);  // one unit above
  const TRealPoint centre = Forward(t, 10, 20);
  EXPECT_NEAR(centre.X, 10, 1e-5);
  EXPECT_NEAR(centre.Y, 20, 1e-5);
  EXPECT_EQ(t.Matrix[0][2], 0.0f);
  EXPECT_EQ(t.Matrix[1][2], 0.0f);
  EXPECT_EQ(t.Matrix[2][2], 1.0f);
}

TEST(AffineInverse, CoefficientsFollowTheMatrixConvention) {
  TAffineTransformation t;
  t.PrepareInverse();
  EXPECT_EQ(std::vector<std::int32_t>({t.FixA, t.FixB, t.FixC, t.FixD, t.FixE, t.FixF}),
            std::vector<std::int32_t>({4096, 0, 0, 0, 4096, 0}));

  t.Shift(2.5f, -1);
  t.PrepareInverse();
  EXPECT_EQ(t.FixC, -10240);
  EXPECT_EQ(t.FixF, 4096);

  // x' = y, y' = -x: back, x = -y' and y = x'.
  t.ResetMatrix();
  t.RotateAbout(0, 0, 90);
  t.PrepareInverse();
  EXPECT_EQ(std::vector<std::int32_t>({t.FixA, t.FixB, t.FixC, t.FixD, t.FixE, t.FixF}),
            std::vector<std::int32_t>({0, -4096, 0, 4096, 0, 0}));
}

TEST(AffineInverse, CoefficientsRoundHalfToEven) {
  TAffineTransformation t;
  t.Shift(-1.5f / 4096, -2.5f / 4096);
  t.PrepareInverse();
  EXPECT_EQ(t.FixC, 2);
  EXPECT_EQ(t.FixF, 2);
}

TEST(AffineInverse, NearlySingularMatrixIsInvertedAsIdentity) {
  TAffineTransformation t;
  t.Shift(7, 9);
  t.Matrix[0][0] = 0.001f;
  t.Matrix[1][1] = 0.001f;  // det 1e-6
  t.PrepareInverse();
  EXPECT_EQ(std::vector<std::int32_t>({t.FixA, t.FixB, t.FixC, t.FixD, t.FixE, t.FixF}),
            std::vector<std::int32_t>({4096, 0, 0, 0, 4096, 0}));
  t.Matrix[0][0] = 0.01f;  // det 1e-5: invertible, x scaled by 100
  t.PrepareInverse();
  EXPECT_EQ(t.FixA, 409600);
  EXPECT_EQ(t.FixC, -700 * 4096);
}

TEST(AffineMapBack, ExactHalfGoesToTheLowerPixel) {
  TAffineTransformation t;
  t.Shift(-0.5f, 0.5f);  // back: x + 0.5, y - 0.5
  t.PrepareInverse();
  std::int32_t sx = 0, sy = 0;
  t.MapBackToPixel(3, 4, sx, sy);
  EXPECT_EQ(sx, 3);  // 3.5
  EXPECT_EQ(sy, 3);  // 3.5
  t.MapBackToPixel(-4, 0, sx, sy);
  EXPECT_EQ(sx, -4);  // -3.5
  EXPECT_EQ(sy, -1);  // -0.5
}

TEST(AffineMapBack, SubpixelIsTheSamePositionIn24_8) {
  TAffineTransformation t;
  t.Shift(-0.25f, 1.75f);
  t.PrepareInverse();
  std::int32_t fx = 0, fy = 0;
  t.MapBackToSubpixel(1, 1, fx, fy);
  EXPECT_EQ(fx, 320);   // 1.25
  EXPECT_EQ(fy, -192);  // -0.75
  // 20.12 -> 24.8 rounds with 7 of the 16 dropped steps: 8/16 goes down, 9/16 up.
  t.FixA = t.FixB = t.FixD = t.FixE = t.FixF = 0;
  t.FixC = 8;
  t.MapBackToSubpixel(0, 0, fx, fy);
  EXPECT_EQ(fx, 0);
  t.FixC = 9;
  t.MapBackToSubpixel(0, 0, fx, fy);
  EXPECT_EQ(fx, 1);
}

TEST(AffineMapBack, HugePositionsAndCoefficientsDoNotWrap) {
  TAffineTransformation t;
  t.FixA = 1000 * 4096;
  t.FixE = 4096;
  std::int32_t sx = 0, sy = 0;
  // 2e9 fits the result although the 32-bit product would not.
  t.MapBackToPixel(2000000, 5, sx, sy);
  EXPECT_EQ(sx, 2000000000);
  EXPECT_EQ(sy, 5);
  t.MapBackToPixel(INT_MAX, -3, sx, sy);
  EXPECT_EQ(sx, INT_MAX);
  t.MapBackToPixel(INT_MIN, 0, sx, sy);
  EXPECT_EQ(sx, INT_MIN);
  t.FixA = t.FixB = INT_MIN;
  t.FixC = INT_MAX;
  t.MapBackToSubpixel(INT_MIN, INT_MIN, sx, sy);
  EXPECT_EQ(sx, INT_MAX);
}

TEST(AffineBounds, RoundOutwardsWithTiesToEven) {
  TAffineTransformation t;
  t.SetSourceRect(RealRectOf(0, 0, 10, 10));
  EXPECT_EQ(t.TransformedBounds(), RectOf(0, 0, 10, 10));
  t.SetSourceRect(RealRectOf(0, 0, 9, 9));
  EXPECT_EQ(t.TransformedBounds(), RectOf(0, 0, 10, 10));
  // x spans 1..10: Round(0.5) = 0 and Round(10.5) = 10; y spans -0.25..8.75.
  t.Shift(1, -0.25f);
  EXPECT_EQ(t.TransformedBounds(), RectOf(0, -1, 10, 9));
}

TEST(TransformBitmapNearest, IdentityCopiesEveryPixelInPlace) {
  TBitmap32 dst, src;
  Size(dst, 10, 8, kSentinel);
  FillMarkers(src, 7, 5);
  TAffineTransformation t;
  t.SetSourceRect(WholeOf(src));
  TransformBitmap(dst, src, t);
  EXPECT_TRUE(t.Prepared());
  for (std::int32_t y = 0; y < 8; ++y)
    for (std::int32_t x = 0; x < 10; ++x)
      ASSERT_EQ(dst.PixelAt(x, y), (x < 7 && y < 5) ? Marker(x, y) : kSentinel) << x << "," << y;
}

TEST(TransformBitmapNearest, QuarterTurnMovesEachPixelToItsRotatedPlace) {
  TBitmap32 dst, src;
  Size(dst, 6, 6, kSentinel);
  FillMarkers(src, 3, 2);
  TAffineTransformation t;
  t.SetSourceRect(WholeOf(src));
  t.RotateAbout(0, 0, 90);
  t.Shift(0, 3);  // (x, y) -> (y, 3 - x)
  TransformBitmap(dst, src, t);
  int drawn = 0;
  for (std::int32_t y = 0; y < 6; ++y)
    for (std::int32_t x = 0; x < 6; ++x) {
      const std::int32_t sx = 3 - y, sy = x;
      const bool from_source = sx >= 0 && sx < 3 && sy >= 0 && sy < 2;
      ASSERT_EQ(dst.PixelAt(x, y), from_source ? Marker(sx, sy) : kSentinel) << x << "," << y;
      drawn += from_source;
    }
  EXPECT_EQ(drawn, 6);
}

TEST(TransformBitmapNearest, OnlyPositionsWithinHalfAPixelBeforeColumnZeroAreDrawn) {
  TBitmap32 dst, src;
  FillMarkers(src, 3, 3);
  for (float shift : {0.25f, 0.75f}) {
    Size(dst, 6, 3, kSentinel);
    TAffineTransformation t;
    t.SetSourceRect(WholeOf(src));
    t.Shift(shift, 0);  // destination column 0 maps back to -shift
    TransformBitmap(dst, src, t);
    EXPECT_EQ(dst.PixelAt(0, 1), shift < 0.5f ? Marker(0, 1) : kSentinel) << shift;
  }
}

TEST(TransformBitmapLinear, SampleOnAWhitePixelBesideBlackGives254) {
  TBitmap32 dst, src;
  Size(src, 2, 2, kWhite);
  src.SetPixelAt(1, 0, kBlack);
  src.SetPixelAt(1, 1, kBlack);
  src.SetStretchFilter(sfLinear);
  Size(dst, 2, 2, kSentinel);
  TAffineTransformation t;
  t.SetSourceRect(WholeOf(src));
  TransformBitmap(dst, src, t);
  EXPECT_EQ(dst.PixelAt(0, 0), 0xFFFEFEFEu);

  src.FillAll(kWhite);
  Size(dst, 2, 2, kSentinel);
  TransformBitmap(dst, src, t);
  EXPECT_EQ(dst.PixelAt(0, 0), kWhite);
}

TEST(TransformBitmapLinear, PositionsFromMinusOneFadeColumnZeroIntoOuterColor) {
  TBitmap32 dst, src;
  Size(src, 3, 3, 0xFFFF0000);
  src.SetStretchFilter(sfLinear);
  src.OuterColor = 0x000000FF;
  for (float shift : {0.25f, 0.75f, 1.0f}) {
    Size(dst, 6, 3, kSentinel);
    TAffineTransformation t;
    t.SetSourceRect(WholeOf(src));
    t.Shift(shift, 0);
    TransformBitmap(dst, src, t);
    // Column 0 of the destination maps back to -shift; row 1 sits on a source row.
    const auto fraction = static_cast<std::uint32_t>(256 - std::lround(shift * 256)) & 255;
    const TColor32 row = Mix(src.OuterColor, 0xFFFF0000, 255 - fraction);
    EXPECT_EQ(dst.PixelAt(0, 1), Mix(row, row, 255)) << shift;
  }
}

TEST(SampleBilinear, ReachIsOnePixelBeforeTheClipUpToItsLastIndex) {
  TBitmap32 src;
  FillMarkers(src, 5, 5);
  const TRect clip = RectOf(1, 1, 3, 3);  // inclusive
  EXPECT_FALSE(SampleBilinear(src, clip, -1, 256).has_value());  // x just below 0
  EXPECT_TRUE(SampleBilinear(src, clip, 0, 256).has_value());
  EXPECT_TRUE(SampleBilinear(src, clip, 2 * 256 + 255, 2 * 256 + 255).has_value());
  EXPECT_FALSE(SampleBilinear(src, clip, 3 * 256, 256).has_value());
  EXPECT_FALSE(SampleBilinear(src, clip, 256, 3 * 256).has_value());
  // Outside the clip but inside the bitmap the real pixels are read.
  EXPECT_EQ(SampleBilinear(src, clip, 0, 0), Mix(Mix(Marker(0, 0), Marker(1, 0), 255),
                                                  Mix(Marker(0, 1), Marker(1, 1), 255), 255));
  // Far-off positions never wrap back into the bitmap.
  EXPECT_FALSE(SampleBilinear(src, clip, std::int64_t{1} << 40, 256).has_value());
  EXPECT_FALSE(SampleBilinear(src, clip, -(std::int64_t{1} << 40), 256).has_value());
}

TEST(TransformBitmapModes, OpaqueWritesAlphaAndBlendUsesTheMasterAlpha) {
  TBitmap32 dst, src;
  Size(src, 2, 2, 0x00ABCDEF);
  TAffineTransformation t;
  t.SetSourceRect(WholeOf(src));
  Size(dst, 2, 2, kWhite);
  TransformBitmap(dst, src, t);
  EXPECT_EQ(dst.PixelAt(1, 1), 0x00ABCDEFu);

  src.FillAll(0xC0000000);
  src.SetDrawMode(dmBlend);
  src.SetMasterAlpha(100);
  Size(dst, 2, 2, kWhite);
  TransformBitmap(dst, src, t);
  EXPECT_EQ(dst.PixelAt(1, 0), Mix(0xC0000000, kWhite, ((100 + 1) * 0xC0) >> 8));
}

TEST(TransformBitmapModes, HandlerDecidesAndSeesEachPixelOnceInRowOrder) {
  TBitmap32 dst, src;
  FillMarkers(dst, 5, 4);
  Size(src, 3, 2, kWhite);
  src.SetPixelAt(1, 1, 0xFF00FF00);
  src.SetDrawMode(dmCustom);
  src.SetMasterAlpha(42);
  std::vector<const TColor32*> visited;
  src.OnPixelCombine = [&](TColor32 f, TColor32& b, TColor32 m) {
    EXPECT_EQ(m, 42u);
    visited.push_back(&b);
    if (f != kWhite) b = f;
  };
  TAffineTransformation t;
  t.SetSourceRect(WholeOf(src));
  t.Shift(1, 1);
  TransformBitmap(dst, src, t);
  std::vector<const TColor32*> expected;
  for (std::int32_t y = 1; y < 3; ++y)
    for (std::int32_t x = 1; x < 4; ++x) expected.push_back(dst.PixelAddress(x, y));
  EXPECT_EQ(visited, expected);
  for (std::int32_t y = 0; y < 4; ++y)
    for (std::int32_t x = 0; x < 5; ++x)
      ASSERT_EQ(dst.PixelAt(x, y), (x == 2 && y == 2) ? 0xFF00FF00u : Marker(x, y)) << x << "," << y;
}

TEST(TransformBitmapModes, DestinationsOwnModeAndHandlerPlayNoPart) {
  TBitmap32 dst, src;
  Size(dst, 3, 3, kSentinel);
  dst.SetDrawMode(dmBlend);
  dst.SetMasterAlpha(0);
  bool dst_handler_called = false;
  dst.OnPixelCombine = [&](TColor32, TColor32&, TColor32) { dst_handler_called = true; };
  FillMarkers(src, 3, 3);
  src.SetDrawMode(dmCustom);  // without a handler: opaque
  TAffineTransformation t;
  t.SetSourceRect(WholeOf(src));
  TransformBitmap(dst, src, t);
  EXPECT_FALSE(dst_handler_called);
  EXPECT_EQ(dst.PixelAt(2, 2), Marker(2, 2));
}

TEST(TransformBitmapLimits, NothingCoveredMeansNothingDrawnAndNothingNotified) {
  TBitmap32 dst, src, empty;
  Size(dst, 4, 4, kSentinel);
  FillMarkers(src, 3, 3);
  int changes = 0;
  dst.OnChange = [&](TThreadPersistent*) { ++changes; };
  TAffineTransformation t;
  t.SetSourceRect(WholeOf(src));
  TransformBitmap(dst, empty, t);  // empty source
  t.Shift(100, 0);
  TransformBitmap(dst, src, t);  // misses the destination
  TAffineTransformation outside;
  outside.SetSourceRect(RealRectOf(5, 5, 9, 9));  // misses the source
  TransformBitmap(dst, src, outside);
  EXPECT_EQ(changes, 0);
  for (std::int32_t y = 0; y < 4; ++y)
    for (std::int32_t x = 0; x < 4; ++x) ASSERT_EQ(dst.PixelAt(x, y), kSentinel);

  TAffineTransformation whole;
  whole.SetSourceRect(WholeOf(src));
  TransformBitmap(dst, src, whole);
  EXPECT_EQ(changes, 1);
}

// Random and absurd transformations: under the sanitizer build any stray
// access fails; here every pixel must be either untouched or a source pixel.
TEST(TransformBitmapLimits, ArbitraryTransformationsStayInsideBothBitmaps) {
  std::mt19937 rng(1234);
  std::uniform_real_distribution<float> angle(-720, 720), offset(-50, 50), huge(-3e9f, 3e9f);
  std::uniform_int_distribution<std::int32_t> any_int(INT_MIN, INT_MAX);
  TBitmap32 src;
  FillMarkers(src, 5, 4);
  for (int round = 0; round < 400; ++round) {
    TBitmap32 dst;
    Size(dst, 1 + round % 13, 1 + round % 7, kSentinel);
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
    if (src.StretchFilter() != sfNearest) continue;  // samples are mixes
    for (std::int32_t y = 0; y < dst.Height(); ++y)
      for (std::int32_t x = 0; x < dst.Width(); ++x) {
        const TColor32 c = dst.PixelAt(x, y);
        if (c != kSentinel) {
          ASSERT_TRUE(((c >> 8) & 255) < 5 && (c & 255) < 4) << round;
        }
      }
  }
}

}  // namespace
}  // namespace gradoir
