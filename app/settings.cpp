#include "app/settings.h"

#include <QCoreApplication>
#include <QDir>

#include "app/profile_file.h"

namespace gradoir {

QString SettingsFilePath() {
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Grado.ini"));
}

TSettings ReadSettings(const QString& path) {
  const TProfileFile profile = TProfileFile::Load(path);
  const TSettings defaults;
  TSettings s;
  s.MeasureSeriesLength = profile.ReadInteger("NbEx/Serie", "Mesurer", defaults.MeasureSeriesLength);
  s.DrawSeriesLength = profile.ReadInteger("NbEx/Serie", "Tracer", defaults.DrawSeriesLength);
  s.MagneticVertex = profile.ReadBool("Angle", "SommetAimante", defaults.MagneticVertex);
  s.HorizontalSide = profile.ReadBool("Angle", "CoteHorizontal", defaults.HorizontalSide);
  return s;
}

}  // namespace gradoir
