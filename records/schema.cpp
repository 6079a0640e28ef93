#include "records/schema.h"

#include <QSqlQuery>
#include <QStringList>
#include <optional>
#include <vector>

#include "records/sql_connection.h"

namespace gradoir {

namespace {

QStringList commonStatements() {
  return {
      QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"),
      QStringLiteral("CREATE TABLE IF NOT EXISTS tries ("
                     "id TEXT PRIMARY KEY, recorded_at TEXT NOT NULL, pupil TEXT NOT NULL, "
                     "series_id TEXT NOT NULL, exercise INTEGER NOT NULL, kind TEXT NOT NULL, "
                     "step INTEGER NOT NULL, min_measure INTEGER NOT NULL, max_measure INTEGER NOT NULL, "
                     "tolerance INTEGER NOT NULL, protractor_placed INTEGER NOT NULL, "
                     "estimation INTEGER NOT NULL, target INTEGER NOT NULL, answer INTEGER, "
                     "verdict TEXT NOT NULL, explanation TEXT, seconds DOUBLE PRECISION NOT NULL)"),
      QStringLiteral("CREATE TABLE IF NOT EXISTS series ("
                     "id TEXT PRIMARY KEY, pupil TEXT NOT NULL, kind TEXT NOT NULL, "
                     "started_at TEXT NOT NULL, ended_at TEXT, score INTEGER NOT NULL, "
                     "length INTEGER NOT NULL)"),
      // The teacher's view filters by pupil and by date.
      QStringLiteral("CREATE INDEX IF NOT EXISTS tries_by_pupil ON tries (pupil, recorded_at)"),
      QStringLiteral("CREATE INDEX IF NOT EXISTS tries_by_time ON tries (recorded_at)"),
      QStringLiteral("CREATE INDEX IF NOT EXISTS series_by_pupil ON series (pupil, started_at)"),
      QStringLiteral("INSERT INTO schema_version (version) SELECT 1 "
                     "WHERE NOT EXISTS (SELECT 1 FROM schema_version)"),
  };
}

// What each version adds to the one before, oldest first: a store made by an
// older program is brought up to date step by step, in the same transaction
// that creates what is missing. A step only adds (tables, columns with a
// default, indexes), so an older program still writes to a newer store.
struct Migration {
  int version;
  QStringList statements;
};

const std::vector<Migration>& migrations() {
  static const std::vector<Migration> steps{
      // The pupil's path: one row per exercise played on it, only ever
      // added (a pupil's program needs INSERT and SELECT, nothing more).
      {3,
       {QStringLiteral("CREATE TABLE IF NOT EXISTS path_steps ("
                       "id TEXT PRIMARY KEY, recorded_at TEXT NOT NULL, pupil TEXT NOT NULL, "
                       "kind TEXT NOT NULL, number INTEGER NOT NULL, level INTEGER NOT NULL, solved INTEGER NOT NULL, "
                       "tries_used INTEGER NOT NULL, next_level INTEGER NOT NULL)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS path_steps_by_pupil ON path_steps (pupil, kind, recorded_at)")}},
  };
  return steps;
}

// Empty when it cannot be read.
std::optional<int> storedVersion(SqlConnection& connection) {
  QSqlQuery query(connection.database());
  if (!connection.exec(query, QStringLiteral("SELECT MAX(version) FROM schema_version")) || !query.next()) {
    return std::nullopt;
  }
  return query.value(0).toInt();
}

const QString kOutboxStatement = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS outbox ("
    "seq INTEGER PRIMARY KEY, record_table TEXT NOT NULL, record_id TEXT NOT NULL)");

// Concurrent "CREATE TABLE IF NOT EXISTS" can collide on PostgreSQL when a
// whole class starts at once: the first program takes this lock, the others
// wait and then find the tables made. (SQLite's BEGIN IMMEDIATE already
// serialises them.)
const QString kPostgresSchemaLock = QStringLiteral("SELECT pg_advisory_xact_lock(4721940118)");

}  // namespace

bool ensureSchema(SqlConnection& connection) {
  SqlTransaction transaction(connection);
  if (!transaction.isActive()) return false;
  QStringList statements = commonStatements();
  if (connection.backend() == SqlBackend::Sqlite) {
    statements.append(kOutboxStatement);
  } else {
    statements.prepend(kPostgresSchemaLock);
  }
  for (const QString& statement : statements) {
    if (!connection.exec(statement)) return false;
  }
  const std::optional<int> stored = storedVersion(connection);
  if (!stored) return false;
  for (const Migration& step : migrations()) {
    if (step.version <= *stored) continue;
    for (const QString& statement : step.statements) {
      if (!connection.exec(statement)) return false;
    }
    if (!connection.exec(QStringLiteral("UPDATE schema_version SET version = %1").arg(step.version))) return false;
  }
  return transaction.commit();
}

}  // namespace gradoir
