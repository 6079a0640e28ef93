// The layered widget rebuilds only the stale part of its buffer and the
// window copies only the part that was asked for. After any sequence of
// layer changes, what it shows must be exactly what a whole rebuild and a
// whole copy show.
#include <QImage>
#include <QPainter>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "view/layered_view.h"
#include "raster/transfer.h"

namespace gradoir {
namespace {

constexpr int kW = 160;
constexpr int kH = 120;

std::vector<Color32> bufferPixels(const LayeredView& image) {
  const Bitmap32& b = image.buffer();
  std::vector<Color32> pixels;
  for (int y = 0; y < kH; ++y) pixels.insert(pixels.end(), b.rowStart(y), b.rowStart(y) + kW);
  return pixels;
}

// The buffer after the incremental rebuild, then after a whole one.
void expectSameAsWholeRebuild(LayeredView& image, int step) {
  image.validateBuffer();
  const std::vector<Color32> incremental = bufferPixels(image);
  image.invalidateImage();
  image.validateBuffer();
  const std::vector<Color32> whole = bufferPixels(image);
  ASSERT_EQ(incremental, whole) << "after step " << step;
}

// A layer of random pixels, some of them opaque white and some not opaque.
std::unique_ptr<BitmapLayer> noisyLayer(LayeredView& image, std::mt19937& rng, int w, int h) {
  auto layer = std::make_unique<BitmapLayer>(&image.layers());
  layer->bitmap().setBitmapSize(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint32_t r = rng();
      const Color32 c = (r % 3 == 0) ? 0xFFFFFFFFu : (r % 5 == 0) ? (r & 0x7FFFFFFFu) : (r | 0xFF000000u);
      layer->bitmap().setPixelAt(x, y, c);
    }
  }
  return layer;
}

RectF randomPlace(std::mt19937& rng, const Bitmap32& bitmap, bool scaled) {
  const float left = static_cast<float>(static_cast<int>(rng() % 220) - 60) + ((rng() & 1) ? 0.5f : 0.0f);
  const float top = static_cast<float>(static_cast<int>(rng() % 170) - 50) + ((rng() & 1) ? 0.5f : 0.0f);
  const float grow = scaled ? static_cast<float>(rng() % 9) : 0.0f;
  return {left, top, left + bitmap.width() + grow, top + bitmap.height() + grow};
}

// Every draw mode the transfer knows, the see-through-white combiner and a
// combiner of its own, an opaque layer covering the control and a scaled
// one; then random moves, redraws, silent hides and shows.
TEST(IncrementalRebuild, AnySequenceOfLayerChangesShowsTheWholeRebuild) {
  std::mt19937 rng(4242);
  LayeredView image;
  image.resize(kW, kH);
  auto ground = noisyLayer(image, rng, kW, kH);
  ground->setLocation({0, 0, kW, kH});
  auto seeThrough = noisyLayer(image, rng, 50, 40);
  seeThrough->bitmap().setDrawMode(DrawMode::Custom);
  seeThrough->bitmap().pixelCombiner = transparentWhiteCombine;
  auto blended = noisyLayer(image, rng, 30, 30);
  blended->bitmap().setDrawMode(DrawMode::Blend);
  blended->bitmap().setMasterAlpha(200);
  auto custom = noisyLayer(image, rng, 25, 35);
  custom->bitmap().setDrawMode(DrawMode::Custom);
  custom->bitmap().pixelCombiner = [](Color32 f, Color32& b, Color32) { b ^= f & 0x00FF00FFu; };
  auto scaled = noisyLayer(image, rng, 20, 15);
  std::vector<BitmapLayer*> movable{seeThrough.get(), blended.get(), custom.get(), scaled.get()};
  // Always visible, so that touching it asks for a repaint after the silent
  // changes (a hidden layer sends nothing), as the canvas's own repaint does.
  auto marker = noisyLayer(image, rng, 1, 1);
  marker->setLocation({0, 0, 1, 1});
  auto notify = [&] { marker->setLocation(marker->location()); };
  for (BitmapLayer* l : movable) l->setLocation(randomPlace(rng, l->bitmap(), l == scaled.get()));
  expectSameAsWholeRebuild(image, -1);

  for (int step = 0; step < 200; ++step) {
    BitmapLayer& l = *movable[rng() % movable.size()];
    switch (rng() % 9) {
      case 0:
      case 1:
        l.setLocation(randomPlace(rng, l.bitmap(), &l == scaled.get()));
        break;
      case 2:  // redrawn, as a turned protractor is
        l.bitmap().fillBlock(0, 0, 1 + static_cast<int>(rng() % 10), 8, rng());
        notify();  // a hidden layer's redraw shows when it is shown again
        break;
      case 3:  // hidden without a notification, then something else moves
        l.setVisible(false);
        movable[(rng() % movable.size())]->setLocation(randomPlace(rng, l.bitmap(), false));
        notify();
        break;
      case 4:
        l.setVisible(true);
        break;
      case 5:  // the covering layer goes or comes back, then a notification
        ground->setVisible((rng() & 1) != 0);
        notify();
        break;
      case 6:  // a line, as the pencil draws the second side
        l.bitmap().smoothLine(static_cast<float>(rng() % 60) - 5.5f, static_cast<float>(rng() % 50) - 5.25f,
                              static_cast<float>(rng() % 60), static_cast<float>(rng() % 50), rng(), false);
        break;
      case 7:  // plots tell nobody; the figure then re-shows its layer
        for (int k = 0; k < 5; ++k) l.bitmap().plotSubpixel(static_cast<float>(rng() % 60) - 1.5f,
                                                            static_cast<float>(rng() % 50) - 1.5f, rng());
        l.setVisible(l.visible());
        notify();
        break;
      case 8:  // cleared, as a figure starts its drawing
        ground->bitmap().fillAll((rng() & 1) ? 0xFFFFFFFFu : static_cast<Color32>(rng()));
        ground->bitmap().smoothLine(10, 10, static_cast<float>(rng() % kW), static_cast<float>(rng() % kH),
                                    0xFF000000u, false);
        break;
    }
    expectSameAsWholeRebuild(image, step);
  }
}

// Every pixel a drawing operation changes lies inside the area it records;
// operations that cannot say where they drew count as the whole bitmap.
TEST(ChangedArea, DrawingOperationsRecordEveryPixelTheyChange) {
  std::mt19937 rng(5);
  Bitmap32 b;
  b.setBitmapSize(90, 70);
  Rect area;
  EXPECT_EQ(b.takeChangedArea(area), Bitmap32::ChangeExtent::Whole);  // the resize
  for (int trial = 0; trial < 400; ++trial) {
    const std::vector<Color32> before(b.bits(), b.bits() + 90 * 70);
    switch (trial % 4) {
      case 0:
        b.smoothLine(static_cast<float>(rng() % 130) - 20.5f, static_cast<float>(rng() % 110) - 20.5f,
                     static_cast<float>(rng() % 130) - 20, static_cast<float>(rng() % 110) - 20, rng() | 0x80000000u,
                     (rng() & 1) != 0);
        break;
      case 1:
        b.plotSubpixel(static_cast<float>(rng() % 94) - 2.25f, static_cast<float>(rng() % 74) - 2.75f, rng());
        break;
      case 2:
        b.fillAll((rng() % 3 == 0) ? static_cast<Color32>(rng()) : 0xFFFFFFFFu);
        break;
      case 3:
        b.fillBlock(static_cast<int>(rng() % 90), static_cast<int>(rng() % 70), static_cast<int>(rng() % 100),
                    static_cast<int>(rng() % 80), rng());
        break;
    }
    const Bitmap32::ChangeExtent change = b.takeChangedArea(area);
    ASSERT_NE(change, Bitmap32::ChangeExtent::Whole) << "trial " << trial;
    for (int y = 0; y < 70; ++y) {
      for (int x = 0; x < 90; ++x) {
        if (before[static_cast<std::size_t>(y) * 90 + x] == b.pixelAt(x, y)) continue;
        ASSERT_EQ(change, Bitmap32::ChangeExtent::Area) << "trial " << trial << ": changed, nothing recorded";
        ASSERT_TRUE(x >= area.left && x < area.right && y >= area.top && y < area.bottom)
            << "trial " << trial << ": pixel " << x << "," << y << " outside the recorded area";
      }
    }
  }
  b.fillAll(0xFF00FF00u);
  b.takeChangedArea(area);
  b.fillAll(0xFF00FF00u);  // nothing differs: nothing to redraw
  EXPECT_EQ(b.takeChangedArea(area), Bitmap32::ChangeExtent::None);
  b.setDrawMode(DrawMode::Blend);  // changes how every pixel composes
  EXPECT_EQ(b.takeChangedArea(area), Bitmap32::ChangeExtent::Whole);
}

// What the window shows: a whole copy of the buffer drawn as the
// non-premultiplied image it is (the straightforward way).
QImage wholeWindowReference(const LayeredView& image) {
  QImage window(kW, kH, QImage::Format_ARGB32_Premultiplied);
  const Bitmap32& b = image.buffer();
  const QImage wrap(reinterpret_cast<const uchar*>(b.bits()), b.width(), b.height(), b.width() * 4,
                    QImage::Format_ARGB32);
  QPainter p(&window);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPoint(0, 0), wrap, QRect(0, 0, kW, kH));
  return window;
}

// The window updated only where the widget asked, step after step, holds
// the same pixels as a whole copy of a whole rebuild, translucent pixels
// (converted by Qt) included.
TEST(IncrementalRebuild, PartialWindowCopiesShowTheWholePicture) {
  std::mt19937 rng(99);
  LayeredView image;
  image.resize(kW, kH);
  auto ground = noisyLayer(image, rng, kW, kH);
  ground->setLocation({0, 0, kW, kH});
  auto top = noisyLayer(image, rng, 40, 30);
  top->bitmap().setDrawMode(DrawMode::Custom);
  top->bitmap().pixelCombiner = transparentWhiteCombine;
  top->setLocation({10, 10, 50, 40});

  QImage window(kW, kH, QImage::Format_ARGB32_Premultiplied);
  window.fill(0);
  image.render(&window);
  for (int step = 0; step < 60; ++step) {
    if (step % 7 == 3) {
      // An opaque-only ground: the copy takes the plain path outside the top layer.
      ground->bitmap().fillAll(0xFF000000u | rng());
    } else {
      top->setLocation(randomPlace(rng, top->bitmap(), false));
    }
    Rect a;
    ASSERT_TRUE(image.pendingWindowArea(a));
    const QRect part(a.left, a.top, a.right - a.left, a.bottom - a.top);
    image.render(&window, part.topLeft(), QRegion(part));
    EXPECT_FALSE(image.pendingWindowArea(a));
    image.invalidateImage();
    image.validateBuffer();
    ASSERT_TRUE(window == wholeWindowReference(image)) << "after step " << step;
  }
}

// A layer covering the control opaquely spares the background fill; one
// that stops covering (moved off, or blending) must bring the fill back.
TEST(IncrementalRebuild, BackgroundReturnsWhereTheCoveringLayerLeaves) {
  LayeredView image;
  image.resize(kW, kH);
  BitmapLayer cover(&image.layers());
  cover.bitmap().setBitmapSize(kW, kH);
  cover.bitmap().fillAll(0xFF102030u);
  cover.setLocation({0, 0, kW, kH});
  image.validateBuffer();
  EXPECT_EQ(image.buffer().pixelAt(kW - 1, kH - 1), 0xFF102030u);
  cover.setLocation({0, 0, kW - 30, kH});  // scaled now: no longer a plain copy
  image.validateBuffer();
  EXPECT_EQ(image.buffer().pixelAt(kW - 1, kH - 1), 0xFFFFFFFFu);
  cover.setLocation({-30, 0, kW - 30, kH});  // unscaled again but short of the right edge
  image.validateBuffer();
  EXPECT_EQ(image.buffer().pixelAt(kW - 1, kH - 1), 0xFFFFFFFFu);
  EXPECT_EQ(image.buffer().pixelAt(kW - 31, kH - 1), 0xFF102030u);
  cover.setLocation({0, 0, kW, kH});
  cover.bitmap().setDrawMode(DrawMode::Blend);
  cover.bitmap().fillAll(0x00000000u);  // fully transparent: the white shows
  image.validateBuffer();
  EXPECT_EQ(image.buffer().pixelAt(5, 5), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace gradoir
