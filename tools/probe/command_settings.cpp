// gradoir-probe settings --file PATH: the four settings as the program reads
// them from that file, defaults included.
#include <cstdio>
#include <string>

#include <QString>

#include "app/settings.h"
#include "probe_args.h"
#include "probe_commands.h"
#include "probe_output.h"

namespace probe {

int RunSettings(const Args& args) {
  const ProbeArgs options(args, {}, {"--file"});
  const std::string& file = options.Required("--file");
  const gradoir::TSettings s = gradoir::ReadSettings(QString::fromLocal8Bit(file.c_str()));
  std::printf("{\"Mesurer\":%d,\"Tracer\":%d,\"SommetAimante\":%s,\"CoteHorizontal\":%s}\n",
              static_cast<int>(s.MeasureSeriesLength), static_cast<int>(s.DrawSeriesLength),
              JsonBool(s.MagneticVertex).c_str(), JsonBool(s.HorizontalSide).c_str());
  return 0;
}

}  // namespace probe
