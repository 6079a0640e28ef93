#pragma once
// Small helpers shared by the figure tests: reading colours of a drawn bitmap.
#include <cstdint>

#include "raster/bitmap32.h"

namespace gradoir::test {

constexpr TColor32 kWhite = 0xFFFFFFFF;

inline std::uint32_t Red(TColor32 c) { return (c >> 16) & 0xFF; }
inline std::uint32_t Green(TColor32 c) { return (c >> 8) & 0xFF; }
inline std::uint32_t Blue(TColor32 c) { return c & 0xFF; }

// Something was drawn here: clearly darker than the white background.
inline bool Inked(const TBitmap32& b, int x, int y) {
  const TColor32 c = b.PixelAt(x, y);
  return Red(c) + Green(c) + Blue(c) < 3 * 200;
}

inline int CountNonWhite(const TBitmap32& b) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.PixelAt(x, y) != kWhite;
  return n;
}

}  // namespace gradoir::test
