#include "records/local_writer.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QThread>

#include "records/outbox.h"
#include "records/record_sql.h"
#include "records/schema.h"
#include "records/sql_connection.h"

namespace gradoir {

LocalWriter::LocalWriter(Options options) : m_options(std::move(options)) {
  m_thread.reset(QThread::create([this] { run(); }));
  m_thread->setObjectName(QStringLiteral("gradoir results writer"));
  m_thread->start();
}

LocalWriter::~LocalWriter() {
  {
    QMutexLocker lock(&m_mutex);
    m_stopping = true;
    m_wake.wakeAll();
  }
  m_thread->wait();
  if (!m_queue.empty()) {
    qWarning("Résultats : %zu essai(s) non enregistré(s) : %s", m_queue.size(), qPrintable(m_lastError));
  }
}

void LocalWriter::enqueue(AnyRecord record) {
  QMutexLocker lock(&m_mutex);
  m_queue.push_back(std::move(record));
  ++m_enqueuedCount;
  m_wake.wakeOne();
}

bool LocalWriter::waitUntilWritten(std::chrono::milliseconds timeout) {
  const QDeadlineTimer deadline(timeout);
  QMutexLocker lock(&m_mutex);
  const quint64 target = m_enqueuedCount;
  while (m_writtenCount < target) {
    if (!m_writtenCondition.wait(&m_mutex, deadline)) return m_writtenCount >= target;
  }
  return true;
}

QString LocalWriter::lastError() const {
  QMutexLocker lock(&m_mutex);
  return m_lastError;
}

void LocalWriter::run() {
  std::unique_ptr<SqlConnection> connection;
  while (const std::optional<AnyRecord> next = waitForNext()) {
    if (writeOne(connection, *next)) {
      markWritten();
      if (m_options.afterCommit) m_options.afterCommit();
      continue;
    }
    // A fresh connection next time: the file may have been replaced or
    // its folder made writable again.
    connection.reset();
    if (!pauseAfterFailure()) return;
  }
}

// A copy of the oldest record, which stays queued until it is committed;
// nothing once stopping with an empty queue.
std::optional<AnyRecord> LocalWriter::waitForNext() {
  QMutexLocker lock(&m_mutex);
  while (m_queue.empty() && !m_stopping) m_wake.wait(&m_mutex);
  if (m_queue.empty()) return std::nullopt;
  return m_queue.front();
}

bool LocalWriter::writeOne(std::unique_ptr<SqlConnection>& connection, const AnyRecord& record) {
  if (!connection) {
    connection = std::make_unique<SqlConnection>(m_options.path);
    if (!connection->isOpen() || !ensureSchema(*connection)) {
      setError(connection->errorText());
      return false;
    }
  }
  if (!writeRecord(*connection, record)) {
    setError(connection->errorText());
    return false;
  }
  setError({});
  return true;
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
  } else {
    const auto& series = std::get<SeriesRecord>(record);
    if (!upsertSeries(connection, series)) return false;
    if (m_options.keepOutbox && !addToOutbox(connection, QStringLiteral("series"), series.id)) return false;
  }
  return transaction.commit();
}

void LocalWriter::markWritten() {
  QMutexLocker lock(&m_mutex);
  m_queue.pop_front();
  ++m_writtenCount;
  m_writtenCondition.wakeAll();
}

// False when the writer is stopping: what is left cannot be written.
bool LocalWriter::pauseAfterFailure() {
  QMutexLocker lock(&m_mutex);
  if (m_stopping) return false;
  m_wake.wait(&m_mutex, QDeadlineTimer(m_options.retryDelay));
  return true;
}

void LocalWriter::setError(const QString& text) {
  QMutexLocker lock(&m_mutex);
  m_lastError = text;
}

}  // namespace gradoir
