// gradoir-probe protractor: the protractor drawn at an orientation into its
// layer at location (0, 0), with its grab zones.
#include <cstdio>
#include <string>

#include "figures/degrees.h"
#include "figures/protractor.h"
#include "probe_args.h"
#include "probe_commands.h"
#include "probe_output.h"
#include "view/layers.h"

namespace probe {

namespace {

constexpr std::int32_t kDefaultRadius = 240;
// Radii beyond this would ask for a bitmap of hundreds of megabytes.
constexpr std::int32_t kMaxRadius = 4096;

}  // namespace

int runProtractor(const Args& args) {
  const ProbeArgs options(args, {"--no-inner-scale"}, {"--orientation", "--radius", "--out"});
  const std::int32_t orientation = ProbeArgs::parseInt("--orientation", options.required("--orientation"));
  const std::int32_t radius =
      options.has("--radius") ? ProbeArgs::parseInt("--radius", options.required("--radius")) : kDefaultRadius;
  if (radius < 0 || radius > kMaxRadius)
    throw ProbeUsageError("radius out of range 0.." + std::to_string(kMaxRadius));
  const std::string out = options.required("--out");

  gradoir::fillDegreeTables();
  gradoir::Protractor protractor(radius, !options.has("--no-inner-scale"));
  protractor.setOrientation(orientation);

  gradoir::LayerStack layers(nullptr);
  gradoir::BitmapLayer layer(&layers);
  const float side = 2.0f * static_cast<float>(radius) + 2.0f;
  layer.setLocation({0, 0, side, side});
  protractor.draw(layer.bitmap(), layer.location());
  writePng(layer.bitmap(), out);

  std::string zones;
  for (const gradoir::GrabZone zone : gradoir::kGrabZones)
    zones += (zones.empty() ? "" : ",") + jsonRect(protractor.grabZone(zone));
  std::printf("{\"grab_zones\":[%s]}\n", zones.c_str());
  return 0;
}

}  // namespace probe
