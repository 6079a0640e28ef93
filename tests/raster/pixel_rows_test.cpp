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

constexpr Color32 kGuard = 0x12345678u;

TEST(PixelRows, FillPixelsWritesExactlyTheRangeForEveryKindOfColour) {
  for (const Color32 color : {0xFFFFFFFFu, 0x00000000u, 0xFF7F7F7Fu, 0xFF336699u, 0x80FF0001u}) {
    for (std::size_t start = 0; start < 4; ++start) {
      for (std::size_t count = 0; count <= 70; ++count) {
        std::vector<Color32> row(start + count + 3, kGuard);
        fillPixels(row.data() + start, count, color);
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
  const Color32 specials[] = {0xFFFFFFFFu, 0xFEFFFFFFu, 0xFFFFFFFEu, 0x00FFFFFFu, 0x00000000u};
  for (int start = 0; start < 4; ++start) {
    for (int count = 0; count <= 40; ++count) {
      std::vector<Color32> src(start + count), dst(start + count + 2), expected;
      for (auto& c : src) c = (rng() & 1) ? specials[rng() % 5] : static_cast<Color32>(rng());
      for (auto& c : dst) c = static_cast<Color32>(rng());
      expected = dst;
      for (int i = start; i < start + count; ++i) transparentWhiteCombine(src[i], expected[i], 255);
      copyUnlessOpaqueWhite(src.data() + start, dst.data() + start, count);
      ASSERT_EQ(dst, expected) << "start " << start << " count " << count;
    }
  }
}

// Brute force: the bounding rectangle of the pixels whose alpha is not 255.
bool slowTranslucentBounds(const Bitmap32& b, const Rect& area, Rect& r) {
  bool found = false;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if ((b.pixelAt(x, y) >> 24) == 255) continue;
      r = found ? Rect{std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)}
                : Rect{x, y, x + 1, y + 1};
      found = true;
    }
  }
  return found;
}

TEST(OpacityScan, FindsTheBoundsOfSparseTranslucentPixelsInAnyArea) {
  std::mt19937 rng(11);
  Bitmap32 b;
  b.setBitmapSize(101, 37);
  for (int trial = 0; trial < 300; ++trial) {
    b.fillAll(0xFF000000u | rng());
    const int spots = static_cast<int>(rng() % 4);
    for (int k = 0; k < spots; ++k) b.setPixelAt(rng() % 101, rng() % 37, static_cast<Color32>(rng() % 0xFF000000u));
    const int l = static_cast<int>(rng() % 101), t = static_cast<int>(rng() % 37);
    const Rect area{l, t, l + static_cast<int>(rng() % (102 - l)), t + static_cast<int>(rng() % (38 - t))};
    Rect fast{-7, -7, -7, -7}, slow{};
    const bool found = translucentBounds(b, area, fast);
    ASSERT_EQ(found, slowTranslucentBounds(b, area, slow)) << "trial " << trial;
    if (found) {
      EXPECT_EQ(fast, slow) << "trial " << trial;
    } else {
      EXPECT_EQ(fast, (Rect{-7, -7, -7, -7})) << "bounds written although nothing was found";
    }
  }
}

void swapColours(Color32 f, Color32& b, Color32) { b = f == 0xFFFFFFFFu ? 0xFF00FF00u : b; }

// Only the combiner itself takes the row loop; a lambda doing the same, or
// another function of the same type, is called pixel by pixel as before.
TEST(TransparentWhiteTransfer, OnlyTheCombinerItselfTakesTheRowLoop) {
  EXPECT_TRUE(isTransparentWhiteCombine(PixelCombiner(transparentWhiteCombine)));
  EXPECT_TRUE(isTransparentWhiteCombine(PixelCombiner(&transparentWhiteCombine)));
  EXPECT_FALSE(isTransparentWhiteCombine(PixelCombiner(swapColours)));
  EXPECT_FALSE(isTransparentWhiteCombine(
      PixelCombiner([](Color32 f, Color32& b, Color32 m) { transparentWhiteCombine(f, b, m); })));
  EXPECT_FALSE(isTransparentWhiteCombine(PixelCombiner()));

  Bitmap32 src, dst;
  src.setBitmapSize(9, 3);
  src.fillAll(0xFFFFFFFFu);
  src.setPixelAt(4, 1, 0xFE000000u);
  dst.setBitmapSize(9, 3);
  dst.fillAll(0xFF112233u);
  transferRect(&dst, {0, 0, 9, 3}, {0, 0, 9, 3}, &src, {0, 0, 9, 3}, StretchFilter::Nearest, DrawMode::Custom, swapColours);
  EXPECT_EQ(dst.pixelAt(0, 0), 0xFF00FF00u);
  EXPECT_EQ(dst.pixelAt(4, 1), 0xFF112233u);
  transferRect(&dst, {0, 0, 9, 3}, {0, 0, 9, 3}, &src, {0, 0, 9, 3}, StretchFilter::Nearest, DrawMode::Custom, transparentWhiteCombine);
  EXPECT_EQ(dst.pixelAt(0, 0), 0xFF00FF00u);
  EXPECT_EQ(dst.pixelAt(4, 1), 0xFE000000u);
}

}  // namespace
}  // namespace gradoir
