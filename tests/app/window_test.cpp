// The main window as described: menus, controls at their places, the tool
// box floating over the canvas, the frame, and the toolkit's French texts.
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app/translations.h"
#include "main_window_fixture.h"

namespace gradoir::test {
namespace {

TEST_F(MainWindowTest, ToolBoxFloatsOverTheCanvasAsItsSibling) {
  start();
  EXPECT_EQ(toolBox().parentWidget(), canvas().parentWidget());
  EXPECT_EQ(canvas().geometry(), m_form->centralWidget()->rect());
  // The described 209 x 89, grown where the font in use needs more room.
  EXPECT_EQ(toolBox().pos(), QPoint(8, 8));
  EXPECT_GE(toolBox().width(), 209);
  EXPECT_GE(toolBox().height(), 89);
  EXPECT_EQ(toolBox().titleBarPosition(), TitleBarPosition::Left);
  EXPECT_FALSE(toolBox().sunkenFrame());
  EXPECT_FALSE(toolBox().sizeable());
  EXPECT_EQ(toolBox().caption(), QStringLiteral("Boîte à outils"));
  EXPECT_EQ(toolBox().color(), QColor(240, 240, 255));
  EXPECT_EQ(toolBox().font().family(), QStringLiteral("Tahoma"));
  EXPECT_EQ(toolBox().font().pixelSize(), 11);
  // Above the canvas in the stacking order.
  const QObjectList siblings = toolBox().parentWidget()->children();
  EXPECT_GT(siblings.indexOf(&toolBox()), siblings.indexOf(&canvas()));
}

// The score sits in a rounded frame 2 pixels around its label, drawn in
// the outline colour without smoothing, the tool box's colour inside.
TEST_F(MainWindowTest, ScoreSitsInARoundedFrame) {
  start();
  action("measureAction")->trigger();
  answerRight();
  // A pen of one pixel outlines the frame's columns left..right + 1 and rows top..bottom + 1.
  const QRect frame = label("scoreLabel")->geometry().adjusted(-2, -2, 3, 3);
  const QImage box = toolBox().grab().toImage();
  const QPoint client = toolBox().clientArea()->pos();
  auto at = [&](int x, int y) { return box.pixel(client + QPoint(x, y)); };
  const QRgb outline = qRgb(160, 168, 255), inside = toolBox().color().rgb();
  const int midX = frame.center().x(), midY = frame.center().y();
  EXPECT_EQ(at(midX, frame.top()), outline);
  EXPECT_EQ(at(midX, frame.bottom()), outline);
  EXPECT_EQ(at(frame.left(), midY), outline);
  EXPECT_EQ(at(frame.right(), midY), outline);
  EXPECT_EQ(at(frame.left(), frame.top()), inside);  // outside the rounded corner
  EXPECT_EQ(at(midX, frame.top() - 1), inside);
  EXPECT_EQ(at(frame.right() + 1, midY), inside);
}

TEST_F(MainWindowTest, ToolBoxControlsAtTheirClientPlaces) {
  start();
  QWidget* client = toolBox().clientArea();
  const struct {
    const char* name;
    QRect place;
  } controls[] = {
      {"statementLabel", {6, 8, 156, 19}},    {"answerEdit", {126, 6, 23, 19}},
      {"checkButton", {164, 4, 23, 23}}, {"nextButton", {164, 4, 23, 23}},
      {"tryLamps", {8, 31, 47, 17}},     {"verdictLabel", {67, 32, 101, 14}},
      {"toolBar", {6, 57, 107, 26}},     {"scoreLabel", {130, 62, 44, 14}},
  };
  // At their described places, grown where the font in use needs more room;
  // only the answer box and the buttons right of the statement move, right.
  for (const auto& c : controls) {
    auto* w = find<QWidget>(c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), client) << c.name;
    const bool movesRight = c.place.x() > 100 && c.place.y() < 10;
    if (movesRight) {
      EXPECT_GE(w->x(), c.place.x()) << c.name;
    } else if (QLatin1String(c.name) != QLatin1String("scoreLabel")) {
      EXPECT_EQ(w->x(), c.place.x()) << c.name;
    }
    EXPECT_EQ(w->y(), c.place.y()) << c.name;
    EXPECT_GE(w->width(), c.place.width()) << c.name;
    EXPECT_GE(w->height(), c.place.height()) << c.name;
  }
  // The score stays centred in its rounded frame.
  EXPECT_EQ(label("scoreLabel")->geometry().center().x(), QRect(130, 62, 44, 14).center().x());
  EXPECT_EQ(client->geometry().topLeft(), QPoint(17, 1));
  EXPECT_EQ(answer()->maxLength(), 3);
  EXPECT_EQ(answer()->toolTip(), QStringLiteral("Réponse"));
  EXPECT_EQ(button("checkButton")->toolTip(), QStringLiteral("Vérifier"));
  EXPECT_EQ(button("nextButton")->toolTip(), QStringLiteral("Suite"));
  EXPECT_TRUE(label("verdictLabel")->font().bold());
  EXPECT_EQ(label("verdictLabel")->font().pixelSize(), 12);
}

// Whatever font stands in for "Tahoma" on this machine.
TEST_F(MainWindowTest, TextsFitTheirFixedPlaces) {
  start();
  const QLabel* statement = label("statementLabel");
  const int words = QFontMetrics(statement->font()).horizontalAdvance(QStringLiteral("Mesure l'angle tracé :"));
  EXPECT_LE(statement->x() + words, answer()->x());
  const QLabel* verdict = label("verdictLabel");
  EXPECT_LE(QFontMetrics(verdict->font()).horizontalAdvance(QStringLiteral("Bonne réponse !")), verdict->width());
}

TEST(FrenchTexts, AnswerBoxContextMenuIsInFrench) {
  ASSERT_TRUE(installToolkitTranslation(*qApp, QStringLiteral("fr")));
  QLineEdit edit;
  edit.setText(QStringLiteral("12"));
  std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList texts;
  for (QAction* a : menu->actions()) texts << a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
  EXPECT_TRUE(texts.contains(QStringLiteral("Couper"))) << texts.join(u'|').toStdString();
  EXPECT_TRUE(texts.contains(QStringLiteral("Copier")));
  EXPECT_TRUE(texts.contains(QStringLiteral("Coller")));
}

}  // namespace
}  // namespace gradoir::test
