#include "app/command_line.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "settings/setting_keys.h"
#include "settings/settings.h"
#include "settings/settings_check.h"
#include "app/translations.h"
#include "records/class_list.h"
#include "records/csv_export.h"
#include "records/postgres_url.h"
#include "records/results_location.h"
#include "records/schema.h"
#include "records/store_check.h"

namespace gradoir {

namespace {

bool isOption(int argc, char** argv, const char* option) {
  return argc > 1 && std::strcmp(argv[1], option) == 0;
}

// What records/ says of the paths and addresses of the settings.
ValueCheck checkValue(const SettingKey& key, const QString& value, bool settingsReadableByAll) {
  if (key.kind == SettingKind::ClassList) {
    QStringList warnings;
    if (!value.isEmpty()) {
      for (const QString& warning : readClassListWithWarnings(value).warnings) {
        warnings << QCoreApplication::translate("gradoir::CommandLine", "Attention : [Resultats] Eleves : %1").arg(warning);
      }
    }
    return {value, warnings};
  }
  const StoreCheck store = key.name == "Base" ? checkStoreSetting(value)
                                              : checkTeacherSetting(value, settingsReadableByAll);
  return {store.shown, store.warnings};
}

int checkSettingsCommand() {
  const QString path = settingsFilePath();
  const bool readableByAll = QFileInfo(path).permissions().testFlag(QFile::ReadOther);
  const SettingsCheck check = checkSettings(
      path, [readableByAll](const SettingKey& key, const QString& value) { return checkValue(key, value, readableByAll); });
  // Whatever a line holds, no password leaves the program.
  QTextStream out(stdout);
  for (const QString& line : check.lines + check.notes) out << hidePasswords(line) << '\n';
  out.flush();
  QTextStream err(stderr);
  for (const QString& warning : check.warnings) err << hidePasswords(warning) << '\n';
  return check.warnings.isEmpty() ? 0 : 1;
}

int exportCsvCommand(const QString& outputPath) {
  QString error;
  if (exportCsv(teacherSource(readSettings(settingsFilePath())), outputPath, &error)) return 0;
  QTextStream(stderr) << hidePasswords(QCoreApplication::translate("gradoir::CommandLine", "Export impossible : %1").arg(error)) << '\n';
  return 1;
}

QString newPassword() {
  static const QString kLetters = QStringLiteral("abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789");
  QString password;
  for (int i = 0; i < 24; ++i) password += kLetters[QRandomGenerator::system()->bounded(int(kLetters.size()))];
  return password;
}

// The SQL for the room's server, with how to run it and what each
// Grado.ini then says, as comments.
int serverSetupCommand() {
  ServerRoles roles;
  roles.pupilsPassword = newPassword();
  roles.teacherPassword = newPassword();
  PostgresTarget server{QStringLiteral("serveur"), 5432, {}, {}, QStringLiteral("classe")};
  if (const auto current = parsePostgresUrl(readSettings(settingsFilePath()).resultsBase)) server = *current;
  const QString host = server.host.isEmpty() ? QStringLiteral("localhost") : server.host;
  const QString place = QStringLiteral("%1:%2/%3").arg(host).arg(server.port).arg(server.database);
  QTextStream out(stdout);
  const QStringList comments = {
      QCoreApplication::translate("gradoir::CommandLine", "Gradoir : les deux rôles d'une salle informatique et les tables des résultats."),
      QCoreApplication::translate("gradoir::CommandLine", "À faire lancer une fois par l'administrateur du serveur, dans la base de la classe :"),
      QCoreApplication::translate("gradoir::CommandLine", "  gradoir --server-setup > salle.sql"),
      QCoreApplication::translate("gradoir::CommandLine", "  sudo -u postgres psql -d %1 -f salle.sql").arg(server.database),
      QCoreApplication::translate("gradoir::CommandLine", "Puis, dans /etc/gradoir/Grado.ini de chaque poste, section [Resultats] :"),
      QStringLiteral("  Base=postgresql://%1:%2@%3").arg(roles.pupils, roles.pupilsPassword, place),
      QStringLiteral("  BaseEnseignant=postgresql://%1@%2").arg(roles.teacher, place),
      QCoreApplication::translate("gradoir::CommandLine", "et, dans le fichier ~/.pgpass du professeur (chmod 600), son mot de passe :"),
      QStringLiteral("  %1:%2:%3:%4:%5").arg(host).arg(server.port).arg(server.database, roles.teacher, roles.teacherPassword),
      QCoreApplication::translate("gradoir::CommandLine", "Les élèves ne peuvent qu'ajouter des résultats ; le professeur peut tous les lire."),
  };
  for (const QString& comment : comments) out << "-- " << comment << '\n';
  for (const QString& statement : serverSetupStatements(roles)) out << statement << ";\n";
  return 0;
}

}  // namespace

Launch launchFor(int argc, char** argv) {
  return isOption(argc, argv, "--resultats") ? Launch::TeacherView : Launch::Pupil;
}

QString resultsSource(const QString& settingsBase) {
  return settingsBase.isEmpty() ? defaultResultsPath() : settingsBase;
}

QString teacherSource(const Settings& settings) {
  return settings.teacherBase.isEmpty() ? resultsSource(settings.resultsBase) : settings.teacherBase;
}

std::optional<int> runWindowlessCommand(int argc, char** argv) {
  const bool check = isOption(argc, argv, "--check-settings");
  const bool exportCsv = isOption(argc, argv, "--export-csv");
  const bool serverSetup = isOption(argc, argv, "--server-setup");
  if (!check && !exportCsv && !serverSetup) return std::nullopt;
  QCoreApplication app(argc, argv);
  // The warnings and errors speak the user's language, as the window does.
  installTranslations(app);
  if (check) return checkSettingsCommand();
  if (serverSetup) return serverSetupCommand();
  if (argc < 3 || argv[2][0] == '\0') {
    QTextStream(stderr) << QCoreApplication::translate("gradoir::CommandLine", "Usage : gradoir --export-csv FICHIER")
                        << '\n';
    return 2;
  }
  return exportCsvCommand(QString::fromLocal8Bit(argv[2]));
}

}  // namespace gradoir
