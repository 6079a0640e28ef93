#include "app/canvas_board.h"

#include "canvas/exercise_canvas.h"

namespace gradoir {

std::optional<std::int32_t> CanvasBoard::newExercise(ExerciseKind kind, const Level& level) {
  // In pencil mode the canvas draws the new angle's first side only; the
  // pupil starts with the protractor tool either way.
  const bool drawing = kind == ExerciseKind::Drawing;
  m_canvas.setMode(drawing ? CanvasTool::Pencil : CanvasTool::Protractor);
  m_canvas.centerProtractor();
  m_canvas.newExercise(m_magneticVertex, m_horizontalSide, level);
  m_canvas.setMode(CanvasTool::Protractor);
  const std::optional<std::int32_t> asked = m_canvas.angleMeasure();
  if (drawing) m_canvas.clearSecondSide();
  return asked;
}

std::optional<AngleGeometry> CanvasBoard::angle() const {
  if (const AngleFigure* figure = m_canvas.angle()) return figure->geometry();
  return std::nullopt;
}

void CanvasBoard::layProtractorOnAngle() { m_canvas.placeProtractorOnAngle(); }
void CanvasBoard::showProtractor() { m_canvas.showProtractor(); }
void CanvasBoard::hideProtractor() { m_canvas.hideProtractor(); }
std::optional<ProtractorPose> CanvasBoard::protractorPose() const { return m_canvas.protractorPose(); }

std::optional<ProtractorPose> CanvasBoard::protractorPoseAtStrokeEnd() const {
  return m_canvas.protractorPoseAtStrokeEnd();
}

void CanvasBoard::showCorrection(const ProtractorPose& target, const ReadingMark& mark,
                                 std::optional<PointF> rightSecondEnd) {
  m_canvas.showCorrection(target, mark, rightSecondEnd);
}

bool CanvasBoard::correctionRunning() const { return m_canvas.correctionRunning(); }
void CanvasBoard::finishCorrection() { m_canvas.finishCorrection(); }

}  // namespace gradoir
