#pragma once
// What `gradoir --check-settings` shows a teacher: every setting as the
// program reads it, and a warning for each value it could not take as
// written (not a whole number, out of its range, a class list it cannot
// open, a server address it does not understand).
#include <QString>
#include <QStringList>

namespace gradoir {

struct SettingsCheck {
  QStringList lines;     // "Key=value", one per setting, values as used
  QStringList warnings;  // French, one per key
};

SettingsCheck checkSettings(const QString& path);

}  // namespace gradoir
