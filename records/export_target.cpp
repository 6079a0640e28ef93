#include "records/export_target.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "records/postgres_url.h"

namespace gradoir {

namespace {

// The path a write would reach: links followed, even to a file not made yet.
QString reached(const QString& path) {
  const QFileInfo info(path);
  if (info.exists()) return info.canonicalFilePath();
  const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
  return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

bool isSqliteDatabase(const QString& path) {
  QFile file(path);
  return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

}  // namespace

std::optional<QString> exportTargetProblem(const QString& target, const QString& store) {
  const QString written = reached(target);
  if (!store.isEmpty() && !looksLikeAddress(store)) {
    const QString kept = reached(store);
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
      if (written == kept + suffix) {
        return QCoreApplication::translate("gradoir::ExportTarget",
                                           "%1 est le fichier des résultats : l'export ne l'écrase pas")
            .arg(target);
      }
    }
    if (written.startsWith(kept + QStringLiteral(".attente-"))) {
      return QCoreApplication::translate("gradoir::ExportTarget",
                                         "%1 garde des résultats en attente : l'export ne l'écrase pas")
          .arg(target);
    }
  }
  if (isSqliteDatabase(written)) {
    return QCoreApplication::translate("gradoir::ExportTarget",
                                       "%1 est une base de données : l'export ne l'écrase pas")
        .arg(target);
  }
  return std::nullopt;
}

}  // namespace gradoir
