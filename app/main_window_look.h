#pragma once
// What the main window's description cannot say by itself: pixel font
// sizes, colours, the tool box's own configuration, and the window frame.
#include <QString>

class QMainWindow;
class QString;
class QWidget;

namespace Ui {
class MainWindow;
}

namespace gradoir {

// Fonts and colours of the window and tool box, the tool box's controls
// moved onto its client area, the tool box hidden above the canvas.
void arrangeWindow(QMainWindow& window, Ui::MainWindow& form);

// Sets the statement's words, with a font narrowed so that they end left of
// the answer box (statements longer than the measuring one).
void fitStatement(Ui::MainWindow& form, const QString& words);

// The window keeps only its close button: no minimise or maximise button,
// so the window manager offers no restore, size or title-bar double click.
void trimWindowFrame(QWidget& window);

// The measuring statement, translated; its blanks lie under the answer box.
QString measuringStatement();
// The statement's words: what comes before its first run of blanks.
QString statementWords(const QString& statement);

}  // namespace gradoir
