#include "canvas/grado_img32.h"

#include <algorithm>

#include "figures/angle.h"
#include "figures/degrees.h"
#include "figures/exercise_angle.h"
#include "figures/protractor.h"
#include "raster/geometry.h"

namespace gradoir {

namespace {

constexpr std::int32_t kProtractorRadius = 240;

// Side of the protractor's square layer and bitmap.
std::int32_t ProtractorSide(std::int32_t radius) { return 2 * (radius + 1); }

// Smallest rectangle holding both points, right and bottom inclusive.
TRect SpanOf(TPoint a, TPoint b) {
  return RectOf(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y));
}

}  // namespace

TGradoImg32::TGradoImg32(QWidget* parent) : TCustomImage32(parent) {
  // The angle layer comes first in the list, so it is painted under the
  // protractor.
  angle_layer_ = std::make_unique<TBitmapLayer>(&Layers());
  angle_layer_->SetVisible(false);
  protractor_layer_ = std::make_unique<TBitmapLayer>(&Layers());
  protractor_ = std::make_unique<TGradoir>(kProtractorRadius, true);
  const float side = static_cast<float>(ProtractorSide(kProtractorRadius));
  protractor_layer_->SetLocation(RealRectOf(0, 0, side, side));
  protractor_layer_->SetVisible(false);
  protractor_layer_->Bitmap().SetDrawMode(dmCustom);
  protractor_layer_->Bitmap().OnPixelCombine = TransparentWhiteCombine;
  FillDegreeTables();
  // Hovering over a grab zone shows the hand, so moves without a button
  // must arrive too.
  setMouseTracking(true);
}

TGradoImg32::~TGradoImg32() {
  angle_layer_.reset();
  protractor_layer_.reset();
  protractor_.reset();
  angle_.reset();
}

void TGradoImg32::NewExercise(bool magnetic_vertex, bool horizontal_side) {
  angle_layer_->Bitmap().AdoptSizeOf(static_cast<const QObject*>(this));
  angle_layer_->SetLocation(RealRectOf(0, 0, static_cast<float>(width()), static_cast<float>(height())));
  angle_ = NewExerciseAngle(width(), height(), 0, magnetic_vertex, horizontal_side, mode_ == aDraw);
  angle_->Draw(*angle_layer_, false);
  protractor_->Draw(*protractor_layer_);
  ShowProtractor();
  setCursor(Qt::ArrowCursor);
}

void TGradoImg32::CenterProtractor() {
  const std::int32_t side = ProtractorSide(protractor_->Radius);
  // Integer division truncates toward zero, as a narrow canvas expects.
  const std::int32_t left = (width() - side) / 2;
  const std::int32_t top = (height() - side) / 2;
  protractor_layer_->SetLocation(RealRectOf(static_cast<float>(left), static_cast<float>(top),
                                            static_cast<float>(left + side), static_cast<float>(top + side)));
  protractor_->Orientation = 0;
  protractor_->Draw(*protractor_layer_);
}

void TGradoImg32::ShowProtractor() {
  protractor_layer_->SetVisible(true);
  RepaintNow();
}

void TGradoImg32::HideProtractor() {
  // Hiding a layer notifies nobody, so the repaint here is what removes it.
  protractor_layer_->SetVisible(false);
  RepaintNow();
}

std::int32_t TGradoImg32::AngleMeasure() const { return angle_ ? angle_->Measure : 0; }

void TGradoImg32::SetAngleMeasure(std::int32_t measure) {
  if (angle_) angle_->Measure = measure;
}

void TGradoImg32::GetSideBounds(TRect& first, TRect& second) const {
  if (!angle_) {
    first = second = TRect{};
    return;
  }
  const TPoint vertex = RoundPoint(angle_->Vertex);
  first = SpanOf(vertex, RoundPoint(angle_->FirstEnd));
  second = SpanOf(vertex, RoundPoint(angle_->GeneratedEnd));
}

}  // namespace gradoir
