// The figures' drawing against floors measured in the same run; compare the
// per-iteration times of each case with its floor (case / floor).
//
//  - Protractor Draw (482 x 482, 181 graduations, 38 labels) at a different
//    pseudo-random orientation each iteration, beside std::fill of the same
//    482 x 482 words.
//  - Angle Draw on a 1920 x 1080 layer, with and without tracing, beside
//    std::fill of the same 1920 x 1080 words.
//  - drawRotatedText of "180" at 10 points, turned by 37 degrees, beside
//    std::fill of a block the size of its label.
//  - Building an angle on a 1920 x 1080 canvas, and on a 100 x 100 canvas
//    where no placement fits, so every bounded attempt is made before the
//    fallback: the cost of the bound.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "figures/angle.h"
#include "figures/degrees.h"
#include "figures/protractor.h"
#include "figures/random_source.h"
#include "figures/rotated_text.h"
#include "view/layers.h"

namespace gradoir {
namespace {

constexpr int kFrameWidth = 1920;
constexpr int kFrameHeight = 1080;
constexpr int kDial = 482;

// The labels need fonts, hence an application; benchmark_main owns main(),
// so it is made on first use (once for the whole program) and lives until
// the program ends.
void ensureApplication() {
  static int argc = 1;
  static char name[] = "figures_bench";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(argc, argv);
  }
  fillDegreeTables();
}

void fillFloor(benchmark::State& state, std::size_t words) {
  std::vector<Color32> pixels(words);
  Color32 color = 0xFFFFFFFF;
  for (auto _ : state) {
    std::fill(pixels.begin(), pixels.end(), color);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
    color ^= 1;
  }
}

void BM_ProtractorFloor_Fill482(benchmark::State& state) { fillFloor(state, std::size_t{kDial} * kDial); }

void BM_ProtractorDraw(benchmark::State& state) {
  ensureApplication();
  Bitmap32 bitmap;
  Protractor protractor(240, true);
  RandomSource random(2024);
  for (auto _ : state) {
    // Orientations as the turning pointer makes them: -180..360.
    protractor.setOrientation(static_cast<std::int32_t>(random.below(541)) - 180);
    protractor.draw(bitmap, {0, 0, kDial, kDial});
    benchmark::DoNotOptimize(bitmap.bits());
  }
}

// The same redraws on a screen of ratio 2: a 964 x 964 device-pixel dial.
void BM_ProtractorDrawX2(benchmark::State& state) {
  ensureApplication();
  Bitmap32 bitmap;
  Protractor protractor(240, true, 2.0);
  const float side = static_cast<float>(2 * protractor.radius() + 2);
  RandomSource random(2024);
  for (auto _ : state) {
    protractor.setOrientation(static_cast<std::int32_t>(random.below(541)) - 180);
    protractor.draw(bitmap, {0, 0, side, side});
    benchmark::DoNotOptimize(bitmap.bits());
  }
}

void BM_AngleFloor_Fill1920x1080(benchmark::State& state) {
  fillFloor(state, std::size_t{kFrameWidth} * kFrameHeight);
}

void angleDraw(benchmark::State& state, bool tracing) {
  ensureApplication();
  Bitmap32 bitmap;
  bitmap.setBitmapSize(kFrameWidth, kFrameHeight);
  const ScopedSeedProvider seed([] { return 31337u; });
  const AngleFigure angle({0, 0}, {30, 30, kFrameWidth - 10, kFrameHeight - 10}, 250, 260, 30, 0, true, false, false);
  for (auto _ : state) {
    angle.draw(bitmap, tracing);
    benchmark::DoNotOptimize(bitmap.bits());
  }
}

void BM_AngleDraw(benchmark::State& state) { angleDraw(state, false); }
void BM_AngleDrawTracing(benchmark::State& state) { angleDraw(state, true); }

void BM_RotatedTextFloor_FillLabel(benchmark::State& state) {
  ensureApplication();
  Bitmap32 label;
  label.font().setName("Verdana");
  label.font().setSize(10);
  const std::size_t words =
      static_cast<std::size_t>(label.textPixelWidth("180") + 1) * static_cast<std::size_t>(label.textPixelHeight("180"));
  state.counters["label_words"] = static_cast<double>(words);
  fillFloor(state, words);
}

void BM_RotatedText180(benchmark::State& state) {
  ensureApplication();
  Bitmap32 target;
  target.setBitmapSize(64, 64);
  target.fillAll(0xFFFFFFFF);
  for (auto _ : state) {
    drawRotatedText(target, {32, 32}, 37, 10, 0x808000, "180");
    benchmark::DoNotOptimize(target.bits());
  }
}

void constructAngle(benchmark::State& state, int w, int h) {
  std::uint32_t seed = 1;
  for (auto _ : state) {
    const ScopedSeedProvider fixed([seed] { return seed; });
    const AngleFigure angle({0, 0}, {30, 30, w - 10, h - 10}, 250, 260, 30, 0, true, false, false);
    benchmark::DoNotOptimize(angle.secondEnd());
    seed = seed * 2654435761u + 1;
  }
}

void BM_AngleConstruct1920x1080(benchmark::State& state) { constructAngle(state, kFrameWidth, kFrameHeight); }
void BM_AngleConstructUnplaceable100x100(benchmark::State& state) { constructAngle(state, 100, 100); }

BENCHMARK(BM_ProtractorFloor_Fill482);
BENCHMARK(BM_ProtractorDraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProtractorDrawX2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AngleFloor_Fill1920x1080)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AngleDraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AngleDrawTracing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RotatedTextFloor_FillLabel);
BENCHMARK(BM_RotatedText180);
BENCHMARK(BM_AngleConstruct1920x1080);
BENCHMARK(BM_AngleConstructUnplaceable100x100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gradoir
