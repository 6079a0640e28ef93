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

namespace probe {

namespace {

// Bitmaps beyond this side are refused rather than allocated.
constexpr std::int32_t kMaxCanvasSide = 32767;

}  // namespace

int runAngle(const Args& args) {
  const ProbeArgs options(args, {"--no-second-side", "--horizontal", "--tracing"},
                          {"--canvas", "--seed", "--measure", "--pencil", "--out"});
  const IntPair canvas = ProbeArgs::parsePair("--canvas", options.required("--canvas"));
  if (canvas.a < 0 || canvas.b < 0 || canvas.a > kMaxCanvasSide || canvas.b > kMaxCanvasSide)
    throw ProbeUsageError("canvas size out of range 0.." + std::to_string(kMaxCanvasSide));
  const std::uint32_t seed = ProbeArgs::parseUnsigned("--seed", options.required("--seed"));
  const std::int32_t measure =
      options.has("--measure") ? ProbeArgs::parseInt("--measure", options.required("--measure")) : 0;
  std::vector<gradoir::Point> pencil;
  for (const std::string& p : options.all("--pencil")) {
    const IntPair xy = ProbeArgs::parsePair("--pencil", p);
    pencil.push_back({xy.a, xy.b});
  }
  const std::string out = options.required("--out");

  gradoir::fillDegreeTables();
  const std::int32_t w = canvas.a, h = canvas.b;
  const gradoir::ScopedSeedProvider fixedSeed([seed] { return seed; });
  // Built exactly as the canvas builds it (magnetised vertex, the default).
  const std::unique_ptr<gradoir::AngleFigure> built = gradoir::newExerciseAngle(
      w, h, measure, true, options.has("--horizontal"), options.has("--no-second-side"));
  gradoir::AngleFigure& angle = *built;
  for (const gradoir::Point& p : pencil) gradoir::applyPencilStep(angle, p);

  gradoir::Bitmap32 picture;
  picture.setBitmapSize(w, h);
  angle.draw(picture, options.has("--tracing"));
  writePng(picture, out);

  std::printf("{\"vertex\":%s,\"first_end\":%s,\"second_end\":%s,\"generated_end\":%s,"
              "\"mark_start\":%s,\"mark_end\":%s,\"measure\":%d}\n",
              jsonPoint(angle.vertex().x, angle.vertex().y).c_str(),
              jsonPoint(angle.firstEnd().x, angle.firstEnd().y).c_str(),
              jsonPoint(angle.secondEnd().x, angle.secondEnd().y).c_str(),
              jsonPoint(angle.generatedEnd().x, angle.generatedEnd().y).c_str(),
              jsonPoint(angle.markStart().x, angle.markStart().y).c_str(),
              jsonPoint(angle.markEnd().x, angle.markEnd().y).c_str(),
              // 181 says "no second side", as outside checks expect.
              static_cast<int>(angle.measure().value_or(181)));
  return 0;
}

}  // namespace probe
