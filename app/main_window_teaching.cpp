// The main window's teaching: after a wrong try it names the mistake, and
// after the third it shows the correction. What the mistake is, what the
// texts say and where the protractor goes are the teaching library's; this
// file only gathers the facts from the canvas and shows the results.
#include <QLineEdit>
#include <algorithm>

#include "ui/explanation_label.h"
#include "app/main_window.h"
#include "ui/message_boxes.h"
#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/protractor_placement.h"
#include "raster/geometry.h"
#include "teaching/diagnosis.h"
#include "teaching/explanation_texts.h"
#include "ui/floating_panel.h"
#include "ui_main_window.h"

namespace gradoir {

namespace {

Rect spanOf(PointF a, PointF b) {
  const Point p = roundPoint(a), q = roundPoint(b);
  return rectOf(std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y));
}

}  // namespace

void MainWindow::setUpTeaching() {
  m_teaching = readTeachingSettings(m_settingsPath);
  // Over the canvas like the tool box, and below it.
  m_explanation = new ExplanationLabel(m_ui->clientArea);  // owned by its Qt parent
  connect(&canvas(), &ExerciseCanvas::pencilStroked, this, [this] { clearExplanation(); });
  connect(&canvas(), &ExerciseCanvas::correctionArrived, this, [this] { correctionArrived(); });
}

ExplanationLabel& MainWindow::explanationLabel() const { return *m_explanation; }

bool MainWindow::drawingExercise() const { return m_ui->answerEdit->isHidden(); }

namespace {

// The mistake a wrong try shows; empty without an angle (its picture could
// not be had).
std::optional<Explanation> diagnoseWrongTry(ExerciseCanvas& canvas, bool drawing, std::int32_t target,
                                            std::optional<std::int32_t> answer) {
  if (canvas.angle() == nullptr) return std::nullopt;
  const AngleFigure& angle = *canvas.angle();
  TryFacts facts;
  facts.kind = drawing ? ExerciseKind::Drawing : ExerciseKind::Measuring;
  facts.vertex = angle.vertex();
  facts.firstEnd = angle.firstEnd();
  facts.secondEnd = angle.secondEnd();
  facts.measure = drawing ? target : angle.measure().value_or(0);
  facts.answer = answer;
  facts.protractor = drawing ? canvas.protractorPoseAtStrokeEnd() : canvas.protractorPose();
  return diagnose(facts);
}

}  // namespace

std::optional<QString> MainWindow::mistakeCode(std::optional<std::int32_t> answer) const {
  const std::optional<Explanation> why = diagnoseWrongTry(canvas(), drawingExercise(), m_targetMeasure, answer);
  return why ? std::optional<QString>(explanationCode(*why)) : std::nullopt;
}

void MainWindow::teachAfterWrongTry(std::optional<std::int32_t> answer, bool decided) {
  if (canvas().angle() == nullptr) return;
  if (decided && m_teaching.correction) {
    startCorrection();
    return;
  }
  if (!m_teaching.explanations) return;
  const std::optional<Explanation> why = diagnoseWrongTry(canvas(), drawingExercise(), m_targetMeasure, answer);
  const std::int32_t measure = drawingExercise() ? m_targetMeasure : canvas().angle()->measure().value_or(0);
  if (why) explain(explanationText(*why, measure));
}

void MainWindow::startCorrection() {
  const AngleFigure& angle = *canvas().angle();
  const bool drawing = drawingExercise();
  const PointF rightEnd = drawing ? angle.generatedEnd() : angle.secondEnd();
  const ProtractorOnAngle place = protractorOnAngle(angle.vertex(), angle.firstEnd(), rightEnd);
  const std::int32_t measure = drawing ? m_targetMeasure : angle.measure().value_or(0);
  explain(explanationText(drawing ? Explanation::HereIsTheAngle : Explanation::RightMeasureWas, measure));
  m_ui->protractorButton->setChecked(true);
  canvas().showCorrection(place.pose, {place.scale, place.reading},
                          drawing ? std::optional<PointF>(rightEnd) : std::nullopt);
}

void MainWindow::correctionArrived() {
  if (!m_seriesEndAfterCorrection) return;
  m_seriesEndAfterCorrection = false;
  showSeriesEnd();
}

void MainWindow::explain(const QString& text) {
  std::vector<Rect> avoid;
  if (const AngleFigure* angle = canvas().angle()) {
    const SideBounds sides = canvas().sideBounds();
    avoid = {sides.first, sides.second, spanOf(angle->vertex(), angle->secondEnd())};
  }
  m_explanation->showBeside(text, toolBox().geometry(), canvas().size(), avoid);
}

void MainWindow::clearExplanation() {
  if (m_explanation) m_explanation->clearExplanation();
}

}  // namespace gradoir
