#include "records/schema.h"

#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <vector>

#include "records/sql_connection.h"

namespace gradoir {

const std::vector<StoreTable>& storeTables() {
  // The teacher's role reads every table. The pupils' role adds records and
  // reads only the version and the path's steps (levels, no answers), so
  // that a pupil holding its password (it is in every pupil's Grado.ini) can
  // neither change anyone's results nor read their answers.
  static const std::vector<StoreTable> tables{
      {QStringLiteral("schema_version"), QStringLiteral("SELECT")},
      {QStringLiteral("tries"), QStringLiteral("INSERT")},
      {QStringLiteral("series"), QStringLiteral("INSERT")},
      {QStringLiteral("series_ends"), QStringLiteral("INSERT")},
      // A pupil's program reads back its own steps to know where it is on
      // the path; it never changes them.
      {QStringLiteral("path_steps"), QStringLiteral("INSERT, SELECT")},
  };
  return tables;
}

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
      // The end of a series in a table of its own, so that a pupil's program
      // only ever adds rows (the series row written at the start is never
      // updated, which lets a server refuse pupils every UPDATE), with what an
      // abandoned series did: an older program's ends keep -1 for the
      // exercises played. And what the teacher's desk reads a year of
      // tries by: a series' tries, each pupil's mistakes counted by kind.
      {2,
       {QStringLiteral("CREATE TABLE IF NOT EXISTS series_ends ("
                       "series_id TEXT PRIMARY KEY, ended_at TEXT NOT NULL, score INTEGER NOT NULL, "
                       "played INTEGER NOT NULL DEFAULT -1)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS tries_by_series ON tries (series_id, exercise)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS tries_mistakes ON tries (pupil, kind, explanation, recorded_at)"),
        QStringLiteral("CREATE INDEX IF NOT EXISTS series_by_time ON series (started_at)")}},
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

}  // namespace

int latestSchemaVersion() {
  int latest = 1;
  for (const Migration& step : migrations()) latest = std::max(latest, step.version);
  return latest;
}

namespace {

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
  // A server set up by --server-setup gives pupils no right to create
  // anything: when its tables are up to date there is nothing to make.
  if (connection.backend() == SqlBackend::Postgres) {
    const std::optional<int> stored = storedVersion(connection);
    if (stored && *stored >= latestSchemaVersion()) return true;
  }
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

namespace gradoir {

namespace {

// A PostgreSQL text literal.
QString literal(const QString& text) {
  QString quoted = text;
  return QLatin1Char('\'') + quoted.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

// A PostgreSQL name, quoted so that any role name is taken as written.
QString name(const QString& text) {
  QString quoted = text;
  return QLatin1Char('"') + quoted.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QStringList roleStatements(const QString& role, const QString& password) {
  return {
      QStringLiteral("DO $$BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = %1) THEN "
                     "CREATE ROLE %2 LOGIN; END IF; END$$")
          .arg(literal(role), name(role)),
      QStringLiteral("ALTER ROLE %1 LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE PASSWORD %2")
          .arg(name(role), literal(password)),
  };
}

}  // namespace

QStringList serverSetupStatements(const ServerRoles& roles) {
  QStringList statements = roleStatements(roles.pupils, roles.pupilsPassword);
  statements << roleStatements(roles.teacher, roles.teacherPassword);
  statements << QStringLiteral("BEGIN") << kPostgresSchemaLock << commonStatements();
  // Each step once, as ensureSchema would apply it.
  for (const Migration& step : migrations()) {
    QString block = QStringLiteral("DO $$BEGIN IF (SELECT MAX(version) FROM schema_version) < %1 THEN ")
                        .arg(step.version);
    for (const QString& statement : step.statements) {
      block += QStringLiteral("EXECUTE $step$%1$step$; ").arg(statement);
    }
    block += QStringLiteral("UPDATE schema_version SET version = %1; END IF; END$$").arg(step.version);
    statements << block;
  }
  // Whoever made the tables before (the one user of an older setup, whose
  // password the pupils have) keeps no right over them.
  statements << QStringLiteral(
                    "DO $$BEGIN EXECUTE format('ALTER DATABASE %I OWNER TO %I', current_database(), "
                    "current_user); END$$")
             << QStringLiteral("REVOKE CREATE ON SCHEMA public FROM PUBLIC");
  for (const StoreTable& table : storeTables()) {
    statements << QStringLiteral("ALTER TABLE %1 OWNER TO CURRENT_USER").arg(table.name)
               << QStringLiteral("REVOKE ALL ON %1 FROM PUBLIC, %2, %3")
                      .arg(table.name, name(roles.pupils), name(roles.teacher))
               << QStringLiteral("GRANT %1 ON %2 TO %3").arg(table.pupilPrivileges, table.name, name(roles.pupils))
               << QStringLiteral("GRANT SELECT ON %1 TO %2").arg(table.name, name(roles.teacher));
  }
  statements << QStringLiteral("COMMIT");
  return statements;
}

}  // namespace gradoir
