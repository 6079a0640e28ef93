// The program by keys alone: every key goes where the focus is, as the
// window system sends it; no pointer event is sent. A measuring and a
// drawing exercise are done from the menu to the verdict.
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <cmath>
#include <numbers>

#include "main_window_fixture.h"
#include "modal_answer.h"
#include "figures/protractor.h"
#include "ui/focus_ring.h"

namespace gradoir::test {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

double directionDegrees(PointF from, PointF to) { return std::atan2(to.y - from.y, to.x - from.x) / kDegree; }

// An angle in degrees brought into (-180, 180].
double normalised(double degrees) {
  double d = std::fmod(degrees, 360.0);
  if (d > 180) d -= 360;
  if (d <= -180) d += 360;
  return d;
}

class KeyboardTest : public MainWindowTest {
 protected:
  QWidget* focus() const { return QApplication::focusWidget(); }

  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget* target = focus() != nullptr ? focus() : m_form.get();
    QTest::keyClick(target, k, m);
  }

  // Alt and the menu's letter, then the item's letter in the open menu.
  void chooseFromMenu(Qt::Key menuLetter, Qt::Key itemLetter) {
    key(menuLetter, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, itemLetter);
  }

  // Tab until `w` has the focus; false when it never does.
  bool tabTo(QWidget* w, Qt::KeyboardModifiers m = Qt::NoModifier) {
    for (int i = 0; i < 16 && focus() != w; ++i) key(Qt::Key_Tab, m);
    return focus() == w;
  }

  QWidget* ringTarget() const {
    const auto* ring = m_form->findChild<FocusRing*>(QStringLiteral("focusRing"));
    return ring != nullptr && ring->isVisible() ? ring->target() : nullptr;
  }

  PointF protractorCentre() const {
    const RectF l = canvas().protractorLayer().location();
    return {l.left + 241, l.top + 241};
  }

  // Arrows towards `to`, ten pixels at a time while far; stops when the
  // protractor's centre is on `to` (the magnet finishes the approach).
  void steerProtractorTo(PointF to) {
    for (int i = 0; i < 300; ++i) {
      const PointF c = protractorCentre();
      const double dx = to.x - c.x;
      const double dy = to.y - c.y;
      if (std::abs(dx) < 0.01 && std::abs(dy) < 0.01) return;
      const bool horizontal = std::abs(dx) >= std::abs(dy);
      const double d = horizontal ? dx : dy;
      const Qt::KeyboardModifiers m = std::abs(d) >= 10 ? Qt::ShiftModifier : Qt::NoModifier;
      key(horizontal ? (d > 0 ? Qt::Key_Right : Qt::Key_Left) : (d > 0 ? Qt::Key_Down : Qt::Key_Up), m);
    }
  }

  void steerCrossHairTo(Point to) {
    for (int i = 0; i < 300; ++i) {
      const Point c = canvas().keyboardCrossHair();
      const int dx = to.x - c.x;
      const int dy = to.y - c.y;
      if (dx == 0 && dy == 0) return;
      const bool horizontal = std::abs(dx) >= std::abs(dy);
      const int d = horizontal ? dx : dy;
      const Qt::KeyboardModifiers m = std::abs(d) >= 10 ? Qt::ShiftModifier : Qt::NoModifier;
      key(horizontal ? (d > 0 ? Qt::Key_Right : Qt::Key_Left) : (d > 0 ? Qt::Key_Down : Qt::Key_Up), m);
    }
  }

  void turnProtractorTo(int orientation) {
    for (int i = 0; i < 100; ++i) {
      const int d = static_cast<int>(normalised(orientation - canvas().protractor().orientation()));
      if (d == 0) return;
      key(d > 0 ? Qt::Key_PageDown : Qt::Key_PageUp, std::abs(d) >= 10 ? Qt::ShiftModifier : Qt::NoModifier);
    }
  }
};

TEST_F(KeyboardTest, TabGoesThroughTheToolBoxThenTheCanvasWithAVisibleFrame) {
  start();
  chooseFromMenu(Qt::Key_E, Qt::Key_M);
  ASSERT_EQ(focus(), answer());
  EXPECT_EQ(ringTarget(), answer());
  // The pencil is off in a measuring exercise, the next button disabled.
  const QList<QWidget*> forward = {button("checkButton"), tool("protractorButton"), tool("centerProtractorButton"),
                                   tool("moveTurnButton"), &canvas(), answer()};
  for (QWidget* expected : forward) {
    key(Qt::Key_Tab);
    EXPECT_EQ(focus(), expected) << expected->objectName().toStdString();
    // The canvas paints its own frame; the others get the ring.
    if (expected != &canvas()) {
      EXPECT_EQ(ringTarget(), expected);
    }
  }
  for (int i = forward.size() - 2; i >= 0; --i) {
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), forward[i]) << i;
  }
  key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(focus(), answer());
  ASSERT_TRUE(tabTo(&canvas()));
  EXPECT_EQ(ringTarget(), nullptr);
  const QRgb highlight = canvas().palette().color(QPalette::Highlight).rgb();
  EXPECT_EQ(canvas().grab().toImage().pixel(1, canvas().height() / 2), highlight);
}

TEST_F(KeyboardTest, AMeasuringExerciseByKeysAlone) {
  start("[Angle]\nSommetAimante=1\n");
  chooseFromMenu(Qt::Key_E, Qt::Key_M);
  ASSERT_TRUE(m_form->series().seriesRunning());
  ASSERT_TRUE(tabTo(&canvas()));

  const AngleGeometry g = canvas().angle()->geometry();
  steerProtractorTo(g.vertex);
  ASSERT_EQ(protractorCentre(), g.vertex);
  // Graduation 0, which lies opposite the orientation, on the first side.
  const double firstSide = directionDegrees(g.vertex, g.firstEnd);
  const int zeroOnFirstSide = static_cast<int>(std::lround(normalised(firstSide + 180)));
  turnProtractorTo(zeroOnFirstSide);
  EXPECT_EQ(normalised(canvas().protractor().orientation() - zeroOnFirstSide), 0);
  EXPECT_EQ(protractorCentre(), g.vertex);  // turned about its centre

  // What the protractor reads: the angle between the sides.
  const double between = std::abs(normalised(directionDegrees(g.vertex, g.secondEnd) - firstSide));
  const QString reading = QString::number(std::lround(between));
  ASSERT_TRUE(tabTo(answer()));
  QTest::keyClicks(focus(), reading);
  key(Qt::Key_Return);
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Bonne réponse !"));
  EXPECT_EQ(lamp(1), kGreen);
  // Enter again goes on to the next exercise.
  key(Qt::Key_Return);
  EXPECT_EQ(m_form->series().exerciseNumber(), 2);
  EXPECT_EQ(focus(), answer());
}

TEST_F(KeyboardTest, ADrawingExerciseByKeysAlone) {
  start();
  chooseFromMenu(Qt::Key_E, Qt::Key_T);
  const std::int32_t target = m_form->series().targetMeasure();
  ASSERT_GE(target, 5);
  // The two tools are one group, as radio buttons are: Tab reaches the one
  // in use, an arrow picks the other.
  ASSERT_TRUE(tabTo(tool("moveTurnButton")));
  key(Qt::Key_Right);
  EXPECT_EQ(focus(), tool("pencilButton"));
  EXPECT_EQ(ringTarget(), tool("pencilButton"));
  ASSERT_TRUE(tool("pencilButton")->isChecked());
  ASSERT_EQ(canvas().mode(), CanvasTool::Pencil);
  ASSERT_TRUE(tabTo(&canvas()));

  // A point far enough from the vertex to aim to the degree (a rounded
  // pixel is off by at most 0.41 degrees at 100 px), at the target
  // measure from the first side, on whichever side lies inside the canvas.
  const AngleGeometry g = canvas().angle()->geometry();
  const double firstSide = directionDegrees(g.vertex, g.firstEnd);
  const auto inside = [&](Point p) { return p.x >= 0 && p.y >= 0 && p.x < canvas().width() && p.y < canvas().height(); };
  Point aim{-1, -1};
  for (const double length : {150.0, 120.0, 100.0}) {
    for (const int sign : {1, -1}) {
      const double a = (firstSide + sign * target) * kDegree;
      const Point p{static_cast<int>(std::lround(g.vertex.x + length * std::cos(a))),
                    static_cast<int>(std::lround(g.vertex.y + length * std::sin(a)))};
      if (!inside(aim) && inside(p)) aim = p;
    }
  }
  ASSERT_TRUE(inside(aim));
  steerCrossHairTo(aim);
  ASSERT_EQ(canvas().keyboardCrossHair(), aim);
  EXPECT_FALSE(canvas().angleMeasure().has_value());
  key(Qt::Key_Space);
  ASSERT_TRUE(canvas().angleMeasure().has_value());
  EXPECT_EQ(std::abs(*canvas().angleMeasure()), target);
  key(Qt::Key_Return);
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Bonne réponse !"));
  EXPECT_EQ(lamp(1), kGreen);
  EXPECT_EQ(m_form->series().successCount(), 1);
}

TEST_F(KeyboardTest, EnterOnTheCanvasOrAToolChecks) {
  start();
  chooseFromMenu(Qt::Key_E, Qt::Key_M);
  QTest::keyClicks(answer(), QString::number(wrongMeasure()));
  ASSERT_TRUE(tabTo(&canvas()));
  key(Qt::Key_Return);
  EXPECT_EQ(lamp(1), kRed);
  EXPECT_EQ(m_form->series().tryNumber(), 2);
  // From a tool button too: the tool box passes it on.
  ASSERT_TRUE(tabTo(tool("centerProtractorButton")));
  key(Qt::Key_Return);
  EXPECT_EQ(lamp(2), kRed);
  EXPECT_EQ(m_form->series().tryNumber(), 3);
}

TEST_F(KeyboardTest, F1OpensTheHelp) {
  start();
  const auto help = answerNextModal(QStringLiteral("OK"));
  key(Qt::Key_F1);
  ASSERT_TRUE(help->shown);
  EXPECT_TRUE(help->helpTextVisible);
}

}  // namespace
}  // namespace gradoir::test
