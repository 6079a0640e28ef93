// gradoir-probe settings --file PATH: the four settings the program has
// always had, as it reads them from that file, defaults included.
#include <cstdio>
#include <string>
#include <string_view>

#include <QString>

#include "settings/setting_keys.h"
#include "probe_args.h"
#include "probe_commands.h"
#include "probe_output.h"

namespace probe {

namespace {

// The probe's fixed answer: these keys, in this order.
constexpr std::string_view kProbedKeys[] = {"Mesurer", "Tracer", "SommetAimante", "CoteHorizontal"};

std::string jsonValue(const gradoir::SettingValue& value) {
  if (const auto* on = std::get_if<bool>(&value)) return jsonBool(*on);
  return std::to_string(std::get<std::int32_t>(value));
}

}  // namespace

int runSettings(const Args& args) {
  const ProbeArgs options(args, {}, {"--file"});
  const std::string& file = options.required("--file");
  const gradoir::AllSettings all = gradoir::readAllSettings(QString::fromLocal8Bit(file.c_str()));
  std::string json = "{";
  for (const std::string_view name : kProbedKeys) {
    const gradoir::SettingKey& key = *gradoir::findSettingKey(name);
    if (json.size() > 1) json += ',';
    json += '"' + std::string(name) + "\":" + jsonValue(gradoir::settingValue(key, all));
  }
  std::printf("%s}\n", json.c_str());
  return 0;
}

}  // namespace probe
