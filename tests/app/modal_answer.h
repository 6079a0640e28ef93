#pragma once
// Answers the program's modal windows from inside a test: a timer waits for
// the next modal widget, notes what it showed and clicks one of its buttons
// by its text, so the real QMessageBox (or help window) runs its own loop.
#include <QMessageBox>
#include <QString>
#include <memory>

namespace gradoir::test {

struct ModalSeen {
  bool shown = false;
  QString title;
  QString text;  // QMessageBox text, empty for other windows
  QString informativeText;  // QMessageBox text under it
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;  // texts of its push buttons
  QString defaultButton;
  QString escapeButton;
  bool helpTextVisible = false;  // help window: its "helpText" is visible
  QString helpText;              // and what it says
};

// Arms the answer for the next modal widget: `buttonText` is clicked (an
// empty text presses Escape instead). Gives up after a few seconds.
std::shared_ptr<ModalSeen> answerNextModal(const QString& buttonText);

// True when no modal widget is open right now.
bool noModalOpen();

}  // namespace gradoir::test
