// The teaching aids on the real window: the explanation after a wrong try,
// the correction after the third, and what "Suite" and Enter do while the
// protractor glides. The checks of where the protractor ended read it with
// the protractor's own graduations, not with the code that placed it.
#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>
#include <cmath>
#include <numbers>

#include "ui/exercise_chooser.h"
#include "ui/explanation_label.h"
#include "ui/tool_box_placement.h"
#include "raster/geometry.h"
#include "figures/graduation_reading.h"
#include "figures/protractor.h"
#include "figures/random_source.h"
#include "main_window_fixture.h"
#include "modal_answer.h"

namespace gradoir::test {
namespace {

const QByteArray kAidsOn = "[Aide]\nExplications=1\nCorrection=1\n";

class TeachingTest : public MainWindowTest {
 protected:
  ExplanationLabel& explanation() const { return m_form->explanationLabel(); }
  QString shownText() const { return explanation().isVisible() ? explanation().text() : QString(); }

  void waitForTheCorrection() {
    QElapsedTimer clock;
    clock.start();
    while (canvas().correctionRunning() && clock.elapsed() < 5000) QApplication::processEvents();
    ASSERT_FALSE(canvas().correctionRunning());
  }

  // A pencil stroke from the press to the release at `p`, as the pupil draws.
  void drawTo(QPointF p) {
    tool("pencilButton")->click();
    auto send = [this, p](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
      QMouseEvent e(type, p, canvas().mapToGlobal(p), button, held, Qt::NoModifier);
      QApplication::sendEvent(&canvas(), &e);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
  }

  // The place where the pupil's side ends when it makes `degrees` with the
  // first side, turned the way the right second side turns.
  QPointF sideAt(std::int32_t degrees) const {
    const AngleFigure& a = *canvas().angle();
    const long double vx = a.vertex().x, vy = a.vertex().y;
    const long double first = std::atan2(a.firstEnd().y - vy, a.firstEnd().x - vx);
    const long double right = std::atan2(a.generatedEnd().y - vy, a.generatedEnd().x - vx);
    const long double way = std::sin(right - first) >= 0 ? 1 : -1;
    const long double d = first + way * degrees * std::numbers::pi_v<long double> / 180.0L;
    return {static_cast<double>(vx + 150 * std::cos(d)), static_cast<double>(vy + 150 * std::sin(d))};
  }

  // The explanation lies clear of the tool box and of both sides.
  void expectClearOfTheAngle() {
    const QRect g = explanation().geometry();
    const Rect r{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    const SideBounds sides = canvas().sideBounds();
    EXPECT_FALSE(rectsOverlap(r, sides.first));
    EXPECT_FALSE(rectsOverlap(r, sides.second));
    EXPECT_FALSE(g.intersects(toolBox().geometry()));
    EXPECT_TRUE(QRect(QPoint(0, 0), canvas().size()).contains(g));
    EXPECT_GE(explanation().font().pixelSize(), label("statementLabel")->font().pixelSize());
  }

  // After the correction: the centre exactly on the vertex, the 0 of the
  // marked scale on the first side, and the marked graduation under the
  // right second side, equal to `measure`.
  void expectProtractorLaidOnTheAngle(PointF rightEnd, std::int32_t measure) {
    const AngleFigure& a = *canvas().angle();
    const std::optional<ProtractorPose> pose = canvas().protractorPose();
    ASSERT_TRUE(pose);
    EXPECT_EQ(pose->centreX, a.vertex().x);
    EXPECT_EQ(pose->centreY, a.vertex().y);
    const std::optional<ReadingMark> mark = canvas().markedReading();
    ASSERT_TRUE(mark);
    EXPECT_EQ(scaleWithZeroToward(*pose, a.firstEnd().x, a.firstEnd().y, 0.01L), mark->scale);
    EXPECT_EQ(graduationUnder(*pose, mark->scale, rightEnd.x, rightEnd.y), measure);
    EXPECT_EQ(mark->graduation, measure);
  }
};

TEST_F(TeachingTest, ThreeWrongMeasuresExplainThenCorrect) {
  const ScopedSeedProvider seed([] { return 4242u; });
  start("[NbEx/Serie]\nMesurer=5\n" + kAidsOn);
  action("measureAction")->trigger();
  const std::int32_t m = canvas().angleMeasure().value_or(0);
  EXPECT_FALSE(explanation().isVisible());

  type(QStringLiteral("181"));
  EXPECT_EQ(shownText(), QStringLiteral("Un angle tracé ici mesure entre 0° et 180°."));
  expectClearOfTheAngle();
  // Read by screen readers.
  QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(&explanation());
  ASSERT_NE(a11y, nullptr);
  EXPECT_EQ(a11y->text(QAccessible::Name), explanation().text());

  // The protractor still lies at the canvas centre, away from the vertex.
  const PointF v = canvas().angle()->vertex();
  ASSERT_GT(std::hypot(v.x - canvas().protractorPose()->centreX, v.y - canvas().protractorPose()->centreY),
            3);
  const std::int32_t farOff = m > 90 ? 10 : 170;
  ASSERT_GT(std::abs(farOff - (180 - m)), 1);
  type(QString::number(farOff));
  EXPECT_EQ(shownText(), QStringLiteral("Pose le centre du rapporteur sur le sommet de l'angle."));
  EXPECT_EQ(m_form->series().tryNumber(), 3);
  // Typing again clears it.
  QTest::keyClicks(answer(), QStringLiteral("1"));
  EXPECT_FALSE(explanation().isVisible());

  type(QString::number(farOff));
  EXPECT_EQ(shownText(), QStringLiteral("La bonne mesure était de %1°.").arg(m));
  EXPECT_TRUE(canvas().correctionRunning());
  EXPECT_EQ(lamp(3), kRed);
  waitForTheCorrection();
  expectProtractorLaidOnTheAngle(canvas().angle()->secondEnd(), m);
  EXPECT_TRUE(button("nextButton")->isEnabled());
  EXPECT_EQ(shownText(), QStringLiteral("La bonne mesure était de %1°.").arg(m));

  // The next exercise starts without any of it.
  button("nextButton")->click();
  EXPECT_FALSE(explanation().isVisible());
  EXPECT_FALSE(canvas().markedReading());
}

TEST_F(TeachingTest, WellPlacedProtractorGetsTheSupplementRule) {
  const ScopedSeedProvider seed([] { return 777u; });
  start(kAidsOn);
  action("measureAction")->trigger();
  const std::int32_t m = canvas().angleMeasure().value_or(0);
  ASSERT_GT(std::abs(m - 90), 3);
  type(QString::number(180 - m));
  EXPECT_EQ(shownText(),
            QStringLiteral("Tu as lu la mauvaise graduation : pars du 0 posé sur un côté de l'angle."));
  // Off by more than the small graduations, read from a protractor whose
  // centre was dragged onto the vertex: the 0 line is still the pupil's.
  const PointF v = canvas().angle()->vertex();
  const std::int32_t far = m > 90 ? m - 30 : m + 30;
  canvas().protractorLayer().setLocation({v.x - 241, v.y - 241, v.x + 241, v.y + 241});
  type(QString::number(far));
  const bool zeroOnASide = scaleWithZeroToward(*canvas().protractorPose(), canvas().angle()->firstEnd().x,
                                               canvas().angle()->firstEnd().y, 1.0L) ||
                           scaleWithZeroToward(*canvas().protractorPose(), canvas().angle()->secondEnd().x,
                                               canvas().angle()->secondEnd().y, 1.0L);
  EXPECT_EQ(shownText(), zeroOnASide
                             ? QStringLiteral("Lis la graduation où passe le second côté, en partant du 0.")
                             : QStringLiteral("Pose la ligne du 0 du rapporteur sur un côté de l'angle."));
}

TEST_F(TeachingTest, SuiteDuringTheGlideGoesOnAtOnce) {
  start("[NbEx/Serie]\nMesurer=5\n" + kAidsOn);
  action("measureAction")->trigger();
  for (int i = 0; i < 3; ++i) answerWrong();
  ASSERT_TRUE(canvas().correctionRunning());
  button("nextButton")->click();
  EXPECT_FALSE(canvas().correctionRunning());
  EXPECT_EQ(m_form->series().exerciseNumber(), 2);
  EXPECT_EQ(m_form->series().tryNumber(), 1);
  EXPECT_EQ(lamp(1), kWhite);
  EXPECT_FALSE(explanation().isVisible());
  EXPECT_FALSE(canvas().markedReading());
  EXPECT_EQ(canvas().protractor().orientation(), 0);
  EXPECT_EQ(canvas().protractorPose()->centreX, 500);
  // Enter does the same.
  for (int i = 0; i < 3; ++i) answerWrong();
  ASSERT_TRUE(canvas().correctionRunning());
  pressEnterOnFocus();
  EXPECT_FALSE(canvas().correctionRunning());
  EXPECT_EQ(m_form->series().exerciseNumber(), 3);
  EXPECT_TRUE(button("checkButton")->isEnabled());
}

// The pupil reads the last correction until "Suite" or Enter; the start
// screen then stands on an empty canvas, without the tool box or the note.
TEST_F(TeachingTest, TheLastCorrectionWaitsForThePupilThenTheStartScreenIsClear) {
  for (const bool byEnter : {false, true}) {
    start("[NbEx/Serie]\nMesurer=1\n" + kAidsOn);
    action("measureAction")->trigger();
    const auto seen = answerNextModal(QStringLiteral("OK"));
    for (int i = 0; i < 3; ++i) answerWrong();
    ASSERT_TRUE(canvas().correctionRunning());
    canvas().finishCorrection();  // the glide ends
    QTest::qWait(50);
    EXPECT_FALSE(seen->shown);
    EXPECT_TRUE(canvas().markedReading());
    EXPECT_TRUE(m_form->explanationLabel().isVisible());
    ASSERT_TRUE(button("nextButton")->isEnabled());
    if (byEnter) {
      pressEnterOnFocus();
    } else {
      button("nextButton")->click();
    }
    EXPECT_TRUE(seen->shown) << byEnter;
    EXPECT_TRUE(m_form->chooser().isVisible());
    EXPECT_FALSE(toolBox().isVisible());
    EXPECT_FALSE(m_form->explanationLabel().isVisible());
    const QImage picture = canvas().grab().toImage().convertToFormat(QImage::Format_RGB32);
    int stale = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) stale += picture.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_EQ(stale, 0) << byEnter;
  }
}

TEST_F(TeachingTest, EnterDuringTheLastGlideEndsItAndShowsTheBox) {
  start("[NbEx/Serie]\nMesurer=1\n" + kAidsOn);
  action("measureAction")->trigger();
  const auto seen = answerNextModal(QStringLiteral("OK"));
  for (int i = 0; i < 3; ++i) answerWrong();
  ASSERT_TRUE(canvas().correctionRunning());
  pressEnterOnFocus();
  EXPECT_FALSE(canvas().correctionRunning());
  EXPECT_TRUE(seen->shown);
}

TEST_F(TeachingTest, CentringDuringTheLastGlideLeavesTheEndToSuite) {
  start("[NbEx/Serie]\nMesurer=1\n" + kAidsOn);
  action("measureAction")->trigger();
  const auto seen = answerNextModal(QStringLiteral("OK"));
  for (int i = 0; i < 3; ++i) answerWrong();
  ASSERT_TRUE(canvas().correctionRunning());
  tool("centerProtractorButton")->click();
  EXPECT_FALSE(canvas().correctionRunning());
  EXPECT_EQ(canvas().protractorPose()->centreX, 500);
  EXPECT_FALSE(seen->shown);
  button("nextButton")->click();
  EXPECT_TRUE(seen->shown);
}

TEST_F(TeachingTest, DrawingExplainsThenShowsTheRightSideInGreen) {
  const ScopedSeedProvider seed([] { return 99u; });
  start("[NbEx/Serie]\nTracer=5\n" + kAidsOn);
  action("drawAction")->trigger();
  const std::int32_t n = m_form->series().targetMeasure();
  ASSERT_GT(std::abs(n - 90), 3);

  // Checked before drawing: told what to do, no try used.
  button("checkButton")->click();
  EXPECT_EQ(shownText(), QStringLiteral("Trace le second côté avec le crayon, en partant du sommet."));
  EXPECT_EQ(m_form->series().tryNumber(), 1);
  EXPECT_EQ(lamp(1), kWhite);

  drawTo(sideAt(180 - n));
  EXPECT_FALSE(explanation().isVisible());  // drawing again clears it
  button("checkButton")->click();
  EXPECT_EQ(shownText(),
            QStringLiteral("Tu as suivi la mauvaise graduation : pars du 0 posé sur le premier côté."));
  expectClearOfTheAngle();

  drawTo(sideAt(n + 1));
  button("checkButton")->click();
  // The protractor never left the canvas centre.
  EXPECT_EQ(shownText(), QStringLiteral("Pose le centre du rapporteur sur le sommet de l'angle."));

  const QPointF last = sideAt(n + 20);
  drawTo(last);
  button("checkButton")->click();
  EXPECT_EQ(shownText(), QStringLiteral("Voici un angle de %1°.").arg(n));
  waitForTheCorrection();
  expectProtractorLaidOnTheAngle(canvas().angle()->generatedEnd(), n);
  // The right side in green, the pupil's last one still there, dark.
  const AngleFigure& a = *canvas().angle();
  const Bitmap32& picture = canvas().angleLayer().bitmap();
  const Color32 right =
      picture.pixelAt(static_cast<std::int32_t>(std::lround((a.vertex().x + a.generatedEnd().x) / 2)),
                      static_cast<std::int32_t>(std::lround((a.vertex().y + a.generatedEnd().y) / 2)));
  EXPECT_GT((right >> 8) & 0xFF, (right >> 16) & 0xFF);
  EXPECT_GT((right >> 8) & 0xFF, right & 0xFF);
  const PointF pupil = a.secondEnd();
  EXPECT_NEAR(pupil.x, last.x(), 2);
  const Color32 drawn = picture.pixelAt(static_cast<std::int32_t>(std::lround((a.vertex().x + pupil.x) / 2)),
                                        static_cast<std::int32_t>(std::lround((a.vertex().y + pupil.y) / 2)));
  EXPECT_LT((drawn >> 8) & 0xFF, 0xC0u);
}

TEST_F(TeachingTest, MissingSectionMeansBothAidsOn) {
  start("[Aide]\n");
  EXPECT_EQ(m_form->series().teaching(), (TeachingSettings{true, true}));
}

TEST(ExplanationPlace, BesideTheToolBoxUnlessTheAngleIsThere) {
  const QRect box(8, 8, 209, 89);
  const QSize canvas(1000, 700), size(200, 40);
  EXPECT_EQ(explanationPlace(size, box, canvas, {}), QPoint(223, 8));
  // A side right of the tool box: below it.
  EXPECT_EQ(explanationPlace(size, box, canvas, {{300, 0, 300, 400}}), QPoint(8, 103));
  // Right and below taken, no room on the left or above: a corner.
  EXPECT_EQ(explanationPlace(size, box, canvas, {{250, 0, 250, 400}, {0, 120, 240, 120}}), QPoint(792, 8));
  // Every corner and side taken: somewhere on the grid, clear of it all.
  const std::vector<Rect> avoid{{0, 0, 1000, 60}, {0, 640, 1000, 700}, {0, 0, 300, 700}, {700, 0, 1000, 700}};
  const QPoint p = explanationPlace(size, box, canvas, avoid);
  const Rect r{p.x(), p.y(), p.x() + 200, p.y() + 40};
  for (const Rect& a : avoid) EXPECT_FALSE(rectsOverlap(r, a));
  // No room at all: below the tool box.
  EXPECT_EQ(explanationPlace(size, box, QSize(150, 100), {}), QPoint(8, 103));
  // What is better avoided is, where there is room: the protractor's disc.
  const std::vector<Rect> disc{{220, 0, 700, 480}};
  EXPECT_EQ(explanationPlace(size, box, canvas, {}, disc), QPoint(8, 103));
  EXPECT_EQ(explanationPlace(size, box, canvas, {}, {{0, 0, 1000, 700}}), QPoint(223, 8));
}

// The note never hides a grab zone of the protractor, and a press where it
// lies reaches the canvas all the same.
TEST_F(TeachingTest, TheNoteLetsPressesThroughAndAvoidsTheProtractor) {
  start("[NbEx/Serie]\nMesurer=0\n" + kAidsOn);
  action("measureAction")->trigger();
  for (int exercise = 0; exercise < 6; ++exercise) {
    // An end of the protractor left where the note would go first, right of
    // the tool box.
    const GrabZone end = exercise % 2 == 0 ? GrabZone::ZeroEnd : GrabZone::End180;
    const Rect zone = canvas().protractor().grabZone(end);
    const QRect box = toolBox().geometry();
    canvas().scene().moveBy(box.right() + 40 - (zone.left + zone.right) / 2,
                            box.top() + 12 - (zone.top + zone.bottom) / 2);
    answerWrong();
    ASSERT_TRUE(explanation().isVisible());
    const QRect g = explanation().geometry();
    const Rect note{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    for (const GrabZone zone : kGrabZones)
      EXPECT_FALSE(rectsOverlap(note, canvas().protractor().grabZone(zone))) << exercise;
    answerRight();
    button("nextButton")->click();
  }
  answerWrong();
  // Laid over the zero end on purpose: the press still turns the protractor.
  const Rect end = canvas().protractor().grabZone(GrabZone::ZeroEnd);
  const QPoint press((end.left + end.right) / 2, (end.top + end.bottom) / 2);
  explanation().move(press - QPoint(10, 10));
  ASSERT_TRUE(explanation().geometry().contains(press));
  QTest::mousePress(m_form->windowHandle(), Qt::LeftButton, {}, canvas().mapTo(m_form.get(), press));
  EXPECT_EQ(canvas().activeZone(), GrabZone::ZeroEnd);
  QTest::mouseRelease(m_form->windowHandle(), Qt::LeftButton, {}, canvas().mapTo(m_form.get(), press));
}

}  // namespace
}  // namespace gradoir::test
