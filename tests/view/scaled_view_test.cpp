// The layered view on a denser screen (a fixed ratio set on the view): the
// buffer has the device pixels, the window gets them one to one, and the
// repaint requests name logical window areas.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <memory>

#include "view/layered_view.h"

namespace gradoir {
namespace {

constexpr Color32 kRed = 0xFFFF0000;
constexpr Color32 kBlue = 0xFF0000FF;

std::unique_ptr<BitmapLayer> checkerLayer(LayeredView& view, RectF at) {
  auto layer = std::make_unique<BitmapLayer>(&view.layers());
  const auto w = static_cast<std::int32_t>(at.right - at.left), h = static_cast<std::int32_t>(at.bottom - at.top);
  layer->bitmap().setBitmapSize(w, h);
  // One-pixel detail that any resampling would blur.
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) layer->bitmap().setPixelAt(x, y, (x + y) % 2 ? kRed : kBlue);
  layer->setLocation(at);
  return layer;
}

TEST(ScaledView, BufferHasTheDevicePixelsRoundedUp) {
  for (double ratio : {1.25, 1.5, 2.0, 3.0}) {
    LayeredView view;
    view.setDeviceScaleOverride(ratio);
    view.resize(101, 61);
    view.validateBuffer();
    EXPECT_EQ(view.buffer().width(), static_cast<int>(std::ceil(101 * ratio))) << ratio;
    EXPECT_EQ(view.buffer().height(), static_cast<int>(std::ceil(61 * ratio))) << ratio;
  }
  LayeredView plain;
  plain.setDeviceScaleOverride(1.0);
  plain.resize(101, 61);
  plain.validateBuffer();
  EXPECT_EQ(plain.buffer().width(), 101);
}

TEST(ScaledView, TheWindowShowsTheBufferPixelForPixel) {
  LayeredView view;
  view.setDeviceScaleOverride(2.0);
  view.resize(40, 30);
  auto layer = checkerLayer(view, {10, 6, 50, 36});  // device pixels
  view.validateBuffer();

  QImage window(80, 60, QImage::Format_ARGB32_Premultiplied);
  window.setDevicePixelRatio(2.0);
  window.fill(Qt::black);
  view.render(&window, QPoint(), QRegion(), QWidget::RenderFlags());
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x) ASSERT_EQ(window.pixel(x, y), view.buffer().pixelAt(x, y)) << x << "," << y;
}

TEST(ScaledView, RepaintRequestsNameTheLogicalWindowArea) {
  LayeredView view;
  view.setDeviceScaleOverride(2.0);
  view.resize(100, 100);
  auto layer = checkerLayer(view, {0, 0, 10, 10});
  view.validateBuffer();
  QImage window(200, 200, QImage::Format_ARGB32_Premultiplied);
  window.setDevicePixelRatio(2.0);
  view.render(&window, QPoint(), QRegion(), QWidget::RenderFlags());

  // Moved from device (0, 0, 10, 10) to (21, 41, 31, 51): the window must
  // repaint the logical pixels holding both places, (0, 0) to (16, 26).
  layer->setLocation({21, 41, 31, 51});
  Rect area{};
  ASSERT_TRUE(view.pendingWindowArea(area));
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.right, 16);
  EXPECT_EQ(area.bottom, 26);
}

TEST(ScaledView, AChangeOfRatioMakesTheWholePictureStale) {
  struct Watching : LayeredView {
    double previous = 0;
    void deviceScaleChanged(double from) override { previous = from; }
  } view;
  view.setDeviceScaleOverride(1.0);
  view.resize(20, 20);
  view.validateBuffer();
  ASSERT_TRUE(view.bufferValid());
  view.setDeviceScaleOverride(1.5);
  EXPECT_FALSE(view.bufferValid());
  EXPECT_DOUBLE_EQ(view.previous, 1.0);
  view.validateBuffer();
  EXPECT_EQ(view.buffer().width(), 30);
}

}  // namespace
}  // namespace gradoir
