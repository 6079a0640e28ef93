// Bitmap transfer and affine transformation against floors measured in the
// same run: a memcpy of the same bytes for the transfers, and a plain write
// of the label's destination box for the transformation. Compare the
// per-iteration times of each pair (engine / floor).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "raster/affine.h"
#include "raster/geometry.h"
#include "raster/transfer.h"

namespace gradoir {
namespace {

void sized(Bitmap32& b, std::int32_t w, std::int32_t h, Color32 fill) {
  b.setBitmapSize(w, h);
  b.fillAll(fill);
}

// Opaque white with a coloured stripe pattern, like a protractor layer.
void stripedWhite(Bitmap32& b, std::int32_t w, std::int32_t h) {
  sized(b, w, h, 0xFFFFFFFF);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; x += 7) b.setPixelAt(x, y, 0xFF2040A0);
}

void copyFloor(benchmark::State& state, std::int32_t w, std::int32_t h) {
  const std::size_t count = static_cast<std::size_t>(w) * h;
  std::vector<Color32> src(count, 0xFF336699), dst(count, 0);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), count * sizeof(Color32));
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * count * sizeof(Color32));
}

void BM_FullFrameMemcpy(benchmark::State& state) { copyFloor(state, 1920, 1080); }

void BM_FullFrameTransferRectOpaque(benchmark::State& state) {
  Bitmap32 src, dst;
  sized(src, 1920, 1080, 0xFF336699);
  sized(dst, 1920, 1080, 0);
  for (auto _ : state) {
    transferRect(&dst, dst.pixelBounds(), dst.pixelBounds(), &src, src.pixelBounds(), StretchFilter::Nearest, DrawMode::Opaque, {});
    benchmark::DoNotOptimize(dst.bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 1920 * 1080 * sizeof(Color32));
}

void BM_ProtractorMemcpy(benchmark::State& state) { copyFloor(state, 482, 482); }

void BM_ProtractorTransferRectTransparentWhite(benchmark::State& state) {
  Bitmap32 src, dst;
  stripedWhite(src, 482, 482);
  sized(dst, 482, 482, 0xFF808080);
  const PixelCombiner seeThroughWhite = [](Color32 f, Color32& b, Color32) {
    if (f != 0xFFFFFFFF) b = f;
  };
  for (auto _ : state) {
    transferRect(&dst, dst.pixelBounds(), dst.pixelBounds(), &src, src.pixelBounds(), StretchFilter::Nearest, DrawMode::Custom,
                 seeThroughWhite);
    benchmark::DoNotOptimize(dst.bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 482 * 482 * sizeof(Color32));
}

// A 30 x 16 number label turned by 37 degrees about its centre and centred on
// (40, 40) of a 80 x 80 destination, as the protractor's numbers are drawn.
void setUpLabel(Bitmap32& label, Bitmap32& dst, AffineTransform& t) {
  stripedWhite(label, 30, 16);
  label.setStretchFilter(StretchFilter::Linear);
  label.setDrawMode(DrawMode::Blend);
  sized(dst, 80, 80, 0xFFFFFFFF);
  t.setSourceRect(realRectOf(0, 0, 30, 16));
  t.rotateAbout(15, 8, 37);
  t.shift(40 - 15, 40 - 8);
}

void BM_LabelBoxFillFloor(benchmark::State& state) {
  Bitmap32 label, dst;
  AffineTransform t;
  setUpLabel(label, dst, t);
  const Rect box = t.transformedBounds();  // inclusive, inside dst here
  for (auto _ : state) {
    for (std::int32_t y = box.top; y <= box.bottom; ++y)
      std::fill(dst.pixelAddress(box.left, y), dst.pixelAddress(box.right + 1, y), 0xFF000000);
    benchmark::DoNotOptimize(dst.bits());
    benchmark::ClobberMemory();
  }
}

void BM_LabelTransformBitmapLinear(benchmark::State& state) {
  Bitmap32 label, dst;
  AffineTransform t;
  setUpLabel(label, dst, t);
  for (auto _ : state) {
    transformBitmap(dst, label, t);
    benchmark::DoNotOptimize(dst.bits());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_FullFrameMemcpy);
BENCHMARK(BM_FullFrameTransferRectOpaque);
BENCHMARK(BM_ProtractorMemcpy);
BENCHMARK(BM_ProtractorTransferRectTransparentWhite);
BENCHMARK(BM_LabelBoxFillFloor);
BENCHMARK(BM_LabelTransformBitmapLinear);

}  // namespace
}  // namespace gradoir
