#pragma once
// The thread of a records worker (the local writer, the outbox forwarder)
// and what its loop shares with the owner: one lock, a wake-up, the request
// to stop and the last error. The owner keeps its own state under mutex()
// and stops the thread in its destructor, before that state goes.
#include <QDeadlineTimer>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>
#include <functional>

namespace gradoir {

class WorkerThread {
 public:
  explicit WorkerThread(const QString& name);
  // Stops the loop if the owner has not. Neither copied nor moved, as its
  // thread and lock are not.
  ~WorkerThread();

  void start(std::function<void()> loop);
  // Asks the loop to end, wakes it and waits until it has returned.
  void stop();
  // The two halves of stop(), for an owner that bounds its wait: false when
  // the loop has not returned by the deadline.
  void requestStop();
  bool wait(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever)) { return m_thread.wait(deadline); }

  // The lock of everything the loop and the owner share.
  QMutex& mutex() const { return m_mutex; }
  // Under mutex().
  bool isStopping() const { return m_stopping; }
  void wake() { m_wake.wakeAll(); }
  // Under mutex(): sleeps until wake() or stop(); false once the deadline passed.
  bool sleep(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever)) {
    return m_wake.wait(&m_mutex, deadline);
  }

  // Why the loop cannot do its work at the moment; empty while it can.
  // Any thread, without mutex() held. True when the text changed.
  bool setError(const QString& text);
  QString lastError() const;

 private:
  // Holds the loop so that the thread can be kept by value.
  class Loop : public QThread {
   public:
    std::function<void()> body;

   protected:
    void run() override { body(); }
  };

  mutable QMutex m_mutex;
  QWaitCondition m_wake;
  bool m_stopping = false;
  QString m_lastError;
  Loop m_thread;
};

}  // namespace gradoir
