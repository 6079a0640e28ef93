#include "records/store_check.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include "records/postgres_url.h"
#include "records/results_location.h"

namespace gradoir {

namespace {

// Why the file cannot be read as a results store, empty when it can: read
// only, so that checking as another account (root) changes nothing.
QString unreadableDatabase(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return file.errorString();
  const QByteArray header = file.read(16);
  if (!header.isEmpty() && header != QByteArray("SQLite format 3", 16)) return QCoreApplication::translate("gradoir::StoreCheck", "ce n'est pas une base de résultats");
  file.close();
  const QString name = QStringLiteral("gradoir_check_") + QUuid::createUuid().toString(QUuid::Id128);
  QString problem;
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(path);
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    QSqlQuery query(database);
    if (!database.open()) {
      problem = database.lastError().text();
    } else if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
      problem = query.lastError().text();
    } else if (query.value(0).toString() != QLatin1String("ok")) {
      problem = QCoreApplication::translate("gradoir::StoreCheck", "le fichier est endommagé (%1)").arg(query.value(0).toString());
    }
    query.finish();
    database.close();
  }
  QSqlDatabase::removeDatabase(name);
  return problem;
}

// What keeps this account from keeping its results in the file.
QStringList fileProblems(const QString& path, bool isDefault) {
  const QFileInfo file(path);
  const QFileInfo folder(file.absolutePath());
  if (file.exists()) {
    if (!file.isFile()) return {QCoreApplication::translate("gradoir::StoreCheck", "%1 n'est pas un fichier").arg(path)};
    if (!file.isReadable() || !file.isWritable()) return {QCoreApplication::translate("gradoir::StoreCheck", "%1 est en lecture seule pour ce compte").arg(path)};
    // SQLite keeps its write-ahead log beside the file.
    if (!folder.isWritable()) return {QCoreApplication::translate("gradoir::StoreCheck", "le dossier %1 est en lecture seule pour ce compte").arg(folder.filePath())};
    if (const QString problem = unreadableDatabase(path); !problem.isEmpty()) {
      return {QCoreApplication::translate("gradoir::StoreCheck", "%1 ne peut être lu : %2").arg(path, problem)};
    }
    return {};
  }
  // The program makes its default folder itself.
  if (isDefault) return {};
  if (!folder.isDir()) return {QCoreApplication::translate("gradoir::StoreCheck", "le dossier %1 n'existe pas").arg(folder.filePath())};
  if (!folder.isWritable()) return {QCoreApplication::translate("gradoir::StoreCheck", "le dossier %1 est en lecture seule pour ce compte").arg(folder.filePath())};
  return {};
}

QStringList said(const QString& key, const QString& value, const QStringList& problems) {
  QStringList warnings;
  for (const QString& problem : problems) {
    warnings << hidePasswords(QCoreApplication::translate("gradoir::StoreCheck", "Attention : [Resultats] %1=%2 : %3 ; les résultats ne seront pas enregistrés.")
                                  .arg(key, value, problem));
  }
  return warnings;
}

}  // namespace

StoreCheck checkStoreSetting(const QString& base) {
  const QString key = QStringLiteral("Base");
  if (base.isEmpty()) {
    const QString path = defaultResultsPath();
    return {path, said(key, path, fileProblems(path, true))};
  }
  if (isPostgresAddress(base)) {
    const PostgresAddress address = parsePostgresAddress(base);
    StoreCheck check{hidePasswords(base), {}};
    if (!address.target) {
      check.warnings << hidePasswords(
          QCoreApplication::translate("gradoir::StoreCheck", "Attention : [Resultats] Base=%1 : %2 ; les résultats restent sur chaque poste.").arg(base, address.problem));
    }
    // Records wait in the default file for the server.
    check.warnings << said(key, defaultResultsPath(), fileProblems(defaultResultsPath(), true));
    return check;
  }
  if (looksLikeAddress(base)) {
    return {hidePasswords(base), said(key, base, {QCoreApplication::translate("gradoir::StoreCheck", "ce n'est ni un fichier ni une adresse postgresql://")})};
  }
  return {base, said(key, base, fileProblems(base, false))};
}

StoreCheck checkTeacherSetting(const QString& address, bool settingsReadableByAll) {
  StoreCheck check{hidePasswords(address), {}};
  if (!isPostgresAddress(address)) return check;
  const PostgresAddress parsed = parsePostgresAddress(address);
  if (!parsed.target) {
    check.warnings << hidePasswords(
        QCoreApplication::translate("gradoir::StoreCheck", "Attention : [Resultats] BaseEnseignant=%1 : %2.").arg(address, parsed.problem));
  } else if (!parsed.target->password.isEmpty() && settingsReadableByAll) {
    check.warnings << QCoreApplication::translate("gradoir::StoreCheck", "Attention : [Resultats] BaseEnseignant donne un mot de passe dans un fichier que tous "
                         "peuvent lire : tout élève pourrait lire tous les résultats. Écrivez-le plutôt dans le "
                         "fichier ~/.pgpass du professeur.");
  }
  return check;
}

}  // namespace gradoir
