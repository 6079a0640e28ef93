// gradoir-probe settings --file PATH: the four settings as the program reads
// them from that file, defaults included.
#include <cstdio>
#include <string>

#include <QString>

#include "settings/settings.h"
#include "probe_args.h"
#include "probe_commands.h"
#include "probe_output.h"

namespace probe {

int runSettings(const Args& args) {
  const ProbeArgs options(args, {}, {"--file"});
  const std::string& file = options.required("--file");
  const gradoir::Settings s = gradoir::readSettings(QString::fromLocal8Bit(file.c_str()));
  std::printf("{\"Mesurer\":%d,\"Tracer\":%d,\"SommetAimante\":%s,\"CoteHorizontal\":%s}\n",
              static_cast<int>(s.measureSeriesLength), static_cast<int>(s.drawSeriesLength),
              jsonBool(s.magneticVertex).c_str(), jsonBool(s.horizontalSide).c_str());
  return 0;
}

}  // namespace probe
