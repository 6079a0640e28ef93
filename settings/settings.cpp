#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>

#include "settings/setting_keys.h"

namespace gradoir {

QString settingsFilePath() {
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Grado.ini"));
}

Settings readSettings(const QString& path) { return readAllSettings(path).settings; }

TeachingSettings readTeachingSettings(const QString& path) { return readAllSettings(path).teaching; }

}  // namespace gradoir
