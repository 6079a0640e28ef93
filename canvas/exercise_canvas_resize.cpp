// The exercise canvas after a change of its size: the angle's picture follows
// the canvas, and the figures move back inside it when it shrank past them.
#include <QResizeEvent>
#include <exception>

#include "canvas/exercise_canvas.h"
#include "canvas/exercise_fit.h"
#include "figures/angle.h"
#include "figures/protractor.h"
#include "raster/geometry.h"

namespace gradoir {

void ExerciseCanvas::resizeEvent(QResizeEvent* event) {
  LayeredView::resizeEvent(event);
  fitExerciseToSize();
}

void ExerciseCanvas::fitExerciseToSize() {
  if (!m_angle) return;
  Bitmap32& picture = m_angleLayer->bitmap();
  const bool resized = picture.width() != deviceWidth() || picture.height() != deviceHeight();
  if (resized) {
    // An event handler: nothing may escape. Without the memory for the
    // picture the canvas is left empty, as a new exercise would leave it.
    try {
      picture.setBitmapSize(deviceWidth(), deviceHeight());
    } catch (const std::exception&) {
      m_angle.reset();
      m_angleLayer->setVisible(false);
      m_protractorLayer->setVisible(false);
      repaintNow();
      return;
    }
    m_angleLayer->setLocation(
        realRectOf(0, 0, static_cast<float>(deviceWidth()), static_cast<float>(deviceHeight())));
  }
  const RectF location = m_protractorLayer->location();
  const float centreOffset = static_cast<float>(m_protractor->radius() + 1);
  const ExerciseFit fit =
      fitExercise(m_angle->geometry(), {location.left + centreOffset, location.top + centreOffset}, deviceWidth(),
                  deviceHeight());
  if (fit.angleChanged) m_angle = std::make_unique<AngleFigure>(fit.angle);
  if (resized || fit.angleChanged) redrawAngle(false);
  if (fit.protractorShift.x != 0 || fit.protractorShift.y != 0) {
    const float dx = static_cast<float>(fit.protractorShift.x);
    const float dy = static_cast<float>(fit.protractorShift.y);
    m_protractorLayer->setLocation(
        realRectOf(location.left + dx, location.top + dy, location.right + dx, location.bottom + dy));
    m_protractor->updateGrabZones(m_protractorLayer->location());
  }
}

}  // namespace gradoir
