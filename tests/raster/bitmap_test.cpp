#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "raster/bitmap32.h"
#include "raster/errors.h"

namespace gradoir {
namespace {

// Records the events of a bitmap in the order they fire.
struct EventLog {
  std::vector<std::string> events;
  explicit EventLog(Bitmap32& bitmap) {
    bitmap.onChange = [this](Bitmap32*) { events.push_back("change"); };
    bitmap.onResize = [this](Bitmap32*) { events.push_back("resize"); };
  }
  std::size_t count(const std::string& name) const {
    std::size_t n = 0;
    for (const auto& e : events) n += (e == name);
    return n;
  }
};

TEST(BitmapSize, NegativeSizesBecomeZeroAndEqualSizesDoNothing) {
  Bitmap32 bitmap;
  EXPECT_TRUE(bitmap.isEmpty());
  EXPECT_TRUE(bitmap.setBitmapSize(-5, 10));
  EXPECT_EQ(bitmap.width(), 0);
  EXPECT_EQ(bitmap.height(), 10);
  EXPECT_TRUE(bitmap.isEmpty());
  EventLog log(bitmap);
  EXPECT_FALSE(bitmap.setBitmapSize(0, 10));
  EXPECT_FALSE(bitmap.setBitmapSize(-1, 10));
  EXPECT_TRUE(log.events.empty());
}

TEST(BitmapSize, NewSizeFiresChangeThenResize) {
  Bitmap32 bitmap;
  EventLog log(bitmap);
  EXPECT_TRUE(bitmap.setBitmapSize(4, 3));
  EXPECT_EQ(log.events, (std::vector<std::string>{"change", "resize"}));
  EXPECT_FALSE(bitmap.isEmpty());
  EXPECT_EQ(bitmap.pixelBounds(), (Rect{0, 0, 4, 3}));
  log.events.clear();
  EXPECT_FALSE(bitmap.setBitmapSize(4, 3));
  EXPECT_TRUE(log.events.empty());
  bitmap.setBitmapSize(0, 0);
  EXPECT_EQ(log.events, (std::vector<std::string>{"change", "resize"}));
  EXPECT_TRUE(bitmap.isEmpty());
  EXPECT_EQ(bitmap.bits(), nullptr);
}

TEST(BitmapSize, UnallocatableSizeLeavesAnEmptyBitmap) {
  Bitmap32 bitmap;
  bitmap.setBitmapSize(3, 3);
  EventLog log(bitmap);
  const std::int32_t huge = std::numeric_limits<std::int32_t>::max();
  try {
    bitmap.setBitmapSize(huge, huge);
    FAIL() << "no exception";
  } catch (const BitmapError& e) {
    EXPECT_STREQ(e.what(), "Not enough memory for a 2147483647 x 2147483647 bitmap");
  }
  EXPECT_EQ(bitmap.width(), 0);
  EXPECT_EQ(bitmap.height(), 0);
  EXPECT_TRUE(bitmap.isEmpty());
  EXPECT_TRUE(log.events.empty());
  // The bitmap is usable again afterwards.
  EXPECT_TRUE(bitmap.setBitmapSize(2, 2));
  bitmap.fillAll(0xFF00FF00);
  EXPECT_EQ(bitmap.pixelAt(1, 1), 0xFF00FF00u);
}

TEST(BitmapNotification, UpdateBatchesOnlyCount) {
  Bitmap32 bitmap;
  EventLog log(bitmap);
  bitmap.beginUpdate();
  bitmap.beginUpdate();
  EXPECT_EQ(bitmap.updateCount(), 2);
  bitmap.setBitmapSize(2, 2);  // onResize is not part of the batch
  bitmap.fillAll(0);
  bitmap.endUpdate();
  bitmap.endUpdate();
  EXPECT_EQ(log.events, (std::vector<std::string>{"resize"}));
  bitmap.fillAll(1);
  EXPECT_EQ(log.count("change"), 1u);
}

TEST(BitmapNotification, UnpairedEndUpdateIsAnAssertion) {
  Bitmap32 bitmap;
  try {
    bitmap.endUpdate();
    FAIL() << "no exception";
  } catch (const AssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Unpaired Bitmap32::endUpdate");
  }
  EXPECT_EQ(bitmap.updateCount(), 0);
}

TEST(BitmapNotification, PropertiesNotifyOnlyOnNewValues) {
  Bitmap32 bitmap;
  EXPECT_EQ(bitmap.drawMode(), DrawMode::Opaque);
  EXPECT_EQ(bitmap.masterAlpha(), 255u);
  EXPECT_EQ(bitmap.stretchFilter(), StretchFilter::Nearest);
  EXPECT_EQ(bitmap.outerColor, 0u);
  EventLog log(bitmap);
  bitmap.setDrawMode(DrawMode::Opaque);
  bitmap.setMasterAlpha(255);
  bitmap.setStretchFilter(StretchFilter::Nearest);
  EXPECT_TRUE(log.events.empty());
  bitmap.setDrawMode(DrawMode::Custom);
  bitmap.setMasterAlpha(100);
  bitmap.setStretchFilter(StretchFilter::Linear);
  EXPECT_EQ(log.count("change"), 3u);
  EXPECT_EQ(bitmap.drawMode(), DrawMode::Custom);
  EXPECT_EQ(bitmap.masterAlpha(), 100u);
  EXPECT_EQ(bitmap.stretchFilter(), StretchFilter::Linear);
}

TEST(BitmapNotification, DestructionFiresNothing) {
  int fired = 0;
  {
    Bitmap32 bitmap;
    bitmap.setBitmapSize(3, 3);
    bitmap.onChange = [&](Bitmap32*) { ++fired; };
    bitmap.onResize = [&](Bitmap32*) { ++fired; };
  }
  EXPECT_EQ(fired, 0);
}

TEST(BitmapFills, FillAllOnEmptyDoesNothing) {
  Bitmap32 bitmap;
  bitmap.setBitmapSize(0, 5);
  EventLog log(bitmap);
  bitmap.fillAll(0xFFFFFFFF);
  EXPECT_TRUE(log.events.empty());
  bitmap.setBitmapSize(3, 2);
  log.events.clear();
  bitmap.fillAll(0x80FF0000);
  EXPECT_EQ(log.events, (std::vector<std::string>{"change"}));
  for (std::int32_t y = 0; y < 2; ++y)
    for (std::int32_t x = 0; x < 3; ++x) EXPECT_EQ(bitmap.pixelAt(x, y), 0x80FF0000u);
}

// Fills a 6 x 4 bitmap with 0, then the block with 1; returns the picture
// row by row as digits, and how many changes fired.
std::pair<std::string, std::size_t> clippedBlock(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  Bitmap32 bitmap;
  bitmap.setBitmapSize(6, 4);
  bitmap.fillAll(0);
  EventLog log(bitmap);
  bitmap.fillBlockClipped(x1, y1, x2, y2, 1);
  std::string picture;
  for (std::int32_t y = 0; y < 4; ++y) {
    for (std::int32_t x = 0; x < 6; ++x) picture += static_cast<char>('0' + bitmap.pixelAt(x, y));
    picture += '/';
  }
  return {picture, log.count("change")};
}

TEST(BitmapFills, FillBlockClippedClampsOrSkips) {
  EXPECT_EQ(clippedBlock(1, 1, 3, 3), std::make_pair(std::string("000000/011000/011000/000000/"), std::size_t{1}));
  EXPECT_EQ(clippedBlock(-5, -5, 2, 1), std::make_pair(std::string("110000/000000/000000/000000/"), std::size_t{1}));
  EXPECT_EQ(clippedBlock(4, 2, 100, 100),
            std::make_pair(std::string("000000/000000/000011/000011/"), std::size_t{1}));
  const std::string blank = "000000/000000/000000/000000/";
  for (const auto& block : std::vector<std::array<std::int32_t, 4>>{
           {3, 1, 3, 2}, {3, 1, 2, 2}, {1, 2, 2, 2}, {6, 0, 9, 2}, {0, 4, 2, 9}, {-3, 0, 0, 2}, {0, -3, 2, 0}}) {
    EXPECT_EQ(clippedBlock(block[0], block[1], block[2], block[3]), std::make_pair(blank, std::size_t{0}))
        << block[0] << "," << block[1] << "," << block[2] << "," << block[3];
  }
}

TEST(BitmapFills, FillBlockBeyondTheEdgesStaysInside) {
  Bitmap32 bitmap;
  bitmap.setBitmapSize(3, 3);
  bitmap.fillAll(0);
  EventLog log(bitmap);
  bitmap.fillBlock(-100, 1, 100, 2, 7);
  EXPECT_EQ(log.count("change"), 1u);
  for (std::int32_t x = 0; x < 3; ++x) {
    EXPECT_EQ(bitmap.pixelAt(x, 0), 0u);
    EXPECT_EQ(bitmap.pixelAt(x, 1), 7u);
    EXPECT_EQ(bitmap.pixelAt(x, 2), 0u);
  }
}

TEST(BitmapPixels, PixelOrOuterAnswersOutsideWithOuterColor) {
  Bitmap32 bitmap;
  bitmap.setBitmapSize(3, 2);
  bitmap.fillAll(0xFF111111);
  bitmap.setPixelAt(2, 1, 0xFF222222);
  EXPECT_EQ(bitmap.pixelOrOuter(-1, 0), 0u);
  EXPECT_EQ(bitmap.pixelOrOuter(2, 1), 0xFF222222u);
  bitmap.outerColor = 0x12345678;
  for (const auto& p : std::vector<Point>{{-1, 0}, {3, 0}, {0, -1}, {0, 2}, {-100000, 100000}}) {
    EXPECT_EQ(bitmap.pixelOrOuter(p.x, p.y), 0x12345678u) << p.x << "," << p.y;
  }
  EXPECT_EQ(bitmap.pixelOrOuter(0, 0), 0xFF111111u);
  EXPECT_EQ(*bitmap.pixelAddress(2, 1), 0xFF222222u);
  EXPECT_EQ(bitmap.rowStart(1)[2], 0xFF222222u);
}

}  // namespace
}  // namespace gradoir
