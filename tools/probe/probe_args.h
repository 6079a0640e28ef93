#pragma once
// Command-line parsing for gradoir-probe. Any bad argument throws ProbeUsageError,
// which main() turns into a one-line message on stderr and exit status 2.
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace probe {

class ProbeUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct IntPair {
  std::int32_t a = 0;
  std::int32_t b = 0;
};

// Options of one command: "--name value" pairs and bare "--flag"s. Options
// that may repeat (--pencil) keep every value in order.
class ProbeArgs {
 public:
  // flags: options without a value; valued: options with one value.
  ProbeArgs(const std::vector<std::string>& args, const std::vector<std::string>& flags,
            const std::vector<std::string>& valued);

  bool has(const std::string& name) const;
  const std::string& required(const std::string& name) const;
  const std::vector<std::string>& all(const std::string& name) const;

  static std::int32_t parseInt(const std::string& option, const std::string& text);
  static std::uint32_t parseUnsigned(const std::string& option, const std::string& text);
  // "A,B" with two whole numbers.
  static IntPair parsePair(const std::string& option, const std::string& text);

 private:
  std::map<std::string, std::vector<std::string>> m_values;
};

}  // namespace probe
