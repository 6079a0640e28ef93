#pragma once
// The series controller's board over the exercise canvas: each operation is
// one or a few of the canvas's own, in the order the canvas expects them.
#include "series/exercise_board.h"

namespace gradoir {

class ExerciseCanvas;

class CanvasBoard : public ExerciseBoard {
 public:
  // The two settings that shape every angle the canvas draws.
  CanvasBoard(ExerciseCanvas& canvas, bool magneticVertex, bool horizontalSide)
      : m_canvas(canvas), m_magneticVertex(magneticVertex), m_horizontalSide(horizontalSide) {}

  std::optional<std::int32_t> newExercise(ExerciseKind kind, const Level& level) override;
  std::optional<AngleGeometry> angle() const override;
  void layProtractorOnAngle() override;
  void showProtractor() override;
  void hideProtractor() override;
  std::optional<ProtractorPose> protractorPose() const override;
  std::optional<ProtractorPose> protractorPoseAtStrokeEnd() const override;
  void showCorrection(const ProtractorPose& target, const ReadingMark& mark,
                      std::optional<PointF> rightSecondEnd) override;
  bool correctionRunning() const override;
  void finishCorrection() override;

 private:
  ExerciseCanvas& m_canvas;
  bool m_magneticVertex;
  bool m_horizontalSide;
};

}  // namespace gradoir
