// The series controller's news on the main window's widgets: the exercise's
// statement and tools, the buttons the series waits for, lamps and verdict,
// score, explanation, estimate and the boxes. What to show is decided by the
// controller; this file only shows it.
#include <QAction>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "app/accessibility.h"
#include "app/main_window.h"
#include "app/main_window_look.h"
#include "app/tool_box_fitting.h"
#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/protractor.h"
#include "raster/geometry.h"
#include "series/series_controller.h"
#include "series/series_log.h"
#include "ui/exercise_chooser.h"
#include "ui/explanation_label.h"
#include "ui/floating_panel.h"
#include "ui/flood_fill.h"
#include "ui/message_boxes.h"
#include "ui_main_window.h"

namespace gradoir {

namespace {

constexpr QRgb kLampCore = qRgb(255, 255, 255);
const QColor kRightColour(0, 128, 0);
const QColor kWrongColour(255, 0, 0);

// The lamp core of try n contains the point (15n - 7, 8).
QPoint lampCore(std::int32_t tryNumber) { return {15 * tryNumber - 7, 8}; }

Rect spanOf(PointF a, PointF b) {
  const Point p = roundPoint(a), q = roundPoint(b);
  return rectOf(std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y));
}

}  // namespace

ExplanationLabel& MainWindow::explanationLabel() const { return *m_explanation; }

void MainWindow::bindSeries() {
  SeriesController& s = *m_series;
  connect(&s, &SeriesController::exerciseStarted, this, &MainWindow::showExercise);
  connect(&s, &SeriesController::stateChanged, this, &MainWindow::showState);
  connect(&s, &SeriesController::verdictGiven, this, &MainWindow::showVerdict);
  connect(&s, &SeriesController::answerRejected, this, [this] { showError(this, tr("Valeur incorrecte !")); });
  // Longer than the verdict's small label: the note beside the tool box
  // says them, without a box over the angle.
  connect(&s, &SeriesController::estimateJudged, this, [this](bool close) {
    explain(close ? tr("Bonne estimation !") : tr("Ton estimation était loin : mesure maintenant."));
  });
  connect(&s, &SeriesController::acceptedNear, this, [this](std::int32_t given, std::int32_t exact) {
    explain(m_series->kind() == ExerciseKind::Drawing
                ? tr("Bonne réponse ! Ton angle mesure %1°, il fallait %2°.").arg(given).arg(exact)
                : tr("Bonne réponse ! La mesure exacte est %1°.").arg(exact));
  });
  connect(&s, &SeriesController::protractorShown, m_ui->protractorButton, &QToolButton::setChecked);
  connect(&s, &SeriesController::explanationReady, this, &MainWindow::explain);
  connect(&s, &SeriesController::explanationCleared, m_explanation, &ExplanationLabel::clearExplanation);
  connect(&s, &SeriesController::scoreChanged, this, &MainWindow::showScore);
  connect(&s, &SeriesController::progressChanged, m_progress, &QLabel::setText);
  connect(&s, &SeriesController::pathStatusChanged, m_pathStatus, &QLabel::setText);
  // Between exercises, in the note beside the tool box: typing or drawing clears it.
  connect(&s, &SeriesController::pathNews, this, &MainWindow::explain);
  // Its text, then the score and the series's table; then the start screen.
  connect(&s, &SeriesController::seriesEnded, this, [this](const QString& summary) {
    showInformation(this, tr("La série d'exercices est terminée."), summary);
    showChooser();
  });
  connect(&canvas(), &ExerciseCanvas::pencilStroked, &s, &SeriesController::pupilResumed);
}

void MainWindow::showExercise(ExerciseKind kind, std::int32_t measure) {
  Ui::MainWindow& f = *m_ui;
  leaveEstimate();
  f.tryLamps->setPixmap(QPixmap::fromImage(m_blankLamps));
  m_chooser->hide();
  canvas().setEnabled(true);
  f.verdictLabel->clear();
  placeToolBox();
  toolBox().setExpanded(true);
  if (toolBox().isHidden()) toolBox().showPanel();
  f.protractorButton->setChecked(true);
  f.moveTurnButton->setChecked(true);
  f.pencilButton->setChecked(false);
  if (kind == ExerciseKind::Drawing) {
    setCanvasCursor(CursorTable::kDefault);
    f.answerEdit->hide();
    f.statementLabel->setText(tr("Trace un angle de %1°.").arg(measure));
    toolBox().setFocus();
    f.pencilButton->setEnabled(true);
    f.pencilButton->setToolTip(tr("Crayon"));
    m_accessibility->drawingStarted(measure);
  } else {
    // The answer box lies over the seven blanks.
    f.statementLabel->setText(measuringStatement());
    f.answerEdit->clear();
    f.answerEdit->setEnabled(true);
    f.answerEdit->show();
    f.answerEdit->setFocus();
    f.pencilButton->setEnabled(false);
    f.pencilButton->setToolTip(QString());
    m_accessibility->measuringStarted();
  }
}

void MainWindow::showState(SeriesState state) {
  Ui::MainWindow& f = *m_ui;
  const bool trying = state == SeriesState::Estimating || state == SeriesState::Trying;
  if (state == SeriesState::Estimating) {
    askEstimate();
  } else if (state == SeriesState::Trying && m_askingEstimate) {
    leaveEstimate();
    f.statementLabel->setText(measuringStatement());
    f.answerEdit->clear();
    f.answerEdit->setFocus();
  }
  if (m_changePupilAction != nullptr) m_changePupilAction->setEnabled(!m_series->seriesRunning());
  if (trying) {
    canvas().setEnabled(true);
    f.checkButton->setEnabled(true);
    f.checkButton->raise();
    f.nextButton->setEnabled(false);
    return;
  }
  if (state == SeriesState::NoSeries) return;
  // Decided: the canvas is off, the tool box (its sibling) keeps the keys.
  if (m_series->kind() == ExerciseKind::Measuring) f.answerEdit->setEnabled(false);
  canvas().setEnabled(false);
  toolBox().setFocus();
  f.checkButton->setEnabled(false);
  // At the end, the summary comes at once, or waits for "Suite" after a
  // correction so that the pupil reads it first.
  if (state == SeriesState::Decided || m_series->summaryWaits()) {
    f.nextButton->raise();
    f.nextButton->setEnabled(true);
  }
}

// The verdict marks the lamp of its try.
void MainWindow::showVerdict(std::int32_t tryNumber, bool right) {
  const QString text = right ? tr("Bonne réponse !") : tr("Erreur ...");
  const QColor& colour = right ? kRightColour : kWrongColour;
  QPalette palette = m_ui->verdictLabel->palette();
  palette.setColor(QPalette::WindowText, colour);
  m_ui->verdictLabel->setPalette(palette);
  const bool repeated = m_ui->verdictLabel->text() == text;
  m_ui->verdictLabel->setText(text);

  QImage lamps = m_ui->tryLamps->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  // A picture drawn for a denser screen has its lamps at the same logical place.
  floodFill(lamps, lampCore(tryNumber) * lamps.devicePixelRatio(), kLampCore, colour.rgb());
  m_ui->tryLamps->setPixmap(QPixmap::fromImage(lamps));
  m_accessibility->verdictShown(tryNumber, right, repeated);
}

void MainWindow::showScore(std::int32_t successes, std::int32_t done) {
  Ui::MainWindow& f = *m_ui;
  if (done == 0) {
    f.scoreLabel->clear();
    f.scoreLabel->setToolTip(QString());
    return;
  }
  f.scoreLabel->setText(QStringLiteral("%1/%2").arg(successes).arg(done));
  fitScoreLabel(f);
  f.scoreLabel->setToolTip(scoreText(successes, done));
}

// Clear of the sides and of the protractor's grab zones; clear of its whole
// disc where there is room.
void MainWindow::explain(const QString& text) {
  std::vector<Rect> avoid, rather;
  if (const AngleFigure* angle = canvas().angle()) {
    const SideBounds sides = canvas().sideBounds();
    avoid = {sides.first, sides.second, logicalRect(spanOf(angle->vertex(), angle->secondEnd()))};
  }
  if (canvas().protractorLayer().visible()) {
    for (const GrabZone zone : kGrabZones) avoid.push_back(logicalRect(canvas().protractor().grabZone(zone)));
    const RectF disc = canvas().protractorLayer().location();
    rather.push_back(logicalRect(rectOf(static_cast<std::int32_t>(disc.left), static_cast<std::int32_t>(disc.top),
                                        static_cast<std::int32_t>(disc.right), static_cast<std::int32_t>(disc.bottom))));
  }
  m_explanation->showBeside(text, toolBox().geometry(), canvas().size(), avoid, rather);
}

Rect MainWindow::logicalRect(const Rect& device) const {
  const double scale = canvas().deviceScale();
  if (scale == 1.0) return device;
  const auto logical = [scale](std::int32_t v) { return static_cast<std::int32_t>(std::floor(v / scale)); };
  const auto logicalEnd = [scale](std::int32_t v) { return static_cast<std::int32_t>(std::ceil(v / scale)); };
  return {logical(device.left), logical(device.top), logicalEnd(device.right), logicalEnd(device.bottom)};
}

// The protractor is hidden while the pupil estimates; the controller hid it.
void MainWindow::askEstimate() {
  Ui::MainWindow& f = *m_ui;
  m_askingEstimate = true;
  f.protractorButton->setEnabled(false);
  f.centerProtractorButton->setEnabled(false);
  // Short enough for the program's font before the answer box; the note
  // says the whole of it.
  //: The answer box covers the blanks: keep the words short and at least two blanks after them.
  const QString question = tr("Estimation :       °");
  fitStatement(f, statementWords(question));
  f.statementLabel->setText(question);
  explain(tr("Estime la mesure de l'angle, sans le rapporteur, puis tape-la."));
}

void MainWindow::leaveEstimate() {
  if (!m_askingEstimate) return;
  Ui::MainWindow& f = *m_ui;
  m_askingEstimate = false;
  f.protractorButton->setEnabled(true);
  f.centerProtractorButton->setEnabled(true);
  fitStatement(f, statementWords(measuringStatement()));
}

}  // namespace gradoir
