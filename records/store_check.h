#pragma once
// What `gradoir --check-settings` says of the results store the settings
// name, found without making or changing anything: the store actually used
// (the default file for an empty Base, an address without its password) and
// what keeps it from working.
#include <QString>
#include <QStringList>

namespace gradoir {

struct StoreCheck {
  QString shown;         // the store used, for "Base=..."
  QStringList warnings;  // French, each a whole sentence
};

// [Resultats] Base: a SQLite file (empty: the default one) or a server address.
StoreCheck checkStoreSetting(const QString& base);
// [Resultats] BaseEnseignant: the teacher's address; a password written in a
// settings file that everyone may read is a warning, since it would let any
// pupil read every result.
StoreCheck checkTeacherSetting(const QString& address, bool settingsReadableByAll);

}  // namespace gradoir
