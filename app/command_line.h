#pragma once
// The program's options, defined in one place (QCommandLineParser): commands
// for a teacher that need no window (--check-settings, --export-csv FILE,
// --export-series FILE, --fiche KIND N FILE, --server-setup, --help,
// --version) and the teacher's window (--resultats). Without an option the
// pupil's window opens.
#include <QString>
#include <QStringList>
#include <optional>

namespace gradoir {

struct Settings;

enum class Launch { Pupil, TeacherView };

// The window to open, from the arguments QApplication left (it removes its
// own, such as "-platform offscreen").
Launch launchFor(const QStringList& arguments);

// Runs a command that needs no window and returns its exit status: 0 done,
// 1 failed, 2 the arguments are wrong (a French message and the usage on
// stderr). Empty when the arguments ask for a window. Decided from the raw
// arguments before any application object exists, so it runs without any
// display.
std::optional<int> runWindowlessCommand(int argc, char** argv);

// Where the recorded results are read: "Base" of the settings, else the
// default file.
QString resultsSource(const QString& settingsBase);
// What the teacher's window and the exports read: "BaseEnseignant" (the
// teacher's role on a room's server), else resultsSource.
QString teacherSource(const Settings& settings);

}  // namespace gradoir
