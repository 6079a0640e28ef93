#include "teacher/desk_loader.h"

namespace gradoir {

namespace {

// Long enough for a query under way on a live server to finish.
constexpr unsigned long kStopWaitMs = 3000;

}  // namespace

DeskLoader::DeskLoader(QString source)
    : m_source(std::move(source)),
      m_thread(new QThread),
      m_worker(new QObject),
      m_reader(std::make_shared<std::unique_ptr<ResultsReader>>()) {
  m_thread->setObjectName(QStringLiteral("gradoir desk reader"));
  m_worker->moveToThread(m_thread);
  QObject::connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
  m_thread->start();
}

DeskLoader::~DeskLoader() {
  // The reader closes its connection on its own thread.
  QMetaObject::invokeMethod(m_worker, [reader = m_reader] { reader->reset(); });
  m_thread->quit();
  if (m_thread->wait(kStopWaitMs)) {
    delete m_thread;
    return;
  }
  // Stuck in the database client (a server that stopped answering): the
  // thread cannot be interrupted, and destroying it running would abort.
  qWarning("Résultats : le serveur ne répond pas, sa lecture est abandonnée.");
}

void DeskLoader::post(std::function<void(ResultsReader&)> work) {
  QMetaObject::invokeMethod(m_worker, [reader = m_reader, source = m_source, work = std::move(work)] {
    if (!*reader) *reader = std::make_unique<ResultsReader>(source);
    work(**reader);
  });
}

}  // namespace gradoir
