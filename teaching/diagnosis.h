#pragma once
// Diagnosis of a wrong try: from the exercise, the protractor as the pupil
// left it and the answer, the one mistake worth naming. Teachers know a few
// mistakes that explain most wrong answers (the wrong scale, the centre off
// the vertex, the 0 line off the sides, acute taken for obtuse); the rules
// are tried in a fixed order and the first that applies wins.
#include <cstdint>
#include <optional>

#include "figures/exercise_kind.h"
#include "figures/graduation_reading.h"
#include "raster/types.h"

namespace gradoir {

// What the program tells the pupil. The first group names mistakes; the
// last two go with the correction.
enum class Explanation : std::uint8_t {
  OutOfRange,      // measuring: an answer above 180
  WrongScaleRead,  // measuring: 180 - m read
  CentreOffVertex,
  ZeroLineOffSide,
  AlmostRead,  // measuring: within 2 degrees
  AngleIsObtuse,
  AngleIsAcute,
  ReadFromZero,        // measuring: anything else
  NoSecondSide,        // drawing: checked before drawing
  WrongScaleFollowed,  // drawing: 180 - N drawn
  AlmostDrawn,         // drawing: within 2 degrees
  DrawFromFirstSide,   // drawing: anything else
  RightMeasureWas,     // correction of a measuring exercise
  HereIsTheAngle,      // correction of a drawing exercise
};

// Everything a wrong try is judged from, in canvas coordinates.
struct TryFacts {
  ExerciseKind kind = ExerciseKind::Measuring;
  PointF vertex;
  PointF firstEnd;
  // Measuring: the angle's second side. Drawing: the pupil's side.
  PointF secondEnd;
  // Measuring: the angle's measure m. Drawing: the measure N asked for.
  std::int32_t measure = 0;
  // Measuring: the number typed, x. Drawing: the measure drawn (its sign
  // does not matter); empty when no second side is drawn.
  std::optional<std::int32_t> answer;
  // Empty while the protractor is hidden. Drawing: as it was when the
  // pupil's stroke ended.
  std::optional<ProtractorPose> protractor;
};

// Meant for wrong answers: a right one gets whatever rule it falls under.
Explanation diagnose(const TryFacts& facts);

}  // namespace gradoir
