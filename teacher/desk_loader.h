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

#include "records/results_reader.h"

namespace gradoir {

class DeskLoader {
 public:
  explicit DeskLoader(QString source);
  // Waits a moment for a question under way; a reader stuck on a frozen
  // server is left to the end of the program rather than hang the window.
  ~DeskLoader();
  DeskLoader(const DeskLoader&) = delete;
  DeskLoader& operator=(const DeskLoader&) = delete;

  // Runs `question` on the loader's thread, then `answer` with its result
  // on `receiver`'s thread, unless `receiver` is gone by then.
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
  void post(std::function<void(ResultsReader&)> work);

  QString m_source;
  QThread* m_thread;    // owned; leaked on purpose when stuck (see the destructor)
  QObject* m_worker;    // lives on m_thread
  std::shared_ptr<std::unique_ptr<ResultsReader>> m_reader;  // touched on m_thread only
};

}  // namespace gradoir
