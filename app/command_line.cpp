#include "app/command_line.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "settings/settings.h"
#include "settings/settings_check.h"
#include "app/translations.h"
#include "records/csv_export.h"
#include "records/results_location.h"

namespace gradoir {

namespace {

bool isOption(int argc, char** argv, const char* option) {
  return argc > 1 && std::strcmp(argv[1], option) == 0;
}

int checkSettingsCommand() {
  const SettingsCheck check = checkSettings(settingsFilePath());
  QTextStream out(stdout);
  for (const QString& line : check.lines) out << line << '\n';
  out.flush();
  QTextStream err(stderr);
  for (const QString& warning : check.warnings) err << warning << '\n';
  return check.warnings.isEmpty() ? 0 : 1;
}

int exportCsvCommand(const QString& outputPath) {
  const Settings settings = readSettings(settingsFilePath());
  QString error;
  if (exportCsv(resultsSource(settings.resultsBase), outputPath, &error)) return 0;
  QTextStream(stderr) << QCoreApplication::translate("gradoir::CommandLine", "Export impossible : %1").arg(error)
                      << '\n';
  return 1;
}

}  // namespace

Launch launchFor(int argc, char** argv) {
  return isOption(argc, argv, "--resultats") ? Launch::TeacherView : Launch::Pupil;
}

QString resultsSource(const QString& settingsBase) {
  return settingsBase.isEmpty() ? defaultResultsPath() : settingsBase;
}

std::optional<int> runWindowlessCommand(int argc, char** argv) {
  const bool check = isOption(argc, argv, "--check-settings");
  const bool exportCsv = isOption(argc, argv, "--export-csv");
  if (!check && !exportCsv) return std::nullopt;
  QCoreApplication app(argc, argv);
  // The warnings and errors speak the user's language, as the window does.
  installTranslations(app);
  if (check) return checkSettingsCommand();
  if (argc < 3 || argv[2][0] == '\0') {
    QTextStream(stderr) << QCoreApplication::translate("gradoir::CommandLine", "Usage : gradoir --export-csv FICHIER")
                        << '\n';
    return 2;
  }
  return exportCsvCommand(QString::fromLocal8Bit(argv[2]));
}

}  // namespace gradoir
