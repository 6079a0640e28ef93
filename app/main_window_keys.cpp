#include "app/main_window_keys.h"

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QToolButton>

#include "canvas/exercise_canvas.h"
#include "ui/floating_panel.h"
#include "ui/focus_ring.h"
#include "ui_main_window.h"

namespace gradoir {

void arrangeKeyboard(QMainWindow& window, Ui::MainWindow& f) {
  // Tab only: a click on a tool must leave the focus in the answer box.
  for (QToolButton* tool : {f.protractorButton, f.centerProtractorButton, f.moveTurnButton, f.pencilButton})
    tool->setFocusPolicy(Qt::TabFocus);
  // The order a pupil reads the tool box in, then the canvas; hidden and
  // disabled controls are skipped by Qt itself.
  QWidget* const order[] = {f.answerEdit,       f.checkButton,
                            f.nextButton,       f.protractorButton,
                            f.centerProtractorButton, f.moveTurnButton,
                            f.pencilButton,     f.canvas};
  for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

  // The canvas draws its own frame over its picture.
  auto* ring = new FocusRing(&window);  // owned by Qt parenting
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) ring->track(order[i]);

  // Enter on the canvas checks or goes on, as from the tool box.
  f.canvas->installEventFilter(&window);
  f.helpAction->setShortcut(QKeySequence(Qt::Key_F1));
}

}  // namespace gradoir
