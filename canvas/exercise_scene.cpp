#include "canvas/exercise_scene.h"

#include <QVariantAnimation>
#include <algorithm>
#include <exception>

#include "figures/exercise_angle.h"
#include "figures/pencil.h"
#include "figures/protractor_placement.h"
#include "raster/geometry.h"
#include "raster/rounding.h"
#include "raster/transfer.h"

namespace gradoir {

namespace {

constexpr std::int32_t kProtractorRadius = 240;

// Smallest rectangle holding both points, right and bottom inclusive.
Rect spanOf(Point a, Point b) {
  return rectOf(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

}  // namespace

ExerciseScene::ExerciseScene(LayerStack& layers, double scale)
    : m_protractor(std::make_unique<Protractor>(kProtractorRadius, true, scale)),
      m_angleLayer(&layers),
      m_protractorLayer(&layers),
      m_scale(scale) {
  m_angleLayer.setVisible(false);
  const float side = 2 * (static_cast<float>(m_protractor->radius()) + 1);
  m_protractorLayer.setLocation(realRectOf(0, 0, side, side));
  m_protractorLayer.setVisible(false);
  // Opaque white (exactly 0xFFFFFFFF) lets the angle beneath show.
  m_protractorLayer.bitmap().setDrawMode(DrawMode::Custom);
  m_protractorLayer.bitmap().pixelCombiner = transparentWhiteCombine;
}

ExerciseScene::~ExerciseScene() { forgetCorrection(); }

// --- the exercise ------------------------------------------------------------------

bool ExerciseScene::newExercise(std::int32_t width, std::int32_t height, bool magneticVertex, bool horizontalSide,
                                bool drawing, const Level& level) {
  // Called from menu and button handlers, so nothing may escape: without
  // the memory for the angle's picture the canvas stays empty.
  if (!sizeAngleLayer(width, height)) {
    emit repaintRequested();
    return false;
  }
  forgetCorrection();
  m_angle = newExerciseAngle(width, height, 0, magneticVertex, horizontalSide, drawing, m_scale, level);
  m_crossHair.reset();
  redrawAngle(false);
  redrawProtractor();
  showProtractor();
  return true;
}

bool ExerciseScene::sizeAngleLayer(std::int32_t width, std::int32_t height) {
  try {
    m_angleLayer.bitmap().setBitmapSize(width, height);
  } catch (const std::exception&) {
    m_angle.reset();
    m_angleLayer.setVisible(false);
    m_protractorLayer.setVisible(false);
    return false;
  }
  m_angleLayer.setLocation(realRectOf(0, 0, static_cast<float>(width), static_cast<float>(height)));
  return true;
}

void ExerciseScene::clearExercise() {
  forgetCorrection();
  m_angle.reset();
  m_crossHair.reset();
  m_strokeEnded = false;
  m_strokeEndPose.reset();
  // Hidden layers notify nobody: the repaint asked for here clears them.
  m_angleLayer.setVisible(false);
  m_protractorLayer.setVisible(false);
  emit repaintRequested();
}

void ExerciseScene::setAngle(const AngleGeometry& geometry) {
  m_angle = std::make_unique<AngleFigure>(geometry);
  m_crossHair.reset();
  redrawAngle(false);
}

void ExerciseScene::clearSecondSide() {
  if (m_angle) m_angle->clearSecondSide();
}

std::optional<std::int32_t> ExerciseScene::angleMeasure() const {
  return m_angle ? m_angle->measure() : std::nullopt;
}

void ExerciseScene::redrawAngle(bool tracing) {
  m_angle->draw(m_angleLayer.bitmap(), tracing, m_scale);
  m_angleLayer.setVisible(true);
}

SideBounds ExerciseScene::sideBounds() const {
  if (!m_angle) return {};
  const double scale = m_scale;
  // The main window places widgets, which count logical pixels.
  auto logical = [scale](PointF p) {
    if (scale == 1.0) return roundPoint(p);
    const long double s = scale;
    return pointOf(roundHalfEven(p.x / s), roundHalfEven(p.y / s));
  };
  const Point vertex = logical(m_angle->vertex());
  return {spanOf(vertex, logical(m_angle->firstEnd())), spanOf(vertex, logical(m_angle->generatedEnd()))};
}

// --- the protractor where the main window puts it --------------------------------

void ExerciseScene::redrawProtractor() { m_protractor->draw(m_protractorLayer.bitmap(), m_protractorLayer.location()); }

void ExerciseScene::centerProtractor(std::int32_t width, std::int32_t height) {
  forgetCorrection();
  const std::int32_t side = 2 * (m_protractor->radius() + 1);
  // Integer division truncates toward zero, as a narrow canvas expects.
  const std::int32_t left = (width - side) / 2;
  const std::int32_t top = (height - side) / 2;
  m_protractorLayer.setLocation(realRectOf(static_cast<float>(left), static_cast<float>(top),
                                           static_cast<float>(left + side), static_cast<float>(top + side)));
  m_protractor->setOrientation(0);
  redrawProtractor();
}

void ExerciseScene::placeProtractorOnAngle(std::int32_t width, std::int32_t height) {
  if (!m_angle) return;
  const PointF v = m_angle->vertex();
  // The centre exactly on the vertex, as when it snaps on.
  const RectF onVertex = protractorLayerAt(v.x, v.y, m_protractor->radius());
  const auto zonesInside = [&] {
    const Rect canvas{0, 0, width - 1, height - 1};
    return std::all_of(kGrabZones.begin(), kGrabZones.end(), [&](GrabZone zone) {
      const Rect z = m_protractor->grabZone(zone);
      return z.left >= canvas.left && z.top >= canvas.top && z.right <= canvas.right && z.bottom <= canvas.bottom;
    });
  };
  // Either side may take the 0: the first, unless only the second keeps
  // the ends within the pupil's reach.
  const auto orientationOn = [&](PointF zeroSide, PointF otherSide) {
    return static_cast<std::int32_t>(protractorOnAngle(v, zeroSide, otherSide).pose.orientation);
  };
  const std::int32_t onFirst = orientationOn(m_angle->firstEnd(), m_angle->generatedEnd());
  m_protractor->setOrientation(orientationOn(m_angle->generatedEnd(), m_angle->firstEnd()));
  placeLayer(onVertex);
  const bool secondFits = zonesInside();
  m_protractor->setOrientation(onFirst);
  placeLayer(onVertex);
  if (!zonesInside() && secondFits) {
    m_protractor->setOrientation(orientationOn(m_angle->generatedEnd(), m_angle->firstEnd()));
    placeLayer(onVertex);
  }
  redrawProtractor();
  // Neither fits: the angle and the protractor move in together.
  bringWithinReach(width, height, false);
  emit repaintRequested();
}

void ExerciseScene::showProtractor() {
  m_protractorLayer.setVisible(true);
  emit repaintRequested();
}

void ExerciseScene::hideProtractor() {
  // Hiding a layer notifies nobody, so the repaint asked for here is what
  // removes it.
  m_protractorLayer.setVisible(false);
  emit repaintRequested();
}

ProtractorPose ExerciseScene::pose() const {
  return protractorPoseOf(m_protractorLayer.location(), m_protractor->radius(), m_protractor->orientation());
}

std::optional<ProtractorPose> ExerciseScene::protractorPose() const {
  if (!protractorShown()) return std::nullopt;
  return pose();
}

std::optional<ProtractorPose> ExerciseScene::protractorPoseAtStrokeEnd() const {
  return m_strokeEnded ? m_strokeEndPose : protractorPose();
}

// --- the pencil --------------------------------------------------------------------

void ExerciseScene::pencilStep(Point at) {
  if (!m_angle) return;
  applyPencilStep(*m_angle, at);
  emit pencilStroked();
  // Red while the stroke goes on; the layer's notification repaints.
  redrawAngle(true);
}

void ExerciseScene::endStroke() {
  if (!m_angle) return;
  m_strokeEnded = true;
  m_strokeEndPose = protractorPose();
  redrawAngle(false);
}

Point ExerciseScene::crossHair() {
  if (!m_crossHair) {
    if (!m_angle) return {};
    // A point the pupil sees and can aim from.
    const bool drawn = m_angle->measure().has_value() && !(m_angle->secondEnd() == m_angle->vertex());
    m_crossHair = roundPoint(drawn ? m_angle->secondEnd() : m_angle->firstEnd());
  }
  return *m_crossHair;
}

void ExerciseScene::moveCrossHair(std::int32_t dx, std::int32_t dy) {
  if (!m_angle) return;
  const Point at = crossHair();
  const Bitmap32& picture = m_angleLayer.bitmap();
  const std::int32_t x = std::clamp(at.x + dx, 0, std::max(0, picture.width() - 1));
  const std::int32_t y = std::clamp(at.y + dy, 0, std::max(0, picture.height() - 1));
  m_crossHair = pointOf(x, y);
}

void ExerciseScene::drawSideToCrossHair() {
  if (!m_angle) return;
  pencilStep(crossHair());
  endStroke();
}

}  // namespace gradoir
