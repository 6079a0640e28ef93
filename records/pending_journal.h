#pragma once
// The records a program has handed over but not yet committed to its SQLite
// file, kept in a small file beside it: while another program holds the
// file's lock, or the file cannot be written, a try still survives the
// program being killed or quit. Each record is one line of JSON, flushed to
// disk before the database is even tried; the file is emptied once every
// record is committed and removed when the program ends with nothing in it.
//
// Each program has a file of its own ("<store>.attente-<pid>-<random>"),
// locked (flock) while it runs: a file that nobody holds was left by a
// program that ended before its records reached the store, and the next
// program on that store commits them and removes it. Commits are idempotent
// (ON CONFLICT DO NOTHING), so a record both committed and still in a file
// is stored once.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "records/try_record.h"

namespace gradoir {

class PendingJournal {
 public:
  explicit PendingJournal(const QString& storePath);
  // Removes the file when it holds nothing; else leaves it for the next start.
  ~PendingJournal();
  PendingJournal(const PendingJournal&) = delete;
  PendingJournal& operator=(const PendingJournal&) = delete;

  // Appends the record and flushes it to disk; false when the file cannot
  // be made or written (its folder is missing or read-only).
  bool append(const AnyRecord& record);
  // Every record appended so far is committed: the file is emptied.
  void clear();
  // Records appended since the last clear().
  int size() const { return m_size; }
  QString path() const { return m_path; }

  // The files of `storePath` whose programs have ended (none holds them),
  // each locked for the caller while the returned object lives.
  class Orphan {
   public:
    explicit Orphan(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}
    ~Orphan();
    Orphan(Orphan&& other) noexcept : m_fd(other.m_fd), m_path(std::move(other.m_path)) { other.m_fd = -1; }
    Orphan(const Orphan&) = delete;
    Orphan& operator=(const Orphan&) = delete;
    Orphan& operator=(Orphan&&) = delete;
    QString path() const { return m_path; }
    // Its records; a last line cut short by a kill is skipped.
    QList<AnyRecord> records() const;
    // Its records are committed: the file goes.
    void remove();

   private:
    int m_fd;
    QString m_path;
  };
  static std::vector<Orphan> orphans(const QString& storePath);

 private:
  bool create();

  QString m_path;
  int m_fd = -1;
  int m_size = 0;
};

// One record as a line of the file, and back (none when the line is not one).
QByteArray recordLine(const AnyRecord& record);
std::optional<AnyRecord> recordFromLine(const QByteArray& line);

}  // namespace gradoir
