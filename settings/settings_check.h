#pragma once
// What `gradoir --check-settings` shows a teacher: every setting as the
// program reads it, and a warning for each thing it could not take as
// written (a key or section it does not know, with the nearest it knows; a
// value that is not a whole number or out of its range; a level that draws
// measures outside its range; a class list it cannot open), plus what
// settings/ cannot judge alone: the results store and the class list's
// contents, which the program's own checks (records/) answer through
// `checkValue`.
#include <QString>
#include <QStringList>
#include <functional>

namespace gradoir {

struct SettingKey;

struct SettingsCheck {
  QStringList lines;     // "Key=value", one per setting, values as used
  QStringList notes;     // French: what the program makes of a value, without blame
  QStringList warnings;  // French: what a teacher should mend
};

// What the program's own checks say of a path or an address: the value to
// show (an address without its password) and what is wrong with it.
struct ValueCheck {
  QString shown;
  QStringList warnings;
};
// Called for each ClassList and Address key with its value as used (a
// relative path already taken from the settings file's folder).
using ValueChecker = std::function<ValueCheck(const SettingKey& key, const QString& value)>;

SettingsCheck checkSettings(const QString& path, const ValueChecker& checkValue);

}  // namespace gradoir
