#pragma once
// What the results store keeps: one record per try and one per series, as
// the series controller fills them in. Identifiers are random UUIDs made on
// the pupil's computer, so a record sent twice to a server is still stored
// once.
#include <QDateTime>
#include <QString>
#include <optional>
#include <variant>

#include "figures/exercise_kind.h"
#include "figures/level.h"

namespace gradoir {

enum class Verdict { Right, Wrong, Estimate };

struct TryRecord {
  QString id;      // newRecordId()
  QDateTime time;  // when the verdict was given
  QString pupil;
  QString seriesId;
  int exercise = 1;  // 1-based number within the series
  ExerciseKind kind = ExerciseKind::Measuring;
  Level level;
  int target = 0;             // the measure asked for, or shown
  std::optional<int> answer;  // the measure typed, or drawn; none when nothing was given
  Verdict verdict = Verdict::Wrong;
  std::optional<QString> explanation;  // code of the hint shown after a wrong answer
  double seconds = 0.0;                // from the exercise shown to the verdict
  friend bool operator==(const TryRecord&, const TryRecord&) = default;
};

// Recorded when the series starts (no end yet, nothing played) and again
// when it ends or is abandoned (another series chosen, the program closed);
// the later record replaces the earlier. An abandoned series has an end and
// fewer exercises played than planned.
struct SeriesRecord {
  QString id;  // newRecordId()
  QString pupil;
  ExerciseKind kind = ExerciseKind::Measuring;
  QDateTime start;
  std::optional<QDateTime> end;
  int score = 0;   // exercises right
  int length = 0;  // exercises planned; 0 or less for an endless series
  // Exercises that got at least one scored answer. None in a record of an
  // older program, which stored a series only as it ended.
  std::optional<int> played = 0;
  // Planned and all played (an endless series is never complete).
  bool complete() const { return end && length > 0 && played && *played >= length; }
  friend bool operator==(const SeriesRecord&, const SeriesRecord&) = default;
};

// One exercise played on the pupil's path ("Mon parcours"): appended, never
// changed, so that a pupil's program needs no more than to add and read. The
// place on the path is what replaying these gives (series/pupil_path.h);
// `nextLevel` keeps that result so that a teacher's view can read it alone.
struct PathStepRecord {
  QString id;  // newRecordId()
  QDateTime time;
  QString pupil;
  ExerciseKind kind = ExerciseKind::Measuring;
  // 1 for the pupil's first exercise on this path, then 2...: the order of
  // exercises that a clock cannot tell apart.
  int number = 1;
  int level = 1;      // the path level the exercise was played at
  bool solved = false;
  int triesUsed = 1;  // 1 to 3
  int nextLevel = 1;  // where the pupil went on from
  friend bool operator==(const PathStepRecord&, const PathStepRecord&) = default;
};

// Either record, as queued and as sent.
using AnyRecord = std::variant<TryRecord, SeriesRecord, PathStepRecord>;

QString newRecordId();

// Stored texts: "mesurer"/"tracer" and "juste"/"faux"/"estimation". They are
// what a teacher reads in the exported file, hence French.
QString kindText(ExerciseKind kind);
QString verdictText(Verdict verdict);
std::optional<ExerciseKind> kindFromText(const QString& text);
std::optional<Verdict> verdictFromText(const QString& text);

// UTC, ISO 8601 with milliseconds ("2026-03-05T09:41:07.250Z"): one fixed
// width, so that text order is time order in both database engines.
QString timeText(const QDateTime& time);
QDateTime timeFromText(const QString& text);

}  // namespace gradoir
