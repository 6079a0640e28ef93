// Gradoir: a protractor trainer. One main window, run until it closes; or,
// for a teacher, a command without a window or the results window.
#include <QApplication>
#include <QScreen>

#include "app/command_line.h"
#include "app/main_window.h"
#include "settings/settings.h"
#include "app/startup_report.h"
#include "teacher/teacher_view.h"
#include "app/translations.h"

int main(int argc, char** argv) {
  // Commands that print or write a file must run without a display.
  if (const std::optional<int> status = gradoir::runWindowlessCommand(argc, argv)) return *status;

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Gradoir"));
  // Lets desktops tie the window to its menu entry (and its icon).
  QGuiApplication::setDesktopFileName(QStringLiteral("fr.gradoir.Gradoir"));
  // Before the window: its texts are translated as it is built.
  gradoir::installTranslations(app);

  if (gradoir::launchFor(argc, argv) == gradoir::Launch::TeacherView) {
    const gradoir::Settings settings = gradoir::readSettings(gradoir::settingsFilePath());
    gradoir::TeacherView view(gradoir::teacherSource(settings));
    view.show();
    return QApplication::exec();
  }

  gradoir::MainWindow form;
  gradoir::installStartupReport(form);  // only when the environment asks (benchmarks)
  // Without a window manager a maximise request changes nothing: take the
  // screen's work area first, then ask for the maximised state.
  form.setGeometry(form.screen()->availableGeometry());
  form.showMaximized();
  return QApplication::exec();
}
