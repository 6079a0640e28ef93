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

QString timeText(const QDateTime& time) { return time.toUTC().toString(Qt::ISODateWithMs); }

QDateTime timeFromText(const QString& text) { return QDateTime::fromString(text, Qt::ISODateWithMs).toUTC(); }

}  // namespace gradoir
