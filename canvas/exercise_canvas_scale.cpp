// The exercise canvas on screens of any density: its figures are drawn in
// device pixels, so when the window moves to a screen of another ratio the
// angle and the protractor are drawn again at the new resolution, at the same
// place in the window and with the same exercise.
#include <cmath>

#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/exercise_angle.h"
#include "figures/protractor.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

PointF scaledPoint(PointF p, long double k) {
  return {static_cast<float>(p.x * k), static_cast<float>(p.y * k)};
}

}  // namespace

Point ExerciseCanvas::devicePoint(const QPointF& position) const {
  const long double scale = deviceScale();
  return pointOf(roundHalfEven(position.x() * scale), roundHalfEven(position.y() * scale));
}

void ExerciseCanvas::deviceScaleChanged(double previous) {
  const double now = deviceScale();
  const long double k = static_cast<long double>(now) / previous;

  // The protractor keeps its centre's place in the window and its orientation.
  const RectF at = m_protractorLayer->location();
  const long double oldRadius = m_protractor->radius();
  const long double cx = (at.left + oldRadius + 1) * k, cy = (at.top + oldRadius + 1) * k;
  auto redrawn = std::make_unique<Protractor>(m_protractor->logicalRadius(), m_protractor->innerScale(), now);
  redrawn->setOrientation(m_protractor->orientation());
  m_protractor = std::move(redrawn);
  const long double r = m_protractor->radius();
  m_protractorLayer->setLocation(realRectOf(static_cast<float>(cx - r - 1), static_cast<float>(cy - r - 1),
                                            static_cast<float>(cx + r + 1), static_cast<float>(cy + r + 1)));
  m_protractor->draw(m_protractorLayer->bitmap(), m_protractorLayer->location());

  if (!m_angle) return;
  // The angle keeps its place, its measure and the pupil's second side;
  // its lengths are those of the new ratio.
  const bool shown = m_angleLayer->visible();
  if (!sizeAngleLayer()) return;
  AngleGeometry g = m_angle->geometry();
  for (PointF* p : {&g.vertex, &g.firstEnd, &g.secondEnd, &g.generatedEnd, &g.markStart, &g.markEnd})
    *p = scaledPoint(*p, k);
  setExerciseLengths(g, now);
  m_angle = std::make_unique<AngleFigure>(g);
  redrawAngle(false);
  m_angleLayer->setVisible(shown);
}

}  // namespace gradoir
