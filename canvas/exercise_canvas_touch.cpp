// Touch and pen on the exercise canvas. One finger is the mouse's left
// button with a hover at the touch point first; two fingers on the
// protractor turn it by the change of the angle between them and move it
// with their midpoint. A pen is the mouse. Accepting the touch events keeps
// Qt from making mouse events of them as well.
#include <QTabletEvent>
#include <QTouchEvent>
#include <algorithm>
#include <climits>
#include <cmath>

#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/degrees.h"
#include "figures/protractor.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

// A fingertip covers about this much of a screen: a smaller grab zone is
// widened to it about its own middle.
constexpr std::int32_t kTouchZoneSide = 40;

Point roundedPoint(const QPointF& p) { return pointOf(roundHalfEven(p.x()), roundHalfEven(p.y())); }

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

// An angle difference brought into (-180, 180], so that crossing the
// direction where atan2 jumps does not spin the protractor round.
long double turnBetween(long double fromDegrees, long double toDegrees) {
  long double d = std::fmod(toDegrees - fromDegrees, 360.0L);
  if (d > 180.0L) d -= 360.0L;
  if (d <= -180.0L) d += 360.0L;
  return d;
}

// Direction in degrees (clockwise on screen) from a to b.
long double directionOf(const QPointF& a, const QPointF& b) { return screenDirection(b.x() - a.x(), b.y() - a.y()); }

RectF shifted(const RectF& r, std::int64_t dx, std::int64_t dy) {
  const auto at = [](float v, std::int64_t d) { return static_cast<float>(static_cast<long double>(v) + d); };
  return realRectOf(at(r.left, dx), at(r.top, dy), at(r.right, dx), at(r.bottom, dy));
}

// Whole pixels from a to b, in 64 bits so that no position can overflow.
std::int64_t pixelsBetween(std::int32_t a, std::int32_t b) { return std::int64_t{b} - a; }

const QEventPoint* pointWithId(const QTouchEvent* event, int id) {
  for (const QEventPoint& p : event->points())
    if (p.id() == id) return &p;
  return nullptr;
}

bool lifted(const QEventPoint* p) { return p == nullptr || p->state() == QEventPoint::State::Released; }

}  // namespace

// --- events -----------------------------------------------------------------------

bool ExerciseCanvas::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: {
      // QWidget::event keeps input from a disabled widget; this runs first.
      // A sequence that the disabling cut short is over.
      if (!isEnabled()) {
        m_touch = {};
        break;
      }
      auto* touch = static_cast<QTouchEvent*>(event);
      // A touchpad moves the mouse pointer: its fingers are not on the canvas.
      if (touch->device() && touch->device()->type() == QInputDevice::DeviceType::TouchPad) break;
      // Nothing may escape an event handler; a failed step leaves the
      // protractor where the last good one put it.
      try {
        handleTouch(touch);
      } catch (const std::exception&) {
        m_touch = {};
      }
      event->accept();
      return true;
    }
    default: break;
  }
  return LayeredView::event(event);
}

void ExerciseCanvas::tabletEvent(QTabletEvent* event) {
  // A pen acts like the mouse: the same handlers, the same steps.
  QEvent::Type type = QEvent::MouseMove;
  if (event->type() == QEvent::TabletPress) type = QEvent::MouseButtonPress;
  if (event->type() == QEvent::TabletRelease) type = QEvent::MouseButtonRelease;
  QMouseEvent mouse(type, event->position(), event->scenePosition(), event->globalPosition(), event->button(),
                    event->buttons(), event->modifiers());
  switch (type) {
    case QEvent::MouseButtonPress: mousePressEvent(&mouse); break;
    case QEvent::MouseButtonRelease: mouseReleaseEvent(&mouse); break;
    default: mouseMoveEvent(&mouse); break;
  }
  event->accept();
}

void ExerciseCanvas::handleTouch(QTouchEvent* event) {
  using Kind = TouchGesture::Kind;
  if (event->type() == QEvent::TouchCancel) {
    cancelTouch();
    return;
  }
  if (event->type() == QEvent::TouchBegin) {
    m_touch = {};
    m_touch.before = protractorPlacement();
    if (m_angle) m_touch.angleBefore = m_angle->geometry();
  } else if (m_touch.kind == Kind::None) {
    return;  // the rest of a cancelled sequence
  }
  const auto& points = event->points();
  switch (m_touch.kind) {
    case Kind::None:
      if (points.size() >= 2 && startTwoFingers(points[0], points[1])) break;
      if (points.size() >= 2) {
        m_touch.kind = Kind::Finished;
        break;
      }
      if (!points.empty()) startOneFinger(points[0]);
      break;
    case Kind::OneFinger: {
      const QEventPoint* first = pointWithId(event, m_touch.firstId);
      if (lifted(first)) {
        finishOneFinger();
        break;
      }
      // A second finger turns the one-finger gesture into a two-finger one
      // where that makes sense; elsewhere it is ignored.
      const auto other = std::find_if(points.begin(), points.end(), [&](const QEventPoint& p) {
        return p.id() != m_touch.firstId && p.state() != QEventPoint::State::Released;
      });
      if (other != points.end() && startTwoFingers(*first, *other)) break;
      followOneFinger(*first);
      break;
    }
    case Kind::TwoFingers: {
      const QEventPoint* a = pointWithId(event, m_touch.firstId);
      const QEventPoint* b = pointWithId(event, m_touch.secondId);
      if (lifted(a) || lifted(b)) {
        finishTwoFingers();
        break;
      }
      followTwoFingers(*a, *b);
      break;
    }
    case Kind::Finished: break;
  }
  if (event->type() == QEvent::TouchEnd) {
    if (m_touch.kind == Kind::OneFinger) finishOneFinger();
    if (m_touch.kind == Kind::TwoFingers) finishTwoFingers();
    m_touch = {};
  }
}

// --- one finger -------------------------------------------------------------------

void ExerciseCanvas::startOneFinger(const QEventPoint& point) {
  m_touch.kind = TouchGesture::Kind::OneFinger;
  m_touch.firstId = point.id();
  m_touch.firstStart = point.position() * deviceScale();
  m_touch.start = protractorPlacement();
  const Point at = devicePoint(point.position());
  if (m_mode == CanvasTool::Pencil) {
    pencilStep(at);
    return;
  }
  // The hover a finger cannot make: the zone under it, in a size a finger hits.
  m_activeZone = touchZoneAt(at);
  if (m_activeZone != Protractor::kNoZone) setCursor(Qt::PointingHandCursor);
}

void ExerciseCanvas::followOneFinger(const QEventPoint& point) {
  const Point at = devicePoint(point.position());
  if (m_mode == CanvasTool::Pencil) {
    pencilStep(at);
    return;
  }
  if (!m_protractorLayer->visible()) return;
  const Point from = roundedPoint(m_touch.firstStart);
  if (m_activeZone == Protractor::kCentre) {
    // The protractor keeps its place under the finger: a finger hides what
    // lies under it, so the pupil may hold it beside the centre.
    ProtractorPlacement pose = m_touch.start;
    pose.location = shifted(pose.location, pixelsBetween(from.x, at.x), pixelsBetween(from.y, at.y));
    setProtractorPlacement(pose);
  } else if (m_activeZone == Protractor::kZeroEnd || m_activeZone == Protractor::kEnd180) {
    // The end turns by as much as the finger turned about the centre, so it
    // does not jump to the finger's direction at the first move.
    const long double r = m_protractor->radius();
    const QPointF centre(m_touch.start.location.left + r + 1, m_touch.start.location.top + r + 1);
    const long double turn =
        turnBetween(directionOf(centre, QPointF(from.x, from.y)), directionOf(centre, QPointF(at.x, at.y)));
    ProtractorPlacement pose = m_touch.start;
    pose.orientation += roundHalfEven(turn);
    setProtractorPlacement(pose);
  }
}

void ExerciseCanvas::finishOneFinger() {
  if (m_mode == CanvasTool::Pencil)
    finishPencilStroke();
  else
    snapProtractorToVertex();
  m_touch.kind = TouchGesture::Kind::Finished;
}

// --- two fingers ------------------------------------------------------------------

bool ExerciseCanvas::startTwoFingers(const QEventPoint& a, const QEventPoint& b) {
  if (m_mode != CanvasTool::Protractor || !m_protractorLayer->visible()) return false;
  if (!onProtractor(devicePoint(a.position())) && !onProtractor(devicePoint(b.position()))) return false;
  m_touch.kind = TouchGesture::Kind::TwoFingers;
  m_touch.firstId = a.id();
  m_touch.secondId = b.id();
  m_touch.firstStart = a.position() * deviceScale();
  m_touch.secondStart = b.position() * deviceScale();
  m_touch.start = protractorPlacement();
  m_touch.pinnedOnVertex = centreOnVertex();
  return true;
}

void ExerciseCanvas::followTwoFingers(const QEventPoint& a, const QEventPoint& b) {
  const long double turn = turnBetween(directionOf(m_touch.firstStart, m_touch.secondStart),
                                       directionOf(a.position(), b.position()));
  ProtractorPlacement pose = m_touch.start;
  pose.orientation += roundHalfEven(turn);
  // Turned about its centre; a centre on the vertex stays there, so the
  // turn is about the vertex and the reading is not lost.
  if (!m_touch.pinnedOnVertex) {
    const QPointF startMid = (m_touch.firstStart + m_touch.secondStart) / 2;  // device pixels
    const Point from = roundedPoint(startMid);
    const Point to = devicePoint((a.position() + b.position()) / 2);
    pose.location = shifted(pose.location, pixelsBetween(from.x, to.x), pixelsBetween(from.y, to.y));
  }
  setProtractorPlacement(pose);
}

void ExerciseCanvas::finishTwoFingers() {
  // Lifting the fingers drops the protractor, as a mouse drop does.
  if (!m_touch.pinnedOnVertex) snapCentreOntoVertex();
  m_touch.kind = TouchGesture::Kind::Finished;
}

void ExerciseCanvas::cancelTouch() {
  if (m_touch.kind != TouchGesture::Kind::None) {
    setProtractorPlacement(m_touch.before);
    if (m_angle && m_touch.angleBefore && m_mode == CanvasTool::Pencil) {
      setAngle(*m_touch.angleBefore);
    }
  }
  m_touch = {};
}

// --- geometry ---------------------------------------------------------------------

std::uint8_t ExerciseCanvas::touchZoneAt(Point pointer) const {
  if (!m_protractorLayer->visible()) return Protractor::kNoZone;
  for (std::uint8_t zone = Protractor::kZeroEnd; zone <= Protractor::kEnd180; ++zone) {
    if (rectContains(widenedTo(m_protractor->grabZones()[zone], kTouchZoneSide), pointer)) return zone;
  }
  return Protractor::kNoZone;
}

bool ExerciseCanvas::onProtractor(Point pointer) const {
  const RectF at = m_protractorLayer->location();
  const long double r = m_protractor->radius();
  const long double dx = pointer.x - (at.left + r + 1);
  const long double dy = pointer.y - (at.top + r + 1);
  return dx * dx + dy * dy <= (r + 1) * (r + 1);
}

bool ExerciseCanvas::centreOnVertex() const {
  if (!m_angle) return false;
  const RectF at = m_protractorLayer->location();
  const long double r = m_protractor->radius();
  // A snap leaves the centre on the vertex up to the float rounding of the
  // layer's edges.
  return std::fabs(at.left + r + 1 - m_angle->vertex().x) < 0.5L &&
         std::fabs(at.top + r + 1 - m_angle->vertex().y) < 0.5L;
}

ProtractorPlacement ExerciseCanvas::protractorPlacement() const {
  return {m_protractorLayer->location(), m_protractor->orientation()};
}

void ExerciseCanvas::setProtractorPlacement(const ProtractorPlacement& pose) {
  const bool moved = !(pose.location == m_protractorLayer->location());
  const bool turned = pose.orientation != m_protractor->orientation();
  if (moved) {
    m_protractorLayer->setLocation(pose.location);
    m_protractor->updateGrabZones(pose.location);
  }
  if (turned) {
    m_protractor->setOrientation(pose.orientation);
    m_protractor->draw(m_protractorLayer->bitmap(), m_protractorLayer->location());
    repaintNow();
  }
}

}  // namespace gradoir
