#pragma once
// What the canvas remembers between the events of one touch sequence: the
// protractor's place and turn before it (a cancelled sequence puts them
// back) and the gesture under way.
#include <QPointF>
#include <cstdint>
#include <optional>

#include "figures/angle.h"
#include "raster/types.h"

class QEventPoint;
class QTouchEvent;

namespace gradoir {

struct ProtractorPlacement {
  RectF location;
  std::int32_t orientation = 0;
};

struct TouchGesture {
  enum class Kind : std::uint8_t {
    None,        // no touch sequence
    OneFinger,   // the left button: drag, turn or pencil
    TwoFingers,  // turn by the fingers' angle, move with their midpoint
    Finished     // the gesture ended; the rest of the sequence is ignored
  };
  Kind kind = Kind::None;
  // The state before the sequence, for a cancel.
  ProtractorPlacement before;
  std::optional<AngleGeometry> angleBefore;
  // The gesture's fingers and where they and the protractor started.
  int firstId = -1;
  int secondId = -1;
  QPointF firstStart;
  QPointF secondStart;
  ProtractorPlacement start;
  // Two fingers with the centre on the vertex turn about the vertex only.
  bool pinnedOnVertex = false;
};

}  // namespace gradoir
