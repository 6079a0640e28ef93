#include "records/sql_connection.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <cstring>
#include <dlfcn.h>

namespace gradoir {

namespace {

// Long enough for another program's transaction of a few rows, even on a
// slow school disk, yet short enough that a stuck lock is reported.
constexpr int kBusyTimeoutMs = 15000;

QString uniqueConnectionName() {
  static std::atomic<quint64> counter{0};
  return QStringLiteral("gradoir_records_%1").arg(++counter);
}

// libpq options; ";" separates them in Qt's connect options.
QString postgresOptions() {
  return QStringLiteral(
      "connect_timeout=3;keepalives=1;keepalives_idle=10;keepalives_interval=3;"
      "keepalives_count=3;application_name=gradoir;options='-c statement_timeout=15000 -c "
      "client_min_messages=warning'");
}

}  // namespace

SqlConnection::SqlConnection(const QString& sqlitePath)
    : m_name(uniqueConnectionName()), m_backend(SqlBackend::Sqlite) {
  m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
  m_open = openSqlite(sqlitePath);
}

SqlConnection::SqlConnection(const PostgresTarget& server)
    : m_name(uniqueConnectionName()), m_backend(SqlBackend::Postgres) {
  m_database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
  m_database.setHostName(server.host);
  m_database.setPort(server.port);
  m_database.setUserName(server.user);
  m_database.setPassword(server.password);
  m_database.setDatabaseName(server.database);
  m_database.setConnectOptions(postgresOptions());
  m_open = m_database.open() ||
           fail(QCoreApplication::translate("gradoir::SqlConnection", "Connexion au serveur impossible"), m_database.lastError().text());
}

SqlConnection::~SqlConnection() {
  m_database.close();
  m_database = QSqlDatabase();
  QSqlDatabase::removeDatabase(m_name);
}

bool SqlConnection::openSqlite(const QString& path) {
  m_database.setDatabaseName(path);
  m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
  if (!m_database.open()) {
    return fail(QCoreApplication::translate("gradoir::SqlConnection", "Ouverture de %1 impossible").arg(path), m_database.lastError().text());
  }
  QSqlQuery query(m_database);
  if (!exec(query, QStringLiteral("PRAGMA journal_mode=WAL"))) return false;
  if (!query.next() || query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
    return fail(QCoreApplication::translate("gradoir::SqlConnection", "Mode WAL refusé pour %1").arg(path), query.value(0).toString());
  }
  return exec(QStringLiteral("PRAGMA synchronous=FULL")) &&
         exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(kBusyTimeoutMs));
}

int SqlConnection::socketDescriptor() const {
  if (m_backend != SqlBackend::Postgres || !m_open || m_database.driver() == nullptr) return -1;
  // Qt's driver hands out its libpq connection; libpq itself is already in
  // the process, loaded with the driver, so it is asked rather than linked:
  // the program keeps no build or package dependency of its own on it.
  const QVariant handle = m_database.driver()->handle();
  if (!handle.isValid() || std::strcmp(handle.typeName(), "PGconn*") != 0) return -1;
  void* const connection = *static_cast<void* const*>(handle.constData());
  using SocketOf = int (*)(const void*);
  static const SocketOf socketOf = [] {
    void* library = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
    return library ? reinterpret_cast<SocketOf>(dlsym(library, "PQsocket")) : nullptr;
  }();
  return connection && socketOf ? socketOf(connection) : -1;
}

bool SqlConnection::fail(const QString& what, const QString& detail) {
  m_errorText = detail.isEmpty() ? what : QStringLiteral("%1 : %2").arg(what, detail);
  return false;
}

bool SqlConnection::exec(const QString& sql, const QVariantList& values) {
  QSqlQuery query(m_database);
  return exec(query, sql, values);
}

bool SqlConnection::exec(QSqlQuery& query, const QString& sql, const QVariantList& values) {
  query.setForwardOnly(true);
  bool done = false;
  if (values.isEmpty()) {
    done = query.exec(sql);
  } else if (query.prepare(sql)) {
    for (const QVariant& value : values) query.addBindValue(value);
    done = query.exec();
  }
  return done || fail(QCoreApplication::translate("gradoir::SqlConnection", "Requête refusée"), query.lastError().text());
}

bool SqlConnection::begin() {
  return exec(m_backend == SqlBackend::Sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

bool SqlConnection::commit() {
  if (exec(QStringLiteral("COMMIT"))) return true;
  // A failed COMMIT may leave the transaction open on SQLite.
  const QString reason = m_errorText;
  rollback();
  m_errorText = reason;
  return false;
}

void SqlConnection::rollback() {
  QSqlQuery query(m_database);
  query.exec(QStringLiteral("ROLLBACK"));
}

}  // namespace gradoir
