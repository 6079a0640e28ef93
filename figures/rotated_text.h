#pragma once
// A text label turned about its own middle, for the protractor's numbers.
#include <cstdint>
#include <string>

#include "raster/bitmap32.h"

namespace gradoir {

// Draws text in "Verdana" of fontSize points and fontColor, turned
// counterclockwise by angle degrees about the middle of the text, whose middle
// lands on center. The label comes with its opaque white background box, which
// replaces what the target held there.
void drawRotatedText(Bitmap32& bitmap, Point center, std::int32_t angle, std::int32_t fontSize,
                     Color32 fontColor, const std::string& text);

}  // namespace gradoir
