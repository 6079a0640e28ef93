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

void transfer(Bitmap32& dst, Rect dstRect, Bitmap32& src, DrawMode mode, const PixelCombiner& handler = {}) {
  transferRect(&dst, dstRect, dst.pixelBounds(), &src, src.pixelBounds(), StretchFilter::Nearest, mode, handler);
}

TEST(TransferRectChecks, MessagesOrderAndHarmlessEmptyCases) {
  Bitmap32 dst, src, empty;
  sized(dst, 4, 4, kSentinel);
  sized(src, 4, 4, kWhite);
  const Rect r = rectOf(0, 0, 4, 4);
  auto message = [&](Bitmap32* d, Bitmap32* s, Rect sr) -> std::string {
    try {
      transferRect(d, r, r, s, sr, StretchFilter::Nearest, DrawMode::Opaque, {});
    } catch (const TransformError& e) {
      return e.what();
    }
    return "";
  };
  EXPECT_EQ(message(nullptr, nullptr, r), "Source bitmap is nil or empty");  // source checked first
  EXPECT_EQ(message(nullptr, &src, r), "Destination bitmap is nil or empty");
  EXPECT_EQ(message(&empty, &src, r), "Destination bitmap is nil or empty");
  EXPECT_EQ(message(&dst, &src, rectOf(1, 0, 5, 4)), "Source rectangle is invalid");
  EXPECT_EQ(message(&dst, &src, rectOf(0, -1, 4, 3)), "Source rectangle is invalid");
  EXPECT_EQ(message(nullptr, &empty, r), "");                      // empty source: nothing, even without a destination
  EXPECT_EQ(message(&dst, &src, rectOf(100, 100, 50, 200)), "");  // empty source rectangle anywhere
  EXPECT_EQ(dst.pixelAt(0, 0), kSentinel);
}

TEST(TransferRectClipping, SourceOffsetFollowsTheClippedEdges) {
  Bitmap32 dst, src;
  sized(dst, 10, 10, kSentinel);
  fillMarkers(src, 6, 6);
  transfer(dst, rectOf(-2, -3, 4, 3), src, DrawMode::Opaque);  // partly outside
  expectPixels(dst, [](auto x, auto y) { return x < 4 && y < 3 ? marker(x + 2, y + 3) : kSentinel; });

  // Source block (1,1)-(4,4) drawn at (5,5), of which the clip keeps x >= 6 and y < 7.
  dst.fillAll(kSentinel);
  transferRect(&dst, rectOf(5, 5, 8, 8), rectOf(6, 0, 10, 7), &src, rectOf(1, 1, 4, 4), StretchFilter::Nearest, DrawMode::Opaque, {});
  expectPixels(dst, [](auto x, auto y) { return x >= 6 && x < 8 && y >= 5 && y < 7 ? marker(x - 4, y - 4) : kSentinel; });
}

TEST(TransferRectModes, OpaqueAndHandlerlessCustomCopyAlphaBlendFollowsMasterAlpha) {
  Bitmap32 dst, src;
  sized(src, 2, 2, 0x00ABCDEF);
  for (DrawMode mode : {DrawMode::Opaque, DrawMode::Custom}) {
    sized(dst, 2, 2, kSentinel);
    transfer(dst, dst.pixelBounds(), src, mode);
    EXPECT_EQ(dst.pixelAt(1, 1), 0x00ABCDEFu) << "mode " << int(mode);
  }
  src.fillAll(0xFF0000FF);
  src.setMasterAlpha(0);
  dst.fillAll(kSentinel);
  transfer(dst, dst.pixelBounds(), src, DrawMode::Blend);
  EXPECT_EQ(dst.pixelAt(0, 0), kSentinel) << "MasterAlpha 0 draws nothing";
  src.setMasterAlpha(255);
  transfer(dst, dst.pixelBounds(), src, DrawMode::Blend);
  EXPECT_EQ(dst.pixelAt(1, 0), 0xFF0000FFu) << "opaque source at 255 is copied";
  src.fillAll(0x80000000);
  dst.fillAll(kWhite);
  transfer(dst, dst.pixelBounds(), src, DrawMode::Blend);
  EXPECT_EQ(dst.pixelAt(0, 1), mix(0x80000000, kWhite, 0x80));
}

TEST(TransferRectModes, TransparentWhiteHandlerKeepsTheDestinationUnderWhite) {
  Bitmap32 dst, src;
  fillMarkers(dst, 4, 3);
  sized(src, 4, 3, kWhite);
  src.setPixelAt(1, 1, 0xFFFF0000);
  src.setPixelAt(2, 2, 0x00000000);
  transfer(dst, dst.pixelBounds(), src, DrawMode::Custom, [](Color32 f, Color32& b, Color32) {
    if (f != 0xFFFFFFFF) b = f;
  });
  expectPixels(dst, [&](auto x, auto y) { return src.pixelAt(x, y) == kWhite ? marker(x, y) : src.pixelAt(x, y); });
}

TEST(TransferRectModes, HandlerSeesEachCoveredPixelOnceInRowOrder) {
  Bitmap32 dst, src;
  fillMarkers(dst, 8, 6);
  fillMarkers(src, 4, 3);
  src.setMasterAlpha(77);
  struct Call {
    Color32 f, b, m;
    const Color32* where;
  };
  std::vector<Call> calls;
  // Partly outside and clipped: columns 6..7 and rows 4..5, from source (1..2, 0..1).
  transferRect(&dst, rectOf(5, 4, 9, 7), rectOf(6, 0, 8, 6), &src, src.pixelBounds(), StretchFilter::Nearest, DrawMode::Custom,
               [&](Color32 f, Color32& b, Color32 m) { calls.push_back({f, b, m, &b}); });
  ASSERT_EQ(calls.size(), 4u);
  std::size_t i = 0;
  for (std::int32_t y = 4; y < 6; ++y)
    for (std::int32_t x = 6; x < 8; ++x, ++i) {
      EXPECT_EQ(calls[i].where, dst.pixelAddress(x, y));
      EXPECT_EQ(calls[i].b, marker(x, y));
      EXPECT_EQ(calls[i].f, marker(x - 5, y - 4));
      EXPECT_EQ(calls[i].m, 77u);
    }
}

TEST(CopyOnto, UsesTheSourcesModeOnlyAndNotifiesWhenBothHavePixels) {
  Bitmap32 dst, src, empty;
  sized(dst, 3, 3, kSentinel);
  dst.setDrawMode(DrawMode::Custom);
  dst.setMasterAlpha(0);
  bool dstHandlerCalled = false;
  dst.pixelCombiner = [&](Color32, Color32&, Color32) { dstHandlerCalled = true; };
  int changes = 0;
  dst.onChange = [&](Bitmap32*) { ++changes; };
  fillMarkers(src, 2, 2);
  copyOnto(empty, dst, dst.pixelBounds());
  EXPECT_EQ(changes, 0);
  copyOnto(src, dst, rectOf(1, 1, 3, 3));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(dstHandlerCalled);
  expectPixels(dst, [](auto x, auto y) { return x >= 1 && y >= 1 ? marker(x - 1, y - 1) : kSentinel; });
}

TEST(TransferRectScaling, IntegerEnlargementRepeatsEachPixelAsABlock) {
  Bitmap32 dst, src;
  sized(dst, 9, 9, kSentinel);
  fillMarkers(src, 3, 2);
  transfer(dst, rectOf(0, 0, 9, 6), src, DrawMode::Opaque);
  expectPixels(dst, [](auto x, auto y) { return y < 6 ? marker(x / 3, y / 3) : kSentinel; });
}

TEST(TransferRectScaling, HugeInvertedOrDistantRectanglesStayInsideBothBitmaps) {
  Bitmap32 dst, src;
  fillMarkers(src, 3, 3);
  const Rect rects[] = {rectOf(INT_MIN, INT_MIN, INT_MAX, INT_MAX), rectOf(-1000000000, 2, 2000000000, 3),
                         rectOf(2, INT_MIN, 3, INT_MAX), rectOf(INT_MAX - 1, 0, INT_MAX, 1),
                         rectOf(4, 4, 1, 6), rectOf(3, 3, 0, 0), rectOf(-3, -3, 0, 0)};
  for (const Rect& r : rects) {
    sized(dst, 7, 5, kSentinel);
    std::int64_t calls = 0;
    transfer(dst, r, src, DrawMode::Custom, [&](Color32 f, Color32& b, Color32) {
      ++calls;
      b = f;
    });
    Rect covered;
    intersectRects(covered, r, dst.pixelBounds());
    const std::int64_t area =
        rectIsEmpty(covered) ? 0 : std::int64_t{covered.right - covered.left} * (covered.bottom - covered.top);
    EXPECT_EQ(calls, area);
    expectPixels(dst, [&](auto x, auto y) {
      const Color32 c = dst.pixelAt(x, y);
      return (c == kSentinel || isMarkerWithin(c, 3, 3)) ? c : kSentinel;
    });
  }
}

TEST(TransferBlock, ArgumentsReachingOutsideEitherBitmapAreClipped) {
  Bitmap32 dst, src;
  sized(dst, 5, 5, kSentinel);
  fillMarkers(src, 4, 4);
  // Destination (x, y) reads source (x - 1, y + 2).
  transferBlock(dst, rectOf(-1, -1, 9, 9), src, -2, 1, DrawMode::Opaque, {});
  expectPixels(dst, [](auto x, auto y) { return x >= 1 && y < 2 ? marker(x - 1, y + 2) : kSentinel; });
}

}  // namespace
}  // namespace gradoir
