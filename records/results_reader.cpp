#include "records/results_reader.h"

#include <QCollator>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSqlQuery>
#include <QVariantList>
#include <algorithm>

#include "records/postgres_url.h"
#include "records/record_sql.h"
#include "records/schema.h"
#include "records/sql_connection.h"

namespace gradoir {

namespace {

// " WHERE ..." for `filter`, with its values appended to `values`.
QString whereClause(const ResultsFilter& filter, const QString& timeColumn, QVariantList& values,
                    const QString& alwaysTrue = {}) {
  QStringList conditions;
  if (!alwaysTrue.isEmpty()) conditions << alwaysTrue;
  if (!filter.pupil.isEmpty()) {
    conditions << QStringLiteral("pupil = ?");
    values << filter.pupil;
  }
  if (filter.from.isValid()) {
    conditions << QStringLiteral("%1 >= ?").arg(timeColumn);
    values << timeText(filter.from);
  }
  if (filter.until.isValid()) {
    conditions << QStringLiteral("%1 < ?").arg(timeColumn);
    values << timeText(filter.until);
  }
  return conditions.isEmpty() ? QString()
                              : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

// The engines sort text differently (bytes, or the server's locale): names
// are put in order here so that every store shows them alike.
QCollator frenchCollator() {
  QCollator collator{QLocale(QLocale::French, QLocale::France)};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

std::unique_ptr<SqlConnection> openSource(const QString& source, QString& error) {
  std::unique_ptr<SqlConnection> connection;
  if (const std::optional<PostgresTarget> server = parsePostgresUrl(source)) {
    connection = std::make_unique<SqlConnection>(*server);
  } else if (QFileInfo(source).isFile()) {
    connection = std::make_unique<SqlConnection>(source);
  } else {
    error = QCoreApplication::translate("gradoir::ResultsReader", "Aucun résultat à l'emplacement %1").arg(source);
    return nullptr;
  }
  // The schema is made when missing so that an empty store reads as empty.
  if (connection->isOpen() && ensureSchema(*connection)) return connection;
  error = connection->errorText();
  return nullptr;
}

}  // namespace

ResultsReader::ResultsReader(const QString& source) { m_connection = openSource(source, m_errorText); }

ResultsReader::~ResultsReader() = default;

bool ResultsReader::select(QSqlQuery& query, const QString& sql, const QVariantList& values) {
  const bool done = m_connection->exec(query, sql, values);
  m_errorText = done ? QString() : m_connection->errorText();
  return done;
}

QStringList ResultsReader::pupils(const ResultsFilter& filter) {
  QStringList names;
  if (!m_connection) return names;
  QVariantList values;
  const QString sql = QStringLiteral("SELECT pupil FROM tries%1 UNION SELECT pupil FROM series%2")
                          .arg(whereClause(filter, QStringLiteral("recorded_at"), values),
                               whereClause(filter, QStringLiteral("started_at"), values));
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return names;
  while (query.next()) names << query.value(0).toString();
  std::sort(names.begin(), names.end(), frenchCollator());
  return names;
}

QList<SeriesRecord> ResultsReader::series(const ResultsFilter& filter) {
  QList<SeriesRecord> found;
  if (!m_connection) return found;
  QVariantList values;
  const QString sql = QStringLiteral("SELECT %1 FROM series%2 ORDER BY started_at, id")
                          .arg(seriesColumns(), whereClause(filter, QStringLiteral("started_at"), values));
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return found;
  while (query.next()) {
    if (const auto record = readSeries(query)) found << *record;
  }
  const QCollator collator = frenchCollator();
  std::stable_sort(found.begin(), found.end(), [&collator](const SeriesRecord& a, const SeriesRecord& b) {
    return collator.compare(a.pupil, b.pupil) < 0;
  });
  return found;
}

QList<ExplanationCount> ResultsReader::explanationCounts(const ResultsFilter& filter) {
  QList<ExplanationCount> counts;
  if (!m_connection) return counts;
  QVariantList values;
  const QString sql = QStringLiteral(
                          "SELECT explanation, COUNT(*) FROM tries%1 GROUP BY explanation "
                          "ORDER BY COUNT(*) DESC, explanation")
                          .arg(whereClause(filter, QStringLiteral("recorded_at"), values,
                                           QStringLiteral("explanation IS NOT NULL")));
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return counts;
  while (query.next()) counts.append({query.value(0).toString(), query.value(1).toInt()});
  return counts;
}

QList<TryRecord> ResultsReader::tries(const ResultsFilter& filter) {
  QList<TryRecord> found;
  if (!m_connection) return found;
  QVariantList values;
  const QString sql = QStringLiteral("SELECT %1 FROM tries%2 ORDER BY recorded_at, id")
                          .arg(tryColumns(), whereClause(filter, QStringLiteral("recorded_at"), values));
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return found;
  while (query.next()) {
    if (const auto record = readTry(query)) found << *record;
  }
  return found;
}

}  // namespace gradoir
