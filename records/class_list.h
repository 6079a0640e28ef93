#pragma once
// The pupils' names a teacher gives as a text file, and the name used when
// there is none.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace gradoir {

// Limits that keep a wrong file (a picture, a log) from stalling the
// start-up or filling the pupil menu.
constexpr qint64 kMaxClassListBytes = 1 << 20;
constexpr int kMaxClassListNames = 10000;
constexpr int kMaxPupilNameLength = 100;

// One name per line of UTF-8 text. A byte-order mark, CR before LF (or a
// lone CR) and blanks around names are ignored; blanks inside a name shrink
// to one space; lines without a letter or a digit are skipped; a name seen
// already is dropped, the first kept. Bytes that are not UTF-8 become U+FFFD
// in the name, so the teacher still sees which pupil to fix (a file saved in
// Latin-1 shows "Zo\uFFFD" rather than losing Zoé), and control characters
// are removed, those that turn the direction of the text too (U+202A-202E,
// U+2066-2069, U+200E, U+200F, U+061C). A name longer than kMaxPupilNameLength is cut there. Only the
// first kMaxClassListBytes of the file are read (whole lines) and the first
// kMaxClassListNames names kept. A missing or unreadable file, or one that is
// not a regular file, gives an empty list.
QStringList readClassList(const QString& path);
QStringList parseClassList(const QByteArray& bytes);

// The same names, and what a teacher should hear about the file (French):
// a file that does not look like text (a NUL byte, or more than 1 % of
// control bytes), one cut at kMaxClassListBytes, or one holding more than
// kMaxClassListNames names.
struct ClassList {
  QStringList names;
  QStringList warnings;
};
ClassList readClassListWithWarnings(const QString& path);

// The session's login name (USER, then LOGNAME), else "Anonyme".
QString defaultPupilName();

}  // namespace gradoir
