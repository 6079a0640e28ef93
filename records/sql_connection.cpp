#include "records/sql_connection.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace gradoir {

namespace {

QString uniqueConnectionName() {
  static std::atomic<quint64> counter{0};
  return QStringLiteral("gradoir_records_%1").arg(++counter);
}

// libpq options; ";" separates them in Qt's connect options.
// Connecting gives up after 2 s (the client library's least), a server
// that vanished is noticed by keep-alives or unacknowledged data within
// seconds, and a statement is cancelled by the server after 15 s.
QString postgresOptions() {
  return QStringLiteral(
      "connect_timeout=2;keepalives=1;keepalives_idle=10;keepalives_interval=3;"
      "keepalives_count=3;tcp_user_timeout=10000;application_name=gradoir;"
      "options='-c statement_timeout=15000 -c client_min_messages=warning'");
}

// SQLite's primary result codes that a pupil's computer meets, in words.
QString sqliteReason(int code) {
  switch (code & 0xff) {
    case 3:   // PERM
    case 23:  // AUTH
      return QCoreApplication::translate("gradoir::SqlConnection", "accès refusé");
    case 5:  // BUSY
    case 6:  // LOCKED
      return QCoreApplication::translate("gradoir::SqlConnection", "le fichier est occupé par un autre programme");
    case 8:  // READONLY
      return QCoreApplication::translate("gradoir::SqlConnection", "le fichier ou son dossier est en lecture seule pour ce compte");
    case 10:  // IOERR
      return QCoreApplication::translate("gradoir::SqlConnection", "erreur de lecture ou d'écriture du disque");
    case 11:  // CORRUPT
      return QCoreApplication::translate("gradoir::SqlConnection", "le fichier est endommagé");
    case 13:  // FULL
      return QCoreApplication::translate("gradoir::SqlConnection", "le disque est plein");
    case 14:  // CANTOPEN
      return QCoreApplication::translate("gradoir::SqlConnection", "le fichier ne peut être ouvert ni créé (dossier absent ou interdit)");
    case 26:  // NOTADB
      return QCoreApplication::translate("gradoir::SqlConnection", "ce fichier n'est pas une base de résultats");
    default:
      return {};
  }
}

bool isBusyCode(int code) { return (code & 0xff) == 5 || (code & 0xff) == 6; }

// The results file is personal data: made readable by its owner alone
// (SQLite gives its -wal and -shm files the same mode).
void createPrivately(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
  if (fd >= 0) ::close(fd);
}

// The socket of a server connection, through the client library that Qt's
// driver loaded (looked up rather than linked: a program without a server
// never loads it).
int postgresSocket(const QSqlDatabase& database) {
  const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
  // PGconn is a typedef of struct pg_conn: either name may be registered.
  const QByteArray type = handle.typeName();
  if (type != "PGconn*" && type != "pg_conn*") return -1;
  void* connection = *static_cast<void* const*>(handle.constData());
  static const auto socketOf = [] {
    void* library = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
    return library ? reinterpret_cast<int (*)(const void*)>(dlsym(library, "PQsocket")) : nullptr;
  }();
  return connection && socketOf ? socketOf(connection) : -1;
}

}  // namespace

SqlConnection::SqlConnection(const QString& sqlitePath, std::chrono::milliseconds busyTimeout)
    : m_name(uniqueConnectionName()), m_backend(SqlBackend::Sqlite) {
  m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
  m_open = openSqlite(sqlitePath, static_cast<int>(busyTimeout.count()));
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
  m_open = m_database.open() || fail(QCoreApplication::translate("gradoir::SqlConnection", "Connexion au serveur impossible"), m_database.lastError());
}

int SqlConnection::socketDescriptor() const {
  return m_backend == SqlBackend::Postgres && m_open ? postgresSocket(m_database) : -1;
}

SqlConnection::~SqlConnection() {
  m_database.close();
  m_database = QSqlDatabase();
  QSqlDatabase::removeDatabase(m_name);
}

bool SqlConnection::openSqlite(const QString& path, int busyTimeoutMs) {
  if (!QFileInfo::exists(path)) createPrivately(path);
  m_database.setDatabaseName(path);
  m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
  if (!m_database.open()) return fail(QCoreApplication::translate("gradoir::SqlConnection", "Ouverture de %1 impossible").arg(path), m_database.lastError());
  // The first statement reads the file: a damaged file or one of another
  // kind fails here.
  QSqlQuery query(m_database);
  query.setForwardOnly(true);
  if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL"))) {
    return fail(QCoreApplication::translate("gradoir::SqlConnection", "Ouverture de %1 impossible").arg(path), query.lastError());
  }
  if (!query.next() || query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
    return fail(QCoreApplication::translate("gradoir::SqlConnection", "Mode WAL refusé pour %1").arg(path), query.lastError());
  }
  return exec(QStringLiteral("PRAGMA synchronous=FULL")) &&
         exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(busyTimeoutMs));
}

bool SqlConnection::fail(const QString& what, const QSqlError& error) {
  const int code = error.nativeErrorCode().toInt();
  m_busy = m_backend == SqlBackend::Sqlite && isBusyCode(code);
  const QString reason = m_backend == SqlBackend::Sqlite ? sqliteReason(code) : QString();
  const QString detail = error.text().trimmed();
  QString text = what;
  if (!reason.isEmpty()) text += QStringLiteral(" : ") + reason;
  if (!detail.isEmpty()) text += reason.isEmpty() ? QStringLiteral(" : ") + detail : QStringLiteral(" (%1)").arg(detail);
  m_errorText = text;
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
  if (done) m_busy = false;
  return done || fail(QCoreApplication::translate("gradoir::SqlConnection", "Requête refusée"), query.lastError());
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
