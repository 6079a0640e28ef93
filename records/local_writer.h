#pragma once
// The thread that commits records to the local SQLite file, one transaction
// per record, in the order they were handed over. Handing over costs a lock,
// a queue append and a wake-up, so the GUI thread never waits for a disk.
// A record that cannot be written yet (file locked beyond the busy timeout,
// disk full) stays first in the queue and is tried again a little later.
#include <QString>
#include <QWaitCondition>
#include <chrono>
#include <deque>
#include <functional>

#include "records/try_record.h"
#include "records/worker_thread.h"

namespace gradoir {

class SqlConnection;
class StoreConnection;

class LocalWriter {
 public:
  struct Options {
    QString path;
    bool keepOutbox = false;  // also note each record as still to be sent
    std::chrono::milliseconds retryDelay{1000};
    std::function<void()> afterCommit;  // called on the writer's thread
  };

  explicit LocalWriter(Options options);
  // Commits what is still queued, then stops the thread. Records that
  // cannot be committed by then are reported through qWarning.
  ~LocalWriter();
  LocalWriter(const LocalWriter&) = delete;
  LocalWriter& operator=(const LocalWriter&) = delete;

  // Safe from any thread.
  void enqueue(AnyRecord record);
  // True once every record handed over before the call is committed.
  bool waitUntilWritten(std::chrono::milliseconds timeout);
  QString lastError() const;

 private:
  void run();
  std::optional<AnyRecord> waitForNext();
  bool writeOne(StoreConnection& store, const AnyRecord& record);
  bool writeRecord(SqlConnection& connection, const AnyRecord& record);
  void markWritten();
  bool pauseAfterFailure();

  const Options m_options;
  // Under m_worker.mutex().
  QWaitCondition m_writtenCondition;
  std::deque<AnyRecord> m_queue;
  quint64 m_enqueuedCount = 0;
  quint64 m_writtenCount = 0;
  // Last: its thread starts once the state above exists.
  WorkerThread m_worker{QStringLiteral("gradoir results writer")};
};

}  // namespace gradoir
