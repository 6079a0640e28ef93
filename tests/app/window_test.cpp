// The main window as described: menus, controls at their places, the tool
// box floating over the canvas, the frame, and the toolkit's French texts.
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "app/french_translation.h"
#include "main_form_fixture.h"

namespace gradoir::test {
namespace {

TEST_F(MainFormTest, ToolBoxFloatsOverTheCanvasAsItsSibling) {
  Start();
  EXPECT_EQ(ToolBox().parentWidget(), Canvas().parentWidget());
  EXPECT_EQ(Canvas().geometry(), form_->centralWidget()->rect());
  EXPECT_EQ(ToolBox().geometry(), QRect(8, 8, 209, 89));
  EXPECT_EQ(ToolBox().TitleBarPosition(), tbLeft);
  EXPECT_FALSE(ToolBox().Ctl3D());
  EXPECT_FALSE(ToolBox().Sizeable());
  EXPECT_EQ(ToolBox().Caption(), QStringLiteral("Boîte à outils"));
  EXPECT_EQ(ToolBox().Color(), QColor(240, 240, 255));
  EXPECT_EQ(ToolBox().font().family(), QStringLiteral("Tahoma"));
  EXPECT_EQ(ToolBox().font().pixelSize(), 11);
  // Above the canvas in the stacking order.
  const QObjectList siblings = ToolBox().parentWidget()->children();
  EXPECT_GT(siblings.indexOf(&ToolBox()), siblings.indexOf(&Canvas()));
}

TEST_F(MainFormTest, ToolBoxControlsAtTheirClientPlaces) {
  Start();
  QWidget* client = ToolBox().ClientArea();
  const struct {
    const char* name;
    QRect place;
  } controls[] = {
      {"LblEnonce", {6, 8, 156, 19}},    {"EditReponse", {126, 6, 23, 19}},
      {"BitBtnCheck", {164, 4, 23, 23}}, {"BitBtnNext", {164, 4, 23, 23}},
      {"ImageLed", {8, 31, 47, 17}},     {"LblReponse", {67, 32, 101, 14}},
      {"ToolBar", {6, 57, 107, 26}},     {"LblNumero", {130, 62, 44, 14}},
  };
  for (const auto& c : controls) {
    auto* w = Find<QWidget>(c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), client) << c.name;
    EXPECT_EQ(w->geometry(), c.place) << c.name;
  }
  EXPECT_EQ(client->geometry().topLeft(), QPoint(17, 1));
  EXPECT_EQ(Answer()->maxLength(), 3);
  EXPECT_EQ(Answer()->toolTip(), QStringLiteral("Réponse"));
  EXPECT_EQ(Button("BitBtnCheck")->toolTip(), QStringLiteral("Vérifier"));
  EXPECT_EQ(Button("BitBtnNext")->toolTip(), QStringLiteral("Suite"));
  EXPECT_TRUE(Label("LblReponse")->font().bold());
  EXPECT_EQ(Label("LblReponse")->font().pixelSize(), 12);
}

// Whatever font stands in for "Tahoma" on this machine.
TEST_F(MainFormTest, TextsFitTheirFixedPlaces) {
  Start();
  const QLabel* statement = Label("LblEnonce");
  const int words = QFontMetrics(statement->font()).horizontalAdvance(QStringLiteral("Mesure l'angle tracé :"));
  EXPECT_LE(statement->x() + words, Answer()->x());
  const QLabel* verdict = Label("LblReponse");
  EXPECT_LE(QFontMetrics(verdict->font()).horizontalAdvance(QStringLiteral("Bonne réponse !")), verdict->width());
}

TEST(FrenchTexts, AnswerBoxContextMenuIsInFrench) {
  ASSERT_TRUE(InstallFrenchTranslation(*qApp));
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
