// gradoir-probe angle: the angle of an exercise, built as the canvas builds
// it for a W x H canvas from a given seed, traced with the pencil and drawn.
#include <cstdio>
#include <memory>
#include <string>

#include "figures/angle.h"
#include "figures/degrees.h"
#include "figures/exercise_angle.h"
#include "figures/pencil.h"
#include "figures/random_source.h"
#include "probe_args.h"
#include "probe_commands.h"
#include "probe_output.h"
#include "raster/layers.h"

namespace probe {

namespace {

// Bitmaps beyond this side are refused rather than allocated.
constexpr std::int32_t kMaxCanvasSide = 32767;

}  // namespace

int RunAngle(const Args& args) {
  const ProbeArgs options(args, {"--no-second-side", "--horizontal", "--tracing"},
                          {"--canvas", "--seed", "--measure", "--pencil", "--out"});
  const IntPair canvas = ProbeArgs::ParsePair("--canvas", options.Required("--canvas"));
  if (canvas.a < 0 || canvas.b < 0 || canvas.a > kMaxCanvasSide || canvas.b > kMaxCanvasSide)
    throw ProbeUsageError("canvas size out of range 0.." + std::to_string(kMaxCanvasSide));
  const std::uint32_t seed = ProbeArgs::ParseUnsigned("--seed", options.Required("--seed"));
  const std::int32_t measure =
      options.Has("--measure") ? ProbeArgs::ParseInt("--measure", options.Required("--measure")) : 0;
  std::vector<gradoir::TPoint> pencil;
  for (const std::string& p : options.All("--pencil")) {
    const IntPair xy = ProbeArgs::ParsePair("--pencil", p);
    pencil.push_back({xy.a, xy.b});
  }
  const std::string out = options.Required("--out");

  gradoir::FillDegreeTables();
  const std::int32_t w = canvas.a, h = canvas.b;
  const gradoir::TScopedSeedProvider fixed_seed([seed] { return seed; });
  // Built exactly as the canvas builds it (magnetised vertex, the default).
  const std::unique_ptr<gradoir::TAngle> built = gradoir::NewExerciseAngle(
      w, h, measure, true, options.Has("--horizontal"), options.Has("--no-second-side"));
  gradoir::TAngle& angle = *built;
  for (const gradoir::TPoint& p : pencil) gradoir::ApplyPencilStep(angle, p);

  // A layer of its own, outside any widget.
  gradoir::TLayerCollection layers(nullptr);
  gradoir::TBitmapLayer layer(&layers);
  layer.SetLocation({0, 0, static_cast<float>(w), static_cast<float>(h)});
  layer.Bitmap().SetBitmapSize(w, h);
  angle.Draw(layer, options.Has("--tracing"));
  WritePng(layer.Bitmap(), out);

  std::printf("{\"vertex\":%s,\"first_end\":%s,\"second_end\":%s,\"generated_end\":%s,"
              "\"mark_start\":%s,\"mark_end\":%s,\"measure\":%d}\n",
              JsonPoint(angle.Vertex.X, angle.Vertex.Y).c_str(),
              JsonPoint(angle.FirstEnd.X, angle.FirstEnd.Y).c_str(),
              JsonPoint(angle.SecondEnd.X, angle.SecondEnd.Y).c_str(),
              JsonPoint(angle.GeneratedEnd.X, angle.GeneratedEnd.Y).c_str(),
              JsonPoint(angle.MarkStart.X, angle.MarkStart.Y).c_str(),
              JsonPoint(angle.MarkEnd.X, angle.MarkEnd.Y).c_str(), angle.Measure);
  return 0;
}

}  // namespace probe
