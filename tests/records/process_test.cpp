// Real programs on one file: one killed in the middle of its writes, two
// writing at the same moment. Each child prints a try's id only after its
// commit was acknowledged, which is the promise under test.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/records/sample_records.h"

namespace gradoir {
namespace {

using test::queryValue;
using test::storedTryIds;

void startWriter(QProcess& process, const QString& path, const QString& pupil, int count) {
  process.start(QStringLiteral(GRADOIR_TEST_WRITER), {path, pupil, QString::number(count)});
  ASSERT_TRUE(process.waitForStarted(10000));
}

// Whole lines only: a line cut by the kill was never acknowledged.
QStringList acknowledgedIds(QByteArray& output) {
  QStringList ids;
  qsizetype end;
  while ((end = output.indexOf('\n')) >= 0) {
    ids << QString::fromLatin1(output.left(end));
    output.remove(0, end + 1);
  }
  return ids;
}

TEST(ProcessTest, KilledWriterLeavesAnIntactFileWithEveryAcknowledgedTry) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("resultats.sqlite"));
  QStringList acknowledged;
  // Several kills at different moments, each restart recovering the file
  // the previous one left.
  for (const int killAfter : {5, 17, 40}) {
    QProcess writer;
    startWriter(writer, path, QStringLiteral("Élève %1").arg(killAfter), 1000000);
    QByteArray output;
    QStringList ids;
    const QDeadlineTimer deadline(30000);
    while (ids.size() < killAfter && !deadline.hasExpired() && writer.waitForReadyRead(1000)) {
      output += writer.readAllStandardOutput();
      ids << acknowledgedIds(output);
    }
    ASSERT_GE(ids.size(), killAfter) << writer.readAllStandardError().toStdString();
    writer.kill();  // SIGKILL
    writer.waitForFinished(10000);
    output += writer.readAllStandardOutput();
    ids << acknowledgedIds(output);
    acknowledged << ids;

    EXPECT_EQ(queryValue(path, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    EXPECT_EQ(storedTryIds(path, acknowledged), acknowledged);
  }
}

TEST(ProcessTest, TwoProgramsWritingAtOnceLoseNothing) {
  QTemporaryDir dir;
  // A file neither program has made yet: they also race to create it.
  const QString path = dir.filePath(QStringLiteral("resultats.sqlite"));
  constexpr int kTries = 150;
  QProcess first;
  QProcess second;
  startWriter(first, path, QStringLiteral("Ana"), kTries);
  startWriter(second, path, QStringLiteral("Bob"), kTries);
  QStringList ids;
  for (QProcess* writer : {&first, &second}) {
    ASSERT_TRUE(writer->waitForFinished(60000));
    EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
    QByteArray output = writer->readAllStandardOutput();
    const QStringList written = acknowledgedIds(output);
    EXPECT_EQ(written.size(), kTries);
    ids << written;
  }
  EXPECT_EQ(queryValue(path, QStringLiteral("SELECT COUNT(*) FROM tries")).toInt(), 2 * kTries);
  EXPECT_EQ(storedTryIds(path, ids), ids);
  EXPECT_EQ(queryValue(path, QStringLiteral("SELECT COUNT(*) FROM series")).toInt(), 2);
  EXPECT_EQ(queryValue(path, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
}

}  // namespace
}  // namespace gradoir
