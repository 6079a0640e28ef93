#pragma once
// The thread that sends the outbox of the local file to the results server,
// oldest records first, in batches of one server transaction each. While the
// server is down or slow only this thread waits: it tries again after a
// delay that doubles up to a ceiling, and sends everything once the server
// answers. Records are removed from the outbox only after the server has
// committed them; a batch sent again after a crash is ignored by the server,
// so each record is stored there exactly once.
//
// Quitting waits for the network a bounded time (quitWait): the forwarder
// makes one more pass at once, even in the middle of a back-off, and what
// the server has not taken by then stays in the outbox for the next start.
// A call stuck on a server that stopped answering (a frozen process still
// holds its connections open) is cut off by shutting its socket down.
#include <QMutex>
#include <QString>
#include <chrono>
#include <functional>

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
    std::chrono::milliseconds quitWait{2000};
    std::function<void()> statusChanged;  // called on the forwarder's thread when lastError() changed
  };

  explicit OutboxForwarder(Options options);
  // Sends what the server takes within quitWait, then stops the thread;
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
  void setError(const QString& text);
  void waitBeforeNextPass(std::chrono::milliseconds timeout, bool newRecordsEndWait);
  bool stopping() const;
  std::chrono::milliseconds withJitter(std::chrono::milliseconds delay) const;
  void dropServer();
  void cutServerOff();

  const Options m_options;
  // Used on the forwarder's thread only.
  StoreConnection m_local;
  StoreConnection m_server;

  bool m_woken = false;  // under m_worker.mutex()
  // The open server connection's socket, -1 when none; the thread clears it
  // before it closes the connection, so the owner never shuts another down.
  QMutex m_socketLock;
  int m_serverSocket = -1;
  bool m_cutOff = false;
  // Last: its thread starts once the state above exists.
  WorkerThread m_worker{QStringLiteral("gradoir results forwarder")};
};

}  // namespace gradoir
