// The floor of the start-up benchmark: a bare Qt Widgets main window with a
// menu bar, shown maximised like Gradoir's, reporting its first paint the way
// Gradoir does under GRADOIR_REPORT_SHOWN (app/startup_report.h).
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

#include "app/startup_report.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu(QStringLiteral("&Exercice"));
  gradoir::installStartupReport(window);
  window.setGeometry(window.screen()->availableGeometry());
  window.showMaximized();
  return QApplication::exec();
}
