#include "settings/settings_check.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>
#include <string>
#include <utility>

#include "settings/ini_file.h"
#include "settings/settings.h"

namespace gradoir {

namespace {

struct IntegerKey {
  const char* section;
  const char* key;
};

constexpr IntegerKey kIntegerKeys[] = {
    {"NbEx/Serie", "Mesurer"}, {"NbEx/Serie", "Tracer"},      {"Angle", "SommetAimante"},
    {"Angle", "CoteHorizontal"}, {"Angle", "Pas"},             {"Angle", "MesureMin"},
    {"Angle", "MesureMax"},    {"Angle", "Tolerance"},        {"Angle", "RapporteurPlace"},
    {"Angle", "Estimation"},   {"Resultats", "Enregistrer"},
};

QString text(const std::string& s) { return QString::fromStdString(s); }

// The value as written, when it is a whole number.
std::optional<std::int32_t> written(const IniFile& profile, const IntegerKey& k) {
  return parseProfileInteger(profile.readText(k.section, k.key));
}

void warnUnreadable(const IniFile& profile, QStringList& warnings) {
  for (const IntegerKey& k : kIntegerKeys) {
    const std::string value = profile.readText(k.section, k.key);
    if (value.empty() || parseProfileInteger(value)) continue;
    warnings << QCoreApplication::translate(
                    "gradoir::SettingsCheck",
                    "Attention : [%1] %2=%3 n'est pas un nombre entier, la valeur par défaut est utilisée.")
                    .arg(QLatin1String(k.section), QLatin1String(k.key), text(value));
  }
}

void warnChanged(const IniFile& profile, const char* key, std::int32_t used, QStringList& warnings) {
  const std::optional<std::int32_t> value = written(profile, {"Angle", key});
  if (!value || *value == used) return;
  warnings << QCoreApplication::translate("gradoir::SettingsCheck",
                                          "Attention : [Angle] %1=%2 n'est pas permis, %3 est utilisé.")
                  .arg(QLatin1String(key))
                  .arg(*value)
                  .arg(used);
}

void warnLevel(const IniFile& profile, const Settings& s, QStringList& warnings) {
  warnChanged(profile, "Pas", s.level.step, warnings);
  // A reversed range is read as meant: only a measure outside 5..175 is news.
  const std::optional<std::int32_t> low = written(profile, {"Angle", "MesureMin"});
  const std::optional<std::int32_t> high = written(profile, {"Angle", "MesureMax"});
  for (const auto& [key, value] : {std::pair{"MesureMin", low}, std::pair{"MesureMax", high}}) {
    if (value && (*value < kMinMeasure || *value > kMaxMeasure)) {
      warnings << QCoreApplication::translate(
                      "gradoir::SettingsCheck",
                      "Attention : [Angle] %1=%2 sort de %3..%4, la mesure est ramenée dans cet intervalle.")
                      .arg(QLatin1String(key))
                      .arg(*value)
                      .arg(kMinMeasure)
                      .arg(kMaxMeasure);
    }
  }
  warnChanged(profile, "Tolerance", s.level.tolerance, warnings);
}

void warnResults(const Settings& s, QStringList& warnings) {
  if (!s.classListPath.isEmpty()) {
    const QFileInfo list(s.classListPath);
    if (!list.isFile() || !list.isReadable()) {
      warnings << QCoreApplication::translate("gradoir::SettingsCheck",
                                              "Attention : [Resultats] Eleves=%1 : fichier illisible, "
                                              "les résultats iront au nom de la session.")
                      .arg(s.classListPath);
    }
  }
}

// A server password has no business on a screen or in a log.
QString withoutPassword(const QString& base) {
  static const QRegularExpression password(QStringLiteral("^([a-zA-Z]+://[^:/@]*):[^@]*@"));
  QString shown = base;
  return shown.replace(password, QStringLiteral("\\1:****@"));
}

QString yesNo(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

SettingsCheck checkSettings(const QString& path) {
  const IniFile profile = IniFile::load(path);
  const Settings s = readSettings(path);
  SettingsCheck check;
  check.lines << QStringLiteral("Mesurer=%1").arg(s.measureSeriesLength)
              << QStringLiteral("Tracer=%1").arg(s.drawSeriesLength)
              << QStringLiteral("SommetAimante=") + yesNo(s.magneticVertex)
              << QStringLiteral("CoteHorizontal=") + yesNo(s.horizontalSide)
              << QStringLiteral("Pas=%1").arg(s.level.step)
              << QStringLiteral("MesureMin=%1").arg(s.level.minimum)
              << QStringLiteral("MesureMax=%1").arg(s.level.maximum)
              << QStringLiteral("Tolerance=%1").arg(s.level.tolerance)
              << QStringLiteral("RapporteurPlace=") + yesNo(s.level.protractorPlaced)
              << QStringLiteral("Estimation=") + yesNo(s.level.estimation)
              << QStringLiteral("Eleves=") + s.classListPath
              << QStringLiteral("Base=") + withoutPassword(s.resultsBase)
              << QStringLiteral("Enregistrer=") + yesNo(s.recordResults);
  warnUnreadable(profile, check.warnings);
  warnLevel(profile, s, check.warnings);
  warnResults(s, check.warnings);
  return check;
}

}  // namespace gradoir
