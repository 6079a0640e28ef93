// A results file that cannot be used, or that another program holds, as a
// school meets them: the pupil's program (the test writer) says so from its
// start, and a file held by another program loses no try, whether the
// program is killed or quits. Run as root, the writer runs as "nobody", so
// that files and folders it may not write are what they are for a pupil.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

#include "records/results_location.h"
#include "records/results_recorder.h"
#include "records/sql_connection.h"
#include "tests/records/sample_records.h"

#include <sys/stat.h>
#include <unistd.h>

namespace gradoir {
namespace {

using namespace std::chrono_literals;
using test::queryValue;

constexpr uid_t kNobody = 65534;
bool runAsRoot() { return ::geteuid() == 0; }

// The writer as a pupil's account runs it.
QStringList pupilCommand(const QStringList& arguments) {
  QStringList command;
  if (runAsRoot()) {
    command << QStringLiteral("setpriv") << QStringLiteral("--reuid=%1").arg(kNobody)
            << QStringLiteral("--regid=%1").arg(kNobody) << QStringLiteral("--clear-groups");
  }
  return command << QStringLiteral(GRADOIR_TEST_WRITER) << arguments;
}

// Its state lines.
QStringList runWriter(const QStringList& arguments) {
  const QStringList command = pupilCommand(arguments);
  QProcess writer;
  writer.start(command.first(), command.mid(1));
  if (!writer.waitForFinished(30000)) {
    writer.kill();
    writer.waitForFinished();
  }
  EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
  return QString::fromUtf8(writer.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

bool setMode(const QString& path, mode_t mode, uid_t owner = ::geteuid()) {
  const QByteArray name = QFile::encodeName(path);
  return ::chmod(name.constData(), mode) == 0 && (!runAsRoot() || ::chown(name.constData(), owner, owner) == 0);
}

QString makeStore(const QString& path) {
  ResultsRecorder recorder({.localPath = path});
  recorder.recordSeries(test::sampleSeries(QStringLiteral("Ana"), QDateTime::currentDateTimeUtc()));
  recorder.waitUntilWritten(10s);
  return path;
}

void overwrite(const QString& path, qint64 at, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.seek(at);
  file.write(bytes);
}

struct UnusableStore {
  const char* name;
  // Makes the case in the folder (writable by the pupil) and gives Base.
  std::function<QString(const QString& folder)> make;
  const char* said;  // part of the reason the window gives
  bool anotherAccount = false;  // needs a file of another account: only as root
};

TEST(StoreSafetyTest, AStoreThatCannotBeUsedIsSaidFromTheStart) {
  const QList<UnusableStore> cases = {
      {"missing folder", [](const QString& f) { return f + QStringLiteral("/absent/resultats.sqlite"); },
       "ne peut être ouvert ni créé"},
      {"read-only folder",
       [](const QString& f) {
         const QString folder = f + QStringLiteral("/lecture");
         QDir().mkdir(folder);
         setMode(folder, 0555, 0);
         return folder + QStringLiteral("/resultats.sqlite");
       },
       "ne peut être ouvert ni créé"},
      {"read-only file",
       [](const QString& f) {
         const QString path = makeStore(f + QStringLiteral("/resultats.sqlite"));
         setMode(path, 0444, kNobody);
         return path;
       },
       "lecture seule"},
      {"another account's file",
       [](const QString& f) {
         const QString path = makeStore(f + QStringLiteral("/resultats.sqlite"));
         setMode(path, 0644, 0);
         return path;
       },
       "lecture seule", true},
      {"damaged file",
       [](const QString& f) {
         const QString path = makeStore(f + QStringLiteral("/resultats.sqlite"));
         overwrite(path, 16, QByteArray(84, '\xff'));
         setMode(path, 0666, kNobody);
         return path;
       },
       "n'est pas une base de résultats"},
      {"random bytes",
       [](const QString& f) {
         const QString path = f + QStringLiteral("/resultats.sqlite");
         QByteArray bytes(8192, 0);
         for (char& byte : bytes) byte = static_cast<char>(QRandomGenerator::global()->bounded(256));
         overwrite(path, 0, bytes);
         setMode(path, 0666, kNobody);
         return path;
       },
       "n'est pas une base de résultats"},
      {"neither a path nor a server address", [](const QString&) { return QStringLiteral("http://example/x"); },
       "n'est ni un fichier ni une adresse postgresql://"},
  };
  for (const UnusableStore& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.anotherAccount && !runAsRoot()) continue;  // a file of this account's is the read-only case
    QTemporaryDir dir;
    ASSERT_TRUE(setMode(dir.path(), 0777));
    const QString base = c.make(dir.path());
    const QStringList states = runWriter({QStringLiteral("status"), base});
    ASSERT_EQ(states.size(), 2) << states.join('\n').toStdString();
    for (const QString& state : states) {
      EXPECT_TRUE(state.startsWith(QStringLiteral("not-recorded\tLes résultats ne sont pas enregistrés : ")))
          << state.toStdString();
      EXPECT_TRUE(state.contains(QString::fromUtf8(c.said))) << state.toStdString();
    }
  }
}

// Another program holds the file's write lock while the pupil plays.
TEST(StoreSafetyTest, TriesPlayedWhileTheFileIsLockedSurviveAKillAndAQuit) {
  for (const bool killed : {true, false}) {
    SCOPED_TRACE(killed ? "killed" : "quit");
    QTemporaryDir dir;
    const QString path = makeStore(dir.filePath(QStringLiteral("resultats.sqlite")));
    auto holder = std::make_unique<SqlConnection>(path);
    ASSERT_TRUE(holder->exec(QStringLiteral("BEGIN IMMEDIATE")));

    QProcess writer;
    writer.start(QStringLiteral(GRADOIR_TEST_WRITER),
                 {QStringLiteral("keep"), path, QStringLiteral("Inès"), QStringLiteral("3"),
                  killed ? QStringLiteral("sleep") : QStringLiteral("quit")});
    ASSERT_TRUE(writer.waitForStarted(10000));
    QStringList lines;
    const QDeadlineTimer deadline(20000);
    while (lines.size() < 4 && !deadline.hasExpired() && writer.state() == QProcess::Running) {
      writer.waitForReadyRead(200);
      while (writer.canReadLine()) lines << QString::fromUtf8(writer.readLine()).trimmed();
    }
    ASSERT_EQ(lines.size(), 4) << writer.readAllStandardError().toStdString();
    const QStringList ids = lines.mid(0, 3);
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("waiting\tRésultats en attente : "))) << lines[3].toStdString();
    QElapsedTimer quitting;
    quitting.start();
    if (killed) writer.kill();  // SIGKILL
    ASSERT_TRUE(writer.waitForFinished(20000));
    if (!killed) {
      EXPECT_EQ(writer.exitCode(), 0);
      EXPECT_LT(quitting.elapsed(), 6000);  // the lock is still held
    }
    EXPECT_EQ(test::storedTryIds(path, ids), QStringList());

    holder.reset();  // the other program lets go; the pupil starts again
    {
      ResultsRecorder next({.localPath = path});
      const QDeadlineTimer replay(10000);
      while (test::storedTryIds(path, ids) != ids && !replay.hasExpired()) QThread::msleep(50);
      EXPECT_EQ(next.status().state, ResultsRecorder::State::Recording) << next.status().text.toStdString();
    }
    EXPECT_EQ(test::storedTryIds(path, ids), ids);
    EXPECT_EQ(queryValue(path, QStringLiteral("SELECT COUNT(*) FROM tries")).toInt(), 3);
    // Nothing is left beside the file.
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.attente-*")}, QDir::Files), QStringList());
  }
}

// A pupil's results are personal data.
TEST(StoreSafetyTest, TheDefaultFolderAndFilesAreTheirOwnersOnly) {
  QTemporaryDir dir;
  const QByteArray saved = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("données")).toLocal8Bit());
  // An older version made the folder with the umask's 0755.
  const QString folder = dir.filePath(QStringLiteral("données/gradoir"));
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(setMode(folder, 0755));
  {
    ResultsRecorder recorder;
    recorder.recordTry(test::sampleTry(test::sampleSeries(QStringLiteral("Ana"), QDateTime::currentDateTimeUtc()), 1));
    ASSERT_TRUE(recorder.waitUntilWritten(10s));
    struct stat info {};
    for (const QString& file : QDir(folder).entryList(QDir::Files)) {
      ASSERT_EQ(::stat(QFile::encodeName(folder + QLatin1Char('/') + file).constData(), &info), 0);
      EXPECT_EQ(info.st_mode & 0777, 0600u) << file.toStdString();
    }
    EXPECT_GE(QDir(folder).entryList(QDir::Files).size(), 2);  // the file and its write-ahead log at least
  }
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  saved.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", saved);
}

}  // namespace
}  // namespace gradoir
