#pragma once
// Bilinear sample of a bitmap at a 24.8 position, clipped to an inclusive
// source rectangle. Left and upper pixels weigh 255 - f, right and lower ones
// f + 1 out of 256, f being the 1/256 fraction.
#include <cstdint>
#include <optional>

#include "raster/bitmap32.h"

namespace gradoir {

// clip holds inclusive pixel indices inside src. Positions are 64-bit so that
// a far-off mapping can never wrap back into the bitmap. No sample outside
// the clip's reach (one pixel before its left and top edges, up to its last
// column and row).
std::optional<TColor32> SampleBilinear(const TBitmap32& src, const TRect& clip, std::int64_t fx, std::int64_t fy);

}  // namespace gradoir
