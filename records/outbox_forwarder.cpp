#include "records/outbox_forwarder.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <algorithm>

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

OutboxForwarder::~OutboxForwarder() { m_worker.stop(); }

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
      delay = m_options.retryDelay;
      continue;
    }
    // With nothing to send, look again now and then all the same: another
    // program on the same file may have left records behind.
    const bool failed = pass == Pass::Failed;
    if (!waitBeforeNextPass(failed ? withJitter(delay) : m_options.maxRetryDelay, !failed)) break;
    if (failed) delay = std::min(delay * 2, m_options.maxRetryDelay);
  }
  m_server.drop();
  m_local.drop();
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
  // A failed batch reconnects next time: the server may have restarted.
  if (server == nullptr || !sendRecords(*server, *records)) return failure(m_server);
  if (!removeFromOutbox(*local, *entries)) return failure(m_local);
  m_worker.setError({});
  return Pass::Sent;
}

OutboxForwarder::Pass OutboxForwarder::failure(StoreConnection& store) {
  m_worker.setError(store.errorText());
  store.drop();
  return Pass::Failed;
}

// False when the thread should stop. New records end a quiet wait, not a
// back-off; when stopping, records that came in meanwhile get one more pass.
bool OutboxForwarder::waitBeforeNextPass(std::chrono::milliseconds timeout, bool newRecordsEndWait) {
  QMutexLocker lock(&m_worker.mutex());
  const QDeadlineTimer deadline(timeout);
  while (!m_worker.isStopping() && !(newRecordsEndWait && m_woken)) {
    if (!m_worker.sleep(deadline)) break;
  }
  const bool another = !m_worker.isStopping() || (newRecordsEndWait && m_woken);
  m_woken = false;
  return another;
}

// A whole computer room loses its server at once; spreading the retries
// keeps the room from knocking on its door all in the same instant.
std::chrono::milliseconds OutboxForwarder::withJitter(std::chrono::milliseconds delay) const {
  const auto spread = static_cast<int>(delay.count() / 5);
  if (spread <= 0) return delay;
  return delay + std::chrono::milliseconds(QRandomGenerator::global()->bounded(spread));
}

}  // namespace gradoir
