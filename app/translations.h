#pragma once
// The program's language: the first of the user's interface languages that it
// has a translation for, French (the language its texts are written in) when
// it has none.
#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace gradoir {

// Language codes ("fr", "en" …) of the translations built into the program,
// French included.
QStringList availableLanguages();

// The first entry of `uiLanguages` (as QLocale::uiLanguages() gives them:
// "en-GB", "de_DE", "C" …) whose language is in `available`; "fr" when none.
QString chooseLanguage(const QStringList& uiLanguages, const QStringList& available);

// Installs in `app` (which owns it) the toolkit's own texts (context menus,
// standard buttons) in `language`; false when the toolkit has none, and its
// texts then stay English.
bool installToolkitTranslation(QCoreApplication& app, const QString& language);

// Installs in `app` (which owns them) the program's translation and the
// toolkit's for the language chosen from the system's interface languages,
// and returns that language's code. The toolkit's translation is optional:
// without it its own texts stay English.
QString installTranslations(QCoreApplication& app);

}  // namespace gradoir
