// The pictures on a screen of ratio 2. This program runs with
// QT_SCALE_FACTOR=2 (see CMakeLists.txt): icons, lamps and the pen cursor
// must come from the versions drawn at double resolution.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QSet>

#include "../main_window_fixture.h"
#include "ui/sharp_pixmap.h"

static void initPictures() { Q_INIT_RESOURCE(app); }

namespace gradoir::test {
namespace {

const char* const kPictures[] = {"led", "check", "next", "pen", "gradoir", "tool_pencil", "tool_help",
                                 "tool_quit", "tool_trace", "tool_protractor", "tool_centre", "tool_show",
                                 "tool_rotate"};

QString path(const char* name, bool twice) {
  return QStringLiteral(":/app/%1%2.xpm").arg(QLatin1String(name), twice ? QStringLiteral("@2x") : QString());
}

QImage argb(const QString& file) { return QImage(file).convertToFormat(QImage::Format_ARGB32); }

QSet<QRgb> colours(const QImage& image) {
  QSet<QRgb> found;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) found.insert(image.pixel(x, y));
  return found;
}

// An enlarged picture repeats each pixel as a 2 x 2 block; a drawn one has
// blocks whose pixels differ where its edges run between the old pixels.
int mixedBlocks(const QImage& image) {
  int mixed = 0;
  for (int y = 0; y + 1 < image.height(); y += 2)
    for (int x = 0; x + 1 < image.width(); x += 2) {
      const QRgb p = image.pixel(x, y);
      if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p) ++mixed;
    }
  return mixed;
}

TEST(Pictures2x, EveryPictureIsDrawnAtDoubleSizeInItsOwnColours) {
  initPictures();
  for (const char* name : kPictures) {
    const QImage plain = argb(path(name, false)), twice = argb(path(name, true));
    ASSERT_FALSE(twice.isNull()) << name;
    EXPECT_EQ(twice.size(), plain.size() * 2) << name;
    // The palette of the ordinary picture, transparency included.
    EXPECT_TRUE(colours(plain).contains(colours(twice))) << name;
    EXPECT_GT(mixedBlocks(twice), 0) << name << " is only enlarged";
  }
}

TEST(Pictures2x, IconsAndPixmapsPickTheDoubleVersion) {
  initPictures();
  ASSERT_GE(qApp->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
  const QIcon icon(path("tool_show", false));
  const QPixmap shown = icon.pixmap(QSize(16, 16), 2.0);
  EXPECT_EQ(shown.size(), QSize(32, 32));
  EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_ARGB32), argb(path("tool_show", true)));

  const QPixmap lamps = sharpPixmap(path("led", false), 2.0);
  EXPECT_EQ(lamps.size(), QSize(94, 34));
  EXPECT_DOUBLE_EQ(lamps.devicePixelRatio(), 2.0);
  EXPECT_EQ(sharpPixmap(path("led", false), 1.0).size(), QSize(47, 17));
  // A picture without a double version comes as it is.
  EXPECT_TRUE(sharpPixmap(QStringLiteral(":/app/none.xpm"), 2.0).isNull());
}

class TryLamps2x : public MainWindowTest {
 protected:
  // The core of lamp n at the logical point the program fills it from.
  QColor core(int n) const {
    const QImage picture = label("tryLamps")->pixmap().toImage();
    const qreal ratio = picture.devicePixelRatio();
    return picture.pixelColor(static_cast<int>((15 * n - 7) * ratio), static_cast<int>(8 * ratio));
  }
};

TEST_F(TryLamps2x, WrongAndRightAnswersLightTheSharpLamps) {
  start();
  const QPixmap lamps = label("tryLamps")->pixmap();
  EXPECT_DOUBLE_EQ(lamps.devicePixelRatio(), 2.0);
  EXPECT_EQ(lamps.size(), QSize(94, 34));
  action("measureAction")->trigger();
  answerWrong();
  EXPECT_EQ(core(1), kRed);
  EXPECT_EQ(core(2), kWhite);
  answerRight();
  EXPECT_EQ(core(2), kGreen);
  EXPECT_EQ(core(3), kWhite);
  // Only the cores changed: the rings keep their grey.
  const QImage picture = label("tryLamps")->pixmap().toImage();
  EXPECT_EQ(picture.pixelColor(2 * 9 + 1, 2 * 8 + 1 - 6), QColor(198, 198, 198));
}

}  // namespace
}  // namespace gradoir::test
