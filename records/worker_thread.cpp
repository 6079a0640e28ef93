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
  requestStop();
  m_thread.wait();
}

void WorkerThread::requestStop() {
  QMutexLocker lock(&m_mutex);
  m_stopping = true;
  m_wake.wakeAll();
}

bool WorkerThread::setError(const QString& text) {
  QMutexLocker lock(&m_mutex);
  const bool changed = m_lastError != text;
  m_lastError = text;
  return changed;
}

QString WorkerThread::lastError() const {
  QMutexLocker lock(&m_mutex);
  return m_lastError;
}

}  // namespace gradoir
