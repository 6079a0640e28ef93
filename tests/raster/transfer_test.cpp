#include "raster/transfer.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "raster/errors.h"
#include "raster/geometry.h"

namespace gradoir {
namespace {

constexpr TColor32 kSentinel = 0xFF102030;
constexpr TColor32 kWhite = 0xFFFFFFFF;

// A distinct opaque colour per pixel, so misplaced pixels show.
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

std::string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const ETransformError& e) {
    return e.what();
  }
  return "";
}

void Transfer(TBitmap32& dst, TRect dst_rect, TBitmap32& src, TRect src_rect, TDrawMode mode,
              const TPixelCombineEvent& handler = {}) {
  TransferRect(&dst, dst_rect, dst.PixelBounds(), &src, src_rect, sfNearest, mode, handler);
}

TEST(TransferRectErrors, MessagesAndTheOrderOfChecks) {
  TBitmap32 dst, src, empty;
  Size(dst, 4, 4, kSentinel);
  Size(src, 4, 4, kWhite);
  const TRect r = RectOf(0, 0, 4, 4);
  auto call = [&](TBitmap32* d, TBitmap32* s, TRect sr) {
    return MessageOf([&] { TransferRect(d, r, r, s, sr, sfNearest, dmOpaque, {}); });
  };
  EXPECT_EQ(call(&dst, nullptr, r), "Source bitmap is nil or empty");
  // The source is looked at before the destination.
  EXPECT_EQ(call(nullptr, nullptr, r), "Source bitmap is nil or empty");
  EXPECT_EQ(call(nullptr, &src, r), "Destination bitmap is nil or empty");
  EXPECT_EQ(call(&empty, &src, r), "Destination bitmap is nil or empty");
  EXPECT_EQ(call(&dst, &src, RectOf(1, 0, 5, 4)), "Source rectangle is invalid");
  EXPECT_EQ(call(&dst, &src, RectOf(0, -1, 4, 3)), "Source rectangle is invalid");
  // Not errors: an empty source (even with no destination) and an empty source rectangle anywhere.
  EXPECT_EQ(call(nullptr, &empty, r), "");
  EXPECT_EQ(call(&dst, &src, RectOf(100, 100, 50, 200)), "");
  EXPECT_EQ(dst.PixelAt(0, 0), kSentinel);
}

TEST(TransferRectClipping, PartlyOutsideDstRectTakesTheMatchingSourcePixels) {
  TBitmap32 dst, src;
  Size(dst, 10, 10, kSentinel);
  FillMarkers(src, 6, 6);
  Transfer(dst, RectOf(-2, -3, 4, 3), src, src.PixelBounds(), dmOpaque);
  for (std::int32_t y = 0; y < 10; ++y)
    for (std::int32_t x = 0; x < 10; ++x) {
      const TColor32 want = (x < 4 && y < 3) ? Marker(x + 2, y + 3) : kSentinel;
      ASSERT_EQ(dst.PixelAt(x, y), want) << x << "," << y;
    }
}

TEST(TransferRectClipping, ClipAndSourceOffsetCombine) {
  TBitmap32 dst, src;
  Size(dst, 10, 10, kSentinel);
  FillMarkers(src, 6, 6);
  // Source block (1,1)-(4,4) drawn at (5,5), of which the clip keeps x >= 6 and y < 7.
  TransferRect(&dst, RectOf(5, 5, 8, 8), RectOf(6, 0, 10, 7), &src, RectOf(1, 1, 4, 4), sfNearest, dmOpaque, {});
  for (std::int32_t y = 0; y < 10; ++y)
    for (std::int32_t x = 0; x < 10; ++x) {
      const bool inside = x >= 6 && x < 8 && y >= 5 && y < 7;
      ASSERT_EQ(dst.PixelAt(x, y), inside ? Marker(x - 4, y - 4) : kSentinel) << x << "," << y;
    }
}

TEST(TransferRectClipping, RectanglesThatMissOrAreInvertedDrawNothing) {
  TBitmap32 dst, src;
  Size(dst, 5, 5, kSentinel);
  Size(src, 3, 3, kWhite);
  for (const TRect& r : {RectOf(5, 0, 8, 3), RectOf(-3, -3, 0, 0), RectOf(3, 3, 0, 0), RectOf(4, 4, 1, 6),
                         RectOf(INT_MAX - 2, INT_MAX - 2, INT_MAX, INT_MAX)}) {
    Transfer(dst, r, src, src.PixelBounds(), dmOpaque);
  }
  for (std::int32_t y = 0; y < 5; ++y)
    for (std::int32_t x = 0; x < 5; ++x) ASSERT_EQ(dst.PixelAt(x, y), kSentinel);
}

TEST(TransferRectModes, OpaqueCopiesAlphaAndCustomWithoutHandlerIsOpaque) {
  for (TDrawMode mode : {dmOpaque, dmCustom}) {
    TBitmap32 dst, src;
    Size(dst, 3, 3, kSentinel);
    Size(src, 3, 3, 0x00ABCDEF);
    src.SetDrawMode(mode);
    Transfer(dst, dst.PixelBounds(), src, src.PixelBounds(), mode);
    EXPECT_EQ(dst.PixelAt(1, 1), 0x00ABCDEFu) << "mode " << int(mode);
  }
}

TEST(TransferRectModes, BlendByMasterAlpha) {
  TBitmap32 dst, src;
  Size(src, 2, 2, 0xFF0000FF);
  src.SetMasterAlpha(0);
  Size(dst, 2, 2, kSentinel);
  Transfer(dst, dst.PixelBounds(), src, src.PixelBounds(), dmBlend);
  EXPECT_EQ(dst.PixelAt(0, 0), kSentinel) << "MasterAlpha 0 draws nothing";

  src.SetMasterAlpha(255);
  Transfer(dst, dst.PixelBounds(), src, src.PixelBounds(), dmBlend);
  EXPECT_EQ(dst.PixelAt(1, 1), 0xFF0000FFu) << "opaque source at 255 is copied";

  // Half-transparent source at 255: weighted by its own alpha.
  Size(dst, 2, 2, kWhite);
  src.FillAll(0x80000000);
  Transfer(dst, dst.PixelBounds(), src, src.PixelBounds(), dmBlend);
  EXPECT_EQ(dst.PixelAt(0, 1), Mix(0x80000000, kWhite, 0x80));

  // Below 255 the row form scales as ((A + 1) * M) >> 8: A = 254, M = 1 gives
  // weight 0 (the single-pixel form would give 1), so nothing changes.
  Size(dst, 2, 2, kWhite);
  src.FillAll(0xFE000000);
  src.SetMasterAlpha(1);
  Transfer(dst, dst.PixelBounds(), src, src.PixelBounds(), dmBlend);
  EXPECT_EQ(dst.PixelAt(0, 0), kWhite);
  src.SetMasterAlpha(128);
  Transfer(dst, dst.PixelBounds(), src, src.PixelBounds(), dmBlend);
  EXPECT_EQ(dst.PixelAt(0, 0), Mix(0xFE000000, kWhite, (255 * 128) >> 8));
}

TEST(TransferRectModes, TransparentWhiteHandlerKeepsTheDestinationUnderWhite) {
  TBitmap32 dst, src;
  FillMarkers(dst, 4, 3);
  Size(src, 4, 3, kWhite);
  src.SetPixelAt(1, 1, 0xFFFF0000);
  src.SetPixelAt(2, 2, 0x00000000);
  auto see_through_white = [](TColor32 f, TColor32& b, TColor32) {
    if (f != 0xFFFFFFFF) b = f;
  };
  Transfer(dst, dst.PixelBounds(), src, src.PixelBounds(), dmCustom, see_through_white);
  for (std::int32_t y = 0; y < 3; ++y)
    for (std::int32_t x = 0; x < 4; ++x) {
      const TColor32 want = src.PixelAt(x, y) == kWhite ? Marker(x, y) : src.PixelAt(x, y);
      ASSERT_EQ(dst.PixelAt(x, y), want) << x << "," << y;
    }
}

struct THandlerCall {
  TColor32 f, b, m;
  const TColor32* where;
};

TEST(TransferRectModes, HandlerSeesEachCoveredPixelOnceInRowOrder) {
  TBitmap32 dst, src;
  FillMarkers(dst, 8, 6);
  Size(src, 4, 3, 0);
  for (std::int32_t y = 0; y < 3; ++y)
    for (std::int32_t x = 0; x < 4; ++x) src.SetPixelAt(x, y, 0x11000000u + Marker(x, y));
  src.SetMasterAlpha(77);
  std::vector<THandlerCall> calls;
  auto record = [&](TColor32 f, TColor32& b, TColor32 m) { calls.push_back({f, b, m, &b}); };
  // Partly outside: columns 6..7 and rows 4..5 are covered, from source (1..2, 0..1).
  TransferRect(&dst, RectOf(5, 4, 9, 7), RectOf(6, 0, 8, 6), &src, src.PixelBounds(), sfNearest, dmCustom, record);
  ASSERT_EQ(calls.size(), 4u);
  std::size_t i = 0;
  for (std::int32_t y = 4; y < 6; ++y)
    for (std::int32_t x = 6; x < 8; ++x, ++i) {
      EXPECT_EQ(calls[i].where, dst.PixelAddress(x, y));
      EXPECT_EQ(calls[i].b, Marker(x, y));
      EXPECT_EQ(calls[i].f, src.PixelAt(x - 5, y - 4));
      EXPECT_EQ(calls[i].m, 77u);
    }
}

TEST(TransferRectModes, DestinationsOwnModeAndHandlerPlayNoPart) {
  TBitmap32 dst, src;
  Size(dst, 3, 3, kSentinel);
  dst.SetDrawMode(dmCustom);
  dst.SetMasterAlpha(0);
  bool dst_handler_called = false;
  dst.OnPixelCombine = [&](TColor32, TColor32&, TColor32) { dst_handler_called = true; };
  FillMarkers(src, 3, 3);
  CopyOnto(src, dst, dst.PixelBounds());
  EXPECT_FALSE(dst_handler_called);
  EXPECT_EQ(dst.PixelAt(2, 1), Marker(2, 1));
}

TEST(CopyOnto, NotifiesTheDestinationOnlyWhenBothBitmapsHavePixels) {
  TBitmap32 dst, src, empty;
  Size(dst, 3, 3, kSentinel);
  FillMarkers(src, 2, 2);
  int changes = 0;
  dst.OnChange = [&](TThreadPersistent*) { ++changes; };
  CopyOnto(empty, dst, dst.PixelBounds());
  EXPECT_EQ(changes, 0);
  CopyOnto(src, dst, RectOf(1, 1, 3, 3));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dst.PixelAt(2, 2), Marker(1, 1));
  EXPECT_EQ(dst.PixelAt(0, 0), kSentinel);
}

TEST(TransferRectScaling, IntegerEnlargementRepeatsEachPixelAsABlock) {
  TBitmap32 dst, src;
  Size(dst, 9, 9, kSentinel);
  FillMarkers(src, 3, 2);
  Transfer(dst, RectOf(0, 0, 9, 6), src, src.PixelBounds(), dmOpaque);
  for (std::int32_t y = 0; y < 9; ++y)
    for (std::int32_t x = 0; x < 9; ++x)
      ASSERT_EQ(dst.PixelAt(x, y), y < 6 ? Marker(x / 3, y / 3) : kSentinel) << x << "," << y;
}

TEST(TransferRectScaling, ReductionSamplesInsideTheSourceRectangle) {
  TBitmap32 dst, src;
  Size(dst, 4, 4, kSentinel);
  FillMarkers(src, 9, 9);
  const TRect src_rect = RectOf(2, 3, 8, 9);
  Transfer(dst, RectOf(1, 1, 3, 4), src, src_rect, dmOpaque);
  std::set<TColor32> columns_seen;
  for (std::int32_t y = 1; y < 4; ++y)
    for (std::int32_t x = 1; x < 3; ++x) {
      const TColor32 c = dst.PixelAt(x, y);
      const std::int32_t sx = (c >> 8) & 255, sy = c & 255;
      EXPECT_TRUE(sx >= 2 && sx < 8 && sy >= 3 && sy < 9) << sx << "," << sy;
      columns_seen.insert(sx);
    }
  EXPECT_EQ(columns_seen.size(), 2u);
  EXPECT_EQ(dst.PixelAt(0, 0), kSentinel);
  EXPECT_EQ(dst.PixelAt(3, 3), kSentinel);
}

TEST(TransferRectScaling, HugeRectanglesStayInsideBothBitmaps) {
  TBitmap32 dst, src;
  FillMarkers(src, 3, 3);
  const TRect huge[] = {RectOf(INT_MIN, INT_MIN, INT_MAX, INT_MAX), RectOf(-1000000000, 2, 2000000000, 3),
                        RectOf(INT_MAX - 1, 0, INT_MAX, 1), RectOf(2, INT_MIN, 3, INT_MAX)};
  for (const TRect& r : huge) {
    Size(dst, 7, 5, kSentinel);
    std::int64_t handler_calls = 0;
    Transfer(dst, r, src, src.PixelBounds(), dmCustom, [&](TColor32 f, TColor32& b, TColor32) {
      ++handler_calls;
      b = f;
    });
    TRect covered;
    IntersectRects(covered, r, dst.PixelBounds());
    const std::int64_t area = RectIsEmpty(covered)
                                  ? 0
                                  : std::int64_t{covered.Right - covered.Left} * (covered.Bottom - covered.Top);
    EXPECT_EQ(handler_calls, area);
    for (std::int32_t y = 0; y < 5; ++y)
      for (std::int32_t x = 0; x < 7; ++x) {
        const TColor32 c = dst.PixelAt(x, y);
        if (c != kSentinel) {
          EXPECT_TRUE(((c >> 8) & 255) < 3 && (c & 255) < 3);
        }
      }
  }
}

TEST(TransferBlock, ArgumentsReachingOutsideEitherBitmapAreClipped) {
  TBitmap32 dst, src;
  Size(dst, 5, 5, kSentinel);
  FillMarkers(src, 4, 4);
  // Destination area from (-1,-1) over the edge, source block starting at (-2, 1).
  TransferBlock(dst, RectOf(-1, -1, 9, 9), src, -2, 1, dmOpaque, {});
  for (std::int32_t y = 0; y < 5; ++y)
    for (std::int32_t x = 0; x < 5; ++x) {
      const std::int32_t sx = x + 1 - 2, sy = y + 1 + 1;
      const bool readable = sx >= 0 && sx < 4 && sy < 4;
      ASSERT_EQ(dst.PixelAt(x, y), readable ? Marker(sx, sy) : kSentinel) << x << "," << y;
    }
}

}  // namespace
}  // namespace gradoir
