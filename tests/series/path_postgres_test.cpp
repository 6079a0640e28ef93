// The pupil's path in a computer room: two computers (two local files) on
// one real PostgreSQL server. What the pupil reached on one is where the
// path starts on the other, and the teacher reads it from the server. Run
// under pg_virtualenv, which provides a throw-away server and its PG*
// variables.
#include <QTemporaryDir>
#include <QUuid>

#include "fake_board.h"
#include "records/postgres_url.h"
#include "records/results_reader.h"
#include "records/sql_connection.h"
#include "series/series_log.h"
#include "tests/records/postgres_server.h"

namespace gradoir::test {
namespace {

// The test server's address for its own user on `database`.
QString serverUrl(const QString& database) {
  return test::serverUrl(qEnvironmentVariable("PGUSER"), qEnvironmentVariable("PGPASSWORD"), database);
}

class PathRoomTest : public SeriesTest {
 protected:
  PathRoomTest() { m_recording = true; }
  void SetUp() override {
    for (const char* variable : {"PGHOST", "PGPORT", "PGUSER", "PGDATABASE"}) {
      if (qEnvironmentVariableIsEmpty(variable)) {
        GTEST_SKIP() << "no PostgreSQL test server (" << variable << " unset): run under pg_virtualenv";
      }
    }
    SqlConnection admin(*parsePostgresUrl(serverUrl(qEnvironmentVariable("PGDATABASE"))));
    ASSERT_TRUE(admin.isOpen()) << admin.errorText().toStdString();
    const QString database = QStringLiteral("gradoir_") + QUuid::createUuid().toString(QUuid::Id128);
    ASSERT_TRUE(admin.exec(QStringLiteral("CREATE DATABASE %1").arg(database))) << admin.errorText().toStdString();
    m_url = serverUrl(database);
  }
  void TearDown() override { qunsetenv("XDG_DATA_HOME"); }

  // The program started on computer `name`: its own local file, the room's server.
  void startOn(const char* name) {
    m_series.reset();  // the last program commits and sends before it goes
    qputenv("XDG_DATA_HOME", m_dir.filePath(QString::fromLatin1(name)).toUtf8());
    Settings settings;
    settings.resultsBase = m_url;
    start(settings);
    series().log().setPupil(QStringLiteral("Zoé"));
  }
  // `count` exercises right at the first try on the measuring path.
  void playRight(int count) {
    series().startPath(ExerciseKind::Measuring);
    for (int i = 0; i < count; ++i) {
      if (i > 0) series().nextExercise();
      answerRight();
    }
  }

  QTemporaryDir m_dir;
  QString m_url;
};

TEST_F(PathRoomTest, TheLevelIsSharedThroughTheServer) {
  startOn("poste1");
  playRight(9);  // level 3, one right there
  EXPECT_EQ(series().pathLevel(), 3);

  startOn("poste2");
  series().startPath(ExerciseKind::Measuring);
  EXPECT_EQ(series().pathLevel(), 3);
  EXPECT_EQ(m_board.levels.back().step, 5);
  EXPECT_EQ(m_news.pathNews.back(), QStringLiteral("Niveau 3 : des mesures de 5 en 5 degrés."));
  playRight(3);  // with the one of the first computer, four at level 3
  EXPECT_EQ(series().pathLevel(), 4);

  // Back on the first computer, whose file misses the second's steps.
  startOn("poste1");
  series().startPath(ExerciseKind::Measuring);
  EXPECT_EQ(series().pathLevel(), 4);
  m_series.reset();

  const QList<PupilPathLevels> levels = ResultsReader(m_url).pathLevels();
  ASSERT_EQ(levels.size(), 1);
  EXPECT_EQ(levels[0], (PupilPathLevels{QStringLiteral("Zoé"), 4, std::nullopt}));
}

}  // namespace
}  // namespace gradoir::test
