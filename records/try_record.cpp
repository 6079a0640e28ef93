#include "records/try_record.h"

#include <QUuid>

namespace gradoir {

QString newRecordId() { return QUuid::createUuid().toString(QUuid::WithoutBraces); }

QString kindText(ExerciseKind kind) {
  return kind == ExerciseKind::Measuring ? QStringLiteral("mesurer") : QStringLiteral("tracer");
}

QString verdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::Right:
      return QStringLiteral("juste");
    case Verdict::Wrong:
      return QStringLiteral("faux");
    case Verdict::Estimate:
      return QStringLiteral("estimation");
  }
  return {};
}

std::optional<ExerciseKind> kindFromText(const QString& text) {
  for (const ExerciseKind kind : {ExerciseKind::Measuring, ExerciseKind::Drawing}) {
    if (text == kindText(kind)) return kind;
  }
  return std::nullopt;
}

std::optional<Verdict> verdictFromText(const QString& text) {
  for (const Verdict verdict : {Verdict::Right, Verdict::Wrong, Verdict::Estimate}) {
    if (text == verdictText(verdict)) return verdict;
  }
  return std::nullopt;
}

// Written and read by hand in the stored form, "2026-03-05T09:41:07.250Z":
// a year of tries passes through here when a teacher reads or exports it,
// and Qt's general formatter and parser cost microseconds a time. Any other
// form goes through Qt.
QString timeText(const QDateTime& time) {
  const QDateTime utc = time.toUTC();
  const QDate d = utc.date();
  if (!utc.isValid() || d.year() < 1 || d.year() > 9999) return utc.toString(Qt::ISODateWithMs);
  const QTime t = utc.time();
  char text[24];
  auto put = [&text](int at, int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10) text[at + i] = static_cast<char>('0' + value % 10);
  };
  put(0, d.year(), 4);
  text[4] = '-';
  put(5, d.month(), 2);
  text[7] = '-';
  put(8, d.day(), 2);
  text[10] = 'T';
  put(11, t.hour(), 2);
  text[13] = ':';
  put(14, t.minute(), 2);
  text[16] = ':';
  put(17, t.second(), 2);
  text[19] = '.';
  put(20, t.msec(), 3);
  text[23] = 'Z';
  return QString::fromLatin1(text, sizeof text);
}

QDateTime timeFromText(const QString& text) {
  static constexpr char kForm[] = "dddd-dd-ddTdd:dd:dd.dddZ";
  bool plain = text.size() == 24;
  for (qsizetype i = 0; plain && i < 24; ++i) {
    const char16_t c = text[i].unicode();
    plain = kForm[i] == 'd' ? (c >= u'0' && c <= u'9') : c == static_cast<char16_t>(kForm[i]);
  }
  if (!plain) return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
  auto number = [&text](int at, int width) {
    int value = 0;
    for (int i = 0; i < width; ++i) value = value * 10 + (text[at + i].unicode() - u'0');
    return value;
  };
  const QDate date(number(0, 4), number(5, 2), number(8, 2));
  const QTime time(number(11, 2), number(14, 2), number(17, 2), number(20, 3));
  // Out of range (a 30th of February): as Qt reads it, invalid.
  if (!date.isValid() || !time.isValid()) return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC();
  return QDateTime(date, time, Qt::UTC);
}

}  // namespace gradoir
