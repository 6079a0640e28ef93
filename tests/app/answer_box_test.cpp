// The answer box: only digits and Backspace are typed, every typed key
// empties the verdict, pasted text reaches the check, Enter checks.
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "main_window_fixture.h"
#include "modal_answer.h"

namespace gradoir::test {
namespace {

class AnswerBoxTest : public MainWindowTest {
 protected:
  // A measuring exercise with a wrong verdict showing and "12" typed.
  void startWithVerdict() {
    start();
    action("measureAction")->trigger();
    answerWrong();
    answer()->clear();
    QTest::keyClicks(answer(), QStringLiteral("12"));
    // Typing emptied the verdict: show one again without a try.
    ASSERT_TRUE(label("verdictLabel")->text().isEmpty());
    label("verdictLabel")->setText(QStringLiteral("Erreur ..."));
  }
};

TEST_F(AnswerBoxTest, CharactersOtherThanDigitsAreDiscardedButEmptyTheVerdict) {
  startWithVerdict();
  const struct {
    Qt::Key key;
    const char* text;
  } keys[] = {{Qt::Key_A, "a"},     {Qt::Key_Space, " "}, {Qt::Key_Minus, "-"}, {Qt::Key_Plus, "+"},
              {Qt::Key_Period, "."}, {Qt::Key_Eacute, "é"}, {Qt::Key_Z, "Z"}};
  for (const auto& [key, text] : keys) {
    label("verdictLabel")->setText(QStringLiteral("Erreur ..."));
    QTest::sendKeyEvent(QTest::Click, answer(), key, QString::fromUtf8(text), Qt::NoModifier);
    EXPECT_EQ(answer()->text(), QStringLiteral("12")) << text;
    EXPECT_TRUE(label("verdictLabel")->text().isEmpty()) << text;
  }
}

TEST_F(AnswerBoxTest, DigitsAndBackspaceAreTypedUpToThreeCharacters) {
  startWithVerdict();
  QTest::keyClick(answer(), Qt::Key_Backspace);
  EXPECT_EQ(answer()->text(), QStringLiteral("1"));
  EXPECT_TRUE(label("verdictLabel")->text().isEmpty());
  QTest::keyClicks(answer(), QStringLiteral("2345"));
  EXPECT_EQ(answer()->text(), QStringLiteral("123"));
}

TEST_F(AnswerBoxTest, KeysThatTypeNoCharacterAreLeftAlone) {
  startWithVerdict();
  QTest::keyClick(answer(), Qt::Key_Left);
  QTest::keyClick(answer(), Qt::Key_Delete);
  EXPECT_EQ(answer()->text(), QStringLiteral("1"));
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Erreur ..."));
}

TEST_F(AnswerBoxTest, PastedTextThatIsNotANumberCostsNoTry) {
  start();
  action("measureAction")->trigger();
  QApplication::clipboard()->setText(QStringLiteral("12a"));
  QTest::keyClick(answer(), Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(answer()->text(), QStringLiteral("12a"));
  const auto seen = answerNextModal(QStringLiteral("OK"));
  QTest::keyClick(answer(), Qt::Key_Return);
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->title, QStringLiteral("Erreur"));
  EXPECT_EQ(seen->text, QStringLiteral("Valeur incorrecte !"));
  EXPECT_EQ(seen->icon, QMessageBox::Critical);
  EXPECT_EQ(m_form->series().tryNumber(), 1);
  EXPECT_EQ(lamp(1), kWhite);
  EXPECT_TRUE(button("checkButton")->isEnabled());
}

TEST_F(AnswerBoxTest, EmptyAnswerIsNotChecked) {
  start();
  action("measureAction")->trigger();
  const auto seen = answerNextModal(QStringLiteral("OK"));
  QTest::keyClick(answer(), Qt::Key_Return);
  button("checkButton")->click();
  EXPECT_FALSE(seen->shown);
  EXPECT_EQ(m_form->series().tryNumber(), 1);
  EXPECT_TRUE(label("verdictLabel")->text().isEmpty());
}

TEST_F(AnswerBoxTest, EnterChecksFromTheAnswerBoxAndGoesOnFromTheToolBox) {
  start();
  action("measureAction")->trigger();
  ASSERT_EQ(QApplication::focusWidget(), answer());
  QTest::keyClicks(answer(), QString::number(*canvas().angleMeasure()));
  pressEnterOnFocus();
  EXPECT_EQ(m_form->series().successCount(), 1);
  EXPECT_EQ(m_form->series().exerciseNumber(), 1);
  QTest::keyClick(&toolBox(), Qt::Key_Return);
  EXPECT_EQ(m_form->series().exerciseNumber(), 2);
  EXPECT_TRUE(button("checkButton")->isEnabled());
  // The enabled button is the one in front.
  const QWidget* client = button("checkButton")->parentWidget();
  EXPECT_EQ(client->childAt(button("checkButton")->geometry().center()), button("checkButton"));
}

}  // namespace
}  // namespace gradoir::test
