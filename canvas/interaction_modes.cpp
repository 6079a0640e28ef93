#include "canvas/interaction_modes.h"

#include "canvas/exercise_scene.h"
#include "figures/degrees.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

PointerLook handOver(GrabZone zone) { return zone != GrabZone::None ? PointerLook::Hand : PointerLook::Unchanged; }

}  // namespace

// --- the protractor ----------------------------------------------------------------

PointerLook ProtractorMode::press(Point at, bool leftPressed, bool /*leftHeld*/) {
  if (!leftPressed) return PointerLook::Unchanged;
  // The drag acts on what lies under the press, not on what the last hover
  // left: a pen that never hovered still grabs the protractor, and a press
  // on empty canvas grabs nothing.
  m_scene.grab(m_scene.zoneAt(at));
  return handOver(m_scene.activeZone());
}

PointerLook ProtractorMode::move(Point at, bool leftHeld, bool arrowShowing) {
  if (!m_scene.protractorShown()) return PointerLook::Unchanged;
  if (leftHeld) {
    m_scene.dragTo(at);
    return PointerLook::Unchanged;
  }
  if (const GrabZone zone = m_scene.zoneAt(at); zone != GrabZone::None) {
    m_scene.grab(zone);
    return PointerLook::Hand;
  }
  // Off every zone: the zone is forgotten only when the hand was showing, so
  // a zone stays active after the main window reset the pointer itself.
  if (arrowShowing) return PointerLook::Unchanged;
  m_scene.grab(GrabZone::None);
  return PointerLook::Arrow;
}

void ProtractorMode::release() { m_scene.drop(); }

PointerLook ProtractorMode::fingerDown(Point at) {
  // The hover a finger cannot make: the zone under it, in a size a finger hits.
  m_scene.grab(m_scene.touchZoneAt(at));
  return handOver(m_scene.activeZone());
}

void ProtractorMode::fingerMoved(Point from, Point at) {
  if (!m_scene.protractorShown()) return;
  const GrabZone zone = m_scene.activeZone();
  if (zone == GrabZone::Centre) {
    // The protractor keeps its place under the finger: a finger hides what
    // lies under it, so the pupil may hold it beside the centre.
    m_scene.moveFromGestureStart(std::int64_t{at.x} - from.x, std::int64_t{at.y} - from.y, 0);
  } else if (zone == GrabZone::ZeroEnd || zone == GrabZone::End180) {
    // The end turns by as much as the finger turned about the centre, so it
    // does not jump to the finger's direction at the first move.
    const ProtractorPose start = m_scene.gestureStartPose();
    const double cx = static_cast<double>(start.centreX), cy = static_cast<double>(start.centreY);
    const long double turn = turnBetween(screenDirection(from.x - cx, from.y - cy), screenDirection(at.x - cx, at.y - cy));
    m_scene.moveFromGestureStart(0, 0, roundHalfEven(turn));
  }
}

void ProtractorMode::fingerLifted() { m_scene.drop(); }

bool ProtractorMode::twoFingersDown(Point a, Point b) {
  if (!m_scene.protractorShown()) return false;
  if (!m_scene.onProtractor(a) && !m_scene.onProtractor(b)) return false;
  m_pinnedOnVertex = m_scene.centreOnVertex();
  return true;
}

void ProtractorMode::twoFingersMoved(std::int32_t turn, std::int64_t dx, std::int64_t dy) {
  // Turned about its centre; a centre on the vertex stays there, so the
  // turn is about the vertex and the reading is not lost.
  if (m_pinnedOnVertex)
    m_scene.moveFromGestureStart(0, 0, turn);
  else
    m_scene.moveFromGestureStart(dx, dy, turn);
}

void ProtractorMode::twoFingersLifted() {
  // Lifting the fingers drops the protractor, as a mouse drop does.
  if (!m_pinnedOnVertex) m_scene.snapOntoVertex();
}

void ProtractorMode::arrowKey(std::int32_t dx, std::int32_t dy) { m_scene.moveBy(dx, dy); }

// --- the pencil --------------------------------------------------------------------

// The side jumps to the pointer while the left button is held: at a press
// too, also of another button pressed while the left one is held.
PointerLook PencilMode::move(Point at, bool leftHeld, bool /*arrowShowing*/) {
  if (leftHeld) m_scene.pencilStep(at);
  return PointerLook::Unchanged;
}

void PencilMode::release() { m_scene.endStroke(); }

void PencilMode::arrowKey(std::int32_t dx, std::int32_t dy) { m_scene.moveCrossHair(dx, dy); }

bool PencilMode::spaceKey() {
  m_scene.drawSideToCrossHair();
  return true;
}

}  // namespace gradoir
