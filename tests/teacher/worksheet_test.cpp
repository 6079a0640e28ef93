// Worksheets read back from the PDF as a printer would put them on paper:
// rendered by pdftoppm at 254 dpi (10 pixels a millimetre), each angle's
// sides are found in the picture, measured in millimetres and degrees, and
// compared with the answer key that pdftotext reads on the last page.
#include "teacher/worksheet.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace gradoir {
namespace {

constexpr double kPixelsPerMm = 10.0;

// Directions (degrees, counter-clockwise on paper) where the circle of
// `radius` mm about `vertex` crosses dark pixels: the middle of each run.
QList<double> crossings(const QImage& page, QPointF vertex, double radius) {
  QList<double> found;
  bool inRun = false;
  double runStart = 0;
  constexpr int kSteps = 3600;
  auto dark = [&](int i) {
    const double a = i * 2 * std::numbers::pi / kSteps;
    const QPointF p = (vertex + QPointF(radius * std::cos(a), -radius * std::sin(a))) * kPixelsPerMm;
    return page.rect().contains(p.toPoint()) && qGray(page.pixel(p.toPoint())) < 128;
  };
  int first = 0;
  while (first < kSteps && dark(first)) ++first;  // start outside any run
  for (int k = 0; k <= kSteps; ++k) {
    const int i = (first + k) % kSteps;
    const bool d = k < kSteps && dark(i);
    if (d && !inRun) runStart = first + k;
    if (!d && inRun) found << std::fmod((runStart + first + k - 1) / 2.0 * 360.0 / kSteps, 360.0);
    inRun = d;
  }
  return found;
}

// How far from the vertex the side in `direction` stays dark, in mm.
double sideLength(const QImage& page, QPointF vertex, double direction) {
  const double a = direction * std::numbers::pi / 180.0;
  double length = 20.0;
  while (length < 150.0) {
    const QPointF p = (vertex + QPointF((length + 0.1) * std::cos(a), -(length + 0.1) * std::sin(a))) * kPixelsPerMm;
    if (!page.rect().contains(p.toPoint()) || qGray(page.pixel(p.toPoint())) >= 128) break;
    length += 0.1;
  }
  return length;
}

TEST(WorksheetTest, AnglesAtTrueSizeMatchTheirKey) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) GTEST_SKIP() << "poppler-utils absent";
  QTemporaryDir dir;
  struct Case {
    ExerciseKind kind;
    Level level;
    std::uint32_t seed;
  };
  for (const Case& c : {Case{ExerciseKind::Measuring, Level{}, 42u}, Case{ExerciseKind::Measuring, Level{10, 30, 170}, 7u},
                        Case{ExerciseKind::Drawing, Level{5, 5, 175}, 99u}}) {
    SCOPED_TRACE(c.seed);
    const WorksheetRequest request{c.kind, 5, c.seed, c.level};
    const QString pdf = dir.filePath(QStringLiteral("fiche%1.pdf").arg(c.seed));
    QString error;
    ASSERT_TRUE(writeWorksheet(request, pdf, &error)) << error.toStdString();
    const WorksheetLayout layout = layOutWorksheet(request);
    const int pages = layout.exercisePages + layout.keyPages;
    // The key on the last page, as text.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(pages), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString key = QString::fromUtf8(text.readAllStandardOutput());
    QMap<int, int> keyMeasures;
    const QRegularExpression entry(QStringLiteral("(\\d+)\\. (\\d+)°"));
    for (auto m = entry.globalMatch(key); m.hasNext();) {
      const auto found = m.next();
      keyMeasures[found.captured(1).toInt()] = found.captured(2).toInt();
    }
    ASSERT_EQ(keyMeasures.size(), 5) << key.toStdString();
    const QString prefix = dir.filePath(QStringLiteral("page%1").arg(c.seed));
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"),
                                              QStringLiteral("-png"), pdf, prefix});
    ASSERT_TRUE(render.waitForFinished(60000));
    for (const SheetAngle& a : layout.angles) {
      SCOPED_TRACE(a.number);
      const QImage page(QStringLiteral("%1-%2.png").arg(prefix).arg(a.page + 1));
      ASSERT_FALSE(page.isNull());
      EXPECT_NEAR(page.width() / kPixelsPerMm, 210.0, 0.5);  // A4
      const int measure = keyMeasures.value(a.number);
      EXPECT_GE(measure, allowedMeasures(normalized(c.level)).first);
      EXPECT_EQ(measure % normalized(c.level).step, 0);
      // Past the vertex mark and the arc, two circles cross each side in the
      // same direction (straight from the vertex); text crosses them apart.
      const QList<double> near = crossings(page, a.vertex, 30.0);
      QList<double> sides;
      for (const double d : crossings(page, a.vertex, 50.0)) {
        if (std::any_of(near.cbegin(), near.cend(), [d](double n) { return std::abs(std::remainder(n - d, 360.0)) < 0.5; })) {
          sides << d;
        }
      }
      ASSERT_EQ(sides.size(), c.kind == ExerciseKind::Measuring ? 2 : 1);
      for (const double d : sides) EXPECT_GE(sideLength(page, a.vertex, d), 60.0);  // a real protractor reads it
      if (sides.size() == 2) {
        const double opening = std::abs(std::remainder(sides[1] - sides[0], 360.0));
        EXPECT_NEAR(opening, measure, 0.5);
      }
    }
  }
}

}  // namespace
}  // namespace gradoir
