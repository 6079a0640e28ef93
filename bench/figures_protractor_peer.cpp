// The protractor drawn directly with Qt's QPainter, as a peer of
// BM_ProtractorDraw in the same run (bench/run.sh prints Draw / peer): the
// same 482 x 482 dial at the same pseudo-random orientations, an
// antialiased half circle, 181 ticks, 38 labels turned with
// QPainter::rotate + drawText, the straight edge and the centre circle, on
// an opaque white QImage. Only the look matters here, not the program's
// exact drawing rules, which the peer does not follow.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "figures/random_source.h"

namespace gradoir {
namespace {

constexpr int kRadius = 240;
constexpr int kSide = 2 * kRadius + 2;
constexpr double kCentre = kRadius + 1;

// The fonts need an application; the other figures benches may have made
// it already (there must be only one).
void ensurePeerApplication() {
  static int argc = 1;
  static char name[] = "figures_bench";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(argc, argv);
}

// Point at distance d from the centre toward graduation i of a dial turned
// by o degrees clockwise (graduation 0 on the left at o = 0).
QPointF toward(double d, int o, int i) {
  const double a = (o + i) * std::numbers::pi / 180;
  return {kCentre - d * std::cos(a), kCentre - d * std::sin(a)};
}

void drawLabels(QPainter& p, int o, int radiusFromCentre, const QFont& font, const QColor& color, bool reversed) {
  p.setFont(font);
  p.setPen(color);
  for (int k = 0; k <= 18; ++k) {
    const QPointF at = toward(radiusFromCentre, o, 10 * k);
    p.save();
    p.translate(at);
    p.rotate(10 * k + o - 90);
    p.drawText(QRectF(-20, -10, 40, 20), Qt::AlignCenter, QString::number(reversed ? 180 - 10 * k : 10 * k));
    p.restore();
  }
}

void drawPeerDial(QImage& image, int o, const QFont& outer, const QFont& inner) {
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPen grey(QColor(127, 127, 127), 1);
  const QPen red(QColor(255, 0, 0), 1);
  p.setPen(grey);
  // Qt counts arc angles counterclockwise from 3 o'clock, in 1/16 degree.
  p.drawArc(QRectF(1, 1, 2 * kRadius, 2 * kRadius), -o * 16, 180 * 16);
  for (int i = 0; i <= 180; ++i) {
    const int length = i % 10 == 0 ? 28 : i % 5 == 0 ? 20 : 12;
    p.setPen(i == 0 || i == 180 ? red : grey);
    p.drawLine(toward(kRadius - 1, o, i), toward(kRadius - length, o, i));
  }
  drawLabels(p, o, kRadius - 36, outer, QColor(0, 128, 128), false);
  drawLabels(p, o, kRadius - 48, inner, QColor(0, 0, 255), true);
  p.setPen(grey);
  p.drawLine(toward(kRadius - 58, o, 0), toward(3, o, 0));
  p.drawLine(toward(4, o, 180), toward(kRadius - 58, o, 180));
  p.setPen(red);
  p.drawEllipse(QPointF(kCentre, kCentre), 3.0, 3.0);
}

void BM_ProtractorQPainterPeer(benchmark::State& state) {
  ensurePeerApplication();
  QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
  QFont outer("Verdana");
  outer.setPixelSize(13);  // 10 points at 96 dots per inch
  QFont inner("Verdana");
  inner.setPixelSize(11);  // 8 points
  RandomSource random(2024);  // the orientations of BM_ProtractorDraw
  for (auto _ : state) {
    const int o = static_cast<int>(random.below(541)) - 180;
    drawPeerDial(image, o, outer, inner);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_ProtractorQPainterPeer)->Unit(benchmark::kMicrosecond);

// The same dial on a screen of ratio 2: the image has twice the pixels each
// way and QPainter draws the logical dial at device resolution (pens one
// logical pixel wide, fonts of the same logical size).
void BM_ProtractorQPainterPeerX2(benchmark::State& state) {
  ensurePeerApplication();
  QImage image(2 * kSide, 2 * kSide, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(2.0);
  QFont outer("Verdana");
  outer.setPixelSize(13);
  QFont inner("Verdana");
  inner.setPixelSize(11);
  RandomSource random(2024);
  for (auto _ : state) {
    const int o = static_cast<int>(random.below(541)) - 180;
    drawPeerDial(image, o, outer, inner);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_ProtractorQPainterPeerX2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gradoir
