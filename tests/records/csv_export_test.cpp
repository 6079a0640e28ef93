// The exported file as a spreadsheet or a script reads it: Python's csv
// module stands in for them, reading back every field we wrote.
#include "records/csv_export.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "records/results_recorder.h"
#include "tests/records/sample_records.h"

namespace gradoir {
namespace {

using namespace std::chrono_literals;

// Prints the rows of the file as JSON, reading it the way a UTF-8 file with
// a byte-order mark and ';' separators is meant to be read.
const char kPythonReader[] = R"(
import csv, json, sys
with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:
    print(json.dumps(list(csv.reader(f, delimiter=';'))))
)";

QJsonArray readWithPython(const QString& python, const QString& path) {
  QProcess process;
  process.start(python, {QStringLiteral("-c"), QString::fromLatin1(kPythonReader), path});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    ADD_FAILURE() << process.readAllStandardError().toStdString();
    return {};
  }
  return QJsonDocument::fromJson(process.readAllStandardOutput()).array();
}

TEST(CsvExportTest, EveryFieldRoundTripsThroughPythonCsv) {
  const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  if (python.isEmpty()) GTEST_SKIP() << "python3 absent: the export cannot be read back";

  QTemporaryDir dir;
  const QString store = dir.filePath(QStringLiteral("resultats.sqlite"));
  const QStringList pupils = {QStringLiteral("Zoé Lefèvre"), QStringLiteral("Dupont; Jean"),
                              QStringLiteral("Marie \"Mimi\" Curie"),
                              QStringLiteral("Ligne\nsuivante\r\nfin")};
  QList<TryRecord> tries;
  {
    ResultsRecorder recorder({.localPath = store});
    int exercise = 0;
    for (const QString& pupil : pupils) {
      const SeriesRecord series =
          test::sampleSeries(pupil, QDateTime::currentDateTimeUtc().addSecs(exercise));
      for (int i = 0; i < 3; ++i) tries << test::sampleTry(series, ++exercise);
    }
    tries.last().explanation = QStringLiteral("guillemets \"doubles\"; point-virgule");
    for (const TryRecord& attempt : tries) recorder.recordTry(attempt);
    ASSERT_TRUE(recorder.waitUntilWritten(10s));
  }

  const QString csvPath = dir.filePath(QStringLiteral("export.csv"));
  QString error;
  ASSERT_TRUE(exportCsv(store, csvPath, &error)) << error.toStdString();
  QFile file(csvPath);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("\xEF\xBB\xBF"));

  const QJsonArray rows = readWithPython(python, csvPath);
  ASSERT_EQ(rows.size(), tries.size() + 1);
  EXPECT_EQ(rows[0].toArray().size(), 17);
  EXPECT_EQ(rows[0].toArray()[2].toString(), QStringLiteral("élève"));
  std::sort(tries.begin(), tries.end(),
            [](const TryRecord& a, const TryRecord& b) { return a.time < b.time; });
  for (int i = 0; i < tries.size(); ++i) {
    const TryRecord& t = tries[i];
    const QJsonArray row = rows[i + 1].toArray();
    ASSERT_EQ(row.size(), 17) << "row " << i;
    EXPECT_EQ(row[0].toString(), t.id);
    EXPECT_EQ(QDateTime::fromString(row[1].toString(), Qt::ISODateWithMs), t.time);
    EXPECT_EQ(row[2].toString(), t.pupil);
    EXPECT_EQ(row[3].toString(), t.seriesId);
    EXPECT_EQ(row[4].toString().toInt(), t.exercise);
    EXPECT_EQ(row[5].toString(), kindText(t.kind));
    EXPECT_EQ(row[10].toString() == QStringLiteral("oui"), t.level.protractorPlaced);
    EXPECT_EQ(row[12].toString().toInt(), t.target);
    EXPECT_EQ(row[13].toString(), t.answer ? QString::number(*t.answer) : QString());
    EXPECT_EQ(row[14].toString(), verdictText(t.verdict));
    EXPECT_EQ(row[15].toString(), t.explanation.value_or(QString()));
    EXPECT_DOUBLE_EQ(row[16].toString().replace(',', '.').toDouble(), t.seconds);
  }
}

TEST(CsvExportTest, MissingStoreWritesNothing) {
  QTemporaryDir dir;
  const QString csvPath = dir.filePath(QStringLiteral("export.csv"));
  QString error;
  EXPECT_FALSE(exportCsv(dir.filePath(QStringLiteral("absent.sqlite")), csvPath, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(csvPath));
}

}  // namespace
}  // namespace gradoir
