#include "figures/protractor.h"

#include <algorithm>
#include <limits>
#include <string>

#include "figures/degrees.h"
#include "figures/draw_arc.h"
#include "figures/rotated_text.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

constexpr TColor32 kBackground = 0xFFFFFFFF;
constexpr TColor32 kGrey = 0xFF7F7F7F;
constexpr TColor32 kRed = 0xFFFF0000;
constexpr TColor kOuterNumberColor = 0x808000;  // toolkit colour: teal
constexpr TColor kInnerNumberColor = 0xFF0000;  // toolkit colour: blue
constexpr std::int32_t kOuterNumberSize = 10;
constexpr std::int32_t kInnerNumberSize = 8;
// Zones thinner than this are widened so the pupil can still grab them.
constexpr std::int64_t kMinZoneThickness = 10;
constexpr std::int32_t kCentreZoneHalf = 10;

std::int32_t ClampToInt32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Degrees brought to 0 or above by whole turns.
std::int64_t NonNegativeDegrees(std::int64_t a) {
  if (a >= 0) return a;
  const std::int64_t r = a % 360;
  return r == 0 ? 0 : r + 360;
}

// A point of the bitmap, computed in extended precision and kept as floats.
struct TFloatPoint {
  float X, Y;
};

// The point at signed distance d from the centre (R + 1, R + 1) along the
// unit vector (c, s), evaluated as d*c + R + 1.
TFloatPoint Polar(long double radius, long double d, long double c, long double s) {
  return {static_cast<float>(d * c + radius + 1), static_cast<float>(d * s + radius + 1)};
}

void Line(TBitmap32& bitmap, TFloatPoint from, TFloatPoint to, TColor32 color) {
  bitmap.SmoothLine(from.X, from.Y, to.X, to.Y, color, false);
}

// The orientation the drawing works with. The pointer only ever produces
// -180..360, where the arithmetic below holds. Below -180 the outline's range
// would run past 360 (losing part of the half circle) and the label angles
// would grow without bound, so such an orientation is drawn as its
// equivalent in 0..359.
std::int64_t DrawingOrientation(std::int32_t orientation) {
  return orientation < -180 ? NonNegativeDegrees(orientation % 360) : orientation;
}

void DrawOutline(TBitmap32& bitmap, std::int64_t radius, std::int64_t orientation) {
  std::int64_t a = NonNegativeDegrees(-orientation);
  const std::int64_t b = NonNegativeDegrees(180 - orientation);
  const TRect box{1, 1, ClampToInt32(2 * radius + 1), ClampToInt32(2 * radius + 1)};
  if (a > b) {
    DrawArc(bitmap, box, static_cast<std::int32_t>(a), 360, kGrey);
    a = 0;
  }
  DrawArc(bitmap, box, static_cast<std::int32_t>(a), static_cast<std::int32_t>(b), kGrey);
}

}  // namespace

TGradoir::TGradoir(std::int32_t radius, bool inner_scale) : Radius(radius), InnerScale(inner_scale) {}

void TGradoir::Draw(TBitmapLayer& layer) {
  TBitmap32& bitmap = layer.Bitmap();
  const std::int64_t o = DrawingOrientation(Orientation);
  // Extended-precision copies: every product below must be formed in long
  // double, never in float.
  const long double r = Radius;
  const long double t = TickLengths[2];

  const std::int32_t side = ClampToInt32(2 * static_cast<std::int64_t>(Radius) + 2);
  bitmap.SetBitmapSize(side, side);
  bitmap.FillAll(kBackground);

  DrawOutline(bitmap, Radius, o);

  // Graduations run inward from radius R - 1 to radius R - L.
  for (std::int64_t i = 0; i <= 180; ++i) {
    const TColor32 color = (i == 0 || i == 180) ? kRed : kGrey;
    const long double length = i % 10 == 0 ? TickLengths[2] : i % 5 == 0 ? TickLengths[1] : TickLengths[0];
    const long double c = DegCos(o + i), s = DegSin(o + i);
    Line(bitmap, Polar(r, 1 - r, c, s), Polar(r, length - r, c, s), color);
  }

  // Outer row 0..180 from graduation 0; each number stands on its radius with
  // its top toward the outline.
  for (std::int64_t k = 0; k <= 18; ++k) {
    const std::int64_t n = 10 * k;
    const long double c = DegCos(n + o), s = DegSin(n + o);
    const TPoint p{RoundHalfEven((t + 8 - r) * c + r + 1), RoundHalfEven((t + 8 - r) * s + r + 1)};
    const std::int64_t angle = NonNegativeDegrees(90 - (n + o));
    DrawRotatedText(bitmap, p, ClampToInt32(angle), kOuterNumberSize, kOuterNumberColor, std::to_string(n));
  }

  // Inner row, reversed: 180 at graduation 0 down to 0 at graduation 180.
  if (InnerScale) {
    for (std::int64_t k = 0; k <= 18; ++k) {
      const std::int64_t n = 180 - 10 * k;
      const long double c = DegCos(10 * k + o), s = DegSin(10 * k + o);
      const TPoint p{RoundHalfEven((t + 20 - r) * c + r + 1), RoundHalfEven((t + 20 - r) * s + r + 1)};
      const std::int64_t angle = NonNegativeDegrees(90 - (10 * k + o));
      DrawRotatedText(bitmap, p, ClampToInt32(angle), kInnerNumberSize, kInnerNumberColor, std::to_string(n));
    }
  }

  // Straight edge along U, with a gap of a few pixels around the centre:
  // from C - (R - E)U to C - 3U, then from C + 4U to C + (R - E)U.
  const long double e = InnerScale ? t + 30 : t + 17;
  const long double ux = DegCos(o), uy = DegSin(o);
  const long double cx = r + 1, cy = r + 1;
  auto at = [&](long double x, long double y) { return TFloatPoint{static_cast<float>(x), static_cast<float>(y)}; };
  Line(bitmap, at(cx - (r - e) * ux, cy - (r - e) * uy), at(cx - 3 * ux, cy - 3 * uy), kGrey);
  Line(bitmap, at(cx + 4 * ux, cy + 4 * uy), at(cx + (r - e) * ux, cy + (r - e) * uy), kGrey);

  // Centre circle of radius 3.
  const std::int64_t ri = Radius;
  const TRect centre_box{ClampToInt32(ri - 2), ClampToInt32(ri - 2), ClampToInt32(ri + 5), ClampToInt32(ri + 5)};
  DrawArc(bitmap, centre_box, 0, 360, kRed);

  UpdateGrabZones(layer);
}

namespace {

// Rectangle spanned by two corners, rounded, at least kMinZoneThickness thick.
TRect EndZone(float ax, float ay, float bx, float by) {
  OrderPair(ax, bx);
  OrderPair(ay, by);
  std::int64_t left = RoundHalfEven(ax), top = RoundHalfEven(ay);
  std::int64_t right = RoundHalfEven(bx), bottom = RoundHalfEven(by);
  if (bottom - top < kMinZoneThickness) {
    const std::int64_t grow = (kMinZoneThickness - (bottom - top)) / 2;
    top -= grow;
    bottom += grow;
  }
  if (right - left < kMinZoneThickness) {
    const std::int64_t grow = (kMinZoneThickness - (right - left)) / 2;
    left -= grow;
    right += grow;
  }
  return {ClampToInt32(left), ClampToInt32(top), ClampToInt32(right), ClampToInt32(bottom)};
}

}  // namespace

void TGradoir::UpdateGrabZones(const TBitmapLayer& layer) {
  const TRealRect location = layer.Location();
  const long double lx = location.Left, ly = location.Top;
  const long double r = Radius;
  const long double t = TickLengths[2];
  const std::int64_t o = Orientation;
  const long double c0 = DegCos(o), s0 = DegSin(o);
  const long double c1 = DegCos(o + 180), s1 = DegSin(o + 180);
  auto f = [](long double v) { return static_cast<float>(v); };

  // Zone 1: from the outline at graduation 0 to radius R - T on that side.
  GrabZones[kZeroEnd] = EndZone(f((1 - c0) * r + lx + 1), f((1 - s0) * r + ly + 1),  //
                                f((t - r) * c0 + lx + r + 1), f((t - r) * s0 + ly + r + 1));
  // Zone 3: the same at graduation 180.
  GrabZones[kEnd180] = EndZone(f((t - r) * c1 + lx + r + 1), f((t - r) * s1 + ly + r + 1),  //
                               f((1 - c1) * r + lx + 1), f((1 - s1) * r + ly + 1));
  // Zone 2: a 20 x 20 square about the centre.
  const std::int64_t left = static_cast<std::int64_t>(RoundHalfEven(lx)) + Radius + 1 - kCentreZoneHalf;
  const std::int64_t top = static_cast<std::int64_t>(RoundHalfEven(ly)) + Radius + 1 - kCentreZoneHalf;
  GrabZones[kCentre] = {ClampToInt32(left), ClampToInt32(top), ClampToInt32(left + 2 * kCentreZoneHalf),
                        ClampToInt32(top + 2 * kCentreZoneHalf)};
}

}  // namespace gradoir
