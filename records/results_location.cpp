#include "records/results_location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace gradoir {

namespace {

QString defaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/gradoir");
}

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

}  // namespace

QString defaultResultsPath() { return QDir(defaultFolder()).filePath(QStringLiteral("resultats.sqlite")); }

bool prepareDefaultResultsFolder() {
  const QString folder = defaultFolder();
  const QFileInfo info(folder);
  if (!info.exists()) {
    // The data folder above it is the desktop's, made as usual.
    QDir().mkpath(info.absolutePath());
    return QDir().mkdir(folder, kOwnerOnly);
  }
  if (info.isDir() && info.isWritable() && (info.permissions() & ~(kOwnerOnly | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser))) {
    QFile::setPermissions(folder, kOwnerOnly | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
  }
  return info.isDir();
}

}  // namespace gradoir
