// The teacher's window on a server that stops answering: every process of
// pg_virtualenv's throw-away cluster stopped (SIGSTOP) while a question is
// under way. The window's thread never waits on the server, the window says
// so, and closing it does not wait for the server either.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QTableWidget>
#include <memory>

#include "records/postgres_url.h"
#include "records/record_sql.h"
#include "records/schema.h"
#include "records/sql_connection.h"
#include "teacher/teacher_view.h"
#include "tests/records/postgres_server.h"
#include "tests/records/sample_records.h"

namespace gradoir {
namespace {

TEST(TeacherFrozenServerTest, WindowStaysLiveAndClosesAtOnce) {
  for (const char* variable : {"PGHOST", "PGPORT", "PGUSER", "PGDATABASE"}) {
    if (qEnvironmentVariableIsEmpty(variable)) GTEST_SKIP() << "no PostgreSQL test server: run under pg_virtualenv";
  }
  const QString user = qEnvironmentVariable("PGUSER"), password = qEnvironmentVariable("PGPASSWORD");
  const QString admin = test::serverUrl(user, password, qEnvironmentVariable("PGDATABASE"));
  const QString database = QStringLiteral("gradoir_teacher_frozen");
  {
    SqlConnection connection(*parsePostgresUrl(admin));
    ASSERT_TRUE(connection.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(database)));
    ASSERT_TRUE(connection.exec(QStringLiteral("CREATE DATABASE %1").arg(database)));
  }
  const QString url = test::serverUrl(user, password, database);
  {
    SqlConnection connection(*parsePostgresUrl(url));
    ASSERT_TRUE(ensureSchema(connection));
    SeriesRecord series = test::sampleSeries(QStringLiteral("Zoé"), QDateTime::currentDateTimeUtc().addSecs(-600));
    ASSERT_TRUE(insertSeries(connection, series));
    ASSERT_EQ(insertTry(connection, test::sampleTry(series, 1)), WriteOutcome::Stored);
  }

  auto view = std::make_unique<TeacherView>(url);
  view->show();
  ASSERT_TRUE(view->waitForAnswers(10000));
  auto* overview = view->findChild<QTableWidget*>(QStringLiteral("overviewTable"));
  ASSERT_EQ(overview->rowCount(), 1);

  test::FrozenServer frozen(admin);
  ASSERT_TRUE(frozen.frozen());
  QElapsedTimer clock;
  clock.start();
  view->refresh();
  EXPECT_LT(clock.elapsed(), 500) << "the window's thread waited on the server";
  // Its events keep turning; after a few seconds a line says why nothing comes.
  EXPECT_FALSE(view->waitForAnswers(3500));
  EXPECT_TRUE(view->answersPending());
  EXPECT_TRUE(view->findChild<QLabel*>(QStringLiteral("status"))->text().contains(QStringLiteral("ne répond pas")));
  EXPECT_EQ(overview->rowCount(), 1);  // what it showed stays

  // Closed with the question still hanging: at once (the question's socket
  // is cut, its thread ends), and the program goes on.
  clock.restart();
  view.reset();
  EXPECT_LT(clock.elapsed(), 1000);
}

}  // namespace
}  // namespace gradoir
