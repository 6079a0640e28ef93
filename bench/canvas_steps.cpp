// The exercise canvas at 1920 x 1080, each pupil step followed by the
// repaint it causes, against a memcpy of one 1920 x 1080 frame measured in
// the same run (bench/run.sh prints step / floor):
//  - move step: the protractor layer moved and its grab zones updated;
//  - rotate step: the protractor redrawn at the next orientation;
//  - pencil step: the pencil's second side set and the angle redrawn with
//    its tracing colour.
// The repaint goes through the widget's own paint handler, rendered into a
// QImage that stands for the window: rebuild of the back buffer, then the
// block copy. The rebuild alone and the copy alone show how a repaint splits.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "canvas/exercise_canvas.h"
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
void ensureApplication() {
  static int argc = 1;
  static char name[] = "canvas_bench";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() != nullptr) return;  // the 4K benches may have made it
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication app(argc, argv);
}

// A canvas with a measuring exercise, protractor centred, and the "window"
// it paints into.
struct Scene {
  ExerciseCanvas canvas;
  QImage window{kWidth, kHeight, QImage::Format_ARGB32_Premultiplied};

  Scene() {
    canvas.resize(kWidth, kHeight);
    const ScopedSeedProvider seed([] { return 20240u; });
    canvas.centerProtractor();
    canvas.newExercise(true, false);
    repaint();
  }

  // What the window system does for the repaint that a step's change
  // notifications asked for: a paint event for the part they asked for.
  void repaint() {
    Rect a;
    if (!canvas.pendingWindowArea(a)) return;
    const QRect part(a.left, a.top, a.right - a.left, a.bottom - a.top);
    canvas.render(&window, part.topLeft(), QRegion(part), QWidget::RenderFlags());
  }
};

void BM_FrameMemcpy(benchmark::State& state) {
  const std::size_t count = static_cast<std::size_t>(kWidth) * kHeight;
  std::vector<Color32> src(count, 0xFF336699), dst(count, 0);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), count * sizeof(Color32));
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FrameMemcpy)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
  ensureApplication();
  Scene scene;
  for (auto _ : state) {
    scene.canvas.invalidateImage();
    scene.repaint();
    benchmark::DoNotOptimize(scene.window.constBits());
  }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

// A whole rebuild alone, without the copy to the window.
void BM_PaintBufferOnly(benchmark::State& state) {
  ensureApplication();
  Scene scene;
  for (auto _ : state) {
    scene.canvas.invalidateImage();
    scene.canvas.paintBuffer();
    benchmark::DoNotOptimize(scene.canvas.buffer().bits());
  }
}
BENCHMARK(BM_PaintBufferOnly)->Unit(benchmark::kMicrosecond);

// The copy to the window alone, the buffer being valid.
void BM_WindowCopyOnly(benchmark::State& state) {
  ensureApplication();
  Scene scene;
  for (auto _ : state) {
    scene.canvas.render(&scene.window, QPoint(), QRegion(), QWidget::RenderFlags());
    benchmark::DoNotOptimize(scene.window.constBits());
  }
}
BENCHMARK(BM_WindowCopyOnly)->Unit(benchmark::kMicrosecond);

void BM_RotateStep(benchmark::State& state) {
  ensureApplication();
  Scene scene;
  std::int32_t orientation = 0;
  for (auto _ : state) {
    scene.canvas.protractor().setOrientation(++orientation % 360);
    scene.canvas.protractor().draw(scene.canvas.protractorLayer().bitmap(), scene.canvas.protractorLayer().location());
    scene.repaint();
  }
}
BENCHMARK(BM_RotateStep)->Unit(benchmark::kMicrosecond);

void BM_PencilStep(benchmark::State& state) {
  ensureApplication();
  Scene scene;
  AngleFigure& angle = *scene.canvas.angle();
  const Point vertex{static_cast<std::int32_t>(angle.vertex().x), static_cast<std::int32_t>(angle.vertex().y)};
  std::int32_t step = 0;
  for (auto _ : state) {
    // The pointer wanders on a small square around a point 200 px away.
    const Point pointer{vertex.x + 200 + (step % 40), vertex.y - 150 + (step / 40 % 40)};
    ++step;
    applyPencilStep(angle, pointer);
    angle.draw(scene.canvas.angleLayer().bitmap(), true);
    scene.canvas.angleLayer().setVisible(true);
    scene.repaint();
  }
}
BENCHMARK(BM_PencilStep)->Unit(benchmark::kMicrosecond);

void BM_MoveStep(benchmark::State& state) {
  ensureApplication();
  Scene scene;
  BitmapLayer& layer = scene.canvas.protractorLayer();
  std::int32_t step = 0;
  for (auto _ : state) {
    const float left = static_cast<float>(700 + step % 100);
    const float top = static_cast<float>(300 + step / 100 % 100);
    ++step;
    layer.setLocation({left, top, left + 482, top + 482});
    scene.canvas.protractor().updateGrabZones(layer.location());
    scene.repaint();
  }
}
BENCHMARK(BM_MoveStep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gradoir
