#include "records/record_sql.h"

#include <QSqlQuery>
#include <QVariantList>

#include "records/sql_connection.h"

namespace gradoir {

namespace {

// The column's default: a series ended by a program that did not count the
// exercises played.
constexpr int kUnknownPlayed = -1;

// A null QString would be bound as SQL NULL and break NOT NULL columns.
QVariant text(const QString& value) { return value.isNull() ? QVariant(QLatin1String("")) : value; }

QVariant nullableInt(std::optional<int> value) {
  return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
}

QVariant nullableText(const std::optional<QString>& value) {
  return value ? text(*value) : QVariant(QMetaType::fromType<QString>());
}

QVariant nullableTime(const std::optional<QDateTime>& value) {
  return value ? QVariant(timeText(*value)) : QVariant(QMetaType::fromType<QString>());
}

QVariantList tryValues(const TryRecord& r) {
  return {text(r.id),
          timeText(r.time),
          text(r.pupil),
          text(r.seriesId),
          r.exercise,
          kindText(r.kind),
          r.level.step,
          r.level.minimum,
          r.level.maximum,
          r.level.tolerance,
          int(r.level.protractorPlaced),
          int(r.level.estimation),
          r.target,
          nullableInt(r.answer),
          verdictText(r.verdict),
          nullableText(r.explanation),
          r.seconds};
}

QVariantList seriesValues(const SeriesRecord& r) {
  return {text(r.id), text(r.pupil), kindText(r.kind), timeText(r.start), nullableTime(r.end), r.score, r.length};
}

QVariantList pathStepValues(const PathStepRecord& r) {
  return {text(r.id), timeText(r.time), text(r.pupil),  kindText(r.kind), r.number,
          r.level,    int(r.solved),    r.triesUsed,    r.nextLevel};
}

std::optional<int> intOrNone(const QVariant& value) {
  return value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
}

}  // namespace

QString tryColumns() {
  return QStringLiteral(
      "id, recorded_at, pupil, series_id, exercise, kind, step, min_measure, max_measure, "
      "tolerance, protractor_placed, estimation, target, answer, verdict, explanation, seconds");
}

QString seriesColumns() {
  return QStringLiteral(
      "series.id, pupil, kind, started_at, COALESCE(series_ends.ended_at, series.ended_at), "
      "COALESCE(series_ends.score, series.score), length, COALESCE(series_ends.played, %1)")
      .arg(kUnknownPlayed);
}

QString seriesSource() {
  return QStringLiteral("series LEFT JOIN series_ends ON series_ends.series_id = series.id");
}

QString pathStepColumns() {
  return QStringLiteral("id, recorded_at, pupil, kind, number, level, solved, tries_used, next_level");
}

WriteOutcome insertTry(SqlConnection& connection, const TryRecord& record) {
  QSqlQuery query(connection.database());
  const QString sql = QStringLiteral(
                          "INSERT INTO tries (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                          "ON CONFLICT DO NOTHING")
                          .arg(tryColumns());
  if (!connection.exec(query, sql, tryValues(record))) return WriteOutcome::Failed;
  return query.numRowsAffected() > 0 ? WriteOutcome::Stored : WriteOutcome::AlreadyThere;
}

bool insertSeries(SqlConnection& connection, const SeriesRecord& record) {
  const bool started = connection.exec(
      QStringLiteral("INSERT INTO series (id, pupil, kind, started_at, ended_at, score, length) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT DO NOTHING"),
      seriesValues(record));
  if (!started || !record.end) return started;
  return connection.exec(
      QStringLiteral("INSERT INTO series_ends (series_id, ended_at, score, played) VALUES (?, ?, ?, ?) "
                     "ON CONFLICT DO NOTHING"),
      {text(record.id), timeText(*record.end), record.score, record.played.value_or(kUnknownPlayed)});
}

// Only INSERT: a pupil's server role may be allowed nothing more on this table.
WriteOutcome insertPathStep(SqlConnection& connection, const PathStepRecord& record) {
  QSqlQuery query(connection.database());
  const QString sql =
      QStringLiteral("INSERT INTO path_steps (%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (id) DO NOTHING")
          .arg(pathStepColumns());
  if (!connection.exec(query, sql, pathStepValues(record))) return WriteOutcome::Failed;
  return query.numRowsAffected() > 0 ? WriteOutcome::Stored : WriteOutcome::AlreadyThere;
}

bool writeAnyRecord(SqlConnection& connection, const AnyRecord& record) {
  if (const auto* attempt = std::get_if<TryRecord>(&record)) {
    return insertTry(connection, *attempt) != WriteOutcome::Failed;
  }
  if (const auto* step = std::get_if<PathStepRecord>(&record)) {
    return insertPathStep(connection, *step) != WriteOutcome::Failed;
  }
  return insertSeries(connection, std::get<SeriesRecord>(record));
}

std::optional<TryRecord> readTry(const QSqlQuery& q) {
  const auto kind = kindFromText(q.value(5).toString());
  const auto verdict = verdictFromText(q.value(14).toString());
  if (!kind || !verdict) return std::nullopt;
  TryRecord r;
  r.id = q.value(0).toString();
  r.time = timeFromText(q.value(1).toString());
  r.pupil = q.value(2).toString();
  r.seriesId = q.value(3).toString();
  r.exercise = q.value(4).toInt();
  r.kind = *kind;
  r.level = {q.value(6).toInt(), q.value(7).toInt(),       q.value(8).toInt(),
             q.value(9).toInt(), q.value(10).toInt() != 0, q.value(11).toInt() != 0};
  r.target = q.value(12).toInt();
  r.answer = intOrNone(q.value(13));
  r.verdict = *verdict;
  if (!q.value(15).isNull()) r.explanation = q.value(15).toString();
  r.seconds = q.value(16).toDouble();
  return r;
}

std::optional<SeriesRecord> readSeries(const QSqlQuery& q) {
  const auto kind = kindFromText(q.value(2).toString());
  if (!kind) return std::nullopt;
  SeriesRecord r;
  r.id = q.value(0).toString();
  r.pupil = q.value(1).toString();
  r.kind = *kind;
  r.start = timeFromText(q.value(3).toString());
  if (!q.value(4).isNull()) r.end = timeFromText(q.value(4).toString());
  r.score = q.value(5).toInt();
  r.length = q.value(6).toInt();
  const int played = q.value(7).toInt();
  if (played >= 0) r.played = played;
  else r.played = std::nullopt;
  return r;
}

std::optional<PathStepRecord> readPathStep(const QSqlQuery& q) {
  const auto kind = kindFromText(q.value(3).toString());
  if (!kind) return std::nullopt;
  PathStepRecord r;
  r.id = q.value(0).toString();
  r.time = timeFromText(q.value(1).toString());
  r.pupil = q.value(2).toString();
  r.kind = *kind;
  r.number = q.value(4).toInt();
  r.level = q.value(5).toInt();
  r.solved = q.value(6).toInt() != 0;
  r.triesUsed = q.value(7).toInt();
  r.nextLevel = q.value(8).toInt();
  return r;
}

}  // namespace gradoir
