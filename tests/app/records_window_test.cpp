// The record of a real window in a real SQLite file: one row per try with
// its values, one per series, the pupil chosen from a class list.
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <set>
#include <tuple>

#include "series/series_log.h"
#include "main_window_fixture.h"
#include "modal_answer.h"
#include "records/class_list.h"
#include "records/results_reader.h"
#include "records/results_recorder.h"

namespace gradoir::test {
namespace {

using namespace std::chrono_literals;

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

TEST_F(RecordsWindowTest, APlayedSeriesGivesOneRowPerTry) {
  start("[NbEx/Serie]\nMesurer=3\n[Angle]\nPas=5\nTolerance=1\n" + baseLine());
  action("measureAction")->trigger();
  struct Expected {
    int exercise, target, answer;
    Verdict verdict;
  };
  QList<Expected> expected;
  auto give = [&](int answer) {
    const int target = canvas().angleMeasure().value_or(0);
    const int exercise = m_form->series().exerciseNumber();
    type(QString::number(answer));
    expected.append({exercise, target, answer,
                     std::abs(answer - target) <= 1 ? Verdict::Right : Verdict::Wrong});
  };
  give(canvas().angleMeasure().value_or(0) + 1);  // right, within the tolerance
  button("nextButton")->click();
  give(canvas().angleMeasure().value_or(0) + 20);
  give(canvas().angleMeasure().value_or(0));
  button("nextButton")->click();
  give(canvas().angleMeasure().value_or(0) + 30);
  give(canvas().angleMeasure().value_or(0) + 40);  // typing lets no sign through
  const auto seen = answerNextModal(QStringLiteral("OK"));
  give(canvas().angleMeasure().value_or(0) + 2);
  ASSERT_TRUE(seen->shown);
  closeWindow();

  ResultsReader reader(base());
  ASSERT_TRUE(reader.isOpen()) << reader.errorText().toStdString();
  const QList<TryRecord> tries = reader.tries();
  ASSERT_EQ(tries.size(), expected.size());
  const QList<SeriesRecord> series = reader.series();
  ASSERT_EQ(series.size(), 1);
  EXPECT_EQ(series[0].pupil, defaultPupilName());
  EXPECT_EQ(series[0].kind, ExerciseKind::Measuring);
  EXPECT_EQ(series[0].score, 2);
  EXPECT_EQ(series[0].length, 3);
  ASSERT_TRUE(series[0].end);
  EXPECT_LE(series[0].start, *series[0].end);
  // Tries given within one millisecond have no order in the store: compare
  // the rows as a set.
  std::multiset<std::tuple<int, int, int, int>> wanted, stored;
  for (const Expected& e : expected) wanted.insert({e.exercise, e.target, e.answer, static_cast<int>(e.verdict)});
  for (const TryRecord& t : tries) {
    stored.insert({t.exercise, t.target, t.answer.value_or(-1), static_cast<int>(t.verdict)});
  }
  EXPECT_EQ(stored, wanted);
  QSet<QString> ids;
  for (qsizetype i = 0; i < tries.size(); ++i) {
    const TryRecord& t = tries[i];
    EXPECT_EQ(t.target % 5, 0) << i;
    EXPECT_EQ(t.kind, ExerciseKind::Measuring);
    EXPECT_EQ(t.pupil, defaultPupilName());
    EXPECT_EQ(t.seriesId, series[0].id);
    EXPECT_EQ(t.level, (Level{5, 5, 175, 1, false, false}));
    // A wrong try keeps the code of the mistake it shows; a right one none.
    EXPECT_EQ(t.explanation.has_value(), t.verdict == Verdict::Wrong) << i;
    EXPECT_GE(t.seconds, 0.0);
    EXPECT_LT(t.seconds, 60.0);
    EXPECT_GE(t.time, series[0].start);
    EXPECT_LE(t.time, *series[0].end);
    ids.insert(t.id);
  }
  EXPECT_EQ(ids.size(), tries.size());
}

// The record names the mistake of a wrong try, whatever the window shows.
TEST_F(RecordsWindowTest, AWrongTryKeepsTheCodeOfItsMistake) {
  start("[NbEx/Serie]\nMesurer=2\n" + baseLine());
  action("measureAction")->trigger();
  type(QStringLiteral("181"));  // beyond what an angle drawn here measures
  closeWindow();

  ResultsReader reader(base());
  ASSERT_TRUE(reader.isOpen()) << reader.errorText().toStdString();
  const QList<TryRecord> tries = reader.tries();
  ASSERT_EQ(tries.size(), 1);
  EXPECT_EQ(tries[0].verdict, Verdict::Wrong);
  EXPECT_EQ(tries[0].explanation, std::optional<QString>(QStringLiteral("out-of-range")));
}

TEST_F(RecordsWindowTest, DrawingTriesAndEstimatesAreRecorded) {
  start("[NbEx/Serie]\nTracer=1\nMesurer=1\n[Angle]\nEstimation=1\n" + baseLine());
  action("drawAction")->trigger();
  const int target = m_form->series().targetMeasure();
  drawSide(-(target + 4));
  button("checkButton")->click();
  const auto end = answerNextModal(QStringLiteral("OK"));
  drawSide(target);
  button("checkButton")->click();
  ASSERT_TRUE(end->shown);
  action("measureAction")->trigger();
  const int measure = canvas().angleMeasure().value_or(0);
  const auto told = answerNextModal(QStringLiteral("OK"));
  type(QString::number(measure + 40));  // the estimate
  ASSERT_TRUE(told->shown);
  const auto end2 = answerNextModal(QStringLiteral("OK"));
  answerRight();
  ASSERT_TRUE(end2->shown);
  closeWindow();

  ResultsReader reader(base());
  QList<TryRecord> tries = reader.tries();
  ASSERT_EQ(tries.size(), 4);
  // In the order given; tries within one millisecond have none in the store.
  std::sort(tries.begin(), tries.end(), [](const TryRecord& a, const TryRecord& b) {
    auto key = [](const TryRecord& t) {
      return std::tuple{t.kind == ExerciseKind::Measuring, t.verdict != Verdict::Wrong, t.verdict != Verdict::Estimate};
    };
    return key(a) < key(b);
  });
  EXPECT_EQ(tries[0].kind, ExerciseKind::Drawing);
  EXPECT_EQ(tries[0].target, target);
  EXPECT_EQ(tries[0].answer, target + 4);  // the opening, whichever way drawn
  EXPECT_EQ(tries[0].verdict, Verdict::Wrong);
  EXPECT_EQ(tries[1].verdict, Verdict::Right);
  EXPECT_EQ(tries[2].kind, ExerciseKind::Measuring);
  EXPECT_EQ(tries[2].verdict, Verdict::Estimate);
  EXPECT_EQ(tries[2].answer, measure + 40);
  EXPECT_TRUE(tries[2].level.estimation);
  EXPECT_EQ(tries[3].verdict, Verdict::Right);
  const QList<SeriesRecord> series = reader.series();
  ASSERT_EQ(series.size(), 2);
  // Estimates are not scored.
  for (const SeriesRecord& s : series) EXPECT_EQ(s.score, 1);
}

TEST_F(RecordsWindowTest, AnAbandonedSeriesKeepsItsTriesAndNoEnd) {
  start("[NbEx/Serie]\nMesurer=5\n" + baseLine());
  action("measureAction")->trigger();
  answerWrong();
  const auto seen = answerNextModal(QStringLiteral("&Oui"));
  action("measureAction")->trigger();
  ASSERT_TRUE(seen->shown);
  answerRight();
  closeWindow();
  ResultsReader reader(base());
  EXPECT_EQ(reader.tries().size(), 2);
  const QList<SeriesRecord> series = reader.series();
  ASSERT_EQ(series.size(), 2);
  for (const SeriesRecord& s : series) EXPECT_FALSE(s.end);
}

TEST_F(RecordsWindowTest, RecordingOffWritesNothing) {
  start("[NbEx/Serie]\nMesurer=1\n" + baseLine() + "Enregistrer=0\n");
  EXPECT_EQ(m_form->series().log().recorder(), nullptr);
  action("measureAction")->trigger();
  const auto seen = answerNextModal(QStringLiteral("OK"));
  answerRight();
  closeWindow();
  EXPECT_FALSE(QFile::exists(base()));
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
