// The computer room: records sent to a real PostgreSQL server, which is
// stopped in the middle of a series and started again. Run under
// pg_virtualenv, which provides a throw-away server and its PG* variables.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <QUuid>
#include <optional>

#include <csignal>
#include <vector>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "records/results_reader.h"
#include "records/results_recorder.h"
#include "records/schema.h"
#include "records/sql_connection.h"
#include "tests/records/postgres_server.h"
#include "tests/records/sample_records.h"

namespace gradoir {
namespace {

using namespace std::chrono_literals;
using test::queryValue;
using test::sampleSeries;
using test::sampleTry;
using test::serverUrl;
using test::FrozenServer;

// A role whose name and password need percent-escapes in the address.
const QString kRole = QStringLiteral("prof é");
const QString kPassword = QStringLiteral("p@ss:w/d%? ;'x");

// pg_virtualenv's cluster is "regress" of version PGVERSION.
bool controlServer(const QString& action) {
  return QProcess::execute(QStringLiteral("pg_ctlcluster"),
                           {qEnvironmentVariable("PGVERSION"), QStringLiteral("regress"), action}) == 0;
}

class PostgresTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* variable : {"PGHOST", "PGPORT", "PGUSER", "PGDATABASE"}) {
      if (qEnvironmentVariableIsEmpty(variable)) {
        GTEST_SKIP() << "no PostgreSQL test server (" << variable << " unset): run under pg_virtualenv";
      }
    }
    const QString admin = serverUrl(qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD"),
                                    qEnvironmentVariable("PGDATABASE"));
    const auto server = parsePostgresUrl(admin);
    ASSERT_TRUE(server);
    SqlConnection connection(*server);
    ASSERT_TRUE(connection.isOpen()) << connection.errorText().toStdString();
    QString quotedPassword = kPassword;
    quotedPassword.replace(QLatin1Char('\''), QLatin1String("''"));
    connection.exec(QStringLiteral("CREATE ROLE \"%1\" LOGIN PASSWORD '%2'").arg(kRole, quotedPassword));
    // A database of its own for each test, without the tables: the store
    // makes them.
    m_database = QStringLiteral("gradoir_") + QUuid::createUuid().toString(QUuid::Id128);
    ASSERT_TRUE(connection.exec(QStringLiteral("CREATE DATABASE %1 OWNER \"%2\"").arg(m_database, kRole)))
        << connection.errorText().toStdString();
    m_url = serverUrl(kRole, kPassword, m_database);
  }

  RecorderOptions options() const { return {m_local, m_url, 200ms, 1s}; }
  QString adminUrl() const {
    return serverUrl(qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD"), m_database);
  }

  int serverTries() const { return queryValue(m_url, QStringLiteral("SELECT COUNT(*) FROM tries")).toInt(); }
  int outboxSize() const {
    return queryValue(m_local, QStringLiteral("SELECT COUNT(*) FROM outbox")).toInt();
  }

  // Polls `condition` for up to `timeout`.
  template <typename Condition>
  static bool eventually(Condition condition, std::chrono::milliseconds timeout = 30s) {
    const QDeadlineTimer deadline(timeout);
    while (!condition()) {
      if (deadline.hasExpired()) return false;
      QThread::msleep(100);
    }
    return true;
  }

  QTemporaryDir m_dir;
  QString m_local = m_dir.filePath(QStringLiteral("resultats.sqlite"));
  QString m_database;
  QString m_url;
};

TEST_F(PostgresTest, RecordsArriveWithTheirValues) {
  SeriesRecord series = sampleSeries(QStringLiteral("Zoé"), QDateTime::currentDateTimeUtc());
  QList<TryRecord> tries;
  {
    ResultsRecorder recorder(options());
    recorder.recordSeries(series);
    for (int exercise = 1; exercise <= 6; ++exercise) {
      tries << sampleTry(series, exercise);
      recorder.recordTry(tries.last());
    }
    series.end = series.start.addSecs(300);
    series.score = 2;
    recorder.recordSeries(series);
    ASSERT_TRUE(eventually([&] { return serverTries() == 6 && outboxSize() == 0; }))
        << recorder.lastError().toStdString();
  }
  ResultsReader server(m_url);
  ASSERT_TRUE(server.isOpen()) << server.errorText().toStdString();
  EXPECT_EQ(server.tries(), tries);
  EXPECT_EQ(server.series(), QList<SeriesRecord>{series});
  EXPECT_EQ(server.tries(), ResultsReader(m_local).tries());

  // The store made the same tables on the server as in the file.
  SqlConnection local(m_local);
  SqlConnection remote(*parsePostgresUrl(m_url));
  for (const QString& table :
       {QStringLiteral("tries"), QStringLiteral("series"), QStringLiteral("schema_version"),
        QStringLiteral("path_steps")}) {
    const QSqlRecord localColumns = local.database().record(table);
    const QSqlRecord serverColumns = remote.database().record(table);
    ASSERT_EQ(localColumns.count(), serverColumns.count()) << table.toStdString();
    for (int i = 0; i < localColumns.count(); ++i)
      EXPECT_EQ(localColumns.fieldName(i), serverColumns.fieldName(i));
  }
}

TEST_F(PostgresTest, ServerDownDuringASeriesLosesNothingAndNeverHoldsTheCaller) {
  if (qEnvironmentVariableIsEmpty("PGVERSION")) GTEST_SKIP() << "PGVERSION unset: cannot stop the server";
  SeriesRecord series = sampleSeries(QStringLiteral("Inès"), QDateTime::currentDateTimeUtc());
  series.length = 30;
  QStringList ids;
  ResultsRecorder recorder(options());
  recorder.recordSeries(series);
  auto maxEnqueue = std::chrono::steady_clock::duration::zero();
  auto record = [&](int exercise) {
    const TryRecord attempt = sampleTry(series, exercise);
    series.score += attempt.verdict == Verdict::Right;
    ids << attempt.id;
    const auto before = std::chrono::steady_clock::now();
    recorder.recordTry(attempt);
    maxEnqueue = std::max(maxEnqueue, std::chrono::steady_clock::now() - before);
  };
  for (int exercise = 1; exercise <= 5; ++exercise) record(exercise);
  ASSERT_TRUE(eventually([&] { return serverTries() == 5; })) << recorder.lastError().toStdString();

  ASSERT_TRUE(controlServer(QStringLiteral("stop")));
  // Paced like a quick pupil, so that the sender keeps failing meanwhile.
  for (int exercise = 6; exercise <= 30; ++exercise) {
    record(exercise);
    QThread::msleep(60);
  }
  series.end = QDateTime::currentDateTimeUtc();
  recorder.recordSeries(series);
  ASSERT_TRUE(recorder.waitUntilWritten(10s)) << recorder.lastError().toStdString();
  EXPECT_TRUE(eventually([&] { return !recorder.lastError().isEmpty(); }, 10s));
  EXPECT_GE(outboxSize(), 25);

  ASSERT_TRUE(controlServer(QStringLiteral("start")));
  ASSERT_TRUE(eventually([&] { return outboxSize() == 0; })) << recorder.lastError().toStdString();
  EXPECT_EQ(serverTries(), 30);
  EXPECT_EQ(test::storedTryIds(m_url, ids), ids);
  EXPECT_EQ(ResultsReader(m_url).series(), QList<SeriesRecord>{series});
  EXPECT_TRUE(recorder.lastError().isEmpty());
  // Generous: a lock, a queue append and a wake-up take microseconds.
  RecordProperty("max_enqueue_us",
                 static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(maxEnqueue).count()));
  EXPECT_LT(maxEnqueue, 50ms) << std::chrono::duration<double, std::milli>(maxEnqueue).count() << " ms";
}

TEST_F(PostgresTest, RecordsSentAgainAfterALostAcknowledgementAreNotDoubled) {
  const SeriesRecord series = sampleSeries(QStringLiteral("Léo"), QDateTime::currentDateTimeUtc());
  {
    ResultsRecorder recorder(options());
    recorder.recordSeries(series);
    for (int exercise = 1; exercise <= 4; ++exercise) recorder.recordTry(sampleTry(series, exercise));
    ASSERT_TRUE(eventually([&] { return serverTries() == 4 && outboxSize() == 0; }));
  }
  // As if the program had died after the server's commit, before the
  // outbox was emptied: everything is in the outbox again.
  {
    SqlConnection local(m_local);
    ASSERT_TRUE(local.exec(
        QStringLiteral("INSERT INTO outbox (record_table, record_id) "
                       "SELECT 'series', id FROM series UNION ALL SELECT 'tries', id FROM tries")));
  }
  ASSERT_EQ(outboxSize(), 5);
  {
    ResultsRecorder recorder(options());
    recorder.recordTry(sampleTry(series, 5));
    ASSERT_TRUE(eventually([&] { return outboxSize() == 0; })) << recorder.lastError().toStdString();
  }
  EXPECT_EQ(serverTries(), 5);
  EXPECT_EQ(queryValue(m_url, QStringLiteral("SELECT COUNT(*) FROM series")).toInt(), 1);
}

}  // namespace
}  // namespace gradoir

namespace gradoir {
namespace {

// The destructor's wait, in milliseconds.
template <typename Owner>
qint64 quitTime(std::optional<Owner>& owner) {
  QElapsedTimer timer;
  timer.start();
  owner.reset();
  return timer.elapsed();
}

TEST_F(PostgresTest, QuitWaitsForAFrozenServerTwoSecondsAndKeepsWhatItDidNotTake) {
  const SeriesRecord series = sampleSeries(QStringLiteral("Maël"), QDateTime::currentDateTimeUtc());
  QStringList ids;
  std::optional<ResultsRecorder> recorder(std::in_place, options());
  auto record = [&](int exercise) {
    const TryRecord attempt = sampleTry(series, exercise);
    ids << attempt.id;
    recorder->recordTry(attempt);
  };
  for (int exercise = 1; exercise <= 3; ++exercise) record(exercise);
  ASSERT_TRUE(eventually([&] { return serverTries() == 3; })) << recorder->lastError().toStdString();
  {
    FrozenServer frozen(adminUrl());
    ASSERT_TRUE(frozen.frozen());
    for (int exercise = 4; exercise <= 6; ++exercise) record(exercise);
    ASSERT_TRUE(recorder->waitUntilWritten(10s));
    QThread::msleep(500);  // the forwarder now waits for the server's answer
    const qint64 stuckCall = quitTime(recorder);
    RecordProperty("quit_ms_frozen_during_a_call", static_cast<int>(stuckCall));
    EXPECT_LT(stuckCall, 3000);

    // A program started meanwhile waits for the server to greet it.
    std::optional<ResultsRecorder> later(std::in_place, options());
    QThread::msleep(300);
    const qint64 connecting = quitTime(later);
    RecordProperty("quit_ms_frozen_while_connecting", static_cast<int>(connecting));
    EXPECT_LT(connecting, 3000);
  }
  EXPECT_EQ(outboxSize(), 3);
  {
    ResultsRecorder next(options());
    ASSERT_TRUE(eventually([&] { return outboxSize() == 0; })) << next.lastError().toStdString();
  }
  EXPECT_EQ(serverTries(), 6);
  EXPECT_EQ(test::storedTryIds(m_url, ids), ids);
}

TEST_F(PostgresTest, QuitSendsWhatWaitsWhenTheServerIsBackDuringABackOff) {
  if (qEnvironmentVariableIsEmpty("PGVERSION")) GTEST_SKIP() << "PGVERSION unset: cannot stop the server";
  const SeriesRecord series = sampleSeries(QStringLiteral("Lou"), QDateTime::currentDateTimeUtc());
  RecorderOptions slow = options();
  slow.retryDelay = 20s;  // without the pass at quit, nothing would be sent before the end
  slow.maxRetryDelay = 60s;
  ASSERT_TRUE(controlServer(QStringLiteral("stop")));
  {
    ResultsRecorder recorder(slow);
    recorder.recordSeries(series);
    for (int exercise = 1; exercise <= 18; ++exercise) recorder.recordTry(sampleTry(series, exercise));
    ASSERT_TRUE(recorder.waitUntilWritten(10s));
    ASSERT_TRUE(eventually([&] { return !recorder.lastError().isEmpty(); }, 10s));
    ASSERT_TRUE(controlServer(QStringLiteral("start")));
  }
  EXPECT_EQ(outboxSize(), 0);
  EXPECT_EQ(serverTries(), 18);
}

TEST_F(PostgresTest, PupilsRoleOnlyAddsRecordsAndTeachersRoleOnlyReadsThem) {
  // Tables made the way an older setup made them: by the one user whose
  // password every pupil's settings hold.
  const SeriesRecord early = sampleSeries(QStringLiteral("Ancien"), QDateTime::currentDateTimeUtc().addDays(-1));
  {
    ResultsRecorder recorder(options());
    recorder.recordSeries(early);
    ASSERT_TRUE(eventually([&] { return outboxSize() == 0; })) << recorder.lastError().toStdString();
  }

  // The setup as the administrator runs it, twice: running it again is harmless.
  ServerRoles roles;
  roles.pupilsPassword = QUuid::createUuid().toString(QUuid::Id128);
  roles.teacherPassword = QUuid::createUuid().toString(QUuid::Id128);
  const QString script = m_dir.filePath(QStringLiteral("salle.sql"));
  {
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write((serverSetupStatements(roles).join(QStringLiteral(";\n")) + QStringLiteral(";\n")).toUtf8());
  }
  for (int run = 0; run < 2; ++run) {
    QProcess psql;
    psql.start(QStringLiteral("psql"), {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"),
                                         QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-d"), m_database,
                                         QStringLiteral("-f"), script});
    ASSERT_TRUE(psql.waitForFinished(60000));
    ASSERT_EQ(psql.exitCode(), 0) << psql.readAllStandardError().toStdString();
  }
  const QString pupils = serverUrl(roles.pupils, roles.pupilsPassword, m_database);
  const QString teacher = serverUrl(roles.teacher, roles.teacherPassword, m_database);

  SeriesRecord series = sampleSeries(QStringLiteral("Zoé"), QDateTime::currentDateTimeUtc());
  QList<TryRecord> tries;
  const QString local = m_dir.filePath(QStringLiteral("eleve.sqlite"));
  const QDateTime now = QDateTime::currentDateTimeUtc();
  const QList<PathStepRecord> path{
      {newRecordId(), now, QStringLiteral("Zoé"), ExerciseKind::Measuring, 1, 1, true, 1, 1},
      {newRecordId(), now.addSecs(30), QStringLiteral("Zoé"), ExerciseKind::Measuring, 2, 1, true, 1, 2}};
  {
    ResultsRecorder recorder({local, pupils, 200ms, 1s});
    recorder.recordSeries(series);
    for (int exercise = 1; exercise <= 4; ++exercise) {
      tries << sampleTry(series, exercise);
      recorder.recordTry(tries.last());
    }
    series.end = series.start.addSecs(120);
    series.score = 3;
    recorder.recordSeries(series);
    for (const PathStepRecord& step : path) recorder.recordPathStep(step);
    // In the file first: an outbox not yet written is empty too.
    ASSERT_TRUE(recorder.waitUntilWritten(10s)) << recorder.lastError().toStdString();
    ASSERT_TRUE(eventually([&] { return queryValue(local, QStringLiteral("SELECT COUNT(*) FROM outbox")).toInt() == 0; }))
        << recorder.lastError().toStdString();
  }
  // Another computer of the room reads the pupil's path back with the same
  // role, and the teacher sees where each pupil stands.
  {
    ResultsReader room(pupils);
    ASSERT_TRUE(room.isOpen()) << room.errorText().toStdString();
    EXPECT_EQ(room.pathSteps(QStringLiteral("Zoé"), ExerciseKind::Measuring), path);
    EXPECT_TRUE(room.errorText().isEmpty()) << room.errorText().toStdString();
    EXPECT_EQ(ResultsReader(teacher).pathLevels(),
              (QList<PupilPathLevels>{{QStringLiteral("Zoé"), 2, std::nullopt}}));
  }
  // Sent again, as after a lost acknowledgement: still stored once.
  {
    SqlConnection file(local);
    ASSERT_TRUE(file.exec(QStringLiteral("INSERT INTO outbox (record_table, record_id) "
                                         "SELECT 'series', id FROM series UNION ALL SELECT 'tries', id FROM tries")));
  }
  {
    ResultsRecorder recorder({local, pupils, 200ms, 1s});
    ASSERT_TRUE(eventually([&] { return queryValue(local, QStringLiteral("SELECT COUNT(*) FROM outbox")).toInt() == 0; }))
        << recorder.lastError().toStdString();
  }

  ResultsReader reader(teacher);
  ASSERT_TRUE(reader.isOpen()) << reader.errorText().toStdString();
  EXPECT_EQ(reader.tries(), tries);
  EXPECT_EQ(reader.series(), (QList<SeriesRecord>{early, series}));

  // What a pupil holding that password, the old user's, or the teacher's
  // might try by hand.
  const QStringList changes = {
      QStringLiteral("UPDATE tries SET verdict = 'juste'"),
      QStringLiteral("DELETE FROM tries"),
      QStringLiteral("TRUNCATE series_ends"),
      QStringLiteral("UPDATE series SET score = 10"),
      QStringLiteral("DELETE FROM series_ends"),
      QStringLiteral("DROP TABLE tries"),
      QStringLiteral("ALTER TABLE tries ADD COLUMN note TEXT"),
      QStringLiteral("CREATE TABLE notes (id TEXT)"),
      QStringLiteral("UPDATE schema_version SET version = 1"),
      QStringLiteral("UPDATE path_steps SET next_level = 5"),
      QStringLiteral("DELETE FROM path_steps"),
  };
  for (const QString& who : {pupils, m_url, teacher}) {
    SqlConnection connection(*parsePostgresUrl(who));
    ASSERT_TRUE(connection.isOpen()) << connection.errorText().toStdString();
    for (const QString& sql : changes) {
      EXPECT_FALSE(connection.exec(sql)) << sql.toStdString() << " by " << hidePasswords(who).toStdString();
    }
  }
  // Pupils read nobody's results, and the teacher adds none.
  SqlConnection pupil(*parsePostgresUrl(pupils));
  EXPECT_FALSE(pupil.exec(QStringLiteral("SELECT COUNT(*) FROM tries")));
  EXPECT_FALSE(pupil.exec(QStringLiteral("SELECT COUNT(*) FROM series")));
  SqlConnection reading(*parsePostgresUrl(teacher));
  EXPECT_FALSE(reading.exec(QStringLiteral("INSERT INTO series_ends VALUES ('x', 'y', 1)")));
  EXPECT_EQ(ResultsReader(teacher).tries().size(), 4);
}

}  // namespace
}  // namespace gradoir
