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

#include "bench/canvas_scene.h"
#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/pencil.h"
#include "figures/protractor.h"
#include "figures/random_source.h"

namespace gradoir {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

using bench::ensureApplication;

// A canvas with a measuring exercise, protractor centred, and the "window"
// it paints into.
struct Scene : bench::CanvasScene {
  Scene() : CanvasScene(kWidth, kHeight, 1.0) {}
};

void BM_FrameMemcpy(benchmark::State& state) { bench::frameMemcpy(state, std::size_t{kWidth} * kHeight); }
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
    scene.canvas.compositor().rebuild();
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
