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
//           length)                               written at the series' start
//   series_ends (series_id PRIMARY KEY, ended_at,  at its end; score: right,
//                score, played)                     length: planned, played:
//                                                   -1 when an older program wrote it
//   path_steps (id PRIMARY KEY, recorded_at, pupil, kind, number, level,   from version 3
//           solved, tries_used, next_level)
//
// Rows are only ever added: a series' end is a row of its own rather than an
// update of its start (stores made before that keep ended_at and score in
// series; readers take series_ends first), and the pupil's path is the list
// of its steps, its level computed from them.
//
// The SQLite file also holds the outbox: the records still to be sent to a
// server, in the order they were written.
//   outbox (seq INTEGER PRIMARY KEY, record_table, record_id)

#include <QString>
#include <QStringList>
#include <vector>

namespace gradoir {

class SqlConnection;

// Each table a results server holds, with what the pupils' role may do with
// it (SQL privileges); the teacher's role may read every one. A table added
// by a migration step gets its line here, which --server-setup grants.
struct StoreTable {
  QString name;
  QString pupilPrivileges;
};
const std::vector<StoreTable>& storeTables();

// The two roles of a computer room's server: the pupils' programs add
// records, the teacher's read them.
struct ServerRoles {
  QString pupils = QStringLiteral("gradoir_eleves");
  QString pupilsPassword;
  QString teacher = QStringLiteral("gradoir_prof");
  QString teacherPassword;
};

// The version a store has once ensureSchema is done: the last migration step's.
int latestSchemaVersion();

// What `gradoir --server-setup` prints, one statement each, for the server's
// administrator to run on the room's database (psql -f): both roles with
// their passwords, the tables and every migration step as ensureSchema makes
// them, the tables and the database taken from whoever owned them, and the
// grants of storeTables(). Running it again changes nothing but the passwords.
QStringList serverSetupStatements(const ServerRoles& roles);

// Creates what is missing and brings an older store up to date (the
// migration steps of schema.cpp), in one transaction; harmless on a store
// that has everything already, and safe when several programs start at once.
// On a server whose tables are up to date it only reads the version, which
// is all the pupils' role may do.
bool ensureSchema(SqlConnection& connection);

}  // namespace gradoir
