// The canvas on a high-density screen. This program runs with
// QT_SCALE_FACTOR set (1.5 and 2, see CMakeLists.txt): the widget keeps its
// logical size while the picture is drawn in device pixels. Pointer events
// are sent in logical coordinates, as the window system sends them.
#include <QApplication>
#include <QTest>
#include <cmath>
#include <numbers>
#include <optional>

#include "../canvas_fixture.h"
#include "figures/exercise_angle.h"
#include "raster/geometry.h"

namespace gradoir::testing {
namespace {

constexpr double kPi = std::numbers::pi;

double screenScale() { return qApp->devicePixelRatio(); }

void sendAt(QWidget& w, QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, p, w.mapToGlobal(p), button, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

// A device-pixel point of the figures where the pointer must be, in the
// widget's logical coordinates.
QPointF logicalOf(double x, double y, double scale) { return {x / scale, y / scale}; }

QPointF zoneMiddle(const Rect& r, double scale) {
  return logicalOf((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0, scale);
}

// Drags from the middle of a grab zone to a logical point and lets go.
void dragZoneTo(QWidget& canvas, const Rect& zone, QPointF to, double scale) {
  const QPointF from = zoneMiddle(zone, scale);
  sendAt(canvas, QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
  sendAt(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  sendAt(canvas, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  sendAt(canvas, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// Ink across a picture's column or row: the sum of darkness (0 for white,
// 1 for black) of the green channel, i.e. how many pixels of full black the
// line's cross-section is worth.
double inkAcrossColumn(const Bitmap32& b, int x, int y0, int y1) {
  double ink = 0;
  for (int y = y0; y < y1; ++y) ink += (255 - ((b.pixelAt(x, y) >> 8) & 0xFF)) / 255.0;
  return ink;
}

// Height of the ink of a picture's part: rows holding a pixel darker than
// mid grey.
int inkRows(const Bitmap32& b, const Rect& r) {
  int first = -1, last = -1;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (((b.pixelAt(x, y) >> 8) & 0xFF) < 160) {
        if (first < 0) first = y;
        last = y;
      }
  return first < 0 ? 0 : last - first + 1;
}

class ScaleTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    scale = screenScale();
  }
  double scale = 1;
};

TEST_F(ScaleTest, RunsOnAHighDensityScreen) {
  // Without QT_SCALE_FACTOR every check below would pass trivially.
  EXPECT_GT(scale, 1.0);
  EXPECT_DOUBLE_EQ(canvas->deviceScale(), scale);
}

TEST_F(ScaleTest, BufferAndLayersHaveTheWindowsDevicePixels) {
  startExercise(CanvasTool::Protractor);
  const Bitmap32& picture = composedPicture();
  EXPECT_EQ(picture.width(), static_cast<int>(std::ceil(1000 * scale)));
  EXPECT_EQ(picture.height(), static_cast<int>(std::ceil(700 * scale)));
  EXPECT_EQ(canvas->angleLayer().bitmap().width(), picture.width());
  EXPECT_EQ(canvas->angleLayer().bitmap().height(), picture.height());
  // The protractor disc keeps its logical radius of 240.
  EXPECT_EQ(canvas->protractor().radius(), static_cast<int>(std::lround(240 * scale)));
  EXPECT_EQ(canvas->protractorLayer().bitmap().width(), 2 * canvas->protractor().radius() + 2);
  // Centred in device pixels, it is centred in the window.
  const RectF at = canvas->protractorLayer().location();
  EXPECT_NEAR((at.left + at.right) / 2 / scale, 500, 1);
  EXPECT_NEAR((at.top + at.bottom) / 2 / scale, 350, 1);
  // The sides' lengths keep their logical size.
  const AngleFigure& angle = *canvas->angle();
  const double first = std::hypot(angle.firstEnd().x - angle.vertex().x, angle.firstEnd().y - angle.vertex().y);
  EXPECT_NEAR(first / scale, 250, 0.5);
  // The tool box is placed in logical pixels: the side bounds lie inside
  // the logical client area.
  const SideBounds bounds = canvas->sideBounds();
  for (const Rect& r : {bounds.first, bounds.second}) {
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.right, 1000);
    EXPECT_LE(r.bottom, 700);
  }
}

TEST_F(ScaleTest, LinesAreAsThickAsOneLogicalPixel) {
  startExercise(CanvasTool::Protractor, false, /*horizontal=*/true);
  canvas->hideProtractor();
  const AngleFigure& angle = *canvas->angle();
  // The middle of the horizontal first side, away from the arc.
  const double mid = (angle.vertex().x + angle.firstEnd().x) / 2;
  const int x = static_cast<int>(mid);
  const int y = static_cast<int>(angle.vertex().y);
  const double inkHere = inkAcrossColumn(composedPicture(), x, y - 8, y + 9);

  // The same side at scale 1, drawn the same way on a bitmap of its own.
  AngleGeometry plain = angle.geometry();
  plain.vertex = {40.0f, 20.0f};
  plain.firstEnd = {290.0f, 20.0f};
  plain.secondEnd = plain.generatedEnd = plain.vertex;
  Bitmap32 reference;
  reference.setBitmapSize(320, 40);
  AngleFigure(plain).draw(reference, false, 1.0);
  const double inkPlain = inkAcrossColumn(reference, 165, 12, 29);

  ASSERT_GT(inkPlain, 0.5);
  // In device pixels the line is about `scale` times as thick...
  EXPECT_NEAR(inkHere / inkPlain, scale, 0.3 * scale);
  // ...and not a one-device-pixel hairline.
  EXPECT_GT(inkHere, 1.3 * inkPlain);
}

TEST_F(ScaleTest, LabelsAreRasterisedAtTheirRealSize) {
  // The upright label 90 at the top of the protractor, at orientation 0.
  startExercise(CanvasTool::Protractor);
  canvas->protractor().draw(canvas->protractorLayer().bitmap(), canvas->protractorLayer().location());
  const Bitmap32& drawn = canvas->protractorLayer().bitmap();
  const int r = canvas->protractor().radius();
  // The outer number's middle lies 36 logical px inside the outline.
  const int labelY = r + 1 - (r - static_cast<int>(std::lround(36 * scale)));
  const int half = static_cast<int>(std::lround(9 * scale));
  const Rect box{r + 1 - 2 * half, labelY - half, r + 1 + 2 * half, labelY + half};
  const int rows = inkRows(drawn, box);

  Protractor plain(240, true, 1.0);
  Bitmap32 reference;
  plain.draw(reference, RectF{0, 0, 482, 482});
  const int plainRows = inkRows(reference, Rect{241 - 18, 241 - 204 - 9, 241 + 18, 241 - 204 + 9});

  ASSERT_GT(plainRows, 4);
  EXPECT_NEAR(static_cast<double>(rows) / plainRows, scale, 0.25 * scale);
}

TEST_F(ScaleTest, GrabZonesAndTheSnapKeepTheirLogicalSize) {
  startExercise(CanvasTool::Protractor, /*magnetic=*/true);
  const Rect centre = zone(GrabZone::Centre);
  EXPECT_NEAR((centre.right - centre.left) / scale, 20, 1);
  EXPECT_NEAR((centre.bottom - centre.top) / scale, 20, 1);
  // A hover in logical coordinates finds the zone drawn in device pixels.
  sendAt(*canvas, QEvent::MouseMove, zoneMiddle(centre, scale), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(canvas->activeZone(), GrabZone::Centre);

  // Dropped 3 logical px beside a vertex, the centre snaps onto it; 5 px
  // beside, it stays. The pointer is 7 logical px below the centre.
  const PointF v = canvas->angle()->vertex();
  auto dropBeside = [&](double dx) {
    canvas->centerProtractor();
    dragZoneTo(*canvas, zone(GrabZone::Centre), logicalOf(v.x, v.y, scale) + QPointF(dx, 7), scale);
    const RectF at = canvas->protractorLayer().location();
    const double r = canvas->protractor().radius();
    return QPointF(at.left + r + 1, at.top + r + 1);
  };
  const QPointF snapped = dropBeside(3);
  EXPECT_FLOAT_EQ(snapped.x(), v.x);
  EXPECT_FLOAT_EQ(snapped.y(), v.y);
  const QPointF away = dropBeside(5);
  EXPECT_GT(std::abs(away.x() - v.x), 4 * scale);
}

// Direction of a screen vector in degrees, counterclockwise on screen.
double screenDegrees(double dx, double dy) { return std::atan2(-dy, dx) * 180 / kPi; }

double degreesApart(double a, double b) {
  double d = std::fmod(std::abs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}

// The graduation of the protractor as it lies on the canvas whose direction
// from the centre is nearest the given one, with how far off it is. Worked
// out from the protractor's own orientation with the plain library
// trigonometry: graduation i points at 180 - i - orientation degrees.
std::pair<int, double> graduationToward(const Protractor& protractor, double direction) {
  int best = 0;
  double off = 1e9;
  for (int i = 0; i <= 180; ++i) {
    const double d = degreesApart(180.0 - i - protractor.orientation(), direction);
    if (d < off) off = d, best = i;
  }
  return {best, off};
}

// The pupil lays the centre on the vertex, turns the protractor so that one
// end of the straight edge lies on the first side, and reads the graduation
// under the second side: the number of the row that starts at 0 on the
// first side.
std::optional<int> readMeasure(ExerciseCanvas& canvas, double scale, bool zeroEndOnFirstSide) {
  const AngleFigure& angle = *canvas.angle();
  const PointF v = angle.vertex();
  canvas.centerProtractor();
  dragZoneTo(canvas, canvas.protractor().grabZone(GrabZone::Centre), logicalOf(v.x, v.y, scale) + QPointF(0, 7),
             scale);
  // Turn by the end that must lie on the first side, toward a point of it.
  const PointF e = angle.firstEnd();
  const GrabZone end = zeroEndOnFirstSide ? GrabZone::ZeroEnd : GrabZone::End180;
  dragZoneTo(canvas, canvas.protractor().grabZone(end), logicalOf(e.x, e.y, scale), scale);

  const double second = screenDegrees(angle.secondEnd().x - v.x, angle.secondEnd().y - v.y);
  const auto [graduation, off] = graduationToward(canvas.protractor(), second);
  if (off > 0.5) return std::nullopt;  // the second side lies outside the half disc
  return zeroEndOnFirstSide ? graduation : 180 - graduation;
}

TEST_F(ScaleTest, TheProtractorReadsTheMeasureExactly) {
  for (std::uint32_t seed : {12345u, 777u, 4242u, 99u, 31337u}) {
    ScopedSeedProvider provider([seed] { return seed; });
    canvas->setMode(CanvasTool::Protractor);
    canvas->centerProtractor();
    canvas->newExercise(/*magnetic=*/true, false);
    const int measure = *canvas->angleMeasure();
    // The centre must lie on the vertex for a reading to mean anything.
    std::optional<int> read = readMeasure(*canvas, scale, true);
    const RectF at = canvas->protractorLayer().location();
    const double r = canvas->protractor().radius();
    EXPECT_FLOAT_EQ(at.left + r + 1, canvas->angle()->vertex().x) << "seed " << seed;
    EXPECT_FLOAT_EQ(at.top + r + 1, canvas->angle()->vertex().y) << "seed " << seed;
    if (!read) read = readMeasure(*canvas, scale, false);
    ASSERT_TRUE(read.has_value()) << "seed " << seed;
    EXPECT_EQ(*read, measure) << "seed " << seed;
  }
}

TEST_F(ScaleTest, APencilStrokeInLogicalCoordinatesDrawsTheWholeDegree) {
  startExercise(CanvasTool::Pencil);
  canvas->clearSecondSide();
  const AngleFigure& angle = *canvas->angle();
  const PointF v = angle.vertex(), a = angle.firstEnd();
  // Aim 40 degrees clockwise on screen from the first side, 150 logical px out.
  const double first = std::atan2(a.y - v.y, a.x - v.x) + 40 * kPi / 180;
  const QPointF target = logicalOf(v.x, v.y, scale) + QPointF(150 * std::cos(first), 150 * std::sin(first));
  sendAt(*canvas, QEvent::MouseButtonPress, target, Qt::LeftButton, Qt::LeftButton);
  sendAt(*canvas, QEvent::MouseButtonRelease, target, Qt::LeftButton, Qt::NoButton);
  ASSERT_TRUE(canvas->angleMeasure().has_value());
  EXPECT_EQ(*canvas->angleMeasure(), 40);
  // The side reaches as far as the pointer, in device pixels.
  const PointF b = angle.secondEnd();
  EXPECT_NEAR(std::hypot(b.x - v.x, b.y - v.y) / scale, 150, 1.5);
}

// The keys' cross-hair aims at a device pixel (where Space draws the side
// to): it is painted there, and the arrows take it as far as the picture's
// last column.
TEST_F(ScaleTest, TheCrossHairShowsWhereSpaceDraws) {
  host->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
  startExercise(CanvasTool::Pencil);
  canvas->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(canvas->hasFocus());
  const QRgb highlight = canvas->palette().color(QPalette::Highlight).rgb();
  // The window's device pixel 9 logical px left of the aimed one: on the
  // cross-hair's left arm.
  const auto leftArmShown = [&] {
    const Point aim = canvas->keyboardCrossHair();
    const QImage window = canvas->grab().toImage();
    return window.pixel(static_cast<int>(std::lround(aim.x - 9 * scale)), aim.y) == highlight;
  };
  EXPECT_TRUE(leftArmShown());
  for (int i = 0; i < 120; ++i) QTest::keyClick(canvas, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(canvas->keyboardCrossHair().x, static_cast<int>(std::ceil(1000 * scale)) - 1);
  EXPECT_TRUE(leftArmShown());
}

TEST_F(ScaleTest, AChangeOfRatioRedrawsTheExerciseInPlace) {
  startExercise(CanvasTool::Protractor);
  const int measure = *canvas->angleMeasure();
  const PointF v = canvas->angle()->vertex();
  const SideBounds before = canvas->sideBounds();

  canvas->setDeviceScaleOverride(1.0);  // as if moved to an ordinary screen
  composedPicture();
  EXPECT_EQ(canvas->buffer().width(), 1000);
  EXPECT_EQ(canvas->protractor().radius(), 240);
  EXPECT_EQ(*canvas->angleMeasure(), measure);
  EXPECT_NEAR(canvas->angle()->vertex().x, v.x / scale, 0.01);
  EXPECT_NEAR(canvas->angle()->vertex().y, v.y / scale, 0.01);
  const RectF at = canvas->protractorLayer().location();
  EXPECT_NEAR(at.left + 241, 500, 1);
  const SideBounds after = canvas->sideBounds();
  EXPECT_NEAR(after.first.left, before.first.left, 1);
  EXPECT_NEAR(after.second.bottom, before.second.bottom, 1);

  canvas->setDeviceScaleOverride(0);  // back to the screen's own ratio
  composedPicture();
  EXPECT_EQ(canvas->buffer().width(), static_cast<int>(std::ceil(1000 * scale)));
  EXPECT_NEAR(canvas->angle()->vertex().x, v.x, 0.01);
  EXPECT_EQ(*canvas->angleMeasure(), measure);
}

}  // namespace
}  // namespace gradoir::testing
