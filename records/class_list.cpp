#include "records/class_list.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>

namespace gradoir {

namespace {

// Characters that change the direction of the text around them: left in a
// name, "Bob\u202E gnp.exe" would show as "Bobexe.png".
bool isDirectionControl(QChar c) {
  const char16_t u = c.unicode();
  return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E || u == 0x200F ||
         u == 0x061C;
}

// Control characters out, any run of blanks one space, ends trimmed.
QString cleanName(const QString& line) {
  QString name;
  name.reserve(line.size());
  for (const QChar c : line) {
    if (c.isSpace()) {
      name += QLatin1Char(' ');
    } else if (c.category() != QChar::Other_Control && c != QChar::ByteOrderMark && !isDirectionControl(c)) {
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

// Text holds no NUL and hardly any other control byte; a picture, a program
// or a word processor's file does.
bool looksLikeText(const QByteArray& bytes) {
  qsizetype controls = 0;
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    if (b == 0) return false;
    if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != '\v') ++controls;
  }
  return controls * 100 <= bytes.size();
}

// The first kMaxClassListNames names, and how many different ones there are.
QStringList parseNames(const QByteArray& bytes, int* distinct) {
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
    if (names.size() < kMaxClassListNames) names << name;
  }
  *distinct = static_cast<int>(seen.size());
  return names;
}

}  // namespace

QStringList parseClassList(const QByteArray& bytes) {
  int distinct = 0;
  return parseNames(bytes, &distinct);
}

ClassList readClassListWithWarnings(const QString& path) {
  ClassList list;
  // A directory gives nothing to read and a named pipe would block.
  if (!QFileInfo(path).isFile()) return list;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return list;
  QByteArray bytes = file.read(kMaxClassListBytes + 1);
  const bool cut = bytes.size() > kMaxClassListBytes;
  if (cut) {
    // Whole lines only: a name cut at the limit would be another name.
    bytes.truncate(kMaxClassListBytes);
    bytes.truncate(qMax<qsizetype>(0, bytes.lastIndexOf('\n')));
  }
  int distinct = 0;
  list.names = parseNames(bytes, &distinct);
  if (!looksLikeText(bytes)) {
    list.warnings << QCoreApplication::translate("gradoir::ClassList",
                                                 "%1 n'est pas un fichier texte : les %2 noms qui en sont lus "
                                                 "sont sans doute faux.")
                         .arg(path)
                         .arg(list.names.size());
  }
  if (cut) {
    list.warnings << QCoreApplication::translate("gradoir::ClassList",
                                                 "%1 dépasse 1 Mio : seules ses premières lignes sont lues.")
                         .arg(path);
  }
  if (distinct > list.names.size()) {
    list.warnings << QCoreApplication::translate("gradoir::ClassList",
                                                 "%1 donne %2 noms : seuls les %3 premiers sont gardés.")
                         .arg(path)
                         .arg(distinct)
                         .arg(list.names.size());
  }
  return list;
}

QStringList readClassList(const QString& path) { return readClassListWithWarnings(path).names; }

QString defaultPupilName() {
  for (const char* variable : {"USER", "LOGNAME"}) {
    const QString name = cleanName(qEnvironmentVariable(variable));
    if (!name.isEmpty()) return name;
  }
  return QStringLiteral("Anonyme");
}

}  // namespace gradoir
