#pragma once
// What the canvas benchmarks share: the application widgets need, a canvas
// with a measuring exercise and the "window" it paints into, and the floor
// every step is compared with (a memcpy of one frame of the same pixels).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "canvas/exercise_canvas.h"
#include "figures/random_source.h"
#include "raster/types.h"

namespace gradoir::bench {

// Widgets need an application; benchmark_main owns main(), so it is made on
// first use and lives until the program ends.
inline void ensureApplication() {
  static int argc = 1;
  static char name[] = "canvas_bench";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication app(argc, argv);
}

// A canvas of width x height logical pixels at a device ratio, protractor
// centred, and an image of the window's device pixels that the widget paints
// into as it paints a window.
struct CanvasScene {
  ExerciseCanvas canvas;
  QImage window;

  CanvasScene(int width, int height, double scale)
      : window(static_cast<int>(width * scale), static_cast<int>(height * scale),
               QImage::Format_ARGB32_Premultiplied) {
    if (scale != 1.0) {
      window.setDevicePixelRatio(scale);
      canvas.setDeviceScaleOverride(scale);
    }
    canvas.resize(width, height);
    const ScopedSeedProvider seed([] { return 20240u; });
    canvas.centerProtractor();
    canvas.newExercise(true, false);
    canvas.invalidateImage();
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

// The floor: one frame of `pixels` copied with memcpy.
inline void frameMemcpy(benchmark::State& state, std::size_t pixels) {
  std::vector<Color32> src(pixels, 0xFF336699), dst(pixels, 0);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), pixels * sizeof(Color32));
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace gradoir::bench
