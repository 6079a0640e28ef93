// The drawing primitives on bitmaps of arbitrary size, with arbitrary
// positions (including +-1e9, NaN and infinities where floats are taken),
// colours and draw modes. AddressSanitizer catches any access outside the
// pixel memory, UndefinedBehaviorSanitizer any overflow or bad conversion
// (a NaN or an out-of-range float turned into an integer among them).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "figures/draw_arc.h"
#include "raster/affine.h"
#include "raster/bitmap32.h"
#include "raster/errors.h"
#include "raster/geometry.h"
#include "raster/transfer.h"

namespace {

using namespace gradoir;

constexpr int kMaxOperations = 48;
constexpr std::int32_t kMaxSide = 700;
constexpr std::int32_t kComparedSide = 160;
constexpr std::int64_t kComparedPixels = std::int64_t{kComparedSide} * kComparedSide;

float anyFloat(FuzzedDataProvider& in, float extent) {
  static constexpr float kSpecial[] = {std::numeric_limits<float>::quiet_NaN(),
                                       std::numeric_limits<float>::infinity(),
                                       -std::numeric_limits<float>::infinity(),
                                       1e9f,
                                       -1e9f,
                                       std::numeric_limits<float>::max(),
                                       -std::numeric_limits<float>::max(),
                                       std::numeric_limits<float>::denorm_min(),
                                       -0.0f,
                                       -0.5f,
                                       32767.5f,
                                       -32768.5f,
                                       8388607.0f,
                                       -8388609.0f};
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      return in.PickValueInArray(kSpecial);
    case 1:
      return in.ConsumeFloatingPoint<float>();
    default:
      return in.ConsumeFloatingPointInRange<float>(-2 * extent - 2, 2 * extent + 2);
  }
}

std::int32_t anyInt(FuzzedDataProvider& in, std::int32_t extent) {
  static constexpr std::int32_t kSpecial[] = {std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max(),
                                              1000000000,
                                              -1000000000,
                                              -1,
                                              0,
                                              65535,
                                              -65536};
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      return in.PickValueInArray(kSpecial);
    case 1:
      return in.ConsumeIntegral<std::int32_t>();
    default:
      return in.ConsumeIntegralInRange<std::int32_t>(-2 * extent - 2, 2 * extent + 2);
  }
}

Rect anyRect(FuzzedDataProvider& in, std::int32_t extent) {
  return rectOf(anyInt(in, extent), anyInt(in, extent), anyInt(in, extent), anyInt(in, extent));
}

// Mostly a well-formed rectangle near the bitmap (so that arcs are walked
// and blocks are stretched), sometimes any four values.
Rect nearRect(FuzzedDataProvider& in, std::int32_t extent) {
  if (in.ConsumeIntegralInRange<int>(0, 3) == 0) return anyRect(in, extent);
  const std::int32_t left = in.ConsumeIntegralInRange<std::int32_t>(-extent - 2, extent + 2);
  const std::int32_t top = in.ConsumeIntegralInRange<std::int32_t>(-extent - 2, extent + 2);
  return rectOf(left, top, left + in.ConsumeIntegralInRange<std::int32_t>(0, 2 * extent + 2),
                top + in.ConsumeIntegralInRange<std::int32_t>(0, 2 * extent + 2));
}

DrawMode anyMode(FuzzedDataProvider& in) {
  static constexpr DrawMode kModes[] = {DrawMode::Opaque, DrawMode::Blend, DrawMode::Custom};
  return in.PickValueInArray(kModes);
}

// What the protractor layer does: pure white shows what lies beneath.
void seeThroughWhite(Color32 F, Color32& B, Color32) {
  if (F != 0xFFFFFFFFu) B = F;
}

// A source of any size (negative sizes become empty), colour, mode, master
// alpha and filter, with or without a combine handler.
void setUpSource(FuzzedDataProvider& in, Bitmap32& src) {
  src.setBitmapSize(in.ConsumeIntegralInRange<std::int32_t>(-2, 300),
                    in.ConsumeIntegralInRange<std::int32_t>(-2, 300));
  src.fillAll(in.ConsumeIntegral<Color32>());
  src.setDrawMode(anyMode(in));
  src.setMasterAlpha(in.ConsumeIntegral<std::uint32_t>());
  src.setStretchFilter(in.ConsumeBool() ? StretchFilter::Linear : StretchFilter::Nearest);
  if (in.ConsumeBool()) src.pixelCombiner = seeThroughWhite;
}

void transform(FuzzedDataProvider& in, Bitmap32& dst, Bitmap32& src, float extent) {
  AffineTransform t;
  if (in.ConsumeBool()) {
    t.setSourceRect(
        realRectOf(anyFloat(in, extent), anyFloat(in, extent), anyFloat(in, extent), anyFloat(in, extent)));
  } else {
    t.setSourceRect(toRealRect(src.pixelBounds()));
  }
  const int steps = in.ConsumeIntegralInRange<int>(0, 3);
  for (int i = 0; i < steps; ++i) {
    if (in.ConsumeBool()) {
      t.rotateAbout(anyFloat(in, extent), anyFloat(in, extent), anyFloat(in, 360));
    } else {
      t.shift(anyFloat(in, extent), anyFloat(in, extent));
    }
  }
  transformBitmap(dst, src, t);
}

// Where an operation may change the destination: a rectangle of pixels, left
// and top inclusive, right and bottom exclusive, in 64 bits so that any
// argument fits; or anywhere when no simple bound holds.
struct FuzzRegion {
  bool anywhere = false;
  std::int64_t left = 0, top = 0, right = 0, bottom = 0;
};

FuzzRegion anywhere() { return {true}; }
FuzzRegion between(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  return {false, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}
FuzzRegion intersection(const FuzzRegion& a, const FuzzRegion& b) {
  return {false, std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}
FuzzRegion regionOf(const Rect& r) { return {false, r.left, r.top, r.right, r.bottom}; }

// A sub-pixel sample at 24.8 (x, y) covers its pixel and the right and lower
// neighbours.
FuzzRegion sampleRegion(std::int64_t x, std::int64_t y) {
  const std::int64_t px = x >> 8, py = y >> 8;  // floor, as the sample does
  return {false, px, py, px + 2, py + 2};
}

// A float position the 24.8 format cannot hold is refused and draws nothing.
FuzzRegion floatSampleRegion(float x, float y) {
  const long double sx = std::nearbyint(static_cast<long double>(x) * 256);
  const long double sy = std::nearbyint(static_cast<long double>(y) * 256);
  constexpr long double lo = std::numeric_limits<std::int32_t>::min();
  constexpr long double hi = std::numeric_limits<std::int32_t>::max();
  if (!(sx >= lo && sx <= hi && sy >= lo && sy <= hi)) return {};
  return sampleRegion(static_cast<std::int64_t>(sx), static_cast<std::int64_t>(sy));
}

// Samples of a line lie between its end points; each covers two pixels right
// and down, and rounding may move it one more.
FuzzRegion lineRegion(long double x1, long double y1, long double x2, long double y2) {
  for (long double v : {x1, y1, x2, y2}) {
    if (!std::isfinite(v) || std::fabs(v) > 1e15L) return anywhere();
  }
  return {false, static_cast<std::int64_t>(std::floor(std::min(x1, x2))) - 1,
          static_cast<std::int64_t>(std::floor(std::min(y1, y2))) - 1,
          static_cast<std::int64_t>(std::ceil(std::max(x1, x2))) + 3,
          static_cast<std::int64_t>(std::ceil(std::max(y1, y2))) + 3};
}

FuzzRegion grown(FuzzRegion r, std::int64_t by) {
  return {r.anywhere, r.left - by, r.top - by, r.right + by, r.bottom + by};
}

// Runs one operation and tells where it may have drawn.
FuzzRegion operate(FuzzedDataProvider& in, Bitmap32& dst, Bitmap32& src) {
  const std::int32_t extent = std::max(dst.width(), dst.height());
  const auto fx = static_cast<float>(extent);
  const Color32 colour = in.ConsumeIntegral<Color32>();
  switch (in.ConsumeIntegralInRange<int>(0, 13)) {
    case 0: {
      const Rect r = anyRect(in, extent);
      dst.fillBlockClipped(r.left, r.top, r.right, r.bottom, colour);
      return regionOf(r);
    }
    case 1:
    case 2: {
      const float x = anyFloat(in, fx), y = anyFloat(in, fx);
      if (in.ConsumeBool()) {
        dst.plotSubpixel(x, y, colour);
      } else {
        dst.plotSubpixelClipped(x, y, colour);
      }
      return floatSampleRegion(x, y);
    }
    case 3:
    case 4: {
      const std::int32_t x = anyInt(in, extent * 256), y = anyInt(in, extent * 256);
      if (in.ConsumeBool()) {
        dst.plotSubpixelFixed(x, y, colour);
      } else {
        dst.plotSubpixelFixedClipped(x, y, colour);
      }
      return sampleRegion(x, y);
    }
    case 5: {
      const float x1 = anyFloat(in, fx), y1 = anyFloat(in, fx), x2 = anyFloat(in, fx), y2 = anyFloat(in, fx);
      dst.smoothLine(x1, y1, x2, y2, colour, in.ConsumeBool());
      return lineRegion(x1, y1, x2, y2);
    }
    case 6: {
      const std::int32_t e = std::min<std::int32_t>(extent, 32767) * 65536;
      const std::int32_t x1 = anyInt(in, e), y1 = anyInt(in, e), x2 = anyInt(in, e), y2 = anyInt(in, e);
      dst.smoothLineFixed(x1, y1, x2, y2, colour, in.ConsumeBool());
      constexpr long double one = 65536;
      return lineRegion(x1 / one, y1 / one, x2 / one, y2 / one);
    }
    case 7: {
      // The arc lies inside its box; its samples reach one pixel further.
      const Rect box = nearRect(in, extent);
      drawArc(dst, box, anyInt(in, 400), anyInt(in, 400), colour);
      return grown(between(box.left, box.top, box.right, box.bottom), 3);
    }
    case 8: {
      const Rect dstRect = nearRect(in, extent), clip = anyRect(in, extent), srcRect = nearRect(in, 150);
      const DrawMode mode = anyMode(in);
      transferRect(&dst, dstRect, clip, &src, srcRect, src.stretchFilter(), mode,
                   in.ConsumeBool() ? src.pixelCombiner : nullptr);
      return intersection(regionOf(dstRect), regionOf(clip));
    }
    case 9:
      transform(in, dst, src, fx);
      return anywhere();
    case 10: {
      const std::int32_t x = anyInt(in, extent), y = anyInt(in, extent);
      dst.blendPixel(x, y, colour);
      return between(x, y, std::int64_t{x} + 1, std::int64_t{y} + 1);
    }
    case 11: {
      const Rect area = anyRect(in, extent);
      transferBlock(dst, area, src, anyInt(in, 300), anyInt(in, 300), anyMode(in), src.pixelCombiner);
      return regionOf(area);
    }
    case 12: {
      const Rect r = anyRect(in, extent);
      copyOnto(src, dst, r);
      return regionOf(r);
    }
    default:
      setUpSource(in, src);
      return {};
  }
}

// Every pixel that differs between the two pictures lies in the region: a
// stray write inside the pixel memory (a negative column reaching into the
// row above, say) is not caught by AddressSanitizer, but it is here.
void requireChangesInside(const Bitmap32& after, const std::vector<Color32>& before,
                          const FuzzRegion& region) {
  if (region.anywhere) return;
  for (std::int32_t y = 0; y < after.height(); ++y) {
    for (std::int32_t x = 0; x < after.width(); ++x) {
      if (after.pixelAt(x, y) == before[static_cast<std::size_t>(y) * after.width() + x]) continue;
      if (x >= region.left && x < region.right && y >= region.top && y < region.bottom) continue;
      std::fprintf(stderr, "raster fuzz: pixel (%d, %d) changed outside [%lld, %lld) x [%lld, %lld)\n", x, y,
                   static_cast<long long>(region.left), static_cast<long long>(region.right),
                   static_cast<long long>(region.top), static_cast<long long>(region.bottom));
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Bitmap32 dst;
  Bitmap32 src;
  // Half the pictures small enough to be compared after every operation.
  const std::int32_t side = in.ConsumeBool() ? kComparedSide : kMaxSide;
  dst.setBitmapSize(in.ConsumeIntegralInRange<std::int32_t>(-2, side),
                    in.ConsumeIntegralInRange<std::int32_t>(-2, side));
  dst.fillAll(0xFFFFFFFFu);
  setUpSource(in, src);
  // Small pictures are compared whole before and after each operation.
  const bool compare = std::int64_t{dst.width()} * dst.height() <= kComparedPixels;
  for (int i = 0; i < kMaxOperations && in.remaining_bytes() > 0; ++i) {
    std::vector<Color32> before;
    if (compare) before.assign(dst.bits(), dst.bits() + std::int64_t{dst.width()} * dst.height());
    try {
      const FuzzRegion region = operate(in, dst, src);
      if (compare) requireChangesInside(dst, before, region);
    } catch (const TransformError&) {
      // Documented refusals (empty bitmaps, a source rectangle outside its
      // bitmap) are answers, not faults.
    }
  }
  return 0;
}
