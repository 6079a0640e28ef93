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

#include "raster/image32.h"
#include "raster/transfer.h"

namespace gradoir {
namespace {

constexpr int kW = 160;
constexpr int kH = 120;

std::vector<TColor32> BufferPixels(const TCustomImage32& image) {
  const TBitmap32& b = image.Buffer();
  std::vector<TColor32> pixels;
  for (int y = 0; y < kH; ++y) pixels.insert(pixels.end(), b.RowStart(y), b.RowStart(y) + kW);
  return pixels;
}

// The buffer after the incremental rebuild, then after a whole one.
void ExpectSameAsWholeRebuild(TCustomImage32& image, int step) {
  image.ValidateBuffer();
  const std::vector<TColor32> incremental = BufferPixels(image);
  image.InvalidateImage();
  image.ValidateBuffer();
  const std::vector<TColor32> whole = BufferPixels(image);
  ASSERT_EQ(incremental, whole) << "after step " << step;
}

// A layer of random pixels, some of them opaque white and some not opaque.
std::unique_ptr<TBitmapLayer> NoisyLayer(TCustomImage32& image, std::mt19937& rng, int w, int h) {
  auto layer = std::make_unique<TBitmapLayer>(&image.Layers());
  layer->Bitmap().SetBitmapSize(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint32_t r = rng();
      const TColor32 c = (r % 3 == 0) ? 0xFFFFFFFFu : (r % 5 == 0) ? (r & 0x7FFFFFFFu) : (r | 0xFF000000u);
      layer->Bitmap().SetPixelAt(x, y, c);
    }
  }
  return layer;
}

TRealRect RandomPlace(std::mt19937& rng, const TBitmap32& bitmap, bool scaled) {
  const float left = static_cast<float>(static_cast<int>(rng() % 220) - 60) + ((rng() & 1) ? 0.5f : 0.0f);
  const float top = static_cast<float>(static_cast<int>(rng() % 170) - 50) + ((rng() & 1) ? 0.5f : 0.0f);
  const float grow = scaled ? static_cast<float>(rng() % 9) : 0.0f;
  return {left, top, left + bitmap.Width() + grow, top + bitmap.Height() + grow};
}

// Every draw mode the transfer knows, the see-through-white combiner and a
// combiner of its own, an opaque layer covering the control and a scaled
// one; then random moves, redraws, silent hides and shows.
TEST(IncrementalRebuild, AnySequenceOfLayerChangesShowsTheWholeRebuild) {
  std::mt19937 rng(4242);
  TCustomImage32 image;
  image.resize(kW, kH);
  auto ground = NoisyLayer(image, rng, kW, kH);
  ground->SetLocation({0, 0, kW, kH});
  auto see_through = NoisyLayer(image, rng, 50, 40);
  see_through->Bitmap().SetDrawMode(dmCustom);
  see_through->Bitmap().OnPixelCombine = TransparentWhiteCombine;
  auto blended = NoisyLayer(image, rng, 30, 30);
  blended->Bitmap().SetDrawMode(dmBlend);
  blended->Bitmap().SetMasterAlpha(200);
  auto custom = NoisyLayer(image, rng, 25, 35);
  custom->Bitmap().SetDrawMode(dmCustom);
  custom->Bitmap().OnPixelCombine = [](TColor32 f, TColor32& b, TColor32) { b ^= f & 0x00FF00FFu; };
  auto scaled = NoisyLayer(image, rng, 20, 15);
  std::vector<TBitmapLayer*> movable{see_through.get(), blended.get(), custom.get(), scaled.get()};
  // Always visible, so that touching it asks for a repaint after the silent
  // changes (a hidden layer sends nothing), as the canvas's own repaint does.
  auto marker = NoisyLayer(image, rng, 1, 1);
  marker->SetLocation({0, 0, 1, 1});
  auto notify = [&] { marker->SetLocation(marker->Location()); };
  for (TBitmapLayer* l : movable) l->SetLocation(RandomPlace(rng, l->Bitmap(), l == scaled.get()));
  ExpectSameAsWholeRebuild(image, -1);

  for (int step = 0; step < 200; ++step) {
    TBitmapLayer& l = *movable[rng() % movable.size()];
    switch (rng() % 9) {
      case 0:
      case 1:
        l.SetLocation(RandomPlace(rng, l.Bitmap(), &l == scaled.get()));
        break;
      case 2:  // redrawn, as a turned protractor is
        l.Bitmap().FillBlock(0, 0, 1 + static_cast<int>(rng() % 10), 8, rng());
        notify();  // a hidden layer's redraw shows when it is shown again
        break;
      case 3:  // hidden without a notification, then something else moves
        l.SetVisible(false);
        movable[(rng() % movable.size())]->SetLocation(RandomPlace(rng, l.Bitmap(), false));
        notify();
        break;
      case 4:
        l.SetVisible(true);
        break;
      case 5:  // the covering layer goes or comes back, then a notification
        ground->SetVisible((rng() & 1) != 0);
        notify();
        break;
      case 6:  // a line, as the pencil draws the second side
        l.Bitmap().SmoothLine(static_cast<float>(rng() % 60) - 5.5f, static_cast<float>(rng() % 50) - 5.25f,
                              static_cast<float>(rng() % 60), static_cast<float>(rng() % 50), rng(), false);
        break;
      case 7:  // plots tell nobody; the figure then re-shows its layer
        for (int k = 0; k < 5; ++k) l.Bitmap().PlotSubpixel(static_cast<float>(rng() % 60) - 1.5f,
                                                            static_cast<float>(rng() % 50) - 1.5f, rng());
        l.SetVisible(l.Visible());
        notify();
        break;
      case 8:  // cleared, as a figure starts its drawing
        ground->Bitmap().FillAll((rng() & 1) ? 0xFFFFFFFFu : static_cast<TColor32>(rng()));
        ground->Bitmap().SmoothLine(10, 10, static_cast<float>(rng() % kW), static_cast<float>(rng() % kH),
                                    0xFF000000u, false);
        break;
    }
    ExpectSameAsWholeRebuild(image, step);
  }
}

// Every pixel a drawing operation changes lies inside the area it records;
// operations that cannot say where they drew count as the whole bitmap.
TEST(ChangedArea, DrawingOperationsRecordEveryPixelTheyChange) {
  std::mt19937 rng(5);
  TBitmap32 b;
  b.SetBitmapSize(90, 70);
  TRect area;
  EXPECT_EQ(b.TakeChangedArea(area), TBitmap32::TChange::kWhole);  // the resize
  for (int trial = 0; trial < 400; ++trial) {
    const std::vector<TColor32> before(b.Bits(), b.Bits() + 90 * 70);
    switch (trial % 4) {
      case 0:
        b.SmoothLine(static_cast<float>(rng() % 130) - 20.5f, static_cast<float>(rng() % 110) - 20.5f,
                     static_cast<float>(rng() % 130) - 20, static_cast<float>(rng() % 110) - 20, rng() | 0x80000000u,
                     (rng() & 1) != 0);
        break;
      case 1:
        b.PlotSubpixel(static_cast<float>(rng() % 94) - 2.25f, static_cast<float>(rng() % 74) - 2.75f, rng());
        break;
      case 2:
        b.FillAll((rng() % 3 == 0) ? static_cast<TColor32>(rng()) : 0xFFFFFFFFu);
        break;
      case 3:
        b.FillBlock(static_cast<int>(rng() % 90), static_cast<int>(rng() % 70), static_cast<int>(rng() % 100),
                    static_cast<int>(rng() % 80), rng());
        break;
    }
    const TBitmap32::TChange change = b.TakeChangedArea(area);
    ASSERT_NE(change, TBitmap32::TChange::kWhole) << "trial " << trial;
    for (int y = 0; y < 70; ++y) {
      for (int x = 0; x < 90; ++x) {
        if (before[static_cast<std::size_t>(y) * 90 + x] == b.PixelAt(x, y)) continue;
        ASSERT_EQ(change, TBitmap32::TChange::kArea) << "trial " << trial << ": changed, nothing recorded";
        ASSERT_TRUE(x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom)
            << "trial " << trial << ": pixel " << x << "," << y << " outside the recorded area";
      }
    }
  }
  b.FillAll(0xFF00FF00u);
  b.TakeChangedArea(area);
  b.FillAll(0xFF00FF00u);  // nothing differs: nothing to redraw
  EXPECT_EQ(b.TakeChangedArea(area), TBitmap32::TChange::kNone);
  b.SetDrawMode(dmBlend);  // changes how every pixel composes
  EXPECT_EQ(b.TakeChangedArea(area), TBitmap32::TChange::kWhole);
}

// What the window shows: a whole copy of the buffer drawn as the
// non-premultiplied image it is (the straightforward way).
QImage WholeWindowReference(const TCustomImage32& image) {
  QImage window(kW, kH, QImage::Format_ARGB32_Premultiplied);
  const TBitmap32& b = image.Buffer();
  const QImage wrap(reinterpret_cast<const uchar*>(b.Bits()), b.Width(), b.Height(), b.Width() * 4,
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
  TCustomImage32 image;
  image.resize(kW, kH);
  auto ground = NoisyLayer(image, rng, kW, kH);
  ground->SetLocation({0, 0, kW, kH});
  auto top = NoisyLayer(image, rng, 40, 30);
  top->Bitmap().SetDrawMode(dmCustom);
  top->Bitmap().OnPixelCombine = TransparentWhiteCombine;
  top->SetLocation({10, 10, 50, 40});

  QImage window(kW, kH, QImage::Format_ARGB32_Premultiplied);
  window.fill(0);
  image.render(&window);
  for (int step = 0; step < 60; ++step) {
    if (step % 7 == 3) {
      // An opaque-only ground: the copy takes the plain path outside the top layer.
      ground->Bitmap().FillAll(0xFF000000u | rng());
    } else {
      top->SetLocation(RandomPlace(rng, top->Bitmap(), false));
    }
    TRect a;
    ASSERT_TRUE(image.PendingWindowArea(a));
    const QRect part(a.Left, a.Top, a.Right - a.Left, a.Bottom - a.Top);
    image.render(&window, part.topLeft(), QRegion(part));
    EXPECT_FALSE(image.PendingWindowArea(a));
    image.InvalidateImage();
    image.ValidateBuffer();
    ASSERT_TRUE(window == WholeWindowReference(image)) << "after step " << step;
  }
}

// A layer covering the control opaquely spares the background fill; one
// that stops covering (moved off, or blending) must bring the fill back.
TEST(IncrementalRebuild, BackgroundReturnsWhereTheCoveringLayerLeaves) {
  TCustomImage32 image;
  image.resize(kW, kH);
  TBitmapLayer cover(&image.Layers());
  cover.Bitmap().SetBitmapSize(kW, kH);
  cover.Bitmap().FillAll(0xFF102030u);
  cover.SetLocation({0, 0, kW, kH});
  image.ValidateBuffer();
  EXPECT_EQ(image.Buffer().PixelAt(kW - 1, kH - 1), 0xFF102030u);
  cover.SetLocation({0, 0, kW - 30, kH});  // scaled now: no longer a plain copy
  image.ValidateBuffer();
  EXPECT_EQ(image.Buffer().PixelAt(kW - 1, kH - 1), 0xFFFFFFFFu);
  cover.SetLocation({-30, 0, kW - 30, kH});  // unscaled again but short of the right edge
  image.ValidateBuffer();
  EXPECT_EQ(image.Buffer().PixelAt(kW - 1, kH - 1), 0xFFFFFFFFu);
  EXPECT_EQ(image.Buffer().PixelAt(kW - 31, kH - 1), 0xFF102030u);
  cover.SetLocation({0, 0, kW, kH});
  cover.Bitmap().SetDrawMode(dmBlend);
  cover.Bitmap().FillAll(0x00000000u);  // fully transparent: the white shows
  image.ValidateBuffer();
  EXPECT_EQ(image.Buffer().PixelAt(5, 5), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace gradoir
