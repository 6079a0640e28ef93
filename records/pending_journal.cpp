#include "records/pending_journal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace gradoir {

namespace {

const QString kInfix = QStringLiteral(".attente-");

QJsonValue optionalInt(std::optional<int> value) { return value ? QJsonValue(*value) : QJsonValue(); }

QJsonObject tryObject(const TryRecord& r) {
  return {{"record", "try"},
          {"id", r.id},
          {"time", timeText(r.time)},
          {"pupil", r.pupil},
          {"series", r.seriesId},
          {"exercise", r.exercise},
          {"kind", kindText(r.kind)},
          {"step", r.level.step},
          {"minimum", r.level.minimum},
          {"maximum", r.level.maximum},
          {"tolerance", r.level.tolerance},
          {"placed", r.level.protractorPlaced},
          {"estimation", r.level.estimation},
          {"target", r.target},
          {"answer", optionalInt(r.answer)},
          {"verdict", verdictText(r.verdict)},
          {"explanation", r.explanation ? QJsonValue(*r.explanation) : QJsonValue()},
          {"seconds", r.seconds}};
}

QJsonObject seriesObject(const SeriesRecord& r) {
  return {{"record", "series"},
          {"id", r.id},
          {"pupil", r.pupil},
          {"kind", kindText(r.kind)},
          {"start", timeText(r.start)},
          {"end", r.end ? QJsonValue(timeText(*r.end)) : QJsonValue()},
          {"score", r.score},
          {"length", r.length}};
}

QJsonObject pathStepObject(const PathStepRecord& r) {
  return {{"record", "path"},
          {"id", r.id},
          {"time", timeText(r.time)},
          {"pupil", r.pupil},
          {"kind", kindText(r.kind)},
          {"number", r.number},
          {"level", r.level},
          {"solved", r.solved},
          {"triesUsed", r.triesUsed},
          {"nextLevel", r.nextLevel}};
}

std::optional<AnyRecord> tryFrom(const QJsonObject& o) {
  const auto kind = kindFromText(o["kind"].toString());
  const auto verdict = verdictFromText(o["verdict"].toString());
  if (!kind || !verdict || o["id"].toString().isEmpty()) return std::nullopt;
  TryRecord r;
  r.id = o["id"].toString();
  r.time = timeFromText(o["time"].toString());
  r.pupil = o["pupil"].toString();
  r.seriesId = o["series"].toString();
  r.exercise = o["exercise"].toInt();
  r.kind = *kind;
  r.level = {o["step"].toInt(),      o["minimum"].toInt(),  o["maximum"].toInt(),
             o["tolerance"].toInt(), o["placed"].toBool(), o["estimation"].toBool()};
  r.target = o["target"].toInt();
  if (!o["answer"].isNull()) r.answer = o["answer"].toInt();
  r.verdict = *verdict;
  if (!o["explanation"].isNull()) r.explanation = o["explanation"].toString();
  r.seconds = o["seconds"].toDouble();
  return r;
}

std::optional<AnyRecord> seriesFrom(const QJsonObject& o) {
  const auto kind = kindFromText(o["kind"].toString());
  if (!kind || o["id"].toString().isEmpty()) return std::nullopt;
  SeriesRecord r;
  r.id = o["id"].toString();
  r.pupil = o["pupil"].toString();
  r.kind = *kind;
  r.start = timeFromText(o["start"].toString());
  if (!o["end"].isNull()) r.end = timeFromText(o["end"].toString());
  r.score = o["score"].toInt();
  r.length = o["length"].toInt();
  return r;
}

std::optional<AnyRecord> pathStepFrom(const QJsonObject& o) {
  const auto kind = kindFromText(o["kind"].toString());
  if (!kind || o["id"].toString().isEmpty()) return std::nullopt;
  PathStepRecord r;
  r.id = o["id"].toString();
  r.time = timeFromText(o["time"].toString());
  r.pupil = o["pupil"].toString();
  r.kind = *kind;
  r.number = o["number"].toInt();
  r.level = o["level"].toInt();
  r.solved = o["solved"].toBool();
  r.triesUsed = o["triesUsed"].toInt();
  r.nextLevel = o["nextLevel"].toInt();
  return r;
}

bool writeAll(int fd, const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += n;
  }
  return true;
}

}  // namespace

QByteArray recordLine(const AnyRecord& record) {
  QJsonObject object;
  if (const auto* attempt = std::get_if<TryRecord>(&record)) {
    object = tryObject(*attempt);
  } else if (const auto* step = std::get_if<PathStepRecord>(&record)) {
    object = pathStepObject(*step);
  } else {
    object = seriesObject(std::get<SeriesRecord>(record));
  }
  return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<AnyRecord> recordFromLine(const QByteArray& line) {
  const QJsonDocument document = QJsonDocument::fromJson(line);
  if (!document.isObject()) return std::nullopt;
  const QJsonObject object = document.object();
  const QString kind = object["record"].toString();
  if (kind == QLatin1String("try")) return tryFrom(object);
  if (kind == QLatin1String("series")) return seriesFrom(object);
  if (kind == QLatin1String("path")) return pathStepFrom(object);
  return std::nullopt;
}

PendingJournal::PendingJournal(const QString& storePath)
    : m_path(storePath + kInfix + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
             QUuid::createUuid().toString(QUuid::Id128).left(8)) {}

PendingJournal::~PendingJournal() {
  if (m_fd < 0) return;
  if (m_size == 0) QFile::remove(m_path);  // while still locked: nobody replays it meanwhile
  ::close(m_fd);
}

bool PendingJournal::append(const AnyRecord& record) {
  if (m_fd < 0 && !create()) return false;
  if (!writeAll(m_fd, recordLine(record)) || ::fdatasync(m_fd) != 0) return false;
  ++m_size;
  return true;
}

// Made and locked under another name, then renamed: another program looking
// for files left behind must never find this one unlocked.
bool PendingJournal::create() {
  const QString preparing = QString(m_path).replace(kInfix, QStringLiteral(".prepa-"));
  const QByteArray name = QFile::encodeName(preparing);
  const int fd = ::open(name.constData(), O_CREAT | O_EXCL | O_WRONLY | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX) != 0 || ::rename(name.constData(), QFile::encodeName(m_path).constData()) != 0) {
    ::unlink(name.constData());
    ::close(fd);
    return false;
  }
  m_fd = fd;
  return true;
}

void PendingJournal::clear() {
  if (m_fd < 0 || m_size == 0) return;
  if (::ftruncate(m_fd, 0) == 0) m_size = 0;
}

std::vector<PendingJournal::Orphan> PendingJournal::orphans(const QString& storePath) {
  const QFileInfo store(storePath);
  const QDir folder = store.absoluteDir();
  std::vector<Orphan> found;
  const QStringList names =
      folder.entryList({store.fileName() + kInfix + QLatin1Char('*')}, QDir::Files | QDir::Hidden, QDir::Name);
  for (const QString& name : names) {
    const QString path = folder.filePath(name);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);  // its program is still running
      continue;
    }
    found.emplace_back(fd, path);
  }
  return found;
}

PendingJournal::Orphan::~Orphan() {
  if (m_fd >= 0) ::close(m_fd);
}

QList<AnyRecord> PendingJournal::Orphan::records() const {
  QFile file;
  QList<AnyRecord> found;
  if (!file.open(m_fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) return found;
  file.seek(0);
  for (const QByteArray& line : file.readAll().split('\n')) {
    if (const std::optional<AnyRecord> record = recordFromLine(line)) found << *record;
  }
  return found;
}

void PendingJournal::Orphan::remove() { QFile::remove(m_path); }

}  // namespace gradoir
