// The scene when its canvas changes: a new size, where the angle's picture
// follows and figures that a smaller canvas would lose move back inside; a
// new device ratio, where the angle and the protractor are drawn again at
// the new resolution, at the same place and with the same exercise.
#include "canvas/exercise_fit.h"
#include "canvas/exercise_scene.h"
#include "figures/exercise_angle.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

PointF scaledPoint(PointF p, long double k) { return {static_cast<float>(p.x * k), static_cast<float>(p.y * k)}; }

}  // namespace

void ExerciseScene::fitTo(std::int32_t width, std::int32_t height) {
  if (!m_angle) return;
  const Bitmap32& picture = m_angleLayer.bitmap();
  const bool resized = picture.width() != width || picture.height() != height;
  // Without the memory for the picture the canvas is left empty, as a new
  // exercise would leave it.
  if (resized && !sizeAngleLayer(width, height)) {
    emit repaintRequested();
    return;
  }
  bringWithinReach(width, height, resized);
}

ZoneReach ExerciseScene::zoneReach() const {
  const ProtractorPose p = pose();
  const Point centre = pointOf(roundHalfEven(p.centreX), roundHalfEven(p.centreY));
  Rect box = m_protractor->grabZone(kGrabZones[0]);
  for (const GrabZone zone : kGrabZones) box = boundingRect(box, m_protractor->grabZone(zone));
  return {box.left - centre.x, box.top - centre.y, box.right - centre.x, box.bottom - centre.y};
}

void ExerciseScene::bringWithinReach(std::int32_t width, std::int32_t height, bool redraw) {
  const ProtractorPose centre = pose();
  // A hidden protractor's zones are nobody's concern until it shows.
  const ZoneReach reach = protractorShown() ? zoneReach() : ZoneReach{};
  const ExerciseFit fit = fitExercise(m_angle->geometry(),
                                      {static_cast<float>(centre.centreX), static_cast<float>(centre.centreY)},
                                      width, height, reach);
  if (fit.angleChanged) m_angle = std::make_unique<AngleFigure>(fit.angle);
  if (redraw || fit.angleChanged) redrawAngle(false);
  if (fit.protractorShift.x != 0 || fit.protractorShift.y != 0)
    placeLayer(shiftedRealRect(m_protractorLayer.location(), fit.protractorShift.x, fit.protractorShift.y));
}

void ExerciseScene::setScale(double scale, std::int32_t width, std::int32_t height) {
  const long double k = static_cast<long double>(scale) / m_scale;
  m_scale = scale;

  // The protractor keeps its centre's place in the window and its orientation.
  const ProtractorPose was = pose();
  auto redrawn = std::make_unique<Protractor>(m_protractor->logicalRadius(), m_protractor->innerScale(), scale);
  redrawn->setOrientation(m_protractor->orientation());
  m_protractor = std::move(redrawn);
  m_protractorLayer.setLocation(protractorLayerAt(was.centreX * k, was.centreY * k, m_protractor->radius()));
  redrawProtractor();

  if (!m_angle) return;
  // The angle keeps its place, its measure and the pupil's second side;
  // its lengths are those of the new ratio.
  const bool shown = m_angleLayer.visible();
  if (!sizeAngleLayer(width, height)) return;
  AngleGeometry g = m_angle->geometry();
  for (PointF* p : {&g.vertex, &g.firstEnd, &g.secondEnd, &g.generatedEnd, &g.markStart, &g.markEnd})
    *p = scaledPoint(*p, k);
  setExerciseLengths(g, scale);
  m_angle = std::make_unique<AngleFigure>(g);
  redrawAngle(false);
  m_angleLayer.setVisible(shown);
}

}  // namespace gradoir
