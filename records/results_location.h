#pragma once
#include <QString>

namespace gradoir {

// "$XDG_DATA_HOME/gradoir/resultats.sqlite" (~/.local/share when unset).
// Only the name: nothing is made.
QString defaultResultsPath();

// Makes the default file's folder when missing, readable by its owner only
// (0700): a pupil's results are personal data. A folder an older version
// made with the umask's 0755 is narrowed the same way. False when it cannot
// be made.
bool prepareDefaultResultsFolder();

}  // namespace gradoir
