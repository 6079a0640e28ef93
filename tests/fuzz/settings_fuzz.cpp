// The settings reader on arbitrary bytes: it must neither crash nor hang, and
// every setting it returns is either the integer written for its key or the
// key's default. The integer conversion is checked against the value grammar
// written as regular expressions, independent of the reader's own parsing.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <climits>
#include <regex>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "settings/ini_file.h"
#include "settings/settings.h"

namespace {

using gradoir::parseProfileInteger;
using gradoir::IniFile;
using gradoir::Settings;

void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "settings fuzz: %s\n", what);
    std::abort();
  }
}

// The value's grammar written out as patterns rather than as a digit loop,
// so that it cannot share a mistake with the reader: leading blanks, an
// optional sign, then decimal digits, or "$" and hexadecimal digits; or "0x"
// and hexadecimal digits at the very start. Hexadecimal gives a 32-bit
// pattern, decimal must fit a signed 32-bit integer.
std::optional<std::int32_t> referenceInteger(std::string_view text) {
  static const std::regex decimal(R"(^[ \t]*([+-]?)([0-9]+)$)");
  static const std::regex dollar(R"(^[ \t]*([+-]?)\$([0-9A-Fa-f]+)$)");
  static const std::regex zeroX(R"(^0[xX]()([0-9A-Fa-f]+)$)");
  const std::string s(text);
  std::smatch m;
  const bool hex = std::regex_match(s, m, dollar) || std::regex_match(s, m, zeroX);
  if (!hex && !std::regex_match(s, m, decimal)) return std::nullopt;
  const std::string digits = m[2].str().substr(std::min(m[2].str().find_first_not_of('0'), m[2].str().size()));
  if (digits.size() > (hex ? 8u : 10u)) return std::nullopt;  // beyond 32 bits
  const long long magnitude = digits.empty() ? 0 : std::stoll(digits, nullptr, hex ? 16 : 10);
  const bool negative = m[1].str() == "-";
  if (hex) {
    const auto bits = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
  }
  const long long value = negative ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

// Every integer that any "key = value" line of the text could give.
std::set<std::int32_t> integersWritten(std::string_view text) {
  std::set<std::int32_t> values;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    std::string_view value = line.substr(equals + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t' || value.front() == '\r'))
      value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
      value.remove_suffix(1);
    if (const auto v = referenceInteger(value)) values.insert(*v);
  }
  return values;
}

// The reader's integer for one key: the text it found converted, or the
// default; and a value other than the default must have been written.
std::int32_t checkedInteger(const IniFile& profile, const std::set<std::int32_t>& written,
                            const char* section, const char* key, std::int32_t fallback) {
  const std::int32_t got = profile.readInteger(section, key, fallback);
  const std::string text = profile.readText(section, key);
  require(got == referenceInteger(text).value_or(fallback), "integer differs from its text");
  require(got == fallback || written.count(got) == 1, "integer that no line holds");
  return got;
}

// The program reads a file; the same bytes through the file must give the
// same settings as the text itself.
QString SettingsFile() {
  static QTemporaryDir dir;
  return dir.filePath(QStringLiteral("Grado.ini"));
}

// A path as the program must use it: written relative to the settings
// file's folder, a path starting with "/" and an address with a scheme
// ("letters://") as written.
QString beside(const std::string& written) {
  const QString text = QString::fromStdString(written);
  bool scheme = !text.isEmpty() && text[0].isLetter() && text[0].unicode() < 128;
  qsizetype i = 1;
  while (scheme && i < text.size() && (text[i].isLetterOrNumber() || text[i] == '+' || text[i] == '-' || text[i] == '.') &&
         text[i].unicode() < 128) {
    ++i;
  }
  scheme = scheme && text.mid(i, 3) == QLatin1String("://");
  if (text.isEmpty() || scheme || text.startsWith(QLatin1Char('/'))) return text;
  return QDir::cleanPath(QFileInfo(SettingsFile()).absolutePath() + QLatin1Char('/') + text);
}

Settings checkedSettings(std::string_view text) {
  const IniFile profile = IniFile::fromText(text);
  const std::set<std::int32_t> written = integersWritten(text);
  const Settings defaults;
  Settings s;
  s.measureSeriesLength =
      checkedInteger(profile, written, "NbEx/Serie", "Mesurer", defaults.measureSeriesLength);
  s.drawSeriesLength = checkedInteger(profile, written, "NbEx/Serie", "Tracer", defaults.drawSeriesLength);
  s.magneticVertex = checkedInteger(profile, written, "Angle", "SommetAimante", 1) != 0;
  s.horizontalSide = checkedInteger(profile, written, "Angle", "CoteHorizontal", 0) != 0;
  require(profile.readBool("Angle", "SommetAimante", true) == s.magneticVertex, "boolean differs");
  require(profile.readBool("Angle", "CoteHorizontal", false) == s.horizontalSide, "boolean differs");
  // The level as the program must leave it: a step of 1, 5 or 10, measures
  // within 5..175 in order, a tolerance within 0..90.
  const std::int32_t step = checkedInteger(profile, written, "Angle", "Pas", 1);
  s.level.step = step == 5 || step == 10 ? step : 1;
  auto measure = [](std::int32_t m) { return m < 5 ? 5 : m > 175 ? 175 : m; };
  const std::int32_t low = measure(checkedInteger(profile, written, "Angle", "MesureMin", 5));
  const std::int32_t high = measure(checkedInteger(profile, written, "Angle", "MesureMax", 175));
  s.level.minimum = low < high ? low : high;
  s.level.maximum = low < high ? high : low;
  const std::int32_t tolerance = checkedInteger(profile, written, "Angle", "Tolerance", 0);
  s.level.tolerance = tolerance < 0 ? 0 : tolerance > 90 ? 90 : tolerance;
  s.level.protractorPlaced = checkedInteger(profile, written, "Angle", "RapporteurPlace", 0) != 0;
  s.level.estimation = checkedInteger(profile, written, "Angle", "Estimation", 0) != 0;
  s.classListPath = beside(profile.readText("Resultats", "Eleves"));
  s.resultsBase = beside(profile.readText("Resultats", "Base"));
  s.recordResults = checkedInteger(profile, written, "Resultats", "Enregistrer", 1) != 0;
  s.teacherBase = beside(profile.readText("Resultats", "BaseEnseignant"));
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  require(parseProfileInteger(text) == referenceInteger(text), "conversion differs from the reference");

  const Settings expected = checkedSettings(text);
  QFile file(SettingsFile());
  require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the settings file");
  file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  file.close();
  require(gradoir::readSettings(SettingsFile()) == expected, "file and text give different settings");
  return 0;
}
