// Pointer handling of the exercise canvas. The handlers only sort events by
// mode and button and call one named step each. Qt grabs the pointer while a
// button is held, so moves and the release may arrive from outside the
// widget, with negative coordinates too; every step copes with any position.
#include <QMouseEvent>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "canvas/grado_img32.h"
#include "figures/angle.h"
#include "figures/protractor.h"
#include "figures/pencil.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

constexpr std::uint8_t kNoZone = TGradoir::kNoZone;
constexpr std::uint8_t kZeroEndZone = TGradoir::kZeroEnd;
constexpr std::uint8_t kCentreZone = TGradoir::kCentre;
constexpr std::uint8_t kFarEndZone = TGradoir::kEnd180;

// The dragged protractor's centre sits this far above the pointer, so the
// pupil sees the centre mark over the vertex rather than under the arrow.
constexpr std::int64_t kDragLift = 7;

TPoint PointerPosition(const QMouseEvent* event) {
  const QPointF p = event->position();
  return PointOf(RoundHalfEven(p.x()), RoundHalfEven(p.y()));
}

bool LeftHeld(const QMouseEvent* event) { return event->buttons().testFlag(Qt::LeftButton); }

// Layer rectangle from edges computed in 64 bits, so that no pointer
// position can overflow the arithmetic.
TRealRect RealRectFrom(long double left, long double top, long double right, long double bottom) {
  return RealRectOf(static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                    static_cast<float>(bottom));
}

long double DegreesFromRadians(long double radians) { return radians * 180.0L / std::numbers::pi_v<long double>; }

}  // namespace

// --- handlers ---------------------------------------------------------------------

void TGradoImg32::mousePressEvent(QMouseEvent* event) {
  // A press selects nothing in aMesure: a drag acts on the zone the last
  // hover chose. With the pencil, the side jumps to the press point at once
  // (also for another button pressed while the left one is held).
  if (mode_ == aDraw && LeftHeld(event)) PencilStep(PointerPosition(event));
}

void TGradoImg32::mouseMoveEvent(QMouseEvent* event) {
  const TPoint pointer = PointerPosition(event);
  if (mode_ == aDraw) {
    if (LeftHeld(event)) PencilStep(pointer);
    return;
  }
  if (!protractor_layer_->Visible()) return;
  if (LeftHeld(event))
    DragProtractor(pointer);
  else
    HoverTest(pointer);
}

void TGradoImg32::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (mode_ == aDraw)
    FinishPencilStroke();
  else
    SnapProtractorToVertex();
}

// --- pencil -----------------------------------------------------------------------

void TGradoImg32::PencilStep(TPoint pointer) {
  if (!angle_) return;
  ApplyPencilStep(*angle_, pointer);
  // Red while the button is held; the layer's notification repaints.
  angle_->Draw(*angle_layer_, true);
}

void TGradoImg32::FinishPencilStroke() {
  if (!angle_) return;
  angle_->Draw(*angle_layer_, false);
}

// --- protractor -------------------------------------------------------------------

void TGradoImg32::HoverTest(TPoint pointer) {
  for (std::uint8_t zone = kZeroEndZone; zone <= kFarEndZone; ++zone) {
    if (RectContains(protractor_->GrabZones[zone], pointer)) {
      protractor_->ActiveZone = zone;
      setCursor(Qt::PointingHandCursor);
      return;
    }
  }
  // Off every zone: the zone is forgotten only when the hand was showing, so
  // a zone stays active after the main window reset the cursor itself.
  if (cursor().shape() != Qt::ArrowCursor) {
    protractor_->ActiveZone = kNoZone;
    setCursor(Qt::ArrowCursor);
  }
}

void TGradoImg32::DragProtractor(TPoint pointer) {
  switch (protractor_->ActiveZone) {
    case kCentreZone: MoveProtractorCentreTo(pointer); break;
    case kZeroEndZone:
    case kFarEndZone: TurnProtractorToward(pointer, protractor_->ActiveZone); break;
    default: break;
  }
}

void TGradoImg32::MoveProtractorCentreTo(TPoint pointer) {
  const std::int64_t r = protractor_->Radius;
  const std::int64_t x = pointer.X;
  const std::int64_t y = pointer.Y - kDragLift;
  protractor_layer_->SetLocation(RealRectFrom(x - r - 1, y - r - 1, x + r + 1, y + r + 1));
  protractor_->UpdateGrabZones(*protractor_layer_);
}

void TGradoImg32::TurnProtractorToward(TPoint pointer, std::uint8_t zone) {
  const TRealRect location = protractor_layer_->Location();
  const long double r = protractor_->Radius;
  const long double cx = static_cast<long double>(location.Left) + r + 1;
  const long double cy = static_cast<long double>(location.Top) + r + 1;
  // Screen y grows downwards, so this angle grows clockwise, like Orientation.
  const long double phi = DegreesFromRadians(std::atan2(pointer.Y - cy, pointer.X - cx));
  // The zero end lies opposite the direction of Orientation.
  protractor_->Orientation = RoundHalfEven(phi) + (zone == kZeroEndZone ? 180 : 0);
  protractor_->Draw(*protractor_layer_);
  RepaintNow();
}

void TGradoImg32::SnapProtractorToVertex() {
  if (protractor_->ActiveZone != kCentreZone || !angle_ || !angle_->Magnetic) return;
  const TRealRect location = protractor_layer_->Location();
  const std::int64_t r = protractor_->Radius;
  const std::int64_t cx = std::int64_t{RoundHalfEven(location.Left)} + r;
  const std::int64_t cy = std::int64_t{RoundHalfEven(location.Top)} + r;
  const TPoint v = RoundPoint(angle_->Vertex);
  // With whole-pixel locations this accepts a vertex within 3 px of the
  // centre (Left + R + 1) on each axis.
  const bool close = cx - 2 <= v.X && v.X < cx + 5 && cy - 2 <= v.Y && v.Y < cy + 5;
  if (!close) return;
  const long double vx = angle_->Vertex.X;
  const long double vy = angle_->Vertex.Y;
  protractor_layer_->SetLocation(RealRectFrom(vx - r - 1, vy - r - 1, vx + r + 1, vy + r + 1));
  protractor_->UpdateGrabZones(*protractor_layer_);
}

}  // namespace gradoir
