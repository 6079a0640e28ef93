#include "app/profile_file.h"

#include <QFile>
#include <QFileInfo>

namespace gradoir {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Names are matched without regard to letter case; the file is single-byte
// text, and only the ASCII letters are folded.
std::string Folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

int DigitValue(char c, unsigned base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return (v >= 0 && static_cast<unsigned>(v) < base) ? v : -1;
}

// The digits of `s` in `base`, or nothing when a character is not a digit,
// there is none, or the value exceeds `limit`.
std::optional<std::uint64_t> ParseMagnitude(std::string_view s, unsigned base, std::uint64_t limit) {
  if (s.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : s) {
    const int d = DigitValue(c, base);
    if (d < 0) return std::nullopt;
    value = value * base + static_cast<unsigned>(d);
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
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
    const auto magnitude = ParseMagnitude(text.substr(1), 16, 0xFFFFFFFFu);
    if (!magnitude) return std::nullopt;
    std::uint32_t bits = static_cast<std::uint32_t>(*magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }

  const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
  const auto magnitude = ParseMagnitude(text, 10, limit);
  if (!magnitude) return std::nullopt;
  const auto signed_value = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -signed_value : signed_value);
}

TProfileFile TProfileFile::Load(const QString& path) {
  // Only a regular file is opened: a directory gives nothing to read and a
  // named pipe would block the start-up until someone writes into it.
  const QFileInfo info(path);
  if (!info.isFile()) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};

  QByteArray bytes = file.read(MaxReadBytes + 1);
  if (bytes.size() > MaxReadBytes) {
    // Keep whole lines only, so that a value cut at the limit is not read
    // as a different, shorter value.
    bytes.truncate(MaxReadBytes);
    const qsizetype last_break = bytes.lastIndexOf('\n');
    bytes.truncate(last_break < 0 ? 0 : last_break);
  }
  return FromText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

TProfileFile TProfileFile::FromText(std::string_view text) {
  TProfileFile profile;
  std::string current_section;
  bool in_section = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);

    const std::string_view trimmed = Trim(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      in_section = true;
      current_section = Folded(Trim(trimmed.substr(1, trimmed.find(']') - 1)));
      profile.sections_[current_section];
    } else if (in_section) {
      profile.ParseLine(trimmed, current_section);
    }
  }
  return profile;
}

void TProfileFile::ParseLine(std::string_view line, const std::string& current_section) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view key = Trim(line.substr(0, equals));
  if (key.empty()) return;
  // The first occurrence of a key wins, as the first match of a lookup would.
  sections_[current_section].emplace(Folded(key), std::string(Trim(line.substr(equals + 1))));
}

std::string TProfileFile::ReadText(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(Folded(section));
  if (s == sections_.end()) return {};
  const auto k = s->second.find(Folded(key));
  return k == s->second.end() ? std::string() : k->second;
}

std::int32_t TProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                       std::int32_t fallback) const {
  return ParseProfileInteger(ReadText(section, key)).value_or(fallback);
}

bool TProfileFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

}  // namespace gradoir
