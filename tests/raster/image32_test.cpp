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

std::unique_ptr<TBitmapLayer> SolidLayer(TCustomImage32& image, TRealRect location, TColor32 color) {
  auto layer = std::make_unique<TBitmapLayer>(&image.Layers());
  layer->Bitmap().SetBitmapSize(static_cast<std::int32_t>(location.Right - location.Left),
                                static_cast<std::int32_t>(location.Bottom - location.Top));
  layer->Bitmap().FillAll(color);
  layer->SetLocation(location);
  return layer;
}

TColor32 BufferPixel(TCustomImage32& image, int x, int y) { return image.Buffer().PixelAt(x, y); }

TEST(Image32, NewWidgetIs192SquareAndItsBufferStartsStale) {
  TCustomImage32 image;
  EXPECT_EQ(image.width(), 192);
  EXPECT_EQ(image.height(), 192);
  EXPECT_FALSE(image.BufferValid());
  EXPECT_EQ(image.Layers().Owner(), &image);
  image.ValidateBuffer();
  EXPECT_TRUE(image.BufferValid());
  EXPECT_EQ(BufferPixel(image, 0, 0), kWhite);
  EXPECT_EQ(BufferPixel(image, 191, 191), kWhite);
}

TEST(Image32, BackgroundIsTheControlColourMadeOpaque) {
  TCustomImage32 image;
  image.resize(20, 10);
  image.SetColor(0x00336699);  // toolkit colour 0x00BBGGRR
  image.ValidateBuffer();
  EXPECT_EQ(BufferPixel(image, 5, 5), 0xFF996633u);
}

TEST(Image32, LaterLayersPaintOverEarlierOnes) {
  TCustomImage32 image;
  image.resize(100, 100);
  auto below = SolidLayer(image, {10, 10, 50, 50}, kRed);
  auto above = SolidLayer(image, {30, 30, 70, 70}, kBlue);
  image.ValidateBuffer();
  EXPECT_EQ(BufferPixel(image, 15, 15), kRed);
  EXPECT_EQ(BufferPixel(image, 40, 40), kBlue);
  EXPECT_EQ(BufferPixel(image, 49, 49), kBlue);
  EXPECT_EQ(BufferPixel(image, 60, 60), kBlue);
  EXPECT_EQ(BufferPixel(image, 9, 9), kWhite);
  EXPECT_EQ(BufferPixel(image, 70, 70), kWhite);
}

TEST(Image32, HalfPixelLocationsRoundHalfToEven) {
  TCustomImage32 image;
  image.resize(40, 40);
  auto even = SolidLayer(image, {10.5f, 20.5f, 14.5f, 24.5f}, kRed);  // drawn at (10, 20, 14, 24)
  image.ValidateBuffer();
  EXPECT_EQ(BufferPixel(image, 10, 20), kRed);
  EXPECT_EQ(BufferPixel(image, 13, 23), kRed);
  EXPECT_EQ(BufferPixel(image, 9, 20), kWhite);
  EXPECT_EQ(BufferPixel(image, 14, 23), kWhite);
  EXPECT_EQ(BufferPixel(image, 13, 24), kWhite);

  even->SetLocation({11.5f, 21.5f, 15.5f, 25.5f});  // drawn at (12, 22, 16, 26)
  image.ValidateBuffer();
  EXPECT_EQ(BufferPixel(image, 11, 22), kWhite);
  EXPECT_EQ(BufferPixel(image, 12, 22), kRed);
  EXPECT_EQ(BufferPixel(image, 15, 25), kRed);
  EXPECT_EQ(BufferPixel(image, 16, 25), kWhite);
}

TEST(Image32, HiddenAndEmptyLayersPaintNothing) {
  TCustomImage32 image;
  image.resize(30, 30);
  auto hidden = SolidLayer(image, {0, 0, 10, 10}, kRed);
  hidden->SetVisible(false);
  TBitmapLayer empty(&image.Layers());
  empty.SetLocation({0, 0, 30, 30});
  image.ValidateBuffer();
  EXPECT_EQ(BufferPixel(image, 5, 5), kWhite);
  EXPECT_EQ(BufferPixel(image, 20, 20), kWhite);
}

TEST(Image32, LayerPartlyOrFarOutsidePaintsOnlyWhatIsInside) {
  TCustomImage32 image;
  image.resize(30, 30);
  auto corner = SolidLayer(image, {-5, -5, 5, 5}, kRed);
  auto far = SolidLayer(image, {0, 0, 10, 10}, kBlue);
  far->SetLocation({3.0e9f, -3.0e9f, 3.0e9f + 10, -3.0e9f + 10});
  image.ValidateBuffer();
  EXPECT_EQ(BufferPixel(image, 0, 0), kRed);
  EXPECT_EQ(BufferPixel(image, 4, 4), kRed);
  EXPECT_EQ(BufferPixel(image, 5, 5), kWhite);
  EXPECT_EQ(BufferPixel(image, 29, 29), kWhite);
}

TEST(Image32, VisibleLayerChangesInvalidateEvenWhenNothingChanged) {
  TCustomImage32 image;
  int changes = 0;
  image.OnChange = [&] { ++changes; };
  auto layer = SolidLayer(image, {0, 0, 10, 10}, kRed);

  image.ValidateBuffer();
  layer->SetVisible(true);
  EXPECT_FALSE(image.BufferValid());

  image.ValidateBuffer();
  const int before = changes;
  layer->SetLocation(layer->Location());
  EXPECT_FALSE(image.BufferValid());
  EXPECT_EQ(changes, before + 1);

  image.ValidateBuffer();
  layer->Bitmap().FillAll(kBlue);
  EXPECT_FALSE(image.BufferValid());
}

TEST(Image32, HidingLeavesThePictureUntilTheNextRepaint) {
  TCustomImage32 image;
  image.resize(30, 30);
  auto layer = SolidLayer(image, {0, 0, 10, 10}, kRed);
  image.ValidateBuffer();
  layer->SetVisible(false);
  EXPECT_TRUE(image.BufferValid());
  image.ValidateBuffer();
  EXPECT_EQ(BufferPixel(image, 5, 5), kRed);
  image.InvalidateImage();
  image.ValidateBuffer();
  EXPECT_EQ(BufferPixel(image, 5, 5), kWhite);
}

TEST(Image32, UpdateBatchSuppressesImageChangedAndRejectsUnpairedEnd) {
  TCustomImage32 image;
  int changes = 0;
  image.OnChange = [&] { ++changes; };
  auto layer = SolidLayer(image, {0, 0, 10, 10}, kRed);
  image.ValidateBuffer();
  const int before = changes;
  image.BeginUpdate();
  layer->SetVisible(true);
  EXPECT_TRUE(image.BufferValid());
  EXPECT_EQ(changes, before);
  image.EndUpdate();
  layer->SetVisible(true);
  EXPECT_EQ(changes, before + 1);
  try {
    image.EndUpdate();
    FAIL() << "unpaired EndUpdate accepted";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Unpaired EndUpdate call");
  }
}

struct SizingCase {
  int from_width;
  int to_width;
  int expected_buffer_width;
};

class BufferSizing : public ::testing::TestWithParam<SizingCase> {};

TEST_P(BufferSizing, SlackOf40PixelsBeforeReallocation) {
  const SizingCase c = GetParam();
  TCustomImage32 image;
  image.resize(c.from_width, 700);
  image.ValidateBuffer();
  ASSERT_EQ(image.Buffer().Width(), c.from_width);
  image.resize(c.to_width, 700);
  image.ValidateBuffer();
  EXPECT_EQ(image.Buffer().Width(), c.expected_buffer_width);
  EXPECT_EQ(image.Buffer().Height(), 700);
  // Whatever the buffer's size, the whole client area is repainted.
  EXPECT_EQ(BufferPixel(image, c.to_width - 1, 699), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Image32, BufferSizing,
                         ::testing::Values(SizingCase{1000, 970, 1000}, SizingCase{1000, 960, 1000},
                                           SizingCase{1000, 959, 959}, SizingCase{1000, 950, 950},
                                           SizingCase{1000, 1001, 1001}));

TEST(Image32, HeightFollowsTheSameRuleAndZeroSizeIsSafe) {
  TCustomImage32 image;
  image.resize(100, 100);
  image.ValidateBuffer();
  image.resize(100, 65);
  image.ValidateBuffer();
  EXPECT_EQ(image.Buffer().Height(), 100);
  image.resize(100, 59);
  image.ValidateBuffer();
  EXPECT_EQ(image.Buffer().Height(), 59);

  auto layer = SolidLayer(image, {0, 0, 10, 10}, kRed);
  image.resize(0, 0);
  image.ValidateBuffer();
  EXPECT_TRUE(image.Buffer().IsEmpty());
  EXPECT_TRUE(image.BufferValid());
}

TEST(Image32, ShownWidgetMergesNotificationsIntoOneRepaintAndCopiesTheBuffer) {
  CountingImage image;
  image.resize(50, 40);
  auto layer = SolidLayer(image, {10, 10, 20, 20}, kRed);
  image.show();
  QApplication::processEvents();
  const int before = image.rebuilds;
  for (int i = 0; i < 10; ++i) layer->SetVisible(true);
  QApplication::processEvents();
  EXPECT_EQ(image.rebuilds, before + 1);

  const QImage window = image.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(window.width(), 50);
  EXPECT_EQ(window.pixel(15, 15), kRed);
  EXPECT_EQ(window.pixel(25, 25), kWhite);
}

TEST(Image32, RepaintNowRebuildsBeforeReturning) {
  CountingImage image;
  image.resize(50, 40);
  auto layer = SolidLayer(image, {0, 0, 10, 10}, kRed);
  image.show();
  QApplication::processEvents();
  const int before = image.rebuilds;
  layer->SetVisible(false);
  image.RepaintNow();
  EXPECT_EQ(image.rebuilds, before + 1);
  EXPECT_TRUE(image.BufferValid());
  EXPECT_EQ(BufferPixel(image, 5, 5), kWhite);
}

}  // namespace
}  // namespace gradoir
