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

TEST_F(MainFormTest, MenusWithTheirCaptionsAndPictures) {
  Start();
  const auto* exercise = Find<QMenu>("MIExercice");
  const auto* help = Find<QMenu>("MIAide");
  ASSERT_TRUE(exercise && help);
  EXPECT_EQ(exercise->title(), QStringLiteral("&Exercice"));
  EXPECT_EQ(help->title(), QStringLiteral("&Aide"));
  const QList<QAction*> items = exercise->actions();
  ASSERT_EQ(items.size(), 4);
  EXPECT_EQ(items[0], Action("MIMesurer"));
  EXPECT_EQ(items[1], Action("MITracer"));
  EXPECT_TRUE(items[2]->isSeparator());
  EXPECT_EQ(items[2]->objectName(), QStringLiteral("N1"));
  EXPECT_EQ(items[3], Action("MIQuitter"));
  EXPECT_EQ(Action("MIMesurer")->text(), QStringLiteral("&Mesurer un angle"));
  EXPECT_EQ(Action("MITracer")->text(), QStringLiteral("&Tracer un angle"));
  EXPECT_EQ(Action("MIQuitter")->text(), QStringLiteral("&Quitter"));
  const QList<QAction*> helpItems = help->actions();
  ASSERT_EQ(helpItems.size(), 3);
  EXPECT_EQ(helpItems[0], Action("MIHelp"));
  EXPECT_EQ(helpItems[1]->objectName(), QStringLiteral("N2"));
  EXPECT_EQ(helpItems[2], Action("MIAbout"));
  EXPECT_EQ(Action("MIHelp")->text(), QStringLiteral("A&ide Gradoir"));
  EXPECT_EQ(Action("MIAbout")->text(), QStringLiteral("&A propos ..."));
  for (const char* name : {"MIMesurer", "MITracer", "MIQuitter", "MIHelp"}) {
    EXPECT_FALSE(Action(name)->icon().isNull()) << name;
  }
  EXPECT_TRUE(Action("MIAbout")->icon().isNull());
}

TEST_F(MainFormTest, WindowTitleFrameAndBackground) {
  Start();
  EXPECT_EQ(form_->windowTitle(), QStringLiteral("Gradoir"));
  EXPECT_EQ(form_->objectName(), QStringLiteral("MainForm"));
  EXPECT_FALSE(form_->windowIcon().isNull());
  const Qt::WindowFlags flags = form_->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(form_->centralWidget()->palette().color(QPalette::Window), QColor(Qt::white));
}

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

TEST_F(MainFormTest, ToolButtonsAndTheirGroup) {
  Start();
  const struct {
    const char* name;
    int left;
    const char* hint;
    bool down;
  } buttons[] = {
      {"TBtnGrado", 0, "Afficher/Masquer le gradoir", true},
      {"TBtnIniGradoPos", 23, "Centrer le gradoir", false},
      {"TBtnRotate", 56, "Déplacement / Rotation du gradoir", true},
      {"TBtnDraw", 79, "Crayon", false},
  };
  for (const auto& b : buttons) {
    QToolButton* button = Tool(b.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->geometry(), QRect(b.left, 2, 23, 23)) << b.name;
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.hint)) << b.name;
    EXPECT_EQ(button->isChecked(), b.down) << b.name;
    EXPECT_FALSE(button->icon().isNull()) << b.name;
  }
  EXPECT_FALSE(Tool("TBtnIniGradoPos")->isCheckable());
  ASSERT_NE(Tool("TBtnDraw")->group(), nullptr);
  EXPECT_EQ(Tool("TBtnDraw")->group(), Tool("TBtnRotate")->group());
  EXPECT_TRUE(Tool("TBtnDraw")->group()->exclusive());
  EXPECT_EQ(Tool("TBtnGrado")->group(), nullptr);
}

TEST_F(MainFormTest, StatementWordsEndLeftOfTheAnswerBox) {
  Start();
  Action("MIMesurer")->trigger();
  const QLabel* statement = Label("LblEnonce");
  const int words = QFontMetrics(statement->font()).horizontalAdvance(QStringLiteral("Mesure l'angle tracé :"));
  EXPECT_LE(statement->x() + words, Answer()->x());
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
