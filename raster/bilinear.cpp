#include "raster/bilinear.h"

#include "raster/blend.h"
#include "raster/fixed_point.h"

namespace gradoir {
namespace {

// 24.8 positions held in 64 bits: whole pixel (floor) and 1/256 fraction.
std::int64_t SubpixelWhole64(std::int64_t v) { return v >> fixed::kSubpixelShift; }
std::uint32_t SubpixelFraction64(std::int64_t v) {
  return static_cast<std::uint32_t>(v & fixed::kSubpixelFractionMask);
}

}  // namespace

std::optional<TColor32> SampleBilinear(const TBitmap32& src, const TRect& clip, std::int64_t fx, std::int64_t fy) {
  const std::int64_t ix = SubpixelWhole64(fx);
  const std::int64_t iy = SubpixelWhole64(fy);
  if (ix < std::int64_t{clip.Left} - 1 || iy < std::int64_t{clip.Top} - 1 || ix >= clip.Right || iy >= clip.Bottom) {
    return std::nullopt;
  }
  // From here ix and iy lie within [clip - 1, clip.Right/Bottom), so they fit in 32 bits.
  const auto x = static_cast<std::int32_t>(ix);
  const auto y = static_cast<std::int32_t>(iy);
  const std::uint32_t wx = 255 - SubpixelFraction64(fx);
  const std::uint32_t wy = 255 - SubpixelFraction64(fy);

  TColor32 c00, c10, c01, c11;
  const bool strictly_inside =
      clip.Left < x && x < clip.Right - 1 && clip.Top < y && y < clip.Bottom - 1;
  if (strictly_inside) {
    const TColor32* row = src.RowStart(y) + x;
    const TColor32* below = src.RowStart(y + 1) + x;
    c00 = row[0];
    c10 = row[1];
    c01 = below[0];
    c11 = below[1];
  } else {
    // Near the clip's edges the block may reach outside the bitmap, which
    // reads OuterColor; outside the clip but inside the bitmap reads real pixels.
    c00 = src.PixelOrOuter(x, y);
    c10 = src.PixelOrOuter(x + 1, y);
    c01 = src.PixelOrOuter(x, y + 1);
    c11 = src.PixelOrOuter(x + 1, y + 1);
  }
  const TColor32 top = MixWeighted(c00, c10, wx);
  const TColor32 bottom = MixWeighted(c01, c11, wx);
  return MixWeighted(top, bottom, wy);
}

}  // namespace gradoir
