#pragma once
// The thread that sends the outbox of the local file to the results server,
// oldest records first, in batches of one server transaction each. While the
// server is down or slow only this thread waits: it tries again after a
// delay that doubles up to a ceiling, and sends everything once the server
// answers. Records are removed from the outbox only after the server has
// committed them; a batch sent again after a crash is ignored by the server,
// so each record is stored there exactly once.
#include <QMutex>
#include <QString>
#include <QWaitCondition>
#include <chrono>
#include <memory>

#include "records/postgres_url.h"

class QThread;

namespace gradoir {

class SqlConnection;

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
  Pass localFailure();
  bool openLocal();
  bool openServer();
  bool waitBeforeNextPass(std::chrono::milliseconds timeout, bool newRecordsEndWait);
  std::chrono::milliseconds withJitter(std::chrono::milliseconds delay) const;
  void setError(const QString& text);

  const Options m_options;
  // Used on the forwarder's thread only.
  std::unique_ptr<SqlConnection> m_local;
  std::unique_ptr<SqlConnection> m_server;

  mutable QMutex m_mutex;
  QWaitCondition m_wake;
  bool m_woken = false;
  bool m_stopping = false;
  QString m_lastError;
  std::unique_ptr<QThread> m_thread;
};

}  // namespace gradoir
