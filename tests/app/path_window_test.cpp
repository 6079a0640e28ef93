// The pupil's path through the real window: chosen from the start screen's
// menu, climbed by right answers, left by failures, and found again when
// the program starts anew on the same results file. The rule itself is
// the series folder's, tested there.
#include <QMenu>
#include <QTest>

#include "main_window_fixture.h"
#include "modal_answer.h"
#include "ui/exercise_chooser.h"
#include "ui/explanation_label.h"

namespace gradoir::test {
namespace {

class PathWindowTest : public MainWindowTest {
 protected:
  void startWithStore() {
    start("[Resultats]\nBase=" + m_dir.filePath(QStringLiteral("résultats.sqlite")).toUtf8() + "\n");
  }
  QString status() const { return m_form->pathStatusText(); }
  QString note() const { return m_form->explanationLabel().isVisible() ? m_form->explanationLabel().text() : QString(); }
  // The exercise answered through the answer box: an estimate first when
  // asked, then right, or wrong three times. The tenth ends the series.
  void play(bool right) {
    std::shared_ptr<ModalSeen> end;
    if (m_form->series().exerciseNumber() == 10) end = answerNextModal(QStringLiteral("OK"));
    if (m_form->series().state() == SeriesState::Estimating) type(QStringLiteral("90"));
    if (right) {
      answerRight();
    } else {
      for (int i = 0; i < 3; ++i) answerWrong();
    }
    if (end) {
      ASSERT_TRUE(end->shown);
    } else {
      button("nextButton")->click();
    }
  }
  void startPathIfOver() {
    if (m_form->series().state() == SeriesState::Over) action("pathMeasureAction")->trigger();
  }
};

TEST_F(PathWindowTest, ARightAnsweringPupilClimbsThenFailuresMoveBackAndARestartKeepsTheLevel) {
  startWithStore();
  // The start screen's third button opens the menu's own path entries.
  QToolButton* path = m_form->chooser().pathButton();
  ASSERT_NE(path->menu(), nullptr);
  EXPECT_TRUE(path->menu()->actions().contains(action("pathMeasureAction")));
  EXPECT_TRUE(path->menu()->actions().contains(action("pathDrawAction")));
  EXPECT_TRUE(path->isVisible());

  action("pathMeasureAction")->trigger();
  const int steps[] = {10, 10, 5, 1, 1};
  for (int exercise = 0; exercise < 16; ++exercise) {
    startPathIfOver();
    const int level = exercise / 4 + 1;
    ASSERT_EQ(status(), QStringLiteral("Parcours mesure — niveau %1 sur 5").arg(level)) << exercise;
    EXPECT_EQ(canvas().angleMeasure().value_or(1) % steps[level - 1], 0) << exercise;
    // Level 1 lays the protractor on the angle; level 5 asks an estimate first.
    const AngleFigure& angle = *canvas().angle();
    const bool laid = canvas().protractorLayer().location().left + canvas().protractor().radius() + 1 ==
                          angle.vertex().x &&
                      canvas().protractorLayer().location().top + canvas().protractor().radius() + 1 ==
                          angle.vertex().y;
    EXPECT_EQ(laid, level == 1) << exercise;
    EXPECT_EQ(m_form->series().state() == SeriesState::Estimating, level == 5) << exercise;
    if (exercise == 8) EXPECT_EQ(note(), QStringLiteral("Bravo ! Niveau 3 : des mesures de 5 en 5 degrés."));
    play(true);
  }
  startPathIfOver();
  EXPECT_EQ(status(), QStringLiteral("Parcours mesure — niveau 5 sur 5"));
  for (int i = 0; i < 3; ++i) play(false);
  startPathIfOver();
  EXPECT_EQ(status(), QStringLiteral("Parcours mesure — niveau 4 sur 5"));
  EXPECT_EQ(note(), QStringLiteral("On revient au niveau 4 pour t'entraîner."));

  // A new start of the program on the same file: the pupil goes on at level 4.
  m_form.reset();
  startWithStore();
  EXPECT_TRUE(status().isEmpty());
  action("pathMeasureAction")->trigger();
  EXPECT_EQ(status(), QStringLiteral("Parcours mesure — niveau 4 sur 5"));
  EXPECT_EQ(note(), QStringLiteral("Niveau 4 : des mesures au degré près."));
  // An ordinary series says nothing of the path.
  const auto abandon = answerNextModal(QStringLiteral("&Oui"));
  action("measureAction")->trigger();
  EXPECT_TRUE(abandon->shown);
  EXPECT_TRUE(status().isEmpty());
}

TEST_F(PathWindowTest, WithoutRecordingThePathStartsAtLevelOneAndSaysSoOnce) {
  start("[Resultats]\nEnregistrer=0\n");
  action("pathDrawAction")->trigger();
  EXPECT_EQ(status(), QStringLiteral("Parcours tracé — niveau 1 sur 4"));
  EXPECT_EQ(note(), QStringLiteral("Ton parcours n'est pas enregistré : il commence au niveau 1."));
  const auto abandon = answerNextModal(QStringLiteral("&Oui"));
  action("pathMeasureAction")->trigger();
  EXPECT_EQ(note(), QStringLiteral("Niveau 1 : le rapporteur est déjà posé, des mesures de 10 en 10 degrés."));
}

}  // namespace
}  // namespace gradoir::test
