// Mouse and pen on the exercise canvas: each event becomes a point in device
// pixels for the current mode. Qt grabs the pointer while a button is held,
// so moves and the release may arrive from outside the widget.
#include <QMouseEvent>
#include <QTabletEvent>

#include "canvas/exercise_canvas.h"

namespace gradoir {

namespace {

bool leftHeld(const QMouseEvent* event) { return event->buttons().testFlag(Qt::LeftButton); }

// The touch handling has acted on these already; the window system or Qt
// makes them from a finger for widgets that do not take touches.
bool madeFromTouch(const QMouseEvent* event) {
  if (event->source() == Qt::MouseEventNotSynthesized) return false;
  const QInputDevice* device = event->device();
  return device == nullptr || device->type() == QInputDevice::DeviceType::TouchScreen ||
         device->type() == QInputDevice::DeviceType::TouchPad;
}

}  // namespace

void ExerciseCanvas::mousePressEvent(QMouseEvent* event) {
  if (madeFromTouch(event)) return;
  showLook(currentMode().press(devicePoint(event->position()), event->button() == Qt::LeftButton, leftHeld(event)));
}

void ExerciseCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (madeFromTouch(event)) return;
  showLook(currentMode().move(devicePoint(event->position()), leftHeld(event),
                              cursor().shape() == Qt::ArrowCursor));
}

void ExerciseCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (madeFromTouch(event)) return;
  if (event->button() == Qt::LeftButton) currentMode().release();
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

}  // namespace gradoir
