// Series of exercises: starting, confirming an abandon, tries and lamps,
// score and its hint, end of series by each kind's own length.
#include <QTest>

#include "main_form_fixture.h"
#include "modal_answer.h"

namespace gradoir::test {
namespace {

TEST_F(MainFormTest, IdleUntilTheFirstChoice) {
  Start();
  EXPECT_TRUE(form_->SeriesOver());
  EXPECT_TRUE(ToolBox().isHidden());
  EXPECT_EQ(Canvas().Angle(), nullptr);
  EXPECT_EQ(form_->Settings(), TSettings{});
}

TEST_F(MainFormTest, FirstChoiceStartsWithoutConfirmation) {
  Start();
  const auto seen = AnswerNextModal(QStringLiteral("&Non"));
  Action("MIMesurer")->trigger();
  EXPECT_FALSE(seen->shown);
  EXPECT_FALSE(form_->SeriesOver());
  EXPECT_FALSE(ToolBox().isHidden());
  EXPECT_TRUE(ToolBox().Expanded());
  EXPECT_EQ(Label("LblEnonce")->text(), QStringLiteral("Mesure l'angle tracé :       °"));
  EXPECT_TRUE(Answer()->isVisibleTo(&ToolBox()));
  EXPECT_TRUE(Answer()->isEnabled());
  EXPECT_TRUE(Answer()->hasFocus());
  EXPECT_GE(Canvas().AngleMeasure(), 5);
  EXPECT_LE(Canvas().AngleMeasure(), 175);
  EXPECT_TRUE(Canvas().isEnabled());
  EXPECT_TRUE(Button("BitBtnCheck")->isEnabled());
  EXPECT_FALSE(Button("BitBtnNext")->isEnabled());
  EXPECT_FALSE(Tool("TBtnDraw")->isEnabled());
  EXPECT_TRUE(Tool("TBtnDraw")->toolTip().isEmpty());
}

TEST_F(MainFormTest, AbandonAnsweredNoChangesNothing) {
  Start();
  Action("MIMesurer")->trigger();
  AnswerWrong();
  const std::int32_t measure = Canvas().AngleMeasure();
  const TAngle* angle = Canvas().Angle();

  const auto seen = AnswerNextModal(QStringLiteral("&Non"));
  Action("MITracer")->trigger();
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->title, QStringLiteral("Confirmation"));
  EXPECT_EQ(seen->text, QStringLiteral("Abandonner la série d'exercices en cours ?"));
  EXPECT_EQ(seen->icon, QMessageBox::Question);
  EXPECT_EQ(seen->buttons, (QStringList{QStringLiteral("&Oui"), QStringLiteral("&Non")}));
  EXPECT_EQ(seen->defaultButton, QStringLiteral("&Oui"));
  EXPECT_EQ(seen->escapeButton, QStringLiteral("&Non"));

  EXPECT_EQ(form_->TryNumber(), 2);
  EXPECT_EQ(form_->ExerciseNumber(), 1);
  EXPECT_EQ(Canvas().Angle(), angle);
  EXPECT_EQ(Canvas().AngleMeasure(), measure);
  EXPECT_EQ(Label("LblEnonce")->text(), QStringLiteral("Mesure l'angle tracé :       °"));
  EXPECT_FALSE(Answer()->isHidden());
  EXPECT_EQ(Lamp(1), kRed);
}

TEST_F(MainFormTest, AbandonByEscapeCountsAsNo) {
  Start();
  Action("MIMesurer")->trigger();
  AnswerWrong();
  const auto seen = AnswerNextModal(QString());  // Escape
  Action("MIMesurer")->trigger();
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(form_->TryNumber(), 2);
  EXPECT_EQ(Lamp(1), kRed);
}

TEST_F(MainFormTest, AbandonAnsweredYesRestartsWithTheChosenKind) {
  Start("[NbEx/Serie]\nMesurer=5\n");
  Action("MIMesurer")->trigger();
  AnswerRight();
  // Between two exercises the series is still in progress: it asks too.
  const auto seen = AnswerNextModal(QStringLiteral("&Oui"));
  Action("MITracer")->trigger();
  ASSERT_TRUE(seen->shown);
  EXPECT_FALSE(form_->SeriesOver());
  EXPECT_EQ(form_->ExerciseNumber(), 1);
  EXPECT_EQ(form_->TryNumber(), 1);
  EXPECT_EQ(form_->SuccessCount(), 0);
  EXPECT_TRUE(Label("LblNumero")->text().isEmpty());
  EXPECT_TRUE(Label("LblNumero")->toolTip().isEmpty());
  EXPECT_TRUE(Answer()->isHidden());
  EXPECT_EQ(Lamp(1), kWhite);
}

TEST_F(MainFormTest, RightAtTheFirstTry) {
  Start("[NbEx/Serie]\nMesurer=5\n");
  Action("MIMesurer")->trigger();
  AnswerRight();
  EXPECT_EQ(Label("LblReponse")->text(), QStringLiteral("Bonne réponse !"));
  EXPECT_EQ(VerdictColour(), kGreen);
  EXPECT_EQ(Lamp(1), kGreen);
  EXPECT_EQ(Lamp(2), kWhite);
  EXPECT_EQ(Lamp(3), kWhite);
  EXPECT_EQ(form_->SuccessCount(), 1);
  EXPECT_EQ(form_->TryNumber(), 1);
  EXPECT_EQ(Label("LblNumero")->text(), QStringLiteral("1/1"));
  EXPECT_EQ(Label("LblNumero")->toolTip(), QStringLiteral("1 exercice réussi sur 1"));
  // Decided: the canvas is off, the tool box (its sibling) is not.
  EXPECT_FALSE(Canvas().isEnabled());
  EXPECT_TRUE(ToolBox().isEnabled());
  EXPECT_FALSE(Answer()->isEnabled());
  EXPECT_FALSE(Button("BitBtnCheck")->isEnabled());
  EXPECT_TRUE(Button("BitBtnNext")->isEnabled());
  EXPECT_TRUE(ToolBox().isAncestorOf(QApplication::focusWidget()) ||
              QApplication::focusWidget() == &ToolBox());
}

TEST_F(MainFormTest, ThreeWrongTriesMarkThreeRedLamps) {
  Start("[NbEx/Serie]\nMesurer=5\n");
  Action("MIMesurer")->trigger();
  for (int attempt = 1; attempt <= 3; ++attempt) {
    // The same wrong value again still costs a try.
    AnswerWrong();
    EXPECT_EQ(Label("LblReponse")->text(), QStringLiteral("Erreur ..."));
    EXPECT_EQ(VerdictColour(), kRed);
    for (int lamp = 1; lamp <= 3; ++lamp) {
      EXPECT_EQ(Lamp(lamp), lamp <= attempt ? kRed : kWhite) << attempt << ' ' << lamp;
    }
  }
  EXPECT_EQ(form_->SuccessCount(), 0);
  EXPECT_EQ(form_->TryNumber(), 1);
  EXPECT_EQ(Label("LblNumero")->text(), QStringLiteral("0/1"));
  EXPECT_EQ(Label("LblNumero")->toolTip(), QStringLiteral("0 exercice réussi sur 1"));
  EXPECT_TRUE(Button("BitBtnNext")->isEnabled());
  EXPECT_FALSE(Button("BitBtnCheck")->isEnabled());
}

TEST_F(MainFormTest, ScoreAndHintThroughASeriesToItsEnd) {
  Start("[NbEx/Serie]\nMesurer=3\nTracer=10\n");
  Action("MIMesurer")->trigger();
  AnswerRight();
  PressEnterOnFocus();  // the tool box has the focus: Enter goes on
  EXPECT_EQ(form_->ExerciseNumber(), 2);
  EXPECT_EQ(Lamp(1), kWhite);  // lamps reset for the new exercise
  EXPECT_TRUE(Label("LblReponse")->text().isEmpty());
  AnswerRight();
  EXPECT_EQ(Label("LblNumero")->toolTip(), QStringLiteral("2 exercices réussis sur 2"));
  PressEnterOnFocus();

  AnswerWrong();
  AnswerWrong();
  const auto seen = AnswerNextModal(QStringLiteral("OK"));
  AnswerWrong();
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->title, QStringLiteral("Information"));
  EXPECT_EQ(seen->text, QStringLiteral("La série d'exercices est terminée."));
  EXPECT_EQ(seen->icon, QMessageBox::Information);
  EXPECT_EQ(seen->buttons, QStringList{QStringLiteral("OK")});
  EXPECT_EQ(Label("LblNumero")->text(), QStringLiteral("2/3"));
  EXPECT_EQ(Label("LblNumero")->toolTip(), QStringLiteral("2 exercices réussis sur 3"));
  EXPECT_TRUE(form_->SeriesOver());
  EXPECT_FALSE(Button("BitBtnNext")->isEnabled());
  EXPECT_FALSE(Button("BitBtnCheck")->isEnabled());
  EXPECT_FALSE(Canvas().isEnabled());

  // Enter after the end does nothing; a new choice starts without asking.
  // The offscreen platform does not give the activation back after a modal
  // box closes, as a window manager does.
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  PressEnterOnFocus();
  EXPECT_EQ(form_->ExerciseNumber(), 3);
  const auto again = AnswerNextModal(QStringLiteral("&Non"));
  Action("MIMesurer")->trigger();
  EXPECT_FALSE(again->shown);
  EXPECT_EQ(form_->ExerciseNumber(), 1);
  EXPECT_FALSE(form_->SeriesOver());
  EXPECT_TRUE(Label("LblNumero")->text().isEmpty());
}

TEST_F(MainFormTest, SeriesOfOneEndsAtOnce) {
  Start("[NbEx/Serie]\nMesurer=1\n");
  Action("MIMesurer")->trigger();
  const auto seen = AnswerNextModal(QStringLiteral("OK"));
  AnswerRight();
  EXPECT_TRUE(seen->shown);
  EXPECT_EQ(Label("LblNumero")->text(), QStringLiteral("1/1"));
  EXPECT_TRUE(form_->SeriesOver());
}

TEST_F(MainFormTest, SeriesOfZeroNeverEnds) {
  Start("[NbEx/Serie]\nMesurer=0\n");
  Action("MIMesurer")->trigger();
  const auto seen = AnswerNextModal(QStringLiteral("OK"));
  for (int exercise = 1; exercise <= 4; ++exercise) {
    AnswerRight();
    EXPECT_TRUE(Button("BitBtnNext")->isEnabled());
    PressEnterOnFocus();
  }
  EXPECT_FALSE(seen->shown);
  EXPECT_FALSE(form_->SeriesOver());
  EXPECT_EQ(form_->ExerciseNumber(), 5);
  EXPECT_EQ(Label("LblNumero")->text(), QStringLiteral("4/4"));
}

TEST_F(MainFormTest, EachKindEndsAfterItsOwnLength) {
  Start("[NbEx/Serie]\nMesurer=10\nTracer=3\n");
  Action("MITracer")->trigger();
  const auto seen = AnswerNextModal(QStringLiteral("OK"));
  for (int exercise = 1; exercise <= 2; ++exercise) {
    Canvas().SetAngleMeasure(form_->TargetMeasure());
    Button("BitBtnCheck")->click();
    EXPECT_TRUE(Button("BitBtnNext")->isEnabled()) << exercise;
    Button("BitBtnNext")->click();
  }
  EXPECT_FALSE(seen->shown);
  Canvas().SetAngleMeasure(form_->TargetMeasure());
  Button("BitBtnCheck")->click();
  EXPECT_TRUE(seen->shown);
  EXPECT_EQ(Label("LblNumero")->text(), QStringLiteral("3/3"));
  EXPECT_TRUE(form_->SeriesOver());
}

}  // namespace
}  // namespace gradoir::test
