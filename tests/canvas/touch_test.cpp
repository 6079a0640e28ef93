// Fingers and a pen on the canvas, sent through Qt's touch and tablet
// delivery on a registered touch screen: one finger is the left button, two
// fingers turn and move the protractor, a cancel puts it back, and no mouse
// handler sees a finger.
#include <QApplication>
#include <QPointingDevice>
#include <QTabletEvent>
#include <QTest>
#include <cmath>
#include <numbers>
#include <vector>

#include "canvas_fixture.h"
#include "raster/geometry.h"

namespace gradoir::testing {
namespace {

QPointingDevice* touchScreen() {
  static QPointingDevice* device = QTest::createTouchDevice();
  return device;
}

QPoint qp(Point p) { return {p.x, p.y}; }

std::vector<Color32> pixelsOf(const Bitmap32& b) {
  return {b.bits(), b.bits() + static_cast<std::size_t>(b.width()) * static_cast<std::size_t>(b.height())};
}

// Canvas centre (500, 350); the vertex is put far away unless a test needs it.
class TouchTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    startExercise(CanvasTool::Protractor, /*magnetic=*/true);
    moveVertexTo({100, 100});
  }

  void press(int id, Point p) { QTest::touchEvent(canvas, touchScreen()).press(id, qp(p), canvas); }
  void move(int id, Point p) { QTest::touchEvent(canvas, touchScreen()).move(id, qp(p), canvas); }
  void release(int id, Point p) { QTest::touchEvent(canvas, touchScreen()).release(id, qp(p), canvas); }
  void drag(Point from, Point to) {
    press(0, from);
    move(0, {(from.x + to.x) / 2, (from.y + to.y) / 2});
    move(0, to);
    release(0, to);
  }
  // Both fingers in one event, as a screen reports them.
  void pressTwo(Point a, Point b) {
    QTest::touchEvent(canvas, touchScreen()).press(0, qp(a), canvas).press(1, qp(b), canvas);
  }
  void moveTwo(Point a, Point b) {
    QTest::touchEvent(canvas, touchScreen()).move(0, qp(a), canvas).move(1, qp(b), canvas);
  }
  void releaseTwo(Point a, Point b) {
    QTest::touchEvent(canvas, touchScreen()).release(0, qp(a), canvas).release(1, qp(b), canvas);
  }
  // The screen gives the sequence up; the fingers it still knows of leave
  // later, and the canvas must ignore them.
  void cancel() {
    QTouchEvent event(QEvent::TouchCancel, touchScreen());
    QApplication::sendEvent(canvas, &event);
  }
  // The protractor's bitmap as a protractor newly drawn at its place and
  // orientation shows it.
  bool protractorPictureIsFresh() {
    Protractor fresh(240, true);
    fresh.setOrientation(canvas->protractor().orientation());
    Bitmap32 picture;
    fresh.draw(picture, protractorLocation());
    return pixelsOf(picture) == pixelsOf(canvas->protractorLayer().bitmap());
  }
  Point centre() {
    const RectF l = protractorLocation();
    return {static_cast<int>(l.left) + 241, static_cast<int>(l.top) + 241};
  }
};

// A point at `degrees` (clockwise on screen) and `radius` from `c`, rounded.
Point around(Point c, double degrees, double radius) {
  const double a = degrees * std::numbers::pi / 180;
  return {static_cast<int>(std::lround(c.x + radius * std::cos(a))),
          static_cast<int>(std::lround(c.y + radius * std::sin(a)))};
}

TEST_F(TouchTest, OneFingerDragMovesTheCentreByTheFingersPath) {
  drag({500, 350}, {540, 350});
  EXPECT_EQ(centre(), (Point{540, 350}));
  EXPECT_EQ(protractorLocation(), (RectF{299, 109, 781, 591}));
  EXPECT_EQ(zone(GrabZone::Centre), (Rect{530, 340, 550, 360}));
  // 15 px off the centre: beyond the mouse's 20 px square, within a finger's 40.
  drag({555, 365}, {595, 365});
  EXPECT_EQ(centre(), (Point{580, 350}));
  drag({560, 330}, {600, 300});  // the zone's first row and column
  EXPECT_EQ(centre(), (Point{620, 320}));
  drag({641, 320}, {700, 320});  // just past its right edge: nothing is grabbed
  EXPECT_EQ(centre(), (Point{620, 320}));
  // The mouse's zones keep their size.
  hover(*canvas, {635, 335});
  EXPECT_EQ(canvas->activeZone(), GrabZone::None);
}

TEST_F(TouchTest, OneFingerOnAnEndTurnsByTheFingersTurn) {
  drag({726, 350}, around({500, 350}, 90, 226));  // the 180 end, straight down
  EXPECT_EQ(canvas->protractor().orientation(), 90);
  EXPECT_EQ(centre(), (Point{500, 350}));
  // Grabbed 15 px off the edge's line, the end does not jump to the finger:
  // it turns by the finger's 30 degrees.
  const Point grab = around({500, 350}, 90 + 180 + 4, 226);  // zone 1 is now up
  drag(grab, around({500, 350}, 90 + 180 + 4 + 30, 226));
  EXPECT_EQ(canvas->protractor().orientation(), 120);
}

TEST_F(TouchTest, OneFingerDropSnapsOntoTheVertex) {
  moveVertexTo({543, 352});
  drag({500, 350}, {540, 350});
  EXPECT_EQ(protractorLocation(), (RectF{543 - 241, 352 - 241, 543 + 241, 352 + 241}));
}

TEST_F(TouchTest, OneFingerWithThePencilDrawsAsTheMouseDoes) {
  canvas->setMode(CanvasTool::Pencil);
  drag({300, 600}, {420, 640});
  const AngleGeometry byFinger = canvas->angle()->geometry();
  const std::vector<Color32> fingerPicture = pixelsOf(composedPicture());
  ASSERT_TRUE(byFinger.measure.has_value());

  canvas->clearSecondSide();
  pressLeft(*canvas, {300, 600});
  dragLeft(*canvas, {360, 620});
  dragLeft(*canvas, {420, 640});
  releaseLeft(*canvas, {420, 640});
  EXPECT_EQ(canvas->angle()->secondEnd(), byFinger.secondEnd);
  EXPECT_EQ(canvas->angle()->measure(), byFinger.measure);
  EXPECT_TRUE(pixelsOf(composedPicture()) == fingerPicture);
}

TEST_F(TouchTest, TwoFingerTwistOnTheVertexTurnsAboutTheVertex) {
  moveVertexTo({500, 350});
  const RectF onVertex = protractorLocation();
  // One finger holds still, the other swings 30 degrees round it: the
  // fingers' midpoint travels, the centre must not.
  const Point still{420, 380};
  pressTwo(still, around(still, 0, 160));
  for (int degrees = 5; degrees <= 30; degrees += 5) moveTwo(still, around(still, degrees, 160));
  EXPECT_NEAR(canvas->protractor().orientation(), 30, 1);
  EXPECT_EQ(protractorLocation(), onVertex);
  releaseTwo(still, around(still, 30, 160));
  EXPECT_EQ(protractorLocation(), onVertex);
  // Counter-clockwise likewise, from the new orientation.
  const int turned = canvas->protractor().orientation();
  pressTwo({400, 350}, {600, 350});
  moveTwo(around({500, 350}, 180 - 45, 100), around({500, 350}, -45, 100));
  releaseTwo(around({500, 350}, 180 - 45, 100), around({500, 350}, -45, 100));
  EXPECT_EQ(canvas->protractor().orientation(), turned - 45);
}

TEST_F(TouchTest, TwoFingersElsewhereTurnAndFollowTheMidpoint) {
  pressTwo({450, 350}, {550, 350});
  // Midpoint (500, 350) to (530, 330), fingers turned 20 degrees clockwise.
  moveTwo(around({530, 330}, 180 + 20, 50), around({530, 330}, 20, 50));
  EXPECT_EQ(canvas->protractor().orientation(), 20);
  EXPECT_EQ(centre(), (Point{530, 330}));
  // Lifting one finger ends the gesture: the other one moves nothing.
  QTest::touchEvent(canvas, touchScreen()).release(0, qp(around({530, 330}, 200, 50)), canvas).stationary(1);
  move(1, {700, 500});
  release(1, {700, 500});
  EXPECT_EQ(canvas->protractor().orientation(), 20);
  EXPECT_EQ(centre(), (Point{530, 330}));
}

TEST_F(TouchTest, TwoFingersOffTheProtractorDoNothing) {
  pressTwo({20, 20}, {120, 20});
  moveTwo({40, 60}, {140, 90});
  releaseTwo({40, 60}, {140, 90});
  EXPECT_EQ(canvas->protractor().orientation(), 0);
  EXPECT_EQ(centre(), (Point{500, 350}));
}

TEST_F(TouchTest, ADisabledCanvasIgnoresFingers) {
  canvas->setEnabled(false);
  drag({500, 350}, {540, 350});
  pressTwo({450, 350}, {550, 350});
  moveTwo({450, 300}, {550, 400});
  releaseTwo({450, 300}, {550, 400});
  EXPECT_EQ(centre(), (Point{500, 350}));
  EXPECT_EQ(canvas->protractor().orientation(), 0);
}

TEST_F(TouchTest, CancelPutsTheProtractorBack) {
  const RectF start = protractorLocation();
  press(0, {500, 350});
  move(0, {620, 410});
  ASSERT_EQ(centre(), (Point{620, 410}));
  cancel();
  EXPECT_EQ(protractorLocation(), start);
  EXPECT_EQ(zone(GrabZone::Centre), (Rect{490, 340, 510, 360}));
  release(0, {620, 410});
  EXPECT_EQ(protractorLocation(), start);

  pressTwo({450, 350}, {550, 350});
  moveTwo(around({560, 350}, 180 + 40, 50), around({560, 350}, 40, 50));
  ASSERT_EQ(canvas->protractor().orientation(), 40);
  cancel();
  releaseTwo(around({560, 350}, 180 + 40, 50), around({560, 350}, 40, 50));
  EXPECT_EQ(canvas->protractor().orientation(), 0);
  EXPECT_EQ(protractorLocation(), start);
  EXPECT_TRUE(protractorPictureIsFresh());
}

// Counts what reaches the canvas's mouse handlers.
class CountingCanvas : public ExerciseCanvas {
 public:
  using ExerciseCanvas::ExerciseCanvas;
  int mouseEvents = 0;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    ++mouseEvents;
    ExerciseCanvas::mousePressEvent(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    ++mouseEvents;
    ExerciseCanvas::mouseMoveEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    ++mouseEvents;
    ExerciseCanvas::mouseReleaseEvent(e);
  }
};

TEST(TouchSequenceTest, NoMouseHandlerRunsDuringATouchSequence) {
  QWidget host;
  host.resize(1000, 700);
  auto* canvas = new CountingCanvas(&host);  // owned by its Qt parent
  canvas->resize(1000, 700);
  host.show();
  QApplication::processEvents();
  canvas->centerProtractor();
  canvas->newExercise(false, false);
  QApplication::processEvents();
  canvas->mouseEvents = 0;
  QTest::touchEvent(canvas, touchScreen()).press(0, {500, 350}, canvas);
  QTest::touchEvent(canvas, touchScreen()).move(0, {520, 360}, canvas);
  QTest::touchEvent(canvas, touchScreen()).release(0, {520, 360}, canvas);
  QTest::touchEvent(canvas, touchScreen()).press(0, {100, 100}, canvas);  // a tap on empty canvas
  QTest::touchEvent(canvas, touchScreen()).release(0, {100, 100}, canvas);
  QApplication::processEvents();
  EXPECT_EQ(canvas->mouseEvents, 0);
  EXPECT_EQ(canvas->protractorLayer().location(), (RectF{279, 119, 761, 601}));

  // A mouse event the system made from a finger is not acted on again.
  const QPointF at(520, 360);
  QMouseEvent made(QEvent::MouseButtonPress, at, at, canvas->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                   Qt::NoModifier, Qt::MouseEventSynthesizedBySystem, touchScreen());
  QApplication::sendEvent(canvas, &made);
  QMouseEvent dragged(QEvent::MouseMove, QPointF(700, 500), QPointF(700, 500),
                      canvas->mapToGlobal(QPointF(700, 500)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier,
                      Qt::MouseEventSynthesizedBySystem, touchScreen());
  QApplication::sendEvent(canvas, &dragged);
  EXPECT_EQ(canvas->protractorLayer().location(), (RectF{279, 119, 761, 601}));
}

TEST_F(TouchTest, APenActsLikeTheMouse) {
  static const QPointingDevice pen(QStringLiteral("pen"), 9001, QInputDevice::DeviceType::Stylus,
                                   QPointingDevice::PointerType::Pen,
                                   QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
  const auto send = [&](QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::MouseButtons held) {
    QTabletEvent event(type, &pen, p, canvas->mapToGlobal(p), 0.5, 0, 0, 0, 0, 0, Qt::NoModifier, button, held);
    QApplication::sendEvent(canvas, &event);
  };
  send(QEvent::TabletMove, {500, 350}, Qt::NoButton, Qt::NoButton);  // hovering
  EXPECT_EQ(canvas->activeZone(), GrabZone::Centre);
  EXPECT_EQ(canvas->cursor().shape(), Qt::PointingHandCursor);
  send(QEvent::TabletPress, {500, 350}, Qt::LeftButton, Qt::LeftButton);
  send(QEvent::TabletMove, {600, 400}, Qt::NoButton, Qt::LeftButton);
  send(QEvent::TabletRelease, {600, 400}, Qt::LeftButton, Qt::NoButton);
  // The mouse's drag: centre seven pixels above the tip.
  EXPECT_EQ(protractorLocation(), (RectF{359, 152, 841, 634}));
}

}  // namespace
}  // namespace gradoir::testing
