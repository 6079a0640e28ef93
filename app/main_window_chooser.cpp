// The main window's idle screen and status bar: the exercise chooser over
// the canvas before the first series and after each one, and where the pupil
// is in the series during one.
#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include "app/main_window.h"
#include "app/window_minimum.h"
#include "canvas/exercise_canvas.h"
#include "ui/exercise_chooser.h"
#include "ui/explanation_label.h"
#include "ui/floating_panel.h"
#include "ui_main_window.h"

namespace gradoir {

ExerciseChooser& MainWindow::chooser() const { return *m_chooser; }

QString MainWindow::progressText() const { return m_progress->text(); }
QString MainWindow::pathStatusText() const { return m_pathStatus->text(); }
QString MainWindow::pupilStatusText() const { return m_pupilStatus->text(); }

void MainWindow::setUpChooserAndStatus() {
  Ui::MainWindow& f = *m_ui;
  // A sibling of the canvas, like the tool box: it stays usable while the
  // canvas is disabled between series.
  m_chooser = new ExerciseChooser(f.clientArea);
  m_chooser->setIcons(f.measureAction->icon(), f.drawAction->icon());
  // The menu's own actions, so that a button does just what its item does.
  connect(m_chooser, &ExerciseChooser::measureChosen, f.measureAction, &QAction::trigger);
  connect(m_chooser, &ExerciseChooser::drawChosen, f.drawAction, &QAction::trigger);
  m_chooser->setPathMenu(f.pathMenu);
  m_chooser->raise();

  // The pupil's name, where the series is, where the pupil is on the path.
  m_pupilStatus = new QLabel(this);
  m_pupilStatus->setObjectName(QStringLiteral("pupilStatusLabel"));
  statusBar()->addWidget(m_pupilStatus);
  m_progress = new QLabel(this);
  m_progress->setObjectName(QStringLiteral("progressLabel"));
  statusBar()->addWidget(m_progress);
  m_pathStatus = new QLabel(this);
  m_pathStatus->setObjectName(QStringLiteral("pathStatusLabel"));
  statusBar()->addWidget(m_pathStatus);
  keepCanvasMinimum(*this, canvas());
}

// Nothing of the last exercise stays behind it: the canvas, the tool box and
// the note go, as before the first series.
void MainWindow::showChooser() {
  canvas().clearExercise();
  m_explanation->clearExplanation();
  toolBox().hidePanel();
  m_chooser->centreInParent();
  m_chooser->show();
  m_chooser->raise();
}

}  // namespace gradoir
