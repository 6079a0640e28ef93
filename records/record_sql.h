#pragma once
// Writing and reading one record, with statements both engines accept.
// Writes only add rows and are idempotent: a record already stored is left
// alone (ON CONFLICT DO NOTHING, which needs no right but INSERT). A series
// is a row at its start and a row in series_ends once it has ended.
#include <QString>
#include <optional>

#include "records/try_record.h"

class QSqlQuery;

namespace gradoir {

class SqlConnection;

enum class WriteOutcome { Stored, AlreadyThere, Failed };

WriteOutcome insertTry(SqlConnection& connection, const TryRecord& record);
// The series' start, and its end when it has one; either already there is kept.
bool insertSeries(SqlConnection& connection, const SeriesRecord& record);
WriteOutcome insertPathStep(SqlConnection& connection, const PathStepRecord& record);
// Any record, each kind by its own statement; false when it failed.
bool writeAnyRecord(SqlConnection& connection, const AnyRecord& record);

// The columns readTry and readSeries expect, in their order, for a SELECT;
// series' come FROM seriesSource() (a series with its end).
QString tryColumns();
QString seriesColumns();
QString seriesSource();
QString pathStepColumns();
// The record at the query's current row; none when a stored text is not one
// this program writes (a row from a newer program, for instance).
std::optional<TryRecord> readTry(const QSqlQuery& query);
std::optional<SeriesRecord> readSeries(const QSqlQuery& query);
std::optional<PathStepRecord> readPathStep(const QSqlQuery& query);

}  // namespace gradoir
