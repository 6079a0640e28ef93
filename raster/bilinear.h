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

namespace bilinearDetail {

// 24.8 positions held in 64 bits: whole pixel (floor) and 1/256 fraction.
inline std::int64_t subpixelWhole64(std::int64_t v) { return v >> fixed::kSubpixelShift; }
inline std::uint32_t subpixelFraction64(std::int64_t v) {
  return static_cast<std::uint32_t>(v & fixed::kSubpixelFractionMask);
}

}  // namespace bilinearDetail

// The four pixels of a sample mixed: wx and wy are the left and upper
// pixels' weights (0..255). The formula gives X back for two equal X,
// exactly: most of a turned label is one colour (its white box, the inside
// of a stroke), which needs no mixing.
inline Color32 mixBilinear(Color32 c00, Color32 c10, Color32 c01, Color32 c11, std::uint32_t wx, std::uint32_t wy) {
  const Color32 top = c00 == c10 ? c00 : channel::channelFormula(c00, c10, wx);
  const Color32 bottom = c01 == c11 ? c01 : channel::channelFormula(c01, c11, wx);
  return top == bottom ? top : channel::channelFormula(top, bottom, wy);
}

// clip holds inclusive pixel indices inside src. Positions are 64-bit so that
// a far-off mapping can never wrap back into the bitmap. No sample outside
// the clip's reach (one pixel before its left and top edges, up to its last
// column and row).
// Inline: it runs once per pixel of every turned label.
inline std::optional<Color32> sampleBilinear(const Bitmap32& src, const Rect& clip, std::int64_t fx, std::int64_t fy) {
  using namespace bilinearDetail;
  const std::int64_t ix = subpixelWhole64(fx);
  const std::int64_t iy = subpixelWhole64(fy);
  if (ix < std::int64_t{clip.left} - 1 || iy < std::int64_t{clip.top} - 1 || ix >= clip.right || iy >= clip.bottom) {
    return std::nullopt;
  }
  // From here ix and iy lie within [clip - 1, clip.Right/Bottom), so they fit in 32 bits.
  const auto x = static_cast<std::int32_t>(ix);
  const auto y = static_cast<std::int32_t>(iy);
  const std::uint32_t wx = 255 - subpixelFraction64(fx);
  const std::uint32_t wy = 255 - subpixelFraction64(fy);

  Color32 c00, c10, c01, c11;
  const bool strictlyInside =
      clip.left < x && x < clip.right - 1 && clip.top < y && y < clip.bottom - 1;
  if (strictlyInside) {
    const Color32* row = src.rowStart(y) + x;
    const Color32* below = src.rowStart(y + 1) + x;
    c00 = row[0];
    c10 = row[1];
    c01 = below[0];
    c11 = below[1];
  } else {
    // Near the clip's edges the block may reach outside the bitmap, which
    // reads outerColor; outside the clip but inside the bitmap reads real pixels.
    c00 = src.pixelOrOuter(x, y);
    c10 = src.pixelOrOuter(x + 1, y);
    c01 = src.pixelOrOuter(x, y + 1);
    c11 = src.pixelOrOuter(x + 1, y + 1);
  }
  // mixWeighted of the blend table, inlined.
  return mixBilinear(c00, c10, c01, c11, wx, wy);
}

}  // namespace gradoir
