// A pupil's program reduced to its results, which the tests start, kill, run
// side by side or as another account.
//   records_test_writer PATH PUPIL COUNT
//       writes COUNT tries for PUPIL to the SQLite file at PATH, printing each
//       try's id once its commit is acknowledged
//   records_test_writer keep PATH PUPIL COUNT quit|sleep
//       hands COUNT tries over at once, prints their ids once each is kept
//       (committed, or flushed beside the file), then the recorder's state
//       line; then quits, or sleeps until killed
//   records_test_writer status BASE
//       opens BASE as the pupil's program does (a file or a server address)
//       and prints its state line at start, then again after one try
// A state line is "STATE<TAB>TEXT", STATE one of recording, not-sent,
// waiting, not-recorded.
#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QThread>
#include <cstdio>
#include <thread>

#include "records/postgres_url.h"
#include "records/results_recorder.h"
#include "tests/records/sample_records.h"

namespace {

using namespace gradoir;
using namespace std::chrono_literals;

void printState(const ResultsRecorder& recorder) {
  static const char* const kNames[] = {"recording", "not-sent", "waiting", "not-recorded"};
  const ResultsRecorder::Status status = recorder.status();
  std::printf("%s\t%s\n", kNames[static_cast<int>(status.state)], qPrintable(status.text));
  std::fflush(stdout);
}

// The state once it is other than recording, or after `wait`.
void printSettledState(const ResultsRecorder& recorder, std::chrono::milliseconds wait) {
  const QDeadlineTimer deadline(wait);
  while (recorder.status().state == ResultsRecorder::State::Recording && !deadline.hasExpired()) {
    QThread::msleep(20);
  }
  printState(recorder);
}

int writeAndAcknowledge(const QString& path, const QString& pupil, int count) {
  ResultsRecorder recorder({.localPath = path, .retryDelay = 50ms});
  SeriesRecord series = test::sampleSeries(pupil, QDateTime::currentDateTimeUtc());
  recorder.recordSeries(series);
  for (int exercise = 1; exercise <= count; ++exercise) {
    const TryRecord attempt = test::sampleTry(series, exercise);
    recorder.recordTry(attempt);
    if (!recorder.waitUntilWritten(30s)) {
      std::fprintf(stderr, "not written: %s\n", qPrintable(recorder.lastError()));
      return 1;
    }
    std::printf("%s\n", qPrintable(attempt.id));
    std::fflush(stdout);
  }
  return 0;
}

int keep(const QString& path, const QString& pupil, int count, bool sleep) {
  ResultsRecorder recorder({.localPath = path, .retryDelay = 200ms});
  const SeriesRecord series = test::sampleSeries(pupil, QDateTime::currentDateTimeUtc());
  QStringList ids;
  for (int exercise = 1; exercise <= count; ++exercise) {
    const TryRecord attempt = test::sampleTry(series, exercise);
    ids << attempt.id;
    recorder.recordTry(attempt);
  }
  if (!recorder.waitUntilKept(10s)) {
    std::fprintf(stderr, "not kept: %s\n", qPrintable(recorder.lastError()));
    return 1;
  }
  for (const QString& id : ids) std::printf("%s\n", qPrintable(id));
  std::fflush(stdout);
  printSettledState(recorder, 10s);
  if (sleep) std::this_thread::sleep_for(1h);
  return 0;
}

int status(const QString& base) {
  RecorderOptions options;
  (isPostgresAddress(base) ? options.serverUrl : options.localPath) = base;
  options.retryDelay = 200ms;
  ResultsRecorder recorder(options);
  printSettledState(recorder, 5s);
  const SeriesRecord series = test::sampleSeries(QStringLiteral("Zoé"), QDateTime::currentDateTimeUtc());
  recorder.recordTry(test::sampleTry(series, 1));
  recorder.waitUntilKept(1s);
  printSettledState(recorder, 5s);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() == 5 && args[0] == QLatin1String("keep")) {
    return keep(args[1], args[2], args[3].toInt(), args[4] == QLatin1String("sleep"));
  }
  if (args.size() == 2 && args[0] == QLatin1String("status")) return status(args[1]);
  if (args.size() == 3) return writeAndAcknowledge(args[0], args[1], args[2].toInt());
  std::fprintf(stderr, "usage: %s PATH PUPIL COUNT | keep PATH PUPIL COUNT quit|sleep | status BASE\n", argv[0]);
  return 2;
}
