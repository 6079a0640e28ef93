// The answer box: only digits and Backspace are typed, every typed key
// empties the verdict, pasted text reaches the check, Enter checks.
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "main_form_fixture.h"
#include "modal_answer.h"

namespace gradoir::test {
namespace {

class AnswerBoxTest : public MainFormTest {
 protected:
  // A measuring exercise with a wrong verdict showing and "12" typed.
  void StartWithVerdict() {
    Start();
    Action("MIMesurer")->trigger();
    AnswerWrong();
    Answer()->clear();
    QTest::keyClicks(Answer(), QStringLiteral("12"));
    // Typing emptied the verdict: show one again without a try.
    ASSERT_TRUE(Label("LblReponse")->text().isEmpty());
    Label("LblReponse")->setText(QStringLiteral("Erreur ..."));
  }
};

TEST_F(AnswerBoxTest, CharactersOtherThanDigitsAreDiscardedButEmptyTheVerdict) {
  StartWithVerdict();
  const struct {
    Qt::Key key;
    const char* text;
  } keys[] = {{Qt::Key_A, "a"},     {Qt::Key_Space, " "}, {Qt::Key_Minus, "-"}, {Qt::Key_Plus, "+"},
              {Qt::Key_Period, "."}, {Qt::Key_Eacute, "é"}, {Qt::Key_Z, "Z"}};
  for (const auto& [key, text] : keys) {
    Label("LblReponse")->setText(QStringLiteral("Erreur ..."));
    QTest::sendKeyEvent(QTest::Click, Answer(), key, QString::fromUtf8(text), Qt::NoModifier);
    EXPECT_EQ(Answer()->text(), QStringLiteral("12")) << text;
    EXPECT_TRUE(Label("LblReponse")->text().isEmpty()) << text;
  }
}

TEST_F(AnswerBoxTest, DigitsAndBackspaceAreTypedUpToThreeCharacters) {
  StartWithVerdict();
  QTest::keyClick(Answer(), Qt::Key_Backspace);
  EXPECT_EQ(Answer()->text(), QStringLiteral("1"));
  EXPECT_TRUE(Label("LblReponse")->text().isEmpty());
  QTest::keyClicks(Answer(), QStringLiteral("2345"));
  EXPECT_EQ(Answer()->text(), QStringLiteral("123"));
}

TEST_F(AnswerBoxTest, KeysThatTypeNoCharacterAreLeftAlone) {
  StartWithVerdict();
  QTest::keyClick(Answer(), Qt::Key_Left);
  QTest::keyClick(Answer(), Qt::Key_Delete);
  EXPECT_EQ(Answer()->text(), QStringLiteral("1"));
  EXPECT_EQ(Label("LblReponse")->text(), QStringLiteral("Erreur ..."));
}

TEST_F(AnswerBoxTest, PastedTextThatIsNotANumberCostsNoTry) {
  Start();
  Action("MIMesurer")->trigger();
  QApplication::clipboard()->setText(QStringLiteral("12a"));
  QTest::keyClick(Answer(), Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(Answer()->text(), QStringLiteral("12a"));
  const auto seen = AnswerNextModal(QStringLiteral("OK"));
  QTest::keyClick(Answer(), Qt::Key_Return);
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->title, QStringLiteral("Erreur"));
  EXPECT_EQ(seen->text, QStringLiteral("Valeur incorrecte !"));
  EXPECT_EQ(seen->icon, QMessageBox::Critical);
  EXPECT_EQ(form_->TryNumber(), 1);
  EXPECT_EQ(Lamp(1), kWhite);
  EXPECT_TRUE(Button("BitBtnCheck")->isEnabled());
}

TEST_F(AnswerBoxTest, EmptyAnswerIsNotChecked) {
  Start();
  Action("MIMesurer")->trigger();
  const auto seen = AnswerNextModal(QStringLiteral("OK"));
  QTest::keyClick(Answer(), Qt::Key_Return);
  Button("BitBtnCheck")->click();
  EXPECT_FALSE(seen->shown);
  EXPECT_EQ(form_->TryNumber(), 1);
  EXPECT_TRUE(Label("LblReponse")->text().isEmpty());
}

TEST_F(AnswerBoxTest, EnterChecksFromTheAnswerBoxAndGoesOnFromTheToolBox) {
  Start();
  Action("MIMesurer")->trigger();
  ASSERT_EQ(QApplication::focusWidget(), Answer());
  QTest::keyClicks(Answer(), QString::number(Canvas().AngleMeasure()));
  PressEnterOnFocus();
  EXPECT_EQ(form_->SuccessCount(), 1);
  EXPECT_EQ(form_->ExerciseNumber(), 1);
  QTest::keyClick(&ToolBox(), Qt::Key_Return);
  EXPECT_EQ(form_->ExerciseNumber(), 2);
  EXPECT_TRUE(Button("BitBtnCheck")->isEnabled());
  // The enabled button is the one in front.
  const QWidget* client = Button("BitBtnCheck")->parentWidget();
  EXPECT_EQ(client->childAt(Button("BitBtnCheck")->geometry().center()), Button("BitBtnCheck"));
}

}  // namespace
}  // namespace gradoir::test
