// The teacher's questions: who worked, how their series went, which
// mistakes came up, narrowed to a pupil or to some days.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <tuple>

#include "records/results_reader.h"
#include "records/results_recorder.h"
#include "records/schema.h"
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

TEST_F(ReaderTest, MistakesByPupilAndKindLevelsAndOneSeriesTries) {
  ResultsReader reader(m_path);
  QMap<std::tuple<QString, int, QString>, int> expected;
  for (const TryRecord& t : m_tries) {
    if (t.explanation) ++expected[{t.pupil, static_cast<int>(t.kind), *t.explanation}];
  }
  const QList<MistakeCount> counts = reader.mistakeCounts();
  QMap<std::tuple<QString, int, QString>, int> found;
  for (const MistakeCount& c : counts) found[{c.pupil, static_cast<int>(c.kind), c.code}] += c.count;
  EXPECT_EQ(found, expected);
  // Within a pupil, most frequent first.
  for (qsizetype i = 1; i < counts.size(); ++i) {
    if (counts[i].pupil == counts[i - 1].pupil) EXPECT_LE(counts[i].count, counts[i - 1].count) << i;
  }
  EXPECT_EQ(reader.seriesLevels().size(), m_series.size());
  const QList<TryRecord> ofSeries = reader.triesOfSeries(m_series[3].id);
  ASSERT_EQ(ofSeries.size(), m_series[3].length);
  for (qsizetype i = 0; i < ofSeries.size(); ++i) EXPECT_EQ(ofSeries[i].exercise, i + 1);
}

// A store an older program made: version 1, no count of exercises played,
// an abandoned series without an end. Opened, it is brought up to date and
// each series reads right, played and planned.
TEST(ReaderMigration, AnOlderStoreReadsWhatEachSeriesDid) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("ancien.sqlite"));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    for (const char* sql :
         {"CREATE TABLE schema_version (version INTEGER NOT NULL)", "INSERT INTO schema_version VALUES (1)",
          "CREATE TABLE tries (id TEXT PRIMARY KEY, recorded_at TEXT NOT NULL, pupil TEXT NOT NULL, series_id TEXT NOT "
          "NULL, exercise INTEGER NOT NULL, kind TEXT NOT NULL, step INTEGER NOT NULL, min_measure INTEGER NOT NULL, "
          "max_measure INTEGER NOT NULL, tolerance INTEGER NOT NULL, protractor_placed INTEGER NOT NULL, estimation "
          "INTEGER NOT NULL, target INTEGER NOT NULL, answer INTEGER, verdict TEXT NOT NULL, explanation TEXT, seconds "
          "DOUBLE PRECISION NOT NULL)",
          "CREATE TABLE series (id TEXT PRIMARY KEY, pupil TEXT NOT NULL, kind TEXT NOT NULL, started_at TEXT NOT "
          "NULL, ended_at TEXT, score INTEGER NOT NULL, length INTEGER NOT NULL)",
          // Complete: 7 of 10. Abandoned: exercise 1 right, 2 wrong twice, 3 an estimate only.
          "INSERT INTO series VALUES ('fini', 'Zoé', 'mesurer', '2026-03-02T08:00:00.000Z', "
          "'2026-03-02T08:10:00.000Z', 7, 10)",
          "INSERT INTO series VALUES ('laissé', 'Zoé', 'mesurer', '2026-03-03T08:00:00.000Z', NULL, 0, 10)"}) {
      ASSERT_TRUE(q.exec(QString::fromUtf8(sql))) << sql;
    }
    const QList<std::tuple<int, const char*>> tries{{1, "juste"}, {2, "faux"}, {2, "faux"}, {3, "estimation"}};
    int n = 0;
    for (const auto& [exercise, verdict] : tries) {
      ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO tries VALUES ('t%1', '2026-03-03T08:0%1:00.000Z', 'Zoé', "
                                        "'laissé', %2, 'mesurer', 1, 5, 175, 0, 0, 0, 40, 41, '%3', NULL, 3.0)")
                             .arg(++n)
                             .arg(exercise)
                             .arg(QLatin1String(verdict))));
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("v1"));
  ResultsReader reader(path);
  ASSERT_TRUE(reader.isOpen()) << reader.errorText().toStdString();
  const QList<SeriesRecord> series = reader.series();
  ASSERT_EQ(series.size(), 2);
  struct Expected {
    const char* id;
    int right, played, planned;
    bool complete;
  };
  for (const Expected& e : {Expected{"fini", 7, 10, 10, true}, Expected{"laissé", 1, 2, 10, false}}) {
    SCOPED_TRACE(e.id);
    const auto s = std::find_if(series.cbegin(), series.cend(),
                                [&e](const SeriesRecord& r) { return r.id == QString::fromUtf8(e.id); });
    ASSERT_NE(s, series.cend());
    EXPECT_EQ(s->score, e.right);
    EXPECT_EQ(s->played, e.played);
    EXPECT_EQ(s->length, e.planned);
    EXPECT_EQ(s->complete(), e.complete);
  }
  EXPECT_EQ(test::queryValue(path, QStringLiteral("SELECT version FROM schema_version")).toInt(),
            latestSchemaVersion());
  EXPECT_EQ(reader.seriesLevels().value(QStringLiteral("laissé")), (Level{1, 5, 175, 0, false, false}));
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
