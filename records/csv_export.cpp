#include "records/csv_export.h"

#include <QSaveFile>
#include <QStringList>
#include <algorithm>

#include "records/results_reader.h"

namespace gradoir {

namespace {

QString yesNo(bool value) { return value ? QStringLiteral("oui") : QStringLiteral("non"); }

QString decimalComma(double value) {
  return QString::number(value, 'f', 3).replace(QLatin1Char('.'), QLatin1Char(','));
}

// Local time in the form spreadsheets read as a date and time.
QString localText(const QDateTime& time) {
  return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QByteArray line(const QStringList& fields) {
  QStringList cells;
  cells.reserve(fields.size());
  for (const QString& field : fields) cells << csvField(field);
  return cells.join(QLatin1Char(';')).toUtf8() + "\r\n";
}

// Writes the header, then whatever `fill` writes, to `outputPath`.
bool writeFile(const QString& outputPath, const QStringList& header, QString* error,
               const std::function<bool(QIODevice&)>& fill) {
  QSaveFile file(outputPath);
  const QByteArray head = "\xEF\xBB\xBF" + csvHeader(header);
  if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size()) {
    if (error) *error = file.errorString();
    return false;
  }
  if (!fill(file)) {
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace

QString csvField(const QString& text) {
  static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
  QString field = text;
  if (!field.isEmpty() && kFormulaStarts.contains(field.front())) field.prepend(QLatin1Char('\''));
  static const QString kSpecial = QStringLiteral(";\"\r\n");
  const bool needsQuotes =
      std::any_of(field.cbegin(), field.cend(), [](QChar c) { return kSpecial.contains(c); });
  if (!needsQuotes) return field;
  field.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + field + QLatin1Char('"');
}

QStringList tryCsvColumns() {
  return {QStringLiteral("identifiant"),   QStringLiteral("date et heure (UTC)"),
          QStringLiteral("date et heure"), QStringLiteral("élève"),
          QStringLiteral("série"),         QStringLiteral("exercice"),
          QStringLiteral("type"),          QStringLiteral("pas"),
          QStringLiteral("minimum"),       QStringLiteral("maximum"),
          QStringLiteral("tolérance"),     QStringLiteral("rapporteur placé"),
          QStringLiteral("estimation"),    QStringLiteral("mesure cible"),
          QStringLiteral("réponse"),       QStringLiteral("verdict"),
          QStringLiteral("explication"),   QStringLiteral("code de l'explication"),
          QStringLiteral("secondes")};
}

QStringList seriesCsvColumns() {
  return {QStringLiteral("identifiant"), QStringLiteral("élève"),  QStringLiteral("type"),
          QStringLiteral("début (UTC)"), QStringLiteral("début"),  QStringLiteral("fin (UTC)"),
          QStringLiteral("fin"),         QStringLiteral("justes"), QStringLiteral("faits"),
          QStringLiteral("prévus")};
}

QByteArray csvHeader(const QStringList& names) { return line(names); }

QByteArray tryCsvLine(const TryRecord& r, const ExplanationWords& words) {
  const QString code = r.explanation.value_or(QString());
  const QString said = r.explanation ? (words ? words(r) : code) : QString();
  return line({r.id,
               timeText(r.time),
               localText(r.time),
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
               said,
               code,
               decimalComma(r.seconds)});
}

QByteArray seriesCsvLine(const SeriesRecord& s) {
  return line({s.id, s.pupil, kindText(s.kind), timeText(s.start), localText(s.start),
               s.end ? timeText(*s.end) : QString(), s.end ? localText(*s.end) : QString(),
               QString::number(s.score), s.played ? QString::number(*s.played) : QString(),
               s.length > 0 ? QString::number(s.length) : QString()});
}

QByteArray triesToCsv(const QList<TryRecord>& tries, const ExplanationWords& words) {
  QByteArray csv("\xEF\xBB\xBF");
  csv += csvHeader(tryCsvColumns());
  for (const TryRecord& attempt : tries) csv += tryCsvLine(attempt, words);
  return csv;
}

bool exportCsv(const QString& source, const QString& outputPath, QString* error, const ExplanationWords& words) {
  return exportCsv(source, ResultsFilter{}, outputPath, error, words);
}

bool exportCsv(const QString& source, const ResultsFilter& filter, const QString& outputPath, QString* error,
               const ExplanationWords& words) {
  ResultsReader reader(source);
  if (!reader.isOpen()) {
    if (error) *error = reader.errorText();
    return false;
  }
  return writeFile(outputPath, tryCsvColumns(), error, [&](QIODevice& file) {
    bool written = true;
    const bool read = reader.eachTry(filter, [&](const TryRecord& attempt) {
      const QByteArray bytes = tryCsvLine(attempt, words);
      written = file.write(bytes) == bytes.size();
      return written;
    });
    if (error) *error = !read ? reader.errorText() : written ? QString() : file.errorString();
    return read && written;
  });
}

bool exportSeriesCsv(const QString& source, const ResultsFilter& filter, const QString& outputPath,
                     QString* error) {
  ResultsReader reader(source);
  if (!reader.isOpen()) {
    if (error) *error = reader.errorText();
    return false;
  }
  // Series are few beside tries (one for ten or so); the reader counts an
  // older program's unended ones from their tries, which needs them at hand.
  const QList<SeriesRecord> series = reader.series(filter);
  if (!reader.errorText().isEmpty()) {
    if (error) *error = reader.errorText();
    return false;
  }
  return writeFile(outputPath, seriesCsvColumns(), error, [&](QIODevice& file) {
    for (const SeriesRecord& s : series) {
      const QByteArray bytes = seriesCsvLine(s);
      if (file.write(bytes) != bytes.size()) {
        if (error) *error = file.errorString();
        return false;
      }
    }
    return true;
  });
}

}  // namespace gradoir
