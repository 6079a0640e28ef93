#pragma once
// Writing and reading one record, with statements both engines accept.
// Writes are idempotent: a try already stored is left alone (ON CONFLICT DO
// NOTHING) and a series record replaces the state of the same series.
#include <QString>
#include <optional>

#include "records/try_record.h"

class QSqlQuery;

namespace gradoir {

class SqlConnection;

enum class WriteOutcome { Stored, AlreadyThere, Failed };

WriteOutcome insertTry(SqlConnection& connection, const TryRecord& record);
bool upsertSeries(SqlConnection& connection, const SeriesRecord& record);
WriteOutcome insertPathStep(SqlConnection& connection, const PathStepRecord& record);
// Any record, each kind by its own statement; false when it failed.
bool writeAnyRecord(SqlConnection& connection, const AnyRecord& record);

// The columns readTry and readSeries expect, in their order, for a SELECT.
QString tryColumns();
QString seriesColumns();
QString pathStepColumns();
// The record at the query's current row; none when a stored text is not one
// this program writes (a row from a newer program, for instance).
std::optional<TryRecord> readTry(const QSqlQuery& query);
std::optional<SeriesRecord> readSeries(const QSqlQuery& query);
std::optional<PathStepRecord> readPathStep(const QSqlQuery& query);

}  // namespace gradoir
