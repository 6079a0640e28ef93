// gradoir-probe canvas: the exercise canvas built offscreen at W x H and
// started as the main window starts an exercise, from a given seed; writes
// the picture the canvas would copy to its window.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "canvas/grado_img32.h"
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
void CopyClientArea(const gradoir::TBitmap32& buffer, std::int32_t w, std::int32_t h,
                    gradoir::TBitmap32& out) {
  out.SetBitmapSize(std::min(w, buffer.Width()), std::min(h, buffer.Height()));
  for (std::int32_t y = 0; y < out.Height(); ++y)
    std::memcpy(out.RowStart(y), buffer.RowStart(y), static_cast<std::size_t>(out.Width()) * 4);
}

}  // namespace

int RunCanvas(const Args& args) {
  const ProbeArgs options(args, {"--drawing", "--hide-protractor"}, {"--canvas", "--seed", "--out"});
  const IntPair size = ProbeArgs::ParsePair("--canvas", options.Required("--canvas"));
  if (size.a < 0 || size.b < 0 || size.a > kMaxCanvasSide || size.b > kMaxCanvasSide)
    throw ProbeUsageError("canvas size out of range 0.." + std::to_string(kMaxCanvasSide));
  const std::uint32_t seed = ProbeArgs::ParseUnsigned("--seed", options.Required("--seed"));
  const std::string out = options.Required("--out");
  const bool drawing = options.Has("--drawing");

  gradoir::TGradoImg32 canvas;
  canvas.resize(size.a, size.b);
  const gradoir::TScopedSeedProvider fixed_seed([seed] { return seed; });
  // As the main window starts an exercise: the pencil mode is on during
  // NewExercise for a drawing exercise, so the second side is left out.
  canvas.SetMode(drawing ? gradoir::aDraw : gradoir::aMesure);
  canvas.CenterProtractor();
  canvas.NewExercise(kMagneticVertex, kHorizontalSide);
  canvas.SetMode(gradoir::aMesure);
  const std::int32_t measure = canvas.AngleMeasure();
  if (options.Has("--hide-protractor")) canvas.HideProtractor();

  canvas.ValidateBuffer();
  gradoir::TBitmap32 picture;
  CopyClientArea(canvas.Buffer(), size.a, size.b, picture);
  WritePng(picture, out);

  gradoir::TRect first, second;
  canvas.GetSideBounds(first, second);
  std::printf("{\"protractor_location\":%s,\"measure\":%d,\"side_bounds\":[%s,%s]}\n",
              JsonRect(canvas.ProtractorLayer().Location()).c_str(), static_cast<int>(measure),
              JsonRect(first).c_str(), JsonRect(second).c_str());
  return 0;
}

}  // namespace probe
