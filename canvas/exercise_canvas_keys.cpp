// Keys on the exercise canvas, for pupils who cannot use a pointer: arrows
// move the protractor by a pixel (Shift: ten), Page Up and Page Down turn it
// by a degree (Shift: ten); with the pencil the arrows move a cross-hair and
// Space draws the second side to it. The focus frame and the cross-hair are
// painted over the copied picture, never into the canvas's buffer.
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include "canvas/exercise_canvas.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

constexpr std::int32_t kFineStep = 1;
constexpr std::int32_t kCoarseStep = 10;
constexpr int kFocusFrameWidth = 3;
// Half the length of each arm of the cross-hair, and the gap at its middle
// that leaves the aimed pixel visible.
constexpr int kCrossArm = 14;
constexpr int kCrossGap = 4;
constexpr int kCrossWidth = 2;

}  // namespace

void ExerciseCanvas::keyPressEvent(QKeyEvent* event) {
  const std::int32_t step = event->modifiers().testFlag(Qt::ShiftModifier) ? kCoarseStep : kFineStep;
  const auto arrow = [&](std::int32_t dx, std::int32_t dy) {
    currentMode().arrowKey(dx * step, dy * step);
    // The cross-hair is painted over the picture: no layer asks for it.
    if (m_tool == CanvasTool::Pencil) update();
  };
  switch (event->key()) {
    case Qt::Key_Left: arrow(-1, 0); break;
    case Qt::Key_Right: arrow(1, 0); break;
    case Qt::Key_Up: arrow(0, -1); break;
    case Qt::Key_Down: arrow(0, 1); break;
    // Orientation counts clockwise: Page Up turns the other way. Both tools
    // turn the protractor, which the pencil aims with too.
    case Qt::Key_PageUp: m_scene.turnBy(-step); break;
    case Qt::Key_PageDown: m_scene.turnBy(step); break;
    case Qt::Key_Space:
      if (!currentMode().spaceKey()) {
        event->ignore();
        return;
      }
      break;
    default: LayeredView::keyPressEvent(event); return;
  }
  event->accept();
}

void ExerciseCanvas::focusInEvent(QFocusEvent* event) {
  LayeredView::focusInEvent(event);
  update();
}

void ExerciseCanvas::focusOutEvent(QFocusEvent* event) {
  LayeredView::focusOutEvent(event);
  update();
}

void ExerciseCanvas::paintEvent(QPaintEvent* event) {
  LayeredView::paintEvent(event);
  paintKeyboardMarks(event->rect());
}

void ExerciseCanvas::paintKeyboardMarks(const QRect& area) {
  if (!hasFocus()) return;
  QPainter painter(this);
  painter.setClipRect(area);
  const QColor highlight = palette().color(QPalette::Highlight);
  QPen frame(highlight, kFocusFrameWidth);
  frame.setJoinStyle(Qt::MiterJoin);
  painter.setPen(frame);
  painter.setBrush(Qt::NoBrush);
  const int inset = kFocusFrameWidth / 2;
  painter.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
  if (m_tool != CanvasTool::Pencil || !m_scene.angle()) return;
  // The cross-hair aims at a device pixel; the painter counts logical ones.
  const Point aim = m_scene.crossHair();
  const long double scale = deviceScale();
  const Point c = pointOf(roundHalfEven(aim.x / scale), roundHalfEven(aim.y / scale));
  painter.setPen(QPen(highlight, kCrossWidth));
  painter.drawLine(c.x - kCrossArm, c.y, c.x - kCrossGap, c.y);
  painter.drawLine(c.x + kCrossGap, c.y, c.x + kCrossArm, c.y);
  painter.drawLine(c.x, c.y - kCrossArm, c.x, c.y - kCrossGap);
  painter.drawLine(c.x, c.y + kCrossGap, c.x, c.y + kCrossArm);
}

}  // namespace gradoir
