// Levels in the window: the measures asked, the tolerance of both kinds of
// answer, the protractor laid on the angle and the estimate asked first.
#include <QTest>

#include "series/series_log.h"
#include "figures/protractor.h"
#include "figures/protractor_placement.h"
#include "main_window_fixture.h"
#include "modal_answer.h"

namespace gradoir::test {
namespace {

TEST_F(MainWindowTest, StepAndRangeBoundTheMeasuresAsked) {
  start("[NbEx/Serie]\nMesurer=0\nTracer=0\n[Angle]\nPas=10\nMesureMin=40\nMesureMax=80\n");
  action("measureAction")->trigger();
  for (int exercise = 0; exercise < 25; ++exercise) {
    const std::int32_t m = canvas().angleMeasure().value_or(-1);
    EXPECT_TRUE(m == 40 || m == 50 || m == 60 || m == 70 || m == 80) << m;
    answerRight();
    button("nextButton")->click();
  }
  // The drawing exercises ask for the same measures.
  const auto seen = answerNextModal(QStringLiteral("&Oui"));
  action("drawAction")->trigger();
  EXPECT_EQ(m_form->series().targetMeasure() % 10, 0);
  EXPECT_GE(m_form->series().targetMeasure(), 40);
  EXPECT_LE(m_form->series().targetMeasure(), 80);
}

TEST_F(MainWindowTest, ToleranceAcceptsMeasuresThatCloseEitherWay) {
  start("[NbEx/Serie]\nMesurer=0\n[Angle]\nTolerance=2\n");
  action("measureAction")->trigger();
  struct Case {
    int offset;
    bool right;
  };
  for (const Case c : {Case{2, true}, Case{-2, true}, Case{0, true}, Case{3, false}, Case{-3, false}}) {
    const int measure = canvas().angleMeasure().value_or(0);
    type(QString::number(measure + c.offset));
    EXPECT_EQ(label("verdictLabel")->text(),
              c.right ? QStringLiteral("Bonne réponse !") : QStringLiteral("Erreur ..."))
        << c.offset;
    // Finish the exercise and go on to the next.
    if (!c.right) {
      type(QString::number(measure + 30));
      type(QString::number(measure + 30));
    }
    button("nextButton")->click();
  }
}

TEST_F(MainWindowTest, ToleranceForADrawnAngle) {
  start("[NbEx/Serie]\nTracer=0\n[Angle]\nTolerance=1\n");
  action("drawAction")->trigger();
  const int target = m_form->series().targetMeasure();
  drawSide(-(target + 2));
  button("checkButton")->click();
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Erreur ..."));
  drawSide(target - 1);
  button("checkButton")->click();
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Bonne réponse !"));
}

TEST_F(MainWindowTest, WithoutToleranceOneDegreeOffIsWrong) {
  start();
  action("measureAction")->trigger();
  type(QString::number(canvas().angleMeasure().value_or(0) + 1));
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Erreur ..."));
}

TEST_F(MainWindowTest, PlacedProtractorStartsEveryMeasuringExerciseOnTheAngle) {
  start("[NbEx/Serie]\nMesurer=3\n[Angle]\nRapporteurPlace=1\n");
  action("measureAction")->trigger();
  for (int exercise = 1; exercise <= 2; ++exercise) {
    const AngleFigure& angle = *canvas().angle();
    const RectF at = canvas().protractorLayer().location();
    const int r = canvas().protractor().radius();
    EXPECT_EQ(at.left + r + 1, angle.vertex().x);
    EXPECT_EQ(at.top + r + 1, angle.vertex().y);
    EXPECT_EQ(canvas().protractor().orientation(),
              protractorOnAngle(angle.vertex(), angle.firstEnd(), angle.secondEnd()).pose.orientation);
    EXPECT_TRUE(canvas().protractorLayer().visible());
    answerRight();
    button("nextButton")->click();
  }
}

TEST_F(MainWindowTest, PlacedProtractorLeavesDrawingExercisesCentred) {
  start("[Angle]\nRapporteurPlace=1\n");
  action("drawAction")->trigger();
  EXPECT_EQ(canvas().protractor().orientation(), 0);
}

TEST_F(MainWindowTest, EstimateFirstThenMeasure) {
  start("[NbEx/Serie]\nMesurer=3\n[Angle]\nEstimation=1\n");
  action("measureAction")->trigger();
  EXPECT_TRUE((m_form->series().state() == SeriesState::Estimating));
  EXPECT_FALSE(canvas().protractorLayer().visible());
  EXPECT_FALSE(tool("protractorButton")->isEnabled());
  EXPECT_EQ(label("statementLabel")->text(), QStringLiteral("Estime la mesure de l'angle :"));
  EXPECT_TRUE(answer()->isVisible());

  const int measure = canvas().angleMeasure().value_or(0);
  auto seen = answerNextModal(QStringLiteral("OK"));
  type(QString::number(measure + 15));
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->text, QStringLiteral("Bonne estimation !"));
  EXPECT_FALSE((m_form->series().state() == SeriesState::Estimating));
  EXPECT_TRUE(canvas().protractorLayer().visible());
  EXPECT_TRUE(tool("protractorButton")->isEnabled());
  EXPECT_TRUE(tool("protractorButton")->isChecked());
  EXPECT_EQ(label("statementLabel")->text(), QStringLiteral("Mesure l'angle tracé :       °"));
  // Not scored: no try spent, no lamp lit, the score unchanged.
  EXPECT_EQ(m_form->series().tryNumber(), 1);
  EXPECT_EQ(lamp(1), kWhite);
  EXPECT_EQ(m_form->series().successCount(), 0);
  EXPECT_TRUE(answer()->text().isEmpty());

  answerRight();
  EXPECT_EQ(m_form->series().successCount(), 1);
  button("nextButton")->click();
  EXPECT_TRUE((m_form->series().state() == SeriesState::Estimating));
  EXPECT_FALSE(canvas().protractorLayer().visible());
  seen = answerNextModal(QStringLiteral("OK"));
  type(QString::number(canvas().angleMeasure().value_or(0) + 16));
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->text, QStringLiteral("Ton estimation était loin : mesure maintenant."));
  EXPECT_EQ(m_form->series().tryNumber(), 1);
  const ExerciseSummary& second = m_form->series().log().exercises().last();
  EXPECT_EQ(second.estimate, canvas().angleMeasure().value_or(0) + 16);
  EXPECT_TRUE(second.answers.isEmpty());
}

TEST_F(MainWindowTest, LeavingAnEstimateForADrawingSeriesGivesTheProtractorBack) {
  start("[Angle]\nEstimation=1\n");
  action("measureAction")->trigger();
  ASSERT_TRUE((m_form->series().state() == SeriesState::Estimating));
  const auto seen = answerNextModal(QStringLiteral("&Oui"));
  action("drawAction")->trigger();
  ASSERT_TRUE(seen->shown);
  EXPECT_FALSE((m_form->series().state() == SeriesState::Estimating));
  EXPECT_TRUE(tool("protractorButton")->isEnabled());
  EXPECT_TRUE(tool("protractorButton")->isChecked());
  EXPECT_TRUE(tool("centerProtractorButton")->isEnabled());
  EXPECT_TRUE(canvas().protractorLayer().visible());
}

TEST_F(MainWindowTest, EstimateWithPlacedProtractorShowsItPlacedAfterwards) {
  start("[Angle]\nEstimation=1\nRapporteurPlace=1\n");
  action("measureAction")->trigger();
  EXPECT_FALSE(canvas().protractorLayer().visible());
  const auto seen = answerNextModal(QStringLiteral("OK"));
  type(QStringLiteral("90"));
  const AngleFigure& angle = *canvas().angle();
  EXPECT_TRUE(canvas().protractorLayer().visible());
  EXPECT_EQ(canvas().protractorLayer().location().left + canvas().protractor().radius() + 1, angle.vertex().x);
}

TEST_F(MainWindowTest, EndOfSeriesBoxGivesScoreAndTable) {
  start("[NbEx/Serie]\nMesurer=3\n");
  action("measureAction")->trigger();
  QList<int> targets;
  targets << canvas().angleMeasure().value_or(0);
  answerRight();
  button("nextButton")->click();
  targets << canvas().angleMeasure().value_or(0);
  answerWrong();
  answerRight();
  button("nextButton")->click();
  targets << canvas().angleMeasure().value_or(0);
  const int wrong = wrongMeasure();
  answerWrong();
  answerWrong();
  const auto seen = answerNextModal(QStringLiteral("OK"));
  answerWrong();
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->text, QStringLiteral("La série d'exercices est terminée."));
  EXPECT_TRUE(seen->informativeText.contains(QStringLiteral("2 exercices réussis sur 3")))
      << seen->informativeText.toStdString();
  for (int t : targets) EXPECT_TRUE(seen->informativeText.contains(QStringLiteral("%1°").arg(t))) << t;
  EXPECT_TRUE(seen->informativeText.contains(QStringLiteral("%1°, %1°, %1°").arg(wrong)));
  EXPECT_EQ(seen->informativeText.count(QStringLiteral("réussi<")), 2);
  EXPECT_EQ(seen->informativeText.count(QStringLiteral("manqué")), 1);
}

}  // namespace
}  // namespace gradoir::test
