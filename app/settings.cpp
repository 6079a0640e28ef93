#include "app/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <utility>

#include "app/ini_file.h"

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
  s.angleStep = profile.readInteger("Angle", "Pas", defaults.angleStep);
  s.measureMin = profile.readInteger("Angle", "MesureMin", defaults.measureMin);
  s.measureMax = profile.readInteger("Angle", "MesureMax", defaults.measureMax);
  s.tolerance = profile.readInteger("Angle", "Tolerance", defaults.tolerance);
  s.protractorPlaced = profile.readBool("Angle", "RapporteurPlace", defaults.protractorPlaced);
  s.estimation = profile.readBool("Angle", "Estimation", defaults.estimation);
  normalizeLevel(s);
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

void normalizeLevel(Settings& s) {
  if (s.angleStep != 1 && s.angleStep != 5 && s.angleStep != 10) s.angleStep = 1;
  s.measureMin = std::clamp(s.measureMin, kMinMeasure, kMaxMeasure);
  s.measureMax = std::clamp(s.measureMax, kMinMeasure, kMaxMeasure);
  if (s.measureMin > s.measureMax) std::swap(s.measureMin, s.measureMax);
  s.tolerance = std::clamp(s.tolerance, 0, kMaxTolerance);
}

}  // namespace gradoir
