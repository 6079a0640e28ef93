#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>

#include "settings/ini_file.h"

namespace gradoir {

QString settingsFilePath() {
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Grado.ini"));
}

Settings readSettings(const QString& path) {
  const IniFile profile = IniFile::load(path);
  const Settings defaults;
  Settings s;
  s.measureSeriesLength = profile.readInteger("NbEx/Serie", "Mesurer", defaults.measureSeriesLength);
  s.drawSeriesLength = profile.readInteger("NbEx/Serie", "Tracer", defaults.drawSeriesLength);
  s.magneticVertex = profile.readBool("Angle", "SommetAimante", defaults.magneticVertex);
  s.horizontalSide = profile.readBool("Angle", "CoteHorizontal", defaults.horizontalSide);
  Level& level = s.level;
  level.step = profile.readInteger("Angle", "Pas", defaults.level.step);
  level.minimum = profile.readInteger("Angle", "MesureMin", defaults.level.minimum);
  level.maximum = profile.readInteger("Angle", "MesureMax", defaults.level.maximum);
  level.tolerance = profile.readInteger("Angle", "Tolerance", defaults.level.tolerance);
  level.protractorPlaced = profile.readBool("Angle", "RapporteurPlace", defaults.level.protractorPlaced);
  level.estimation = profile.readBool("Angle", "Estimation", defaults.level.estimation);
  level = normalized(level);
  // Paths are text as written; a file saved by a French editor is UTF-8.
  s.classListPath = QString::fromStdString(profile.readText("Resultats", "Eleves"));
  s.resultsBase = QString::fromStdString(profile.readText("Resultats", "Base"));
  s.recordResults = profile.readBool("Resultats", "Enregistrer", defaults.recordResults);
  return s;
}

TeachingSettings readTeachingSettings(const QString& path) {
  const IniFile profile = IniFile::load(path);
  const TeachingSettings defaults;
  TeachingSettings s;
  s.explanations = profile.readBool("Aide", "Explications", defaults.explanations);
  s.correction = profile.readBool("Aide", "Correction", defaults.correction);
  return s;
}


}  // namespace gradoir
