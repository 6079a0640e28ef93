#pragma once
// One Qt SQL connection owned by one object on one thread: Qt SQL
// connections may only be used on the thread that opened them, so every
// thread of the store opens its own and closes it when done.
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <chrono>

#include "records/postgres_url.h"

class QSqlError;
class QSqlQuery;

namespace gradoir {

enum class SqlBackend { Sqlite, Postgres };

class SqlConnection {
 public:
  // Opens (and creates when missing) the SQLite file at `path`, in WAL mode
  // with synchronous=FULL: a commit returns only once the write-ahead log
  // is on disk, so a try that was acknowledged survives a power cut and not
  // only a crash of the program. It costs one flush per try, which a
  // pupil's pace never notices. Writers from other programs are waited for
  // up to `busyTimeout` instead of failing. A file it creates is readable by
  // its owner only.
  explicit SqlConnection(const QString& sqlitePath,
                         std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout);
  // Opens a connection to a results server. Connecting gives up after a few
  // seconds and a dead server is noticed by TCP keep-alives, so that a
  // thread talking to it never hangs for long; a server that is alive but
  // frozen is not noticed, see socketDescriptor().
  explicit SqlConnection(const PostgresTarget& server);

  // Long enough for another program's transaction of a few rows, even on a
  // slow school disk, yet short enough that a stuck lock is reported.
  static constexpr std::chrono::milliseconds kDefaultBusyTimeout{15000};
  ~SqlConnection();
  SqlConnection(const SqlConnection&) = delete;
  SqlConnection& operator=(const SqlConnection&) = delete;

  bool isOpen() const { return m_open; }
  SqlBackend backend() const { return m_backend; }
  QSqlDatabase database() const { return m_database; }
  // The last failure, in French, in a form meant for a log or a status line.
  QString errorText() const { return m_errorText; }
  // The last failure was another program holding the SQLite file's lock.
  bool failedOnBusyFile() const { return m_busy; }
  // The socket of an open server connection, -1 otherwise. Shutting it down
  // from another thread makes a call waiting on the server fail at once.
  int socketDescriptor() const;

  // Runs one statement with `values` bound to its "?" in order. On failure
  // errorText() says why.
  bool exec(const QString& sql, const QVariantList& values = {});
  // Same, for statements whose rows are read. The query is left active.
  bool exec(QSqlQuery& query, const QString& sql, const QVariantList& values = {});

  // Transactions on SQLite take the write lock at once (BEGIN IMMEDIATE):
  // a transaction that reads first and writes later could otherwise fail
  // without waiting when another program wrote in between.
  bool begin();
  bool commit();
  void rollback();

 private:
  bool openSqlite(const QString& path, int busyTimeoutMs);
  bool fail(const QString& what, const QSqlError& error);

  QString m_name;
  SqlBackend m_backend;
  QSqlDatabase m_database;
  bool m_open = false;
  bool m_busy = false;
  QString m_errorText;
};

// Rolls back, unless committed, when it goes out of scope.
class SqlTransaction {
 public:
  explicit SqlTransaction(SqlConnection& connection) : m_connection(connection) {
    m_active = m_connection.begin();
  }
  ~SqlTransaction() {
    if (m_active) m_connection.rollback();
  }
  SqlTransaction(const SqlTransaction&) = delete;
  SqlTransaction& operator=(const SqlTransaction&) = delete;

  bool isActive() const { return m_active; }
  bool commit() {
    m_active = false;
    return m_connection.commit();
  }

 private:
  SqlConnection& m_connection;
  bool m_active = false;
};

}  // namespace gradoir
