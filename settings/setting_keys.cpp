#include "settings/setting_keys.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <string>

#include "settings/ini_file.h"

namespace gradoir {

namespace {

using Kind = SettingKind;
using Part = SettingPart;

// Where a key's value goes: a member of Settings, of its Level, or of
// TeachingSettings.
template <auto member>
SettingField inSettings(AllSettings& a) {
  return &(a.settings.*member);
}
template <auto member>
SettingField inLevel(AllSettings& a) {
  return &(a.settings.level.*member);
}
template <auto member>
SettingField inTeaching(AllSettings& a) {
  return &(a.teaching.*member);
}

constexpr SettingKey kKeys[] = {
    {"NbEx/Serie", "Mesurer", "10", Kind::Count, Part::Settings, inSettings<&Settings::measureSeriesLength>},
    {"NbEx/Serie", "Tracer", "10", Kind::Count, Part::Settings, inSettings<&Settings::drawSeriesLength>},
    {"Angle", "SommetAimante", "1", Kind::Switch, Part::Settings, inSettings<&Settings::magneticVertex>},
    {"Angle", "CoteHorizontal", "0", Kind::Switch, Part::Settings, inSettings<&Settings::horizontalSide>},
    {"Angle", "Pas", "1", Kind::Step, Part::Settings, inLevel<&Level::step>},
    {"Angle", "MesureMin", "5", Kind::Measure, Part::Settings, inLevel<&Level::minimum>},
    {"Angle", "MesureMax", "175", Kind::Measure, Part::Settings, inLevel<&Level::maximum>},
    {"Angle", "Tolerance", "0", Kind::Tolerance, Part::Settings, inLevel<&Level::tolerance>},
    {"Angle", "RapporteurPlace", "0", Kind::Switch, Part::Settings, inLevel<&Level::protractorPlaced>},
    {"Angle", "Estimation", "0", Kind::Switch, Part::Settings, inLevel<&Level::estimation>},
    {"Resultats", "Eleves", "", Kind::ClassList, Part::Settings, inSettings<&Settings::classListPath>},
    {"Resultats", "Base", "", Kind::Address, Part::Settings, inSettings<&Settings::resultsBase>},
    {"Resultats", "Enregistrer", "1", Kind::Switch, Part::Settings, inSettings<&Settings::recordResults>},
    {"Resultats", "BaseEnseignant", "", Kind::Address, Part::Settings, inSettings<&Settings::teacherBase>},
    {"Aide", "Explications", "1", Kind::Switch, Part::Teaching, inTeaching<&TeachingSettings::explanations>},
    {"Aide", "Correction", "1", Kind::Switch, Part::Teaching, inTeaching<&TeachingSettings::correction>},
};

// A whole number as written, else the key's default.
std::int32_t wholeNumber(const SettingKey& key, const std::string& written) {
  return parseProfileInteger(written).value_or(parseProfileInteger(key.defaultValue).value_or(0));
}

struct Store {
  const SettingKey& key;
  const std::string& written;
  const QDir& settingsFolder;
  void operator()(std::int32_t* field) const { *field = wholeNumber(key, written); }
  void operator()(bool* field) const { *field = wholeNumber(key, written) != 0; }
  // Paths are text as written; a file saved by a French editor is UTF-8.
  void operator()(QString* field) const { *field = resolvedPath(QString::fromStdString(written), settingsFolder); }
};

}  // namespace

QString resolvedPath(const QString& written, const QDir& settingsFolder) {
  // "scheme://..." is an address, not a path.
  static const QRegularExpression address(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
  if (written.isEmpty() || address.match(written).hasMatch() || written.startsWith(QLatin1Char('/'))) return written;
  // Joined by hand: QDir takes a name starting with ":" for one of the
  // program's own resources, which a teacher's file must never reach.
  return QDir::cleanPath(settingsFolder.absolutePath() + QLatin1Char('/') + written);
}

std::span<const SettingKey> settingKeys() { return kKeys; }

const SettingKey* findSettingKey(std::string_view name) {
  const auto* found = std::find_if(std::begin(kKeys), std::end(kKeys),
                                   [name](const SettingKey& key) { return key.name == name; });
  return found == std::end(kKeys) ? nullptr : found;
}

AllSettings readAllSettings(const QString& path) {
  const IniFile profile = IniFile::load(path);
  const QDir folder = QFileInfo(path).absoluteDir();
  AllSettings all;
  for (const SettingKey& key : kKeys) {
    const std::string written = profile.readText(key.section, key.name);
    std::visit(Store{key, written, folder}, key.field(all));
  }
  all.settings.level = normalized(all.settings.level);
  return all;
}

SettingValue settingValue(const SettingKey& key, const AllSettings& all) {
  AllSettings copy = all;
  return std::visit([](auto* field) -> SettingValue { return *field; }, key.field(copy));
}

}  // namespace gradoir
