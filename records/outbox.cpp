#include "records/outbox.h"

#include <QSqlQuery>

#include "records/sql_connection.h"

namespace gradoir {

bool addToOutbox(SqlConnection& local, const QString& table, const QString& id) {
  return local.exec(QStringLiteral("INSERT INTO outbox (record_table, record_id) VALUES (?, ?)"),
                    {table, id});
}

bool readOutbox(SqlConnection& local, int limit, QList<OutboxEntry>& entries) {
  entries.clear();
  QSqlQuery query(local.database());
  if (!local.exec(query,
                  QStringLiteral("SELECT seq, record_table, record_id FROM outbox ORDER BY seq LIMIT ?"),
                  {limit})) {
    return false;
  }
  while (query.next()) {
    entries.append({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString()});
  }
  return true;
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
