#include "bench/teacher_school_year.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariantList>
#include <array>
#include <random>
#include <vector>

#include "records/record_sql.h"
#include "records/schema.h"
#include "records/sql_connection.h"
#include "records/try_record.h"

namespace gradoir::bench {

namespace {

constexpr std::array kFirstNames{"Zoé",   "Élodie", "Nina",   "Léo",     "Inès",  "Hugo",  "Chloé", "Noé",
                                 "Jade",  "Louis",  "Éloïse", "Gabriel", "Lina",  "Adam",  "Manon", "Raphaël",
                                 "Lou",   "Arthur", "Anaïs",  "Jules",   "Maëlys", "Ethan", "Léa",   "Timéo",
                                 "Clara"};
constexpr std::array kLastNames{"Martin", "Bernard", "Dubois",  "Thomas", "Robert",   "Richard", "Petit",
                                "Durand", "Leroy",   "Moreau",  "Simon",  "Laurent",  "Lefèvre", "Michel",
                                "Garcia", "David",   "Bertrand", "Roux",  "Vincent",  "Fournier"};

constexpr std::array kMeasuringMistakes{"centre-off-vertex", "wrong-scale",    "zero-line-off-side", "almost",
                                        "obtuse",            "acute",          "read-from-zero",     "out-of-range"};
constexpr std::array kDrawingMistakes{"no-second-side", "wrong-scale", "almost", "draw-from-first-side"};

// Rows per INSERT: few statements, within both engines' limit of bound values.
constexpr int kTryRowsPerStatement = 500;
constexpr int kSeriesRowsPerStatement = 1000;
constexpr int kTryColumns = 17;
constexpr int kSeriesColumns = 7;
constexpr int kEndColumns = 4;

using Random = std::mt19937_64;

QString idFrom(Random& random) {
  std::array<quint64, 2> bits{random(), random()};
  QByteArray bytes(reinterpret_cast<const char*>(bits.data()), 16);
  bytes[6] = static_cast<char>((bytes[6] & 0x0F) | 0x40);  // a version-4 identifier, as newRecordId()
  bytes[8] = static_cast<char>((bytes[8] & 0x3F) | 0x80);
  return QUuid::fromRfc4122(bytes).toString(QUuid::WithoutBraces);
}

// INSERT statements of `rows` rows, the full ones prepared once.
class BulkInsert {
 public:
  BulkInsert(SqlConnection& connection, QString table, QString columns, int columnCount, int rows)
      : m_connection(connection),
        m_table(std::move(table)),
        m_columns(std::move(columns)),
        m_columnCount(columnCount),
        m_rows(rows),
        m_full(connection.database()) {
    m_values.reserve(columnCount * rows);
  }

  bool add(const QVariantList& row) {
    m_values.append(row);
    if (m_values.size() < m_columnCount * m_rows) return true;
    if (!m_prepared) {
      m_full.setForwardOnly(true);
      if (!m_full.prepare(statement(m_rows))) return fail(m_full);
      m_prepared = true;
    }
    return run(m_full);
  }

  bool finish() {
    if (m_values.isEmpty()) return true;
    QSqlQuery last(m_connection.database());
    if (!last.prepare(statement(static_cast<int>(m_values.size() / m_columnCount)))) return fail(last);
    return run(last);
  }

  QString error() const { return m_error; }

 private:
  QString statement(int rows) const {
    QStringList marks(m_columnCount, QStringLiteral("?"));
    const QString row = QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    return QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(m_table, m_columns) +
           QStringList(rows, row).join(QLatin1Char(','));
  }

  bool run(QSqlQuery& query) {
    for (qsizetype i = 0; i < m_values.size(); ++i) query.bindValue(static_cast<int>(i), m_values[i]);
    if (!query.exec()) return fail(query);
    m_values.clear();
    return true;
  }

  bool fail(const QSqlQuery& query) {
    m_error = query.lastError().text();
    return false;
  }

  SqlConnection& m_connection;
  QString m_table, m_columns;
  int m_columnCount, m_rows;
  QSqlQuery m_full;
  bool m_prepared = false;
  QVariantList m_values;
  QString m_error;
};

struct Pupil {
  QString name;
  double skill;  // chance of a first try right at the start of the year
  Level level;
};

}  // namespace

QStringList pupilNames(int count) {
  QStringList names;
  for (int i = 0; i < count; ++i) {
    const int first = i % static_cast<int>(kFirstNames.size());
    const int last = (i / static_cast<int>(kFirstNames.size())) % static_cast<int>(kLastNames.size());
    const int round = i / static_cast<int>(kFirstNames.size() * kLastNames.size());
    QString name = QStringLiteral("%1 %2").arg(QString::fromUtf8(kFirstNames[first]), QString::fromUtf8(kLastNames[last]));
    if (round > 0) name += QStringLiteral(" %1").arg(round + 1);
    names << name;
  }
  return names;
}

bool fillSchoolYear(SqlConnection& connection, const SchoolYear& year, QString* error, qint64* seriesWritten) {
  auto failed = [error](const QString& why) {
    if (error) *error = why;
    return false;
  };
  if (!ensureSchema(connection)) return failed(connection.errorText());
  Random random(20250901);
  std::vector<Pupil> pupils;
  const std::array steps{1, 1, 2, 5, 10};
  for (const QString& name : pupilNames(year.pupils)) {
    const int step = steps[random() % steps.size()];
    const bool narrow = random() % 3 == 0;
    pupils.push_back({name, 0.35 + 0.5 * std::uniform_real_distribution<double>()(random),
                      Level{step, narrow ? 30 : 0, narrow ? 150 : 180, static_cast<int>(random() % 3),
                            random() % 5 == 0, random() % 8 == 0}});
  }
  // Series follow one another through the year, from September to June.
  const QDateTime yearStart(QDate(2025, 9, 1), QTime(7, 30), Qt::UTC);
  const qint64 yearSeconds = qint64{300} * 24 * 3600;
  const qint64 expectedSeries = year.tries / 9 + 1;

  SqlTransaction transaction(connection);
  if (!transaction.isActive()) return failed(connection.errorText());
  BulkInsert tries(connection, QStringLiteral("tries"), tryColumns(), kTryColumns, kTryRowsPerStatement);
  // As the pupils' programs write them: a row at a series' start, one more
  // at its end.
  BulkInsert series(connection, QStringLiteral("series"),
                    QStringLiteral("id, pupil, kind, started_at, ended_at, score, length"), kSeriesColumns,
                    kSeriesRowsPerStatement);
  BulkInsert ends(connection, QStringLiteral("series_ends"), QStringLiteral("series_id, ended_at, score, played"),
                  kEndColumns, kSeriesRowsPerStatement);
  std::uniform_real_distribution<double> chance;
  qint64 written = 0, seriesCount = 0;
  while (written < year.tries) {
    const Pupil& pupil = pupils[random() % pupils.size()];
    const ExerciseKind kind = chance(random) < 0.6 ? ExerciseKind::Measuring : ExerciseKind::Drawing;
    const double progress = static_cast<double>(seriesCount) / static_cast<double>(expectedSeries);
    const double right = std::min(0.95, pupil.skill + 0.3 * progress);
    const std::array lengths{6, 8, 10};
    const int planned = lengths[random() % lengths.size()];
    // One in ten is left for another series; one in a hundred never ends
    // (the program stopped before it could say).
    const int stopAfter = chance(random) < 0.1 ? 1 + static_cast<int>(random() % planned) : planned;
    const bool ended = chance(random) >= 0.01;
    SeriesRecord s{idFrom(random), pupil.name, kind, yearStart.addSecs(seriesCount * yearSeconds / expectedSeries),
                   std::nullopt, 0, planned, 0};
    QDateTime now = s.start;
    int played = 0;
    for (int exercise = 1; exercise <= stopAfter && written < year.tries; ++exercise) {
      const int target = pupil.level.minimum +
                         pupil.level.step * static_cast<int>(random() % ((pupil.level.maximum - pupil.level.minimum) /
                                                                             pupil.level.step + 1));
      for (int attempt = 1; attempt <= 3 && written < year.tries; ++attempt) {
        const bool good = chance(random) < right;
        const double seconds = 4.0 + 30.0 * chance(random);
        now = now.addMSecs(static_cast<qint64>(seconds * 1000));
        QVariant explanation(QMetaType::fromType<QString>());
        if (!good) {
          explanation = attempt == 3 ? QStringLiteral("correction")
                        : kind == ExerciseKind::Measuring
                            ? QString::fromLatin1(kMeasuringMistakes[random() % kMeasuringMistakes.size()])
                            : QString::fromLatin1(kDrawingMistakes[random() % kDrawingMistakes.size()]);
        }
        const int answer = good ? target : std::clamp(target + static_cast<int>(random() % 41) - 20, 0, 180);
        if (!tries.add({idFrom(random), timeText(now), pupil.name, s.id, exercise, kindText(kind), pupil.level.step,
                        pupil.level.minimum, pupil.level.maximum, pupil.level.tolerance,
                        int(pupil.level.protractorPlaced), int(pupil.level.estimation), target, answer,
                        verdictText(good ? Verdict::Right : Verdict::Wrong), explanation, seconds})) {
          return failed(tries.error());
        }
        ++written;
        if (attempt == 1) ++played;
        if (good) {
          ++s.score;
          break;
        }
      }
    }
    if (ended) {
      s.end = now.addSecs(2);
      s.played = played;
    } else {
      s.score = 0;
    }
    if (!series.add({s.id, s.pupil, kindText(kind), timeText(s.start), QVariant(QMetaType::fromType<QString>()), 0,
                     s.length})) {
      return failed(series.error());
    }
    if (s.end && !ends.add({s.id, timeText(*s.end), s.score, *s.played})) return failed(ends.error());
    ++seriesCount;
  }
  if (!tries.finish()) return failed(tries.error());
  if (!series.finish()) return failed(series.error());
  if (!ends.finish()) return failed(ends.error());
  if (!transaction.commit()) return failed(connection.errorText());
  // Fresh statistics for the query planners, as a server's autovacuum would have.
  connection.exec(QStringLiteral("ANALYZE"));
  if (seriesWritten) *seriesWritten = seriesCount;
  return true;
}

QString cachedSchoolYearFile(const QString& folder, const SchoolYear& year, QString* error) {
  QDir().mkpath(folder);
  const QString path =
      QDir(folder).filePath(QStringLiteral("school-year-%1-pupils-%2-tries-v%3.sqlite")
                                .arg(year.pupils)
                                .arg(year.tries)
                                .arg(latestSchemaVersion()));
  if (QFile::exists(path)) return path;
  // Made under another name and renamed once whole: an interrupted run
  // leaves no half-filled file behind.
  const QString partial = path + QStringLiteral(".part");
  for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) QFile::remove(partial + suffix);
  bool filled = false;
  {
    SqlConnection connection(partial);
    if (!connection.isOpen()) {
      if (error) *error = connection.errorText();
      return {};
    }
    connection.exec(QStringLiteral("PRAGMA cache_size=-262144"));  // 256 MB while the indexes grow
    filled = fillSchoolYear(connection, year, error, nullptr);
    // Back to a single file, as a store a teacher copies.
    if (filled) connection.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
  }
  if (!filled || !QFile::rename(partial, path)) {
    if (error && error->isEmpty()) *error = QStringLiteral("cannot rename %1").arg(partial);
    return {};
  }
  return path;
}

QString classListFile(const QString& folder, const SchoolYear& year) {
  const QString path = QDir(folder).filePath(QStringLiteral("class-%1.txt").arg(year.pupils));
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    file.write(pupilNames(year.pupils).join(QLatin1Char('\n')).toUtf8() + '\n');
    file.commit();
  }
  return path;
}

}  // namespace gradoir::bench
