// The drawing exercise, the tool buttons, help and quitting.
#include <QApplication>
#include <QTest>

#include "app/cursor_table.h"
#include "main_form_fixture.h"
#include "modal_answer.h"

namespace gradoir::test {
namespace {

TEST_F(MainFormTest, DrawingExerciseStatementAndTools) {
  Start();
  Action("MITracer")->trigger();
  const std::int32_t target = form_->TargetMeasure();
  EXPECT_GE(target, 5);
  EXPECT_LE(target, 175);
  EXPECT_EQ(Canvas().AngleMeasure(), 181);
  EXPECT_EQ(Canvas().Mode(), aMesure);
  EXPECT_EQ(Label("LblEnonce")->text(), QStringLiteral("Trace un angle de %1°.").arg(target));
  EXPECT_TRUE(Answer()->isHidden());
  EXPECT_TRUE(Tool("TBtnDraw")->isEnabled());
  EXPECT_EQ(Tool("TBtnDraw")->toolTip(), QStringLiteral("Crayon"));
  EXPECT_EQ(Canvas().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainFormTest, DrawingCheckBeforeAnySideIsIgnored) {
  Start();
  Action("MITracer")->trigger();
  const auto seen = AnswerNextModal(QStringLiteral("OK"));
  Button("BitBtnCheck")->click();
  QTest::keyClick(&ToolBox(), Qt::Key_Return);
  EXPECT_FALSE(seen->shown);
  EXPECT_EQ(form_->TryNumber(), 1);
  EXPECT_TRUE(Label("LblReponse")->text().isEmpty());
  EXPECT_EQ(Lamp(1), kWhite);
}

TEST_F(MainFormTest, DrawingIgnoresTheSignOfTheDrawnAngle) {
  Start("[NbEx/Serie]\nTracer=5\n");
  Action("MITracer")->trigger();
  const std::int32_t target = form_->TargetMeasure();
  Canvas().SetAngleMeasure(target == 175 ? -174 : -(target + 1));
  Button("BitBtnCheck")->click();
  EXPECT_EQ(Lamp(1), kRed);
  // Checking twice without redrawing costs two tries.
  Button("BitBtnCheck")->click();
  EXPECT_EQ(Lamp(2), kRed);
  Canvas().SetAngleMeasure(-target);
  Button("BitBtnCheck")->click();
  EXPECT_EQ(Lamp(3), kGreen);
  EXPECT_EQ(Label("LblReponse")->text(), QStringLiteral("Bonne réponse !"));
  EXPECT_EQ(form_->SuccessCount(), 1);
  EXPECT_TRUE(Button("BitBtnNext")->isEnabled());
}

TEST_F(MainFormTest, PencilAndMoveButtonsSetModeAndCursor) {
  Start();
  Action("MITracer")->trigger();
  QTest::mouseClick(Tool("TBtnDraw"), Qt::LeftButton);
  EXPECT_TRUE(Tool("TBtnDraw")->isChecked());
  EXPECT_FALSE(Tool("TBtnRotate")->isChecked());
  EXPECT_EQ(Canvas().Mode(), aDraw);
  EXPECT_EQ(Canvas().cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(Canvas().cursor().hotSpot(), QPoint(11, 20));

  QTest::mouseClick(Tool("TBtnRotate"), Qt::LeftButton);
  EXPECT_FALSE(Tool("TBtnDraw")->isChecked());
  EXPECT_EQ(Canvas().Mode(), aMesure);
  EXPECT_EQ(Canvas().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainFormTest, ProtractorButtonsShowHideAndCentre) {
  Start("[NbEx/Serie]\nTracer=5\n");
  Action("MITracer")->trigger();
  const TRealRect centred = Canvas().ProtractorLayer().Location();
  QTest::mouseClick(Tool("TBtnGrado"), Qt::LeftButton);
  EXPECT_FALSE(Tool("TBtnGrado")->isChecked());
  EXPECT_FALSE(Canvas().ProtractorLayer().Visible());
  QTest::mouseClick(Tool("TBtnGrado"), Qt::LeftButton);
  EXPECT_TRUE(Canvas().ProtractorLayer().Visible());

  Canvas().ProtractorLayer().SetLocation({0, 0, centred.Right - centred.Left, centred.Bottom - centred.Top});
  QTest::mouseClick(Tool("TBtnIniGradoPos"), Qt::LeftButton);
  EXPECT_EQ(Canvas().ProtractorLayer().Location(), centred);

  // A new exercise puts every tool button back.
  QTest::mouseClick(Tool("TBtnGrado"), Qt::LeftButton);
  QTest::mouseClick(Tool("TBtnDraw"), Qt::LeftButton);
  Canvas().SetAngleMeasure(form_->TargetMeasure());
  Button("BitBtnCheck")->click();
  Button("BitBtnNext")->click();
  EXPECT_TRUE(Tool("TBtnGrado")->isChecked());
  EXPECT_TRUE(Tool("TBtnRotate")->isChecked());
  EXPECT_FALSE(Tool("TBtnDraw")->isChecked());
  EXPECT_TRUE(Canvas().ProtractorLayer().Visible());
}

TEST_F(MainFormTest, HelpAndAboutOpenTheSameWindow) {
  Start();
  const auto help = AnswerNextModal(QStringLiteral("OK"));
  Action("MIHelp")->trigger();
  ASSERT_TRUE(help->shown);
  EXPECT_TRUE(help->helpTextVisible);

  const auto about = AnswerNextModal(QStringLiteral("OK"));
  Action("MIAbout")->trigger();
  ASSERT_TRUE(about->shown);
  EXPECT_FALSE(about->helpTextVisible);
  // Destroyed once closed.
  QApplication::processEvents();
  EXPECT_TRUE(form_->findChildren<QDialog*>().isEmpty());
}

TEST_F(MainFormTest, QuitDuringAnExerciseClosesWithoutAsking) {
  Start();
  Action("MIMesurer")->trigger();
  AnswerWrong();
  const auto seen = AnswerNextModal(QStringLiteral("&Non"));
  Action("MIQuitter")->trigger();
  EXPECT_FALSE(seen->shown);
  EXPECT_FALSE(form_->isVisible());
}

TEST_F(MainFormTest, StartUpRegistersThePenCursorAndReadsTheSettings) {
  Start("[NbEx/Serie]\nMesurer=4\nTracer=0x07\n[Angle]\nSommetAimante=0\nCoteHorizontal=2\n");
  EXPECT_EQ(form_->Settings(), (TSettings{4, 7, false, true}));
  const QCursor pen = form_->Cursors().Cursor(TCursorTable::crPen);
  EXPECT_EQ(pen.hotSpot(), QPoint(11, 20));
  EXPECT_EQ(pen.pixmap().size(), QSize(32, 32));
  EXPECT_EQ(form_->Cursors().Cursor(TCursorTable::crDefault).shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace gradoir::test
