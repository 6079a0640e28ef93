#include "records/results_reader.h"

#include <QCollator>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSqlError>
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
bool ResultsReader::eachRecord(const QString& table, const QString& columns, const ResultsFilter& filter,
                               std::optional<Record> (*read)(const QSqlQuery&),
                               const std::function<bool(const Record&)>& take) {
  if (!m_connection) return false;
  QVariantList values;
  const QString sql =
      QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4, 1")
          .arg(columns, table, whereClause(filter, timeColumn(table), values), timeColumn(table));
  // Forward only (SqlConnection::exec): rows are fetched as they are read,
  // not gathered first.
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return false;
  while (query.next()) {
    if (const std::optional<Record> record = read(query)) {
      if (!take(*record)) return true;
    }
  }
  // A connection lost halfway ends the rows early: not a complete answer.
  if (query.lastError().isValid()) {
    m_errorText = query.lastError().text();
    return false;
  }
  return true;
}

bool ResultsReader::eachTry(const ResultsFilter& filter, const std::function<bool(const TryRecord&)>& take) {
  return eachRecord(QStringLiteral("tries"), tryColumns(), filter, readTry, take);
}

bool ResultsReader::eachSeries(const ResultsFilter& filter, const std::function<bool(const SeriesRecord&)>& take) {
  return eachRecord(seriesSource(), seriesColumns(), filter, readSeries, take);
}

void ResultsReader::countFromTries(QList<SeriesRecord>& series) {
  QHash<QString, qsizetype> open;
  for (qsizetype i = 0; i < series.size(); ++i) {
    SeriesRecord& s = series[i];
    if (s.end) {
      if (!s.played) s.played = s.length;
    } else {
      // Nothing played until its tries say otherwise.
      s.played = 0;
      open.insert(s.id, i);
    }
  }
  // A bounded number of bound values per statement, for either engine.
  constexpr qsizetype kChunk = 500;
  const QStringList ids = open.keys();
  for (qsizetype first = 0; first < ids.size(); first += kChunk) {
    const QStringList chunk = ids.mid(first, kChunk);
    QStringList marks(chunk.size(), QStringLiteral("?"));
    QVariantList values(chunk.cbegin(), chunk.cend());
    const QString sql = QStringLiteral(
                            "SELECT series_id, COUNT(DISTINCT CASE WHEN verdict = 'juste' THEN exercise END), "
                            "COUNT(DISTINCT CASE WHEN verdict <> 'estimation' THEN exercise END) "
                            "FROM tries WHERE series_id IN (%1) GROUP BY series_id")
                            .arg(marks.join(QLatin1Char(',')));
    QSqlQuery query(m_connection->database());
    if (!select(query, sql, values)) return;
    while (query.next()) {
      SeriesRecord& s = series[open.value(query.value(0).toString())];
      s.score = query.value(1).toInt();
      s.played = query.value(2).toInt();
    }
  }
}

QStringList ResultsReader::pupils(const ResultsFilter& filter) {
  QStringList names;
  if (!m_connection) return names;
  QVariantList values;
  QString sql = QStringLiteral("SELECT pupil FROM tries%1 UNION SELECT pupil FROM series%2")
                    .arg(whereClause(filter, timeColumn(QStringLiteral("tries")), values),
                         whereClause(filter, timeColumn(QStringLiteral("series")), values));
  if (values.isEmpty()) {
    // Every name: one index look-up per pupil (the next name after the
    // last), not a scan of a year of tries.
    sql = QStringLiteral(
        "WITH RECURSIVE t(name) AS (SELECT MIN(pupil) FROM tries UNION ALL "
        "SELECT (SELECT MIN(pupil) FROM tries WHERE pupil > t.name) FROM t WHERE t.name IS NOT NULL), "
        "s(name) AS (SELECT MIN(pupil) FROM series UNION ALL "
        "SELECT (SELECT MIN(pupil) FROM series WHERE pupil > s.name) FROM s WHERE s.name IS NOT NULL) "
        "SELECT name FROM t WHERE name IS NOT NULL UNION SELECT name FROM s WHERE name IS NOT NULL");
  }
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return names;
  while (query.next()) names << query.value(0).toString();
  std::sort(names.begin(), names.end(), frenchCollator());
  return names;
}

QList<SeriesRecord> ResultsReader::series(const ResultsFilter& filter) {
  QList<SeriesRecord> found;
  eachSeries(filter, [&found](const SeriesRecord& s) {
    found << s;
    return true;
  });
  if (m_connection) countFromTries(found);
  // By pupil, each name compared once (a year holds a hundred thousand
  // series of a few hundred pupils).
  QHash<QString, int> rank;
  for (const SeriesRecord& s : found) rank.insert(s.pupil, 0);
  QStringList names = rank.keys();
  const QCollator collator = frenchCollator();
  std::sort(names.begin(), names.end(), collator);
  // Names the collator holds equal ("zoé", "Zoé") share a rank: their
  // series stay in time order among each other.
  for (int i = 0, r = 0; i < names.size(); ++i) {
    if (i > 0 && collator.compare(names[i - 1], names[i]) != 0) ++r;
    rank[names[i]] = r;
  }
  std::stable_sort(found.begin(), found.end(), [&rank](const SeriesRecord& a, const SeriesRecord& b) {
    return rank.value(a.pupil) < rank.value(b.pupil);
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
  QList<TryRecord> found;
  eachTry(filter, [&found](const TryRecord& t) {
    found << t;
    return true;
  });
  return found;
}

QList<MistakeCount> ResultsReader::mistakeCounts(const ResultsFilter& filter) {
  QList<MistakeCount> counts;
  if (!m_connection) return counts;
  QVariantList values;
  const QString sql = QStringLiteral(
                          "SELECT pupil, kind, explanation, COUNT(*) FROM tries%1 "
                          "GROUP BY pupil, kind, explanation")
                          .arg(whereClause(filter, timeColumn(QStringLiteral("tries")), values,
                                           QStringLiteral("explanation IS NOT NULL")));
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return counts;
  while (query.next()) {
    const std::optional<ExerciseKind> kind = kindFromText(query.value(1).toString());
    if (!kind) continue;
    counts.append({query.value(0).toString(), *kind, query.value(2).toString(), query.value(3).toInt()});
  }
  const QCollator collator = frenchCollator();
  std::stable_sort(counts.begin(), counts.end(), [&collator](const MistakeCount& a, const MistakeCount& b) {
    if (const int c = collator.compare(a.pupil, b.pupil)) return c < 0;
    if (a.count != b.count) return a.count > b.count;
    return a.code < b.code;
  });
  return counts;
}

QHash<QString, Level> ResultsReader::seriesLevels(const ResultsFilter& filter) {
  QHash<QString, Level> levels;
  if (!m_connection) return levels;
  QVariantList values;
  const QString sql = QStringLiteral(
                          "SELECT series_id, MIN(step), MIN(min_measure), MAX(max_measure), MAX(tolerance), "
                          "MAX(protractor_placed), MAX(estimation) FROM tries%1 GROUP BY series_id")
                          .arg(whereClause(filter, timeColumn(QStringLiteral("tries")), values));
  QSqlQuery query(m_connection->database());
  if (!select(query, sql, values)) return levels;
  while (query.next()) {
    levels.insert(query.value(0).toString(),
                  Level{query.value(1).toInt(), query.value(2).toInt(), query.value(3).toInt(),
                        query.value(4).toInt(), query.value(5).toInt() != 0, query.value(6).toInt() != 0});
  }
  return levels;
}

QList<TryRecord> ResultsReader::triesOfSeries(const QString& seriesId) {
  QList<TryRecord> found;
  if (!m_connection) return found;
  QSqlQuery query(m_connection->database());
  const QString sql =
      QStringLiteral("SELECT %1 FROM tries WHERE series_id = ? ORDER BY exercise, recorded_at, id").arg(tryColumns());
  if (!select(query, sql, {seriesId})) return found;
  while (query.next()) {
    if (const std::optional<TryRecord> t = readTry(query)) found << *t;
  }
  return found;
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
