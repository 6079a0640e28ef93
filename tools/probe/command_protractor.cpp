// gradoir-probe protractor: the protractor drawn at an orientation into its
// layer at location (0, 0), with its grab zones.
#include <cstdio>
#include <string>

#include "figures/degrees.h"
#include "figures/protractor.h"
#include "probe_args.h"
#include "probe_commands.h"
#include "probe_output.h"
#include "raster/layers.h"

namespace probe {

namespace {

constexpr std::int32_t kDefaultRadius = 240;
// Radii beyond this would ask for a bitmap of hundreds of megabytes.
constexpr std::int32_t kMaxRadius = 4096;

}  // namespace

int RunProtractor(const Args& args) {
  const ProbeArgs options(args, {"--no-inner-scale"}, {"--orientation", "--radius", "--out"});
  const std::int32_t orientation = ProbeArgs::ParseInt("--orientation", options.Required("--orientation"));
  const std::int32_t radius =
      options.Has("--radius") ? ProbeArgs::ParseInt("--radius", options.Required("--radius")) : kDefaultRadius;
  if (radius < 0 || radius > kMaxRadius)
    throw ProbeUsageError("radius out of range 0.." + std::to_string(kMaxRadius));
  const std::string out = options.Required("--out");

  gradoir::FillDegreeTables();
  gradoir::TGradoir protractor(radius, !options.Has("--no-inner-scale"));
  protractor.Orientation = orientation;

  gradoir::TLayerCollection layers(nullptr);
  gradoir::TBitmapLayer layer(&layers);
  const float side = 2.0f * static_cast<float>(radius) + 2.0f;
  layer.SetLocation({0, 0, side, side});
  protractor.Draw(layer);
  WritePng(layer.Bitmap(), out);

  std::string zones;
  for (std::uint8_t zone = gradoir::TGradoir::kZeroEnd; zone <= gradoir::TGradoir::kEnd180; ++zone)
    zones += (zones.empty() ? "" : ",") + JsonRect(protractor.GrabZones[zone]);
  std::printf("{\"grab_zones\":[%s]}\n", zones.c_str());
  return 0;
}

}  // namespace probe
