#pragma once
// Reads the results store for the teacher's window on a thread of its own,
// so that a slow or frozen server never freezes the window: a question is a
// function of the reader, run there; its answer comes back on the window's
// thread through the receiver's event loop. The reader (and its connection)
// lives and dies on that thread, as Qt SQL requires.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>
#include <functional>
#include <memory>
#include <mutex>

#include "records/results_reader.h"

namespace gradoir {

class DeskLoader {
 public:
  explicit DeskLoader(QString source);
  // Returns at once, or nearly: a question stuck on a server that stopped
  // answering has its connection cut under it (it fails, its answer is
  // dropped) and the thread ends. Only a connection still being opened
  // (bounded by its connect timeout) is waited for a moment, then left to
  // end by itself.
  ~DeskLoader();
  DeskLoader(const DeskLoader&) = delete;
  DeskLoader& operator=(const DeskLoader&) = delete;

  // Runs `question` on the loader's thread, then `answer` with its result
  // on `receiver`'s thread, unless `receiver` is gone by then. Questions run
  // one at a time, in the order asked.
  template <class T>
  void ask(std::function<T(ResultsReader&)> question, QObject* receiver, std::function<void(T)> answer) {
    QPointer<QObject> guard(receiver);
    post([question = std::move(question), guard, answer = std::move(answer)](ResultsReader& reader) {
      auto result = std::make_shared<T>(question(reader));
      if (!guard) return;
      QMetaObject::invokeMethod(guard.data(), [guard, answer, result] {
        if (guard) answer(std::move(*result));
      });
    });
  }

 private:
  // What the window's thread and the loader's share.
  struct Shared {
    std::mutex mutex;
    bool closing = false;  // no question starts any more
    int socket = -1;       // the server socket while a question is under way
  };

  void post(std::function<void(ResultsReader&)> work);

  QString m_source;
  QThread* m_thread;  // owned; left to delete itself when it outlives the loader
  QObject* m_worker;  // lives on m_thread
  std::shared_ptr<std::unique_ptr<ResultsReader>> m_reader;  // touched on m_thread only
  std::shared_ptr<Shared> m_shared;
};

}  // namespace gradoir
