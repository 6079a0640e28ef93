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

void Sized(TBitmap32& b, std::int32_t w, std::int32_t h, TColor32 fill) {
  b.SetBitmapSize(w, h);
  b.FillAll(fill);
}

// Opaque white with a coloured stripe pattern, like a protractor layer.
void StripedWhite(TBitmap32& b, std::int32_t w, std::int32_t h) {
  Sized(b, w, h, 0xFFFFFFFF);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; x += 7) b.SetPixelAt(x, y, 0xFF2040A0);
}

void CopyFloor(benchmark::State& state, std::int32_t w, std::int32_t h) {
  const std::size_t count = static_cast<std::size_t>(w) * h;
  std::vector<TColor32> src(count, 0xFF336699), dst(count, 0);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), count * sizeof(TColor32));
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * count * sizeof(TColor32));
}

void BM_FullFrameMemcpy(benchmark::State& state) { CopyFloor(state, 1920, 1080); }

void BM_FullFrameTransferRectOpaque(benchmark::State& state) {
  TBitmap32 src, dst;
  Sized(src, 1920, 1080, 0xFF336699);
  Sized(dst, 1920, 1080, 0);
  for (auto _ : state) {
    TransferRect(&dst, dst.PixelBounds(), dst.PixelBounds(), &src, src.PixelBounds(), sfNearest, dmOpaque, {});
    benchmark::DoNotOptimize(dst.Bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 1920 * 1080 * sizeof(TColor32));
}

void BM_ProtractorMemcpy(benchmark::State& state) { CopyFloor(state, 482, 482); }

void BM_ProtractorTransferRectTransparentWhite(benchmark::State& state) {
  TBitmap32 src, dst;
  StripedWhite(src, 482, 482);
  Sized(dst, 482, 482, 0xFF808080);
  const TPixelCombineEvent see_through_white = [](TColor32 f, TColor32& b, TColor32) {
    if (f != 0xFFFFFFFF) b = f;
  };
  for (auto _ : state) {
    TransferRect(&dst, dst.PixelBounds(), dst.PixelBounds(), &src, src.PixelBounds(), sfNearest, dmCustom,
                 see_through_white);
    benchmark::DoNotOptimize(dst.Bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 482 * 482 * sizeof(TColor32));
}

// A 30 x 16 number label turned by 37 degrees about its centre and centred on
// (40, 40) of a 80 x 80 destination, as the protractor's numbers are drawn.
void SetUpLabel(TBitmap32& label, TBitmap32& dst, TAffineTransformation& t) {
  StripedWhite(label, 30, 16);
  label.SetStretchFilter(sfLinear);
  label.SetDrawMode(dmBlend);
  Sized(dst, 80, 80, 0xFFFFFFFF);
  t.SetSourceRect(RealRectOf(0, 0, 30, 16));
  t.RotateAbout(15, 8, 37);
  t.Shift(40 - 15, 40 - 8);
}

void BM_LabelBoxFillFloor(benchmark::State& state) {
  TBitmap32 label, dst;
  TAffineTransformation t;
  SetUpLabel(label, dst, t);
  const TRect box = t.TransformedBounds();  // inclusive, inside dst here
  for (auto _ : state) {
    for (std::int32_t y = box.Top; y <= box.Bottom; ++y)
      std::fill(dst.PixelAddress(box.Left, y), dst.PixelAddress(box.Right + 1, y), 0xFF000000);
    benchmark::DoNotOptimize(dst.Bits());
    benchmark::ClobberMemory();
  }
}

void BM_LabelTransformBitmapLinear(benchmark::State& state) {
  TBitmap32 label, dst;
  TAffineTransformation t;
  SetUpLabel(label, dst, t);
  for (auto _ : state) {
    TransformBitmap(dst, label, t);
    benchmark::DoNotOptimize(dst.Bits());
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
