#include "app/translations.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace gradoir {

namespace {

// The texts are written in French: it needs no translation of its own.
const QString kSourceLanguage = QStringLiteral("fr");
const QString kTranslationFolder = QStringLiteral(":/i18n");
const QString kPrefix = QStringLiteral("gradoir_");

// "en-GB", "en_GB.UTF-8", "EN" -> "en"; "C" and "POSIX" name no language.
QString languageOf(const QString& uiLanguage) {
  const QString code = uiLanguage.section(QLatin1Char('-'), 0, 0)
                           .section(QLatin1Char('_'), 0, 0)
                           .section(QLatin1Char('.'), 0, 0)
                           .toLower();
  if (code == QLatin1String("c") || code == QLatin1String("posix")) return {};
  return code;
}

bool installTranslator(QCoreApplication& app, const QString& file, const QString& folder) {
  auto* translator = new QTranslator(&app);  // owned by the application
  if (!translator->load(file, folder)) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace

QStringList availableLanguages() {
  QStringList languages{kSourceLanguage};
  const QStringList files =
      QDir(kTranslationFolder).entryList({kPrefix + QStringLiteral("*.qm")}, QDir::Files);
  for (const QString& file : files) {
    const QString code = file.mid(kPrefix.size()).chopped(3);
    if (!languages.contains(code)) languages << code;
  }
  return languages;
}

QString chooseLanguage(const QStringList& uiLanguages, const QStringList& available) {
  for (const QString& uiLanguage : uiLanguages) {
    const QString code = languageOf(uiLanguage);
    if (!code.isEmpty() && available.contains(code)) return code;
  }
  return kSourceLanguage;
}

bool installToolkitTranslation(QCoreApplication& app, const QString& language) {
  return installTranslator(app, QStringLiteral("qtbase_") + language,
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString installTranslations(QCoreApplication& app) {
  QString language = chooseLanguage(QLocale::system().uiLanguages(), availableLanguages());
  // A listed translation that does not load: the program's own texts stay French.
  if (language != kSourceLanguage && !installTranslator(app, kPrefix + language, kTranslationFolder)) {
    language = kSourceLanguage;
  }
  installToolkitTranslation(app, language);
  return language;
}

}  // namespace gradoir
