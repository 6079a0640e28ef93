// The layered image widget: what its back buffer holds after a repaint, when
// it is rebuilt, and how it is sized.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <memory>

#include <gtest/gtest.h>

#include "raster/errors.h"
#include "raster/image32.h"

namespace gradoir {
namespace {

constexpr TColor32 kWhite = 0xFFFFFFFFu;
constexpr TColor32 kRed = 0xFFFF0000u;
constexpr TColor32 kBlue = 0xFF0000FFu;

// Counts buffer rebuilds, to see how many repaints the window system ran.
class CountingImage : public TCustomImage32 {
 public:
  int rebuilds = 0;
  void PaintBuffer() override {
    ++rebuilds;
    TCustomImage32::PaintBuffer();
  }
};

std::unique_ptr<TBitmapLayer> SolidLayer(TCustomImage32& image, TRealRect at, TColor32 color) {
  auto layer = std::make_unique<TBitmapLayer>(&image.Layers());
  layer->Bitmap().SetBitmapSize(static_cast<std::int32_t>(at.Right - at.Left),
                                static_cast<std::int32_t>(at.Bottom - at.Top));
  layer->Bitmap().FillAll(color);
  layer->SetLocation(at);
  return layer;
}

TColor32 Pixel(TCustomImage32& image, int x, int y) {
  image.ValidateBuffer();
  return image.Buffer().PixelAt(x, y);
}

TEST(Image32, LayersPaintFromIndexZeroUpOverTheBackground) {
  TCustomImage32 image;
  image.resize(100, 100);
  auto below = SolidLayer(image, {-5, -5, 50, 50}, kRed);
  auto above = SolidLayer(image, {30, 30, 70, 70}, kBlue);
  auto hidden = SolidLayer(image, {60, 0, 100, 20}, kBlue);
  hidden->SetVisible(false);
  auto far = SolidLayer(image, {0, 80, 10, 90}, kBlue);
  far->SetLocation({3.0e9f, -3.0e9f, 3.0e9f + 10, -3.0e9f + 10});
  TBitmapLayer empty(&image.Layers());

  EXPECT_EQ(Pixel(image, 0, 0), kRed);
  EXPECT_EQ(Pixel(image, 40, 40), kBlue);
  EXPECT_EQ(Pixel(image, 49, 49), kBlue);
  EXPECT_EQ(Pixel(image, 80, 10), kWhite);
  EXPECT_EQ(Pixel(image, 5, 85), kWhite);
  EXPECT_EQ(Pixel(image, 99, 99), kWhite);
}

TEST(Image32, HalfPixelLocationsRoundHalfToEven) {
  TCustomImage32 image;
  image.resize(40, 40);
  auto layer = SolidLayer(image, {10.5f, 20.5f, 14.5f, 24.5f}, kRed);  // at (10, 20, 14, 24)
  EXPECT_EQ(Pixel(image, 10, 20), kRed);
  EXPECT_EQ(Pixel(image, 13, 23), kRed);
  EXPECT_EQ(Pixel(image, 9, 20), kWhite);
  EXPECT_EQ(Pixel(image, 14, 23), kWhite);
  layer->SetLocation({11.5f, 21.5f, 15.5f, 25.5f});  // at (12, 22, 16, 26)
  EXPECT_EQ(Pixel(image, 11, 22), kWhite);
  EXPECT_EQ(Pixel(image, 12, 22), kRed);
  EXPECT_EQ(Pixel(image, 15, 25), kRed);
}

TEST(Image32, UnchangedVisibleLayerStillInvalidatesButHidingDoesNot) {
  TCustomImage32 image;
  image.resize(30, 30);
  int changes = 0;
  image.OnChange = [&] { ++changes; };
  auto layer = SolidLayer(image, {0, 0, 10, 10}, kRed);
  for (auto change : {+[](TBitmapLayer& l) { l.SetVisible(true); },
                      +[](TBitmapLayer& l) { l.SetLocation(l.Location()); }}) {
    image.ValidateBuffer();
    const int before = changes;
    change(*layer);
    EXPECT_FALSE(image.BufferValid());
    EXPECT_EQ(changes, before + 1);
  }
  image.ValidateBuffer();
  layer->SetVisible(false);
  EXPECT_TRUE(image.BufferValid());
  EXPECT_EQ(Pixel(image, 5, 5), kRed);  // stays until the next repaint
  image.InvalidateImage();
  EXPECT_EQ(Pixel(image, 5, 5), kWhite);
}

TEST(Image32, UpdateBatchSuppressesImageChangedAndRejectsUnpairedEnd) {
  TCustomImage32 image;
  auto layer = SolidLayer(image, {0, 0, 10, 10}, kRed);
  image.ValidateBuffer();
  image.BeginUpdate();
  layer->SetVisible(true);
  EXPECT_TRUE(image.BufferValid());
  image.EndUpdate();
  try {
    image.EndUpdate();
    FAIL() << "unpaired EndUpdate accepted";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Unpaired EndUpdate call");
  }
}

struct SizingCase {
  int from, to, expected;
};

class BufferSizing : public ::testing::TestWithParam<SizingCase> {};

TEST_P(BufferSizing, FortyPixelsOfSlackBeforeReallocationInEitherDirection) {
  const SizingCase c = GetParam();
  TCustomImage32 wide, tall;
  wide.resize(c.from, 70);
  tall.resize(70, c.from);
  wide.ValidateBuffer();
  tall.ValidateBuffer();
  wide.resize(c.to, 70);
  tall.resize(70, c.to);
  EXPECT_EQ(Pixel(wide, c.to - 1, 69), kWhite);  // the whole client area is repainted
  EXPECT_EQ(Pixel(tall, 69, c.to - 1), kWhite);
  EXPECT_EQ(wide.Buffer().Width(), c.expected);
  EXPECT_EQ(tall.Buffer().Height(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Image32, BufferSizing,
                         ::testing::Values(SizingCase{1000, 970, 1000}, SizingCase{1000, 960, 1000},
                                           SizingCase{1000, 959, 959}, SizingCase{1000, 950, 950},
                                           SizingCase{1000, 1001, 1001}));

TEST(Image32, ZeroSizeWidgetPaintsNothingSafely) {
  TCustomImage32 image;
  auto layer = SolidLayer(image, {0, 0, 10, 10}, kRed);
  image.resize(0, 0);
  image.ValidateBuffer();
  EXPECT_TRUE(image.Buffer().IsEmpty());
  EXPECT_TRUE(image.BufferValid());
}

TEST(Image32, ShownWidgetMergesNotificationsCopiesTheBufferAndRepaintsNow) {
  CountingImage image;
  image.resize(50, 40);
  auto layer = SolidLayer(image, {10, 10, 20, 20}, kRed);
  image.show();
  QApplication::processEvents();
  int before = image.rebuilds;
  for (int i = 0; i < 10; ++i) layer->SetVisible(true);
  QApplication::processEvents();
  EXPECT_EQ(image.rebuilds, before + 1);

  const QImage window = image.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(window.pixel(15, 15), kRed);
  EXPECT_EQ(window.pixel(25, 25), kWhite);

  before = image.rebuilds;
  layer->SetVisible(false);
  image.RepaintNow();
  EXPECT_EQ(image.rebuilds, before + 1);
  EXPECT_EQ(image.Buffer().PixelAt(15, 15), kWhite);
}

}  // namespace
}  // namespace gradoir
