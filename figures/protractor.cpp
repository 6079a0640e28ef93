#include "figures/protractor.h"

#include <algorithm>
#include <limits>
#include <string>

#include "figures/degrees.h"
#include "figures/display_scale.h"
#include "figures/draw_arc.h"
#include "figures/rotated_text.h"
#include "figures/stroke.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

constexpr Color32 kBackground = 0xFFFFFFFF;
constexpr Color32 kGrey = 0xFF7F7F7F;
constexpr Color32 kRed = 0xFFFF0000;
constexpr Color32 kOuterNumberColor = 0xFF008080;  // teal
constexpr Color32 kInnerNumberColor = 0xFF0000FF;  // blue
constexpr std::int32_t kOuterNumberSize = 10;
constexpr std::int32_t kInnerNumberSize = 8;
// Zones thinner than this are widened so the pupil can still grab them.
constexpr std::int32_t kMinZoneThickness = 10;
constexpr std::int32_t kCentreZoneHalf = 10;

std::int32_t clampToInt32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Degrees brought to 0 or above by whole turns.
std::int64_t nonNegativeDegrees(std::int64_t a) {
  if (a >= 0) return a;
  const std::int64_t r = a % 360;
  return r == 0 ? 0 : r + 360;
}

// A point of the bitmap, computed in extended precision and kept as floats.
struct FloatPoint {
  float x, y;
};

// The point at signed distance d from the centre (R + 1, R + 1) along the
// unit vector (c, s), evaluated as d*c + R + 1.
FloatPoint polar(long double radius, long double d, long double c, long double s) {
  return {static_cast<float>(d * c + radius + 1), static_cast<float>(d * s + radius + 1)};
}

void line(Bitmap32& bitmap, FloatPoint from, FloatPoint to, Color32 color, double scale) {
  strokeLine(bitmap, {from.x, from.y}, {to.x, to.y}, color, scale);
}

// The orientation the drawing works with. The pointer only ever produces
// -180..360, where the arithmetic below holds. Below -180 the outline's range
// would run past 360 (losing part of the half circle) and the label angles
// would grow without bound, so such an orientation is drawn as its
// equivalent in 0..359.
std::int64_t drawingOrientation(std::int32_t orientation) {
  return orientation < -180 ? nonNegativeDegrees(orientation % 360) : orientation;
}

void drawOutline(Bitmap32& bitmap, std::int64_t radius, std::int64_t orientation, double scale) {
  std::int64_t a = nonNegativeDegrees(-orientation);
  const std::int64_t b = nonNegativeDegrees(180 - orientation);
  const Rect box{1, 1, clampToInt32(2 * radius + 1), clampToInt32(2 * radius + 1)};
  if (a > b) {
    strokeArcBox(bitmap, box, static_cast<std::int32_t>(a), 360, kGrey, scale);
    a = 0;
  }
  strokeArcBox(bitmap, box, static_cast<std::int32_t>(a), static_cast<std::int32_t>(b), kGrey, scale);
}

}  // namespace

Protractor::Protractor(std::int32_t radius, bool innerScale, double scale)
    : m_scale(sanitizedScale(scale)),
      m_logicalRadius(radius),
      m_radius(scaledLength(radius, m_scale)),
      m_innerScale(innerScale) {
  for (std::int32_t& length : m_tickLengths) length = scaled(length);
}

std::int32_t Protractor::scaled(std::int32_t logical) const { return scaledLength(logical, m_scale); }

void Protractor::draw(Bitmap32& bitmap, const RectF& location) {
  const std::int64_t o = drawingOrientation(m_orientation);
  // Extended-precision copies: every product below must be formed in long
  // double, never in float.
  const long double r = m_radius;
  const long double t = m_tickLengths[2];

  const std::int32_t side = clampToInt32(2 * static_cast<std::int64_t>(m_radius) + 2);
  bitmap.setBitmapSize(side, side);
  bitmap.fillAll(kBackground);

  drawOutline(bitmap, m_radius, o, m_scale);

  // Graduations run inward from radius R - 1 to radius R - L.
  for (std::int64_t i = 0; i <= 180; ++i) {
    const Color32 color = (i == 0 || i == 180) ? kRed : kGrey;
    const long double length = i % 10 == 0 ? m_tickLengths[2] : i % 5 == 0 ? m_tickLengths[1] : m_tickLengths[0];
    const long double c = degCos(o + i), s = degSin(o + i);
    line(bitmap, polar(r, 1 - r, c, s), polar(r, length - r, c, s), color, m_scale);
  }

  // Outer row 0..180 from graduation 0; each number stands on its radius with
  // its top toward the outline.
  for (std::int64_t k = 0; k <= 18; ++k) {
    const std::int64_t n = 10 * k;
    const long double c = degCos(n + o), s = degSin(n + o);
    const long double d = t + scaled(8) - r;
    const Point p{roundHalfEven(d * c + r + 1), roundHalfEven(d * s + r + 1)};
    const std::int64_t angle = nonNegativeDegrees(90 - (n + o));
    drawRotatedText(bitmap, p, clampToInt32(angle), scaled(kOuterNumberSize), kOuterNumberColor, std::to_string(n));
  }

  // Inner row, reversed: 180 at graduation 0 down to 0 at graduation 180.
  if (m_innerScale) {
    for (std::int64_t k = 0; k <= 18; ++k) {
      const std::int64_t n = 180 - 10 * k;
      const long double c = degCos(10 * k + o), s = degSin(10 * k + o);
      const long double d = t + scaled(20) - r;
      const Point p{roundHalfEven(d * c + r + 1), roundHalfEven(d * s + r + 1)};
      const std::int64_t angle = nonNegativeDegrees(90 - (10 * k + o));
      drawRotatedText(bitmap, p, clampToInt32(angle), scaled(kInnerNumberSize), kInnerNumberColor,
                      std::to_string(n));
    }
  }

  // Straight edge along U, with a gap of a few pixels around the centre:
  // from C - (R - E)U to C - 3U, then from C + 4U to C + (R - E)U.
  const long double e = m_innerScale ? t + scaled(30) : t + scaled(17);
  const long double ux = degCos(o), uy = degSin(o);
  const long double cx = r + 1, cy = r + 1;
  auto at = [&](long double x, long double y) { return FloatPoint{static_cast<float>(x), static_cast<float>(y)}; };
  const long double gapBefore = scaled(3), gapAfter = scaled(4);
  line(bitmap, at(cx - (r - e) * ux, cy - (r - e) * uy), at(cx - gapBefore * ux, cy - gapBefore * uy), kGrey,
       m_scale);
  line(bitmap, at(cx + gapAfter * ux, cy + gapAfter * uy), at(cx + (r - e) * ux, cy + (r - e) * uy), kGrey,
       m_scale);

  // Centre circle of radius 3 about the centre pixel R + 1: the box
  // (R + 1 - 3, R + 1 - 3, R + 1 + 3 + 1, R + 1 + 3 + 1).
  const std::int64_t mid = std::int64_t{m_radius} + 1, rc = scaled(3);
  const Rect centreBox{clampToInt32(mid - rc), clampToInt32(mid - rc), clampToInt32(mid + rc + 1),
                       clampToInt32(mid + rc + 1)};
  strokeArcBox(bitmap, centreBox, 0, 360, kRed, m_scale);

  updateGrabZones(location);
}

namespace {

// Rectangle spanned by two corners, rounded, at least kMinZoneThickness thick.
Rect endZone(float ax, float ay, float bx, float by, std::int64_t minThickness) {
  orderPair(ax, bx);
  orderPair(ay, by);
  std::int64_t left = roundHalfEven(ax), top = roundHalfEven(ay);
  std::int64_t right = roundHalfEven(bx), bottom = roundHalfEven(by);
  if (bottom - top < minThickness) {
    const std::int64_t grow = (minThickness - (bottom - top)) / 2;
    top -= grow;
    bottom += grow;
  }
  if (right - left < minThickness) {
    const std::int64_t grow = (minThickness - (right - left)) / 2;
    left -= grow;
    right += grow;
  }
  return {clampToInt32(left), clampToInt32(top), clampToInt32(right), clampToInt32(bottom)};
}

}  // namespace

void Protractor::updateGrabZones(const RectF& location) {
  const long double lx = location.left, ly = location.top;
  const long double r = m_radius;
  const long double t = m_tickLengths[2];
  const std::int64_t o = m_orientation;
  const long double c0 = degCos(o), s0 = degSin(o);
  const long double c1 = degCos(o + 180), s1 = degSin(o + 180);
  auto f = [](long double v) { return static_cast<float>(v); };
  // The zones keep their size in logical pixels.
  const std::int64_t thickness = scaled(kMinZoneThickness);
  const std::int64_t half = scaled(kCentreZoneHalf);

  // Zone 1: from the outline at graduation 0 to radius R - T on that side.
  zoneRect(GrabZone::ZeroEnd) = endZone(f((1 - c0) * r + lx + 1), f((1 - s0) * r + ly + 1),  //
                                       f((t - r) * c0 + lx + r + 1), f((t - r) * s0 + ly + r + 1), thickness);
  // Zone 3: the same at graduation 180.
  zoneRect(GrabZone::End180) = endZone(f((t - r) * c1 + lx + r + 1), f((t - r) * s1 + ly + r + 1),  //
                                      f((1 - c1) * r + lx + 1), f((1 - s1) * r + ly + 1), thickness);
  // Zone 2: a 20 x 20 square about the centre.
  const std::int64_t left = static_cast<std::int64_t>(roundHalfEven(lx)) + m_radius + 1 - half;
  const std::int64_t top = static_cast<std::int64_t>(roundHalfEven(ly)) + m_radius + 1 - half;
  zoneRect(GrabZone::Centre) = {clampToInt32(left), clampToInt32(top), clampToInt32(left + 2 * half),
                                clampToInt32(top + 2 * half)};
}

}  // namespace gradoir
