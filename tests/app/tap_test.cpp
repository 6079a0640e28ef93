// The tool box's buttons tapped with a finger on a touch screen: Qt turns
// the unhandled touches into clicks, and each button does what a click does.
#include <QApplication>
#include <QPointingDevice>
#include <QTest>

#include "main_window_fixture.h"

namespace gradoir::test {
namespace {

QPointingDevice* touchScreen() {
  static QPointingDevice* device = QTest::createTouchDevice();
  return device;
}

class TapTest : public MainWindowTest {
 protected:
  void tap(QWidget* w) {
    const QPoint middle = w->rect().center();
    QTest::touchEvent(m_form.get(), touchScreen()).press(0, middle, w);
    QTest::touchEvent(m_form.get(), touchScreen()).release(0, middle, w);
    QApplication::processEvents();
  }
};

TEST_F(TapTest, ToolButtonsWorkByTap) {
  start();
  action("drawAction")->trigger();
  tap(tool("pencilButton"));
  EXPECT_TRUE(tool("pencilButton")->isChecked());
  EXPECT_EQ(canvas().mode(), CanvasTool::Pencil);
  tap(tool("moveTurnButton"));
  EXPECT_TRUE(tool("moveTurnButton")->isChecked());
  EXPECT_EQ(canvas().mode(), CanvasTool::Protractor);

  tap(tool("protractorButton"));
  EXPECT_FALSE(canvas().protractorLayer().visible());
  tap(tool("protractorButton"));
  EXPECT_TRUE(canvas().protractorLayer().visible());

  const RectF centred = canvas().protractorLayer().location();
  canvas().protractorLayer().setLocation({10, 10, 492, 492});
  tap(tool("centerProtractorButton"));
  EXPECT_EQ(canvas().protractorLayer().location(), centred);
}

TEST_F(TapTest, CheckAndNextWorkByTap) {
  start();
  action("measureAction")->trigger();
  QTest::keyClicks(answer(), QString::number(canvas().angleMeasure().value_or(0)));
  tap(button("checkButton"));
  EXPECT_EQ(lamp(1), kGreen);
  ASSERT_TRUE(button("nextButton")->isEnabled());
  tap(button("nextButton"));
  EXPECT_EQ(m_form->series().exerciseNumber(), 2);
}

}  // namespace
}  // namespace gradoir::test
