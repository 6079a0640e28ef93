#pragma once
// Every key of "Grado.ini" in one table: its section, its name, the default
// as the file would write it, the kind of value it takes, and where the
// value goes. The reader, `gradoir --check-settings` and `gradoir-probe
// settings` all walk this table, so a key added here is read, shown and
// checked alike.
#include <QDir>
#include <QString>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "settings/settings.h"

namespace gradoir {

// What a key's value may be, and so how it is read, shown and checked.
enum class SettingKind {
  Count,      // any whole number; 0 or less makes an endless series
  Switch,     // a whole number, on when not 0; shown as 1 or 0
  Step,       // 1, 5 or 10 degrees; anything else gives 1
  Measure,    // degrees, brought into kMinMeasure..kMaxMeasure
  Tolerance,  // degrees, brought into 0..kMaxTolerance
  ClassList,  // the path of a text file, as written
  Address,    // a SQLite file or a server address, as written; its password is never shown
};

// Whether the key belongs to readSettings or to readTeachingSettings.
enum class SettingPart { Settings, Teaching };

// Both structures the file fills.
struct AllSettings {
  Settings settings;
  TeachingSettings teaching;
  friend bool operator==(const AllSettings&, const AllSettings&) = default;
};

// A key's field in AllSettings; its type follows from the kind (Switch:
// bool, ClassList and Address: QString, the others: a whole number).
using SettingField = std::variant<std::int32_t*, bool*, QString*>;
// A key's value as the program uses it, typed as its field.
using SettingValue = std::variant<std::int32_t, bool, QString>;

struct SettingKey {
  std::string_view section;
  std::string_view name;
  std::string_view defaultValue;  // as the file would write it
  SettingKind kind;
  SettingPart part;
  SettingField (*field)(AllSettings&);
};

// In the order of the README's defaults block, which is also the order
// --check-settings prints them in.
std::span<const SettingKey> settingKeys();
// The key of that name (exactly as the table writes it), or nullptr.
const SettingKey* findSettingKey(std::string_view name);

// Both structures from the file at `path`, as readSettings and
// readTeachingSettings give them.
AllSettings readAllSettings(const QString& path);

// What `key` holds in `all`.
SettingValue settingValue(const SettingKey& key, const AllSettings& all);

// A path as written in the settings file, absolute: a relative one is
// taken from the settings file's folder; an address ("scheme://...") and
// an empty text stay as they are.
QString resolvedPath(const QString& written, const QDir& settingsFolder);

}  // namespace gradoir
