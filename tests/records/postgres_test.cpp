// The computer room: records sent to a real PostgreSQL server, which is
// stopped in the middle of a series and started again. Run under
// pg_virtualenv, which provides a throw-away server and its PG* variables.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <QUuid>

#include "records/results_reader.h"
#include "records/results_recorder.h"
#include "records/sql_connection.h"
#include "tests/records/sample_records.h"

namespace gradoir {
namespace {

using namespace std::chrono_literals;
using test::queryValue;
using test::sampleSeries;
using test::sampleTry;

// A role whose name and password need percent-escapes in the address.
const QString kRole = QStringLiteral("prof é");
const QString kPassword = QStringLiteral("p@ss:w/d%? ;'x");

QString serverUrl(const QString& user, const QString& password, const QString& database) {
  QUrl url;
  url.setScheme(QStringLiteral("postgresql"));
  url.setUserName(user);
  url.setPassword(password);
  const QString host = qEnvironmentVariable("PGHOST");
  if (host.startsWith(QLatin1Char('/'))) {
    url.setQuery(QStringLiteral("host=") + QString::fromLatin1(QUrl::toPercentEncoding(host)));
  } else {
    url.setHost(host);
  }
  url.setPort(qEnvironmentVariableIntValue("PGPORT"));
  url.setPath(QLatin1Char('/') + database);
  return url.toString(QUrl::FullyEncoded);
}

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
    const QString database = QStringLiteral("gradoir_") + QUuid::createUuid().toString(QUuid::Id128);
    ASSERT_TRUE(connection.exec(QStringLiteral("CREATE DATABASE %1 OWNER \"%2\"").arg(database, kRole)))
        << connection.errorText().toStdString();
    m_url = serverUrl(kRole, kPassword, database);
  }

  RecorderOptions options() const { return {m_local, m_url, 200ms, 1s}; }

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
       {QStringLiteral("tries"), QStringLiteral("series"), QStringLiteral("schema_version")}) {
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
