#include "figures/angle.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>

#include "figures/angle_placement.h"
#include "figures/degrees.h"
#include "figures/draw_arc.h"
#include "figures/random_source.h"
#include "figures/stroke.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

constexpr Color32 kBackground = 0xFFFFFFFF;
constexpr Color32 kBlack = 0xFF000000;
constexpr Color32 kTracingRed = 0xFFFF0000;

// Measures beyond this, or below kMarkBelow, get a mark at the vertex so the
// pupil still sees where it is when the sides nearly line up.
constexpr std::int64_t kMarkAbove = 140;
constexpr std::int64_t kMarkBelow = 3;

void line(Bitmap32& bitmap, PointF from, PointF to, Color32 color, double scale) {
  strokeLine(bitmap, from, to, color, scale);
}

// Direction of the side from vertex to end in whole degrees, counterclockwise
// on screen, in 0..359.
std::int32_t sideDirection(PointF vertex, PointF end) {
  const long double dy = static_cast<long double>(end.y) - vertex.y;
  const long double dx = static_cast<long double>(end.x) - vertex.x;
  std::int32_t a = -roundHalfEven(screenDirection(dx, dy));
  if (a < 0) a += 360;  // atan2 lies in -pi..pi: one turn is enough
  return a;
}

void drawSideArc(Bitmap32& bitmap, const Rect& box, std::int32_t a1, std::int32_t a2, Color32 color,
                 double scale) {
  if (std::abs(a2 - a1) > 180) {
    // The opening crosses 0 degrees.
    strokeArcBox(bitmap, box, std::max(a1, a2), 360, color, scale);
    strokeArcBox(bitmap, box, 0, std::min(a1, a2), color, scale);
  } else {
    strokeArcBox(bitmap, box, a1, a2, color, scale);
  }
}

}  // namespace

AngleFigure::AngleFigure(Point origin, const Rect& bounds, std::int32_t firstLength, std::int32_t secondLength,
                         std::int32_t arcRadius, std::int32_t measure, bool magnetic, bool horizontal,
                         bool noSecondSide, const Level& level) {
  RandomSource random(nextAngleSeed());
  const std::int32_t wanted = measure != 0 ? measure : drawMeasure(random, level);
  const AnglePlacement p = placeAngle(random, origin, bounds, firstLength, secondLength, wanted, horizontal);
  m_g = AngleGeometry{p.vertex,    p.firstEnd,   noSecondSide ? p.vertex : p.secondEnd,
                      p.secondEnd, p.markStart,  p.markEnd,
                      firstLength, secondLength, arcRadius,
                      wanted,      magnetic,     horizontal};
}

void AngleFigure::setSecondSide(PointF end, std::int32_t measure) {
  if (end == m_g.vertex) {
    clearSecondSide();
    return;
  }
  m_g.secondEnd = end;
  m_g.measure = measure;
}

void AngleFigure::clearSecondSide() {
  m_g.secondEnd = m_g.vertex;
  m_g.measure.reset();
}

void AngleFigure::draw(Bitmap32& bitmap, bool tracing, double scale) const {
  const PointF vertex = m_g.vertex, firstEnd = m_g.firstEnd, secondEnd = m_g.secondEnd;
  const std::int32_t arcRadius = m_g.arcRadius;
  const bool noSide = secondEnd.x == vertex.x && secondEnd.y == vertex.y;
  const Color32 sideColor = tracing ? kTracingRed : kBlack;

  bitmap.fillAll(kBackground);
  line(bitmap, vertex, firstEnd, kBlack, scale);
  std::int32_t markTurn = 90;

  if (!noSide) {
    // The pupil may trace far outside the canvas; whatever the line
    // primitive cannot draw must not stop the arc and the mark.
    try {
      line(bitmap, vertex, secondEnd, sideColor, scale);
    } catch (const std::exception&) {
    }
    const Rect arcBox{roundHalfEven(static_cast<long double>(vertex.x) - arcRadius),
                        roundHalfEven(static_cast<long double>(vertex.y) - arcRadius),
                        roundHalfEven(static_cast<long double>(vertex.x) + arcRadius),
                        roundHalfEven(static_cast<long double>(vertex.y) + arcRadius)};
    const std::int32_t a1 = sideDirection(vertex, firstEnd);
    const std::int32_t a2 = sideDirection(vertex, secondEnd);
    const std::int32_t diff = a2 - a1;
    markTurn = std::abs(diff) < 3 ? 90 : diff / 2;

    const long double dx = static_cast<long double>(secondEnd.x) - vertex.x;
    const long double dy = static_cast<long double>(secondEnd.y) - vertex.y;
    if (std::sqrt(dx * dx + dy * dy) > arcRadius) drawSideArc(bitmap, arcBox, a1, a2, sideColor, scale);
  }

  const std::int64_t opening = m_g.measure ? std::llabs(static_cast<long long>(*m_g.measure)) : 0;
  if (!tracing && (noSide || opening > kMarkAbove || opening < kMarkBelow)) {
    line(bitmap, rotatePoint(vertex, m_g.markStart, markTurn), rotatePoint(vertex, m_g.markEnd, markTurn), kBlack,
         scale);
  }
}

}  // namespace gradoir
