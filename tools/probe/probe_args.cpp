#include "probe_args.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>

namespace probe {

ProbeArgs::ProbeArgs(const std::vector<std::string>& args, const std::vector<std::string>& flags,
                     const std::vector<std::string>& valued) {
  auto is = [](const std::vector<std::string>& list, const std::string& s) {
    return std::find(list.begin(), list.end(), s) != list.end();
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (is(flags, a)) {
      m_values[a].push_back("");
    } else if (is(valued, a)) {
      if (i + 1 >= args.size()) throw ProbeUsageError("missing value after " + a);
      m_values[a].push_back(args[++i]);
    } else {
      throw ProbeUsageError("unknown argument '" + a + "'");
    }
  }
}

bool ProbeArgs::has(const std::string& name) const { return m_values.count(name) != 0; }

const std::string& ProbeArgs::required(const std::string& name) const {
  auto it = m_values.find(name);
  if (it == m_values.end()) throw ProbeUsageError("missing required option " + name);
  return it->second.back();
}

const std::vector<std::string>& ProbeArgs::all(const std::string& name) const {
  static const std::vector<std::string> none;
  auto it = m_values.find(name);
  return it == m_values.end() ? none : it->second;
}

namespace {
long long parseWhole(const std::string& option, const std::string& text) {
  if (text.empty()) throw ProbeUsageError("empty value for " + option);
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || end == text.c_str() || *end != '\0')
    throw ProbeUsageError("not a whole number for " + option + ": '" + text + "'");
  return v;
}
}  // namespace

std::int32_t ProbeArgs::parseInt(const std::string& option, const std::string& text) {
  long long v = parseWhole(option, text);
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    throw ProbeUsageError("value out of range for " + option + ": '" + text + "'");
  return static_cast<std::int32_t>(v);
}

std::uint32_t ProbeArgs::parseUnsigned(const std::string& option, const std::string& text) {
  long long v = parseWhole(option, text);
  if (v < 0 || v > std::numeric_limits<std::uint32_t>::max())
    throw ProbeUsageError("value out of range for " + option + ": '" + text + "'");
  return static_cast<std::uint32_t>(v);
}

IntPair ProbeArgs::parsePair(const std::string& option, const std::string& text) {
  auto comma = text.find(',');
  if (comma == std::string::npos) throw ProbeUsageError("expected A,B for " + option + ": '" + text + "'");
  return {parseInt(option, text.substr(0, comma)), parseInt(option, text.substr(comma + 1))};
}

}  // namespace probe
