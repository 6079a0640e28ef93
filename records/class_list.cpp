#include "records/class_list.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>

namespace gradoir {

namespace {

// Control characters out, any run of blanks one space, ends trimmed.
QString cleanName(const QString& line) {
  QString name;
  name.reserve(line.size());
  for (const QChar c : line) {
    if (c.isSpace()) {
      name += QLatin1Char(' ');
    } else if (c.category() != QChar::Other_Control && c != QChar::ByteOrderMark) {
      name += c;
    }
  }
  name = name.simplified();
  if (name.size() > kMaxPupilNameLength) {
    // Never keep half of a surrogate pair.
    const qsizetype cut =
        name.at(kMaxPupilNameLength - 1).isHighSurrogate() ? kMaxPupilNameLength - 1 : kMaxPupilNameLength;
    name.truncate(cut);
    name = name.trimmed();
  }
  return name;
}

// A line of punctuation or of undecodable bytes alone is not a name.
bool namesSomeone(const QString& name) {
  return std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

}  // namespace

QStringList parseClassList(const QByteArray& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = decoder.decode(bytes);  // skips a leading BOM, U+FFFD for bad bytes
  // Lines may end in LF, CRLF or a lone CR (old Mac editors).
  text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList names;
  QSet<QString> seen;
  for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
    const QString name = cleanName(line.toString());
    if (!namesSomeone(name) || seen.contains(name)) continue;
    seen.insert(name);
    names << name;
    if (names.size() == kMaxClassListNames) break;
  }
  return names;
}

QStringList readClassList(const QString& path) {
  // A directory gives nothing to read and a named pipe would block.
  if (!QFileInfo(path).isFile()) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray bytes = file.read(kMaxClassListBytes + 1);
  if (bytes.size() > kMaxClassListBytes) {
    // Whole lines only: a name cut at the limit would be another name.
    bytes.truncate(kMaxClassListBytes);
    bytes.truncate(qMax<qsizetype>(0, bytes.lastIndexOf('\n')));
  }
  return parseClassList(bytes);
}

QString defaultPupilName() {
  for (const char* variable : {"USER", "LOGNAME"}) {
    const QString name = cleanName(qEnvironmentVariable(variable));
    if (!name.isEmpty()) return name;
  }
  return QStringLiteral("Anonyme");
}

}  // namespace gradoir
