#include "canvas/exercise_canvas.h"

#include <QResizeEvent>

#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

ExerciseCanvas::ExerciseCanvas(QWidget* parent) : LayeredView(parent), m_scene(layers(), deviceScale()) {
  connect(&m_scene, &ExerciseScene::repaintRequested, this, &LayeredView::repaintNow);
  connect(&m_scene, &ExerciseScene::pencilStroked, this, &ExerciseCanvas::pencilStroked);
  connect(&m_scene, &ExerciseScene::correctionArrived, this, &ExerciseCanvas::correctionArrived);
  // Hovering over a grab zone shows the hand, so moves without a button
  // must arrive too.
  setMouseTracking(true);
  // Fingers arrive as touches, not as mouse events made of them. Keys come
  // by Tab only: a click must leave the focus in the answer box.
  setAttribute(Qt::WA_AcceptTouchEvents);
  // A hovering pen shows the hand over a grab zone, as the mouse does.
  setAttribute(Qt::WA_TabletTracking);
  setFocusPolicy(Qt::TabFocus);
}

ExerciseCanvas::~ExerciseCanvas() {
  // The scene's layers leave the stack before the view goes: nothing of
  // that may reach the half-destroyed canvas or those listening to it.
  layers().beginUpdate();
}

void ExerciseCanvas::newExercise(bool magneticVertex, bool horizontalSide, const Level& level) {
  if (m_scene.newExercise(deviceWidth(), deviceHeight(), magneticVertex, horizontalSide,
                          m_tool == CanvasTool::Pencil, level))
    setCursor(Qt::ArrowCursor);
}

void ExerciseCanvas::centerProtractor() { m_scene.centerProtractor(deviceWidth(), deviceHeight()); }

InteractionMode& ExerciseCanvas::currentMode() {
  if (m_tool == CanvasTool::Pencil) return m_pencilMode;
  return m_protractorMode;
}

Point ExerciseCanvas::devicePoint(const QPointF& position) const {
  const long double scale = deviceScale();
  return pointOf(roundHalfEven(position.x() * scale), roundHalfEven(position.y() * scale));
}

void ExerciseCanvas::showLook(PointerLook look) {
  if (look == PointerLook::Hand) setCursor(Qt::PointingHandCursor);
  if (look == PointerLook::Arrow) setCursor(Qt::ArrowCursor);
}

void ExerciseCanvas::resizeEvent(QResizeEvent* event) {
  LayeredView::resizeEvent(event);
  m_scene.fitTo(deviceWidth(), deviceHeight());
}

void ExerciseCanvas::deviceScaleChanged(double /*previous*/) {
  m_scene.setScale(deviceScale(), deviceWidth(), deviceHeight());
}

}  // namespace gradoir
