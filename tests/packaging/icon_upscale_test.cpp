// The theme icons are the window icon enlarged pixel for pixel: these tests
// check the sampling (even blocks, symmetry, every pixel kept) and that the
// icon's transparency survives the trip from XPM to PNG.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <vector>

#include "icon_upscale.h"

namespace gradoir {
namespace {

constexpr int kIcon = 32;

// A 32x32 XPM with a transparent colour, a frame and a diagonal, so that
// rows and columns differ and a swapped or shifted sample shows.
QByteArray sampleXpmText() {
  std::vector<QByteArray> lines = {"32 32 4 1", "  c None", "# c #000080", ". c #F0F0FF", "x c #FF0000"};
  for (int y = 0; y < kIcon; ++y) {
    QByteArray row(kIcon, ' ');
    for (int x = 0; x < kIcon; ++x) {
      if (x == y) row[x] = 'x';
      else if (y == 0 || y == kIcon - 1 || x == 0) row[x] = '#';
      else if (x < y) row[x] = '.';
    }
    lines.push_back(row);
  }
  QByteArray xpm = "/* XPM */\nstatic const char* sample[] = {\n";
  for (std::size_t i = 0; i < lines.size(); ++i) xpm += "\"" + lines[i] + (i + 1 < lines.size() ? "\",\n" : "\"};\n");
  return xpm;
}

QImage sampleXpm() { return QImage::fromData(sampleXpmText(), "XPM"); }

// Written as text: Qt's own XPM writer drops the transparency of indexed images.
bool writeSampleXpm(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(sampleXpmText()) == sampleXpmText().size();
}

TEST(NearestSourceIndex, WholeFactorsRepeatEachPixelEvenly) {
  for (int factor : {1, 2, 4, 8}) {
    for (int out = 0; out < kIcon * factor; ++out)
      ASSERT_EQ(nearestSourceIndex(out, kIcon, kIcon * factor), out / factor) << factor << "x at " << out;
  }
}

TEST(NearestSourceIndex, EnlargementKeepsEveryPixelInOrderAndMirrorsExactly) {
  for (int size = kIcon; size <= 300; ++size) {
    const int fewest = size / kIcon;
    const int most = (size + kIcon - 1) / kIcon;
    std::vector<int> copies(kIcon, 0);
    int previous = 0;
    for (int out = 0; out < size; ++out) {
      const int source = nearestSourceIndex(out, kIcon, size);
      ASSERT_GE(source, previous) << "size " << size;
      ASSERT_LT(source, kIcon) << "size " << size;
      // An odd size's middle pixel mirrors onto itself and cannot sit between
      // the two middle source pixels; every other one must mirror exactly.
      if (2 * out + 1 != size) {
        ASSERT_EQ(nearestSourceIndex(size - 1 - out, kIcon, size), kIcon - 1 - source)
            << "size " << size << " is not symmetric at " << out;
      }
      ++copies[source];
      previous = source;
    }
    for (int source = 0; source < kIcon; ++source) {
      EXPECT_GE(copies[source], fewest) << "size " << size << " pixel " << source;
      EXPECT_LE(copies[source], most) << "size " << size << " pixel " << source;
    }
  }
}

TEST(UpscaleNearest, EnlargesAnIndexedXpmAndKeepsItsTransparency) {
  const QImage source = sampleXpm();
  ASSERT_FALSE(source.isNull());
  const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(qAlpha(argb.pixel(kIcon - 2, 1)), 0) << "sample must hold a transparent pixel";

  const QImage icon = upscaleNearest(source, 128);
  ASSERT_EQ(icon.size(), QSize(128, 128));
  EXPECT_EQ(icon.format(), QImage::Format_ARGB32);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) ASSERT_EQ(icon.pixel(x, y), argb.pixel(x / 4, y / 4)) << x << "," << y;
}

TEST(UpscaleNearest, RefusesNullSourcesAndEmptySizes) {
  EXPECT_TRUE(upscaleNearest(QImage(), 48).isNull());
  EXPECT_TRUE(upscaleNearest(sampleXpm(), 0).isNull());
  EXPECT_TRUE(upscaleNearest(sampleXpm(), -32).isNull());
}

TEST(WriteUpscaledIcon, WritesAPngThatReadsBackPixelForPixel) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString input = dir.filePath("icon.xpm");
  const QString output = dir.filePath("icon48.png");
  ASSERT_TRUE(writeSampleXpm(input));

  ASSERT_EQ(writeUpscaledIcon(input, output, 48), QString());
  const QImage written(output);
  const QImage expected = upscaleNearest(sampleXpm(), 48);
  ASSERT_EQ(written.size(), QSize(48, 48));
  ASSERT_TRUE(written.hasAlphaChannel());
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) ASSERT_EQ(written.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
}

TEST(WriteUpscaledIcon, ReportsUnreadableInputAndUnwritableOutput) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString output = dir.filePath("out.png");
  EXPECT_FALSE(writeUpscaledIcon(dir.filePath("missing.xpm"), output, 64).isEmpty());
  EXPECT_FALSE(QFile::exists(output));

  const QString input = dir.filePath("icon.xpm");
  ASSERT_TRUE(writeSampleXpm(input));
  EXPECT_FALSE(writeUpscaledIcon(input, dir.filePath("no/such/folder/out.png"), 64).isEmpty());
  EXPECT_FALSE(writeUpscaledIcon(input, output, 0).isEmpty());
  EXPECT_FALSE(QFile::exists(output));
}

}  // namespace
}  // namespace gradoir
