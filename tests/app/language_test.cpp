// The window in the language chosen from the environment the test runs in
// (LANGUAGE, LANG…), as the program chooses it at start-up. CTest runs this
// program once per environment; GRADOIR_EXPECTED_LANGUAGE says what it must
// show: "en" or "fr".
#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <cstdlib>

#include "app/translations.h"
#include "ui/statement_label.h"
#include "ui/exercise_chooser.h"
#include "main_window_fixture.h"
#include "modal_answer.h"

namespace gradoir::test {
namespace {

QString g_chosen;

bool english() { return qEnvironmentVariable("GRADOIR_EXPECTED_LANGUAGE") == QLatin1String("en"); }

// The same text in both languages; the one expected here.
QString says(const char* french, const char* inEnglish) {
  return QString::fromUtf8(english() ? inEnglish : french);
}

QString accessibleName(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

using LanguageTest = MainWindowTest;

TEST_F(LanguageTest, TheLanguageComesFromTheEnvironment) {
  EXPECT_EQ(g_chosen, english() ? QLatin1String("en") : QLatin1String("fr"))
      << "LANGUAGE=" << qgetenv("LANGUAGE").toStdString() << " LANG=" << qgetenv("LANG").toStdString();
}

TEST_F(LanguageTest, MenusToolBoxAndNamesSpeakIt) {
  start();
  QStringList menus;
  for (QAction* a : m_form->menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{says("&Exercice", "&Exercise"), says("&Aide", "&Help")}));
  EXPECT_EQ(action("measureAction")->text(), says("&Mesurer un angle", "&Measure an angle"));
  EXPECT_EQ(action("drawAction")->text(), says("&Tracer un angle", "&Draw an angle"));
  EXPECT_EQ(action("quitAction")->text(), says("&Quitter", "&Quit"));
  EXPECT_EQ(toolBox().caption(), says("Boîte à outils", "Toolbox"));
  EXPECT_EQ(button("checkButton")->toolTip(), says("Vérifier", "Check"));
  EXPECT_EQ(accessibleName(button("checkButton")), says("Vérifier", "Check"));
  EXPECT_EQ(accessibleName(tool("moveTurnButton")),
            says("Déplacer et tourner le rapporteur", "Move and turn the protractor"));
  EXPECT_EQ(accessibleName(&canvas()), says("Exercice", "Exercise"));
  EXPECT_EQ(m_form->windowTitle(), QStringLiteral("Gradoir"));
  // The exercise chooser shown over the canvas at start.
  EXPECT_EQ(label("chooserTitle")->text(), says("Choisis un exercice :", "Choose an exercise:"));
  EXPECT_EQ(m_form->chooser().measureButton()->text(), says("Mesurer un angle", "Measure an angle"));
  EXPECT_EQ(m_form->chooser().drawButton()->text(), says("Tracer un angle", "Draw an angle"));
}

TEST_F(LanguageTest, AnExerciseSpeaksIt) {
  start("[NbEx/Serie]\nMesurer=4\n");
  action("measureAction")->trigger();
  EXPECT_EQ(m_form->progressText(), says("Exercice 1 sur 4", "Exercise 1 of 4"));
  const QLabel* statement = label("statementLabel");
  EXPECT_TRUE(statement->text().startsWith(says("Mesure l'angle tracé :", "Measure the angle:")))
      << statement->text().toStdString();
  // The degree sign shows right of the answer box that covers the blanks,
  // and inside its label.
  // The label draws its run of blanks as wide as the box needs.
  const auto* drawn = qobject_cast<const StatementLabel*>(statement);
  ASSERT_NE(drawn, nullptr);
  const auto [blankStart, blankWidth] = drawn->blankRun();
  ASSERT_GE(blankStart, 0) << statement->text().toStdString();
  EXPECT_GE(statement->x() + blankStart + blankWidth, answer()->geometry().right())
      << statement->text().toStdString();
  EXPECT_LE(drawn->textWidth(), statement->width()) << statement->text().toStdString();
  answerWrong();
  EXPECT_EQ(label("verdictLabel")->text(), says("Erreur ...", "Wrong..."));
  EXPECT_EQ(accessibleName(label("tryLamps")),
            says("Essais : faux, pas encore, pas encore", "Tries: wrong, not yet, not yet"));
  answerRight();
  EXPECT_EQ(label("verdictLabel")->text(), says("Bonne réponse !", "Right answer!"));
  EXPECT_EQ(label("scoreLabel")->toolTip(), says("1 exercice réussi sur 1", "1 of 1 exercises right"));

  const std::shared_ptr<ModalSeen> abandon = answerNextModal(says("&Oui", "&Yes"));
  action("drawAction")->trigger();
  ASSERT_TRUE(abandon->shown);
  EXPECT_EQ(statement->text(),
            says("Trace un angle de %1°.", "Draw an angle of %1°.").arg(m_form->series().targetMeasure()));
}

TEST_F(LanguageTest, MessageBoxesAndTheToolkitSpeakIt) {
  start();
  action("measureAction")->trigger();
  answer()->setText(QStringLiteral("12a"));  // as a paste leaves it: no number
  std::shared_ptr<ModalSeen> seen = answerNextModal(QStringLiteral("OK"));
  QTest::keyClick(answer(), Qt::Key_Return);
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->title, says("Erreur", "Error"));
  EXPECT_EQ(seen->text, says("Valeur incorrecte !", "Incorrect value!"));

  seen = answerNextModal(says("&Non", "&No"));
  action("drawAction")->trigger();
  ASSERT_TRUE(seen->shown);
  EXPECT_EQ(seen->buttons, (QStringList{says("&Oui", "&Yes"), says("&Non", "&No")}));
  EXPECT_EQ(seen->text,
            says("Abandonner la série d'exercices en cours ?", "Abandon the current series of exercises?"));

  // The toolkit's own texts: the answer box's context menu.
  answer()->setText(QStringLiteral("12"));
  std::unique_ptr<QMenu> menu(answer()->createStandardContextMenu());
  QStringList texts;
  for (QAction* a : menu->actions())
    texts << a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
  EXPECT_TRUE(texts.contains(says("Copier", "Copy"))) << texts.join(u'|').toStdString();
}

}  // namespace
}  // namespace gradoir::test

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  // As the program does, before any window.
  gradoir::test::g_chosen = gradoir::installTranslations(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
