// The teacher's window on a real SQLite file: series and scores, counts of
// explanations, filters by pupil and date, export of what it shows.
#include "teacher/teacher_view.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <utility>
#include <vector>

#include "records/results_recorder.h"

namespace gradoir {
namespace {

using namespace std::chrono_literals;

class TeacherViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResultsRecorder recorder({.localPath = m_path});
    // Zoé three days ago, Élodie today.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    addSeries(recorder, QStringLiteral("Zoé"), now.addDays(-3), {true, false, true});
    addSeries(recorder, QStringLiteral("Élodie"), now, {false, false});
    ASSERT_TRUE(recorder.waitUntilWritten(10s));
  }

  void addSeries(ResultsRecorder& recorder, const QString& pupil, const QDateTime& start, QList<bool> right) {
    SeriesRecord s{newRecordId(),     pupil, ExerciseKind::Measuring,       start,
                   start.addSecs(60), 0,     static_cast<int>(right.size())};
    for (int i = 0; i < right.size(); ++i) {
      TryRecord t;
      t.id = newRecordId();
      t.time = start.addSecs(10 * i);
      t.pupil = pupil;
      t.seriesId = s.id;
      t.exercise = i + 1;
      t.target = 30;
      t.answer = right[i] ? 30 : 150;
      t.verdict = right[i] ? Verdict::Right : Verdict::Wrong;
      if (!right[i]) t.explanation = QStringLiteral("échelle-inversée");
      s.score += right[i];
      recorder.recordTry(t);
    }
    recorder.recordSeries(s);
  }

  QTemporaryDir m_dir;
  QString m_path = m_dir.filePath(QStringLiteral("r.sqlite"));
};

TEST_F(TeacherViewTest, ShowsSeriesScoresAndExplanations) {
  TeacherView view(m_path);
  auto* series = view.findChild<QTableWidget*>(QStringLiteral("seriesTable"));
  auto* explanations = view.findChild<QTableWidget*>(QStringLiteral("explanationTable"));
  ASSERT_EQ(series->rowCount(), 2);
  QStringList seen;
  for (int row = 0; row < 2; ++row) seen << series->item(row, 0)->text() + ' ' + series->item(row, 4)->text();
  EXPECT_TRUE(seen.contains(QStringLiteral("Zoé 2/3")));
  EXPECT_TRUE(seen.contains(QStringLiteral("Élodie 0/2")));
  ASSERT_EQ(explanations->rowCount(), 1);
  EXPECT_EQ(explanations->item(0, 0)->text(), QStringLiteral("échelle-inversée"));
  EXPECT_EQ(explanations->item(0, 1)->text(), QStringLiteral("3"));
}

TEST_F(TeacherViewTest, FiltersByPupilAndDate) {
  TeacherView view(m_path);
  auto* pupil = view.findChild<QComboBox*>(QStringLiteral("pupilFilter"));
  auto* series = view.findChild<QTableWidget*>(QStringLiteral("seriesTable"));
  ASSERT_EQ(pupil->count(), 3);  // every pupil, then each by name
  pupil->setCurrentText(QStringLiteral("Zoé"));
  ASSERT_EQ(series->rowCount(), 1);
  EXPECT_EQ(series->item(0, 0)->text(), QStringLiteral("Zoé"));
  pupil->setCurrentIndex(0);
  // From yesterday on: only today's series.
  auto* from = view.findChildren<QDateEdit*>().first();
  from->setDate(QDate::currentDate().addDays(-1));
  view.findChildren<QCheckBox*>().first()->setChecked(true);
  ASSERT_EQ(series->rowCount(), 1);
  EXPECT_EQ(series->item(0, 0)->text(), QStringLiteral("Élodie"));
}

TEST_F(TeacherViewTest, ExportsTheTriesItShows) {
  TeacherView view(m_path);
  view.findChild<QComboBox*>(QStringLiteral("pupilFilter"))->setCurrentText(QStringLiteral("Élodie"));
  const QString csv = m_dir.filePath(QStringLiteral("élodie.csv"));
  ASSERT_TRUE(view.exportTo(csv));
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
  EXPECT_EQ(bytes.count("\r\n"), 3);  // header and Élodie's two tries
  EXPECT_FALSE(bytes.contains("Zo\xC3\xA9"));
}

TEST_F(TeacherViewTest, AMissingStoreSaysSo) {
  TeacherView view(m_dir.filePath(QStringLiteral("absent.sqlite")));
  EXPECT_EQ(view.findChild<QTableWidget*>(QStringLiteral("seriesTable"))->rowCount(), 0);
  EXPECT_FALSE(view.findChild<QLabel*>(QStringLiteral("status"))->text().isEmpty());
}

// At the smallest size its layout allows, in French and in English, the
// window shows every text whole and lays no control over another.
TEST_F(TeacherViewTest, SmallestWindowFitsItsTextsInFrenchAndEnglish) {
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English" : "French");
    QTranslator translator;
    if (english) {
      if (!translator.load(QStringLiteral(GRADOIR_EN_QM))) GTEST_SKIP() << "no English translation built";
      QCoreApplication::installTranslator(&translator);
    }
    TeacherView view(m_path);
    QCoreApplication::removeTranslator(&translator);
    EXPECT_EQ(view.findChild<QPushButton*>(QStringLiteral("exportButton"))->text(),
              english ? QStringLiteral("Export as CSV...") : QStringLiteral("Exporter en CSV..."));
    view.resize(1, 1);
    view.show();
    std::vector<std::pair<QString, QRect>> seen;
    for (QWidget* control : view.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!control->isVisible()) continue;
      const QSize needed = control->minimumSizeHint();
      EXPECT_GE(control->width(), needed.width()) << control->objectName().toStdString();
      EXPECT_GE(control->height(), needed.height()) << control->objectName().toStdString();
      EXPECT_TRUE(view.rect().contains(control->geometry())) << control->objectName().toStdString();
      for (const auto& [other, place] : seen) {
        EXPECT_FALSE(place.intersects(control->geometry()))
            << control->objectName().toStdString() << " overlaps " << other.toStdString();
      }
      seen.emplace_back(control->objectName(), control->geometry());
    }
    EXPECT_EQ(seen.size(), 12u);
  }
}

}  // namespace
}  // namespace gradoir
