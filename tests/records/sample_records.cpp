#include "tests/records/sample_records.h"

#include <QSqlQuery>

#include "records/postgres_url.h"
#include "records/sql_connection.h"

namespace gradoir::test {

namespace {

std::unique_ptr<SqlConnection> connect(const QString& source) {
  if (const auto server = parsePostgresUrl(source)) return std::make_unique<SqlConnection>(*server);
  return std::make_unique<SqlConnection>(source);
}

}  // namespace

SeriesRecord sampleSeries(const QString& pupil, const QDateTime& start) {
  return {newRecordId(), pupil, ExerciseKind::Measuring, start, std::nullopt, 0, 10};
}

TryRecord sampleTry(const SeriesRecord& series, int exercise) {
  TryRecord r;
  r.id = newRecordId();
  r.time = series.start.addMSecs(exercise * 7250 + 3);
  r.pupil = series.pupil;
  r.seriesId = series.id;
  r.exercise = exercise;
  r.kind = exercise % 2 ? ExerciseKind::Measuring : ExerciseKind::Drawing;
  r.level = {exercise % 3 + 1, 10 + exercise,     170 - exercise,
             exercise % 4,     exercise % 2 == 0, exercise % 3 == 0};
  r.target = 20 + 13 * exercise;
  if (exercise % 5 != 4) r.answer = r.target + exercise % 3 - 1;
  r.verdict = static_cast<Verdict>(exercise % 3);
  if (r.verdict == Verdict::Wrong)
    r.explanation = exercise % 2 ? QStringLiteral("échelle-inversée") : QStringLiteral("côté");
  r.seconds = 1.25 + exercise * 0.5;
  return r;
}

QVariant queryValue(const QString& source, const QString& sql) {
  const auto connection = connect(source);
  QSqlQuery query(connection->database());
  if (!connection->isOpen() || !connection->exec(query, sql) || !query.next()) return {};
  return query.value(0);
}

QStringList storedTryIds(const QString& source, const QStringList& ids) {
  const auto connection = connect(source);
  QStringList found;
  for (const QString& id : ids) {
    QSqlQuery query(connection->database());
    if (connection->exec(query, QStringLiteral("SELECT id FROM tries WHERE id = ?"), {id}) && query.next()) {
      found << query.value(0).toString();
    }
  }
  return found;
}

}  // namespace gradoir::test
