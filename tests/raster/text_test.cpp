#include <gtest/gtest.h>

#include <vector>

#include "raster/bitmap32.h"

namespace gradoir {
namespace {

constexpr Color32 kHalfTransparent = 0x80123456;

TEST(Text, EmptyBitmapMeasuresLikeASizedOne) {
  Bitmap32 empty;
  Bitmap32 sized;
  sized.setBitmapSize(50, 50);
  for (Bitmap32* b : {&empty, &sized}) {
    b->font().setName("Verdana");
    b->font().setSize(10);
  }
  const TextSize e = empty.measureText("175");
  EXPECT_EQ(e, sized.measureText("175"));
  EXPECT_GT(e.width, 0);
  EXPECT_GT(e.height, 0);
  EXPECT_EQ(empty.textPixelWidth("175"), e.width);
  EXPECT_EQ(empty.textPixelHeight("175"), e.height);
  // Longer strings and larger fonts take more room.
  EXPECT_GT(empty.textPixelWidth("1750"), e.width);
  empty.font().setSize(20);
  EXPECT_GT(empty.textPixelHeight("175"), e.height);
}

struct Printed {
  Bitmap32 bitmap;
  std::vector<Point> touched;
  int changes = 0;
};

// Prints "90" at (4, 3) on a 40 x 30 bitmap filled with `background`.
void printOn(Printed& p, Color32 background) {
  p.bitmap.setBitmapSize(40, 30);
  p.bitmap.fillAll(background);
  p.bitmap.font().setName("Verdana");
  p.bitmap.font().setSize(12);
  p.bitmap.font().setColor(0xFFFF0000);  // red
  p.bitmap.onChange = [&p](Bitmap32*) { ++p.changes; };
  p.bitmap.printText(4, 3, "90");
  for (std::int32_t y = 0; y < 30; ++y)
    for (std::int32_t x = 0; x < 40; ++x)
      if (p.bitmap.pixelAt(x, y) != background) p.touched.push_back({x, y});
}

TEST(Text, PrintLeavesEveryPixelOutsideTheGlyphsUnchanged) {
  Printed half;
  printOn(half, kHalfTransparent);
  Printed white;
  printOn(white, 0xFFFFFFFF);
  EXPECT_EQ(half.changes, 1);
  ASSERT_FALSE(white.touched.empty());
  // The glyphs cover the same pixels whatever lies beneath them.
  EXPECT_EQ(half.touched, white.touched);
  // Touched pixels move from the background towards opaque red.
  const Color32 red = 0xFFFF0000;
  for (const Point& p : half.touched) {
    const Color32 pixel = half.bitmap.pixelAt(p.x, p.y);
    for (int shift = 0; shift < 32; shift += 8) {
      const std::uint32_t lo = std::min((kHalfTransparent >> shift) & 0xFF, (red >> shift) & 0xFF);
      const std::uint32_t hi = std::max((kHalfTransparent >> shift) & 0xFF, (red >> shift) & 0xFF);
      EXPECT_GE((pixel >> shift) & 0xFF, lo);
      EXPECT_LE((pixel >> shift) & 0xFF, hi);
    }
  }
}

TEST(Text, PrintStaysInsideTheMeasuredCell) {
  Printed p;
  printOn(p, 0xFFFFFFFF);
  const TextSize cell = p.bitmap.measureText("90");
  for (const Point& t : p.touched) {
    EXPECT_GE(t.x, 4);
    EXPECT_LT(t.x, 4 + cell.width);
    EXPECT_GE(t.y, 3);
    EXPECT_LT(t.y, 3 + cell.height);
  }
}

TEST(Text, PrintOnEmptyOrFarAwayDrawsNothingButNotifies) {
  Bitmap32 empty;
  int changes = 0;
  empty.onChange = [&](Bitmap32*) { ++changes; };
  empty.printText(0, 0, "12");
  EXPECT_EQ(changes, 1);

  Bitmap32 bitmap;
  bitmap.setBitmapSize(20, 20);
  bitmap.fillAll(kHalfTransparent);
  bitmap.printText(-2000000000, 5, "123");
  bitmap.printText(5, 2000000000, "123");
  bitmap.printText(2147483000, -2147483000, "123");
  for (std::int32_t y = 0; y < 20; ++y)
    for (std::int32_t x = 0; x < 20; ++x) ASSERT_EQ(bitmap.pixelAt(x, y), kHalfTransparent);
  // Partly outside: only what falls inside is drawn, and something is.
  bitmap.printText(-6, -4, "88");
  bool drawn = false;
  for (std::int32_t y = 0; y < 20; ++y)
    for (std::int32_t x = 0; x < 20; ++x) drawn |= bitmap.pixelAt(x, y) != kHalfTransparent;
  EXPECT_TRUE(drawn);
}

}  // namespace
}  // namespace gradoir
