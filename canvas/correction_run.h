#pragma once
// What one correction of the exercise scene glides between and shows when
// the protractor arrives.
#include <optional>

#include "figures/graduation_reading.h"
#include "figures/reading_mark.h"
#include "raster/types.h"

namespace gradoir {

struct CorrectionRun {
  ProtractorPose from;
  ProtractorPose to;
  // Whole degrees from `from`'s orientation to `to`'s, the short way round.
  std::int64_t turn = 0;
  ReadingMark mark;
  // The right second side of a drawing exercise, drawn in green on arrival.
  std::optional<PointF> rightSecondEnd;
};

}  // namespace gradoir
