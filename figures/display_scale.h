#pragma once
// Drawing the figures on a high-density screen: the canvas works in device
// pixels, and every length that the figures give in logical pixels (side
// lengths, radii, tick lengths, font sizes, margins, grab zones) is multiplied
// by the screen's scale here. At scale 1 every helper returns its argument
// unchanged, so the pictures stay exactly those of an ordinary screen.
#include <cstdint>

#include "raster/rounding.h"

namespace gradoir {

// Device pixels per logical pixel; anything not above 0 (or not a number)
// counts as 1.
inline double sanitizedScale(double scale) { return scale > 0 ? scale : 1.0; }

// A whole length of logical pixels in device pixels, rounded half to even.
inline std::int32_t scaledLength(std::int64_t logical, double scale) {
  if (scale == 1.0) return static_cast<std::int32_t>(logical);
  return roundHalfEven(static_cast<long double>(logical) * scale);
}

// How many one-pixel strokes side by side make a line as thick as one logical
// pixel: 1 at scale 1, 2 at 1.25 to 2, 3 at 3.
inline int strokeCount(double scale) {
  int n = 1;
  while (n < 8 && n < scale) ++n;
  return n;
}

}  // namespace gradoir
