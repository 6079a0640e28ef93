#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTextStream>
#include <memory>

#include "app/translations.h"
#include "records/class_list.h"
#include "records/csv_export.h"
#include "records/postgres_url.h"
#include "records/results_location.h"
#include "records/schema.h"
#include "records/store_check.h"
#include "settings/setting_keys.h"
#include "settings/settings.h"
#include "settings/settings_check.h"
#include "teacher/mistake_words.h"
#include "teacher/worksheet.h"

namespace gradoir {

namespace {

// Qt's own options for a window (QApplication takes them out of the
// arguments as it starts): those followed by a value, then those alone.
const QStringList kToolkitOptionsWithValue = {
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),   QStringLiteral("style"),              QStringLiteral("stylesheet"),
    QStringLiteral("display"),  QStringLiteral("geometry"),           QStringLiteral("qwindowgeometry"),
    QStringLiteral("title"),    QStringLiteral("qwindowtitle"),       QStringLiteral("qwindowicon"),
    QStringLiteral("name"),     QStringLiteral("session"),            QStringLiteral("fontengine"),
    QStringLiteral("qmljsdebugger")};
const QStringList kToolkitOptionsAlone = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                          QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("sync")};

// The arguments without Qt's own options, as QApplication would leave them.
QStringList withoutToolkitOptions(const QStringList& arguments) {
  QStringList kept;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    const bool single = a.startsWith(QLatin1Char('-')) && !a.startsWith(QLatin1String("--"));
    const QString name = single ? a.mid(1).section(QLatin1Char('='), 0, 0) : QString();
    if (i > 0 && single && kToolkitOptionsWithValue.contains(name)) {
      if (!a.contains(QLatin1Char('='))) ++i;  // its value follows
      continue;
    }
    if (i > 0 && single && kToolkitOptionsAlone.contains(name)) continue;
    kept << a;
  }
  return kept;
}

// Every option of the program. Texts are looked up when the parser is made,
// so they speak the installed translation.
struct Options {
  QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QCoreApplication::translate("gradoir::CommandLine", "Affiche cette aide.")};
  QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}, QCoreApplication::translate("gradoir::CommandLine", "Affiche la version.")};
  QCommandLineOption checkSettings{QStringLiteral("check-settings"),
                                   QCoreApplication::translate("gradoir::CommandLine", "Affiche chaque réglage de Grado.ini tel que lu et signale ce qui ne l'est pas.")};
  QCommandLineOption exportCsv{QStringLiteral("export-csv"), QCoreApplication::translate("gradoir::CommandLine", "Écrit tous les essais dans FICHIER (CSV)."),
                               QCoreApplication::translate("gradoir::CommandLine", "FICHIER")};
  QCommandLineOption exportSeries{QStringLiteral("export-series"),
                                  QCoreApplication::translate("gradoir::CommandLine", "Écrit toutes les séries dans FICHIER (CSV)."), QCoreApplication::translate("gradoir::CommandLine", "FICHIER")};
  QCommandLineOption results{QStringLiteral("resultats"), QCoreApplication::translate("gradoir::CommandLine", "Ouvre la fenêtre des résultats de l'enseignant.")};
  QCommandLineOption serverSetup{QStringLiteral("server-setup"),
                                 QCoreApplication::translate("gradoir::CommandLine", "Écrit le SQL qui prépare le serveur d'une salle (rôles des élèves et du professeur).")};
  QCommandLineOption worksheet{QStringLiteral("fiche"),
                               QCoreApplication::translate("gradoir::CommandLine", "Écrit une fiche d'exercices à imprimer (mesurer ou tracer), suivie de N et FICHIER.pdf."),
                               QStringLiteral("mesurer|tracer")};
  QCommandLineOption seed{QStringLiteral("graine"), QCoreApplication::translate("gradoir::CommandLine", "Graine de la fiche, pour refaire la même (voir son pied de page)."),
                          QStringLiteral("N")};

  void addTo(QCommandLineParser& parser) const {
    parser.setApplicationDescription(QCoreApplication::translate("gradoir::CommandLine", "Gradoir : apprendre à se servir d'un rapporteur."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QCommandLineOption* option :
         {&help, &version, &checkSettings, &exportCsv, &exportSeries, &results, &serverSetup, &worksheet, &seed}) {
      parser.addOption(*option);
    }
    parser.addPositionalArgument(QStringLiteral("N"), QCoreApplication::translate("gradoir::CommandLine", "Avec --fiche : le nombre d'exercices."));
    parser.addPositionalArgument(QCoreApplication::translate("gradoir::CommandLine", "FICHIER.pdf"), QCoreApplication::translate("gradoir::CommandLine", "Avec --fiche : le fichier à écrire."));
  }
};

int usageError(const QCommandLineParser& parser, const QString& message) {
  QTextStream err(stderr);
  err << message << '\n' << '\n' << parser.helpText();
  return 2;
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

int exportCommand(const QString& outputPath, bool series) {
  // The teacher's address: on a room's server, the role that may read.
  const QString source = teacherSource(readSettings(settingsFilePath()));
  QString error;
  const bool done = series ? exportSeriesCsv(source, {}, outputPath, &error)
                           : exportCsv(source, {}, outputPath, &error, explanationWordsOf);
  if (done) return 0;
  QTextStream(stderr) << hidePasswords(QCoreApplication::translate("gradoir::CommandLine", "Export impossible : %1").arg(error)) << '\n';
  return 1;
}

int worksheetCommand(const QCommandLineParser& parser, const Options& o) {
  const QString kindName = parser.value(o.worksheet);
  const QStringList rest = parser.positionalArguments();
  bool countRead = false;
  const int count = rest.size() == 2 ? rest[0].toInt(&countRead) : 0;
  bool seedRead = true;
  const std::uint32_t seed =
      parser.isSet(o.seed) ? parser.value(o.seed).toUInt(&seedRead) : QRandomGenerator::global()->generate();
  if ((kindName != QLatin1String("mesurer") && kindName != QLatin1String("tracer")) || !countRead ||
      count < 1 || count > kMaxWorksheetExercises || !seedRead) {
    return usageError(parser, QCoreApplication::translate("gradoir::CommandLine", "Usage : gradoir --fiche mesurer|tracer N FICHIER.pdf [--graine N] "
                                 "(N de 1 à %1)").arg(kMaxWorksheetExercises));
  }
  const Settings settings = readSettings(settingsFilePath());
  WorksheetRequest request;
  request.kind = kindName == QLatin1String("mesurer") ? ExerciseKind::Measuring : ExerciseKind::Drawing;
  request.count = count;
  request.seed = seed;
  request.level = settings.level;
  QString error;
  if (writeWorksheet(request, rest[1], &error)) return 0;
  QTextStream(stderr) << QCoreApplication::translate("gradoir::CommandLine", "Fiche impossible : %1").arg(error) << '\n';
  return 1;
}

QStringList argumentList(int argc, char** argv) {
  QStringList list;
  for (int i = 0; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
  return list;
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

Launch launchFor(const QStringList& arguments) {
  QCommandLineParser parser;
  Options().addTo(parser);
  parser.parse(arguments);
  return parser.isSet(QStringLiteral("resultats")) ? Launch::TeacherView : Launch::Pupil;
}

QString resultsSource(const QString& settingsBase) {
  return settingsBase.isEmpty() ? defaultResultsPath() : settingsBase;
}

QString teacherSource(const Settings& settings) {
  return settings.teacherBase.isEmpty() ? resultsSource(settings.resultsBase) : settings.teacherBase;
}

std::optional<int> runWindowlessCommand(int argc, char** argv) {
  const QStringList arguments = withoutToolkitOptions(argumentList(argc, argv));
  {
    // A first look, before any application exists: does a window open?
    QCommandLineParser look;
    Options().addTo(look);
    const bool parsed = look.parse(arguments);
    const bool windowless = !parsed || !look.positionalArguments().isEmpty() || look.isSet(QStringLiteral("help")) ||
                            look.isSet(QStringLiteral("version")) || look.isSet(QStringLiteral("check-settings")) ||
                            look.isSet(QStringLiteral("export-csv")) || look.isSet(QStringLiteral("export-series")) ||
                            look.isSet(QStringLiteral("fiche")) || look.isSet(QStringLiteral("graine")) ||
                            look.isSet(QStringLiteral("server-setup"));
    if (!windowless) return std::nullopt;
  }
  // A worksheet draws text, which needs Qt GUI's fonts, never a display.
  std::unique_ptr<QCoreApplication> app;
  if (arguments.contains(QStringLiteral("--fiche")) || arguments.contains(QStringLiteral("-fiche"))) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  QCoreApplication::setApplicationName(QStringLiteral("gradoir"));
  QCoreApplication::setApplicationVersion(QStringLiteral(GRADOIR_VERSION));
  // Messages and help speak the user's language, as the window does.
  installTranslations(*app);

  Options o;
  QCommandLineParser parser;
  o.addTo(parser);
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    return usageError(parser, unknown.isEmpty() ? parser.errorText()
                                                : QCoreApplication::translate("gradoir::CommandLine", "Option inconnue : %1").arg(unknown.join(QStringLiteral(", "))));
  }
  if (parser.isSet(o.help)) {
    QTextStream(stdout) << parser.helpText();
    return 0;
  }
  if (parser.isSet(o.version)) {
    QTextStream(stdout) << QStringLiteral("gradoir %1\n").arg(QCoreApplication::applicationVersion());
    return 0;
  }
  if (parser.isSet(o.worksheet)) return worksheetCommand(parser, o);
  if (!parser.positionalArguments().isEmpty() || parser.isSet(o.seed)) {
    return usageError(parser, QCoreApplication::translate("gradoir::CommandLine", "Argument en trop : %1").arg(parser.positionalArguments().value(0, QStringLiteral("--graine"))));
  }
  if (parser.isSet(o.checkSettings)) return checkSettingsCommand();
  if (parser.isSet(o.serverSetup)) return serverSetupCommand();
  if (parser.isSet(o.exportCsv)) return exportCommand(parser.value(o.exportCsv), false);
  return exportCommand(parser.value(o.exportSeries), true);
}

}  // namespace gradoir
