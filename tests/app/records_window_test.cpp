// The pupil chosen from a class list in the real window, and the record of
// the series under the pupil's name in a real SQLite file. What a series
// records is the series controller's, tested with it (tests/series).
#include <QDeadlineTimer>
#include <QFile>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "main_window_fixture.h"
#include "modal_answer.h"
#include "records/class_list.h"
#include "records/results_reader.h"
#include "records/results_recorder.h"
#include "records/sql_connection.h"
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

// "Anonyme" is offered, never picked for the pupil: Enter at once (a quick
// OK) files nothing under it and starts nothing.
TEST_F(RecordsWindowTest, AnonymousIsOfferedNotPreselected) {
  const QString list = m_dir.filePath(QStringLiteral("classe.txt"));
  QFile file(list);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Zoé\n");
  file.close();
  start("[NbEx/Serie]\nMesurer=1\n" + baseLine() + "Eleves=" + list.toUtf8() + "\n");
  bool quickOk = false;
  QTimer::singleShot(10, [&quickOk] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    auto* names = modal->findChild<QListWidget*>(QStringLiteral("pupilList"));
    quickOk = names->selectedItems().isEmpty();
    QTest::keyClick(names, Qt::Key_Return);
    // Still open: close it.
    if (QApplication::activeModalWidget() == modal) QTest::keyClick(modal, Qt::Key_Escape);
  });
  action("measureAction")->trigger();
  EXPECT_TRUE(quickOk);
  ASSERT_FALSE(m_form->series().seriesRunning());
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

// Runs the event loop until `condition` holds, for up to `ms`.
template <typename Condition>
bool shownWithin(int ms, Condition condition) {
  QDeadlineTimer deadline(ms);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(20);
  }
  return true;
}

// The line that says results are not stored: from the start for a store
// that cannot be used, as soon as another program holds the file, gone once
// it lets go; a class list that is no text is said there too.
TEST_F(RecordsWindowTest, TheWindowSaysWhenResultsAreNotRecorded) {
  start("[Resultats]\nBase=http://example/x\n");
  EXPECT_TRUE(m_form->recordsStatusText().startsWith(QStringLiteral("Les résultats ne sont pas enregistrés : ")))
      << m_form->recordsStatusText().toStdString();
  m_form.reset();

  const QString list = m_dir.filePath(QStringLiteral("classe.txt"));
  QFile file(list);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  file.close();
  start("[NbEx/Serie]\nMesurer=3\n" + baseLine() + "Eleves=" + list.toUtf8() + "\n");
  EXPECT_TRUE(m_form->recordsStatusText().contains(QStringLiteral("n'est pas un fichier texte")))
      << m_form->recordsStatusText().toStdString();
  m_form.reset();

  start("[NbEx/Serie]\nMesurer=3\n" + baseLine());
  action("measureAction")->trigger();
  ASSERT_TRUE(m_form->series().log().recorder()->waitUntilWritten(std::chrono::seconds(10)));
  EXPECT_EQ(m_form->recordsStatusText(), QString());
  {
    SqlConnection other(base());
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
    answerRight();
    EXPECT_TRUE(shownWithin(8000, [&] {
      return m_form->recordsStatusText().startsWith(QStringLiteral("Résultats en attente : "));
    })) << m_form->recordsStatusText().toStdString();
    other.rollback();
  }
  EXPECT_TRUE(shownWithin(8000, [&] { return m_form->recordsStatusText().isEmpty(); }))
      << m_form->recordsStatusText().toStdString();
  closeWindow();
  EXPECT_EQ(ResultsReader(base()).tries().size(), 1);
}

}  // namespace
}  // namespace gradoir::test
