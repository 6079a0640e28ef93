#pragma once
// The outbox of the local SQLite file: which records still have to reach the
// results server. A record is written to its table and to the outbox in the
// same transaction, and leaves the outbox only after the server committed
// it, so a crash or a power cut on either side loses nothing; the worst case
// is a record sent twice, which the server ignores.
#include <QList>
#include <QString>
#include <optional>

#include "records/try_record.h"

namespace gradoir {

class SqlConnection;

struct OutboxEntry {
  qint64 seq = 0;
  QString table;  // "tries", "series" or "path_steps"
  QString id;
};

bool addToOutbox(SqlConnection& local, const QString& table, const QString& id);
// The `limit` oldest entries, oldest first; none when the query failed.
std::optional<QList<OutboxEntry>> readOutbox(SqlConnection& local, int limit);
// The records the entries point at, as they are now (a series noted at its
// start comes with its end if it has ended since); an entry whose record is
// gone, or of a table a newer program wrote, gives nothing. None when the
// file could not be read.
std::optional<QList<AnyRecord>> readOutboxRecords(SqlConnection& local, const QList<OutboxEntry>& entries);
// Removes the given entries in one transaction.
bool removeFromOutbox(SqlConnection& local, const QList<OutboxEntry>& entries);

}  // namespace gradoir
