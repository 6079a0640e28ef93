#pragma once
// The program's own reader of sections-and-keys text files ("[Section]" lines
// followed by "Key=Value" lines). Section names and keys match whatever their
// letter case, blanks around keys and values are ignored, and a "/" in a
// section name is an ordinary character.
//
// A line ends at LF; a CR is a blank, so CR LF line ends read like LF ones,
// while a file whose lines end with CR alone is one single line (its first
// "[Section]" is all that counts, and no key is read from it). A UTF-8
// byte-order mark (EF BB BF) at the very start of the text is skipped;
// anywhere else those bytes are ordinary characters.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

namespace gradoir {

// Converts profile text to a signed 32-bit integer: leading blanks, an
// optional sign, then decimal digits or "$" and hexadecimal digits. "0x" and
// "0X" stand for "$" only as the very first characters of a text longer than
// two characters, so they take neither a sign nor blanks before them ("-0x10"
// and " 0x10" give no value, "-$10" is -16). Hexadecimal gives a 32-bit
// pattern ("$FFFFFFFF" is -1). Anything else, no digits at all, or a value
// beyond 32 bits gives no value.
std::optional<std::int32_t> parseProfileInteger(std::string_view text);

class IniFile {
 public:
  // No file is read beyond this many bytes, so that a huge or endless file
  // cannot stall the start-up.
  static constexpr std::int64_t kMaxReadBytes = 1 << 20;

  IniFile() = default;

  // Parses the file at `path`. A file that is missing, unreadable, not a
  // regular file (a directory, a pipe, a device) gives an empty profile.
  static IniFile load(const QString& path);
  // Parses the whole text of a file.
  static IniFile fromText(std::string_view text);

  // The value of `key` in `section`, empty when either is missing.
  std::string readText(std::string_view section, std::string_view key) const;
  // The value converted by parseProfileInteger, or `fallback`.
  std::int32_t readInteger(std::string_view section, std::string_view key,
                           std::int32_t fallback) const;
  // readInteger with 1 or 0 as its fallback; any non-zero integer is true.
  bool readBool(std::string_view section, std::string_view key, bool fallback) const;

  // Each section header (with an empty key) and each key line, as written
  // and in file order: what a check names back to the teacher.
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
  };
  const std::vector<Entry>& entries() const { return m_written; }

 private:
  void parseLine(std::string_view line, const std::string& currentSection, const std::string& writtenSection);

  // Lower-cased section -> lower-cased key -> value as written.
  std::map<std::string, std::map<std::string, std::string>> m_sections;
  std::vector<Entry> m_written;
};

}  // namespace gradoir
