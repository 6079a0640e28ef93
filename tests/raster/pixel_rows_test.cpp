// The row loops of the hot paths against the plain per-pixel loops they
// stand for, at every length around their 4-, 8- and 32-pixel steps and at
// unaligned starts; and the transfer's recognition of the see-through-white
// combiner.
#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "raster/opacity_scan.h"
#include "raster/pixel_rows.h"
#include "raster/transfer.h"

namespace gradoir {
namespace {

constexpr TColor32 kGuard = 0x12345678u;

TEST(PixelRows, FillPixelsWritesExactlyTheRangeForEveryKindOfColour) {
  for (const TColor32 color : {0xFFFFFFFFu, 0x00000000u, 0xFF7F7F7Fu, 0xFF336699u, 0x80FF0001u}) {
    for (std::size_t start = 0; start < 4; ++start) {
      for (std::size_t count = 0; count <= 70; ++count) {
        std::vector<TColor32> row(start + count + 3, kGuard);
        FillPixels(row.data() + start, count, color);
        for (std::size_t i = 0; i < row.size(); ++i) {
          const bool inside = i >= start && i < start + count;
          ASSERT_EQ(row[i], inside ? color : kGuard) << std::hex << color << " count " << count << " at " << i;
        }
      }
    }
  }
}

TEST(PixelRows, CopyUnlessOpaqueWhiteMatchesTheCombinerPixelByPixel) {
  std::mt19937 rng(7);
  // Near-whites that must replace: only 0xFFFFFFFF is see-through.
  const TColor32 specials[] = {0xFFFFFFFFu, 0xFEFFFFFFu, 0xFFFFFFFEu, 0x00FFFFFFu, 0x00000000u};
  for (int start = 0; start < 4; ++start) {
    for (int count = 0; count <= 40; ++count) {
      std::vector<TColor32> src(start + count), dst(start + count + 2), expected;
      for (auto& c : src) c = (rng() & 1) ? specials[rng() % 5] : static_cast<TColor32>(rng());
      for (auto& c : dst) c = static_cast<TColor32>(rng());
      expected = dst;
      for (int i = start; i < start + count; ++i) TransparentWhiteCombine(src[i], expected[i], 255);
      CopyUnlessOpaqueWhite(src.data() + start, dst.data() + start, count);
      ASSERT_EQ(dst, expected) << "start " << start << " count " << count;
    }
  }
}

// Brute force: the bounding rectangle of the pixels whose alpha is not 255.
bool SlowTranslucentBounds(const TBitmap32& b, const TRect& area, TRect& r) {
  bool found = false;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) {
      if ((b.PixelAt(x, y) >> 24) == 255) continue;
      r = found ? TRect{std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)}
                : TRect{x, y, x + 1, y + 1};
      found = true;
    }
  }
  return found;
}

TEST(OpacityScan, FindsTheBoundsOfSparseTranslucentPixelsInAnyArea) {
  std::mt19937 rng(11);
  TBitmap32 b;
  b.SetBitmapSize(101, 37);
  for (int trial = 0; trial < 300; ++trial) {
    b.FillAll(0xFF000000u | rng());
    const int spots = static_cast<int>(rng() % 4);
    for (int k = 0; k < spots; ++k) b.SetPixelAt(rng() % 101, rng() % 37, static_cast<TColor32>(rng() % 0xFF000000u));
    const int l = static_cast<int>(rng() % 101), t = static_cast<int>(rng() % 37);
    const TRect area{l, t, l + static_cast<int>(rng() % (102 - l)), t + static_cast<int>(rng() % (38 - t))};
    TRect fast{-7, -7, -7, -7}, slow{};
    const bool found = TranslucentBounds(b, area, fast);
    ASSERT_EQ(found, SlowTranslucentBounds(b, area, slow)) << "trial " << trial;
    if (found) {
      EXPECT_EQ(fast, slow) << "trial " << trial;
    } else {
      EXPECT_EQ(fast, (TRect{-7, -7, -7, -7})) << "bounds written although nothing was found";
    }
  }
}

void SwapColours(TColor32 f, TColor32& b, TColor32) { b = f == 0xFFFFFFFFu ? 0xFF00FF00u : b; }

// Only the combiner itself takes the row loop; a lambda doing the same, or
// another function of the same type, is called pixel by pixel as before.
TEST(TransparentWhiteTransfer, OnlyTheCombinerItselfTakesTheRowLoop) {
  EXPECT_TRUE(IsTransparentWhiteCombine(TPixelCombineEvent(TransparentWhiteCombine)));
  EXPECT_TRUE(IsTransparentWhiteCombine(TPixelCombineEvent(&TransparentWhiteCombine)));
  EXPECT_FALSE(IsTransparentWhiteCombine(TPixelCombineEvent(SwapColours)));
  EXPECT_FALSE(IsTransparentWhiteCombine(
      TPixelCombineEvent([](TColor32 f, TColor32& b, TColor32 m) { TransparentWhiteCombine(f, b, m); })));
  EXPECT_FALSE(IsTransparentWhiteCombine(TPixelCombineEvent()));

  TBitmap32 src, dst;
  src.SetBitmapSize(9, 3);
  src.FillAll(0xFFFFFFFFu);
  src.SetPixelAt(4, 1, 0xFE000000u);
  dst.SetBitmapSize(9, 3);
  dst.FillAll(0xFF112233u);
  TransferRect(&dst, {0, 0, 9, 3}, {0, 0, 9, 3}, &src, {0, 0, 9, 3}, sfNearest, dmCustom, SwapColours);
  EXPECT_EQ(dst.PixelAt(0, 0), 0xFF00FF00u);
  EXPECT_EQ(dst.PixelAt(4, 1), 0xFF112233u);
  TransferRect(&dst, {0, 0, 9, 3}, {0, 0, 9, 3}, &src, {0, 0, 9, 3}, sfNearest, dmCustom, TransparentWhiteCombine);
  EXPECT_EQ(dst.PixelAt(0, 0), 0xFF00FF00u);
  EXPECT_EQ(dst.PixelAt(4, 1), 0xFE000000u);
}

}  // namespace
}  // namespace gradoir
