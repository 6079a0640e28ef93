#pragma once
// What the results store keeps: one record per try and one per series, as
// the series controller fills them in. Identifiers are random UUIDs made on
// the pupil's computer, so a record sent twice to a server is still stored
// once.
#include <QDateTime>
#include <QString>
#include <optional>
#include <variant>

namespace gradoir {

enum class ExerciseKind { Measure, Draw };
enum class Verdict { Right, Wrong, Estimate };

// The level the exercise was set at, kept with every try so that a teacher
// can tell an easy right answer from a hard one.
struct LevelSettings {
  int step = 1;                   // degrees between two possible target measures
  int minimum = 0;                // smallest target measure
  int maximum = 180;              // largest target measure
  int tolerance = 0;              // degrees an answer may be off and still be right
  bool protractorPlaced = false;  // the protractor was put on the angle for the pupil
  bool estimation = false;        // the pupil estimated without the protractor
  friend bool operator==(const LevelSettings&, const LevelSettings&) = default;
};

struct TryRecord {
  QString id;      // newRecordId()
  QDateTime time;  // when the verdict was given
  QString pupil;
  QString seriesId;
  int exercise = 1;  // 1-based number within the series
  ExerciseKind kind = ExerciseKind::Measure;
  LevelSettings level;
  int target = 0;             // the measure asked for, or shown
  std::optional<int> answer;  // the measure typed, or drawn; none when nothing was given
  Verdict verdict = Verdict::Wrong;
  std::optional<QString> explanation;  // code of the hint shown after a wrong answer
  double seconds = 0.0;                // from the exercise shown to the verdict
  friend bool operator==(const TryRecord&, const TryRecord&) = default;
};

// Recorded when the series starts (no end yet, score 0) and again when it
// ends; the second record replaces the first.
struct SeriesRecord {
  QString id;  // newRecordId()
  QString pupil;
  ExerciseKind kind = ExerciseKind::Measure;
  QDateTime start;
  std::optional<QDateTime> end;
  int score = 0;   // right answers
  int length = 0;  // exercises in the series
  friend bool operator==(const SeriesRecord&, const SeriesRecord&) = default;
};

// Either record, as queued and as sent.
using AnyRecord = std::variant<TryRecord, SeriesRecord>;

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
