#include "settings/ini_file.h"

#include <QFile>
#include <QFileInfo>

namespace gradoir {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Names are matched without regard to letter case; the file is single-byte
// text, and only the ASCII letters are folded.
std::string folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

int digitValue(char c, unsigned base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return (v >= 0 && static_cast<unsigned>(v) < base) ? v : -1;
}

// The digits of `s` in `base`, or nothing when a character is not a digit,
// there is none, or the value exceeds `limit`.
std::optional<std::uint64_t> parseMagnitude(std::string_view s, unsigned base, std::uint64_t limit) {
  if (s.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : s) {
    const int d = digitValue(c, base);
    if (d < 0) return std::nullopt;
    value = value * base + static_cast<unsigned>(d);
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::int32_t> parseProfileInteger(std::string_view text) {
  std::string owned;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    owned = "$" + std::string(text.substr(2));
    text = owned;
  }
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);

  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }

  if (!text.empty() && text.front() == '$') {
    // Hexadecimal gives the 32-bit pattern: $FFFFFFFF is -1, the sign then
    // negates that pattern.
    const auto magnitude = parseMagnitude(text.substr(1), 16, 0xFFFFFFFFu);
    if (!magnitude) return std::nullopt;
    std::uint32_t bits = static_cast<std::uint32_t>(*magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }

  const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
  const auto magnitude = parseMagnitude(text, 10, limit);
  if (!magnitude) return std::nullopt;
  const auto signedValue = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -signedValue : signedValue);
}

IniFile IniFile::load(const QString& path) {
  // Only a regular file is opened: a directory gives nothing to read and a
  // named pipe would block the start-up until someone writes into it.
  const QFileInfo info(path);
  if (!info.isFile()) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};

  QByteArray bytes = file.read(kMaxReadBytes + 1);
  if (bytes.size() > kMaxReadBytes) {
    // Keep whole lines only, so that a value cut at the limit is not read
    // as a different, shorter value.
    bytes.truncate(kMaxReadBytes);
    const qsizetype lastBreak = bytes.lastIndexOf('\n');
    bytes.truncate(lastBreak < 0 ? 0 : lastBreak);
  }
  return fromText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

IniFile IniFile::fromText(std::string_view text) {
  // Editors that save UTF-8 may put a byte-order mark first; left in place it
  // would hide the "[" of the first section.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  IniFile profile;
  std::string currentSection;
  std::string writtenSection;
  bool inSection = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

    const std::string_view trimmed = trim(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      inSection = true;
      writtenSection = std::string(trim(trimmed.substr(1, trimmed.find(']') - 1)));
      currentSection = folded(writtenSection);
      profile.m_sections[currentSection];
      profile.m_written.push_back({writtenSection, {}, {}});
    } else if (inSection) {
      profile.parseLine(trimmed, currentSection, writtenSection);
    }
  }
  return profile;
}

void IniFile::parseLine(std::string_view line, const std::string& currentSection,
                        const std::string& writtenSection) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view key = trim(line.substr(0, equals));
  if (key.empty()) return;
  const std::string value(trim(line.substr(equals + 1)));
  // The first occurrence of a key wins, as the first match of a lookup would.
  m_sections[currentSection].emplace(folded(key), value);
  m_written.push_back({writtenSection, std::string(key), value});
}

std::string IniFile::readText(std::string_view section, std::string_view key) const {
  const auto s = m_sections.find(folded(section));
  if (s == m_sections.end()) return {};
  const auto k = s->second.find(folded(key));
  return k == s->second.end() ? std::string() : k->second;
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key,
                                       std::int32_t fallback) const {
  return parseProfileInteger(readText(section, key)).value_or(fallback);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
  return readInteger(section, key, fallback ? 1 : 0) != 0;
}

}  // namespace gradoir
