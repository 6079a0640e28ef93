#pragma once
// MainWindow: the pupil's window. It binds its widgets to a SeriesController
// (series/), which holds every rule of a series: the menu, the exercise
// chooser and the tool box's buttons call its commands, and its signals set
// the statement, answer box, lamps, verdict, score, explanation, status bar
// and message boxes. The tools (showing, centring and turning the
// protractor, the pencil) act on the canvas directly. The window asks its
// own questions (abandon a series? which pupil?) before it calls the
// controller.
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "figures/exercise_kind.h"
#include "raster/types.h"
// Whole: lupdate loses the namespace after an opaque enum declaration, and
// the window's texts with it.
#include "series/series_controller.h"
#include "settings/settings.h"
#include "ui/cursor_table.h"

namespace Ui {
class MainWindow;
}

class QAction;
class QLabel;

namespace gradoir {

class CanvasBoard;
class FloatingPanel;
class ExerciseCanvas;
class ExplanationLabel;
class ExerciseChooser;
class WindowAccessibility;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Reads its settings from `settingsPath` ("Grado.ini" beside the program
  // unless a test gives another file).
  explicit MainWindow(const QString& settingsPath = settingsFilePath(), QWidget* parent = nullptr);
  ~MainWindow() override;

  // Read access for the program's tests.
  const SeriesController& series() const { return *m_series; }
  const Ui::MainWindow& form() const { return *m_ui; }
  ExerciseCanvas& canvas() const;
  FloatingPanel& toolBox() const;
  const CursorTable& cursors() const { return m_cursors; }
  ExplanationLabel& explanationLabel() const;
  // What the idle canvas offers, and the status bar's series progress.
  ExerciseChooser& chooser() const;
  QString progressText() const;
  // The status bar's place on the path and pupil's name; empty when none.
  QString pathStatusText() const;
  QString pupilStatusText() const;
  // The line saying that results are not recorded or wait; empty when hidden.
  QString recordsStatusText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setUpWindow();
  void connectHandlers();

  // The pupil chose a kind of exercise, from the menu or the chooser; on
  // the path, the program chooses the level.
  void chooseExercise(ExerciseKind kind, bool onPath = false);
  void openHelp(bool help);
  void checkAnswer();
  void goOn();
  void useTool(bool pencil);
  void showProtractor(bool shown);
  void centerProtractor();
  // False when the key must not reach the answer box.
  bool acceptAnswerKey(const QString& key);
  // Enter: the check or the next button, whichever the series waits for.
  void activateDefaultButton();
  void setCanvasCursor(int number);
  void placeToolBox();

  // The controller's news on the widgets (main_window_series.cpp).
  void bindSeries();
  void showExercise(ExerciseKind kind, std::int32_t measure);
  void showState(SeriesState state);
  void showVerdict(std::int32_t tryNumber, bool right);
  void showScore(std::int32_t successes, std::int32_t done);
  void explain(const QString& text);
  // Device pixels of the canvas to the logical ones widgets are placed in,
  // widened to whole pixels.
  Rect logicalRect(const Rect& device) const;
  void askEstimate();
  // The estimate's look undone: by its answer, or by a new exercise.
  void leaveEstimate();

  // Idle screen and status bar (main_window_chooser.cpp).
  void setUpChooserAndStatus();
  void showChooser();

  // The results' line in the status bar (main_window_records.cpp).
  void setUpRecordsStatus();
  void showRecordsStatus();

  // Pupils (main_window_pupils.cpp).
  void setUpPupils();
  // False when the pupil must choose a name first and did not.
  bool choosePupilFirst();
  void changePupil();

  std::unique_ptr<Ui::MainWindow> m_ui;
  CursorTable m_cursors;
  QString m_settingsPath;
  // The board before the controller: the controller goes first.
  std::unique_ptr<CanvasBoard> m_board;
  std::unique_ptr<SeriesController> m_series;

  // The lamp picture with three white lamps, restored at each exercise.
  QImage m_blankLamps;
  // The statement asks for an estimate and the protractor's buttons are off.
  bool m_askingEstimate = false;
  ExplanationLabel* m_explanation = nullptr;  // owned by its Qt parent
  ExerciseChooser* m_chooser = nullptr;  // owned by Qt parenting
  QLabel* m_progress = nullptr;          // owned by Qt parenting
  QLabel* m_pathStatus = nullptr;        // owned by Qt parenting
  QLabel* m_pupilStatus = nullptr;       // owned by Qt parenting
  // Names and events for screen readers; a child of this window.
  WindowAccessibility* m_accessibility = nullptr;

  QStringList m_classList;
  QStringList m_classListWarnings;  // said in the results' line
  QLabel* m_recordsStatus = nullptr;  // owned by Qt parenting
  bool m_pupilChosen = false;
  QAction* m_changePupilAction = nullptr;
};

}  // namespace gradoir
