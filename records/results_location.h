#pragma once
#include <QString>

namespace gradoir {

// "$XDG_DATA_HOME/gradoir/resultats.sqlite" (~/.local/share when unset); the
// folder is created when missing.
QString defaultResultsPath();

}  // namespace gradoir
