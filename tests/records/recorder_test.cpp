// The local store as the series controller uses it: what lands in the file,
// once, and what happens when the file cannot be written yet.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTimeZone>

#include "records/pending_journal.h"
#include "records/results_location.h"
#include "records/results_reader.h"
#include "records/results_recorder.h"
#include "records/schema.h"
#include "records/sql_connection.h"
#include "tests/records/sample_records.h"

namespace gradoir {
namespace {

using namespace std::chrono_literals;
using test::queryValue;
using test::sampleSeries;
using test::sampleTry;

class RecorderTest : public testing::Test {
 protected:
  QTemporaryDir m_dir;
  QString m_path = m_dir.filePath(QStringLiteral("resultats.sqlite"));
};

TEST_F(RecorderTest, SeriesGivesOneRowPerTryWithItsValuesAndOneSeriesRow) {
  SeriesRecord series = sampleSeries(QStringLiteral("Zoé Müller"), QDateTime::currentDateTimeUtc());
  QList<TryRecord> tries;
  {
    ResultsRecorder recorder({.localPath = m_path});
    recorder.recordSeries(series);
    for (int exercise = 1; exercise <= 6; ++exercise) {
      tries << sampleTry(series, exercise);
      recorder.recordTry(tries.last());
    }
    series.end = tries.last().time.addMSecs(500);
    series.score = 2;
    recorder.recordSeries(series);
    ASSERT_TRUE(recorder.waitUntilWritten(10s)) << recorder.lastError().toStdString();
    EXPECT_TRUE(recorder.lastError().isEmpty());
  }
  ResultsReader reader(m_path);
  EXPECT_EQ(reader.tries(), tries);
  EXPECT_EQ(reader.series(), QList<SeriesRecord>{series});
  EXPECT_EQ(queryValue(m_path, QStringLiteral("SELECT COUNT(*) FROM tries")).toInt(), 6);
  // Nothing is kept for a server when there is none.
  EXPECT_EQ(queryValue(m_path, QStringLiteral("SELECT COUNT(*) FROM outbox")).toInt(), 0);
}

TEST_F(RecorderTest, TryHandedOverTwiceIsStoredOnce) {
  const SeriesRecord series = sampleSeries(QStringLiteral("Léo"), QDateTime::currentDateTimeUtc());
  TryRecord attempt = sampleTry(series, 1);
  const double firstSeconds = attempt.seconds;
  ResultsRecorder recorder({.localPath = m_path});
  recorder.recordTry(attempt);
  attempt.seconds = firstSeconds + 90.0;  // a second hand-over must not overwrite the first
  recorder.recordTry(attempt);
  ASSERT_TRUE(recorder.waitUntilWritten(10s));
  EXPECT_EQ(queryValue(m_path, QStringLiteral("SELECT COUNT(*) FROM tries")).toInt(), 1);
  EXPECT_DOUBLE_EQ(queryValue(m_path, QStringLiteral("SELECT seconds FROM tries")).toDouble(), firstSeconds);
}

TEST_F(RecorderTest, FileKeepsWalModeAndOneSchemaVersionAcrossOpenings) {
  for (int opening = 0; opening < 2; ++opening) {
    ResultsRecorder recorder({.localPath = m_path});
    recorder.recordTry(sampleTry(sampleSeries(QStringLiteral("Ana"), QDateTime::currentDateTimeUtc()), 1));
    ASSERT_TRUE(recorder.waitUntilWritten(10s));
  }
  EXPECT_EQ(queryValue(m_path, QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
  EXPECT_EQ(queryValue(m_path, QStringLiteral("SELECT COUNT(*) FROM schema_version")).toInt(), 1);
  EXPECT_EQ(queryValue(m_path, QStringLiteral("SELECT version FROM schema_version")).toInt(), latestSchemaVersion());
  EXPECT_GE(latestSchemaVersion(), 2);
  // Durability is per connection: every connection the store opens has it.
  EXPECT_EQ(queryValue(m_path, QStringLiteral("PRAGMA synchronous")).toInt(), 2);  // FULL
}

// A file made before the pupil's path gets its table when a newer program
// opens it, keeps its tries, and the path's steps read back in their order.
TEST_F(RecorderTest, AnOlderFileGetsThePathAndKeepsItsTries) {
  const SeriesRecord series = sampleSeries(QStringLiteral("Ana"), QDateTime::currentDateTimeUtc());
  {
    ResultsRecorder recorder({.localPath = m_path});
    recorder.recordTry(sampleTry(series, 1));
    ASSERT_TRUE(recorder.waitUntilWritten(10s));
  }
  {
    SqlConnection older(m_path);
    ASSERT_TRUE(older.exec(QStringLiteral("DROP TABLE path_steps")));
    ASSERT_TRUE(older.exec(QStringLiteral("UPDATE schema_version SET version = 1")));
  }
  // Two steps in one millisecond: their numbers keep them in order.
  const QDateTime now = QDateTime::currentDateTimeUtc();
  const QList<PathStepRecord> steps{
      {newRecordId(), now, QStringLiteral("Ana"), ExerciseKind::Measuring, 1, 1, true, 1, 1},
      {newRecordId(), now, QStringLiteral("Ana"), ExerciseKind::Measuring, 2, 1, false, 3, 2},
      {newRecordId(), now, QStringLiteral("Ana"), ExerciseKind::Drawing, 1, 1, true, 2, 1},
      {newRecordId(), now, QStringLiteral("Éloi"), ExerciseKind::Drawing, 1, 1, true, 1, 3}};
  {
    ResultsRecorder recorder({.localPath = m_path});
    for (qsizetype i = steps.size(); i-- > 0;) recorder.recordPathStep(steps[i]);
    ASSERT_TRUE(recorder.waitUntilWritten(10s)) << recorder.lastError().toStdString();
  }
  EXPECT_EQ(queryValue(m_path, QStringLiteral("SELECT version FROM schema_version")).toInt(), latestSchemaVersion());
  ResultsReader reader(m_path);
  EXPECT_EQ(reader.tries().size(), 1);
  EXPECT_EQ(reader.pathSteps(QStringLiteral("Ana"), ExerciseKind::Measuring), steps.mid(0, 2));
  EXPECT_EQ(reader.pathSteps(QStringLiteral("Ana"), ExerciseKind::Drawing), steps.mid(2, 1));
  const QList<PupilPathLevels> expected{{QStringLiteral("Ana"), 2, 1}, {QStringLiteral("Éloi"), std::nullopt, 3}};
  EXPECT_EQ(reader.pathLevels(), expected);
}

TEST_F(RecorderTest, TriesWaitForAFolderThatAppearsLater) {
  const QString folder = m_dir.filePath(QStringLiteral("pas-encore"));
  const QString path = folder + QStringLiteral("/resultats.sqlite");
  ResultsRecorder recorder({.localPath = path, .retryDelay = 50ms});
  const SeriesRecord series = sampleSeries(QStringLiteral("Inès"), QDateTime::currentDateTimeUtc());
  recorder.recordTry(sampleTry(series, 1));
  recorder.recordTry(sampleTry(series, 2));
  EXPECT_FALSE(recorder.waitUntilWritten(300ms));
  EXPECT_FALSE(recorder.lastError().isEmpty());

  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(recorder.waitUntilWritten(10s));
  EXPECT_TRUE(recorder.lastError().isEmpty());
  EXPECT_EQ(queryValue(path, QStringLiteral("SELECT COUNT(*) FROM tries")).toInt(), 2);
}

TEST_F(RecorderTest, DefaultFileIsUnderXdgDataHome) {
  const QByteArray saved = qgetenv("XDG_DATA_HOME");
  const QString dataHome = m_dir.filePath(QStringLiteral("données"));
  qputenv("XDG_DATA_HOME", dataHome.toLocal8Bit());
  {
    ResultsRecorder recorder;
    EXPECT_EQ(recorder.localPath(), dataHome + QStringLiteral("/gradoir/resultats.sqlite"));
    recorder.recordTry(sampleTry(sampleSeries(QStringLiteral("Ana"), QDateTime::currentDateTimeUtc()), 1));
    EXPECT_TRUE(recorder.waitUntilWritten(10s));
  }
  EXPECT_EQ(queryValue(dataHome + QStringLiteral("/gradoir/resultats.sqlite"),
                       QStringLiteral("SELECT COUNT(*) FROM tries"))
                .toInt(),
            1);
  saved.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", saved);
}

TEST_F(RecorderTest, UnreadableServerAddressStillStoresLocally) {
  ResultsRecorder recorder({.localPath = m_path, .serverUrl = QStringLiteral("http://serveur/base")});
  EXPECT_FALSE(recorder.sendsToServer());
  recorder.recordTry(sampleTry(sampleSeries(QStringLiteral("Ana"), QDateTime::currentDateTimeUtc()), 1));
  ASSERT_TRUE(recorder.waitUntilWritten(10s));
  EXPECT_FALSE(recorder.lastError().isEmpty());
  EXPECT_EQ(queryValue(m_path, QStringLiteral("SELECT COUNT(*) FROM tries")).toInt(), 1);
}


// What waits in the side file while the store is locked comes back whole,
// whatever its kind (a path step used to throw on the way out).
TEST(PendingLineTest, EveryKindOfRecordReadsBackFromItsLine) {
  const QDateTime now = QDateTime::fromMSecsSinceEpoch(QDateTime::currentMSecsSinceEpoch(), QTimeZone::utc());
  const SeriesRecord series = sampleSeries(QStringLiteral("Zoé"), now);
  const QList<AnyRecord> records{
      sampleTry(series, 2), series,
      PathStepRecord{newRecordId(), now, QStringLiteral("Zoé"), ExerciseKind::Drawing, 7, 3, false, 3, 2}};
  for (const AnyRecord& record : records) {
    const QByteArray line = recordLine(record);
    EXPECT_TRUE(line.endsWith('\n'));
    const std::optional<AnyRecord> back = recordFromLine(line.chopped(1));
    ASSERT_TRUE(back.has_value()) << line.toStdString();
    EXPECT_EQ(*back, record) << line.toStdString();
  }
}
}  // namespace
}  // namespace gradoir
