// Moving and turning the protractor: the grab zones, the drag, the keys'
// steps, the magnetised vertex and the touch gestures. Qt grabs the pointer
// while a button is held, so points may lie outside the canvas, with
// negative coordinates too; every step copes with any position.
#include <algorithm>
#include <climits>
#include <cmath>

#include "canvas/exercise_scene.h"
#include "figures/degrees.h"
#include "figures/display_scale.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

// The dragged protractor's centre sits this far above the pointer (logical
// pixels), so the pupil sees the centre mark over the vertex rather than
// under the arrow.
constexpr std::int32_t kDragLift = 7;
// The magnetised vertex pulls the centre from this far on each axis.
constexpr std::int32_t kSnapReach = 3;
// A fingertip covers about this much of a screen (logical pixels): a
// smaller grab zone is widened to it about its own middle.
constexpr std::int32_t kTouchZoneSide = 40;

// In 64 bits and clamped back: a protractor dragged absurdly far away has
// zones at the edge of the 32-bit range.
Rect widenedTo(const Rect& r, std::int32_t side) {
  const auto widen = [side](std::int32_t& low, std::int32_t& high) {
    const std::int64_t extra = side - (std::int64_t{high} - low);
    if (extra <= 0) return;
    const auto clamp32 = [](std::int64_t v) {
      return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    low = clamp32(low - extra / 2);
    high = clamp32(high + (extra - extra / 2));
  };
  Rect w = r;
  widen(w.left, w.right);
  widen(w.top, w.bottom);
  return w;
}

long double squaredDistance(long double ax, long double ay, PointF b) {
  return (ax - b.x) * (ax - b.x) + (ay - b.y) * (ay - b.y);
}

}  // namespace

// --- grab zones --------------------------------------------------------------------

GrabZone ExerciseScene::zoneAt(Point at) const {
  if (!protractorShown()) return GrabZone::None;
  for (const GrabZone zone : kGrabZones)
    if (rectContains(m_protractor->grabZone(zone), at)) return zone;
  return GrabZone::None;
}

GrabZone ExerciseScene::touchZoneAt(Point at) const {
  if (!protractorShown()) return GrabZone::None;
  const std::int32_t side = scaledLength(kTouchZoneSide, m_scale);
  for (const GrabZone zone : kGrabZones)
    if (rectContains(widenedTo(m_protractor->grabZone(zone), side), at)) return zone;
  return GrabZone::None;
}

bool ExerciseScene::onProtractor(Point at) const {
  const ProtractorPose p = pose();
  const long double r = m_protractor->radius();
  const long double dx = at.x - p.centreX;
  const long double dy = at.y - p.centreY;
  return dx * dx + dy * dy <= (r + 1) * (r + 1);
}

bool ExerciseScene::centreOnVertex() const {
  if (!m_angle) return false;
  const ProtractorPose p = pose();
  // A snap leaves the centre on the vertex up to the float rounding of the
  // layer's edges.
  return std::fabs(p.centreX - m_angle->vertex().x) < 0.5L && std::fabs(p.centreY - m_angle->vertex().y) < 0.5L;
}

// --- moving and turning ------------------------------------------------------------

void ExerciseScene::placeLayer(const RectF& layer) {
  m_protractorLayer.setLocation(layer);
  m_protractor->updateGrabZones(m_protractorLayer.location());
}

void ExerciseScene::turnTo(std::int32_t orientation) {
  if (orientation == m_protractor->orientation()) return;
  m_protractor->setOrientation(orientation);
  redrawProtractor();
  emit repaintRequested();
}

void ExerciseScene::dragTo(Point at) {
  switch (m_activeZone) {
    case GrabZone::Centre: moveCentreTo(at); break;
    case GrabZone::ZeroEnd:
    case GrabZone::End180: turnEndToward(at, m_activeZone); break;
    case GrabZone::None: break;
  }
}

void ExerciseScene::moveCentreTo(Point at) {
  const long double y = std::int64_t{at.y} - std::int64_t{scaledLength(kDragLift, m_scale)};
  placeLayer(protractorLayerAt(at.x, y, m_protractor->radius()));
}

void ExerciseScene::turnEndToward(Point at, GrabZone end) {
  const ProtractorPose p = pose();
  // Screen y grows downwards, so this angle grows clockwise, like the
  // orientation; the zero end lies opposite the orientation's direction.
  const long double phi = screenDirection(at.x - p.centreX, at.y - p.centreY);
  m_protractor->setOrientation(roundHalfEven(phi) + (end == GrabZone::ZeroEnd ? 180 : 0));
  redrawProtractor();
  emit repaintRequested();
}

void ExerciseScene::moveBy(std::int32_t dx, std::int32_t dy) {
  if (!protractorShown()) return;
  const ProtractorPose before = pose();
  placeLayer(shiftedRealRect(m_protractorLayer.location(), dx, dy));
  // The magnet pulls a protractor that comes near the vertex, as a drop
  // does; one that moves away is let go, or a centre resting on the vertex
  // could never leave it by single pixels.
  if (!m_angle) return;
  const ProtractorPose after = pose();
  const PointF v = m_angle->vertex();
  if (squaredDistance(after.centreX, after.centreY, v) < squaredDistance(before.centreX, before.centreY, v))
    snapOntoVertex();
}

void ExerciseScene::turnBy(std::int32_t degrees) {
  if (!protractorShown()) return;
  // Kept within one turn either way; the drawing reads any whole degree.
  turnTo((m_protractor->orientation() + degrees) % 360);
}

void ExerciseScene::drop() {
  if (m_activeZone == GrabZone::Centre) snapOntoVertex();
}

void ExerciseScene::snapOntoVertex() {
  if (!m_angle || !m_angle->magnetic()) return;
  const RectF location = m_protractorLayer.location();
  const std::int64_t r = m_protractor->radius();
  const std::int64_t cx = std::int64_t{roundHalfEven(location.left)} + r;
  const std::int64_t cy = std::int64_t{roundHalfEven(location.top)} + r;
  const Point v = roundPoint(m_angle->vertex());
  // With whole-pixel locations this accepts a vertex within 3 logical px of
  // the centre (Left + R + 1) on each axis: cx - 2 <= v.x < cx + 5 at ratio 1.
  const std::int64_t reach = scaledLength(kSnapReach, m_scale);
  const bool close = cx + 1 - reach <= v.x && v.x <= cx + 1 + reach && cy + 1 - reach <= v.y && v.y <= cy + 1 + reach;
  if (!close) return;
  placeLayer(protractorLayerAt(m_angle->vertex().x, m_angle->vertex().y, m_protractor->radius()));
}

// --- touch gestures ----------------------------------------------------------------

void ExerciseScene::beginTouchSequence() {
  m_sequenceStart = {m_protractorLayer.location(), m_protractor->orientation()};
  m_angleAtSequenceStart.reset();
  if (m_angle) m_angleAtSequenceStart = m_angle->geometry();
}

void ExerciseScene::beginGesture() { m_gestureStart = {m_protractorLayer.location(), m_protractor->orientation()}; }

ProtractorPose ExerciseScene::gestureStartPose() const {
  return protractorPoseOf(m_gestureStart.layer, m_protractor->radius(), m_gestureStart.orientation);
}

void ExerciseScene::moveFromGestureStart(std::int64_t dx, std::int64_t dy, std::int64_t turn) {
  const RectF layer = shiftedRealRect(m_gestureStart.layer, dx, dy);
  if (!(layer == m_protractorLayer.location())) placeLayer(layer);
  turnTo(static_cast<std::int32_t>(m_gestureStart.orientation + turn));
}

void ExerciseScene::cancelTouchSequence() {
  if (!(m_sequenceStart.layer == m_protractorLayer.location())) placeLayer(m_sequenceStart.layer);
  turnTo(m_sequenceStart.orientation);
  if (m_angle && m_angleAtSequenceStart && !(m_angle->geometry() == *m_angleAtSequenceStart))
    setAngle(*m_angleAtSequenceStart);
}

}  // namespace gradoir
