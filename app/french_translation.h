#pragma once
// The toolkit's own texts (context menus, standard buttons) in French.
#include <QCoreApplication>

namespace gradoir {

// Loads Qt's French translation from the toolkit's translation folder and
// installs it in `app`, which owns it. Returns false when it is not found;
// the program then runs with the toolkit's English texts.
bool installFrenchTranslation(QCoreApplication& app);

}  // namespace gradoir
