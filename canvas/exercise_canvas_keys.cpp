// Keys on the exercise canvas, for pupils who cannot use a pointer: arrows
// move the protractor by a pixel (Shift: ten), Page Up and Page Down turn it
// by a degree (Shift: ten); with the pencil the arrows move a cross-hair and
// Space draws the second side to it. The focus frame and the cross-hair are
// painted over the copied picture, never into the canvas's buffer.
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>
#include <algorithm>

#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/protractor.h"
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

long double squaredDistance(long double ax, long double ay, long double bx, long double by) {
  return (ax - bx) * (ax - bx) + (ay - by) * (ay - by);
}

}  // namespace

void ExerciseCanvas::keyPressEvent(QKeyEvent* event) {
  const std::int32_t step = event->modifiers().testFlag(Qt::ShiftModifier) ? kCoarseStep : kFineStep;
  const bool pencil = m_mode == CanvasTool::Pencil;
  const auto arrow = [&](std::int32_t dx, std::int32_t dy) {
    if (pencil)
      moveCrossHair(dx * step, dy * step);
    else
      moveProtractorByKeys(dx * step, dy * step);
  };
  switch (event->key()) {
    case Qt::Key_Left: arrow(-1, 0); break;
    case Qt::Key_Right: arrow(1, 0); break;
    case Qt::Key_Up: arrow(0, -1); break;
    case Qt::Key_Down: arrow(0, 1); break;
    // Orientation counts clockwise: Page Up turns the other way.
    case Qt::Key_PageUp: turnProtractorByKeys(-step); break;
    case Qt::Key_PageDown: turnProtractorByKeys(step); break;
    case Qt::Key_Space:
      if (!pencil) {
        event->ignore();
        return;
      }
      drawSideToCrossHair();
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

// --- protractor -------------------------------------------------------------------

void ExerciseCanvas::moveProtractorByKeys(std::int32_t dx, std::int32_t dy) {
  if (!m_protractorLayer->visible()) return;
  const RectF from = m_protractorLayer->location();
  const long double side = from.right - from.left;
  const long double left = static_cast<long double>(from.left) + dx;
  const long double top = static_cast<long double>(from.top) + dy;
  const RectF to = realRectOf(static_cast<float>(left), static_cast<float>(top), static_cast<float>(left + side),
                              static_cast<float>(top + side));
  m_protractorLayer->setLocation(to);
  m_protractor->updateGrabZones(to);
  // The magnet pulls a protractor that comes near the vertex, as a drop
  // does; one that moves away is let go, or a centre resting on the vertex
  // could never leave it by single pixels.
  if (!m_angle) return;
  const long double r = m_protractor->radius();
  const PointF v = m_angle->vertex();
  const long double before = squaredDistance(from.left + r + 1, from.top + r + 1, v.x, v.y);
  const long double after = squaredDistance(to.left + r + 1, to.top + r + 1, v.x, v.y);
  if (after < before) snapCentreOntoVertex();
}

void ExerciseCanvas::turnProtractorByKeys(std::int32_t degrees) {
  if (!m_protractorLayer->visible()) return;
  ProtractorPlacement pose = protractorPlacement();
  // Kept within one turn either way; the drawing reads any whole degree.
  pose.orientation = (pose.orientation + degrees) % 360;
  setProtractorPlacement(pose);
}

// --- pencil -----------------------------------------------------------------------

Point ExerciseCanvas::keyboardCrossHair() {
  // It starts at the far end of the drawn second side, or of the first side
  // before one is drawn: a point the pupil sees and can aim from.
  if (!m_crossHair) {
    if (!m_angle) return {};
    const bool drawn = m_angle->measure().has_value() && !(m_angle->secondEnd() == m_angle->vertex());
    m_crossHair = roundPoint(drawn ? m_angle->secondEnd() : m_angle->firstEnd());
  }
  return *m_crossHair;
}

void ExerciseCanvas::moveCrossHair(std::int32_t dx, std::int32_t dy) {
  if (!m_angle) return;
  const Point at = keyboardCrossHair();
  // Kept on the canvas, where the pupil can see it.
  const std::int32_t x = std::clamp(at.x + dx, 0, std::max(0, width() - 1));
  const std::int32_t y = std::clamp(at.y + dy, 0, std::max(0, height() - 1));
  m_crossHair = pointOf(x, y);
  update();
}

void ExerciseCanvas::drawSideToCrossHair() {
  if (!m_angle) return;
  pencilStep(keyboardCrossHair());
  finishPencilStroke();
}

// --- marks over the picture ---------------------------------------------------------

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
  if (m_mode != CanvasTool::Pencil || !m_angle) return;
  const Point c = keyboardCrossHair();
  painter.setPen(QPen(highlight, kCrossWidth));
  painter.drawLine(c.x - kCrossArm, c.y, c.x - kCrossGap, c.y);
  painter.drawLine(c.x + kCrossGap, c.y, c.x + kCrossArm, c.y);
  painter.drawLine(c.x, c.y - kCrossArm, c.x, c.y - kCrossGap);
  painter.drawLine(c.x, c.y + kCrossGap, c.x, c.y + kCrossArm);
}

}  // namespace gradoir
