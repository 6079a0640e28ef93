#pragma once
// What the program does when started with an option rather than for a
// pupil: commands for a teacher that need no window (--check-settings,
// --export-csv FILE, --server-setup) and the teacher's view (--resultats).
#include <QString>
#include <optional>

namespace gradoir {

struct Settings;

enum class Launch { Pupil, TeacherView };

// The window to open, from the first argument.
Launch launchFor(int argc, char** argv);

// Runs a command that needs no window and returns its exit status; empty
// when the arguments ask for a window. Creates its own QCoreApplication, so
// it runs without any display.
std::optional<int> runWindowlessCommand(int argc, char** argv);

// Where the recorded results are read: "Base" of the settings, else the
// default file.
QString resultsSource(const QString& settingsBase);
// What the teacher's window and the exports read: "BaseEnseignant" (the
// teacher's role on a room's server), else resultsSource.
QString teacherSource(const Settings& settings);

}  // namespace gradoir
