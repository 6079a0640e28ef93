// The exercise canvas at 1920 x 1080, each pupil step followed by the
// repaint it causes, against a memcpy of one 1920 x 1080 frame measured in
// the same run. Compare per-iteration times (step / floor).
//
// The repaint goes through the widget's own paint handler, rendered into a
// QImage that stands for the window: rebuild of the back buffer, then the
// block copy.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "canvas/grado_img32.h"
#include "figures/angle.h"
#include "figures/pencil.h"
#include "figures/protractor.h"
#include "figures/random_source.h"

namespace gradoir {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Widgets need an application; benchmark_main owns main(), so it is made on
// first use and lives until the program ends.
void EnsureApplication() {
  static int argc = 1;
  static char name[] = "canvas_bench";
  static char* argv[] = {name, nullptr};
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication app(argc, argv);
}

// A canvas with a measuring exercise, protractor centred, and the "window"
// it paints into.
struct Scene {
  TGradoImg32 canvas;
  QImage window{kWidth, kHeight, QImage::Format_ARGB32_Premultiplied};

  Scene() {
    canvas.resize(kWidth, kHeight);
    const TScopedSeedProvider seed([] { return 20240u; });
    canvas.CenterProtractor();
    canvas.NewExercise(true, false);
    Repaint();
  }

  void Repaint() {
    canvas.InvalidateImage();
    canvas.render(&window, QPoint(), QRegion(), QWidget::RenderFlags());
  }
};

void BM_FrameMemcpy(benchmark::State& state) {
  const std::size_t count = static_cast<std::size_t>(kWidth) * kHeight;
  std::vector<TColor32> src(count, 0xFF336699), dst(count, 0);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), count * sizeof(TColor32));
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FrameMemcpy)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
  EnsureApplication();
  Scene scene;
  for (auto _ : state) {
    scene.Repaint();
    benchmark::DoNotOptimize(scene.window.constBits());
  }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

// The rebuild alone, without the copy to the window: how the repaint splits.
void BM_PaintBufferOnly(benchmark::State& state) {
  EnsureApplication();
  Scene scene;
  for (auto _ : state) {
    scene.canvas.PaintBuffer();
    benchmark::DoNotOptimize(scene.canvas.Buffer().Bits());
  }
}
BENCHMARK(BM_PaintBufferOnly)->Unit(benchmark::kMicrosecond);

void BM_RotateStep(benchmark::State& state) {
  EnsureApplication();
  Scene scene;
  std::int32_t orientation = 0;
  for (auto _ : state) {
    scene.canvas.Protractor().Orientation = ++orientation % 360;
    scene.canvas.Protractor().Draw(scene.canvas.ProtractorLayer());
    scene.Repaint();
  }
}
BENCHMARK(BM_RotateStep)->Unit(benchmark::kMicrosecond);

void BM_PencilStep(benchmark::State& state) {
  EnsureApplication();
  Scene scene;
  TAngle& angle = *scene.canvas.Angle();
  const TPoint vertex{static_cast<std::int32_t>(angle.Vertex.X), static_cast<std::int32_t>(angle.Vertex.Y)};
  std::int32_t step = 0;
  for (auto _ : state) {
    // The pointer wanders on a small square around a point 200 px away.
    const TPoint pointer{vertex.X + 200 + (step % 40), vertex.Y - 150 + (step / 40 % 40)};
    ++step;
    ApplyPencilStep(angle, pointer);
    angle.Draw(scene.canvas.AngleLayer(), true);
    scene.Repaint();
  }
}
BENCHMARK(BM_PencilStep)->Unit(benchmark::kMicrosecond);

void BM_MoveStep(benchmark::State& state) {
  EnsureApplication();
  Scene scene;
  TBitmapLayer& layer = scene.canvas.ProtractorLayer();
  std::int32_t step = 0;
  for (auto _ : state) {
    const float left = static_cast<float>(700 + step % 100);
    const float top = static_cast<float>(300 + step / 100 % 100);
    ++step;
    layer.SetLocation({left, top, left + 482, top + 482});
    scene.canvas.Protractor().UpdateGrabZones(layer);
    scene.Repaint();
  }
}
BENCHMARK(BM_MoveStep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gradoir
