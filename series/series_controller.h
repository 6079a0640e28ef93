#pragma once
// SeriesController: a series of measuring or drawing exercises and its rules,
// without a widget. Three tries an exercise, answers within the level's
// tolerance count, a series of 0 or fewer exercises never ends; before a
// measure the pupil may be asked for an estimate (noted, never scored); after
// a wrong try the likely mistake is named, after the third the protractor
// shows the right reading, and the end of the series waits for the pupil.
//
// On the pupil's path ("Mon parcours", series/pupil_path.h) the series has
// 10 exercises and the level is the path's: each exercise decided moves the
// pupil along it, and the next exercise is at the new level. Where the pupil
// stands is read from the results store the first time a path is played,
// kept in memory after that, and each exercise is appended to the store.
//
// Commands are calls; what follows from them is told by signals, which the
// main window binds to its widgets. The exercise on screen is reached
// through an ExerciseBoard only.
#include <QObject>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>

#include "figures/exercise_kind.h"
#include "series/pupil_path.h"
#include "settings/settings.h"
#include "teaching/diagnosis.h"

namespace gradoir {

class ExerciseBoard;
class SeriesLog;
struct AngleGeometry;

enum class SeriesState : std::uint8_t {
  NoSeries,    // nothing chosen yet
  Estimating,  // a measuring exercise asks for an estimate, protractor hidden
  Trying,      // the pupil answers: tries 1 to 3
  Decided,     // right, or wrong three times: the next exercise waits
  Over,        // the series's last exercise is decided
};

class SeriesController : public QObject {
  Q_OBJECT

 public:
  static constexpr std::int32_t kTries = 3;
  static constexpr std::int32_t kPathSeriesLength = 10;

  // `board` must outlive the controller. Opens the results store the
  // settings name (none when Enregistrer=0).
  SeriesController(const Settings& settings, const TeachingSettings& teaching, ExerciseBoard& board,
                   QObject* parent = nullptr);
  ~SeriesController() override;

  // A series of `kind` from its first exercise. A series under way is
  // abandoned: it is recorded as it stands (its end, the exercises right
  // and played).
  void startSeries(ExerciseKind kind);
  // A series of `kind` on the pupil's path, at the level the pupil reached.
  void startPath(ExerciseKind kind);
  // The typed answer of a measuring exercise: the estimate while one is
  // asked, else a measure. Empty text is no answer; text that is not a
  // whole number is rejected without costing a try.
  void submitAnswer(const QString& text);
  // The second side drawn on the board, in a drawing exercise. Checked
  // before any side is drawn, it costs no try.
  void submitDrawing();
  // From a decided exercise to the next one of the series; at the end of a
  // series that waits after its last correction, to its summary.
  void nextExercise();
  // The pupil types or draws again: the last explanation goes.
  void pupilResumed();

  SeriesState state() const { return m_state; }
  // Over, with the summary waiting for nextExercise.
  bool summaryWaits() const { return m_summaryWaits; }
  // Estimating, trying or decided: choosing another series abandons this one.
  bool seriesRunning() const;
  ExerciseKind kind() const { return m_kind; }
  // The series under way (or the last one) is on the path.
  bool onPath() const { return m_onPath; }
  // The path level of the exercise on the board; 0 off the path.
  std::int32_t pathLevel() const { return m_onPath ? m_pathLevel : 0; }
  // Of the present kind; 0 or less for an endless series.
  std::int32_t seriesLength() const;
  std::int32_t exerciseNumber() const { return m_exercise; }
  // The try under way, 1 to 3; 1 when none is (estimating, decided).
  std::int32_t tryNumber() const { return m_try; }
  std::int32_t successCount() const { return m_successes; }
  // What the exercise asks to read or to draw; 0 when it has no angle.
  std::int32_t targetMeasure() const { return m_target.value_or(0); }
  const Settings& settings() const { return m_settings; }
  const TeachingSettings& teaching() const { return m_teaching; }
  SeriesLog& log() const { return *m_log; }

 signals:
  // A new exercise is on the board; `measure` is what it asks for.
  void exerciseStarted(ExerciseKind kind, std::int32_t measure);
  void stateChanged(SeriesState state);
  // Try `tryNumber` (1 to 3) was judged: its lamp shows `right`.
  void verdictGiven(std::int32_t tryNumber, bool right);
  // A right answer within the tolerance but not exact: what was given (typed
  // or drawn) and the exact measure, which the pupil is told.
  void acceptedNear(std::int32_t given, std::int32_t exact);
  // The typed text is no whole number.
  void answerRejected();
  // The estimate was within 15 degrees of the measure, or not.
  void estimateJudged(bool close);
  // The controller showed or hid the protractor on the board.
  void protractorShown(bool shown);
  void explanationReady(const QString& text);
  void explanationCleared();
  // Exercises right out of exercises decided; 0 of 0 as a series starts.
  void scoreChanged(std::int32_t successes, std::int32_t done);
  // Where the pupil is in the series; empty once it is over.
  void progressChanged(const QString& text);
  // The series is over: its summary, as rich text (the score and a table of
  // the exercises). After a correction it waits for nextExercise, so that
  // the pupil reads the right answer first.
  void seriesEnded(const QString& summary);
  // Where the pupil stands on the path ("Parcours mesure — niveau 3 sur 5");
  // empty for a series off the path.
  void pathStatusChanged(const QString& text);
  // A few friendly words as an exercise of the path starts: its level, a
  // move up or back, or that the path is not kept.
  void pathNews(const QString& text);

 private:
  const Level& level() const { return m_onPath ? m_pathSettings : m_settings.level; }
  void setState(SeriesState state);
  void startExercise();
  void judgeEstimate(std::int32_t estimate);
  void judgeTry(std::int32_t answer, bool right);
  void endExercise(bool right, std::int32_t triesUsed);
  void beginSeries(ExerciseKind kind, bool onPath);
  // The pupil's place on the path of `kind`, read from the store once.
  PathState& pathState(ExerciseKind kind);
  void advanceOnPath(bool right, std::int32_t triesUsed);
  void showSummary();
  // answer: the number typed or the opening drawn; empty when no side is drawn.
  void teachAfterWrongTry(std::optional<std::int32_t> answer, bool decided);
  // The mistake a wrong try shows, and its code for the record of results.
  Explanation mistakeOf(const AngleGeometry& angle, std::optional<std::int32_t> answer) const;
  std::optional<QString> mistakeCode(std::int32_t answer) const;
  void startCorrection(const AngleGeometry& angle);
  // The measure the explanations name: the one to draw, or the angle's.
  std::int32_t askedMeasure(const AngleGeometry& angle) const;

  Settings m_settings;
  TeachingSettings m_teaching;
  ExerciseBoard& m_board;
  std::unique_ptr<SeriesLog> m_log;

  SeriesState m_state = SeriesState::NoSeries;
  ExerciseKind m_kind = ExerciseKind::Measuring;
  std::int32_t m_exercise = 1;
  std::int32_t m_try = 1;
  std::int32_t m_successes = 0;
  std::optional<std::int32_t> m_target;
  // The series is over but its summary waits for the pupil.
  bool m_summaryWaits = false;
  bool m_correctionShown = false;  // for the exercise on the board

  bool m_onPath = false;
  std::int32_t m_pathLevel = 1;
  Level m_pathSettings;  // what m_pathLevel sets
  // Per pupil and kind, as read once and played since.
  std::map<std::pair<QString, ExerciseKind>, PathState> m_paths;
  // Said at the next exercise: a move, or the level a path starts at.
  QString m_pendingPathNews;
  bool m_toldPathNotKept = false;
  bool m_pathRead = false;  // the last read of the store found it
};

}  // namespace gradoir
