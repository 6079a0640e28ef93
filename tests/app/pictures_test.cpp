// The program's pictures: the try indicator pixel by pixel, the lamp fill,
// the sizes and transparency of the others.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>

#include "ui/cursor_table.h"
#include "ui/flood_fill.h"

static void initResources() { Q_INIT_RESOURCE(app); }

namespace gradoir::test {
namespace {

const QColor kBackground(239, 239, 255);
const QColor kOutline(165, 173, 255);
const QColor kRing(198, 198, 198);
const QColor kCore(255, 255, 255);

// The picture as drawn on paper: what every pixel of the 47 x 17 try
// indicator must be.
QColor expected(int x, int y) {
  const bool pictureOutline = ((y == 0 || y == 16) && x >= 3 && x <= 43) ||
                              ((y == 1 || y == 15) && (x == 2 || x == 44)) ||
                              ((y == 2 || y == 14) && (x == 1 || x == 45)) ||
                              (y >= 3 && y <= 13 && (x == 0 || x == 46));
  if (pictureOutline) return kOutline;
  for (int lamp = 0; lamp < 3; ++lamp) {
    const int dx = x - 14 * lamp;  // first lamp's column
    const auto in = [dx](int from, int to) { return dx >= from && dx <= to; };
    const auto at = [dx](int a, int b) { return dx == a || dx == b; };
    switch (y) {
      case 3: case 13:
        if (in(7, 11)) return kOutline;
        break;
      case 4: case 12:
        if (at(6, 12)) return kOutline;
        break;
      case 5: case 11:
        if (at(5, 13)) return kOutline;
        if (in(8, 10)) return kRing;
        break;
      case 6: case 10:
        if (at(4, 14)) return kOutline;
        if (at(7, 11)) return kRing;
        if (in(8, 10)) return kCore;
        break;
      case 7: case 8: case 9:
        if (at(4, 14)) return kOutline;
        if (at(6, 12)) return kRing;
        if (in(7, 11)) return kCore;
        break;
      default:
        break;
    }
  }
  return kBackground;
}

class PicturesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { initResources(); }
  static QImage load(const char* name) {
    return QImage(QStringLiteral(":/app/") + QString::fromLatin1(name)).convertToFormat(QImage::Format_ARGB32);
  }
};

TEST_F(PicturesTest, TryIndicatorEveryPixel) {
  const QImage led = load("led.xpm");
  ASSERT_EQ(led.size(), QSize(47, 17));
  int cores = 0;
  for (int y = 0; y < led.height(); ++y) {
    for (int x = 0; x < led.width(); ++x) {
      ASSERT_EQ(led.pixelColor(x, y), expected(x, y)) << "pixel " << x << ',' << y;
      cores += expected(x, y) == kCore;
    }
  }
  EXPECT_EQ(cores, 3 * 21);
}

TEST_F(PicturesTest, LampFillColoursOneCoreOnly) {
  for (int lamp = 1; lamp <= 3; ++lamp) {
    QImage led = load("led.xpm");
    const QPoint seed(15 * lamp - 7, 8);
    EXPECT_EQ(floodFill(led, seed, qRgb(255, 255, 255), qRgb(255, 0, 0)), 21) << lamp;
    for (int y = 0; y < led.height(); ++y) {
      for (int x = 0; x < led.width(); ++x) {
        const bool inThisCore = expected(x, y) == kCore && std::abs(x - (9 + 14 * (lamp - 1))) <= 2;
        EXPECT_EQ(led.pixelColor(x, y), inThisCore ? QColor(255, 0, 0) : expected(x, y))
            << lamp << ' ' << x << ',' << y;
      }
    }
  }
}

TEST(FloodFill, LeavesTheImageAloneOffTheSurface) {
  QImage image(5, 5, QImage::Format_ARGB32);
  image.fill(qRgb(1, 2, 3));
  const QImage before = image;
  EXPECT_EQ(floodFill(image, {-1, 2}, qRgb(1, 2, 3), qRgb(9, 9, 9)), 0);
  EXPECT_EQ(floodFill(image, {5, 0}, qRgb(1, 2, 3), qRgb(9, 9, 9)), 0);
  EXPECT_EQ(floodFill(image, {2, 2}, qRgb(255, 255, 255), qRgb(9, 9, 9)), 0);
  EXPECT_EQ(image, before);
  // The whole surface when nothing bounds it; a large area does not recurse.
  QImage big(1500, 1500, QImage::Format_ARGB32);
  big.fill(qRgb(255, 255, 255));
  EXPECT_EQ(floodFill(big, {0, 0}, qRgb(255, 255, 255), qRgb(0, 128, 0)), 1500 * 1500);
}

TEST(FloodFill, DoesNotCrossDiagonalGaps) {
  // A white pixel touching the seed's area only by a corner stays white.
  QImage image(3, 3, QImage::Format_ARGB32);
  image.fill(qRgb(0, 0, 0));
  image.setPixel(0, 0, qRgb(255, 255, 255));
  image.setPixel(1, 1, qRgb(255, 255, 255));
  EXPECT_EQ(floodFill(image, {1, 1}, qRgb(255, 255, 255), qRgb(255, 0, 0)), 1);
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
}

TEST_F(PicturesTest, ButtonPicturesShowTheirBackgroundThrough) {
  const QImage check = load("check.xpm");
  ASSERT_EQ(check.size(), QSize(15, 14));
  EXPECT_EQ(qAlpha(check.pixel(0, 0)), 0);  // magenta background
  for (int y = 0; y < check.height(); ++y) {
    for (int x = 0; x < check.width(); ++x) {
      EXPECT_NE(check.pixel(x, y) | 0xFF000000u, qRgb(255, 0, 255)) << "magenta left at " << x << ',' << y;
    }
  }
  const QImage next = load("next.xpm");
  ASSERT_EQ(next.size(), QSize(9, 14));
  EXPECT_EQ(qAlpha(next.pixel(8, 0)), 0);    // white background
  EXPECT_EQ(next.pixelColor(2, 6).green() > next.pixelColor(2, 6).red(), true);  // green body
}

TEST_F(PicturesTest, WindowIconAndPenCursor) {
  const QImage icon = load("gradoir.xpm");
  ASSERT_EQ(icon.size(), QSize(32, 32));
  EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(icon.pixel(16, 23)), 255);  // the centre of the straight edge

  const QImage pen = load("pen.xpm");
  ASSERT_EQ(pen.size(), QSize(32, 32));
  // The hot spot is on the pencil's tip, the lowest, leftmost drawn pixel.
  EXPECT_EQ(pen.pixelColor(11, 20), QColor(0, 0, 0));
  for (int y = 21; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) EXPECT_EQ(qAlpha(pen.pixel(x, y)), 0) << x << ',' << y;
  }
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 11; ++x) EXPECT_EQ(qAlpha(pen.pixel(x, y)), 0) << x << ',' << y;
  }
  EXPECT_EQ(loadPenCursor().hotSpot(), QPoint(11, 20));
}

}  // namespace
}  // namespace gradoir::test
