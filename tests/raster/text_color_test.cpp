#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <vector>

#include "raster/bitmap32.h"

namespace gradoir {
namespace {

constexpr TColor32 kHalfTransparent = 0x80123456;

TEST(ColorToArgb, ReordersBytesAndIsAlwaysOpaque) {
  EXPECT_EQ(ColorToArgb(0x000000FF), 0xFFFF0000u);  // red
  EXPECT_EQ(ColorToArgb(0x00008000), 0xFF008000u);  // green
  EXPECT_EQ(ColorToArgb(0x00112233), 0xFF332211u);
  EXPECT_EQ(ColorToArgb(0x7F112233), 0xFF332211u);  // top byte dropped
  EXPECT_EQ(ColorToArgb(0), 0xFF000000u);
}

TEST(ColorToArgb, SystemColoursComeFromTheApplicationPalette) {
  const QPalette palette = QGuiApplication::palette();
  EXPECT_EQ(ColorToArgb(0x80000005), 0xFF000000u | palette.color(QPalette::Active, QPalette::Base).rgb());
  EXPECT_EQ(ColorToArgb(0x8000000F), 0xFF000000u | palette.color(QPalette::Active, QPalette::Button).rgb());
  EXPECT_EQ(ColorToArgb(0x80000008), 0xFF000000u | palette.color(QPalette::Active, QPalette::Text).rgb());
  // Only the low byte numbers the colour.
  EXPECT_EQ(ColorToArgb(0x80FFFF05), ColorToArgb(0x80000005));
  for (TColor n = 0; n < 40; ++n) EXPECT_EQ(ColorToArgb(0x80000000 | n) >> 24, 0xFFu) << n;
  EXPECT_EQ(ColorToArgb(0x800000FF), 0xFF000000u);  // no such colour
}

TEST(Text, EmptyBitmapMeasuresLikeASizedOne) {
  TBitmap32 empty;
  TBitmap32 sized;
  sized.SetBitmapSize(50, 50);
  for (TBitmap32* b : {&empty, &sized}) {
    b->Font().SetName("Verdana");
    b->Font().SetSize(10);
  }
  std::int32_t ecx = 0, ecy = 0, scx = 0, scy = 0;
  empty.MeasureText("175", ecx, ecy);
  sized.MeasureText("175", scx, scy);
  EXPECT_EQ(ecx, scx);
  EXPECT_EQ(ecy, scy);
  EXPECT_GT(ecx, 0);
  EXPECT_GT(ecy, 0);
  EXPECT_EQ(empty.TextPixelWidth("175"), ecx);
  EXPECT_EQ(empty.TextPixelHeight("175"), ecy);
  // Longer strings and larger fonts take more room.
  EXPECT_GT(empty.TextPixelWidth("1750"), ecx);
  empty.Font().SetSize(20);
  EXPECT_GT(empty.TextPixelHeight("175"), ecy);
}

struct TPrinted {
  TBitmap32 bitmap;
  std::vector<TPoint> touched;
  int changes = 0;
};

// Prints "90" at (4, 3) on a 40 x 30 bitmap filled with `background`.
void PrintOn(TPrinted& p, TColor32 background) {
  p.bitmap.SetBitmapSize(40, 30);
  p.bitmap.FillAll(background);
  p.bitmap.Font().SetName("Verdana");
  p.bitmap.Font().SetSize(12);
  p.bitmap.Font().SetColor(0x000000FF);  // red
  p.bitmap.OnChange = [&p](TThreadPersistent*) { ++p.changes; };
  p.bitmap.PrintText(4, 3, "90");
  for (std::int32_t y = 0; y < 30; ++y)
    for (std::int32_t x = 0; x < 40; ++x)
      if (p.bitmap.PixelAt(x, y) != background) p.touched.push_back({x, y});
}

TEST(Text, PrintLeavesEveryPixelOutsideTheGlyphsUnchanged) {
  TPrinted half;
  PrintOn(half, kHalfTransparent);
  TPrinted white;
  PrintOn(white, 0xFFFFFFFF);
  EXPECT_EQ(half.changes, 1);
  ASSERT_FALSE(white.touched.empty());
  // The glyphs cover the same pixels whatever lies beneath them.
  EXPECT_EQ(half.touched, white.touched);
  // Touched pixels move from the background towards opaque red.
  const TColor32 red = 0xFFFF0000;
  for (const TPoint& p : half.touched) {
    const TColor32 pixel = half.bitmap.PixelAt(p.X, p.Y);
    for (int shift = 0; shift < 32; shift += 8) {
      const std::uint32_t lo = std::min((kHalfTransparent >> shift) & 0xFF, (red >> shift) & 0xFF);
      const std::uint32_t hi = std::max((kHalfTransparent >> shift) & 0xFF, (red >> shift) & 0xFF);
      EXPECT_GE((pixel >> shift) & 0xFF, lo);
      EXPECT_LE((pixel >> shift) & 0xFF, hi);
    }
  }
}

TEST(Text, PrintStaysInsideTheMeasuredCell) {
  TPrinted p;
  PrintOn(p, 0xFFFFFFFF);
  std::int32_t cx = 0, cy = 0;
  p.bitmap.MeasureText("90", cx, cy);
  for (const TPoint& t : p.touched) {
    EXPECT_GE(t.X, 4);
    EXPECT_LT(t.X, 4 + cx);
    EXPECT_GE(t.Y, 3);
    EXPECT_LT(t.Y, 3 + cy);
  }
}

TEST(Text, PrintOnEmptyOrFarAwayDrawsNothingButNotifies) {
  TBitmap32 empty;
  int changes = 0;
  empty.OnChange = [&](TThreadPersistent*) { ++changes; };
  empty.PrintText(0, 0, "12");
  EXPECT_EQ(changes, 1);

  TBitmap32 bitmap;
  bitmap.SetBitmapSize(20, 20);
  bitmap.FillAll(kHalfTransparent);
  bitmap.PrintText(-2000000000, 5, "123");
  bitmap.PrintText(5, 2000000000, "123");
  bitmap.PrintText(2147483000, -2147483000, "123");
  for (std::int32_t y = 0; y < 20; ++y)
    for (std::int32_t x = 0; x < 20; ++x) ASSERT_EQ(bitmap.PixelAt(x, y), kHalfTransparent);
  // Partly outside: only what falls inside is drawn, and something is.
  bitmap.PrintText(-6, -4, "88");
  bool drawn = false;
  for (std::int32_t y = 0; y < 20; ++y)
    for (std::int32_t x = 0; x < 20; ++x) drawn |= bitmap.PixelAt(x, y) != kHalfTransparent;
  EXPECT_TRUE(drawn);
}

}  // namespace
}  // namespace gradoir
