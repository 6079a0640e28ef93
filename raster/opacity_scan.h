#pragma once
// Finding the pixels that are not opaque, so that the window copy can take
// the rest of the picture by a plain copy (an opaque pixel reads the same
// whether or not its colour counts as premultiplied).
#include "raster/bitmap32.h"

namespace gradoir {

// Bounding rectangle of the pixels of area (inside the bitmap) whose alpha
// is below 255; false, and bounds untouched, when there are none.
bool translucentBounds(const Bitmap32& bitmap, const Rect& area, Rect& bounds);

}  // namespace gradoir
