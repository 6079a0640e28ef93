// The drawing primitives on bitmaps of arbitrary size, with arbitrary
// positions (including +-1e9, NaN and infinities where floats are taken),
// colours and draw modes. AddressSanitizer catches any access outside the
// pixel memory, UndefinedBehaviorSanitizer any overflow or bad conversion
// (a NaN or an out-of-range float turned into an integer among them).
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

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

void Operate(FuzzedDataProvider& in, TBitmap32& dst, TBitmap32& src) {
  const std::int32_t extent = std::max(dst.Width(), dst.Height());
  const auto fx = static_cast<float>(extent);
  const TColor32 colour = in.ConsumeIntegral<TColor32>();
  switch (in.ConsumeIntegralInRange<int>(0, 13)) {
    case 0:
      dst.FillBlockClipped(AnyInt(in, extent), AnyInt(in, extent), AnyInt(in, extent), AnyInt(in, extent),
                           colour);
      break;
    case 1:
      dst.PlotSubpixel(AnyFloat(in, fx), AnyFloat(in, fx), colour);
      break;
    case 2:
      dst.PlotSubpixelClipped(AnyFloat(in, fx), AnyFloat(in, fx), colour);
      break;
    case 3:
      dst.PlotSubpixelFixed(AnyInt(in, extent * 256), AnyInt(in, extent * 256), colour);
      break;
    case 4:
      dst.PlotSubpixelFixedClipped(AnyInt(in, extent * 256), AnyInt(in, extent * 256), colour);
      break;
    case 5:
      dst.SmoothLine(AnyFloat(in, fx), AnyFloat(in, fx), AnyFloat(in, fx), AnyFloat(in, fx), colour,
                     in.ConsumeBool());
      break;
    case 6: {
      const std::int32_t e = std::min<std::int32_t>(extent, 32767) * 65536;
      dst.SmoothLineFixed(AnyInt(in, e), AnyInt(in, e), AnyInt(in, e), AnyInt(in, e), colour,
                          in.ConsumeBool());
      break;
    }
    case 7:
      DrawArc(dst, NearRect(in, extent), AnyInt(in, 400), AnyInt(in, 400), colour);
      break;
    case 8:
      TransferRect(&dst, NearRect(in, extent), AnyRect(in, extent), &src, NearRect(in, 150),
                   src.StretchFilter(), AnyMode(in), in.ConsumeBool() ? src.OnPixelCombine : nullptr);
      break;
    case 9:
      Transform(in, dst, src, fx);
      break;
    case 10:
      dst.BlendPixel(AnyInt(in, extent), AnyInt(in, extent), colour);
      break;
    case 11:
      TransferBlock(dst, AnyRect(in, extent), src, AnyInt(in, 300), AnyInt(in, 300), AnyMode(in),
                    src.OnPixelCombine);
      break;
    case 12:
      CopyOnto(src, dst, AnyRect(in, extent));
      break;
    default:
      SetUpSource(in, src);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  TBitmap32 dst;
  TBitmap32 src;
  dst.SetBitmapSize(in.ConsumeIntegralInRange<std::int32_t>(-2, kMaxSide),
                    in.ConsumeIntegralInRange<std::int32_t>(-2, kMaxSide));
  dst.FillAll(0xFFFFFFFFu);
  SetUpSource(in, src);
  for (int i = 0; i < kMaxOperations && in.remaining_bytes() > 0; ++i) {
    try {
      Operate(in, dst, src);
    } catch (const ETransformError&) {
      // Documented refusals (empty bitmaps, a source rectangle outside its
      // bitmap) are answers, not faults.
    }
  }
  return 0;
}
