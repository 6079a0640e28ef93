#include "records/store_connection.h"

#include "records/schema.h"

#include <QCoreApplication>

namespace gradoir {

SqlConnection* StoreConnection::open() {
  if (!m_connection) {
    if (const auto* path = std::get_if<QString>(&m_target)) {
      m_connection.emplace(*path, m_busyTimeout);
    } else {
      m_connection.emplace(std::get<PostgresTarget>(m_target));
    }
    if (!m_connection->isOpen()) {
      drop();
      return nullptr;
    }
    if (!ensureSchema(*m_connection)) {
      const bool server = m_connection->backend() == SqlBackend::Postgres;
      drop();
      // A server set up with two roles lets no pupil make or change tables.
      if (server) {
        m_errorText = QCoreApplication::translate(
                          "gradoir::StoreConnection",
                          "Tables du serveur absentes ou d'une version plus ancienne (gradoir --server-setup "
                          "les crée) : %1")
                          .arg(m_errorText);
      }
      return nullptr;
    }
  }
  return &*m_connection;
}

void StoreConnection::drop() {
  if (m_connection) {
    m_errorText = m_connection->errorText();
    m_busy = m_connection->failedOnBusyFile();
  }
  m_connection.reset();
}

}  // namespace gradoir
