#include "records/worker_thread.h"

#include <QMutexLocker>

namespace gradoir {

WorkerThread::WorkerThread(const QString& name) { m_thread.setObjectName(name); }

WorkerThread::~WorkerThread() { stop(); }

void WorkerThread::start(std::function<void()> loop) {
  m_thread.body = std::move(loop);
  m_thread.start();
}

void WorkerThread::stop() {
  {
    QMutexLocker lock(&m_mutex);
    m_stopping = true;
    m_wake.wakeAll();
  }
  m_thread.wait();
}

void WorkerThread::setError(const QString& text) {
  QMutexLocker lock(&m_mutex);
  m_lastError = text;
}

QString WorkerThread::lastError() const {
  QMutexLocker lock(&m_mutex);
  return m_lastError;
}

}  // namespace gradoir
