#include "records/store_connection.h"

#include "records/schema.h"

namespace gradoir {

SqlConnection* StoreConnection::open() {
  if (!m_connection) {
    std::visit([this](const auto& target) { m_connection.emplace(target); }, m_target);
    if (!m_connection->isOpen() || !ensureSchema(*m_connection)) {
      drop();
      return nullptr;
    }
  }
  return &*m_connection;
}

void StoreConnection::drop() {
  if (m_connection) m_errorText = m_connection->errorText();
  m_connection.reset();
}

}  // namespace gradoir
