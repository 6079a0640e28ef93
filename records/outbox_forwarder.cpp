#include "records/outbox_forwarder.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <algorithm>

#include <sys/socket.h>

#include "records/outbox.h"
#include "records/record_sql.h"
#include "records/sql_connection.h"

namespace gradoir {

namespace {

// A batch is one server transaction: large enough to catch up quickly
// after an outage, small enough to stay well within the statement timeout.
constexpr int kBatchSize = 200;

// In one server transaction, so that a batch is stored whole or not at all.
bool sendRecords(SqlConnection& server, const QList<AnyRecord>& records) {
  SqlTransaction transaction(server);
  if (!transaction.isActive()) return false;
  for (const AnyRecord& record : records) {
    if (!writeAnyRecord(server, record)) return false;
  }
  return transaction.commit();
}

}  // namespace

OutboxForwarder::OutboxForwarder(Options options)
    : m_options(std::move(options)), m_local(m_options.localPath), m_server(m_options.server) {
  m_worker.start([this] { run(); });
}

OutboxForwarder::~OutboxForwarder() {
  const QDeadlineTimer deadline(m_options.quitWait);
  m_worker.requestStop();
  if (!m_worker.wait(deadline)) {
    cutServerOff();
    m_worker.wait();
  }
}

void OutboxForwarder::wake() {
  QMutexLocker lock(&m_worker.mutex());
  m_woken = true;
  m_worker.wake();
}

QString OutboxForwarder::lastError() const { return m_worker.lastError(); }

void OutboxForwarder::run() {
  std::chrono::milliseconds delay = m_options.retryDelay;
  for (;;) {
    const Pass pass = forwardBatch();
    if (pass == Pass::Sent) {
      // Batches go on while stopping, until the owner's wait is over.
      delay = m_options.retryDelay;
      continue;
    }
    // Stopping ends at the first pass that sends nothing.
    if (stopping()) break;
    // With nothing to send, look again now and then all the same: another
    // program on the same file may have left records behind. A stop request
    // ends either wait with one more pass.
    const bool failed = pass == Pass::Failed;
    waitBeforeNextPass(failed ? withJitter(delay) : m_options.maxRetryDelay, !failed);
    if (failed) delay = std::min(delay * 2, m_options.maxRetryDelay);
  }
  dropServer();
  m_local.drop();
}

bool OutboxForwarder::stopping() const {
  QMutexLocker lock(&m_worker.mutex());
  return m_worker.isStopping();
}

void OutboxForwarder::dropServer() {
  {
    QMutexLocker lock(&m_socketLock);
    m_serverSocket = -1;
  }
  m_server.drop();
}

// From the owner's thread: the call in progress on the server fails at once.
void OutboxForwarder::cutServerOff() {
  QMutexLocker lock(&m_socketLock);
  m_cutOff = true;
  if (m_serverSocket >= 0) ::shutdown(m_serverSocket, SHUT_RDWR);
}

void OutboxForwarder::setError(const QString& text) {
  if (m_worker.setError(text) && m_options.statusChanged) m_options.statusChanged();
}

OutboxForwarder::Pass OutboxForwarder::forwardBatch() {
  SqlConnection* local = m_local.open();
  if (local == nullptr) return failure(m_local);
  const std::optional<QList<OutboxEntry>> entries = readOutbox(*local, kBatchSize);
  if (!entries) return failure(m_local);
  if (entries->isEmpty()) return Pass::Empty;
  const std::optional<QList<AnyRecord>> records = readOutboxRecords(*local, *entries);
  if (!records) return failure(m_local);
  SqlConnection* server = m_server.open();
  if (server != nullptr) {
    QMutexLocker lock(&m_socketLock);
    m_serverSocket = server->socketDescriptor();
    // Connected after the owner gave up waiting: nothing more is sent.
    if (m_cutOff && m_serverSocket >= 0) ::shutdown(m_serverSocket, SHUT_RDWR);
  }
  // A failed batch reconnects next time: the server may have restarted.
  if (server == nullptr || !sendRecords(*server, *records)) return failure(m_server);
  if (!removeFromOutbox(*local, *entries)) return failure(m_local);
  setError({});
  return Pass::Sent;
}

OutboxForwarder::Pass OutboxForwarder::failure(StoreConnection& store) {
  setError(store.errorText());
  if (&store == &m_server) {
    dropServer();
  } else {
    store.drop();
  }
  return Pass::Failed;
}

// New records end a quiet wait, not a back-off; a stop request ends both.
void OutboxForwarder::waitBeforeNextPass(std::chrono::milliseconds timeout, bool newRecordsEndWait) {
  QMutexLocker lock(&m_worker.mutex());
  const QDeadlineTimer deadline(timeout);
  while (!m_worker.isStopping() && !(newRecordsEndWait && m_woken)) {
    if (!m_worker.sleep(deadline)) break;
  }
  m_woken = false;
}

// A whole computer room loses its server at once; spreading the retries
// keeps the room from knocking on its door all in the same instant.
std::chrono::milliseconds OutboxForwarder::withJitter(std::chrono::milliseconds delay) const {
  const auto spread = static_cast<int>(delay.count() / 5);
  if (spread <= 0) return delay;
  return delay + std::chrono::milliseconds(QRandomGenerator::global()->bounded(spread));
}

}  // namespace gradoir
