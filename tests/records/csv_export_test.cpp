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
                              QStringLiteral("Ligne\nsuivante\r\nfin"),
                              QStringLiteral("=HYPERLINK(\"http://x\";\"y\")"),
                              QStringLiteral("+1"), QStringLiteral("-2"), QStringLiteral("@SUM(A1)"),
                              QStringLiteral("\tcache"), QStringLiteral("\rretour"), QStringLiteral("a=b")};
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
  // The words a person reads, from the code.
  const ExplanationWords words = [](const TryRecord& t) { return QStringLiteral("mots:") + *t.explanation; };
  ASSERT_TRUE(exportCsv(store, {}, csvPath, &error, words)) << error.toStdString();
  QFile file(csvPath);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("\xEF\xBB\xBF"));

  const QJsonArray rows = readWithPython(python, csvPath);
  ASSERT_EQ(rows.size(), tries.size() + 1);
  EXPECT_EQ(rows[0].toArray().size(), 19);
  EXPECT_EQ(rows[0].toArray()[3].toString(), QStringLiteral("élève"));
  // What a spreadsheet would take for a formula starts with a quote, which
  // it shows as text; nothing else is changed.
  auto shown = [](const QString& name) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return formulaStarts.contains(name.front()) ? QLatin1Char('\'') + name : name;
  };
  std::sort(tries.begin(), tries.end(),
            [](const TryRecord& a, const TryRecord& b) { return a.time < b.time; });
  for (int i = 0; i < tries.size(); ++i) {
    const TryRecord& t = tries[i];
    const QJsonArray row = rows[i + 1].toArray();
    ASSERT_EQ(row.size(), 19) << "row " << i;
    EXPECT_EQ(row[0].toString(), t.id);
    EXPECT_EQ(QDateTime::fromString(row[1].toString(), Qt::ISODateWithMs), t.time);
    // Local time to the second, in the form spreadsheets read as a date.
    const QDateTime local = QDateTime::fromString(row[2].toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_TRUE(local.isValid()) << row[2].toString().toStdString();
    EXPECT_EQ(local.toSecsSinceEpoch(), t.time.toSecsSinceEpoch());
    EXPECT_EQ(row[3].toString(), shown(t.pupil));
    EXPECT_EQ(row[4].toString(), t.seriesId);
    EXPECT_EQ(row[5].toString().toInt(), t.exercise);
    EXPECT_EQ(row[6].toString(), kindText(t.kind));
    EXPECT_EQ(row[11].toString() == QStringLiteral("oui"), t.level.protractorPlaced);
    EXPECT_EQ(row[13].toString().toInt(), t.target);
    EXPECT_EQ(row[14].toString(), t.answer ? QString::number(*t.answer) : QString());
    EXPECT_EQ(row[15].toString(), verdictText(t.verdict));
    EXPECT_EQ(row[16].toString(), t.explanation ? QStringLiteral("mots:") + *t.explanation : QString());
    EXPECT_EQ(row[17].toString(), t.explanation.value_or(QString()));
    EXPECT_DOUBLE_EQ(row[18].toString().replace(',', '.').toDouble(), t.seconds);
  }
}

// One line per series: who, which kind, when, right, played and planned; an
// unfinished one with an empty end, an endless one with nothing planned.
TEST(CsvExportTest, SeriesExportSaysWhatEachSeriesDid) {
  const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  if (python.isEmpty()) GTEST_SKIP() << "python3 absent: the export cannot be read back";
  QTemporaryDir dir;
  const QString store = dir.filePath(QStringLiteral("resultats.sqlite"));
  const QDateTime start(QDate(2026, 3, 2), QTime(8, 30), Qt::UTC);
  struct Case {
    const char* pupil;
    ExerciseKind kind;
    int right, played, planned;
    bool ended;
  };
  const QList<Case> cases{{"Zoé", ExerciseKind::Measuring, 7, 10, 10, true},
                          {"@Léo", ExerciseKind::Drawing, 1, 3, 10, true},
                          {"Ana", ExerciseKind::Measuring, 4, 6, 0, true},
                          {"Ana", ExerciseKind::Drawing, 0, 0, 5, false}};
  {
    ResultsRecorder recorder({.localPath = store});
    int n = 0;
    for (const Case& c : cases) {
      const QDateTime begun = start.addSecs(600 * n++);
      recorder.recordSeries({newRecordId(), QString::fromUtf8(c.pupil), c.kind, begun,
                             c.ended ? std::optional<QDateTime>(begun.addSecs(300)) : std::nullopt, c.right,
                             c.planned, c.played});
    }
    ASSERT_TRUE(recorder.waitUntilWritten(10s));
  }
  const QString csvPath = dir.filePath(QStringLiteral("séries.csv"));
  QString error;
  ASSERT_TRUE(exportSeriesCsv(store, {}, csvPath, &error)) << error.toStdString();
  const QJsonArray rows = readWithPython(python, csvPath);
  ASSERT_EQ(rows.size(), cases.size() + 1);
  EXPECT_EQ(rows[0].toArray().size(), 10);
  QStringList seen;
  for (int i = 1; i < rows.size(); ++i) {
    QStringList cells;
    for (const QJsonValue& v : rows[i].toArray()) cells << v.toString();
    // Without the identifier and the UTC start, local times are checked apart.
    EXPECT_EQ(QDateTime::fromString(cells[4], QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUTC(),
              QDateTime::fromString(cells[3], Qt::ISODateWithMs));
    seen << QStringList{cells[1], cells[2], cells[5].isEmpty() ? "-" : "fin", cells[7], cells[8], cells[9]}.join('|');
  }
  QStringList expected;
  for (const Case& c : cases) {
    expected << QStringList{QString::fromUtf8(c.pupil).replace("@", "'@"), kindText(c.kind), c.ended ? "fin" : "-",
                            QString::number(c.right),
                            c.ended ? QString::number(c.played) : QStringLiteral("0"),
                            c.planned > 0 ? QString::number(c.planned) : QString()}
                    .join('|');
  }
  seen.sort();
  expected.sort();
  EXPECT_EQ(seen, expected);
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
