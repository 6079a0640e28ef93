// A big school's year on the teacher's desk: 500 pupils (a class list),
// 1,000,000 tries in about 110,000 series, in a SQLite file and, run under
// pg_virtualenv (its PG* variables set), on a PostgreSQL server. Rows, with
// the targets bench/run.sh prints beside them:
//  - Overview/<store>: the teacher's window made, its class list given,
//    shown, until the class overview is filled and painted (<= 1.5 s);
//  - PupilPage/<store>: a pupil picked in an open window, until their page,
//    its charts and series are shown (<= 0.5 s), a different pupil each time;
//  - ExportCsv/<store>: the real program, `gradoir --export-csv`, run as a
//    process, until it has written the 1,000,000 tries (<= 8 s), its peak
//    resident memory in the counter peak_rss_mb (<= 150 MB).
// The SQLite file is made once and kept between runs (GRADOIR_BENCH_DATA,
// default: the program's folder); the server's database is made afresh.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <time.h>
#include <sys/wait.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUrl>
#include <QUuid>
#include <cstdio>
#include <optional>

#include "bench/teacher_school_year.h"
#include "records/class_list.h"
#include "records/postgres_url.h"
#include "records/sql_connection.h"
#include "teacher/teacher_view.h"

extern char** environ;

namespace gradoir::bench {
namespace {

constexpr SchoolYear kYear{};
constexpr int kAnswerWaitMs = 120000;

struct Store {
  QString source;     // as the settings' Base
  QString classList;  // the class list file
};

QString dataFolder() {
  const QString set = qEnvironmentVariable("GRADOIR_BENCH_DATA");
  return set.isEmpty() ? QCoreApplication::applicationDirPath() : set;
}

// pg_virtualenv's server, as an address the program reads.
QString serverUrl(const QString& database) {
  QUrl url;
  url.setScheme(QStringLiteral("postgresql"));
  url.setUserName(qEnvironmentVariable("PGUSER"));
  url.setPassword(qEnvironmentVariable("PGPASSWORD"));
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

std::optional<Store> makeSqlite(QString* error) {
  QElapsedTimer clock;
  clock.start();
  const QString path = cachedSchoolYearFile(dataFolder(), kYear, error);
  if (path.isEmpty()) return std::nullopt;
  std::fprintf(stderr, "SQLite school year ready in %.1f s: %s\n", clock.elapsed() / 1000.0, qPrintable(path));
  return Store{path, classListFile(dataFolder(), kYear)};
}

std::optional<Store> makePostgres(QString* error) {
  const QString database = QStringLiteral("gradoir_school_year");
  {
    const auto admin = parsePostgresUrl(serverUrl(qEnvironmentVariable("PGDATABASE")));
    if (!admin) return std::nullopt;
    SqlConnection connection(*admin);
    if (!connection.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(database)) ||
        !connection.exec(QStringLiteral("CREATE DATABASE %1").arg(database))) {
      *error = connection.errorText();
      return std::nullopt;
    }
  }
  const QString url = serverUrl(database);
  QElapsedTimer clock;
  clock.start();
  SqlConnection connection(*parsePostgresUrl(url));
  qint64 series = 0;
  if (!connection.isOpen() || !fillSchoolYear(connection, kYear, error, &series)) {
    if (error->isEmpty()) *error = connection.errorText();
    return std::nullopt;
  }
  std::fprintf(stderr, "PostgreSQL school year made in %.1f s (%lld series)\n", clock.elapsed() / 1000.0,
               static_cast<long long>(series));
  return Store{url, classListFile(dataFolder(), kYear)};
}

// Made on first use, then kept for every row of the run.
const Store* store(bool postgres, benchmark::State& state) {
  static std::optional<Store> stores[2];
  static QString errors[2];
  static bool tried[2] = {false, false};
  if (!tried[postgres]) {
    tried[postgres] = true;
    stores[postgres] = postgres ? makePostgres(&errors[postgres]) : makeSqlite(&errors[postgres]);
  }
  if (!stores[postgres]) state.SkipWithError(qPrintable(QStringLiteral("no data set: ") + errors[postgres]));
  return stores[postgres] ? &*stores[postgres] : nullptr;
}

void BM_Overview(benchmark::State& state, bool postgres) {
  const Store* s = store(postgres, state);
  if (!s) return;
  for (auto _ : state) {
    auto view = std::make_unique<TeacherView>(s->source);
    view->setClassList(readClassList(s->classList));
    view->show();
    const bool answered = view->waitForAnswers(kAnswerWaitMs);
    QCoreApplication::processEvents();  // painted
    state.PauseTiming();
    auto* table = view->findChild<QTableWidget*>(QStringLiteral("overviewTable"));
    if (!answered || table->rowCount() != kYear.pupils) {
      state.SkipWithError("the overview did not fill");
      break;
    }
    view.reset();
    state.ResumeTiming();
  }
}

void BM_PupilPage(benchmark::State& state, bool postgres) {
  const Store* s = store(postgres, state);
  if (!s) return;
  TeacherView view(s->source);
  view.setClassList(readClassList(s->classList));
  view.show();
  view.waitForAnswers(kAnswerWaitMs);
  const QStringList pupils = pupilNames(kYear.pupils);
  auto* table = view.findChild<QTableWidget*>(QStringLiteral("pupilSeriesTable"));
  int next = 0;
  for (auto _ : state) {
    view.showPupil(pupils[(next++ * 37) % pupils.size()]);
    const bool answered = view.waitForAnswers(kAnswerWaitMs);
    QCoreApplication::processEvents();
    if (!answered || table->rowCount() == 0) {
      state.SkipWithError("the pupil's page did not fill");
      break;
    }
  }
}

// The peak resident memory of process `pid` so far, in kB, once it runs
// `name` (before its exec it still shows the parent's), else 0.
long peakResidentKb(pid_t pid, const QByteArray& name) {
  QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
  if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != name.left(15)) return 0;
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  }
  return 0;
}

// Runs `program arguments...`; its exit status and peak resident memory in
// kB. The peak is read from /proc while it runs, every 5 ms: the rusage of
// a spawned child counts the parent's memory it shared before its exec.
std::pair<int, long> runProcess(const QString& program, const QStringList& arguments) {
  std::vector<QByteArray> owned{QFile::encodeName(program)};
  for (const QString& a : arguments) owned.push_back(QFile::encodeName(a));
  std::vector<char*> argv;
  for (QByteArray& a : owned) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {-1, 0};
  const QByteArray name = QFileInfo(program).fileName().toLocal8Bit();
  int status = 0;
  long peakKb = 0;
  for (;;) {
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid) break;
    if (ended < 0) return {-1, peakKb};
    peakKb = std::max(peakKb, peakResidentKb(pid, name));
    const timespec pause{0, 5 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), peakKb};
}

void BM_ExportCsv(benchmark::State& state, bool postgres) {
  const Store* s = store(postgres, state);
  if (!s) return;
  // The program reads its Base from the Grado.ini beside it: a copy of it
  // with its own settings.
  QTemporaryDir folder(QDir(dataFolder()).filePath(QStringLiteral("export-XXXXXX")));
  const QString program = folder.filePath(QStringLiteral("gradoir"));
  if (!QFile::copy(QStringLiteral(GRADOIR_PROGRAM), program)) {
    state.SkipWithError("cannot copy the program");
    return;
  }
  QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
  QSaveFile ini(folder.filePath(QStringLiteral("Grado.ini")));
  ini.open(QIODevice::WriteOnly);
  ini.write("[Resultats]\nBase=" + s->source.toUtf8() + "\n");
  ini.commit();
  const QString csv = folder.filePath(QStringLiteral("essais.csv"));
  long peakKb = 0;
  for (auto _ : state) {
    const auto [status, kb] = runProcess(program, {QStringLiteral("--export-csv"), csv});
    state.PauseTiming();
    peakKb = std::max(peakKb, kb);
    QFile file(csv);
    qint64 lines = 0;
    if (status == 0 && file.open(QIODevice::ReadOnly)) {
      while (!file.atEnd()) lines += file.read(1 << 20).count('\n');
    }
    if (lines != kYear.tries + 1) {
      state.SkipWithError(qPrintable(QStringLiteral("export: status %1, %2 lines").arg(status).arg(lines)));
      break;
    }
    QFile::remove(csv);
    state.ResumeTiming();
  }
  state.counters["peak_rss_mb"] = static_cast<double>(peakKb) / 1024.0;
}

}  // namespace
}  // namespace gradoir::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  using namespace gradoir::bench;
  std::vector<std::pair<const char*, bool>> stores{{"sqlite", false}};
  // Under pg_virtualenv: its throw-away server too.
  if (!qEnvironmentVariableIsEmpty("PGHOST") && !qEnvironmentVariableIsEmpty("PGPORT")) stores.emplace_back("postgres", true);
  for (const auto& [name, postgres] : stores) {
    const std::string suffix = std::string("/") + name;
    benchmark::RegisterBenchmark(("BM_Overview" + suffix).c_str(), BM_Overview, postgres)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
    benchmark::RegisterBenchmark(("BM_PupilPage" + suffix).c_str(), BM_PupilPage, postgres)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
    benchmark::RegisterBenchmark(("BM_ExportCsv" + suffix).c_str(), BM_ExportCsv, postgres)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
