#pragma once
// The tables of the results store, the same on a pupil's SQLite file and on
// a computer room's PostgreSQL server, written with types both engines read
// alike (TEXT, INTEGER, DOUBLE PRECISION; times as ISO 8601 UTC text).
//
//   schema_version (version)                      one row: kSchemaVersion
//   tries  (id PRIMARY KEY, recorded_at, pupil, series_id, exercise, kind,
//           step, min_measure, max_measure, tolerance, protractor_placed,
//           estimation, target, answer NULL, verdict, explanation NULL,
//           seconds)
//   series (id PRIMARY KEY, pupil, kind, started_at, ended_at NULL, score,
//           length)
//
// The SQLite file also holds the outbox: the records still to be sent to a
// server, in the order they were written.
//   outbox (seq INTEGER PRIMARY KEY, record_table, record_id)

namespace gradoir {

class SqlConnection;

constexpr int kSchemaVersion = 1;

// Creates what is missing, in one transaction; harmless on a store that has
// everything already, and safe when several programs start at once.
bool ensureSchema(SqlConnection& connection);

}  // namespace gradoir
