#pragma once
// The thread that commits records to the local SQLite file, one transaction
// per record, in the order they were handed over. Handing over costs a lock,
// a queue append and a wake-up, so the GUI thread never waits for a disk.
// Each record is first flushed to a side file (records/pending_journal.h),
// then committed: a record that cannot be committed yet (file locked by
// another program, disk full, file or folder read-only) stays first in the
// queue, is tried again a little later, and survives the program being
// killed or quit in the meantime; the next program on that file commits it.
//
// The file is opened as soon as the thread starts, so that a file that
// cannot be used is known before the first try is played.
#include <QString>
#include <QWaitCondition>
#include <chrono>
#include <deque>
#include <functional>

#include "records/try_record.h"
#include "records/worker_thread.h"

namespace gradoir {

class PendingJournal;
class StoreConnection;

class LocalWriter {
 public:
  struct Options {
    QString path;
    bool keepOutbox = false;  // also note each record as still to be sent
    std::chrono::milliseconds retryDelay{1000};
    std::function<void()> afterCommit;     // called on the writer's thread
    std::function<void()> statusChanged;   // likewise, when status() changed
  };

  // Where the records stand; what a window says about them.
  struct Status {
    QString problem;      // why records cannot be committed now (French); empty while they can
    bool busy = false;    // the problem is another program holding the file's lock
    int unwritten = 0;    // handed over and not committed yet
    int kept = 0;         // of those, already in the side file
    QString keptIn;       // that file
    friend bool operator==(const Status&, const Status&) = default;
  };

  explicit LocalWriter(Options options);
  // Commits what is still queued if the file takes it at once, then stops
  // the thread; what is left stays in the side file for the next start, and
  // is reported through qWarning.
  ~LocalWriter();
  LocalWriter(const LocalWriter&) = delete;
  LocalWriter& operator=(const LocalWriter&) = delete;

  // Safe from any thread.
  void enqueue(AnyRecord record);
  // True once every record handed over before the call is committed.
  bool waitUntilWritten(std::chrono::milliseconds timeout);
  // True once every record handed over before the call is committed or in
  // the side file, that is, survives a kill.
  bool waitUntilKept(std::chrono::milliseconds timeout);
  Status status() const;
  QString lastError() const;

  // How long a commit waits for another program's lock before the window
  // says that records wait. Short, so that quitting never waits long for a
  // file another program holds; the wait goes in steps of kBusyStep.
  static constexpr std::chrono::milliseconds kBusyTimeout{2000};
  static constexpr std::chrono::milliseconds kBusyStep{100};

 private:
  void run();
  bool takeInLeftovers(StoreConnection& store, PendingJournal& journal);
  bool waitForWork(bool healthy);
  std::optional<AnyRecord> front();
  void keepNew(PendingJournal& journal);
  bool writeOne(StoreConnection& store, PendingJournal& journal, const AnyRecord& record);
  bool patiently(StoreConnection& store, PendingJournal& journal, const std::function<bool()>& attempt);
  bool failed(StoreConnection& store);
  void markWritten(PendingJournal& journal);
  void setProblem(const QString& problem, bool busy);
  bool pauseAfterFailure(PendingJournal& journal);

  const Options m_options;
  // Under m_worker.mutex().
  QWaitCondition m_progress;
  std::deque<AnyRecord> m_queue;
  quint64 m_enqueuedCount = 0;
  quint64 m_writtenCount = 0;
  quint64 m_keptCount = 0;  // records handed over up to this count are in the side file
  Status m_status;
  // Last: its thread starts once the state above exists.
  WorkerThread m_worker{QStringLiteral("gradoir results writer")};
};

}  // namespace gradoir
