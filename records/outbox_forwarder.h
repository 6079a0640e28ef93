#pragma once
// The thread that sends the outbox of the local file to the results server,
// oldest records first, in batches of one server transaction each. While the
// server is down or slow only this thread waits: it tries again after a
// delay that doubles up to a ceiling, and sends everything once the server
// answers. Records are removed from the outbox only after the server has
// committed them; a batch sent again after a crash is ignored by the server,
// so each record is stored there exactly once.
#include <QString>
#include <chrono>

#include "records/postgres_url.h"
#include "records/store_connection.h"
#include "records/worker_thread.h"

namespace gradoir {

class OutboxForwarder {
 public:
  struct Options {
    QString localPath;
    PostgresTarget server;
    std::chrono::milliseconds retryDelay{1000};
    std::chrono::milliseconds maxRetryDelay{30000};
  };

  explicit OutboxForwarder(Options options);
  // Sends what the server takes without waiting, then stops the thread;
  // whatever is left is sent by the next program that starts on this file.
  ~OutboxForwarder();
  OutboxForwarder(const OutboxForwarder&) = delete;
  OutboxForwarder& operator=(const OutboxForwarder&) = delete;

  // New records are in the outbox. Safe from any thread.
  void wake();
  // Empty while the server takes the records.
  QString lastError() const;

 private:
  enum class Pass { Sent, Empty, Failed };

  void run();
  Pass forwardBatch();
  Pass failure(StoreConnection& store);
  bool waitBeforeNextPass(std::chrono::milliseconds timeout, bool newRecordsEndWait);
  std::chrono::milliseconds withJitter(std::chrono::milliseconds delay) const;

  const Options m_options;
  // Used on the forwarder's thread only.
  StoreConnection m_local;
  StoreConnection m_server;

  bool m_woken = false;  // under m_worker.mutex()
  // Last: its thread starts once the state above exists.
  WorkerThread m_worker{QStringLiteral("gradoir results forwarder")};
};

}  // namespace gradoir
