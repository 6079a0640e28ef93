// The teacher's questions: who worked, how their series went, which
// mistakes came up, narrowed to a pupil or to some days.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "records/results_reader.h"
#include "records/results_recorder.h"
#include "tests/records/sample_records.h"

namespace gradoir {
namespace {

using namespace std::chrono_literals;

const QDateTime kMonday(QDate(2026, 3, 2), QTime(8, 30), Qt::UTC);

class ReaderTest : public testing::Test {
 protected:
  void SetUp() override {
    ResultsRecorder recorder({.localPath = m_path});
    // Two series for Zoé (Monday, Wednesday), one for Élodie and one for
    // françoise on Tuesday.
    addSeries(recorder, QStringLiteral("Zoé"), kMonday, 3);
    addSeries(recorder, QStringLiteral("Élodie"), kMonday.addDays(1), 5);
    addSeries(recorder, QStringLiteral("françoise"), kMonday.addDays(1).addSecs(60), 4);
    addSeries(recorder, QStringLiteral("Zoé"), kMonday.addDays(2), 6);
    ASSERT_TRUE(recorder.waitUntilWritten(10s));
  }

  void addSeries(ResultsRecorder& recorder, const QString& pupil, const QDateTime& start, int length) {
    SeriesRecord series = test::sampleSeries(pupil, start);
    series.length = length;
    recorder.recordSeries(series);
    for (int exercise = 1; exercise <= length; ++exercise) {
      const TryRecord attempt = test::sampleTry(series, exercise);
      series.score += attempt.verdict == Verdict::Right;
      m_tries << attempt;
      recorder.recordTry(attempt);
    }
    series.end = start.addSecs(600);
    recorder.recordSeries(series);
    m_series << series;
  }

  QList<ExplanationCount> expectedCounts(const QString& pupil) const {
    QMap<QString, int> counts;
    for (const TryRecord& t : m_tries) {
      if (t.explanation && (pupil.isEmpty() || t.pupil == pupil)) ++counts[*t.explanation];
    }
    QList<ExplanationCount> list;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) list.append({it.key(), it.value()});
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.count > b.count; });
    return list;
  }

  QTemporaryDir m_dir;
  QString m_path = m_dir.filePath(QStringLiteral("resultats.sqlite"));
  QList<TryRecord> m_tries;
  QList<SeriesRecord> m_series;
};

TEST_F(ReaderTest, PupilsInFrenchOrderNarrowedByDate) {
  ResultsReader reader(m_path);
  ASSERT_TRUE(reader.isOpen()) << reader.errorText().toStdString();
  EXPECT_EQ(reader.pupils(), (QStringList{"Élodie", "françoise", "Zoé"}));
  EXPECT_EQ(reader.pupils({.from = kMonday.addDays(2)}), QStringList{"Zoé"});
  EXPECT_EQ(reader.pupils({.from = kMonday.addDays(1), .until = kMonday.addDays(2)}),
            (QStringList{"Élodie", "françoise"}));
}

TEST_F(ReaderTest, SeriesPerPupilWithScore) {
  ResultsReader reader(m_path);
  const QList<SeriesRecord> all = reader.series();
  ASSERT_EQ(all.size(), 4);
  EXPECT_EQ(all[0], m_series[1]);  // Élodie
  EXPECT_EQ(all[1], m_series[2]);  // françoise
  EXPECT_EQ(all[2], m_series[0]);  // Zoé, Monday first
  EXPECT_EQ(all[3], m_series[3]);
  EXPECT_EQ(reader.series({.pupil = QStringLiteral("Zoé")}), (QList<SeriesRecord>{m_series[0], m_series[3]}));
  EXPECT_EQ(reader.series({.pupil = QStringLiteral("Zoé"), .until = kMonday.addDays(1)}),
            QList<SeriesRecord>{m_series[0]});
}

TEST_F(ReaderTest, ExplanationCountsMostFrequentFirst) {
  ResultsReader reader(m_path);
  const QList<ExplanationCount> all = reader.explanationCounts();
  EXPECT_EQ(all, expectedCounts({}));
  EXPECT_EQ(reader.explanationCounts({.pupil = QStringLiteral("Élodie")}),
            expectedCounts(QStringLiteral("Élodie")));
  int total = 0;
  for (const ExplanationCount& c : all) total += c.count;
  EXPECT_EQ(total, std::count_if(m_tries.cbegin(), m_tries.cend(),
                                 [](const TryRecord& t) { return t.explanation; }));
}

TEST_F(ReaderTest, MissingFileGivesEmptyAnswersAndStaysMissing) {
  const QString missing = m_dir.filePath(QStringLiteral("absent.sqlite"));
  ResultsReader reader(missing);
  EXPECT_FALSE(reader.isOpen());
  EXPECT_FALSE(reader.errorText().isEmpty());
  EXPECT_TRUE(reader.pupils().isEmpty());
  EXPECT_TRUE(reader.tries().isEmpty());
  EXPECT_FALSE(QFile::exists(missing));
}

}  // namespace
}  // namespace gradoir
