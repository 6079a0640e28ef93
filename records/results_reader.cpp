#include "records/results_reader.h"

#include <QCollator>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSqlQuery>
#include <QVariantList>
#include <algorithm>

#include "records/postgres_url.h"
#include "records/record_sql.h"
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

// The time that the filter bounds: a try's, or the series' start.
QString timeColumn(const QString& table) {
  return table.startsWith(QLatin1String("series")) ? QStringLiteral("started_at") : QStringLiteral("recorded_at");
}

StoreConnection storeOf(const QString& source) {
  if (const std::optional<PostgresTarget> server = parsePostgresUrl(source)) return StoreConnection(*server);
  return StoreConnection(source);
}

}  // namespace

ResultsReader::ResultsReader(const QString& source) : m_store(storeOf(source)) {
  if (looksLikeAddress(source)) {
    const PostgresAddress server = parsePostgresAddress(source);
    if (!server.target) {
      m_errorText = QCoreApplication::translate("gradoir::ResultsReader", "Adresse %1 non reconnue : %2")
                        .arg(source, server.problem);
      return;
    }
  } else if (!QFileInfo(source).isFile()) {
    // A missing file is not made: there is nothing in it to read.
    m_errorText = QCoreApplication::translate("gradoir::ResultsReader", "Aucun résultat à l'emplacement %1")
                      .arg(source);
    return;
  }
  // The schema is made when missing so that an empty store reads as empty.
  m_connection = m_store.open();
  if (m_connection == nullptr) m_errorText = m_store.errorText();
}

QString ResultsReader::errorText() const { return hidePasswords(m_errorText); }

bool ResultsReader::select(QSqlQuery& query, const QString& sql, const QVariantList& values) {
  const bool done = m_connection->exec(query, sql, values);
  m_errorText = done ? QString() : m_connection->errorText();
  return done;
}

template <class Record>
QList<Record> ResultsReader::records(const QString& table, const QString& columns,
                                     const ResultsFilter& filter,
                                     std::optional<Record> (*read)(const QSqlQuery&)) {
  QList<Record> found;
  if (!m_connection) return found;
  QVariantList values;
  const QString sql =
      QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4, 1")
          .arg(columns, table, whereClause(filter, timeColumn(table), values), timeColumn(table));
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return found;
  while (query.next()) {
    if (const std::optional<Record> record = read(query)) found << *record;
  }
  return found;
}

QStringList ResultsReader::pupils(const ResultsFilter& filter) {
  QStringList names;
  if (!m_connection) return names;
  QVariantList values;
  const QString sql = QStringLiteral("SELECT pupil FROM tries%1 UNION SELECT pupil FROM series%2")
                          .arg(whereClause(filter, timeColumn(QStringLiteral("tries")), values),
                               whereClause(filter, timeColumn(QStringLiteral("series")), values));
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return names;
  while (query.next()) names << query.value(0).toString();
  std::sort(names.begin(), names.end(), frenchCollator());
  return names;
}

QList<SeriesRecord> ResultsReader::series(const ResultsFilter& filter) {
  QList<SeriesRecord> found = records(seriesSource(), seriesColumns(), filter, readSeries);
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
                          .arg(whereClause(filter, timeColumn(QStringLiteral("tries")), values,
                                           QStringLiteral("explanation IS NOT NULL")));
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return counts;
  while (query.next()) counts.append({query.value(0).toString(), query.value(1).toInt()});
  return counts;
}

QList<TryRecord> ResultsReader::tries(const ResultsFilter& filter) {
  return records(QStringLiteral("tries"), tryColumns(), filter, readTry);
}

QList<PathStepRecord> ResultsReader::pathSteps(const QString& pupil, ExerciseKind kind) {
  QList<PathStepRecord> found;
  if (!m_connection) return found;
  QSqlQuery query(m_connection->database());
  const QString sql =
      QStringLiteral("SELECT %1 FROM path_steps WHERE pupil = ? AND kind = ? ORDER BY number, recorded_at, id")
          .arg(pathStepColumns());
  if (!select(query, sql, {pupil, kindText(kind)})) return found;
  while (query.next()) {
    if (const std::optional<PathStepRecord> step = readPathStep(query)) found << *step;
  }
  return found;
}

QList<PupilPathLevels> ResultsReader::pathLevels() {
  QList<PupilPathLevels> levels;
  if (!m_connection) return levels;
  QSqlQuery query(m_connection->database());
  const QString sql = QStringLiteral("SELECT %1 FROM path_steps ORDER BY number, recorded_at, id").arg(pathStepColumns());
  if (!select(query, sql, {})) return levels;
  // The last step of each pupil and path wins: rows come in the order played.
  QHash<QString, qsizetype> rowOf;
  while (query.next()) {
    const std::optional<PathStepRecord> step = readPathStep(query);
    if (!step) continue;
    auto at = rowOf.constFind(step->pupil);
    if (at == rowOf.constEnd()) {
      at = rowOf.insert(step->pupil, levels.size());
      levels.append({step->pupil, std::nullopt, std::nullopt});
    }
    PupilPathLevels& row = levels[*at];
    (step->kind == ExerciseKind::Measuring ? row.measuring : row.drawing) = step->nextLevel;
  }
  const QCollator collator = frenchCollator();
  std::sort(levels.begin(), levels.end(), [&collator](const PupilPathLevels& a, const PupilPathLevels& b) {
    return collator.compare(a.pupil, b.pupil) < 0;
  });
  return levels;
}

}  // namespace gradoir
