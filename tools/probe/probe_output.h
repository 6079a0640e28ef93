#pragma once
// Output helpers of gradoir-probe: 32-bit ARGB PNG files with alpha kept, and
// the pieces of its one-line JSON answer.
#include <string>

#include "raster/bitmap32.h"

namespace probe {

// Throws std::runtime_error when the file cannot be written.
void WritePng(const gradoir::TBitmap32& bitmap, const std::string& path);

std::string JsonFloat(double v);  // %.9g
std::string JsonPoint(float x, float y);
std::string JsonRect(const gradoir::TRect& r);
std::string JsonRect(const gradoir::TRealRect& r);
std::string JsonBool(bool b);

}  // namespace probe
