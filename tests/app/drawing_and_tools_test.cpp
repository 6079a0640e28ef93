// The drawing exercise, the tool buttons, help and quitting.
#include <QApplication>
#include <QTest>

#include "ui/cursor_table.h"
#include "main_window_fixture.h"
#include "modal_answer.h"

namespace gradoir::test {
namespace {

TEST_F(MainWindowTest, DrawingExerciseStatementAndTools) {
  start();
  action("drawAction")->trigger();
  const std::int32_t target = m_form->series().targetMeasure();
  EXPECT_GE(target, 5);
  EXPECT_LE(target, 175);
  EXPECT_FALSE(canvas().angleMeasure().has_value());
  EXPECT_EQ(canvas().mode(), CanvasTool::Protractor);
  EXPECT_EQ(label("statementLabel")->text(), QStringLiteral("Trace un angle de %1°.").arg(target));
  EXPECT_TRUE(answer()->isHidden());
  EXPECT_TRUE(tool("pencilButton")->isEnabled());
  EXPECT_EQ(tool("pencilButton")->toolTip(), QStringLiteral("Crayon"));
  EXPECT_EQ(canvas().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, DrawingCheckBeforeAnySideIsIgnored) {
  start();
  action("drawAction")->trigger();
  const auto seen = answerNextModal(QStringLiteral("OK"));
  button("checkButton")->click();
  QTest::keyClick(&toolBox(), Qt::Key_Return);
  EXPECT_FALSE(seen->shown);
  EXPECT_EQ(m_form->series().tryNumber(), 1);
  EXPECT_TRUE(label("verdictLabel")->text().isEmpty());
  EXPECT_EQ(lamp(1), kWhite);
}

TEST_F(MainWindowTest, DrawingIgnoresTheSignOfTheDrawnAngle) {
  start("[NbEx/Serie]\nTracer=5\n");
  action("drawAction")->trigger();
  const std::int32_t target = m_form->series().targetMeasure();
  drawSide(target == 175 ? -174 : -(target + 1));
  button("checkButton")->click();
  EXPECT_EQ(lamp(1), kRed);
  // Checking twice without redrawing costs two tries.
  button("checkButton")->click();
  EXPECT_EQ(lamp(2), kRed);
  drawSide(-target);
  button("checkButton")->click();
  EXPECT_EQ(lamp(3), kGreen);
  EXPECT_EQ(label("verdictLabel")->text(), QStringLiteral("Bonne réponse !"));
  EXPECT_EQ(m_form->series().successCount(), 1);
  EXPECT_TRUE(button("nextButton")->isEnabled());
}

TEST_F(MainWindowTest, PencilAndMoveButtonsSetModeAndCursor) {
  start();
  action("drawAction")->trigger();
  QTest::mouseClick(tool("pencilButton"), Qt::LeftButton);
  EXPECT_TRUE(tool("pencilButton")->isChecked());
  EXPECT_FALSE(tool("moveTurnButton")->isChecked());
  EXPECT_EQ(canvas().mode(), CanvasTool::Pencil);
  EXPECT_EQ(canvas().cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(canvas().cursor().hotSpot(), QPoint(11, 20));

  QTest::mouseClick(tool("moveTurnButton"), Qt::LeftButton);
  EXPECT_FALSE(tool("pencilButton")->isChecked());
  EXPECT_EQ(canvas().mode(), CanvasTool::Protractor);
  EXPECT_EQ(canvas().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, ProtractorButtonsShowHideAndCentre) {
  start("[NbEx/Serie]\nTracer=5\n");
  action("drawAction")->trigger();
  const RectF centred = canvas().protractorLayer().location();
  QTest::mouseClick(tool("protractorButton"), Qt::LeftButton);
  EXPECT_FALSE(tool("protractorButton")->isChecked());
  EXPECT_FALSE(canvas().protractorLayer().visible());
  QTest::mouseClick(tool("protractorButton"), Qt::LeftButton);
  EXPECT_TRUE(canvas().protractorLayer().visible());

  canvas().protractorLayer().setLocation({0, 0, centred.right - centred.left, centred.bottom - centred.top});
  QTest::mouseClick(tool("centerProtractorButton"), Qt::LeftButton);
  EXPECT_EQ(canvas().protractorLayer().location(), centred);

  // A new exercise puts every tool button back.
  QTest::mouseClick(tool("protractorButton"), Qt::LeftButton);
  QTest::mouseClick(tool("pencilButton"), Qt::LeftButton);
  drawSide(m_form->series().targetMeasure());
  button("checkButton")->click();
  button("nextButton")->click();
  EXPECT_TRUE(tool("protractorButton")->isChecked());
  EXPECT_TRUE(tool("moveTurnButton")->isChecked());
  EXPECT_FALSE(tool("pencilButton")->isChecked());
  EXPECT_TRUE(canvas().protractorLayer().visible());
}

TEST_F(MainWindowTest, HelpAndAboutOpenTheSameWindow) {
  start("[Angle]\nPas=10\nMesureMin=32\nMesureMax=150\n");
  const auto help = answerNextModal(QStringLiteral("OK"));
  action("helpAction")->trigger();
  ASSERT_TRUE(help->shown);
  EXPECT_TRUE(help->helpTextVisible);
  // The measures this computer's settings allow.
  EXPECT_TRUE(help->helpText.contains(QStringLiteral("entre 40 et 150°"))) << help->helpText.toStdString();

  const auto about = answerNextModal(QStringLiteral("OK"));
  action("aboutAction")->trigger();
  ASSERT_TRUE(about->shown);
  EXPECT_FALSE(about->helpTextVisible);
  // Destroyed once closed.
  QApplication::processEvents();
  EXPECT_TRUE(m_form->findChildren<QDialog*>().isEmpty());
}

TEST_F(MainWindowTest, QuitDuringAnExerciseClosesWithoutAsking) {
  start();
  action("measureAction")->trigger();
  answerWrong();
  const auto seen = answerNextModal(QStringLiteral("&Non"));
  action("quitAction")->trigger();
  EXPECT_FALSE(seen->shown);
  EXPECT_FALSE(m_form->isVisible());
}

TEST_F(MainWindowTest, StartUpRegistersThePenCursorAndReadsTheSettings) {
  start("[NbEx/Serie]\nMesurer=4\nTracer=0x07\n[Angle]\nSommetAimante=0\nCoteHorizontal=2\n");
  EXPECT_EQ(m_form->series().settings(), (Settings{4, 7, false, true}));
  const QCursor pen = m_form->cursors().cursor(CursorTable::kPen);
  EXPECT_EQ(pen.hotSpot(), QPoint(11, 20));
  EXPECT_EQ(pen.pixmap().size(), QSize(32, 32));
  EXPECT_EQ(m_form->cursors().cursor(CursorTable::kDefault).shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace gradoir::test
