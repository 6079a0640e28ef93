#include "tests/records/postgres_server.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <vector>

#include <csignal>
#include <time.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/records/sample_records.h"

namespace gradoir::test {

QString serverUrl(const QString& user, const QString& password, const QString& database) {
  QUrl url;
  url.setScheme(QStringLiteral("postgresql"));
  url.setUserName(user);
  url.setPassword(password);
  const QString host = qEnvironmentVariable("PGHOST");
  if (host.startsWith(QLatin1Char('/'))) {
    url.setQuery(QStringLiteral("host=") + QString::fromLatin1(QUrl::toPercentEncoding(host)));
  } else {
    url.setHost(host);
  }
  url.setPort(qEnvironmentVariableIntValue("PGPORT"));
  url.setPath(QLatin1Char('/') + database);
  return url.toString(QUrl::FullyEncoded);
}

FrozenServer::FrozenServer(const QString& adminUrl) {
  const QString data = queryValue(adminUrl, QStringLiteral("SHOW data_directory")).toString();
  QFile pidFile(data + QStringLiteral("/postmaster.pid"));
  if (!pidFile.open(QIODevice::ReadOnly)) return;
  const pid_t postmaster = pidFile.readLine().trimmed().toInt();
  if (postmaster <= 0) return;
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
    if (!stat.open(QIODevice::ReadOnly)) continue;
    // "pid (name) state ppid ...": the name may hold anything but its last ")".
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 1 && fields[1].toInt() == postmaster) m_pids << entry.toInt();
  }
  m_pids << postmaster;
  for (const pid_t pid : m_pids) ::kill(pid, SIGSTOP);
  // Should the test die frozen (a hang killed by its time-out), a child
  // wakes the server up, so that the cluster can still be removed. It
  // calls nothing but what is safe after fork() in a threaded program.
  const std::vector<pid_t> pids(m_pids.begin(), m_pids.end());
  const pid_t parent = ::getpid();
  m_guard = ::fork();
  if (m_guard == 0) {
    const timespec pause{0, 100 * 1000 * 1000};
    while (::getppid() == parent) ::nanosleep(&pause, nullptr);
    for (const pid_t pid : pids) ::kill(pid, SIGCONT);
    ::_exit(0);
  }
}

FrozenServer::~FrozenServer() {
  for (const pid_t pid : m_pids) ::kill(pid, SIGCONT);
  if (m_guard > 0) {
    ::kill(m_guard, SIGKILL);
    ::waitpid(m_guard, nullptr, 0);
  }
}

}  // namespace gradoir::test
