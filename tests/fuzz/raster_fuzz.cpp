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

float AnyFloat(FuzzedDataProvider& in, float extent) {
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

std::int32_t AnyInt(FuzzedDataProvider& in, std::int32_t extent) {
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

TRect AnyRect(FuzzedDataProvider& in, std::int32_t extent) {
  return RectOf(AnyInt(in, extent), AnyInt(in, extent), AnyInt(in, extent), AnyInt(in, extent));
}

// Mostly a well-formed rectangle near the bitmap (so that arcs are walked
// and blocks are stretched), sometimes any four values.
TRect NearRect(FuzzedDataProvider& in, std::int32_t extent) {
  if (in.ConsumeIntegralInRange<int>(0, 3) == 0) return AnyRect(in, extent);
  const std::int32_t left = in.ConsumeIntegralInRange<std::int32_t>(-extent - 2, extent + 2);
  const std::int32_t top = in.ConsumeIntegralInRange<std::int32_t>(-extent - 2, extent + 2);
  return RectOf(left, top, left + in.ConsumeIntegralInRange<std::int32_t>(0, 2 * extent + 2),
                top + in.ConsumeIntegralInRange<std::int32_t>(0, 2 * extent + 2));
}

TDrawMode AnyMode(FuzzedDataProvider& in) {
  static constexpr TDrawMode kModes[] = {dmOpaque, dmBlend, dmCustom};
  return in.PickValueInArray(kModes);
}

// What the protractor layer does: pure white shows what lies beneath.
void SeeThroughWhite(TColor32 F, TColor32& B, TColor32) {
  if (F != 0xFFFFFFFFu) B = F;
}

// A source of any size (negative sizes become empty), colour, mode, master
// alpha and filter, with or without a combine handler.
void SetUpSource(FuzzedDataProvider& in, TBitmap32& src) {
  src.SetBitmapSize(in.ConsumeIntegralInRange<std::int32_t>(-2, 300),
                    in.ConsumeIntegralInRange<std::int32_t>(-2, 300));
  src.FillAll(in.ConsumeIntegral<TColor32>());
  src.SetDrawMode(AnyMode(in));
  src.SetMasterAlpha(in.ConsumeIntegral<std::uint32_t>());
  src.SetStretchFilter(static_cast<TStretchFilter>(in.ConsumeIntegralInRange<int>(sfNearest, sfMitchell)));
  if (in.ConsumeBool()) src.OnPixelCombine = SeeThroughWhite;
}

void Transform(FuzzedDataProvider& in, TBitmap32& dst, TBitmap32& src, float extent) {
  TAffineTransformation t;
  if (in.ConsumeBool()) {
    t.SetSourceRect(
        RealRectOf(AnyFloat(in, extent), AnyFloat(in, extent), AnyFloat(in, extent), AnyFloat(in, extent)));
  } else {
    t.SetSourceRect(ToRealRect(src.PixelBounds()));
  }
  const int steps = in.ConsumeIntegralInRange<int>(0, 3);
  for (int i = 0; i < steps; ++i) {
    if (in.ConsumeBool()) {
      t.RotateAbout(AnyFloat(in, extent), AnyFloat(in, extent), AnyFloat(in, 360));
    } else {
      t.Shift(AnyFloat(in, extent), AnyFloat(in, extent));
    }
  }
  TransformBitmap(dst, src, t);
}

// Where an operation may change the destination: a rectangle of pixels, left
// and top inclusive, right and bottom exclusive, in 64 bits so that any
// argument fits; or anywhere when no simple bound holds.
struct TRegion {
  bool anywhere = false;
  std::int64_t left = 0, top = 0, right = 0, bottom = 0;
};

TRegion Anywhere() { return {true}; }
TRegion Between(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  return {false, std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}
TRegion Intersection(const TRegion& a, const TRegion& b) {
  return {false, std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}
TRegion RegionOf(const TRect& r) { return {false, r.Left, r.Top, r.Right, r.Bottom}; }

// A sub-pixel sample at 24.8 (x, y) covers its pixel and the right and lower
// neighbours.
TRegion SampleRegion(std::int64_t x, std::int64_t y) {
  const std::int64_t px = x >> 8, py = y >> 8;  // floor, as the sample does
  return {false, px, py, px + 2, py + 2};
}

// A float position the 24.8 format cannot hold is refused and draws nothing.
TRegion FloatSampleRegion(float x, float y) {
  const long double sx = std::nearbyint(static_cast<long double>(x) * 256);
  const long double sy = std::nearbyint(static_cast<long double>(y) * 256);
  constexpr long double lo = std::numeric_limits<std::int32_t>::min();
  constexpr long double hi = std::numeric_limits<std::int32_t>::max();
  if (!(sx >= lo && sx <= hi && sy >= lo && sy <= hi)) return {};
  return SampleRegion(static_cast<std::int64_t>(sx), static_cast<std::int64_t>(sy));
}

// Samples of a line lie between its end points; each covers two pixels right
// and down, and rounding may move it one more.
TRegion LineRegion(long double x1, long double y1, long double x2, long double y2) {
  for (long double v : {x1, y1, x2, y2}) {
    if (!std::isfinite(v) || std::fabs(v) > 1e15L) return Anywhere();
  }
  return {false, static_cast<std::int64_t>(std::floor(std::min(x1, x2))) - 1,
          static_cast<std::int64_t>(std::floor(std::min(y1, y2))) - 1,
          static_cast<std::int64_t>(std::ceil(std::max(x1, x2))) + 3,
          static_cast<std::int64_t>(std::ceil(std::max(y1, y2))) + 3};
}

TRegion Grown(TRegion r, std::int64_t by) {
  return {r.anywhere, r.left - by, r.top - by, r.right + by, r.bottom + by};
}

// Runs one operation and tells where it may have drawn.
TRegion Operate(FuzzedDataProvider& in, TBitmap32& dst, TBitmap32& src) {
  const std::int32_t extent = std::max(dst.Width(), dst.Height());
  const auto fx = static_cast<float>(extent);
  const TColor32 colour = in.ConsumeIntegral<TColor32>();
  switch (in.ConsumeIntegralInRange<int>(0, 13)) {
    case 0: {
      const TRect r = AnyRect(in, extent);
      dst.FillBlockClipped(r.Left, r.Top, r.Right, r.Bottom, colour);
      return RegionOf(r);
    }
    case 1:
    case 2: {
      const float x = AnyFloat(in, fx), y = AnyFloat(in, fx);
      if (in.ConsumeBool()) {
        dst.PlotSubpixel(x, y, colour);
      } else {
        dst.PlotSubpixelClipped(x, y, colour);
      }
      return FloatSampleRegion(x, y);
    }
    case 3:
    case 4: {
      const std::int32_t x = AnyInt(in, extent * 256), y = AnyInt(in, extent * 256);
      if (in.ConsumeBool()) {
        dst.PlotSubpixelFixed(x, y, colour);
      } else {
        dst.PlotSubpixelFixedClipped(x, y, colour);
      }
      return SampleRegion(x, y);
    }
    case 5: {
      const float x1 = AnyFloat(in, fx), y1 = AnyFloat(in, fx), x2 = AnyFloat(in, fx), y2 = AnyFloat(in, fx);
      dst.SmoothLine(x1, y1, x2, y2, colour, in.ConsumeBool());
      return LineRegion(x1, y1, x2, y2);
    }
    case 6: {
      const std::int32_t e = std::min<std::int32_t>(extent, 32767) * 65536;
      const std::int32_t x1 = AnyInt(in, e), y1 = AnyInt(in, e), x2 = AnyInt(in, e), y2 = AnyInt(in, e);
      dst.SmoothLineFixed(x1, y1, x2, y2, colour, in.ConsumeBool());
      constexpr long double one = 65536;
      return LineRegion(x1 / one, y1 / one, x2 / one, y2 / one);
    }
    case 7: {
      // The arc lies inside its box; its samples reach one pixel further.
      const TRect box = NearRect(in, extent);
      DrawArc(dst, box, AnyInt(in, 400), AnyInt(in, 400), colour);
      return Grown(Between(box.Left, box.Top, box.Right, box.Bottom), 3);
    }
    case 8: {
      const TRect dst_rect = NearRect(in, extent), clip = AnyRect(in, extent), src_rect = NearRect(in, 150);
      const TDrawMode mode = AnyMode(in);
      TransferRect(&dst, dst_rect, clip, &src, src_rect, src.StretchFilter(), mode,
                   in.ConsumeBool() ? src.OnPixelCombine : nullptr);
      return Intersection(RegionOf(dst_rect), RegionOf(clip));
    }
    case 9:
      Transform(in, dst, src, fx);
      return Anywhere();
    case 10: {
      const std::int32_t x = AnyInt(in, extent), y = AnyInt(in, extent);
      dst.BlendPixel(x, y, colour);
      return Between(x, y, std::int64_t{x} + 1, std::int64_t{y} + 1);
    }
    case 11: {
      const TRect area = AnyRect(in, extent);
      TransferBlock(dst, area, src, AnyInt(in, 300), AnyInt(in, 300), AnyMode(in), src.OnPixelCombine);
      return RegionOf(area);
    }
    case 12: {
      const TRect r = AnyRect(in, extent);
      CopyOnto(src, dst, r);
      return RegionOf(r);
    }
    default:
      SetUpSource(in, src);
      return {};
  }
}

// Every pixel that differs between the two pictures lies in the region: a
// stray write inside the pixel memory (a negative column reaching into the
// row above, say) is not caught by AddressSanitizer, but it is here.
void RequireChangesInside(const TBitmap32& after, const std::vector<TColor32>& before,
                          const TRegion& region) {
  if (region.anywhere) return;
  for (std::int32_t y = 0; y < after.Height(); ++y) {
    for (std::int32_t x = 0; x < after.Width(); ++x) {
      if (after.PixelAt(x, y) == before[static_cast<std::size_t>(y) * after.Width() + x]) continue;
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
  TBitmap32 dst;
  TBitmap32 src;
  // Half the pictures small enough to be compared after every operation.
  const std::int32_t side = in.ConsumeBool() ? kComparedSide : kMaxSide;
  dst.SetBitmapSize(in.ConsumeIntegralInRange<std::int32_t>(-2, side),
                    in.ConsumeIntegralInRange<std::int32_t>(-2, side));
  dst.FillAll(0xFFFFFFFFu);
  SetUpSource(in, src);
  // Small pictures are compared whole before and after each operation.
  const bool compare = std::int64_t{dst.Width()} * dst.Height() <= kComparedPixels;
  for (int i = 0; i < kMaxOperations && in.remaining_bytes() > 0; ++i) {
    std::vector<TColor32> before;
    if (compare) before.assign(dst.Bits(), dst.Bits() + std::int64_t{dst.Width()} * dst.Height());
    try {
      const TRegion region = Operate(in, dst, src);
      if (compare) RequireChangesInside(dst, before, region);
    } catch (const ETransformError&) {
      // Documented refusals (empty bitmaps, a source rectangle outside its
      // bitmap) are answers, not faults.
    }
  }
  return 0;
}
