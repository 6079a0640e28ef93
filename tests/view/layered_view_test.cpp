// The layered image widget: what its back buffer holds after a repaint, when
// it is rebuilt, and how it is sized.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <memory>

#include <gtest/gtest.h>

#include "raster/errors.h"
#include "view/layered_view.h"

namespace gradoir {
namespace {

constexpr Color32 kWhite = 0xFFFFFFFFu;
constexpr Color32 kRed = 0xFFFF0000u;
constexpr Color32 kBlue = 0xFF0000FFu;

// Counts paints, to see how many repaints the window system ran.
class CountingImage : public LayeredView {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent* event) override {
    ++paints;
    LayeredView::paintEvent(event);
  }
};

std::unique_ptr<BitmapLayer> solidLayer(LayeredView& image, RectF at, Color32 color) {
  auto layer = std::make_unique<BitmapLayer>(&image.layers());
  layer->bitmap().setBitmapSize(static_cast<std::int32_t>(at.right - at.left),
                                static_cast<std::int32_t>(at.bottom - at.top));
  layer->bitmap().fillAll(color);
  layer->setLocation(at);
  return layer;
}

Color32 pixel(LayeredView& image, int x, int y) {
  image.validateBuffer();
  return image.buffer().pixelAt(x, y);
}

TEST(LayeredView, LayersPaintFromIndexZeroUpOverTheBackground) {
  LayeredView image;
  image.resize(100, 100);
  auto below = solidLayer(image, {-5, -5, 50, 50}, kRed);
  auto above = solidLayer(image, {30, 30, 70, 70}, kBlue);
  auto hidden = solidLayer(image, {60, 0, 100, 20}, kBlue);
  hidden->setVisible(false);
  auto far = solidLayer(image, {0, 80, 10, 90}, kBlue);
  far->setLocation({3.0e9f, -3.0e9f, 3.0e9f + 10, -3.0e9f + 10});
  BitmapLayer empty(&image.layers());

  EXPECT_EQ(pixel(image, 0, 0), kRed);
  EXPECT_EQ(pixel(image, 40, 40), kBlue);
  EXPECT_EQ(pixel(image, 49, 49), kBlue);
  EXPECT_EQ(pixel(image, 80, 10), kWhite);
  EXPECT_EQ(pixel(image, 5, 85), kWhite);
  EXPECT_EQ(pixel(image, 99, 99), kWhite);
}

TEST(LayeredView, HalfPixelLocationsRoundHalfToEven) {
  LayeredView image;
  image.resize(40, 40);
  auto layer = solidLayer(image, {10.5f, 20.5f, 14.5f, 24.5f}, kRed);  // at (10, 20, 14, 24)
  EXPECT_EQ(pixel(image, 10, 20), kRed);
  EXPECT_EQ(pixel(image, 13, 23), kRed);
  EXPECT_EQ(pixel(image, 9, 20), kWhite);
  EXPECT_EQ(pixel(image, 14, 23), kWhite);
  layer->setLocation({11.5f, 21.5f, 15.5f, 25.5f});  // at (12, 22, 16, 26)
  EXPECT_EQ(pixel(image, 11, 22), kWhite);
  EXPECT_EQ(pixel(image, 12, 22), kRed);
  EXPECT_EQ(pixel(image, 15, 25), kRed);
}

TEST(LayeredView, UnchangedVisibleLayerStillInvalidatesButHidingDoesNot) {
  LayeredView image;
  image.resize(30, 30);
  int changes = 0;
  QObject::connect(&image, &LayeredView::pictureChanged, [&] { ++changes; });
  auto layer = solidLayer(image, {0, 0, 10, 10}, kRed);
  for (auto change : {+[](BitmapLayer& l) { l.setVisible(true); },
                      +[](BitmapLayer& l) { l.setLocation(l.location()); }}) {
    image.validateBuffer();
    const int before = changes;
    change(*layer);
    EXPECT_FALSE(image.bufferValid());
    EXPECT_EQ(changes, before + 1);
  }
  image.validateBuffer();
  layer->setVisible(false);
  EXPECT_TRUE(image.bufferValid());
  EXPECT_EQ(pixel(image, 5, 5), kRed);  // stays until the next repaint
  image.invalidateImage();
  EXPECT_EQ(pixel(image, 5, 5), kWhite);
}

TEST(LayeredView, LayerBatchHoldsTheRepaintUntilItClosesAndRejectsUnpairedEnd) {
  LayeredView image;
  auto layer = solidLayer(image, {0, 0, 10, 10}, kRed);
  image.validateBuffer();
  image.layers().beginUpdate();
  layer->setVisible(true);
  EXPECT_TRUE(image.bufferValid());
  image.layers().endUpdate();
  EXPECT_FALSE(image.bufferValid());
  try {
    image.layers().endUpdate();
    FAIL() << "unpaired EndUpdate accepted";
  } catch (const AssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Unpaired EndUpdate");
  }
}

struct SizingCase {
  int from, to, expected;
};

class BufferSizing : public ::testing::TestWithParam<SizingCase> {};

TEST_P(BufferSizing, FortyPixelsOfSlackBeforeReallocationInEitherDirection) {
  const SizingCase c = GetParam();
  LayeredView wide, tall;
  wide.resize(c.from, 70);
  tall.resize(70, c.from);
  wide.validateBuffer();
  tall.validateBuffer();
  wide.resize(c.to, 70);
  tall.resize(70, c.to);
  EXPECT_EQ(pixel(wide, c.to - 1, 69), kWhite);  // the whole client area is repainted
  EXPECT_EQ(pixel(tall, 69, c.to - 1), kWhite);
  EXPECT_EQ(wide.buffer().width(), c.expected);
  EXPECT_EQ(tall.buffer().height(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Image32, BufferSizing,
                         ::testing::Values(SizingCase{1000, 970, 1000}, SizingCase{1000, 960, 1000},
                                           SizingCase{1000, 959, 959}, SizingCase{1000, 950, 950},
                                           SizingCase{1000, 1001, 1001}));

TEST(LayeredView, ZeroSizeWidgetPaintsNothingSafely) {
  LayeredView image;
  auto layer = solidLayer(image, {0, 0, 10, 10}, kRed);
  image.resize(0, 0);
  image.validateBuffer();
  EXPECT_TRUE(image.buffer().isEmpty());
  EXPECT_TRUE(image.bufferValid());
}

TEST(LayeredView, ShownWidgetMergesNotificationsCopiesTheBufferAndRepaintsNow) {
  CountingImage image;
  image.resize(50, 40);
  auto layer = solidLayer(image, {10, 10, 20, 20}, kRed);
  image.show();
  QApplication::processEvents();
  int before = image.paints;
  for (int i = 0; i < 10; ++i) layer->setVisible(true);
  QApplication::processEvents();
  EXPECT_EQ(image.paints, before + 1);

  const QImage window = image.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(window.pixel(15, 15), kRed);
  EXPECT_EQ(window.pixel(25, 25), kWhite);

  before = image.paints;
  layer->setVisible(false);
  image.repaintNow();
  EXPECT_EQ(image.paints, before + 1);
  EXPECT_EQ(image.buffer().pixelAt(15, 15), kWhite);
}

// Running out of memory in the middle of a resize or a paint must not throw
// out of the event handler: the window shows an empty canvas and the program
// goes on, and the picture comes back once memory is there again.
TEST(LayeredView, AllocationFailureShowsAnEmptyCanvasAndRecovers) {
  struct LiftLimit {
    ~LiftLimit() { Bitmap32::setAllocationLimit(0); }
  } lift;
  LayeredView image;
  image.resize(60, 40);
  auto layer = solidLayer(image, {0, 0, 60, 40}, kRed);
  image.show();
  QApplication::processEvents();

  Bitmap32::setAllocationLimit(100);  // far less than the new buffer needs
  EXPECT_NO_THROW(image.resize(200, 150));
  QApplication::processEvents();
  QImage window;
  EXPECT_NO_THROW(window = image.grab().toImage().convertToFormat(QImage::Format_ARGB32));
  EXPECT_NE(window.pixel(10, 10), kRed);
  EXPECT_TRUE(image.buffer().isEmpty());

  Bitmap32::setAllocationLimit(0);
  window = image.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(window.pixel(10, 10), kRed);
  EXPECT_EQ(window.pixel(150, 100), kWhite);
}

}  // namespace
}  // namespace gradoir
