// The exercise canvas on a 4K screen of ratio 2: a 1920 x 1080 logical
// window of 3840 x 2160 device pixels, each pupil step followed by the
// repaint it causes, against a memcpy of one 3840 x 2160 frame measured in
// the same run (bench/run.sh prints step / floor). The steps are those of
// canvas_steps.cpp, in device pixels.
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

constexpr int kWidth = 1920;  // logical
constexpr int kHeight = 1080;
constexpr double kScale = 2.0;
constexpr int kDeviceWidth = 3840;
constexpr int kDeviceHeight = 2160;

void ensureApplication4k() { bench::ensureApplication(); }

// A measuring exercise drawn at ratio 2, and the window it paints into: an
// image of the window's device pixels, which the widget paints in logical
// coordinates as it paints a window.
struct Scene4k : bench::CanvasScene {
  Scene4k() : CanvasScene(kWidth, kHeight, kScale) {}
};

void BM_FrameMemcpy4k(benchmark::State& state) {
  bench::frameMemcpy(state, static_cast<std::size_t>(kDeviceWidth) * kDeviceHeight);
}
BENCHMARK(BM_FrameMemcpy4k)->Unit(benchmark::kMicrosecond);

void BM_MoveStep4k(benchmark::State& state) {
  ensureApplication4k();
  Scene4k scene;
  BitmapLayer& layer = scene.canvas.protractorLayer();
  const float side = static_cast<float>(2 * scene.canvas.protractor().radius() + 2);
  std::int32_t step = 0;
  for (auto _ : state) {
    // The pointer moves a device pixel or two per event, as a 1-logical-px
    // pointer step makes it.
    const float left = static_cast<float>(1400 + 2 * (step % 100));
    const float top = static_cast<float>(600 + 2 * (step / 100 % 100));
    ++step;
    layer.setLocation({left, top, left + side, top + side});
    scene.canvas.protractor().updateGrabZones(layer.location());
    scene.repaint();
  }
}
BENCHMARK(BM_MoveStep4k)->Unit(benchmark::kMicrosecond);

void BM_RotateStep4k(benchmark::State& state) {
  ensureApplication4k();
  Scene4k scene;
  std::int32_t orientation = 0;
  for (auto _ : state) {
    scene.canvas.protractor().setOrientation(++orientation % 360);
    scene.canvas.protractor().draw(scene.canvas.protractorLayer().bitmap(), scene.canvas.protractorLayer().location());
    scene.repaint();
  }
}
BENCHMARK(BM_RotateStep4k)->Unit(benchmark::kMicrosecond);

void BM_PencilStep4k(benchmark::State& state) {
  ensureApplication4k();
  Scene4k scene;
  AngleFigure& angle = *scene.canvas.angle();
  const Point vertex{static_cast<std::int32_t>(angle.vertex().x), static_cast<std::int32_t>(angle.vertex().y)};
  std::int32_t step = 0;
  for (auto _ : state) {
    // The pointer wanders on a small square around a point 400 device px away.
    const Point pointer{vertex.x + 400 + 2 * (step % 40), vertex.y - 300 + 2 * (step / 40 % 40)};
    ++step;
    applyPencilStep(angle, pointer);
    angle.draw(scene.canvas.angleLayer().bitmap(), true, kScale);
    scene.canvas.angleLayer().setVisible(true);
    scene.repaint();
  }
}
BENCHMARK(BM_PencilStep4k)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gradoir
