// Touch on the exercise canvas. The handlers follow the fingers of a touch
// sequence and measure them in device pixels: one finger is the mouse's left
// button with a hover at the touch point first; two fingers turn by the
// change of the angle between them and move with their midpoint. What that
// does is the current mode's to say. Accepting the touch events keeps Qt
// from making mouse events of them as well.
#include <QTouchEvent>
#include <algorithm>

#include "canvas/exercise_canvas.h"
#include "figures/degrees.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

Point roundedPoint(const QPointF& p) { return pointOf(roundHalfEven(p.x()), roundHalfEven(p.y())); }

// Direction in degrees (clockwise on screen) from a to b.
long double directionOf(const QPointF& a, const QPointF& b) { return screenDirection(b.x() - a.x(), b.y() - a.y()); }

// Whole pixels from a to b, in 64 bits so that no position can overflow.
std::int64_t pixelsBetween(std::int32_t a, std::int32_t b) { return std::int64_t{b} - a; }

const QEventPoint* pointWithId(const QTouchEvent* event, int id) {
  for (const QEventPoint& p : event->points())
    if (p.id() == id) return &p;
  return nullptr;
}

bool lifted(const QEventPoint* p) { return p == nullptr || p->state() == QEventPoint::State::Released; }

}  // namespace

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

void ExerciseCanvas::handleTouch(QTouchEvent* event) {
  using Kind = Touch::Kind;
  if (event->type() == QEvent::TouchCancel) {
    cancelTouch();
    return;
  }
  if (event->type() == QEvent::TouchBegin) {
    m_touch = {};
    m_scene.beginTouchSequence();
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
  m_touch.kind = Touch::Kind::OneFinger;
  m_touch.firstId = point.id();
  m_touch.firstStart = point.position() * deviceScale();
  m_scene.beginGesture();
  showLook(currentMode().fingerDown(devicePoint(point.position())));
}

void ExerciseCanvas::followOneFinger(const QEventPoint& point) {
  currentMode().fingerMoved(roundedPoint(m_touch.firstStart), devicePoint(point.position()));
}

void ExerciseCanvas::finishOneFinger() {
  currentMode().fingerLifted();
  m_touch.kind = Touch::Kind::Finished;
}

// --- two fingers ------------------------------------------------------------------

bool ExerciseCanvas::startTwoFingers(const QEventPoint& a, const QEventPoint& b) {
  InteractionMode& mode = currentMode();
  if (!mode.twoFingersDown(devicePoint(a.position()), devicePoint(b.position()))) return false;
  m_touch.kind = Touch::Kind::TwoFingers;
  m_touch.firstId = a.id();
  m_touch.secondId = b.id();
  m_touch.firstStart = a.position() * deviceScale();
  m_touch.secondStart = b.position() * deviceScale();
  m_touch.twoFingerMode = &mode;
  m_scene.beginGesture();
  return true;
}

void ExerciseCanvas::followTwoFingers(const QEventPoint& a, const QEventPoint& b) {
  const long double turn = turnBetween(directionOf(m_touch.firstStart, m_touch.secondStart),
                                       directionOf(a.position(), b.position()));
  const Point from = roundedPoint((m_touch.firstStart + m_touch.secondStart) / 2);  // device pixels
  const Point to = devicePoint((a.position() + b.position()) / 2);
  m_touch.twoFingerMode->twoFingersMoved(roundHalfEven(turn), pixelsBetween(from.x, to.x),
                                         pixelsBetween(from.y, to.y));
}

void ExerciseCanvas::finishTwoFingers() {
  m_touch.twoFingerMode->twoFingersLifted();
  m_touch.kind = Touch::Kind::Finished;
}

void ExerciseCanvas::cancelTouch() {
  if (m_touch.kind != Touch::Kind::None) m_scene.cancelTouchSequence();
  m_touch = {};
}

}  // namespace gradoir
