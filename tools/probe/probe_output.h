#pragma once
// Output helpers of gradoir-probe: 32-bit ARGB PNG files with alpha kept, and
// the pieces of its one-line JSON answer.
#include <string>

#include "raster/bitmap32.h"

namespace probe {

// Throws std::runtime_error when the file cannot be written.
void writePng(const gradoir::Bitmap32& bitmap, const std::string& path);

std::string jsonFloat(double v);  // %.9g
std::string jsonPoint(float x, float y);
std::string jsonRect(const gradoir::Rect& r);
std::string jsonRect(const gradoir::RectF& r);
std::string jsonBool(bool b);

}  // namespace probe
