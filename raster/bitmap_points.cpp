// Single pixels and anti-aliased sub-pixel samples.
#include <cmath>
#include <limits>

#include "raster/bitmap32.h"
#include "raster/blend.h"
#include "raster/channel_formula.h"
#include "raster/fixed_point.h"
#include "raster/rounding.h"

namespace gradoir {
namespace {

constexpr std::uint32_t kAlphaShift = 24;
// Two gamma bytes times an alpha byte, brought back to an 8-bit weight.
constexpr int kCoverageProductShift = 16;

std::uint32_t coverageWeight(std::uint32_t gammaX, std::uint32_t alpha, std::uint32_t gammaY) {
  return (gammaX * alpha * gammaY) >> kCoverageProductShift;
}

// Float pixel position to 24.8. Positions the format cannot hold (NaN,
// infinities, beyond about +-8 million pixels) are refused, so they draw
// nothing rather than landing on a clamped or zeroed pixel.
bool toSubpixel(float v, std::int32_t& out) {
  const long double scaled = static_cast<long double>(v) * fixed::kSubpixelOne;
  if (!(scaled >= std::numeric_limits<std::int32_t>::min() && scaled <= std::numeric_limits<std::int32_t>::max())) {
    return false;
  }
  out = roundHalfEven(scaled);
  return true;
}

}  // namespace

void Bitmap32::blendPixel(std::int32_t x, std::int32_t y, Color32 color) {
  // Cut like the clipped forms: a stray position must not write past the pixels.
  if (x < 0 || x >= m_width || y < 0 || y >= m_height) return;
  blendOverInto(color, *pixelAddress(x, y));
  noteChangedArea(Rect{x, y, x + 1, y + 1});
}

// The unclipped form only promises correct results inside the bitmap; it is
// the clipped one, whose weights and order are the same.
void Bitmap32::plotSubpixelFixed(std::int32_t x, std::int32_t y, Color32 color) {
  plotSubpixelFixedClipped(x, y, color);
}

void Bitmap32::plotSubpixelFixedClipped(std::int32_t x, std::int32_t y, Color32 color) {
  if (x < -fixed::kSubpixelOne || y < -fixed::kSubpixelOne) return;
  const std::int32_t px = fixed::subpixelWhole(x);
  const std::int32_t py = fixed::subpixelWhole(y);
  if (px >= m_width || py >= m_height) return;

  const std::uint32_t fx = fixed::subpixelFraction(x);
  const std::uint32_t fy = fixed::subpixelFraction(y);
  const std::uint32_t a = color >> kAlphaShift;
  const std::uint32_t left = kGammaTable[255 - fx];
  const std::uint32_t right = kGammaTable[fx];
  const std::uint32_t top = kGammaTable[255 - fy];
  const std::uint32_t bottom = kGammaTable[fy];

  noteChangedArea(Rect{px, py, px + 2, py + 2});  // cut to the bitmap there
  const bool hasLeft = px >= 0;
  const bool hasRight = px < m_width - 1;
  const bool hasTop = py >= 0;
  const bool hasBottom = py < m_height - 1;
  // The table's mixWeightedInto, inlined: four of them for every sample of
  // every line.
  using channel::mixInto;
  if (hasLeft && hasTop) mixInto(color, *pixelAddress(px, py), coverageWeight(left, a, top));
  if (hasRight && hasTop) mixInto(color, *pixelAddress(px + 1, py), coverageWeight(right, a, top));
  if (hasRight && hasBottom) mixInto(color, *pixelAddress(px + 1, py + 1), coverageWeight(right, a, bottom));
  if (hasLeft && hasBottom) mixInto(color, *pixelAddress(px, py + 1), coverageWeight(left, a, bottom));
}

void Bitmap32::plotSubpixel(float x, float y, Color32 color) { plotSubpixelClipped(x, y, color); }

void Bitmap32::plotSubpixelClipped(float x, float y, Color32 color) {
  std::int32_t fx = 0;
  std::int32_t fy = 0;
  if (!toSubpixel(x, fx) || !toSubpixel(y, fy)) return;
  plotSubpixelFixedClipped(fx, fy, color);
  clearBlendState();
}

}  // namespace gradoir
