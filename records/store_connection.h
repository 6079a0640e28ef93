#pragma once
// A connection to a results store that is opened, with its tables, when it
// is first needed, and dropped after a failure so that the next use starts
// afresh: the file may have been replaced or its folder made writable again,
// the server may have restarted. Used on one thread, like SqlConnection.
#include <QString>
#include <optional>
#include <variant>

#include "records/postgres_url.h"
#include "records/sql_connection.h"

namespace gradoir {

class StoreConnection {
 public:
  explicit StoreConnection(const QString& sqlitePath,
                           std::chrono::milliseconds busyTimeout = SqlConnection::kDefaultBusyTimeout)
      : m_target(sqlitePath), m_busyTimeout(busyTimeout) {}
  explicit StoreConnection(const PostgresTarget& server) : m_target(server) {}

  // The open connection; nullptr when it cannot be opened or its tables
  // made, errorText() then says why.
  SqlConnection* open();
  // Drops the connection after a failure, keeping its reason.
  void drop();
  QString errorText() const { return m_connection ? m_connection->errorText() : m_errorText; }
  // The last failure was another program holding the SQLite file's lock.
  bool failedOnBusyFile() const { return m_connection ? m_connection->failedOnBusyFile() : m_busy; }

 private:
  std::variant<QString, PostgresTarget> m_target;
  std::chrono::milliseconds m_busyTimeout{SqlConnection::kDefaultBusyTimeout};
  std::optional<SqlConnection> m_connection;
  QString m_errorText;
  bool m_busy = false;
};

}  // namespace gradoir
