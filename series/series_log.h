#pragma once
// SeriesLog: what the series controller writes down. It keeps the exercises
// of the current series for the box shown at its end, and hands every try
// and every series to the results store (when recording is on), filled in
// with the pupil, the level and the time taken.
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

#include "settings/settings.h"
#include "records/try_record.h"

namespace gradoir {

class ResultsRecorder;

// One exercise as the end-of-series box shows it.
struct ExerciseSummary {
  int target = 0;
  QList<int> answers;  // in the order given, estimates excluded
  std::optional<int> estimate;
  bool right = false;
};

class SeriesLog {
 public:
  // Opens the results store the settings name; none when Enregistrer=0.
  explicit SeriesLog(const Settings& settings);
  ~SeriesLog();
  SeriesLog(const SeriesLog&) = delete;
  SeriesLog& operator=(const SeriesLog&) = delete;

  QString pupil() const { return m_pupil; }
  void setPupil(const QString& pupil) { m_pupil = pupil; }

  void startSeries(ExerciseKind kind, int length);
  // The exercise is shown now: its time starts.
  void startExercise(int number, int target);
  // `explanation`: the code of the mistake a wrong try shows (teaching/).
  void recordTry(std::optional<int> answer, Verdict verdict, std::optional<QString> explanation = {});
  void endSeries(int score);
  // The series under way stops before its end (another series chosen, the
  // program closed): it is recorded with its end and what was done so far.
  // Nothing without one.
  void abandonSeries();

  // The level the next tries are recorded with (the path changes it).
  void setLevel(const Level& level) { m_level = level; }

  // An exercise played on the path, decided after `triesUsed` tries.
  // `number`: its place among the pupil's exercises on this path, from 1.
  void recordPathStep(ExerciseKind kind, int number, int level, bool solved, int triesUsed, int nextLevel);
  // This pupil's exercises on the path of `kind`, oldest first, from this
  // computer's file and the room's server together (a step may be in both,
  // or in the file only while the server is away). Empty when nothing is
  // recorded (Enregistrer=0) or no store could be read.
  std::optional<QList<PathStepRecord>> readPathSteps(ExerciseKind kind) const;

  const QList<ExerciseSummary>& exercises() const { return m_exercises; }
  // "7 exercices réussis sur 10" and a table of the exercises, as rich text.
  QString summaryText(int score, int done) const;
  int playedCount() const;

  // Null when recording is off.
  ResultsRecorder* recorder() const { return m_recorder.get(); }

 private:
  Level m_level;
  std::unique_ptr<ResultsRecorder> m_recorder;
  QString m_serverUrl;
  QString m_pupil;
  SeriesRecord m_series;
  int m_exercise = 1;
  QElapsedTimer m_clock;
  QList<ExerciseSummary> m_exercises;
};

// "1 exercice réussi sur 3", "2 exercices réussis sur 3".
QString scoreText(int score, int done);

}  // namespace gradoir
