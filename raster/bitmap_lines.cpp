// Anti-aliased lines: samples one pixel apart, each a clipped sub-pixel plot.
//
// Lines the 16.16 format can hold are walked exactly as the format dictates
// (only the running sums are kept in 64 bits, so that end points near the
// edge of the format cannot overflow). A line it cannot hold -- an end point
// beyond about +-32767 px, or a 16.16 length that overflows 32 bits -- is
// first clipped, in long double, to the bitmap grown by a small margin and
// then walked like any other. The clipped start is moved back to a whole
// number of steps from the real start, so the samples stay where they would
// have been; when the start lies inside it is not moved at all. NaN or
// infinite end points draw nothing.
#include <algorithm>
#include <cmath>
#include <limits>

#include "raster/bitmap32.h"
#include "raster/blend.h"
#include "raster/fixed_point.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {
namespace {

constexpr std::uint32_t kAlphaShift = 24;
constexpr Color32 kColorBits = 0x00FFFFFFu;
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// Added to every 16.16 end point so that dropping eight bits on the way to
// 24.8 rounds to nearest instead of down.
constexpr std::int64_t kSubpixelRoundingBias = 127;
// Shorter than 1/256 px: nothing to draw.
constexpr std::int64_t kShortestLine = 256;

// The clipping box of out-of-format lines: the bitmap plus this margin in
// pixels, so that no sample whose 2 x 2 block reaches the bitmap is lost;
// and never beyond kClipLimit pixels, where the 16.16 length of the clipped
// line could overflow again. Every bitmap of the program is far smaller.
constexpr long double kClipMargin = 4.0L;
constexpr long double kClipLimit = 23000.0L;

struct FixedLine {
  std::int64_t x1, y1, x2, y2;
};

// The walk proper, on 16.16 end points whose length is known to fit.
void walkLine(Bitmap32& bitmap, FixedLine line, std::int64_t n, Color32 color) {
  const std::int64_t dx = line.x2 - line.x1;
  const std::int64_t dy = line.y2 - line.y1;
  std::int64_t x = line.x1 + kSubpixelRoundingBias;
  std::int64_t y = line.y1 + kSubpixelRoundingBias;
  const std::int64_t endX = line.x2 + kSubpixelRoundingBias;
  const std::int64_t endY = line.y2 + kSubpixelRoundingBias;

  const std::int64_t steps = fixed::fixed16Whole(n);
  std::int64_t ex = dx;
  std::int64_t ey = dy;
  if (steps > 0) {
    // The step is deliberately computed through a 32-bit float.
    const float s = static_cast<float>(static_cast<long double>(fixed::kFixed16One) / n);
    ex = roundHalfEven(dx * static_cast<long double>(s));
    ey = roundHalfEven(dy * static_cast<long double>(s));
    for (std::int64_t i = 0; i < steps; ++i) {
      bitmap.plotSubpixelFixedClipped(static_cast<std::int32_t>(fixed::fixed16ToSubpixel(x)),
                                      static_cast<std::int32_t>(fixed::fixed16ToSubpixel(y)), color);
      x += ex;
      y += ey;
    }
  }
  // Last sample: midway between the last step and the end, its alpha scaled
  // by the fractional part of the length.
  const std::uint32_t alpha = color >> kAlphaShift;
  const auto lastAlpha = static_cast<std::uint32_t>((alpha * fixed::fixed16Fraction(n)) >> fixed::kFixed16Shift);
  const Color32 lastColor = (color & kColorBits) | (lastAlpha << kAlphaShift);
  bitmap.plotSubpixelFixedClipped(static_cast<std::int32_t>(fixed::fixed16MidpointToSubpixel(endX, x - ex)),
                                  static_cast<std::int32_t>(fixed::fixed16MidpointToSubpixel(endY, y - ey)),
                                  lastColor);
}

// The 16.16 length N of the walk, or -1 when it does not fit 32 bits.
std::int64_t fixedLength(const FixedLine& line, bool includeLast) {
  const long double length = std::hypot(static_cast<long double>(line.x2 - line.x1),
                                        static_cast<long double>(line.y2 - line.y1));
  if (!(length < static_cast<long double>(kInt32Max))) return -1;
  const std::int64_t n = roundHalfEven(length) + (includeLast ? fixed::kFixed16One : 0);
  return n <= kInt32Max ? n : -1;
}

// Liang-Barsky: narrows [t0, t1] to the part of p + t*d inside [lo, hi].
bool clipAxis(long double p, long double d, long double lo, long double hi, long double& t0, long double& t1) {
  if (d == 0) return p >= lo && p <= hi;
  long double ta = (lo - p) / d;
  long double tb = (hi - p) / d;
  if (ta > tb) std::swap(ta, tb);
  t0 = std::max(t0, ta);
  t1 = std::min(t1, tb);
  return t0 <= t1;
}

std::int64_t fixedOf(long double v) { return roundHalfEven(v); }

void clipAndWalk(Bitmap32& bitmap, long double x1, long double y1, long double x2, long double y2,
                 Color32 color, bool includeLast) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  const long double one = fixed::kFixed16One;
  const long double lo = -kClipMargin * one;
  const long double hiX = std::min(bitmap.width() + kClipMargin, kClipLimit) * one;
  const long double hiY = std::min(bitmap.height() + kClipMargin, kClipLimit) * one;
  const long double dx = x2 - x1;
  const long double dy = y2 - y1;
  long double t0 = 0;
  long double t1 = 1;
  if (!clipAxis(x1, dx, lo, hiX, t0, t1) || !clipAxis(y1, dy, lo, hiY, t0, t1)) return;

  if (t0 > 0) {
    // Back to a whole number of one-pixel steps from the real start.
    const long double lengthPx = std::hypot(dx, dy) / one;
    t0 = std::floor(t0 * lengthPx) / lengthPx;
  }
  const FixedLine clipped{fixedOf(x1 + t0 * dx), fixedOf(y1 + t0 * dy), fixedOf(x1 + t1 * dx),
                           fixedOf(y1 + t1 * dy)};
  // A cut-off end lies outside the bitmap, so its lengthening is invisible.
  const std::int64_t n = fixedLength(clipped, includeLast && t1 == 1);
  if (n >= kShortestLine) walkLine(bitmap, clipped, n, color);
}

void drawFixedLine(Bitmap32& bitmap, const FixedLine& line, Color32 color, bool includeLast) {
  const std::int64_t n = fixedLength(line, includeLast);
  if (n < 0) {
    clipAndWalk(bitmap, line.x1, line.y1, line.x2, line.y2, color, includeLast);
  } else if (n >= kShortestLine) {
    walkLine(bitmap, line, n, color);
  }
  clearBlendState();
}

// True when the float coordinate has a 16.16 value.
bool fitsFixed16(float v) {
  const long double scaled = static_cast<long double>(v) * fixed::kFixed16One;
  return scaled >= kInt32Min && scaled <= kInt32Max;
}

}  // namespace

void Bitmap32::smoothLineFixed(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                Color32 color, bool includeLast) {
  try {
    drawFixedLine(*this, FixedLine{x1, y1, x2, y2}, color, includeLast);
  } catch (...) {
    notifyChanged();
    throw;
  }
  declareChangeNoted();  // every sample's plot noted its pixels
  notifyChanged();
}

void Bitmap32::smoothLine(float x1, float y1, float x2, float y2, Color32 color, bool includeLast) {
  if (fitsFixed16(x1) && fitsFixed16(y1) && fitsFixed16(x2) && fitsFixed16(y2)) {
    smoothLineFixed(toFixed16(x1), toFixed16(y1), toFixed16(x2), toFixed16(y2), color, includeLast);
    return;
  }
  const long double one = fixed::kFixed16One;
  try {
    clipAndWalk(*this, x1 * one, y1 * one, x2 * one, y2 * one, color, includeLast);
    clearBlendState();
  } catch (...) {
    notifyChanged();
    throw;
  }
  declareChangeNoted();
  notifyChanged();
}

}  // namespace gradoir
