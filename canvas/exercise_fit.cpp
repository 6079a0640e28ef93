#include "canvas/exercise_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace gradoir {

namespace {

using Real = long double;

struct Span {
  Real low;
  Real high;
};

Span spanOf(std::initializer_list<Real> values) {
  return {std::min(values), std::max(values)};
}

bool inside(Real value, std::int32_t size) { return value >= 0 && value <= size - 1; }

bool inside(PointF p, std::int32_t width, std::int32_t height) {
  return inside(p.x, width) && inside(p.y, height);
}

// The whole-pixel shift nearest to zero that brings the span within
// [margin, size - 1 - margin], trying the margin, then none; empty when the
// span is longer than the canvas.
std::optional<std::int64_t> shiftInto(Span span, std::int32_t size) {
  for (const std::int32_t margin : {kFitMargin, 0}) {
    const Real low = std::ceil(static_cast<Real>(margin) - span.low);
    const Real high = std::floor(static_cast<Real>(size - 1 - margin) - span.high);
    if (low <= high) return static_cast<std::int64_t>(std::clamp<Real>(0, low, high));
  }
  return std::nullopt;
}

PointF shifted(PointF p, std::int64_t dx, std::int64_t dy) {
  return {static_cast<float>(p.x + static_cast<Real>(dx)), static_cast<float>(p.y + static_cast<Real>(dy))};
}

// p moved towards the vertex v by the factor k (1: unchanged).
PointF towards(PointF v, PointF p, Real k) {
  return {static_cast<float>(v.x + k * (static_cast<Real>(p.x) - v.x)),
          static_cast<float>(v.y + k * (static_cast<Real>(p.y) - v.y))};
}

// The largest factor in [0, 1] that keeps v + k (p - v) inside one axis.
Real factorInside(Real v, Real p, std::int32_t size) {
  if (p > size - 1 && p > v) return (size - 1 - v) / (p - v);
  if (p < 0 && p < v) return v / (v - p);
  return 1;
}

bool hasDrawnSide(const AngleGeometry& g) {
  const bool onVertex = g.secondEnd.x == g.vertex.x && g.secondEnd.y == g.vertex.y;
  const bool asGenerated = g.secondEnd.x == g.generatedEnd.x && g.secondEnd.y == g.generatedEnd.y;
  return !onVertex && !asGenerated;
}

// Shortens both generated sides about the vertex so that the angle is no
// wider or taller than the canvas.
void shortenToFit(AngleGeometry& g, bool drawnSide, std::int32_t width, std::int32_t height) {
  const Span xs = spanOf({g.vertex.x, g.firstEnd.x, g.generatedEnd.x});
  const Span ys = spanOf({g.vertex.y, g.firstEnd.y, g.generatedEnd.y});
  Real k = 1;
  // One pixel to spare, so that the rounding of the new ends cannot undo it.
  const Real wide = xs.high - xs.low;
  const Real tall = ys.high - ys.low;
  if (wide > 0 && wide > width - 2) k = std::min(k, std::max<Real>(0, width - 2) / wide);
  if (tall > 0 && tall > height - 2) k = std::min(k, std::max<Real>(0, height - 2) / tall);
  g.firstEnd = towards(g.vertex, g.firstEnd, k);
  g.generatedEnd = towards(g.vertex, g.generatedEnd, k);
  if (!drawnSide) g.secondEnd = towards(g.vertex, g.secondEnd, k);
}

void shiftAngle(AngleGeometry& g, std::int64_t dx, std::int64_t dy) {
  for (PointF* p : {&g.vertex, &g.firstEnd, &g.secondEnd, &g.generatedEnd, &g.markStart, &g.markEnd}) {
    *p = shifted(*p, dx, dy);
  }
}

// A drawn second side that still reaches out of the canvas ends at its edge.
// False when it did not reach out.
bool pullDrawnSideIn(AngleGeometry& g, std::int32_t width, std::int32_t height) {
  if (inside(g.secondEnd, width, height)) return false;
  const Real k = std::min(factorInside(g.vertex.x, g.secondEnd.x, width),
                          factorInside(g.vertex.y, g.secondEnd.y, height));
  g.secondEnd = towards(g.vertex, g.secondEnd, std::clamp<Real>(k, 0, 1));
  return true;
}

// The grab zones about `centre` brought inside where they fit: with the
// angle when the centre lies on the vertex and both fit, else alone.
void reachZones(ExerciseFit& fit, PointF centre, ZoneReach reach, std::int32_t width, std::int32_t height) {
  const Span zx{centre.x + static_cast<Real>(reach.left), centre.x + static_cast<Real>(reach.right)};
  const Span zy{centre.y + static_cast<Real>(reach.top), centre.y + static_cast<Real>(reach.bottom)};
  if (inside(zx.low, width) && inside(zx.high, width) && inside(zy.low, height) && inside(zy.high, height)) return;
  AngleGeometry& g = fit.angle;
  const bool onVertex = std::fabs(static_cast<Real>(centre.x) - g.vertex.x) < 0.5L &&
                        std::fabs(static_cast<Real>(centre.y) - g.vertex.y) < 0.5L;
  if (onVertex) {
    const Span ax = spanOf({g.vertex.x, g.firstEnd.x, g.generatedEnd.x, g.secondEnd.x});
    const Span ay = spanOf({g.vertex.y, g.firstEnd.y, g.generatedEnd.y, g.secondEnd.y});
    const auto sx = shiftInto({std::min(ax.low, zx.low), std::max(ax.high, zx.high)}, width);
    const auto sy = shiftInto({std::min(ay.low, zy.low), std::max(ay.high, zy.high)}, height);
    if (sx && sy) {
      shiftAngle(g, *sx, *sy);
      fit.angleChanged = fit.angleChanged || *sx != 0 || *sy != 0;
      fit.protractorShift.x += static_cast<std::int32_t>(*sx);
      fit.protractorShift.y += static_cast<std::int32_t>(*sy);
      return;
    }
  }
  fit.protractorShift.x += static_cast<std::int32_t>(shiftInto(zx, width).value_or(0));
  fit.protractorShift.y += static_cast<std::int32_t>(shiftInto(zy, height).value_or(0));
}

}  // namespace

ExerciseFit fitExercise(const AngleGeometry& angle, PointF protractorCentre, std::int32_t width,
                        std::int32_t height, ZoneReach reach) {
  ExerciseFit fit{angle, false, {0, 0}};
  if (width <= 0 || height <= 0) return fit;
  AngleGeometry& g = fit.angle;
  const bool drawnSide = hasDrawnSide(g);
  std::int64_t dx = 0;
  std::int64_t dy = 0;
  const std::array<PointF, 3> figure{g.vertex, g.firstEnd, g.generatedEnd};
  const bool figureInside = std::all_of(figure.begin(), figure.end(),
                                        [&](PointF p) { return inside(p, width, height); });
  if (!figureInside) {
    auto xShift = shiftInto(spanOf({g.vertex.x, g.firstEnd.x, g.generatedEnd.x}), width);
    auto yShift = shiftInto(spanOf({g.vertex.y, g.firstEnd.y, g.generatedEnd.y}), height);
    if (!xShift || !yShift) {
      shortenToFit(g, drawnSide, width, height);
      xShift = shiftInto(spanOf({g.vertex.x, g.firstEnd.x, g.generatedEnd.x}), width);
      yShift = shiftInto(spanOf({g.vertex.y, g.firstEnd.y, g.generatedEnd.y}), height);
    }
    dx = xShift.value_or(0);
    dy = yShift.value_or(0);
    shiftAngle(g, dx, dy);
  }
  const bool pulled = drawnSide && pullDrawnSideIn(g, width, height);
  fit.angleChanged = !figureInside || pulled;

  const PointF centre = shifted(protractorCentre, dx, dy);
  const std::int64_t cx = inside(centre.x, width) ? 0 : shiftInto({centre.x, centre.x}, width).value_or(0);
  const std::int64_t cy = inside(centre.y, height) ? 0 : shiftInto({centre.y, centre.y}, height).value_or(0);
  fit.protractorShift = {static_cast<std::int32_t>(dx + cx), static_cast<std::int32_t>(dy + cy)};
  reachZones(fit, shifted(centre, cx, cy), reach, width, height);
  return fit;
}

}  // namespace gradoir
