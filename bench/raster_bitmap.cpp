// Bitmap fills and anti-aliased lines against floors measured in the same
// run. Each engine case carries a counter "x_floor": its CPU time per
// iteration divided by that of its floor, which runs just before it.
//
//  - fillAll of a 1920 x 1080 bitmap beside std::fill of the same words.
//  - 181 protractor graduations (smoothLine, 12 to 28 px) beside a floor of
//    the same sample count that does the least any such line must do: step
//    the position in float and store the four pixels of each sample's
//    2 x 2 block, with no weights and no blending.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "raster/bitmap32.h"

namespace gradoir {
namespace {

constexpr std::int32_t kFrameWidth = 1920;
constexpr std::int32_t kFrameHeight = 1080;
constexpr std::int32_t kDial = 482;  // protractor bitmap, 2 * radius + margins
constexpr float kCentre = 241.0f;
constexpr float kRadius = 220.0f;
constexpr double kPi = 3.14159265358979323846;

std::map<std::string, double>& floorTimes() {
  static std::map<std::string, double> times;
  return times;
}

double threadCpuNs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// Runs body once per iteration and returns the mean CPU time of this thread
// in ns: the machine is shared, and wall time would count other programs.
template <typename Body>
double timedLoop(benchmark::State& state, Body body) {
  const double start = threadCpuNs();
  for (auto _ : state) body();
  return (threadCpuNs() - start) / std::max<double>(1, static_cast<double>(state.iterations()));
}

void reportAgainstFloor(benchmark::State& state, const std::string& floor, double ns) {
  const auto it = floorTimes().find(floor);
  if (it != floorTimes().end() && it->second > 0) state.counters["x_floor"] = ns / it->second;
}

// Bytes that differ, so that no fill can turn into a byte memset, and hidden
// from the optimiser like any colour a caller passes.
Color32 fillColor() {
  Color32 color = 0xFF336699;
  benchmark::DoNotOptimize(color);
  return color;
}

void BM_FillAllFloor_StdFill(benchmark::State& state) {
  std::vector<Color32> pixels(static_cast<std::size_t>(kFrameWidth) * kFrameHeight);
  const Color32 color = fillColor();
  floorTimes()["fill"] = timedLoop(state, [&] {
    std::fill(pixels.begin(), pixels.end(), color);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  });
}
BENCHMARK(BM_FillAllFloor_StdFill);

void BM_FillAll(benchmark::State& state) {
  Bitmap32 bitmap;
  bitmap.setBitmapSize(kFrameWidth, kFrameHeight);
  const Color32 color = fillColor();
  const double ns = timedLoop(state, [&] {
    bitmap.fillAll(color);
    benchmark::DoNotOptimize(bitmap.bits());
    benchmark::ClobberMemory();
  });
  reportAgainstFloor(state, "fill", ns);
}
BENCHMARK(BM_FillAll);

struct Graduation {
  float x1, y1, x2, y2;
};

// One graduation per degree on the outer edge, 28 px every ten degrees,
// 20 px every five, 12 px otherwise.
std::vector<Graduation> graduations() {
  std::vector<Graduation> lines;
  for (int degree = 0; degree <= 180; ++degree) {
    const float length = degree % 10 == 0 ? 28.0f : degree % 5 == 0 ? 20.0f : 12.0f;
    const double a = degree * kPi / 180.0;
    const auto c = static_cast<float>(std::cos(a));
    const auto s = static_cast<float>(-std::sin(a));
    lines.push_back({kCentre + kRadius * c, kCentre + kRadius * s, kCentre + (kRadius - length) * c,
                     kCentre + (kRadius - length) * s});
  }
  return lines;
}

void BM_GraduationsFloor_FourStoresPerSample(benchmark::State& state) {
  std::vector<Color32> pixels(static_cast<std::size_t>(kDial) * kDial, 0xFFFFFFFF);
  const auto lines = graduations();
  floorTimes()["graduations"] = timedLoop(state, [&] {
    for (const Graduation& g : lines) {
      const float dx = g.x2 - g.x1;
      const float dy = g.y2 - g.y1;
      const auto samples = static_cast<int>(std::hypot(dx, dy)) + 1;
      float x = g.x1;
      float y = g.y1;
      for (int i = 0; i < samples; ++i) {
        const auto px = static_cast<std::size_t>(x);
        const auto py = static_cast<std::size_t>(y);
        Color32* p = pixels.data() + py * kDial + px;
        p[0] = p[1] = p[kDial] = p[kDial + 1] = 0xFF000000;
        x += dx / static_cast<float>(samples);
        y += dy / static_cast<float>(samples);
      }
    }
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  });
}
BENCHMARK(BM_GraduationsFloor_FourStoresPerSample);

void BM_Graduations_SmoothLine(benchmark::State& state) {
  Bitmap32 bitmap;
  bitmap.setBitmapSize(kDial, kDial);
  bitmap.fillAll(0xFFFFFFFF);
  const auto lines = graduations();
  const double ns = timedLoop(state, [&] {
    for (const Graduation& g : lines) bitmap.smoothLine(g.x1, g.y1, g.x2, g.y2, 0xFF000000, false);
    benchmark::DoNotOptimize(bitmap.bits());
    benchmark::ClobberMemory();
  });
  reportAgainstFloor(state, "graduations", ns);
}
BENCHMARK(BM_Graduations_SmoothLine);

}  // namespace
}  // namespace gradoir
