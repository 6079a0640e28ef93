#include "canvas/exercise_canvas.h"

#include <algorithm>

#include "figures/angle.h"
#include "figures/degrees.h"
#include "figures/display_scale.h"
#include "figures/exercise_angle.h"
#include "figures/protractor.h"
#include "figures/protractor_placement.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

constexpr std::int32_t kProtractorRadius = 240;

// Side of the protractor's square layer and bitmap.
std::int32_t protractorSide(std::int32_t radius) { return 2 * (radius + 1); }

// Smallest rectangle holding both points, right and bottom inclusive.
Rect spanOf(Point a, Point b) {
  return rectOf(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

}  // namespace

ExerciseCanvas::ExerciseCanvas(QWidget* parent) : LayeredView(parent) {
  // The angle layer comes first in the list, so it is painted under the
  // protractor.
  m_angleLayer = std::make_unique<BitmapLayer>(&layers());
  m_angleLayer->setVisible(false);
  m_protractorLayer = std::make_unique<BitmapLayer>(&layers());
  m_protractor = std::make_unique<Protractor>(kProtractorRadius, true, deviceScale());
  const float side = static_cast<float>(protractorSide(m_protractor->radius()));
  m_protractorLayer->setLocation(realRectOf(0, 0, side, side));
  m_protractorLayer->setVisible(false);
  m_protractorLayer->bitmap().setDrawMode(DrawMode::Custom);
  m_protractorLayer->bitmap().pixelCombiner = transparentWhiteCombine;
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
  forgetCorrection();
  m_angleLayer.reset();
  m_protractorLayer.reset();
  m_protractor.reset();
  m_angle.reset();
}

void ExerciseCanvas::newExercise(bool magneticVertex, bool horizontalSide, const Level& level) {
  // Called from menu and button handlers, so nothing may escape: without
  // the memory for the angle's picture the canvas stays empty.
  if (!sizeAngleLayer()) {
    repaintNow();
    return;
  }
  forgetCorrection();
  m_angle = newExerciseAngle(deviceWidth(), deviceHeight(), 0, magneticVertex, horizontalSide,
                             m_mode == CanvasTool::Pencil, deviceScale(), level);
  m_crossHair.reset();
  redrawAngle(false);
  m_protractor->draw(m_protractorLayer->bitmap(), m_protractorLayer->location());
  showProtractor();
  setCursor(Qt::ArrowCursor);
}

bool ExerciseCanvas::sizeAngleLayer() {
  try {
    m_angleLayer->bitmap().setBitmapSize(deviceWidth(), deviceHeight());
  } catch (const std::exception&) {
    m_angle.reset();
    m_angleLayer->setVisible(false);
    m_protractorLayer->setVisible(false);
    return false;
  }
  m_angleLayer->setLocation(
      realRectOf(0, 0, static_cast<float>(deviceWidth()), static_cast<float>(deviceHeight())));
  return true;
}

void ExerciseCanvas::centerProtractor() {
  forgetCorrection();
  const std::int32_t side = protractorSide(m_protractor->radius());
  // Integer division truncates toward zero, as a narrow canvas expects.
  const std::int32_t left = (deviceWidth() - side) / 2;
  const std::int32_t top = (deviceHeight() - side) / 2;
  m_protractorLayer->setLocation(realRectOf(static_cast<float>(left), static_cast<float>(top),
                                            static_cast<float>(left + side), static_cast<float>(top + side)));
  m_protractor->setOrientation(0);
  m_protractor->draw(m_protractorLayer->bitmap(), m_protractorLayer->location());
}

void ExerciseCanvas::placeProtractorOnAngle() {
  if (!m_angle) return;
  const PointF v = m_angle->vertex();
  m_protractor->setOrientation(
      static_cast<std::int32_t>(protractorOnAngle(v, m_angle->firstEnd(), m_angle->generatedEnd()).pose.orientation));
  // The centre is at (R + 1, R + 1) in the layer, as when it snaps on.
  const float r = static_cast<float>(m_protractor->radius()) + 1;
  m_protractorLayer->setLocation(realRectOf(v.x - r, v.y - r, v.x + r, v.y + r));
  m_protractor->draw(m_protractorLayer->bitmap(), m_protractorLayer->location());
  repaintNow();
}

void ExerciseCanvas::showProtractor() {
  m_protractorLayer->setVisible(true);
  repaintNow();
}

void ExerciseCanvas::hideProtractor() {
  // Hiding a layer notifies nobody, so the repaint here is what removes it.
  m_protractorLayer->setVisible(false);
  repaintNow();
}

std::optional<std::int32_t> ExerciseCanvas::angleMeasure() const {
  return m_angle ? m_angle->measure() : std::nullopt;
}

void ExerciseCanvas::clearSecondSide() {
  if (m_angle) m_angle->clearSecondSide();
}

void ExerciseCanvas::setAngle(const AngleGeometry& geometry) {
  m_angle = std::make_unique<AngleFigure>(geometry);
  m_crossHair.reset();
  redrawAngle(false);
}

void ExerciseCanvas::redrawAngle(bool tracing) {
  m_angle->draw(m_angleLayer->bitmap(), tracing, deviceScale());
  m_angleLayer->setVisible(true);
}

SideBounds ExerciseCanvas::sideBounds() const {
  if (!m_angle) return {};
  const double scale = deviceScale();
  // The main window places widgets, which count logical pixels.
  auto logical = [scale](PointF p) {
    if (scale == 1.0) return roundPoint(p);
    const long double s = scale;
    return pointOf(roundHalfEven(p.x / s), roundHalfEven(p.y / s));
  };
  const Point vertex = logical(m_angle->vertex());
  return {spanOf(vertex, logical(m_angle->firstEnd())), spanOf(vertex, logical(m_angle->generatedEnd()))};
}

}  // namespace gradoir
