#pragma once
// The correction's mark of a reading on the protractor: a coloured band
// along the scale from its 0 to the graduation read, and a bold marker on
// that graduation. Drawn over a protractor just drawn (Protractor::draw),
// into the same bitmap and at the same orientation.
#include <cstdint>

#include "figures/graduation_reading.h"
#include "raster/bitmap32.h"

namespace gradoir {

class Protractor;

struct ReadingMark {
  ProtractorScale scale = ProtractorScale::Outer;
  std::int32_t graduation = 0;  // 0..180 on that scale
  friend bool operator==(const ReadingMark&, const ReadingMark&) = default;
};

void drawReadingMark(Bitmap32& bitmap, const Protractor& protractor, const ReadingMark& mark);

}  // namespace gradoir
