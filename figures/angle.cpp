#include "figures/angle.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <numbers>

#include "figures/angle_placement.h"
#include "figures/degrees.h"
#include "figures/draw_arc.h"
#include "figures/random_source.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

constexpr TColor32 kBackground = 0xFFFFFFFF;
constexpr TColor32 kBlack = 0xFF000000;
constexpr TColor32 kTracingRed = 0xFFFF0000;

// Measures beyond this, or below kMarkBelow, get a mark at the vertex so the
// pupil still sees where it is when the sides nearly line up.
constexpr std::int64_t kMarkAbove = 140;
constexpr std::int64_t kMarkBelow = 3;

void Line(TBitmap32& bitmap, TRealPoint from, TRealPoint to, TColor32 color) {
  bitmap.SmoothLine(from.X, from.Y, to.X, to.Y, color, false);
}

// Direction of the side from vertex to end in whole degrees, counterclockwise
// on screen, in 0..359.
std::int32_t SideDirection(TRealPoint vertex, TRealPoint end) {
  constexpr long double pi = std::numbers::pi_v<long double>;
  const long double dy = static_cast<long double>(end.Y) - vertex.Y;
  const long double dx = static_cast<long double>(end.X) - vertex.X;
  std::int32_t a = -RoundHalfEven(std::atan2(dy, dx) * 180 / pi);
  if (a < 0) a += 360;  // atan2 lies in -pi..pi: one turn is enough
  return a;
}

void DrawSideArc(TBitmap32& bitmap, const TRect& box, std::int32_t a1, std::int32_t a2, TColor32 color) {
  if (std::abs(a2 - a1) > 180) {
    // The opening crosses 0 degrees.
    DrawArc(bitmap, box, std::max(a1, a2), 360, color);
    DrawArc(bitmap, box, 0, std::min(a1, a2), color);
  } else {
    DrawArc(bitmap, box, a1, a2, color);
  }
}

}  // namespace

TAngle::TAngle(TPoint origin, const TRect& bounds, std::int32_t first_length, std::int32_t second_length,
               std::int32_t arc_radius, std::int32_t measure, bool magnetic, bool horizontal,
               bool no_second_side)
    : FirstLength(first_length),
      SecondLength(second_length),
      ArcRadius(arc_radius),
      Magnetic(magnetic),
      Horizontal(horizontal) {
  TRandomSource random(NextAngleSeed());
  Measure = measure != 0 ? measure : static_cast<std::int32_t>(5 + random.Below(171));
  const TAnglePlacement p = PlaceAngle(random, origin, bounds, first_length, second_length, Measure, horizontal);
  Vertex = p.Vertex;
  FirstEnd = p.FirstEnd;
  SecondEnd = p.SecondEnd;
  GeneratedEnd = p.SecondEnd;
  MarkStart = p.MarkStart;
  MarkEnd = p.MarkEnd;
  if (no_second_side) SecondEnd = Vertex;
}

void TAngle::Draw(TBitmapLayer& layer, bool tracing) const {
  TBitmap32& bitmap = layer.Bitmap();
  const bool no_side = SecondEnd.X == Vertex.X && SecondEnd.Y == Vertex.Y;
  const TColor32 side_color = tracing ? kTracingRed : kBlack;

  bitmap.FillAll(kBackground);
  Line(bitmap, Vertex, FirstEnd, kBlack);
  std::int32_t mark_turn = 90;

  if (!no_side) {
    // The pupil may trace far outside the canvas; whatever the line
    // primitive cannot draw must not stop the arc and the mark.
    try {
      Line(bitmap, Vertex, SecondEnd, side_color);
    } catch (const std::exception&) {
    }
    const TRect arc_box{RoundHalfEven(static_cast<long double>(Vertex.X) - ArcRadius),
                        RoundHalfEven(static_cast<long double>(Vertex.Y) - ArcRadius),
                        RoundHalfEven(static_cast<long double>(Vertex.X) + ArcRadius),
                        RoundHalfEven(static_cast<long double>(Vertex.Y) + ArcRadius)};
    const std::int32_t a1 = SideDirection(Vertex, FirstEnd);
    const std::int32_t a2 = SideDirection(Vertex, SecondEnd);
    const std::int32_t diff = a2 - a1;
    mark_turn = std::abs(diff) < 3 ? 90 : diff / 2;

    const long double dx = static_cast<long double>(SecondEnd.X) - Vertex.X;
    const long double dy = static_cast<long double>(SecondEnd.Y) - Vertex.Y;
    if (std::sqrt(dx * dx + dy * dy) > ArcRadius) DrawSideArc(bitmap, arc_box, a1, a2, side_color);
  }

  const std::int64_t measure = std::llabs(static_cast<long long>(Measure));
  if (!tracing && (no_side || measure > kMarkAbove || measure < kMarkBelow)) {
    Line(bitmap, RotatePoint(Vertex, MarkStart, mark_turn), RotatePoint(Vertex, MarkEnd, mark_turn), kBlack);
  }
  layer.SetVisible(true);
}

}  // namespace gradoir
