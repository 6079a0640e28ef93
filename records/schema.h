#pragma once
// The tables of the results store, the same on a pupil's SQLite file and on
// a computer room's PostgreSQL server, written with types both engines read
// alike (TEXT, INTEGER, DOUBLE PRECISION; times as ISO 8601 UTC text).
//
//   schema_version (version)                      one row: the last step applied
//   tries  (id PRIMARY KEY, recorded_at, pupil, series_id, exercise, kind,
//           step, min_measure, max_measure, tolerance, protractor_placed,
//           estimation, target, answer NULL, verdict, explanation NULL,
//           seconds)
//   series (id PRIMARY KEY, pupil, kind, started_at, ended_at NULL, score,
//           length)
//   path_steps (id PRIMARY KEY, recorded_at, pupil, kind, number, level,   from version 3
//           solved, tries_used, next_level)
//
// The SQLite file also holds the outbox: the records still to be sent to a
// server, in the order they were written.
//   outbox (seq INTEGER PRIMARY KEY, record_table, record_id)

namespace gradoir {

class SqlConnection;

// Creates what is missing and brings an older store up to date (the
// migration steps of schema.cpp), in one transaction; harmless on a store
// that has everything already, and safe when several programs start at once.
bool ensureSchema(SqlConnection& connection);

}  // namespace gradoir
