#include "records/local_writer.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <algorithm>
#include <vector>

#include "records/outbox.h"
#include "records/pending_journal.h"
#include "records/postgres_url.h"
#include "records/record_sql.h"
#include "records/sql_connection.h"
#include "records/store_connection.h"

namespace gradoir {

namespace {

// In the table, and in the outbox when the records also go to a server.
bool addRecord(SqlConnection& connection, const AnyRecord& record, bool keepOutbox) {
  if (const auto* attempt = std::get_if<TryRecord>(&record)) {
    const WriteOutcome outcome = insertTry(connection, *attempt);
    if (outcome == WriteOutcome::Failed) return false;
    // A try handed over twice is sent once.
    return !keepOutbox || outcome == WriteOutcome::AlreadyThere ||
           addToOutbox(connection, QStringLiteral("tries"), attempt->id);
  }
  if (const auto* step = std::get_if<PathStepRecord>(&record)) {
    const WriteOutcome outcome = insertPathStep(connection, *step);
    if (outcome == WriteOutcome::Failed) return false;
    return !keepOutbox || outcome == WriteOutcome::AlreadyThere ||
           addToOutbox(connection, QStringLiteral("path_steps"), step->id);
  }
  const auto& series = std::get<SeriesRecord>(record);
  return insertSeries(connection, series) &&
         (!keepOutbox || addToOutbox(connection, QStringLiteral("series"), series.id));
}

}  // namespace

LocalWriter::LocalWriter(Options options) : m_options(std::move(options)) {
  m_worker.start([this] { run(); });
}

LocalWriter::~LocalWriter() {
  m_worker.stop();
  const Status left = status();
  if (left.unwritten == 0) return;
  const QByteArray why = hidePasswords(left.problem).toLocal8Bit();
  if (left.kept >= left.unwritten) {
    qWarning("Résultats : %d enregistrement(s) en attente dans %s, repris au prochain démarrage (%s)",
             left.unwritten, qPrintable(left.keptIn), why.constData());
  } else {
    qWarning("Résultats : %d enregistrement(s) perdu(s) : %s", left.unwritten - left.kept, why.constData());
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
    if (!m_progress.wait(&m_worker.mutex(), deadline)) return m_writtenCount >= target;
  }
  return true;
}

bool LocalWriter::waitUntilKept(std::chrono::milliseconds timeout) {
  const QDeadlineTimer deadline(timeout);
  QMutexLocker lock(&m_worker.mutex());
  const quint64 target = m_enqueuedCount;
  auto kept = [&] { return std::max(m_writtenCount, m_keptCount) >= target; };
  while (!kept()) {
    if (!m_progress.wait(&m_worker.mutex(), deadline)) return kept();
  }
  return true;
}

LocalWriter::Status LocalWriter::status() const {
  QMutexLocker lock(&m_worker.mutex());
  Status status = m_status;
  status.unwritten = static_cast<int>(m_enqueuedCount - m_writtenCount);
  status.kept = static_cast<int>(m_keptCount > m_writtenCount ? m_keptCount - m_writtenCount : 0);
  return status;
}

QString LocalWriter::lastError() const { return m_worker.lastError(); }

void LocalWriter::run() {
  // SQLite waits for another program's lock in short steps, so that records
  // handed over meanwhile reach the side file at once (patiently()).
  StoreConnection store(m_options.path, kBusyStep);
  PendingJournal journal(m_options.path);
  {
    QMutexLocker lock(&m_worker.mutex());
    m_status.keptIn = journal.path();
  }
  bool healthy = takeInLeftovers(store, journal);
  while (waitForWork(healthy)) {
    const std::optional<AnyRecord> next = front();
    if (!next) {
      // Nothing queued, but the file failed: look again whether it works now.
      healthy = takeInLeftovers(store, journal);
      continue;
    }
    keepNew(journal);
    if (writeOne(store, journal, *next)) {
      healthy = true;
      markWritten(journal);
      if (m_options.afterCommit) m_options.afterCommit();
    } else {
      healthy = false;
      if (!pauseAfterFailure(journal)) break;
    }
  }
  store.drop();
}

// Opens the file and commits what programs that ended before their records
// reached it left beside it. False when the file cannot be used.
bool LocalWriter::takeInLeftovers(StoreConnection& store, PendingJournal& journal) {
  SqlConnection* connection = nullptr;
  if (!patiently(store, journal, [&] { return (connection = store.open()) != nullptr; })) {
    return failed(store);
  }
  bool committed = false;
  for (PendingJournal::Orphan& orphan : PendingJournal::orphans(m_options.path)) {
    const QList<AnyRecord> records = orphan.records();
    const bool done = patiently(store, journal, [&] {
      SqlTransaction transaction(*connection);
      bool added = transaction.isActive();
      for (const AnyRecord& record : records) added = added && addRecord(*connection, record, m_options.keepOutbox);
      return added && transaction.commit();
    });
    if (!done) return failed(store);
    orphan.remove();
    committed = true;
  }
  setProblem({}, false);
  if (committed && m_options.afterCommit) m_options.afterCommit();
  return true;
}

// False once stopping with nothing queued. While the file fails, wakes up
// now and then to try it again.
bool LocalWriter::waitForWork(bool healthy) {
  QMutexLocker lock(&m_worker.mutex());
  if (m_queue.empty() && !m_worker.isStopping()) {
    if (healthy) {
      while (m_queue.empty() && !m_worker.isStopping()) m_worker.sleep();
    } else {
      m_worker.sleep(QDeadlineTimer(m_options.retryDelay));
    }
  }
  return !(m_queue.empty() && m_worker.isStopping());
}

// A copy of the oldest record, which stays queued until it is committed.
std::optional<AnyRecord> LocalWriter::front() {
  QMutexLocker lock(&m_worker.mutex());
  if (m_queue.empty()) return std::nullopt;
  return m_queue.front();
}

// Puts the records not yet in the side file there, in order; without the
// lock held while the disk is flushed, so that handing over never waits.
void LocalWriter::keepNew(PendingJournal& journal) {
  std::vector<AnyRecord> fresh;
  quint64 first = 0;
  {
    QMutexLocker lock(&m_worker.mutex());
    first = std::max(m_keptCount, m_writtenCount);
    for (auto it = m_queue.begin() + static_cast<std::ptrdiff_t>(first - m_writtenCount); it != m_queue.end(); ++it) {
      fresh.push_back(*it);
    }
  }
  quint64 added = 0;
  for (const AnyRecord& record : fresh) {
    if (!journal.append(record)) break;
    ++added;
  }
  QMutexLocker lock(&m_worker.mutex());
  m_keptCount = first + added;
  m_progress.wakeAll();
}

bool LocalWriter::writeOne(StoreConnection& store, PendingJournal& journal, const AnyRecord& record) {
  const bool written = patiently(store, journal, [&] {
    SqlConnection* connection = store.open();
    if (connection == nullptr) return false;
    SqlTransaction transaction(*connection);
    return transaction.isActive() && addRecord(*connection, record, m_options.keepOutbox) && transaction.commit();
  });
  if (!written) return failed(store);
  setProblem({}, false);
  return true;
}

// Tries `attempt` again while another program holds the file, for up to
// kBusyTimeout, keeping what is handed over meanwhile in the side file.
bool LocalWriter::patiently(StoreConnection& store, PendingJournal& journal, const std::function<bool()>& attempt) {
  const QDeadlineTimer patience(kBusyTimeout);
  for (;;) {
    if (attempt()) return true;
    if (!store.failedOnBusyFile() || patience.hasExpired()) return false;
    keepNew(journal);
  }
}

// Says why, and drops the connection: the next attempt opens the file afresh.
bool LocalWriter::failed(StoreConnection& store) {
  const bool busy = store.failedOnBusyFile();
  const QString why = store.errorText();
  store.drop();
  setProblem(why, busy);
  return false;
}

void LocalWriter::markWritten(PendingJournal& journal) {
  bool allWritten = false;
  {
    QMutexLocker lock(&m_worker.mutex());
    m_queue.pop_front();
    ++m_writtenCount;
    allWritten = m_queue.empty();
    m_progress.wakeAll();
  }
  // Only this thread appends, so nothing can be added in between.
  if (allWritten) journal.clear();
}

void LocalWriter::setProblem(const QString& problem, bool busy) {
  bool changed = false;
  {
    QMutexLocker lock(&m_worker.mutex());
    changed = m_status.problem != problem || m_status.busy != busy;
    m_status.problem = problem;
    m_status.busy = busy;
  }
  m_worker.setError(problem);
  if (changed && m_options.statusChanged) m_options.statusChanged();
}

// Keeps what comes in meanwhile in the side file. False when the failed
// attempt was the last one, made while stopping; a stop during the pause
// gets one more.
bool LocalWriter::pauseAfterFailure(PendingJournal& journal) {
  keepNew(journal);
  if (m_options.statusChanged) m_options.statusChanged();
  QMutexLocker lock(&m_worker.mutex());
  if (m_worker.isStopping()) return false;
  const QDeadlineTimer deadline(m_options.retryDelay);
  while (!m_worker.isStopping()) {
    const quint64 before = m_enqueuedCount;
    if (!m_worker.sleep(deadline)) break;
    if (m_enqueuedCount != before) {
      lock.unlock();
      keepNew(journal);
      if (m_options.statusChanged) m_options.statusChanged();
      lock.relock();
    }
  }
  return true;
}

}  // namespace gradoir
