#include "canvas/exercise_canvas.h"

#include <algorithm>

#include "figures/angle.h"
#include "figures/degrees.h"
#include "figures/exercise_angle.h"
#include "figures/protractor.h"
#include "figures/protractor_placement.h"
#include "raster/geometry.h"

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
  m_protractor = std::make_unique<Protractor>(kProtractorRadius, true);
  const float side = static_cast<float>(protractorSide(kProtractorRadius));
  m_protractorLayer->setLocation(realRectOf(0, 0, side, side));
  m_protractorLayer->setVisible(false);
  m_protractorLayer->bitmap().setDrawMode(DrawMode::Custom);
  m_protractorLayer->bitmap().pixelCombiner = transparentWhiteCombine;
  // Hovering over a grab zone shows the hand, so moves without a button
  // must arrive too.
  setMouseTracking(true);
}

ExerciseCanvas::~ExerciseCanvas() {
  m_angleLayer.reset();
  m_protractorLayer.reset();
  m_protractor.reset();
  m_angle.reset();
}

void ExerciseCanvas::newExercise(bool magneticVertex, bool horizontalSide, const MeasureRange& range) {
  // Called from menu and button handlers, so nothing may escape: without
  // the memory for the angle's picture the canvas stays empty.
  try {
    m_angleLayer->bitmap().setBitmapSize(width(), height());
  } catch (const std::exception&) {
    m_angle.reset();
    m_angleLayer->setVisible(false);
    m_protractorLayer->setVisible(false);
    repaintNow();
    return;
  }
  m_angleLayer->setLocation(realRectOf(0, 0, static_cast<float>(width()), static_cast<float>(height())));
  m_angle = newExerciseAngle(width(), height(), 0, magneticVertex, horizontalSide, m_mode == CanvasTool::Pencil,
                             range);
  redrawAngle(false);
  m_protractor->draw(m_protractorLayer->bitmap(), m_protractorLayer->location());
  showProtractor();
  setCursor(Qt::ArrowCursor);
}

void ExerciseCanvas::centerProtractor() {
  const std::int32_t side = protractorSide(m_protractor->radius());
  // Integer division truncates toward zero, as a narrow canvas expects.
  const std::int32_t left = (width() - side) / 2;
  const std::int32_t top = (height() - side) / 2;
  m_protractorLayer->setLocation(realRectOf(static_cast<float>(left), static_cast<float>(top),
                                            static_cast<float>(left + side), static_cast<float>(top + side)));
  m_protractor->setOrientation(0);
  m_protractor->draw(m_protractorLayer->bitmap(), m_protractorLayer->location());
}

void ExerciseCanvas::placeProtractorOnAngle() {
  if (!m_angle) return;
  const PointF v = m_angle->vertex();
  m_protractor->setOrientation(readingOrientation(v, m_angle->firstEnd(), m_angle->generatedEnd()));
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
  redrawAngle(false);
}

void ExerciseCanvas::redrawAngle(bool tracing) {
  m_angle->draw(m_angleLayer->bitmap(), tracing);
  m_angleLayer->setVisible(true);
}

SideBounds ExerciseCanvas::sideBounds() const {
  if (!m_angle) return {};
  const Point vertex = roundPoint(m_angle->vertex());
  return {spanOf(vertex, roundPoint(m_angle->firstEnd())), spanOf(vertex, roundPoint(m_angle->generatedEnd()))};
}

}  // namespace gradoir
