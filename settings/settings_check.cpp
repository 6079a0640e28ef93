#include "settings/settings_check.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>
#include <string>

#include "settings/ini_file.h"
#include "settings/setting_keys.h"

namespace gradoir {

namespace {

QString latin(std::string_view s) { return QLatin1String(s.data(), static_cast<qsizetype>(s.size())); }

bool takesWholeNumber(SettingKind kind) {
  return kind != SettingKind::ClassList && kind != SettingKind::Address;
}

// A server password has no business on a screen or in a log.
QString withoutPassword(const QString& base) {
  static const QRegularExpression password(QStringLiteral("^([a-zA-Z]+://[^:/@]*):[^@]*@"));
  QString shown = base;
  return shown.replace(password, QStringLiteral("\\1:****@"));
}

QString shownValue(const SettingKey& key, const SettingValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return QString::number(*number);
  if (const auto* on = std::get_if<bool>(&value)) return *on ? QStringLiteral("1") : QStringLiteral("0");
  const QString& text = std::get<QString>(value);
  return key.kind == SettingKind::Address ? withoutPassword(text) : text;
}

// The warnings come in rounds, each in the order of the table: values that
// are no whole number, then values brought into their range, then files
// that cannot be used.
enum class Round { NotANumber, Adjusted, Unusable };
constexpr Round kRounds[] = {Round::NotANumber, Round::Adjusted, Round::Unusable};

std::optional<QString> notANumber(const SettingKey& key, const std::string& written) {
  if (!takesWholeNumber(key.kind) || written.empty() || parseProfileInteger(written)) return std::nullopt;
  return QCoreApplication::translate(
             "gradoir::SettingsCheck",
             "Attention : [%1] %2=%3 n'est pas un nombre entier, la valeur par défaut est utilisée.")
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
      return QCoreApplication::translate("gradoir::SettingsCheck",
                                         "Attention : [Angle] %1=%2 n'est pas permis, %3 est utilisé.")
          .arg(latin(key.name))
          .arg(*value)
          .arg(taken);
    }
    case SettingKind::Measure:
      // A reversed range is read as meant: only a measure outside 5..175 is news.
      if (*value >= kMinMeasure && *value <= kMaxMeasure) return std::nullopt;
      return QCoreApplication::translate(
                 "gradoir::SettingsCheck",
                 "Attention : [Angle] %1=%2 sort de %3..%4, la mesure est ramenée dans cet intervalle.")
          .arg(latin(key.name))
          .arg(*value)
          .arg(kMinMeasure)
          .arg(kMaxMeasure);
    default:
      return std::nullopt;
  }
}

std::optional<QString> unusable(const SettingKey& key, const SettingValue& used) {
  if (key.kind != SettingKind::ClassList) return std::nullopt;
  const QString& path = std::get<QString>(used);
  const QFileInfo list(path);
  if (path.isEmpty() || (list.isFile() && list.isReadable())) return std::nullopt;
  return QCoreApplication::translate("gradoir::SettingsCheck",
                                     "Attention : [Resultats] Eleves=%1 : fichier illisible, "
                                     "les résultats iront au nom de la session.")
      .arg(path);
}

std::optional<QString> warning(Round round, const SettingKey& key, const std::string& written,
                               const SettingValue& used) {
  switch (round) {
    case Round::NotANumber:
      return notANumber(key, written);
    case Round::Adjusted:
      return adjusted(key, written, used);
    case Round::Unusable:
      return unusable(key, used);
  }
  return std::nullopt;
}

}  // namespace

SettingsCheck checkSettings(const QString& path) {
  const IniFile profile = IniFile::load(path);
  const AllSettings all = readAllSettings(path);
  SettingsCheck check;
  // What readSettings gives; the teaching aids are not part of it.
  for (const SettingKey& key : settingKeys()) {
    if (key.part != SettingPart::Settings) continue;
    check.lines << latin(key.name) + QLatin1Char('=') + shownValue(key, settingValue(key, all));
  }
  for (const Round round : kRounds) {
    for (const SettingKey& key : settingKeys()) {
      if (key.part != SettingPart::Settings) continue;
      const std::string written = profile.readText(key.section, key.name);
      if (const std::optional<QString> text = warning(round, key, written, settingValue(key, all))) {
        check.warnings << *text;
      }
    }
  }
  return check;
}

}  // namespace gradoir
