#include "settings/settings_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "settings/setting_keys.h"

namespace gradoir {

namespace {

QString latin(std::string_view s) { return QLatin1String(s.data(), static_cast<qsizetype>(s.size())); }
QString utf8(const std::string& s) { return QString::fromStdString(s); }

bool takesWholeNumber(SettingKind kind) {
  return kind != SettingKind::ClassList && kind != SettingKind::Address;
}

bool isPath(SettingKind kind) { return !takesWholeNumber(kind); }

QString shownValue(const SettingValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return QString::number(*number);
  if (const auto* on = std::get_if<bool>(&value)) return *on ? QStringLiteral("1") : QStringLiteral("0");
  return std::get<QString>(value);
}

// Letters to change, add or remove to turn one name into the other, whatever
// their case.
int distance(const QString& a, const QString& b) {
  const QString x = a.toLower();
  const QString y = b.toLower();
  std::vector<int> row(static_cast<std::size_t>(y.size()) + 1);
  for (std::size_t j = 0; j < row.size(); ++j) row[j] = static_cast<int>(j);
  for (qsizetype i = 1; i <= x.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    for (qsizetype j = 1; j <= y.size(); ++j) {
      const int above = row[static_cast<std::size_t>(j)];
      row[static_cast<std::size_t>(j)] =
          std::min({above + 1, row[static_cast<std::size_t>(j - 1)] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row.back();
}

template <typename Names>
QString nearest(const QString& written, const Names& names) {
  QString best;
  int bestDistance = INT_MAX;
  for (const QString& name : names) {
    if (const int d = distance(written, name); d < bestDistance) {
      best = name;
      bestDistance = d;
    }
  }
  return best;
}

QStringList knownSections() {
  QStringList sections;
  for (const SettingKey& key : settingKeys()) {
    if (!sections.contains(latin(key.section))) sections << latin(key.section);
  }
  return sections;
}

const SettingKey* keyIn(const QString& section, const QString& name) {
  for (const SettingKey& key : settingKeys()) {
    if (latin(key.section).compare(section, Qt::CaseInsensitive) == 0 &&
        latin(key.name).compare(name, Qt::CaseInsensitive) == 0) {
      return &key;
    }
  }
  return nullptr;
}

// Each section and key of the file the program does not read.
QStringList unknownKeys(const IniFile& profile) {
  const QStringList sections = knownSections();
  QStringList allKeys;
  for (const SettingKey& key : settingKeys()) allKeys << latin(key.name);
  QStringList warnings;
  for (const IniFile::Entry& entry : profile.entries()) {
    const QString section = utf8(entry.section);
    const bool knownSection = sections.contains(section, Qt::CaseInsensitive);
    if (entry.key.empty()) {
      if (!knownSection) {
        warnings << QCoreApplication::translate("gradoir::SettingsCheck", "Attention : la section [%1] est inconnue, ses clés sont ignorées (voulez-vous dire [%2] ?).")
                        .arg(section, nearest(section, sections));
      }
      continue;
    }
    const QString name = utf8(entry.key);
    if (!knownSection || keyIn(section, name) != nullptr) continue;
    if (const SettingKey* elsewhere = findSettingKey(name.toStdString())) {
      warnings << QCoreApplication::translate("gradoir::SettingsCheck", "Attention : [%1] %2 n'est pas lue dans cette section, mais dans [%3].")
                      .arg(section, name, latin(elsewhere->section));
    } else {
      warnings << QCoreApplication::translate("gradoir::SettingsCheck", "Attention : [%1] %2=%3 est une clé inconnue, ignorée (voulez-vous dire %4 ?).")
                      .arg(section, name, utf8(entry.value), nearest(name, allKeys));
    }
  }
  return warnings;
}

// The warnings come in rounds, each in the order of the table: keys the
// program does not know, values that are no whole number, values brought
// into their range, then files and addresses that cannot be used.
enum class Round { NotANumber, Adjusted, Unusable };
constexpr Round kRounds[] = {Round::NotANumber, Round::Adjusted, Round::Unusable};

std::optional<QString> notANumber(const SettingKey& key, const std::string& written) {
  if (!takesWholeNumber(key.kind) || written.empty() || parseProfileInteger(written)) return std::nullopt;
  return QCoreApplication::translate("gradoir::SettingsCheck", "Attention : [%1] %2=%3 n'est pas un nombre entier, la valeur par défaut est utilisée.")
      .arg(latin(key.section), latin(key.name), QString::fromStdString(written));
}

std::optional<QString> adjusted(const SettingKey& key, const std::string& written, const SettingValue& used) {
  const std::optional<std::int32_t> value = parseProfileInteger(written);
  if (!value) return std::nullopt;
  switch (key.kind) {
    case SettingKind::Step:
    case SettingKind::Tolerance: {
      const std::int32_t taken = std::get<std::int32_t>(used);
      if (*value == taken) return std::nullopt;
      return QCoreApplication::translate("gradoir::SettingsCheck", "Attention : [Angle] %1=%2 n'est pas permis, %3 est utilisé.").arg(latin(key.name)).arg(*value).arg(taken);
    }
    case SettingKind::Measure:
      // A reversed range is read as meant: only a measure outside 5..175 is news.
      if (*value >= kMinMeasure && *value <= kMaxMeasure) return std::nullopt;
      return QCoreApplication::translate("gradoir::SettingsCheck", "Attention : [Angle] %1=%2 sort de %3..%4, la mesure est ramenée dans cet intervalle.")
          .arg(latin(key.name))
          .arg(*value)
          .arg(kMinMeasure)
          .arg(kMaxMeasure);
    default:
      return std::nullopt;
  }
}

// `shown`: the path as the store's checks show it.
std::optional<QString> unusable(const SettingKey& key, const SettingValue& used, const QString& shown) {
  if (key.kind != SettingKind::ClassList) return std::nullopt;
  const QString& path = std::get<QString>(used);
  const QFileInfo list(path);
  if (path.isEmpty() || (list.isFile() && list.isReadable())) return std::nullopt;
  return QCoreApplication::translate("gradoir::SettingsCheck", "Attention : [Resultats] Eleves=%1 : fichier illisible, les résultats iront au nom de la session.")
      .arg(shown);
}

std::optional<QString> warning(Round round, const SettingKey& key, const std::string& written,
                               const SettingValue& used, const QString& shown) {
  switch (round) {
    case Round::NotANumber:
      return notANumber(key, written);
    case Round::Adjusted:
      return adjusted(key, written, used);
    case Round::Unusable:
      return unusable(key, used, shown);
  }
  return std::nullopt;
}

// A range that holds no multiple of the step draws a measure outside it.
std::optional<QString> rangeWithoutMeasure(const Level& level) {
  const AllowedMeasures drawn = allowedMeasures(level);
  if (drawn.first >= level.minimum && drawn.last <= level.maximum) return std::nullopt;
  return QCoreApplication::translate("gradoir::SettingsCheck", "Attention : aucun multiple de Pas=%1 entre MesureMin=%2 et MesureMax=%3 : "
            "la mesure sera toujours %4.")
      .arg(level.step)
      .arg(level.minimum)
      .arg(level.maximum)
      .arg(drawn.first);
}

}  // namespace

SettingsCheck checkSettings(const QString& path, const ValueChecker& checkValue) {
  const IniFile profile = IniFile::load(path);
  const AllSettings all = readAllSettings(path);
  SettingsCheck check;
  check.warnings << unknownKeys(profile);
  QStringList checked;  // what checkValue says, after the rounds
  std::vector<QString> shown;  // each key's value as shown, in table order
  // What readSettings gives; the teaching aids are not part of it. A path or
  // an address is shown only as checkValue gives it, which hides passwords.
  for (const SettingKey& key : settingKeys()) {
    const SettingValue used = settingValue(key, all);
    shown.push_back(shownValue(used));
    if (key.part != SettingPart::Settings) continue;
    if (isPath(key.kind)) {
      const ValueCheck value = checkValue(key, std::get<QString>(used));
      shown.back() = value.shown;
      checked << value.warnings;
      const QString written = QString::fromStdString(profile.readText(key.section, key.name));
      if (!written.isEmpty() && written != std::get<QString>(used)) {
        check.notes << QCoreApplication::translate("gradoir::SettingsCheck", "Note : [%1] %2=%3 est relatif au dossier de Grado.ini (%4) : %5.")
                           .arg(latin(key.section), latin(key.name), written, QFileInfo(path).absolutePath(),
                                value.shown);
      }
    }
    check.lines << latin(key.name) + QLatin1Char('=') + shown.back();
  }
  for (const Round round : kRounds) {
    std::size_t index = 0;
    for (const SettingKey& key : settingKeys()) {
      const QString& keyShown = shown[index++];
      if (key.part != SettingPart::Settings) continue;
      const std::string written = profile.readText(key.section, key.name);
      if (const std::optional<QString> text = warning(round, key, written, settingValue(key, all), keyShown)) {
        check.warnings << *text;
      }
    }
  }
  if (const std::optional<QString> range = rangeWithoutMeasure(all.settings.level)) check.warnings << *range;
  check.warnings << checked;
  return check;
}

}  // namespace gradoir
