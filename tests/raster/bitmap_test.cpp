#include <gtest/gtest.h>

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <atomic>
#include <chrono>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "raster/bitmap32.h"
#include "raster/errors.h"

namespace gradoir {
namespace {

// Records the events of a bitmap in the order they fire.
struct TEventLog {
  std::vector<std::string> events;
  explicit TEventLog(TBitmap32& bitmap) {
    bitmap.OnChange = [this](TThreadPersistent*) { events.push_back("change"); };
    bitmap.OnResize = [this](TThreadPersistent*) { events.push_back("resize"); };
    bitmap.OnHandleChanged = [this](TThreadPersistent*) { events.push_back("handle"); };
  }
  std::size_t Count(const std::string& name) const {
    std::size_t n = 0;
    for (const auto& e : events) n += (e == name);
    return n;
  }
};

TEST(BitmapSize, NegativeSizesBecomeZeroAndEqualSizesDoNothing) {
  TBitmap32 bitmap;
  EXPECT_TRUE(bitmap.IsEmpty());
  EXPECT_TRUE(bitmap.SetBitmapSize(-5, 10));
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 10);
  EXPECT_TRUE(bitmap.IsEmpty());
  TEventLog log(bitmap);
  EXPECT_FALSE(bitmap.SetBitmapSize(0, 10));
  EXPECT_FALSE(bitmap.SetBitmapSize(-1, 10));
  EXPECT_TRUE(log.events.empty());
}

TEST(BitmapSize, NewSizeFiresHandleThenChangeThenResize) {
  TBitmap32 bitmap;
  TEventLog log(bitmap);
  EXPECT_TRUE(bitmap.SetBitmapSize(4, 3));
  EXPECT_EQ(log.events, (std::vector<std::string>{"handle", "change", "resize"}));
  EXPECT_FALSE(bitmap.IsEmpty());
  EXPECT_EQ(bitmap.PixelBounds(), (TRect{0, 0, 4, 3}));
  log.events.clear();
  EXPECT_FALSE(bitmap.SetBitmapSize(4, 3));
  EXPECT_TRUE(log.events.empty());
  bitmap.ReleaseStorage();
  EXPECT_EQ(log.events, (std::vector<std::string>{"handle", "change", "resize"}));
  EXPECT_TRUE(bitmap.IsEmpty());
  EXPECT_EQ(bitmap.Bits(), nullptr);
}

TEST(BitmapSize, UnallocatableSizeLeavesAnEmptyBitmap) {
  TBitmap32 bitmap;
  bitmap.SetBitmapSize(3, 3);
  TEventLog log(bitmap);
  const std::int32_t huge = std::numeric_limits<std::int32_t>::max();
  try {
    bitmap.SetBitmapSize(huge, huge);
    FAIL() << "no exception";
  } catch (const EBitmapError& e) {
    EXPECT_STREQ(e.what(), "Can't allocate the DIB handle");
  }
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0);
  EXPECT_TRUE(bitmap.IsEmpty());
  EXPECT_EQ(log.events, (std::vector<std::string>{"handle"}));
  // The bitmap is usable again afterwards.
  EXPECT_TRUE(bitmap.SetBitmapSize(2, 2));
  bitmap.FillAll(0xFF00FF00);
  EXPECT_EQ(bitmap.PixelAt(1, 1), 0xFF00FF00u);
}

TEST(BitmapSize, AdoptSizeOfMapsGraphicsAndWidgets) {
  TBitmap32 bitmap;
  TBitmap32 other;
  other.SetBitmapSize(7, 5);
  EXPECT_TRUE(bitmap.AdoptSizeOf(&other));
  EXPECT_EQ(bitmap.PixelBounds(), (TRect{0, 0, 7, 5}));
  EXPECT_TRUE(bitmap.AdoptSizeOf(QImage(9, 2, QImage::Format_ARGB32)));
  EXPECT_EQ(bitmap.PixelBounds(), (TRect{0, 0, 9, 2}));
  QWidget widget;
  widget.resize(20, 11);
  EXPECT_TRUE(bitmap.AdoptSizeOf(static_cast<const QObject*>(&widget)));
  EXPECT_EQ(bitmap.PixelBounds(), (TRect{0, 0, 20, 11}));
  EXPECT_TRUE(bitmap.AdoptSizeOf(static_cast<const QObject*>(nullptr)));
  EXPECT_TRUE(bitmap.IsEmpty());
  EXPECT_EQ(bitmap.Width(), 0);
  bitmap.SetBitmapSize(3, 3);
  EXPECT_TRUE(bitmap.AdoptSizeOf(static_cast<const TCustomMap*>(nullptr)));
  EXPECT_EQ(bitmap.Height(), 0);
}

TEST(BitmapSize, AdoptSizeOfAnyOtherObjectNamesItsClass) {
  TBitmap32 bitmap;
  bitmap.SetBitmapSize(4, 4);
  QTimer timer;
  try {
    bitmap.AdoptSizeOf(static_cast<const QObject*>(&timer));
    FAIL() << "no exception";
  } catch (const EBitmapError& e) {
    EXPECT_STREQ(e.what(), "Can't set size from 'QTimer'");
  }
  QObject plain;
  EXPECT_THROW(bitmap.AdoptSizeOf(&plain), EBitmapError);
  EXPECT_EQ(bitmap.PixelBounds(), (TRect{0, 0, 4, 4}));
}

TEST(BitmapNotification, UpdateBatchesOnlyCount) {
  TBitmap32 bitmap;
  TEventLog log(bitmap);
  bitmap.StartUpdate();
  bitmap.StartUpdate();
  EXPECT_EQ(bitmap.UpdateCount(), 2);
  bitmap.SetBitmapSize(2, 2);  // OnResize is not part of the batch
  bitmap.FillAll(0);
  bitmap.EndUpdate();
  bitmap.EndUpdate();
  EXPECT_EQ(log.events, (std::vector<std::string>{"handle", "resize"}));
  bitmap.FillAll(1);
  EXPECT_EQ(log.Count("change"), 1u);
}

TEST(BitmapNotification, UnpairedEndUpdateIsAnAssertion) {
  TBitmap32 bitmap;
  try {
    bitmap.EndUpdate();
    FAIL() << "no exception";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Unpaired TThreadPersistent.EndUpdate");
  }
  EXPECT_EQ(bitmap.UpdateCount(), 0);
}

TEST(BitmapNotification, PropertiesNotifyOnlyOnNewValues) {
  TBitmap32 bitmap;
  EXPECT_EQ(bitmap.DrawMode(), dmOpaque);
  EXPECT_EQ(bitmap.MasterAlpha(), 255u);
  EXPECT_EQ(bitmap.StretchFilter(), sfNearest);
  EXPECT_EQ(bitmap.OuterColor, 0u);
  TEventLog log(bitmap);
  bitmap.SetDrawMode(dmOpaque);
  bitmap.SetMasterAlpha(255);
  bitmap.SetStretchFilter(sfNearest);
  EXPECT_TRUE(log.events.empty());
  bitmap.SetDrawMode(dmCustom);
  bitmap.SetMasterAlpha(100);
  bitmap.SetStretchFilter(sfLinear);
  EXPECT_EQ(log.Count("change"), 3u);
  EXPECT_EQ(bitmap.DrawMode(), dmCustom);
  EXPECT_EQ(bitmap.MasterAlpha(), 100u);
  EXPECT_EQ(bitmap.StretchFilter(), sfLinear);
}

TEST(BitmapNotification, DestructionFiresNothing) {
  int fired = 0;
  {
    TBitmap32 bitmap;
    bitmap.SetBitmapSize(3, 3);
    bitmap.OnChange = [&](TThreadPersistent*) { ++fired; };
    bitmap.OnResize = [&](TThreadPersistent*) { ++fired; };
    bitmap.OnHandleChanged = [&](TThreadPersistent*) { ++fired; };
  }
  EXPECT_EQ(fired, 0);
}

TEST(BitmapLocks, LockIsReentrantAndCounted) {
  TBitmap32 bitmap;
  bitmap.EnterLock();
  bitmap.EnterLock();
  EXPECT_EQ(bitmap.LockCount(), 2);
  bitmap.LeaveLock();
  bitmap.LeaveLock();
  EXPECT_EQ(bitmap.LockCount(), 0);
  EXPECT_THROW(bitmap.LeaveLock(), EAssertionFailed);
  EXPECT_EQ(bitmap.LockCount(), 0);
}

TEST(BitmapLocks, AnotherThreadWaitsForTheHolder) {
  TBitmap32 bitmap;
  std::atomic<bool> entered{false};
  bitmap.EnterLock();
  std::thread other([&] {
    bitmap.EnterLock();
    entered = true;
    bitmap.LeaveLock();
  });
  // The other thread counts itself in before it blocks on the lock.
  while (bitmap.LockCount() < 2) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(entered.load());
  bitmap.LeaveLock();
  other.join();
  EXPECT_TRUE(entered.load());
  EXPECT_EQ(bitmap.LockCount(), 0);
}

TEST(BitmapFills, FillAllOnEmptyDoesNothing) {
  TBitmap32 bitmap;
  bitmap.SetBitmapSize(0, 5);
  TEventLog log(bitmap);
  bitmap.FillAll(0xFFFFFFFF);
  EXPECT_TRUE(log.events.empty());
  bitmap.SetBitmapSize(3, 2);
  log.events.clear();
  bitmap.FillAll(0x80FF0000);
  EXPECT_EQ(log.events, (std::vector<std::string>{"change"}));
  for (std::int32_t y = 0; y < 2; ++y)
    for (std::int32_t x = 0; x < 3; ++x) EXPECT_EQ(bitmap.PixelAt(x, y), 0x80FF0000u);
}

// Fills a 6 x 4 bitmap with 0, then the block with 1; returns the picture
// row by row as digits, and how many changes fired.
std::pair<std::string, std::size_t> ClippedBlock(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  TBitmap32 bitmap;
  bitmap.SetBitmapSize(6, 4);
  bitmap.FillAll(0);
  TEventLog log(bitmap);
  bitmap.FillBlockClipped(x1, y1, x2, y2, 1);
  std::string picture;
  for (std::int32_t y = 0; y < 4; ++y) {
    for (std::int32_t x = 0; x < 6; ++x) picture += static_cast<char>('0' + bitmap.PixelAt(x, y));
    picture += '/';
  }
  return {picture, log.Count("change")};
}

TEST(BitmapFills, FillBlockClippedClampsOrSkips) {
  EXPECT_EQ(ClippedBlock(1, 1, 3, 3), std::make_pair(std::string("000000/011000/011000/000000/"), std::size_t{1}));
  EXPECT_EQ(ClippedBlock(-5, -5, 2, 1), std::make_pair(std::string("110000/000000/000000/000000/"), std::size_t{1}));
  EXPECT_EQ(ClippedBlock(4, 2, 100, 100),
            std::make_pair(std::string("000000/000000/000011/000011/"), std::size_t{1}));
  const std::string blank = "000000/000000/000000/000000/";
  for (const auto& block : std::vector<std::array<std::int32_t, 4>>{
           {3, 1, 3, 2}, {3, 1, 2, 2}, {1, 2, 2, 2}, {6, 0, 9, 2}, {0, 4, 2, 9}, {-3, 0, 0, 2}, {0, -3, 2, 0}}) {
    EXPECT_EQ(ClippedBlock(block[0], block[1], block[2], block[3]), std::make_pair(blank, std::size_t{0}))
        << block[0] << "," << block[1] << "," << block[2] << "," << block[3];
  }
}

TEST(BitmapFills, FillBlockBeyondTheEdgesStaysInside) {
  TBitmap32 bitmap;
  bitmap.SetBitmapSize(3, 3);
  bitmap.FillAll(0);
  TEventLog log(bitmap);
  bitmap.FillBlock(-100, 1, 100, 2, 7);
  EXPECT_EQ(log.Count("change"), 1u);
  for (std::int32_t x = 0; x < 3; ++x) {
    EXPECT_EQ(bitmap.PixelAt(x, 0), 0u);
    EXPECT_EQ(bitmap.PixelAt(x, 1), 7u);
    EXPECT_EQ(bitmap.PixelAt(x, 2), 0u);
  }
}

TEST(BitmapPixels, PixelOrOuterAnswersOutsideWithOuterColor) {
  TBitmap32 bitmap;
  bitmap.SetBitmapSize(3, 2);
  bitmap.FillAll(0xFF111111);
  bitmap.SetPixelAt(2, 1, 0xFF222222);
  EXPECT_EQ(bitmap.PixelOrOuter(-1, 0), 0u);
  EXPECT_EQ(bitmap.PixelOrOuter(2, 1), 0xFF222222u);
  bitmap.OuterColor = 0x12345678;
  for (const auto& p : std::vector<TPoint>{{-1, 0}, {3, 0}, {0, -1}, {0, 2}, {-100000, 100000}}) {
    EXPECT_EQ(bitmap.PixelOrOuter(p.X, p.Y), 0x12345678u) << p.X << "," << p.Y;
  }
  EXPECT_EQ(bitmap.PixelOrOuter(0, 0), 0xFF111111u);
  EXPECT_EQ(*bitmap.PixelAddress(2, 1), 0xFF222222u);
  EXPECT_EQ(bitmap.RowStart(1)[2], 0xFF222222u);
}

}  // namespace
}  // namespace gradoir
