// Gradoir: a protractor trainer. One main window, run until it closes.
#include <QApplication>
#include <QScreen>

#include "app/main_window.h"
#include "app/translations.h"
#include "app/startup_report.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Gradoir"));
  // Lets desktops tie the window to its menu entry (and its icon).
  QGuiApplication::setDesktopFileName(QStringLiteral("fr.gradoir.Gradoir"));
  // Before the window: its texts are translated as it is built.
  gradoir::installTranslations(app);

  gradoir::MainWindow form;
  gradoir::installStartupReport(form);  // only when the environment asks (benchmarks)
  // Without a window manager a maximise request changes nothing: take the
  // screen's work area first, then ask for the maximised state.
  form.setGeometry(form.screen()->availableGeometry());
  form.showMaximized();
  return QApplication::exec();
}
