// Levels in the window: the measures asked, the protractor laid on the
// angle and the estimate asked first, as the pupil sees them. Their rules
// are the series controller's, tested with it (tests/series).
#include <QTest>

#include "figures/protractor.h"
#include "figures/protractor_placement.h"
#include "main_window_fixture.h"
#include "modal_answer.h"
#include "ui/explanation_label.h"

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

// Accepted within the tolerance, the pupil learns the exact measure; an
// exact answer needs no more words.
TEST_F(MainWindowTest, AnAnswerWithinTheToleranceIsToldTheExactMeasure) {
  start("[NbEx/Serie]\nMesurer=3\n[Angle]\nTolerance=2\n");
  action("measureAction")->trigger();
  const int measure = canvas().angleMeasure().value_or(0);
  type(QString::number(measure - 2));
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Bonne réponse !"));
  EXPECT_TRUE(m_form->explanationLabel().isVisible());
  EXPECT_EQ(m_form->explanationLabel().text(), QStringLiteral("Bonne réponse ! La mesure exacte est %1°.").arg(measure));
  button("nextButton")->click();
  answerRight();
  EXPECT_FALSE(m_form->explanationLabel().isVisible());
}

// Laid on the angle with its 0 on either side, and within the pupil's reach:
// every grab zone on the canvas, the centre clear of the tool box, also
// after the window shrinks to its smallest.
TEST_F(MainWindowTest, PlacedProtractorStartsEveryMeasuringExerciseOnTheAngle) {
  start("[NbEx/Serie]\nMesurer=0\n[Angle]\nRapporteurPlace=1\n");
  action("measureAction")->trigger();
  const auto expectWithinReach = [this](int exercise) {
    const QRect onCanvas(QPoint(0, 0), canvas().size());
    for (const GrabZone zone : kGrabZones) {
      const Rect z = canvas().protractor().grabZone(zone);
      EXPECT_TRUE(onCanvas.contains(QRect(QPoint(z.left, z.top), QPoint(z.right, z.bottom)))) << exercise;
    }
    const Rect c = canvas().protractor().grabZone(GrabZone::Centre);
    EXPECT_FALSE(toolBox().geometry().contains(QPoint((c.left + c.right) / 2, (c.top + c.bottom) / 2))) << exercise;
  };
  for (int exercise = 1; exercise <= 30; ++exercise) {
    const AngleFigure& angle = *canvas().angle();
    const RectF at = canvas().protractorLayer().location();
    const int r = canvas().protractor().radius();
    EXPECT_EQ(at.left + r + 1, angle.vertex().x);
    EXPECT_EQ(at.top + r + 1, angle.vertex().y);
    const std::int64_t o = canvas().protractor().orientation();
    EXPECT_TRUE(o == protractorOnAngle(angle.vertex(), angle.firstEnd(), angle.secondEnd()).pose.orientation ||
                o == protractorOnAngle(angle.vertex(), angle.secondEnd(), angle.firstEnd()).pose.orientation)
        << exercise;
    EXPECT_TRUE(canvas().protractorLayer().visible());
    expectWithinReach(exercise);
    if (exercise % 10 == 0) {
      m_form->resize(m_form->minimumSize());
      QTest::qWait(20);
      expectWithinReach(exercise);
      m_form->resize(1000, 700);
      QTest::qWait(20);
    }
    answerRight();
    button("nextButton")->click();
  }
}

TEST_F(MainWindowTest, EstimateFirstThenMeasure) {
  start("[NbEx/Serie]\nMesurer=3\n[Angle]\nEstimation=1\n");
  action("measureAction")->trigger();
  EXPECT_FALSE(canvas().protractorLayer().visible());
  EXPECT_FALSE(tool("protractorButton")->isEnabled());
  // In the statement's own font, the whole question in the note.
  EXPECT_EQ(label("statementLabel")->text(), QStringLiteral("Estimation :       °"));
  const QFont estimateFont = label("statementLabel")->font();
  EXPECT_EQ(m_form->explanationLabel().text(),
            QStringLiteral("Estime la mesure de l'angle, sans le rapporteur, puis tape-la."));
  EXPECT_TRUE(answer()->isVisible());

  // The verdict in the note: no box over the angle.
  const int measure = canvas().angleMeasure().value_or(0);
  type(QString::number(measure + 15));
  EXPECT_TRUE(noModalOpen());
  EXPECT_TRUE(m_form->explanationLabel().isVisible());
  EXPECT_EQ(m_form->explanationLabel().text(), QStringLiteral("Bonne estimation !"));
  EXPECT_TRUE(canvas().protractorLayer().visible());
  EXPECT_TRUE(tool("protractorButton")->isEnabled());
  EXPECT_TRUE(tool("protractorButton")->isChecked());
  EXPECT_EQ(label("statementLabel")->text(), QStringLiteral("Mesure l'angle tracé :       °"));
  EXPECT_EQ(label("statementLabel")->font(), estimateFont);  // not narrowed
  // Not scored: no lamp lit, no score.
  EXPECT_EQ(lamp(1), kWhite);
  EXPECT_TRUE(label("scoreLabel")->text().isEmpty());
  EXPECT_TRUE(answer()->text().isEmpty());

  answerRight();
  button("nextButton")->click();
  EXPECT_FALSE(canvas().protractorLayer().visible());
  type(QString::number(canvas().angleMeasure().value_or(0) + 16));
  EXPECT_EQ(m_form->explanationLabel().text(), QStringLiteral("Ton estimation était loin : mesure maintenant."));
  EXPECT_EQ(lamp(1), kWhite);
}

TEST_F(MainWindowTest, LeavingAnEstimateForADrawingSeriesGivesTheProtractorBack) {
  start("[Angle]\nEstimation=1\n");
  action("measureAction")->trigger();
  ASSERT_EQ(m_form->series().state(), SeriesState::Estimating);
  const auto seen = answerNextModal(QStringLiteral("&Oui"));
  action("drawAction")->trigger();
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(m_form->series().state(), SeriesState::Trying);
  EXPECT_TRUE(tool("protractorButton")->isEnabled());
  EXPECT_TRUE(tool("protractorButton")->isChecked());
  EXPECT_TRUE(tool("centerProtractorButton")->isEnabled());
  EXPECT_TRUE(canvas().protractorLayer().visible());
}

TEST_F(MainWindowTest, EstimateWithPlacedProtractorShowsItPlacedAfterwards) {
  start("[Angle]\nEstimation=1\nRapporteurPlace=1\n");
  action("measureAction")->trigger();
  EXPECT_FALSE(canvas().protractorLayer().visible());
  type(QStringLiteral("90"));
  const AngleFigure& angle = *canvas().angle();
  EXPECT_TRUE(canvas().protractorLayer().visible());
  EXPECT_EQ(canvas().protractorLayer().location().left + canvas().protractor().radius() + 1, angle.vertex().x);
}

}  // namespace
}  // namespace gradoir::test
