// The window on small and large screens: never smaller than the protractor
// (unless the screen is), an exercise that stays inside and unchanged while
// the window is resized, a tool box that stays inside, the chooser on the
// idle canvas and the series progress in the status bar. CTest runs this
// program on screens of 800 x 600, 1024 x 600 and 640 x 480.
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include "series/series_status.h"
#include "app/window_minimum.h"
#include "figures/protractor.h"
#include "main_window_fixture.h"
#include "modal_answer.h"
#include "raster/geometry.h"
#include "ui/exercise_chooser.h"

namespace gradoir::test {
namespace {

TEST(WindowMinimum, HoldsTheProtractorUnlessTheScreenIsSmaller) {
  EXPECT_EQ(minimumWindowSize({502, 502}, {0, 45}, {1280, 770}, {0, 0}), QSize(502, 547));
  // The window manager's frame counts against the work area.
  EXPECT_EQ(minimumWindowSize({502, 502}, {0, 45}, {800, 540}, {2, 28}), QSize(502, 512));
  EXPECT_EQ(minimumWindowSize({502, 502}, {0, 45}, {480, 320}, {4, 30}), QSize(476, 290));
  EXPECT_EQ(minimumWindowSize({502, 502}, {-3, 45}, {0, 0}, {0, 0}), QSize(0, 0));
}

TEST(SeriesProgress, TellsTheExerciseAndTheSeriesLength) {
  EXPECT_EQ(seriesProgressText(3, 10), QStringLiteral("Exercice 3 sur 10"));
  EXPECT_EQ(seriesProgressText(1, 1), QStringLiteral("Exercice 1 sur 1"));
  // An endless series has no total.
  EXPECT_EQ(seriesProgressText(12, 0), QStringLiteral("Exercice 12"));
  EXPECT_EQ(seriesProgressText(2, -3), QStringLiteral("Exercice 2"));
}

class FittingTest : public MainWindowTest {
 protected:
  QRect screenArea() const { return m_form->screen()->availableGeometry(); }
  QRect canvasRect() const { return QRect(QPoint(0, 0), canvas().size()); }

  void resizeWindow(QSize size) {
    m_form->resize(size);
    QApplication::sendPostedEvents();
    QApplication::processEvents();
  }

  bool roundsInsideCanvas(PointF p) const {
    const Point q = roundPoint(p);
    return canvasRect().contains(q.x, q.y);
  }

  void expectExerciseInside(const char* when) {
    const AngleFigure& angle = *canvas().angle();
    EXPECT_TRUE(roundsInsideCanvas(angle.vertex())) << when;
    EXPECT_TRUE(roundsInsideCanvas(angle.firstEnd())) << when;
    EXPECT_TRUE(roundsInsideCanvas(angle.generatedEnd())) << when;
    EXPECT_TRUE(roundsInsideCanvas(angle.secondEnd())) << when;
    const RectF at = canvas().protractorLayer().location();
    const float r = canvas().protractor().radius() + 1;
    EXPECT_TRUE(roundsInsideCanvas({at.left + r, at.top + r})) << when << ": protractor centre";
    // The tool box's title bar at least, the whole box where it fits.
    const QRect box = toolBox().geometry();
    EXPECT_TRUE(canvasRect().contains(QRect(box.topLeft(), QSize(17, box.height()))) ||
                box.height() > canvas().height())
        << when;
    if (box.width() <= canvas().width() && box.height() <= canvas().height()) {
      EXPECT_TRUE(canvasRect().contains(box)) << when;
    }
  }

  // Sizes a pupil's window goes through: the smallest, a netbook's, the
  // screen's work area.
  std::vector<QSize> sizes() const {
    return {QSize(1, 1), QSize(1024, 600), QSize(800, 600), QSize(640, 480), screenArea().size()};
  }
};

TEST_F(FittingTest, WindowNeverSmallerThanTheProtractorUnlessTheScreenIs) {
  start();
  resizeWindow(QSize(120, 90));
  const QSize screen = screenArea().size();
  const QSize chrome = m_form->size() - canvas().size();
  // What the screen leaves for the window within its frame.
  const QSize room = screen - (m_form->frameGeometry().size() - m_form->size());
  EXPECT_GE(canvas().width(), std::min(502, room.width() - chrome.width()));
  EXPECT_GE(canvas().height(), std::min(502, room.height() - chrome.height()));
  EXPECT_LE(m_form->frameGeometry().height(), std::max(502 + chrome.height(), screen.height()));
  // Never more than the screen can show.
  EXPECT_LE(m_form->minimumHeight(), screen.height());
  EXPECT_LE(m_form->minimumWidth(), screen.width());
}

TEST_F(FittingTest, ResizingDuringAMeasuringExerciseKeepsItInsideAndUnchanged) {
  start("[NbEx/Serie]\nMesurer=3\n");
  resizeWindow(screenArea().size());
  action("measureAction")->trigger();
  answerWrong();
  const std::optional<std::int32_t> measure = canvas().angleMeasure();
  const QString statement = label("statementLabel")->text();
  // The pupil left the tool box at the bottom right.
  toolBox().move(canvas().width() - toolBox().width() - 8, canvas().height() - toolBox().height() - 8);
  for (QSize size : sizes()) {
    resizeWindow(size);
    const std::string when = std::to_string(size.width()) + "x" + std::to_string(size.height());
    expectExerciseInside(when.c_str());
    EXPECT_EQ(canvas().angleMeasure(), measure) << when;
    EXPECT_EQ(m_form->series().tryNumber(), 2) << when;
    EXPECT_EQ(m_form->series().exerciseNumber(), 1) << when;
    EXPECT_EQ(label("statementLabel")->text(), statement);
    EXPECT_EQ(lamp(1), kRed);
    EXPECT_EQ(m_form->progressText(), QStringLiteral("Exercice 1 sur 3"));
  }
  answerRight();
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Bonne réponse !"));
}

TEST_F(FittingTest, ResizingDuringADrawingExerciseKeepsTheDrawnSide) {
  start();
  resizeWindow(screenArea().size());
  action("drawAction")->trigger();
  const std::int32_t target = m_form->series().targetMeasure();
  drawSide(-target);
  for (QSize size : sizes()) {
    resizeWindow(size);
    expectExerciseInside("drawing");
    EXPECT_EQ(canvas().angleMeasure(), -target);
    EXPECT_EQ(m_form->series().targetMeasure(), target);
  }
  pressEnterOnFocus();
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Bonne réponse !"));
}

TEST_F(FittingTest, IdleCanvasOffersBothExercisesWithLargeButtons) {
  start();
  ExerciseChooser& chooser = m_form->chooser();
  ASSERT_TRUE(chooser.isVisible());
  EXPECT_EQ(chooser.parentWidget(), canvas().parentWidget());
  EXPECT_EQ(chooser.title()->text(), QStringLiteral("Choisis un exercice :"));
  EXPECT_EQ(chooser.measureButton()->text(), QStringLiteral("Mesurer un angle"));
  EXPECT_EQ(chooser.drawButton()->text(), QStringLiteral("Tracer un angle"));
  for (const QToolButton* button : {chooser.measureButton(), chooser.drawButton()}) {
    EXPECT_GE(button->height(), 48);
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_GE(button->icon().actualSize(button->iconSize()).width(), 32) << "enlarged picture";
  }
  // Centred over the canvas, within it.
  EXPECT_TRUE(canvas().geometry().contains(chooser.geometry()));
  EXPECT_LE(std::abs(chooser.geometry().center().x() - canvas().geometry().center().x()), 1);
  EXPECT_LE(std::abs(chooser.geometry().center().y() - canvas().geometry().center().y()), 1);
  EXPECT_TRUE(m_form->progressText().isEmpty());
  // It follows the window.
  resizeWindow(QSize(640, 480));
  EXPECT_TRUE(canvas().geometry().contains(chooser.geometry()));
}

TEST_F(FittingTest, ChooserButtonsStartWhatTheMenuItemsStart) {
  start();
  QTest::mouseClick(m_form->chooser().measureButton(), Qt::LeftButton);
  EXPECT_TRUE(m_form->series().seriesRunning());
  EXPECT_FALSE(m_form->chooser().isVisible());
  EXPECT_FALSE(answer()->isHidden());
  EXPECT_EQ(label("statementLabel")->text(), QStringLiteral("Mesure l'angle tracé :       °"));
  EXPECT_EQ(m_form->progressText(), QStringLiteral("Exercice 1 sur 10"));

  // A series in progress: the button asks before abandoning it, as the menu does.
  const auto seen = answerNextModal(QStringLiteral("&Oui"));
  m_form->chooser().drawButton()->click();
  EXPECT_TRUE(seen->shown);
  EXPECT_TRUE(answer()->isHidden());
  EXPECT_TRUE(label("statementLabel")->text().startsWith(QStringLiteral("Trace un angle de ")));
  EXPECT_TRUE(tool("pencilButton")->isEnabled());
}

TEST_F(FittingTest, ChooserAndProgressThroughASeries) {
  start("[NbEx/Serie]\nMesurer=2\n");
  m_form->chooser().measureButton()->click();
  EXPECT_EQ(m_form->progressText(), QStringLiteral("Exercice 1 sur 2"));
  answerRight();
  EXPECT_EQ(m_form->progressText(), QStringLiteral("Exercice 1 sur 2"));
  pressEnterOnFocus();  // next
  EXPECT_EQ(m_form->progressText(), QStringLiteral("Exercice 2 sur 2"));
  EXPECT_FALSE(m_form->chooser().isVisible());
  {
    const auto seen = answerNextModal(QStringLiteral("OK"));
    answerWrong();
    answerWrong();
    answerWrong();
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("La série d'exercices est terminée."));
  }
  EXPECT_FALSE(m_form->series().seriesRunning());
  EXPECT_TRUE(m_form->chooser().isVisible());
  EXPECT_TRUE(m_form->progressText().isEmpty());
  // The score and verdict keep their texts.
  EXPECT_EQ(label("scoreLabel")->text(), QStringLiteral("1/2"));
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Erreur ..."));
  // The next series starts without a question.
  const auto asked = answerNextModal(QStringLiteral("&Non"));
  m_form->chooser().drawButton()->click();
  EXPECT_FALSE(asked->shown);
  EXPECT_EQ(m_form->progressText(), QStringLiteral("Exercice 1 sur 10"));
}

TEST_F(FittingTest, EndlessSeriesCountsWithoutATotal) {
  start("[NbEx/Serie]\nMesurer=0\n");
  action("measureAction")->trigger();
  EXPECT_EQ(m_form->progressText(), QStringLiteral("Exercice 1"));
  answerRight();
  pressEnterOnFocus();
  EXPECT_EQ(m_form->progressText(), QStringLiteral("Exercice 2"));
}

}  // namespace
}  // namespace gradoir::test
