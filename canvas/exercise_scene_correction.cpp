// The correction shown after a third wrong try: the protractor glides onto
// the angle, then the reading is marked on it (and, for a drawing exercise,
// the right second side drawn in green). The protractor's pixels change
// only through its own drawing, plus the mark once it has arrived.
#include <QEasingCurve>
#include <QVariantAnimation>
#include <cmath>

#include "canvas/exercise_scene.h"
#include "raster/geometry.h"
#include "raster/rounding.h"

namespace gradoir {

namespace {

// About a second, eased at both ends; Qt's animation timer ticks every
// 16 ms, some 60 frames a second.
constexpr int kGlideMilliseconds = 1000;
constexpr Color32 kRightSideColor = 0xFF00A000;

std::int64_t wholeTurnsOff(std::int64_t degrees) {
  const std::int64_t r = degrees % 360;
  return r < 0 ? r + 360 : r;
}

// From one orientation to another the short way round, in (-180, 180].
std::int64_t shortTurn(std::int64_t from, std::int64_t to) {
  std::int64_t d = wholeTurnsOff(to - from);
  return d > 180 ? d - 360 : d;
}

// Three strokes a pixel apart: a side that stands out from the pupil's.
void boldLine(Bitmap32& bitmap, PointF from, PointF to, Color32 color) {
  const long double dx = static_cast<long double>(to.x) - from.x,
                    dy = static_cast<long double>(to.y) - from.y;
  const long double length = std::sqrt(dx * dx + dy * dy);
  if (length == 0) return;
  for (int offset = -1; offset <= 1; ++offset) {
    const long double ox = -dy / length * offset, oy = dx / length * offset;
    bitmap.smoothLine(static_cast<float>(from.x + ox), static_cast<float>(from.y + oy),
                      static_cast<float>(to.x + ox), static_cast<float>(to.y + oy), color, true);
  }
}

}  // namespace

void ExerciseScene::showCorrection(const ProtractorPose& target, const ReadingMark& mark,
                                   std::optional<PointF> rightSecondEnd) {
  forgetCorrection();
  if (!protractorShown()) showProtractor();
  const ProtractorPose from = pose();
  m_correction = CorrectionRun{from, target, shortTurn(from.orientation, target.orientation), mark, rightSecondEnd};
  m_glide = new QVariantAnimation(this);
  m_glide->setDuration(kGlideMilliseconds);
  m_glide->setStartValue(0.0);
  m_glide->setEndValue(1.0);
  m_glide->setEasingCurve(QEasingCurve::InOutCubic);
  connect(m_glide, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) { glideTo(v.toDouble()); });
  connect(m_glide, &QAbstractAnimation::finished, this, [this] { arriveAtCorrection(); });
  m_glide->start(QAbstractAnimation::DeleteWhenStopped);
}

void ExerciseScene::finishCorrection() {
  if (m_glide) m_glide->stop();
  arriveAtCorrection();
}

void ExerciseScene::glideTo(double progress) {
  if (!m_correction) return;
  const CorrectionRun& run = *m_correction;
  const long double e = progress;
  placeProtractor(run.from.centreX + e * (run.to.centreX - run.from.centreX),
                  run.from.centreY + e * (run.to.centreY - run.from.centreY),
                  run.from.orientation + roundHalfEven(e * static_cast<long double>(run.turn)));
}

void ExerciseScene::placeProtractor(long double centreX, long double centreY, std::int64_t orientation) {
  const auto turned = static_cast<std::int32_t>(wholeTurnsOff(orientation));
  // Only a turn costs a redraw; a move only moves the layer.
  if (turned != m_protractor->orientation() || m_markedReading) {
    m_markedReading.reset();
    m_protractor->setOrientation(turned);
    redrawProtractor();
  }
  // Computed as the snap onto the vertex does, so that a centre on a whole
  // pixel lands exactly there.
  placeLayer(protractorLayerAt(centreX, centreY, m_protractor->radius()));
}

void ExerciseScene::arriveAtCorrection() {
  if (!m_correction) return;
  // Taken out first: a receiver of correctionArrived may start another exercise.
  CorrectionRun run = std::move(*m_correction);
  m_correction.reset();
  m_glide = nullptr;
  placeProtractor(run.to.centreX, run.to.centreY, run.to.orientation);
  drawReadingMark(m_protractorLayer.bitmap(), *m_protractor, run.mark);
  m_markedReading = run.mark;
  if (run.rightSecondEnd && m_angle) {
    redrawAngle(false);
    boldLine(m_angleLayer.bitmap(), m_angle->vertex(), *run.rightSecondEnd, kRightSideColor);
  }
  emit repaintRequested();
  emit correctionArrived();
}

void ExerciseScene::forgetCorrection() {
  if (m_glide) {
    // Stopped before it is told it has arrived: nothing of the run remains.
    m_correction.reset();
    m_glide->stop();
  }
  m_correction.reset();
  m_glide = nullptr;
  m_markedReading.reset();
  m_strokeEnded = false;
  m_strokeEndPose.reset();
}

}  // namespace gradoir
