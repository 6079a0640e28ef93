// The pupil chosen from a class list in the real window, and the record of
// the series under the pupil's name in a real SQLite file. What a series
// records is the series controller's, tested with it (tests/series).
#include <QFile>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "main_window_fixture.h"
#include "modal_answer.h"
#include "records/class_list.h"
#include "records/results_reader.h"
#include "series/series_log.h"

namespace gradoir::test {
namespace {

class RecordsWindowTest : public MainWindowTest {
 protected:
  QString base() const { return m_dir.filePath(QStringLiteral("résultats.sqlite")); }
  QByteArray baseLine() const { return "[Resultats]\nBase=" + base().toUtf8() + "\n"; }
  // Closes the window: its recorder commits everything before it goes.
  void closeWindow() { m_form.reset(); }
};

// Picks `name` in the pupil chooser when it opens ("" cancels it).
void choosePupilWhenAsked(const QString& name, bool* asked) {
  QTimer::singleShot(10, [=] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal->objectName() != QLatin1String("pupilChooser")) {
      choosePupilWhenAsked(name, asked);
      return;
    }
    *asked = true;
    auto* list = modal->findChild<QListWidget*>(QStringLiteral("pupilList"));
    const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
    if (name.isEmpty() || items.isEmpty()) {
      QTest::keyClick(modal, Qt::Key_Escape);
      return;
    }
    list->setCurrentItem(items.first());
    QTest::keyClick(list, Qt::Key_Return);
  });
}

TEST_F(RecordsWindowTest, ThePupilChoosesANameFromTheClassList) {
  const QString list = m_dir.filePath(QStringLiteral("classe.txt"));
  QFile file(list);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\xEF\xBB\xBFZo\xC3\xA9\r\n\r\n\xC3\x89lodie\n  Jean   Paul \n");
  file.close();
  start("[NbEx/Serie]\nMesurer=1\n" + baseLine() + "Eleves=" + list.toUtf8() + "\n");
  EXPECT_EQ(m_form->windowTitle(), QStringLiteral("Gradoir"));

  // Closing the chooser starts nothing.
  bool asked = false;
  choosePupilWhenAsked(QString(), &asked);
  action("measureAction")->trigger();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(m_form->series().seriesRunning());
  EXPECT_EQ(canvas().angle(), nullptr);

  asked = false;
  choosePupilWhenAsked(QStringLiteral("Zoé"), &asked);
  action("measureAction")->trigger();
  ASSERT_TRUE(asked);
  EXPECT_TRUE(m_form->series().seriesRunning());
  EXPECT_EQ(m_form->windowTitle(), QStringLiteral("Gradoir - Zoé"));
  // Beside the progress too, where the pupil looks during the series.
  EXPECT_EQ(m_form->pupilStatusText(), QStringLiteral("Élève : Zoé"));
  EXPECT_EQ(m_form->progressText(), QStringLiteral("Exercice 1 sur 1"));
  QAction* change = action("changePupilAction");
  EXPECT_FALSE(change->isEnabled());  // not in the middle of a series
  auto seen = answerNextModal(QStringLiteral("OK"));
  answerRight();
  ASSERT_TRUE(seen->shown);
  EXPECT_TRUE(change->isEnabled());

  // Chosen once: the next series does not ask again; the menu changes it.
  asked = false;
  choosePupilWhenAsked(QStringLiteral("Jean Paul"), &asked);
  change->trigger();
  ASSERT_TRUE(asked);
  EXPECT_EQ(m_form->windowTitle(), QStringLiteral("Gradoir - Jean Paul"));
  EXPECT_EQ(m_form->pupilStatusText(), QStringLiteral("Élève : Jean Paul"));
  action("measureAction")->trigger();
  seen = answerNextModal(QStringLiteral("OK"));
  answerRight();
  closeWindow();

  ResultsReader reader(base());
  EXPECT_EQ(reader.pupils(), (QStringList{QStringLiteral("Jean Paul"), QStringLiteral("Zoé")}));
  ResultsFilter zoe;
  zoe.pupil = QStringLiteral("Zoé");
  EXPECT_EQ(reader.tries(zoe).size(), 1);
}

TEST_F(RecordsWindowTest, AnonymousIsOffered) {
  const QString list = m_dir.filePath(QStringLiteral("classe.txt"));
  QFile file(list);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Zoé\n");
  file.close();
  start("[NbEx/Serie]\nMesurer=1\n" + baseLine() + "Eleves=" + list.toUtf8() + "\n");
  bool asked = false;
  choosePupilWhenAsked(QStringLiteral("Anonyme"), &asked);
  action("measureAction")->trigger();
  ASSERT_TRUE(asked);
  EXPECT_EQ(m_form->series().log().pupil(), QStringLiteral("Anonyme"));
}

TEST_F(RecordsWindowTest, AnEmptyClassListAsksNobody) {
  const QString list = m_dir.filePath(QStringLiteral("vide.txt"));
  QFile file(list);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\n\n  \n");
  file.close();
  start("[Resultats]\nEleves=" + list.toUtf8() + "\n");
  action("measureAction")->trigger();
  EXPECT_TRUE(m_form->series().seriesRunning());
  EXPECT_EQ(m_form->series().log().pupil(), defaultPupilName());
}

}  // namespace
}  // namespace gradoir::test
