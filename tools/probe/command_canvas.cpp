// gradoir-probe canvas: the exercise canvas built offscreen at W x H and
// started as the main window starts an exercise, from a given seed; writes
// the picture the canvas would copy to its window.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "canvas/exercise_canvas.h"
#include "figures/random_source.h"
#include "probe_args.h"
#include "probe_commands.h"
#include "probe_output.h"

namespace probe {

namespace {

// Bitmaps beyond this side are refused rather than allocated.
constexpr std::int32_t kMaxCanvasSide = 32767;
// The settings' defaults: magnetised vertex on, first side not horizontal.
constexpr bool kMagneticVertex = true;
constexpr bool kHorizontalSide = false;

// The client-area part of the back buffer (which may be larger by its
// slack, though never for a freshly built canvas).
void copyClientArea(const gradoir::Bitmap32& buffer, std::int32_t w, std::int32_t h,
                    gradoir::Bitmap32& out) {
  out.setBitmapSize(std::min(w, buffer.width()), std::min(h, buffer.height()));
  for (std::int32_t y = 0; y < out.height(); ++y)
    std::memcpy(out.rowStart(y), buffer.rowStart(y), static_cast<std::size_t>(out.width()) * 4);
}

}  // namespace

int runCanvas(const Args& args) {
  const ProbeArgs options(args, {"--drawing", "--hide-protractor"}, {"--canvas", "--seed", "--out"});
  const IntPair size = ProbeArgs::parsePair("--canvas", options.required("--canvas"));
  if (size.a < 0 || size.b < 0 || size.a > kMaxCanvasSide || size.b > kMaxCanvasSide)
    throw ProbeUsageError("canvas size out of range 0.." + std::to_string(kMaxCanvasSide));
  const std::uint32_t seed = ProbeArgs::parseUnsigned("--seed", options.required("--seed"));
  const std::string out = options.required("--out");
  const bool drawing = options.has("--drawing");

  gradoir::ExerciseCanvas canvas;
  // W x H pixels whatever the screen settings (QT_SCALE_FACTOR) say.
  canvas.setDeviceScaleOverride(1.0);
  canvas.resize(size.a, size.b);
  const gradoir::ScopedSeedProvider fixedSeed([seed] { return seed; });
  // As the main window starts an exercise: the pencil mode is on during
  // newExercise for a drawing exercise, so the second side is left out.
  canvas.setMode(drawing ? gradoir::CanvasTool::Pencil : gradoir::CanvasTool::Protractor);
  canvas.centerProtractor();
  canvas.newExercise(kMagneticVertex, kHorizontalSide);
  canvas.setMode(gradoir::CanvasTool::Protractor);
  // The probe's JSON says 181 for "no second side", as outside checks expect.
  const std::int32_t measure = canvas.angleMeasure().value_or(181);
  if (options.has("--hide-protractor")) canvas.hideProtractor();

  canvas.validateBuffer();
  gradoir::Bitmap32 picture;
  copyClientArea(canvas.buffer(), size.a, size.b, picture);
  writePng(picture, out);

  const auto [first, second] = canvas.sideBounds();
  std::printf("{\"protractor_location\":%s,\"measure\":%d,\"side_bounds\":[%s,%s]}\n",
              jsonRect(canvas.protractorLayer().location()).c_str(), static_cast<int>(measure),
              jsonRect(first).c_str(), jsonRect(second).c_str());
  return 0;
}

}  // namespace probe
