#include "teacher/desk_loader.h"

#include <sys/socket.h>

namespace gradoir {

namespace {

// A connection being opened gives up after its connect timeout (2 s): a
// little longer than that.
constexpr unsigned long kStopWaitMs = 2500;

}  // namespace

DeskLoader::DeskLoader(QString source)
    : m_source(std::move(source)),
      m_thread(new QThread),
      m_worker(new QObject),
      m_reader(std::make_shared<std::unique_ptr<ResultsReader>>()),
      m_shared(std::make_shared<Shared>()) {
  m_thread->setObjectName(QStringLiteral("gradoir desk reader"));
  m_worker->moveToThread(m_thread);
  QObject::connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
  m_thread->start();
}

DeskLoader::~DeskLoader() {
  {
    const std::lock_guard lock(m_shared->mutex);
    m_shared->closing = true;
    // A question under way on a server that may never answer: cutting the
    // socket makes the call waiting on it fail now.
    if (m_shared->socket >= 0) ::shutdown(m_shared->socket, SHUT_RDWR);
  }
  // The reader closes its connection on its own thread.
  QMetaObject::invokeMethod(m_worker, [reader = m_reader] { reader->reset(); });
  m_thread->quit();
  if (m_thread->wait(kStopWaitMs)) {
    delete m_thread;
    return;
  }
  // Still opening its connection: destroying a running thread would abort
  // the program, so the thread deletes itself once the attempt gives up.
  qWarning("Résultats : le serveur ne répond pas, sa lecture est abandonnée.");
  QObject::connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
}

void DeskLoader::post(std::function<void(ResultsReader&)> work) {
  QMetaObject::invokeMethod(
      m_worker, [reader = m_reader, shared = m_shared, source = m_source, work = std::move(work)] {
        {
          const std::lock_guard lock(shared->mutex);
          if (shared->closing) return;
        }
        if (!*reader) *reader = std::make_unique<ResultsReader>(source);
        {
          const std::lock_guard lock(shared->mutex);
          if (shared->closing) return;
          shared->socket = (*reader)->networkSocket();
        }
        work(**reader);
        const std::lock_guard lock(shared->mutex);
        shared->socket = -1;
      });
}

}  // namespace gradoir
