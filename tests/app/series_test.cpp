// Series of exercises in the window: starting, confirming an abandon, tries
// and lamps, score and its hint, the end-of-series box. The series's rules
// are the controller's, tested with it (tests/series).
#include <QTest>

#include "main_window_fixture.h"
#include "modal_answer.h"

namespace gradoir::test {
namespace {

TEST_F(MainWindowTest, IdleUntilTheFirstChoice) {
  start();
  EXPECT_FALSE(m_form->series().seriesRunning());
  EXPECT_TRUE(toolBox().isHidden());
  EXPECT_EQ(canvas().angle(), nullptr);
  EXPECT_EQ(m_form->series().settings(), Settings{});
}

TEST_F(MainWindowTest, FirstChoiceStartsWithoutConfirmation) {
  start();
  const auto seen = answerNextModal(QStringLiteral("&Non"));
  action("measureAction")->trigger();
  EXPECT_FALSE(seen->shown);
  EXPECT_TRUE(m_form->series().seriesRunning());
  EXPECT_FALSE(toolBox().isHidden());
  EXPECT_TRUE(toolBox().expanded());
  EXPECT_EQ(label("statementLabel")->text(), QStringLiteral("Mesure l'angle tracé :       °"));
  EXPECT_TRUE(answer()->isVisibleTo(&toolBox()));
  EXPECT_TRUE(answer()->isEnabled());
  EXPECT_TRUE(answer()->hasFocus());
  EXPECT_GE(canvas().angleMeasure(), 5);
  EXPECT_LE(canvas().angleMeasure(), 175);
  EXPECT_TRUE(canvas().isEnabled());
  EXPECT_TRUE(button("checkButton")->isEnabled());
  EXPECT_FALSE(button("nextButton")->isEnabled());
  EXPECT_FALSE(tool("pencilButton")->isEnabled());
  EXPECT_TRUE(tool("pencilButton")->toolTip().isEmpty());
}

TEST_F(MainWindowTest, AbandonAnsweredNoChangesNothing) {
  start();
  action("measureAction")->trigger();
  answerWrong();
  const std::optional<std::int32_t> measure = canvas().angleMeasure();
  const AngleFigure* angle = canvas().angle();

  const auto seen = answerNextModal(QStringLiteral("&Non"));
  action("drawAction")->trigger();
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->title, QStringLiteral("Confirmation"));
  EXPECT_EQ(seen->text, QStringLiteral("Abandonner la série d'exercices en cours ?"));
  EXPECT_EQ(seen->icon, QMessageBox::Question);
  EXPECT_EQ(seen->buttons, (QStringList{QStringLiteral("&Oui"), QStringLiteral("&Non")}));
  EXPECT_EQ(seen->defaultButton, QStringLiteral("&Oui"));
  EXPECT_EQ(seen->escapeButton, QStringLiteral("&Non"));

  EXPECT_EQ(m_form->series().tryNumber(), 2);
  EXPECT_EQ(m_form->series().exerciseNumber(), 1);
  EXPECT_EQ(canvas().angle(), angle);
  EXPECT_EQ(canvas().angleMeasure(), measure);
  EXPECT_EQ(label("statementLabel")->text(), QStringLiteral("Mesure l'angle tracé :       °"));
  EXPECT_FALSE(answer()->isHidden());
  EXPECT_EQ(lamp(1), kRed);
}

TEST_F(MainWindowTest, AbandonByEscapeCountsAsNo) {
  start();
  action("measureAction")->trigger();
  answerWrong();
  const auto seen = answerNextModal(QString());  // Escape
  action("measureAction")->trigger();
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(m_form->series().tryNumber(), 2);
  EXPECT_EQ(lamp(1), kRed);
}

TEST_F(MainWindowTest, AbandonAnsweredYesRestartsWithTheChosenKind) {
  start("[NbEx/Serie]\nMesurer=5\n");
  action("measureAction")->trigger();
  answerRight();
  // Between two exercises the series is still in progress: it asks too.
  const auto seen = answerNextModal(QStringLiteral("&Oui"));
  action("drawAction")->trigger();
  ASSERT_TRUE(seen->shown);
  EXPECT_TRUE(m_form->series().seriesRunning());
  EXPECT_EQ(m_form->series().exerciseNumber(), 1);
  EXPECT_EQ(m_form->series().tryNumber(), 1);
  EXPECT_EQ(m_form->series().successCount(), 0);
  EXPECT_TRUE(label("scoreLabel")->text().isEmpty());
  EXPECT_TRUE(label("scoreLabel")->toolTip().isEmpty());
  EXPECT_TRUE(answer()->isHidden());
  EXPECT_EQ(lamp(1), kWhite);
}

TEST_F(MainWindowTest, RightAtTheFirstTry) {
  start("[NbEx/Serie]\nMesurer=5\n");
  action("measureAction")->trigger();
  answerRight();
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Bonne réponse !"));
  EXPECT_EQ(verdictColour(), kGreen);
  EXPECT_EQ(lamp(1), kGreen);
  EXPECT_EQ(lamp(2), kWhite);
  EXPECT_EQ(lamp(3), kWhite);
  EXPECT_EQ(m_form->series().successCount(), 1);
  EXPECT_EQ(m_form->series().tryNumber(), 1);
  EXPECT_EQ(label("scoreLabel")->text(), QStringLiteral("1/1"));
  EXPECT_EQ(label("scoreLabel")->toolTip(), QStringLiteral("1 exercice réussi sur 1"));
  // Decided: the canvas is off, the tool box (its sibling) is not.
  EXPECT_FALSE(canvas().isEnabled());
  EXPECT_TRUE(toolBox().isEnabled());
  EXPECT_FALSE(answer()->isEnabled());
  EXPECT_FALSE(button("checkButton")->isEnabled());
  EXPECT_TRUE(button("nextButton")->isEnabled());
  EXPECT_TRUE(toolBox().isAncestorOf(QApplication::focusWidget()) ||
              QApplication::focusWidget() == &toolBox());
}

TEST_F(MainWindowTest, ThreeWrongTriesMarkThreeRedLamps) {
  start("[NbEx/Serie]\nMesurer=5\n");
  action("measureAction")->trigger();
  for (int attempt = 1; attempt <= 3; ++attempt) {
    // The same wrong value again still costs a try.
    answerWrong();
    EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Erreur ..."));
    EXPECT_EQ(verdictColour(), kRed);
    for (int index = 1; index <= 3; ++index) {
      EXPECT_EQ(lamp(index), index <= attempt ? kRed : kWhite) << attempt << ' ' << index;
    }
  }
  EXPECT_EQ(m_form->series().successCount(), 0);
  EXPECT_EQ(m_form->series().tryNumber(), 1);
  EXPECT_EQ(label("scoreLabel")->text(), QStringLiteral("0/1"));
  EXPECT_EQ(label("scoreLabel")->toolTip(), QStringLiteral("0 exercice réussi sur 1"));
  EXPECT_TRUE(button("nextButton")->isEnabled());
  EXPECT_FALSE(button("checkButton")->isEnabled());
}

TEST_F(MainWindowTest, ScoreAndHintThroughASeriesToItsEnd) {
  start("[NbEx/Serie]\nMesurer=3\nTracer=10\n");
  action("measureAction")->trigger();
  answerRight();
  pressEnterOnFocus();  // the tool box has the focus: Enter goes on
  EXPECT_EQ(m_form->series().exerciseNumber(), 2);
  EXPECT_EQ(lamp(1), kWhite);  // lamps reset for the new exercise
  EXPECT_TRUE(label("verdictLabel")->text().isEmpty());
  answerRight();
  EXPECT_EQ(label("scoreLabel")->toolTip(), QStringLiteral("2 exercices réussis sur 2"));
  pressEnterOnFocus();

  answerWrong();
  answerWrong();
  const auto seen = answerNextModal(QStringLiteral("OK"));
  answerWrong();
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->title, QStringLiteral("Information"));
  EXPECT_EQ(seen->text, QStringLiteral("La série d'exercices est terminée."));
  EXPECT_EQ(seen->icon, QMessageBox::Information);
  EXPECT_EQ(seen->buttons, QStringList{QStringLiteral("OK")});
  // Under it, the score and the series's table.
  EXPECT_TRUE(seen->informativeText.contains(QStringLiteral("2 exercices réussis sur 3")));
  EXPECT_EQ(label("scoreLabel")->text(), QStringLiteral("2/3"));
  EXPECT_EQ(label("scoreLabel")->toolTip(), QStringLiteral("2 exercices réussis sur 3"));
  EXPECT_FALSE(m_form->series().seriesRunning());
  EXPECT_FALSE(button("nextButton")->isEnabled());
  EXPECT_FALSE(button("checkButton")->isEnabled());
  EXPECT_FALSE(canvas().isEnabled());

  // Enter after the end does nothing; a new choice starts without asking.
  // The offscreen platform does not give the activation back after a modal
  // box closes, as a window manager does.
  m_form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
  pressEnterOnFocus();
  EXPECT_EQ(m_form->series().exerciseNumber(), 3);
  const auto again = answerNextModal(QStringLiteral("&Non"));
  action("measureAction")->trigger();
  EXPECT_FALSE(again->shown);
  EXPECT_EQ(m_form->series().exerciseNumber(), 1);
  EXPECT_TRUE(m_form->series().seriesRunning());
  EXPECT_TRUE(label("scoreLabel")->text().isEmpty());
}

}  // namespace
}  // namespace gradoir::test
