#include "records/csv_export.h"

#include <QSaveFile>
#include <QStringList>
#include <algorithm>

#include "records/export_target.h"
#include "records/results_reader.h"

namespace gradoir {

namespace {

const QStringList kHeader = {QStringLiteral("identifiant"),
                             QStringLiteral("date et heure (UTC)"),
                             QStringLiteral("élève"),
                             QStringLiteral("série"),
                             QStringLiteral("exercice"),
                             QStringLiteral("type"),
                             QStringLiteral("pas"),
                             QStringLiteral("minimum"),
                             QStringLiteral("maximum"),
                             QStringLiteral("tolérance"),
                             QStringLiteral("rapporteur placé"),
                             QStringLiteral("estimation"),
                             QStringLiteral("mesure cible"),
                             QStringLiteral("réponse"),
                             QStringLiteral("verdict"),
                             QStringLiteral("explication"),
                             QStringLiteral("secondes")};

QString quoted(const QString& field) {
  static const QString kSpecial = QStringLiteral(";\"\r\n");
  const bool needsQuotes =
      std::any_of(field.cbegin(), field.cend(), [](QChar c) { return kSpecial.contains(c); });
  if (!needsQuotes) return field;
  QString escaped = field;
  escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString yesNo(bool value) { return value ? QStringLiteral("oui") : QStringLiteral("non"); }

QString decimalComma(double value) {
  return QString::number(value, 'f', 3).replace(QLatin1Char('.'), QLatin1Char(','));
}

QStringList fields(const TryRecord& r) {
  return {r.id,
          timeText(r.time),
          r.pupil,
          r.seriesId,
          QString::number(r.exercise),
          kindText(r.kind),
          QString::number(r.level.step),
          QString::number(r.level.minimum),
          QString::number(r.level.maximum),
          QString::number(r.level.tolerance),
          yesNo(r.level.protractorPlaced),
          yesNo(r.level.estimation),
          QString::number(r.target),
          r.answer ? QString::number(*r.answer) : QString(),
          verdictText(r.verdict),
          r.explanation.value_or(QString()),
          decimalComma(r.seconds)};
}

QByteArray line(const QStringList& fields) {
  QStringList cells;
  cells.reserve(fields.size());
  for (const QString& field : fields) cells << quoted(field);
  return cells.join(QLatin1Char(';')).toUtf8() + "\r\n";
}

}  // namespace

QByteArray triesToCsv(const QList<TryRecord>& tries) {
  QByteArray csv("\xEF\xBB\xBF");
  csv += line(kHeader);
  for (const TryRecord& attempt : tries) csv += line(fields(attempt));
  return csv;
}

bool exportCsv(const QString& source, const QString& outputPath, QString* error) {
  auto failed = [error](const QString& why) {
    if (error) *error = why;
    return false;
  };
  if (const std::optional<QString> refused = exportTargetProblem(outputPath, source)) return failed(*refused);
  ResultsReader reader(source);
  if (!reader.isOpen()) return failed(reader.errorText());
  const QList<TryRecord> tries = reader.tries();
  if (!reader.errorText().isEmpty()) return failed(reader.errorText());

  QSaveFile file(outputPath);
  if (!file.open(QIODevice::WriteOnly)) return failed(file.errorString());
  const QByteArray csv = triesToCsv(tries);
  if (file.write(csv) != csv.size() || !file.commit()) return failed(file.errorString());
  return true;
}

}  // namespace gradoir
