// A pupil's program reduced to its results: writes COUNT tries for PUPIL to
// the SQLite file at PATH, printing each try's id once its commit is
// acknowledged. The tests kill it or run two at once.
//   records_test_writer PATH PUPIL COUNT
#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

#include "records/results_recorder.h"
#include "tests/records/sample_records.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s PATH PUPIL COUNT\n", argv[0]);
    return 2;
  }
  using namespace gradoir;
  ResultsRecorder recorder(
      {.localPath = QString::fromLocal8Bit(argv[1]), .retryDelay = std::chrono::milliseconds(50)});
  SeriesRecord series = test::sampleSeries(QString::fromLocal8Bit(argv[2]), QDateTime::currentDateTimeUtc());
  recorder.recordSeries(series);
  const int count = QByteArray(argv[3]).toInt();
  for (int exercise = 1; exercise <= count; ++exercise) {
    const TryRecord attempt = test::sampleTry(series, exercise);
    recorder.recordTry(attempt);
    if (!recorder.waitUntilWritten(std::chrono::seconds(30))) {
      std::fprintf(stderr, "not written: %s\n", qPrintable(recorder.lastError()));
      return 1;
    }
    std::printf("%s\n", qPrintable(attempt.id));
    std::fflush(stdout);
  }
  return 0;
}
