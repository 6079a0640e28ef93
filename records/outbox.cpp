#include "records/outbox.h"

#include <QSqlQuery>

#include "records/record_sql.h"
#include "records/sql_connection.h"

namespace gradoir {

bool addToOutbox(SqlConnection& local, const QString& table, const QString& id) {
  return local.exec(QStringLiteral("INSERT INTO outbox (record_table, record_id) VALUES (?, ?)"),
                    {table, id});
}

std::optional<QList<OutboxEntry>> readOutbox(SqlConnection& local, int limit) {
  QSqlQuery query(local.database());
  if (!local.exec(query,
                  QStringLiteral("SELECT seq, record_table, record_id FROM outbox ORDER BY seq LIMIT ?"),
                  {limit})) {
    return std::nullopt;
  }
  QList<OutboxEntry> entries;
  while (query.next()) {
    entries.append({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString()});
  }
  return entries;
}

std::optional<QList<AnyRecord>> readOutboxRecords(SqlConnection& local, const QList<OutboxEntry>& entries) {
  QList<AnyRecord> records;
  for (const OutboxEntry& entry : entries) {
    const bool isTry = entry.table == QLatin1String("tries");
    const bool isPathStep = entry.table == QLatin1String("path_steps");
    if (!isTry && !isPathStep && entry.table != QLatin1String("series")) continue;
    QSqlQuery query(local.database());
    const QString sql =
        isTry ? QStringLiteral("SELECT %1 FROM tries WHERE id = ?").arg(tryColumns())
        : isPathStep ? QStringLiteral("SELECT %1 FROM path_steps WHERE id = ?").arg(pathStepColumns())
                     : QStringLiteral("SELECT %1 FROM %2 WHERE series.id = ?").arg(seriesColumns(), seriesSource());
    if (!local.exec(query, sql, {entry.id})) return std::nullopt;
    if (!query.next()) continue;
    if (isTry) {
      if (const std::optional<TryRecord> attempt = readTry(query)) records << *attempt;
    } else if (isPathStep) {
      if (const std::optional<PathStepRecord> step = readPathStep(query)) records << *step;
    } else if (const std::optional<SeriesRecord> series = readSeries(query)) {
      records << *series;
    }
  }
  return records;
}

bool removeFromOutbox(SqlConnection& local, const QList<OutboxEntry>& entries) {
  SqlTransaction transaction(local);
  if (!transaction.isActive()) return false;
  for (const OutboxEntry& entry : entries) {
    if (!local.exec(QStringLiteral("DELETE FROM outbox WHERE seq = ?"), {entry.seq})) return false;
  }
  return transaction.commit();
}

}  // namespace gradoir
