#pragma once
// For measuring the program from outside (bench/startup.sh): when the
// environment asks for it, the first paint of a window prints the wall-clock
// time in nanoseconds and the resident memory, and the program quits. Without
// those variables nothing is installed.
//
//   GRADOIR_REPORT_SHOWN=1       print "shown_ns=N rss_kb=K" at the first paint, then quit
//   GRADOIR_REPORT_EXERCISE=1    first start a measuring exercise (the window's
//                                QAction "measureAction"), then print and quit
#include <QWidget>

namespace gradoir {

// Watches window; the filter is a child of it.
void installStartupReport(QWidget& window);

}  // namespace gradoir
