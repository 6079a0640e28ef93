#include "app/settings.h"

#include <QCoreApplication>
#include <QDir>

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
