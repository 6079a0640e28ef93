#pragma once
// The main window by keys alone: a Tab order through the tool box and the
// canvas, a visible focus on each, Enter on the canvas, F1 for help.
class QMainWindow;

namespace Ui {
class MainWindow;
}

namespace gradoir {

// `window` must filter Enter for the widgets it is installed on.
void arrangeKeyboard(QMainWindow& window, Ui::MainWindow& f);

}  // namespace gradoir
