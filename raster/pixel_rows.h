#pragma once
// Whole-row pixel loops of the hot paths (fills, the see-through-white
// composition), sixteen bytes at a time where the processor allows. Each
// gives exactly the pixels of the plain per-pixel loop it replaces.
#include <cstddef>
#include <cstdint>

#include "raster/types.h"

namespace gradoir {

// pixel[0..count) := color.
void fillPixels(Color32* pixel, std::size_t count, Color32 color);

// pixel[0..count) := color, writing only from the first to the last pixel
// that differed; false when none did, else their indices in first and last.
bool fillChangedSpan(Color32* pixel, std::int32_t count, Color32 color, std::int32_t& first, std::int32_t& last);

// For each i < count: dst[i] := src[i] unless src[i] is exactly 0xFFFFFFFF.
void copyUnlessOpaqueWhite(const Color32* src, Color32* dst, std::int32_t count);

}  // namespace gradoir
