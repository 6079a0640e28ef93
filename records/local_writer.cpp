#include "records/local_writer.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

#include "records/outbox.h"
#include "records/record_sql.h"
#include "records/sql_connection.h"
#include "records/store_connection.h"

namespace gradoir {

LocalWriter::LocalWriter(Options options) : m_options(std::move(options)) {
  m_worker.start([this] { run(); });
}

LocalWriter::~LocalWriter() {
  m_worker.stop();
  if (!m_queue.empty()) {
    qWarning("Résultats : %zu essai(s) non enregistré(s) : %s", m_queue.size(),
             qPrintable(m_worker.lastError()));
  }
}

void LocalWriter::enqueue(AnyRecord record) {
  QMutexLocker lock(&m_worker.mutex());
  m_queue.push_back(std::move(record));
  ++m_enqueuedCount;
  m_worker.wake();
}

bool LocalWriter::waitUntilWritten(std::chrono::milliseconds timeout) {
  const QDeadlineTimer deadline(timeout);
  QMutexLocker lock(&m_worker.mutex());
  const quint64 target = m_enqueuedCount;
  while (m_writtenCount < target) {
    if (!m_writtenCondition.wait(&m_worker.mutex(), deadline)) return m_writtenCount >= target;
  }
  return true;
}

QString LocalWriter::lastError() const { return m_worker.lastError(); }

void LocalWriter::run() {
  StoreConnection store(m_options.path);
  while (const std::optional<AnyRecord> next = waitForNext()) {
    if (writeOne(store, *next)) {
      markWritten();
      if (m_options.afterCommit) m_options.afterCommit();
    } else if (!pauseAfterFailure()) {
      return;
    }
  }
}

// A copy of the oldest record, which stays queued until it is committed;
// nothing once stopping with an empty queue.
std::optional<AnyRecord> LocalWriter::waitForNext() {
  QMutexLocker lock(&m_worker.mutex());
  while (m_queue.empty() && !m_worker.isStopping()) m_worker.sleep();
  if (m_queue.empty()) return std::nullopt;
  return m_queue.front();
}

bool LocalWriter::writeOne(StoreConnection& store, const AnyRecord& record) {
  SqlConnection* connection = store.open();
  if (connection != nullptr && writeRecord(*connection, record)) {
    m_worker.setError({});
    return true;
  }
  m_worker.setError(store.errorText());
  store.drop();
  return false;
}

bool LocalWriter::writeRecord(SqlConnection& connection, const AnyRecord& record) {
  SqlTransaction transaction(connection);
  if (!transaction.isActive()) return false;
  if (const auto* attempt = std::get_if<TryRecord>(&record)) {
    const WriteOutcome outcome = insertTry(connection, *attempt);
    if (outcome == WriteOutcome::Failed) return false;
    // A try handed over twice is sent once.
    if (m_options.keepOutbox && outcome == WriteOutcome::Stored &&
        !addToOutbox(connection, QStringLiteral("tries"), attempt->id)) {
      return false;
    }
  } else if (const auto* step = std::get_if<PathStepRecord>(&record)) {
    const WriteOutcome outcome = insertPathStep(connection, *step);
    if (outcome == WriteOutcome::Failed) return false;
    if (m_options.keepOutbox && outcome == WriteOutcome::Stored &&
        !addToOutbox(connection, QStringLiteral("path_steps"), step->id)) {
      return false;
    }
  } else {
    const auto& series = std::get<SeriesRecord>(record);
    if (!upsertSeries(connection, series)) return false;
    if (m_options.keepOutbox && !addToOutbox(connection, QStringLiteral("series"), series.id)) return false;
  }
  return transaction.commit();
}

void LocalWriter::markWritten() {
  QMutexLocker lock(&m_worker.mutex());
  m_queue.pop_front();
  ++m_writtenCount;
  m_writtenCondition.wakeAll();
}

// False when the writer is stopping: what is left cannot be written.
bool LocalWriter::pauseAfterFailure() {
  QMutexLocker lock(&m_worker.mutex());
  if (m_worker.isStopping()) return false;
  m_worker.sleep(QDeadlineTimer(m_options.retryDelay));
  return true;
}

}  // namespace gradoir
