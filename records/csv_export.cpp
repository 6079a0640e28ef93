#include "records/csv_export.h"

#include <QHash>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <limits>
#include <memory>

#include "records/export_target.h"
#include "records/results_reader.h"

namespace gradoir {

namespace {

QString yesNo(bool value) { return value ? QStringLiteral("oui") : QStringLiteral("non"); }

QString decimalComma(double value) {
  return QString::number(value, 'f', 3).replace(QLatin1Char('.'), QLatin1Char(','));
}

// "2026-03-05 10:41:07": local time in the form spreadsheets read as a date
// and time. The C library's conversion to local time looks at the zone file
// again on every call, which a million tries feel: the offset is kept for an
// hour of instants when the hour starts and ends at the same offset (clocks
// change at most twice a year), else looked up for the instant itself.
class LocalTimeText {
 public:
  QString operator()(const QDateTime& time) {
    if (!time.isValid()) return {};
    const qint64 seconds = time.toSecsSinceEpoch();
    const qint64 hour = seconds >= 0 ? seconds / 3600 : (seconds - 3599) / 3600;
    if (hour != m_hour) {
      m_hour = hour;
      m_startOffset = offsetAt(hour * 3600);
      m_endOffset = offsetAt(hour * 3600 + 3599);
    }
    const int offset = m_startOffset == m_endOffset ? m_startOffset : offsetAt(seconds);
    // Shifted by the offset and still read as UTC: the local wall clock.
    const QDateTime local = time.toUTC().addSecs(offset);
    const QDate d = local.date();
    const QTime t = local.time();
    if (!d.isValid() || d.year() < 1 || d.year() > 9999) return {};
    char text[19];
    auto put = [&text](int at, int value, int width) {
      for (int i = width - 1; i >= 0; --i, value /= 10) text[at + i] = static_cast<char>('0' + value % 10);
    };
    put(0, d.year(), 4);
    text[4] = text[7] = '-';
    put(5, d.month(), 2);
    put(8, d.day(), 2);
    text[10] = ' ';
    put(11, t.hour(), 2);
    text[13] = text[16] = ':';
    put(14, t.minute(), 2);
    put(17, t.second(), 2);
    return QString::fromLatin1(text, sizeof text);
  }

 private:
  static int offsetAt(qint64 seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toLocalTime().offsetFromUtc();
  }

  qint64 m_hour = std::numeric_limits<qint64>::min();
  int m_startOffset = 0, m_endOffset = 0;
};


QByteArray line(const QStringList& fields) {
  QString text;
  text.reserve(256);
  for (qsizetype i = 0; i < fields.size(); ++i) {
    if (i > 0) text += QLatin1Char(';');
    text += csvField(fields[i]);
  }
  return text.toUtf8() + "\r\n";
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

// The words of an explanation depend only on its code, the kind of exercise
// and the measure: each is made once in an export.
class CachedWords {
 public:
  explicit CachedWords(const ExplanationWords& words) : m_words(words) {}
  QString operator()(const TryRecord& r) {
    const int key = (r.kind == ExerciseKind::Measuring ? 0 : 1 << 20) + r.target;
    QHash<int, QString>& ofCode = m_said[*r.explanation];
    auto found = ofCode.constFind(key);
    if (found == ofCode.cend()) found = ofCode.insert(key, m_words(r));
    return *found;
  }

 private:
  const ExplanationWords& m_words;
  QHash<QString, QHash<int, QString>> m_said;
};

QByteArray tryLine(const TryRecord& r, const ExplanationWords& words, LocalTimeText& localText) {
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

QByteArray seriesLine(const SeriesRecord& s, LocalTimeText& localText) {
  return line({s.id, s.pupil, kindText(s.kind), timeText(s.start), localText(s.start),
               s.end ? timeText(*s.end) : QString(), s.end ? localText(*s.end) : QString(),
               QString::number(s.score), s.played ? QString::number(*s.played) : QString(),
               s.length > 0 ? QString::number(s.length) : QString()});
}

}  // namespace

QString csvField(const QString& text) {
  const auto formulaStart = [](char16_t c) { return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r'; };
  const auto special = [](QChar c) { return c == u';' || c == u'"' || c == u'\r' || c == u'\n'; };
  const bool guard = !text.isEmpty() && formulaStart(text.front().unicode());
  const bool needsQuotes = std::any_of(text.cbegin(), text.cend(), special);
  if (!guard && !needsQuotes) return text;
  QString field = text;
  if (guard) field.prepend(QLatin1Char('\''));
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

QByteArray tryCsvLine(const TryRecord& attempt, const ExplanationWords& words) {
  LocalTimeText localText;
  return tryLine(attempt, words, localText);
}

QByteArray seriesCsvLine(const SeriesRecord& series) {
  LocalTimeText localText;
  return seriesLine(series, localText);
}

QByteArray triesToCsv(const QList<TryRecord>& tries, const ExplanationWords& words) {
  QByteArray csv("\xEF\xBB\xBF");
  csv += csvHeader(tryCsvColumns());
  LocalTimeText localText;
  for (const TryRecord& attempt : tries) csv += tryLine(attempt, words, localText);
  return csv;
}

namespace {

// The store to export from, once the output is known not to be a database;
// null with `error` said otherwise.
std::unique_ptr<ResultsReader> readerForExport(const QString& source, const QString& outputPath, QString* error) {
  if (const std::optional<QString> refused = exportTargetProblem(outputPath, source)) {
    if (error) *error = *refused;
    return nullptr;
  }
  auto reader = std::make_unique<ResultsReader>(source);
  if (!reader->isOpen()) {
    if (error) *error = reader->errorText();
    return nullptr;
  }
  return reader;
}

}  // namespace

bool exportCsv(const QString& source, const QString& outputPath, QString* error, const ExplanationWords& words) {
  return exportCsv(source, ResultsFilter{}, outputPath, error, words);
}

bool exportCsv(const QString& source, const ResultsFilter& filter, const QString& outputPath, QString* error,
               const ExplanationWords& words) {
  const std::unique_ptr<ResultsReader> opened = readerForExport(source, outputPath, error);
  if (!opened) return false;
  ResultsReader& reader = *opened;
  LocalTimeText localText;
  CachedWords cached(words);
  const ExplanationWords said = words ? ExplanationWords(std::ref(cached)) : ExplanationWords();
  return writeFile(outputPath, tryCsvColumns(), error, [&](QIODevice& file) {
    bool written = true;
    const bool read = reader.eachTry(filter, [&](const TryRecord& attempt) {
      const QByteArray bytes = tryLine(attempt, said, localText);
      written = file.write(bytes) == bytes.size();
      return written;
    });
    if (error) *error = !read ? reader.errorText() : written ? QString() : file.errorString();
    return read && written;
  });
}

bool exportSeriesCsv(const QString& source, const ResultsFilter& filter, const QString& outputPath,
                     QString* error) {
  const std::unique_ptr<ResultsReader> opened = readerForExport(source, outputPath, error);
  if (!opened) return false;
  ResultsReader& reader = *opened;
  // Series are few beside tries (one for ten or so); the reader counts an
  // older program's unended ones from their tries, which needs them at hand.
  const QList<SeriesRecord> series = reader.series(filter);
  if (!reader.errorText().isEmpty()) {
    if (error) *error = reader.errorText();
    return false;
  }
  LocalTimeText localText;
  return writeFile(outputPath, seriesCsvColumns(), error, [&](QIODevice& file) {
    for (const SeriesRecord& s : series) {
      const QByteArray bytes = seriesLine(s, localText);
      if (file.write(bytes) != bytes.size()) {
        if (error) *error = file.errorString();
        return false;
      }
    }
    return true;
  });
}

}  // namespace gradoir
