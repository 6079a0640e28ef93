#include "records/outbox_forwarder.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QThread>
#include <algorithm>

#include "records/outbox.h"
#include "records/record_sql.h"
#include "records/schema.h"
#include "records/sql_connection.h"

namespace gradoir {

namespace {

// A batch is one server transaction: large enough to catch up quickly
// after an outage, small enough to stay well within the statement timeout.
constexpr int kBatchSize = 200;

// The records the entries point at, as they are now (a series noted at its
// start is sent with its end if it has ended since). False when the file
// could not be read.
bool readEntries(SqlConnection& local, const QList<OutboxEntry>& entries, QList<AnyRecord>& records) {
  records.clear();
  for (const OutboxEntry& entry : entries) {
    if (entry.table == QLatin1String("tries")) {
      std::optional<TryRecord> attempt;
      if (!findTry(local, entry.id, attempt)) return false;
      if (attempt) records << *attempt;
    } else if (entry.table == QLatin1String("series")) {
      std::optional<SeriesRecord> series;
      if (!findSeries(local, entry.id, series)) return false;
      if (series) records << *series;
    }  // else written by a newer program: not ours to send
  }
  return true;
}

// In one server transaction, so that a batch is stored whole or not at all.
bool sendRecords(SqlConnection& server, const QList<AnyRecord>& records) {
  SqlTransaction transaction(server);
  if (!transaction.isActive()) return false;
  for (const AnyRecord& record : records) {
    const bool sent = std::holds_alternative<TryRecord>(record)
                          ? insertTry(server, std::get<TryRecord>(record)) != WriteOutcome::Failed
                          : upsertSeries(server, std::get<SeriesRecord>(record));
    if (!sent) return false;
  }
  return transaction.commit();
}

}  // namespace

OutboxForwarder::OutboxForwarder(Options options) : m_options(std::move(options)) {
  m_thread.reset(QThread::create([this] { run(); }));
  m_thread->setObjectName(QStringLiteral("gradoir results forwarder"));
  m_thread->start();
}

OutboxForwarder::~OutboxForwarder() {
  {
    QMutexLocker lock(&m_mutex);
    m_stopping = true;
    m_wake.wakeAll();
  }
  m_thread->wait();
}

void OutboxForwarder::wake() {
  QMutexLocker lock(&m_mutex);
  m_woken = true;
  m_wake.wakeAll();
}

QString OutboxForwarder::lastError() const {
  QMutexLocker lock(&m_mutex);
  return m_lastError;
}

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
  m_server.reset();
  m_local.reset();
}

OutboxForwarder::Pass OutboxForwarder::forwardBatch() {
  if (!openLocal()) return Pass::Failed;
  QList<OutboxEntry> entries;
  QList<AnyRecord> records;
  if (!readOutbox(*m_local, kBatchSize, entries)) return localFailure();
  if (entries.isEmpty()) return Pass::Empty;
  if (!readEntries(*m_local, entries, records)) return localFailure();
  if (!openServer()) return Pass::Failed;
  if (!sendRecords(*m_server, records)) {
    setError(m_server->errorText());
    m_server.reset();  // reconnect next time: the server may have restarted
    return Pass::Failed;
  }
  if (!removeFromOutbox(*m_local, entries)) return localFailure();
  setError({});
  return Pass::Sent;
}

OutboxForwarder::Pass OutboxForwarder::localFailure() {
  setError(m_local->errorText());
  m_local.reset();
  return Pass::Failed;
}

bool OutboxForwarder::openLocal() {
  if (m_local) return true;
  m_local = std::make_unique<SqlConnection>(m_options.localPath);
  if (m_local->isOpen() && ensureSchema(*m_local)) return true;
  setError(m_local->errorText());
  m_local.reset();
  return false;
}

bool OutboxForwarder::openServer() {
  if (m_server) return true;
  m_server = std::make_unique<SqlConnection>(m_options.server);
  if (m_server->isOpen() && ensureSchema(*m_server)) return true;
  setError(m_server->errorText());
  m_server.reset();
  return false;
}

// False when the thread should stop. New records end a quiet wait, not a
// back-off; when stopping, records that came in meanwhile get one more pass.
bool OutboxForwarder::waitBeforeNextPass(std::chrono::milliseconds timeout, bool newRecordsEndWait) {
  QMutexLocker lock(&m_mutex);
  const QDeadlineTimer deadline(timeout);
  while (!m_stopping && !(newRecordsEndWait && m_woken)) {
    if (!m_wake.wait(&m_mutex, deadline)) break;
  }
  const bool another = !m_stopping || (newRecordsEndWait && m_woken);
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

void OutboxForwarder::setError(const QString& text) {
  QMutexLocker lock(&m_mutex);
  m_lastError = text;
}

}  // namespace gradoir
