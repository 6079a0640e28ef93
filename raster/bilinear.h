#pragma once
// Bilinear sample of a bitmap at a 24.8 position, clipped to an inclusive
// source rectangle. Left and upper pixels weigh 255 - f, right and lower ones
// f + 1 out of 256, f being the 1/256 fraction.
#include <cstdint>
#include <optional>

#include "raster/bitmap32.h"
#include "raster/channel_formula.h"
#include "raster/fixed_point.h"

namespace gradoir {

namespace bilinear_detail {

// 24.8 positions held in 64 bits: whole pixel (floor) and 1/256 fraction.
inline std::int64_t SubpixelWhole64(std::int64_t v) { return v >> fixed::kSubpixelShift; }
inline std::uint32_t SubpixelFraction64(std::int64_t v) {
  return static_cast<std::uint32_t>(v & fixed::kSubpixelFractionMask);
}

}  // namespace bilinear_detail

// clip holds inclusive pixel indices inside src. Positions are 64-bit so that
// a far-off mapping can never wrap back into the bitmap. No sample outside
// the clip's reach (one pixel before its left and top edges, up to its last
// column and row).
// Inline: it runs once per pixel of every turned label.
inline std::optional<TColor32> SampleBilinear(const TBitmap32& src, const TRect& clip, std::int64_t fx, std::int64_t fy) {
  using namespace bilinear_detail;
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
  // MixWeighted of the blend table, inlined (both weights are 0..255).
  const TColor32 top = channel::ChannelFormula(c00, c10, wx);
  const TColor32 bottom = channel::ChannelFormula(c01, c11, wx);
  return channel::ChannelFormula(top, bottom, wy);
}

}  // namespace gradoir
