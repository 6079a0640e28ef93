#include "records/results_location.h"

#include <QDir>
#include <QStandardPaths>

namespace gradoir {

QString defaultResultsPath() {
  const QDir folder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                    QStringLiteral("/gradoir"));
  folder.mkpath(QStringLiteral("."));
  return folder.filePath(QStringLiteral("resultats.sqlite"));
}

}  // namespace gradoir
