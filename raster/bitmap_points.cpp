// Single pixels and anti-aliased sub-pixel samples.
#include <cmath>
#include <limits>

#include "raster/bitmap32.h"
#include "raster/blend.h"
#include "raster/fixed_point.h"
#include "raster/rounding.h"

namespace gradoir {
namespace {

constexpr std::uint32_t kAlphaShift = 24;
// Two gamma bytes times an alpha byte, brought back to an 8-bit weight.
constexpr int kCoverageProductShift = 16;

std::uint32_t CoverageWeight(std::uint32_t gamma_x, std::uint32_t alpha, std::uint32_t gamma_y) {
  return (gamma_x * alpha * gamma_y) >> kCoverageProductShift;
}

// Float pixel position to 24.8. Positions the format cannot hold (NaN,
// infinities, beyond about +-8 million pixels) are refused, so they draw
// nothing rather than landing on a clamped or zeroed pixel.
bool ToSubpixel(float v, std::int32_t& out) {
  const long double scaled = static_cast<long double>(v) * fixed::kSubpixelOne;
  if (!(scaled >= std::numeric_limits<std::int32_t>::min() && scaled <= std::numeric_limits<std::int32_t>::max())) {
    return false;
  }
  out = RoundHalfEven(scaled);
  return true;
}

}  // namespace

void TBitmap32::BlendPixel(std::int32_t x, std::int32_t y, TColor32 color) {
  // Cut like the clipped forms: a stray position must not write past the pixels.
  if (x < 0 || x >= width_ || y < 0 || y >= height_) return;
  BlendOverInto(color, *PixelAddress(x, y));
  NoteChangedArea(TRect{x, y, x + 1, y + 1});
}

// The unclipped form only promises correct results inside the bitmap; it is
// the clipped one, whose weights and order are the same.
void TBitmap32::PlotSubpixelFixed(std::int32_t x, std::int32_t y, TColor32 color) {
  PlotSubpixelFixedClipped(x, y, color);
}

void TBitmap32::PlotSubpixelFixedClipped(std::int32_t x, std::int32_t y, TColor32 color) {
  if (x < -fixed::kSubpixelOne || y < -fixed::kSubpixelOne) return;
  const std::int32_t px = fixed::SubpixelWhole(x);
  const std::int32_t py = fixed::SubpixelWhole(y);
  if (px >= width_ || py >= height_) return;

  const std::uint32_t fx = fixed::SubpixelFraction(x);
  const std::uint32_t fy = fixed::SubpixelFraction(y);
  const std::uint32_t a = color >> kAlphaShift;
  const std::uint32_t left = GammaTable[255 - fx];
  const std::uint32_t right = GammaTable[fx];
  const std::uint32_t top = GammaTable[255 - fy];
  const std::uint32_t bottom = GammaTable[fy];

  NoteChangedArea(TRect{px, py, px + 2, py + 2});  // cut to the bitmap there
  const bool has_left = px >= 0;
  const bool has_right = px < width_ - 1;
  const bool has_top = py >= 0;
  const bool has_bottom = py < height_ - 1;
  if (has_left && has_top) MixWeightedInto(color, *PixelAddress(px, py), CoverageWeight(left, a, top));
  if (has_right && has_top) MixWeightedInto(color, *PixelAddress(px + 1, py), CoverageWeight(right, a, top));
  if (has_right && has_bottom) {
    MixWeightedInto(color, *PixelAddress(px + 1, py + 1), CoverageWeight(right, a, bottom));
  }
  if (has_left && has_bottom) MixWeightedInto(color, *PixelAddress(px, py + 1), CoverageWeight(left, a, bottom));
}

void TBitmap32::PlotSubpixel(float x, float y, TColor32 color) { PlotSubpixelClipped(x, y, color); }

void TBitmap32::PlotSubpixelClipped(float x, float y, TColor32 color) {
  std::int32_t fx = 0;
  std::int32_t fy = 0;
  if (!ToSubpixel(x, fx) || !ToSubpixel(y, fy)) return;
  PlotSubpixelFixedClipped(fx, fy, color);
  ClearBlendState();
}

}  // namespace gradoir
