#include "figures/reading_mark.h"

#include <algorithm>

#include "figures/degrees.h"
#include "figures/display_scale.h"
#include "figures/draw_arc.h"
#include "figures/protractor.h"

namespace gradoir {

namespace {

// Amber band, raspberry marker: neither grey, red, teal nor blue, the
// protractor's own colours.
constexpr Color32 kBandColor = 0xFFFFA000;
constexpr Color32 kMarkerColor = 0xFFD00070;
// The band lies along the outer ends of the graduations, inside the outline
// (logical pixels from the rim, scaled like the rest of the drawing).
constexpr std::int32_t kBandOuter = 3;
constexpr std::int32_t kBandInner = 8;
// The marker runs from the outline past the longest graduations, three
// logical pixels wide.
constexpr std::int32_t kMarkerOuter = 1;
constexpr std::int32_t kMarkerInner = 34;
constexpr int kMarkerWidth = 3;

std::int64_t nonNegative(std::int64_t degrees) {
  const std::int64_t r = degrees % 360;
  return r < 0 ? r + 360 : r;
}

// Graduations first..last (outer numbering) at radius q, as arcs of the
// circle about the centre; graduation i lies at 180 - i - orientation
// degrees counterclockwise on screen.
void bandArc(Bitmap32& bitmap, std::int32_t radius, std::int64_t orientation, std::int32_t first,
             std::int32_t last, std::int32_t q) {
  const std::int64_t start = nonNegative(180 - last - orientation);
  const std::int64_t end = start + (last - first);
  const std::int32_t c = radius + 1;
  const Rect box{c - q, c - q, c + q, c + q};
  if (end > 360) {
    drawArc(bitmap, box, static_cast<std::int32_t>(start), 360, kBandColor);
    drawArc(bitmap, box, 0, static_cast<std::int32_t>(end - 360), kBandColor);
  } else {
    drawArc(bitmap, box, static_cast<std::int32_t>(start), static_cast<std::int32_t>(end), kBandColor);
  }
}

// Parallel strokes a device pixel apart, three logical pixels in all, so the
// marker stands out from the one-pixel graduations.
void marker(Bitmap32& bitmap, std::int32_t radius, std::int64_t orientation, std::int32_t i, double scale) {
  const long double r = radius;
  const long double outer = scaledLength(kMarkerOuter, scale), inner = scaledLength(kMarkerInner, scale);
  const long double c = degCos(orientation + i), s = degSin(orientation + i);
  const int strokes = kMarkerWidth * strokeCount(scale);
  for (int k = 0; k < strokes; ++k) {
    const long double offset = k - (strokes - 1) / 2.0L;
    const long double ox = -s * offset, oy = c * offset;
    bitmap.smoothLine(static_cast<float>(r + 1 - (r - outer) * c + ox),
                      static_cast<float>(r + 1 - (r - outer) * s + oy),
                      static_cast<float>(r + 1 - (r - inner) * c + ox),
                      static_cast<float>(r + 1 - (r - inner) * s + oy), kMarkerColor, false);
  }
}

}  // namespace

void drawReadingMark(Bitmap32& bitmap, const Protractor& protractor, const ReadingMark& mark) {
  const std::int32_t g = std::clamp(mark.graduation, 0, 180);
  // In the outer numbering: the outer scale's 0 is graduation 0, the inner
  // scale's 0 is graduation 180.
  const std::int32_t zero = mark.scale == ProtractorScale::Outer ? 0 : 180;
  const std::int32_t read = mark.scale == ProtractorScale::Outer ? g : 180 - g;
  const std::int64_t o = nonNegative(protractor.orientation());
  const std::int32_t radius = protractor.radius();
  const double scale = protractor.scale();
  for (std::int32_t q = radius - scaledLength(kBandInner, scale); q <= radius - scaledLength(kBandOuter, scale); ++q)
    bandArc(bitmap, radius, o, std::min(zero, read), std::max(zero, read), q);
  marker(bitmap, radius, o, read, scale);
}

}  // namespace gradoir
