#pragma once
// Small helpers shared by the figure tests: reading colours of a drawn bitmap.
#include <cstdint>

#include "raster/bitmap32.h"

namespace gradoir::test {

constexpr Color32 kWhite = 0xFFFFFFFF;

inline std::uint32_t red(Color32 c) { return (c >> 16) & 0xFF; }
inline std::uint32_t green(Color32 c) { return (c >> 8) & 0xFF; }
inline std::uint32_t blue(Color32 c) { return c & 0xFF; }

// Something was drawn here: clearly darker than the white background.
inline bool inked(const Bitmap32& b, int x, int y) {
  const Color32 c = b.pixelAt(x, y);
  return red(c) + green(c) + blue(c) < 3 * 200;
}

inline int countNonWhite(const Bitmap32& b) {
  int n = 0;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) n += b.pixelAt(x, y) != kWhite;
  return n;
}

}  // namespace gradoir::test
