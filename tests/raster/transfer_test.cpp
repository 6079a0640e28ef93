#include "raster/transfer.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "raster/errors.h"
#include "raster/geometry.h"
#include "tests/raster/pixel_checks.h"

namespace gradoir {
namespace {

using namespace gradoir::testing;

void Transfer(TBitmap32& dst, TRect dst_rect, TBitmap32& src, TDrawMode mode, const TPixelCombineEvent& handler = {}) {
  TransferRect(&dst, dst_rect, dst.PixelBounds(), &src, src.PixelBounds(), sfNearest, mode, handler);
}

TEST(TransferRectChecks, MessagesOrderAndHarmlessEmptyCases) {
  TBitmap32 dst, src, empty;
  Sized(dst, 4, 4, kSentinel);
  Sized(src, 4, 4, kWhite);
  const TRect r = RectOf(0, 0, 4, 4);
  auto message = [&](TBitmap32* d, TBitmap32* s, TRect sr) -> std::string {
    try {
      TransferRect(d, r, r, s, sr, sfNearest, dmOpaque, {});
    } catch (const ETransformError& e) {
      return e.what();
    }
    return "";
  };
  EXPECT_EQ(message(nullptr, nullptr, r), "Source bitmap is nil or empty");  // source checked first
  EXPECT_EQ(message(nullptr, &src, r), "Destination bitmap is nil or empty");
  EXPECT_EQ(message(&empty, &src, r), "Destination bitmap is nil or empty");
  EXPECT_EQ(message(&dst, &src, RectOf(1, 0, 5, 4)), "Source rectangle is invalid");
  EXPECT_EQ(message(&dst, &src, RectOf(0, -1, 4, 3)), "Source rectangle is invalid");
  EXPECT_EQ(message(nullptr, &empty, r), "");                      // empty source: nothing, even without a destination
  EXPECT_EQ(message(&dst, &src, RectOf(100, 100, 50, 200)), "");  // empty source rectangle anywhere
  EXPECT_EQ(dst.PixelAt(0, 0), kSentinel);
}

TEST(TransferRectClipping, SourceOffsetFollowsTheClippedEdges) {
  TBitmap32 dst, src;
  Sized(dst, 10, 10, kSentinel);
  FillMarkers(src, 6, 6);
  Transfer(dst, RectOf(-2, -3, 4, 3), src, dmOpaque);  // partly outside
  ExpectPixels(dst, [](auto x, auto y) { return x < 4 && y < 3 ? Marker(x + 2, y + 3) : kSentinel; });

  // Source block (1,1)-(4,4) drawn at (5,5), of which the clip keeps x >= 6 and y < 7.
  dst.FillAll(kSentinel);
  TransferRect(&dst, RectOf(5, 5, 8, 8), RectOf(6, 0, 10, 7), &src, RectOf(1, 1, 4, 4), sfNearest, dmOpaque, {});
  ExpectPixels(dst, [](auto x, auto y) { return x >= 6 && x < 8 && y >= 5 && y < 7 ? Marker(x - 4, y - 4) : kSentinel; });
}

TEST(TransferRectModes, OpaqueAndHandlerlessCustomCopyAlphaBlendFollowsMasterAlpha) {
  TBitmap32 dst, src;
  Sized(src, 2, 2, 0x00ABCDEF);
  for (TDrawMode mode : {dmOpaque, dmCustom}) {
    Sized(dst, 2, 2, kSentinel);
    Transfer(dst, dst.PixelBounds(), src, mode);
    EXPECT_EQ(dst.PixelAt(1, 1), 0x00ABCDEFu) << "mode " << int(mode);
  }
  src.FillAll(0xFF0000FF);
  src.SetMasterAlpha(0);
  dst.FillAll(kSentinel);
  Transfer(dst, dst.PixelBounds(), src, dmBlend);
  EXPECT_EQ(dst.PixelAt(0, 0), kSentinel) << "MasterAlpha 0 draws nothing";
  src.SetMasterAlpha(255);
  Transfer(dst, dst.PixelBounds(), src, dmBlend);
  EXPECT_EQ(dst.PixelAt(1, 0), 0xFF0000FFu) << "opaque source at 255 is copied";
  src.FillAll(0x80000000);
  dst.FillAll(kWhite);
  Transfer(dst, dst.PixelBounds(), src, dmBlend);
  EXPECT_EQ(dst.PixelAt(0, 1), Mix(0x80000000, kWhite, 0x80));
}

TEST(TransferRectModes, TransparentWhiteHandlerKeepsTheDestinationUnderWhite) {
  TBitmap32 dst, src;
  FillMarkers(dst, 4, 3);
  Sized(src, 4, 3, kWhite);
  src.SetPixelAt(1, 1, 0xFFFF0000);
  src.SetPixelAt(2, 2, 0x00000000);
  Transfer(dst, dst.PixelBounds(), src, dmCustom, [](TColor32 f, TColor32& b, TColor32) {
    if (f != 0xFFFFFFFF) b = f;
  });
  ExpectPixels(dst, [&](auto x, auto y) { return src.PixelAt(x, y) == kWhite ? Marker(x, y) : src.PixelAt(x, y); });
}

TEST(TransferRectModes, HandlerSeesEachCoveredPixelOnceInRowOrder) {
  TBitmap32 dst, src;
  FillMarkers(dst, 8, 6);
  FillMarkers(src, 4, 3);
  src.SetMasterAlpha(77);
  struct Call {
    TColor32 f, b, m;
    const TColor32* where;
  };
  std::vector<Call> calls;
  // Partly outside and clipped: columns 6..7 and rows 4..5, from source (1..2, 0..1).
  TransferRect(&dst, RectOf(5, 4, 9, 7), RectOf(6, 0, 8, 6), &src, src.PixelBounds(), sfNearest, dmCustom,
               [&](TColor32 f, TColor32& b, TColor32 m) { calls.push_back({f, b, m, &b}); });
  ASSERT_EQ(calls.size(), 4u);
  std::size_t i = 0;
  for (std::int32_t y = 4; y < 6; ++y)
    for (std::int32_t x = 6; x < 8; ++x, ++i) {
      EXPECT_EQ(calls[i].where, dst.PixelAddress(x, y));
      EXPECT_EQ(calls[i].b, Marker(x, y));
      EXPECT_EQ(calls[i].f, Marker(x - 5, y - 4));
      EXPECT_EQ(calls[i].m, 77u);
    }
}

TEST(CopyOnto, UsesTheSourcesModeOnlyAndNotifiesWhenBothHavePixels) {
  TBitmap32 dst, src, empty;
  Sized(dst, 3, 3, kSentinel);
  dst.SetDrawMode(dmCustom);
  dst.SetMasterAlpha(0);
  bool dst_handler_called = false;
  dst.OnPixelCombine = [&](TColor32, TColor32&, TColor32) { dst_handler_called = true; };
  int changes = 0;
  dst.OnChange = [&](TThreadPersistent*) { ++changes; };
  FillMarkers(src, 2, 2);
  CopyOnto(empty, dst, dst.PixelBounds());
  EXPECT_EQ(changes, 0);
  CopyOnto(src, dst, RectOf(1, 1, 3, 3));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(dst_handler_called);
  ExpectPixels(dst, [](auto x, auto y) { return x >= 1 && y >= 1 ? Marker(x - 1, y - 1) : kSentinel; });
}

TEST(TransferRectScaling, IntegerEnlargementRepeatsEachPixelAsABlock) {
  TBitmap32 dst, src;
  Sized(dst, 9, 9, kSentinel);
  FillMarkers(src, 3, 2);
  Transfer(dst, RectOf(0, 0, 9, 6), src, dmOpaque);
  ExpectPixels(dst, [](auto x, auto y) { return y < 6 ? Marker(x / 3, y / 3) : kSentinel; });
}

TEST(TransferRectScaling, HugeInvertedOrDistantRectanglesStayInsideBothBitmaps) {
  TBitmap32 dst, src;
  FillMarkers(src, 3, 3);
  const TRect rects[] = {RectOf(INT_MIN, INT_MIN, INT_MAX, INT_MAX), RectOf(-1000000000, 2, 2000000000, 3),
                         RectOf(2, INT_MIN, 3, INT_MAX), RectOf(INT_MAX - 1, 0, INT_MAX, 1),
                         RectOf(4, 4, 1, 6), RectOf(3, 3, 0, 0), RectOf(-3, -3, 0, 0)};
  for (const TRect& r : rects) {
    Sized(dst, 7, 5, kSentinel);
    std::int64_t calls = 0;
    Transfer(dst, r, src, dmCustom, [&](TColor32 f, TColor32& b, TColor32) {
      ++calls;
      b = f;
    });
    TRect covered;
    IntersectRects(covered, r, dst.PixelBounds());
    const std::int64_t area =
        RectIsEmpty(covered) ? 0 : std::int64_t{covered.Right - covered.Left} * (covered.Bottom - covered.Top);
    EXPECT_EQ(calls, area);
    ExpectPixels(dst, [&](auto x, auto y) {
      const TColor32 c = dst.PixelAt(x, y);
      return (c == kSentinel || IsMarkerWithin(c, 3, 3)) ? c : kSentinel;
    });
  }
}

TEST(TransferBlock, ArgumentsReachingOutsideEitherBitmapAreClipped) {
  TBitmap32 dst, src;
  Sized(dst, 5, 5, kSentinel);
  FillMarkers(src, 4, 4);
  // Destination (x, y) reads source (x - 1, y + 2).
  TransferBlock(dst, RectOf(-1, -1, 9, 9), src, -2, 1, dmOpaque, {});
  ExpectPixels(dst, [](auto x, auto y) { return x >= 1 && y < 2 ? Marker(x - 1, y + 2) : kSentinel; });
}

}  // namespace
}  // namespace gradoir
