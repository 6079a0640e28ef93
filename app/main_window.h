#pragma once
// MainWindow: the main window and the series controller behind it. It runs
// series of measuring or drawing exercises, counts the tries, checks the
// answers, shows verdicts, lamps and score, and ends the series. It reaches
// the canvas and the tool box only through the few operations they offer
// (new exercise, protractor centre/show/hide, angle measure, side bounds,
// enabling, cursor; tool box place, show/hide, expand).
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

#include "ui/cursor_table.h"
#include "settings/settings.h"

namespace Ui {
class MainWindow;
}

class QAction;
class QColor;
class QLabel;

namespace gradoir {

class FloatingPanel;
class ExerciseCanvas;
class ExplanationLabel;
class ExerciseChooser;
class WindowAccessibility;
class SeriesLog;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Reads its settings from `settingsPath` ("Grado.ini" beside the program
  // unless a test gives another file).
  explicit MainWindow(const QString& settingsPath = settingsFilePath(), QWidget* parent = nullptr);
  ~MainWindow() override;

  // Read access for the program's tests.
  std::int32_t tryNumber() const { return m_tryNumber; }
  std::int32_t exerciseNumber() const { return m_exerciseNumber; }
  std::int32_t successCount() const { return m_successCount; }
  std::int32_t targetMeasure() const { return m_targetMeasure; }
  bool seriesOver() const { return m_seriesOver; }
  const Settings& settings() const { return m_settings; }
  const Ui::MainWindow& form() const { return *m_ui; }
  ExerciseCanvas& canvas() const;
  FloatingPanel& toolBox() const;
  const CursorTable& cursors() const { return m_cursors; }
  const TeachingSettings& teachingSettings() const { return m_teaching; }
  ExplanationLabel& explanationLabel() const;
  // What the idle canvas offers, and the status bar's series progress.
  ExerciseChooser& chooser() const;
  QString progressText() const;
  SeriesLog& seriesLog() const { return *m_log; }
  // The protractor is hidden while the pupil estimates the measure.
  bool estimating() const { return m_estimating; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setUpWindow();
  void connectHandlers();

  // Menu and button handlers; a null sender means a call from nextExercise.
  void startMeasuring(QObject* sender);
  void startDrawing(QObject* sender);
  void quit();
  void openHelp(QObject* sender);
  void checkAnswer();
  void nextExercise();
  void usePencil();
  void toggleProtractor();
  void centerProtractor();
  // False when the key must not reach the answer box.
  bool acceptAnswerKey(const QString& key);

  bool confirmAbandon(QObject* sender);
  void resetSeries();
  void startExercise();
  void checkMeasuredAnswer();
  void checkDrawnAngle();
  void recordTry(bool right);
  void showVerdict(const QString& text, const QColor& colour);
  void endExercise(bool last);
  void showSeriesEnd();
  void placeToolBox();
  // Enter: the enabled one of checkButton and nextButton.
  void activateDefaultButton();
  void setCanvasCursor(int number);
  // Idle screen and status bar (main_window_chooser.cpp).
  void setUpChooserAndStatus();
  void showProgress(std::int32_t seriesLength);
  void showChooser();

  // Teaching (main_window_teaching.cpp): the explanation after a wrong try,
  // the correction after the third.
  void setUpTeaching();
  bool drawingExercise() const;
  // answer: the number typed or the measure drawn; empty when no side is drawn.
  void teachAfterWrongTry(std::optional<std::int32_t> answer, bool decided);
  // The code of the mistake a wrong try shows, for the record of results.
  std::optional<QString> mistakeCode(std::optional<std::int32_t> answer) const;
  void startCorrection();
  void correctionArrived();
  void explain(const QString& text);
  void clearExplanation();

  // Pupils and estimates (main_window_pupils.cpp).
  void setUpPupils();
  // False when the pupil must choose a name first and did not.
  bool choosePupilFirst(QObject* sender);
  void changePupil();
  void beginEstimate();
  // Back to an ordinary exercise, as when a series is left mid-estimate.
  void leaveEstimate();
  void checkEstimate();
  void beginSeriesLog(QObject* sender, bool measuring);

  std::unique_ptr<Ui::MainWindow> m_ui;
  CursorTable m_cursors;
  QString m_settingsPath;

  Settings m_settings;
  bool m_seriesOver = true;
  std::int32_t m_targetMeasure = 0;
  std::int32_t m_tryNumber = 1;
  std::int32_t m_exerciseNumber = 1;
  std::int32_t m_successCount = 0;
  // The lamp picture with three white lamps, restored at each exercise.
  std::unique_ptr<QImage> m_blankLed;
  TeachingSettings m_teaching;
  ExplanationLabel* m_explanation = nullptr;  // owned by its Qt parent
  // The end-of-series box waits for the correction's protractor to arrive.
  bool m_seriesEndAfterCorrection = false;
  ExerciseChooser* m_chooser = nullptr;  // owned by Qt parenting
  QLabel* m_progress = nullptr;          // owned by Qt parenting
  // Names and events for screen readers; a child of this window.
  WindowAccessibility* m_accessibility = nullptr;

  std::unique_ptr<SeriesLog> m_log;
  QStringList m_classList;
  bool m_pupilChosen = false;
  bool m_estimating = false;
  QAction* m_changePupilAction = nullptr;
};

}  // namespace gradoir
