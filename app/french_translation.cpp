#include "app/french_translation.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace gradoir {

bool installFrenchTranslation(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);  // owned by the application
  if (!translator->load(QStringLiteral("qtbase_fr"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace gradoir
