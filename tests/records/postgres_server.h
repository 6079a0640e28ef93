#pragma once
// pg_virtualenv's throw-away server as the tests reach it, and frozen.
#include <QList>
#include <QString>

#include <sys/types.h>

namespace gradoir::test {

// An address of the test server (PGHOST, PGPORT) for `user` on `database`.
QString serverUrl(const QString& user, const QString& password, const QString& database);

// Every process of the test's own cluster stopped (SIGSTOP) while it
// lives: the machine still answers TCP for them, the server does not.
class FrozenServer {
 public:
  // `adminUrl` may read the server's data_directory.
  explicit FrozenServer(const QString& adminUrl);
  ~FrozenServer();
  FrozenServer(const FrozenServer&) = delete;
  FrozenServer& operator=(const FrozenServer&) = delete;
  bool frozen() const { return m_pids.size() > 1; }

 private:
  QList<pid_t> m_pids;
  pid_t m_guard = -1;
};

}  // namespace gradoir::test
