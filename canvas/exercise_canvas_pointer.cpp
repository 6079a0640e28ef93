// Pointer handling of the exercise canvas. The handlers only sort events by
// mode and button and call one named step each. Qt grabs the pointer while a
// button is held, so moves and the release may arrive from outside the
// widget, with negative coordinates too; every step copes with any position.
#include <QMouseEvent>
#include <cstdint>

#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/degrees.h"
#include "figures/display_scale.h"
#include "figures/protractor.h"
#include "figures/pencil.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

constexpr std::uint8_t kNoZone = Protractor::kNoZone;
constexpr std::uint8_t kZeroEndZone = Protractor::kZeroEnd;
constexpr std::uint8_t kCentreZone = Protractor::kCentre;
constexpr std::uint8_t kFarEndZone = Protractor::kEnd180;

// The dragged protractor's centre sits this far above the pointer (logical
// pixels), so the pupil sees the centre mark over the vertex rather than
// under the arrow.
constexpr std::int32_t kDragLift = 7;
// The magnetised vertex pulls the centre from this far on each axis.
constexpr std::int32_t kSnapReach = 3;

bool leftHeld(const QMouseEvent* event) { return event->buttons().testFlag(Qt::LeftButton); }

// The touch handling has acted on these already; the window system or Qt
// makes them from a finger for widgets that do not take touches.
bool madeFromTouch(const QMouseEvent* event) {
  if (event->source() == Qt::MouseEventNotSynthesized) return false;
  const QInputDevice* device = event->device();
  return device == nullptr || device->type() == QInputDevice::DeviceType::TouchScreen ||
         device->type() == QInputDevice::DeviceType::TouchPad;
}

// Layer rectangle from edges computed in 64 bits, so that no pointer
// position can overflow the arithmetic.
RectF realRectFrom(long double left, long double top, long double right, long double bottom) {
  return realRectOf(static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                    static_cast<float>(bottom));
}

}  // namespace

// --- handlers ---------------------------------------------------------------------

void ExerciseCanvas::mousePressEvent(QMouseEvent* event) {
  if (madeFromTouch(event)) return;
  // With the pencil, the side jumps to the press point at once (also for
  // another button pressed while the left one is held).
  if (m_mode == CanvasTool::Pencil) {
    if (leftHeld(event)) pencilStep(devicePoint(event->position()));
    return;
  }
  // The drag acts on what lies under the press, not on what the last hover
  // left: a finger or a pen that never hovered still grabs the protractor,
  // and a press on empty canvas grabs nothing.
  if (event->button() == Qt::LeftButton) grabZoneAt(devicePoint(event->position()));
}

void ExerciseCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (madeFromTouch(event)) return;
  const Point pointer = devicePoint(event->position());
  if (m_mode == CanvasTool::Pencil) {
    if (leftHeld(event)) pencilStep(pointer);
    return;
  }
  if (!m_protractorLayer->visible()) return;
  if (leftHeld(event))
    dragProtractor(pointer);
  else
    hoverTest(pointer);
}

void ExerciseCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (madeFromTouch(event)) return;
  if (event->button() != Qt::LeftButton) return;
  if (m_mode == CanvasTool::Pencil)
    finishPencilStroke();
  else
    snapProtractorToVertex();
}

// --- pencil -----------------------------------------------------------------------

void ExerciseCanvas::pencilStep(Point pointer) {
  if (!m_angle) return;
  applyPencilStep(*m_angle, pointer);
  emit pencilStroked();
  // Red while the button is held; the layer's notification repaints.
  redrawAngle(true);
}

void ExerciseCanvas::finishPencilStroke() {
  if (!m_angle) return;
  m_strokeEnded = true;
  m_strokeEndPose = protractorPose();
  redrawAngle(false);
}

// --- protractor -------------------------------------------------------------------

std::uint8_t ExerciseCanvas::zoneAt(Point pointer) const {
  if (!m_protractorLayer->visible()) return kNoZone;
  for (std::uint8_t zone = kZeroEndZone; zone <= kFarEndZone; ++zone) {
    if (rectContains(m_protractor->grabZones()[zone], pointer)) return zone;
  }
  return kNoZone;
}

void ExerciseCanvas::hoverTest(Point pointer) {
  if (const std::uint8_t zone = zoneAt(pointer); zone != kNoZone) {
    m_activeZone = zone;
    setCursor(Qt::PointingHandCursor);
    return;
  }
  // Off every zone: the zone is forgotten only when the hand was showing, so
  // a zone stays active after the main window reset the cursor itself.
  if (cursor().shape() != Qt::ArrowCursor) {
    m_activeZone = kNoZone;
    setCursor(Qt::ArrowCursor);
  }
}

void ExerciseCanvas::grabZoneAt(Point pointer) {
  m_activeZone = zoneAt(pointer);
  if (m_activeZone != kNoZone) setCursor(Qt::PointingHandCursor);
}

void ExerciseCanvas::dragProtractor(Point pointer) {
  switch (m_activeZone) {
    case kCentreZone: moveProtractorCentreTo(pointer); break;
    case kZeroEndZone:
    case kFarEndZone: turnProtractorToward(pointer, m_activeZone); break;
    default: break;
  }
}

void ExerciseCanvas::moveProtractorCentreTo(Point pointer) {
  const std::int64_t r = m_protractor->radius();
  const std::int64_t x = pointer.x;
  const std::int64_t y = pointer.y - std::int64_t{scaledLength(kDragLift, deviceScale())};
  m_protractorLayer->setLocation(realRectFrom(x - r - 1, y - r - 1, x + r + 1, y + r + 1));
  m_protractor->updateGrabZones(m_protractorLayer->location());
}

void ExerciseCanvas::turnProtractorToward(Point pointer, std::uint8_t zone) {
  const RectF location = m_protractorLayer->location();
  const long double r = m_protractor->radius();
  const long double cx = static_cast<long double>(location.left) + r + 1;
  const long double cy = static_cast<long double>(location.top) + r + 1;
  // Screen y grows downwards, so this angle grows clockwise, like Orientation.
  const long double phi = screenDirection(pointer.x - cx, pointer.y - cy);
  // The zero end lies opposite the direction of Orientation.
  m_protractor->setOrientation(roundHalfEven(phi) + (zone == kZeroEndZone ? 180 : 0));
  m_protractor->draw(m_protractorLayer->bitmap(), m_protractorLayer->location());
  repaintNow();
}

void ExerciseCanvas::snapProtractorToVertex() {
  if (m_activeZone == kCentreZone) snapCentreOntoVertex();
}

void ExerciseCanvas::snapCentreOntoVertex() {
  if (!m_angle || !m_angle->magnetic()) return;
  const RectF location = m_protractorLayer->location();
  const std::int64_t r = m_protractor->radius();
  const std::int64_t cx = std::int64_t{roundHalfEven(location.left)} + r;
  const std::int64_t cy = std::int64_t{roundHalfEven(location.top)} + r;
  const Point v = roundPoint(m_angle->vertex());
  // With whole-pixel locations this accepts a vertex within 3 logical px of
  // the centre (Left + R + 1) on each axis: cx - 2 <= v.x < cx + 5 at ratio 1.
  const std::int64_t reach = scaledLength(kSnapReach, deviceScale());
  const bool close = cx + 1 - reach <= v.x && v.x <= cx + 1 + reach && cy + 1 - reach <= v.y && v.y <= cy + 1 + reach;
  if (!close) return;
  const long double vx = m_angle->vertex().x;
  const long double vy = m_angle->vertex().y;
  m_protractorLayer->setLocation(realRectFrom(vx - r - 1, vy - r - 1, vx + r + 1, vy + r + 1));
  m_protractor->updateGrabZones(m_protractorLayer->location());
}

}  // namespace gradoir
