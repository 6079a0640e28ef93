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

  bool Has(const std::string& name) const;
  const std::string& Required(const std::string& name) const;
  const std::vector<std::string>& All(const std::string& name) const;

  static std::int32_t ParseInt(const std::string& option, const std::string& text);
  static std::uint32_t ParseUnsigned(const std::string& option, const std::string& text);
  // "A,B" with two whole numbers.
  static IntPair ParsePair(const std::string& option, const std::string& text);

 private:
  std::map<std::string, std::vector<std::string>> values_;
};

}  // namespace probe
