#pragma once
// ExerciseBoard: what the series controller may do with the exercise on
// screen, and all it may read of it. The main window implements it over the
// exercise canvas; the controller's tests over plain figures. Positions are
// in the board's own pixels, the ones the angle and the protractor use.
#include <cstdint>
#include <optional>

#include "figures/angle.h"
#include "figures/exercise_kind.h"
#include "figures/level.h"
#include "figures/protractor_pose.h"
#include "figures/reading_mark.h"
#include "raster/types.h"

namespace gradoir {

class ExerciseBoard {
 public:
  virtual ~ExerciseBoard() = default;

  // A new random angle among those `level` allows, the protractor centred,
  // level and shown, any correction dropped. A drawing exercise's angle has
  // its first side only. Returns the measure the exercise asks for (to read,
  // or to draw); empty when no angle could be drawn.
  virtual std::optional<std::int32_t> newExercise(ExerciseKind kind, const Level& level) = 0;
  // The exercise's angle as it is now: while drawing, its second side and
  // measure are the pupil's (none before the first stroke). Empty before the
  // first exercise and when no angle could be drawn.
  virtual std::optional<AngleGeometry> angle() const = 0;

  // The protractor laid on the angle, ready to be read.
  virtual void layProtractorOnAngle() = 0;
  virtual void showProtractor() = 0;
  virtual void hideProtractor() = 0;
  // Where the protractor lies; empty while it is hidden.
  virtual std::optional<ProtractorPose> protractorPose() const = 0;
  // Where it lay when the pupil's last stroke of this exercise ended; where
  // it lies now when no stroke has ended yet.
  virtual std::optional<ProtractorPose> protractorPoseAtStrokeEnd() const = 0;

  // The protractor (shown if hidden) glides onto `target`, then shows `mark`
  // and, when given, the right second side.
  virtual void showCorrection(const ProtractorPose& target, const ReadingMark& mark,
                              std::optional<PointF> rightSecondEnd) = 0;
  virtual bool correctionRunning() const = 0;
  // Puts the protractor where a running correction takes it, at once.
  virtual void finishCorrection() = 0;
};

}  // namespace gradoir
