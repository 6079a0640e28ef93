// The main window's pupils and estimates: who is working, what the series
// log is told, and the estimate asked before a measure.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <cstdlib>

#include "app/main_window.h"
#include "app/main_window_look.h"
#include "ui/message_boxes.h"
#include "ui/pupil_chooser.h"
#include "series/series_log.h"
#include "canvas/exercise_canvas.h"
#include "records/class_list.h"
#include "ui_main_window.h"

namespace gradoir {

namespace {

// An estimate this close to the measure earns praise.
constexpr std::int64_t kGoodEstimate = 15;


}  // namespace

void MainWindow::setUpPupils() {
  m_log = std::make_unique<SeriesLog>(m_settings);
  if (m_settings.classListPath.isEmpty()) return;
  m_classList = readClassList(m_settings.classListPath);
  if (m_classList.isEmpty()) return;
  // A class list names the pupil in the window, once chosen.
  m_changePupilAction = new QAction(tr("&Changer d'élève..."), this);
  m_changePupilAction->setObjectName(QStringLiteral("changePupilAction"));
  m_ui->exerciseMenu->insertAction(m_ui->exerciseSeparator, m_changePupilAction);
  connect(m_changePupilAction, &QAction::triggered, this, [this] { changePupil(); });
}

bool MainWindow::choosePupilFirst(QObject* sender) {
  if (sender == nullptr || !m_seriesOver || m_classList.isEmpty() || m_pupilChosen) return true;
  changePupil();
  return m_pupilChosen;
}

void MainWindow::changePupil() {
  if (!m_seriesOver) return;
  const std::optional<QString> name = choosePupil(this, m_classList, m_pupilChosen ? m_log->pupil() : QString());
  if (!name) return;
  m_pupilChosen = true;
  m_log->setPupil(*name);
  setWindowTitle(QStringLiteral("Gradoir - ") + *name);
}

void MainWindow::beginSeriesLog(QObject* sender, bool measuring) {
  if (sender == nullptr) return;
  m_log->startSeries(measuring ? ExerciseKind::Measuring : ExerciseKind::Drawing,
                     measuring ? m_settings.measureSeriesLength : m_settings.drawSeriesLength);
  if (m_changePupilAction != nullptr) m_changePupilAction->setEnabled(false);
}

void MainWindow::beginEstimate() {
  Ui::MainWindow& f = *m_ui;
  m_estimating = true;
  canvas().hideProtractor();
  f.protractorButton->setChecked(false);
  f.protractorButton->setEnabled(false);
  f.centerProtractorButton->setEnabled(false);
  const QString question = tr("Estime la mesure de l'angle :");
  fitStatement(f, question);
  f.statementLabel->setText(question);
}

// The estimate is noted, never scored: no try is spent and no lamp lights.
// Its answer is too long for the verdict's small label: a box says it, and
// the protractor appears once the pupil has read it.
void MainWindow::checkEstimate() {
  Ui::MainWindow& f = *m_ui;
  const QString text = f.answerEdit->text().trimmed();
  bool isNumber = false;
  const int estimate = text.toInt(&isNumber);
  if (text.isEmpty()) return;
  if (!isNumber) {
    // Pasted text may hold anything, as for a measure.
    showError(this, tr("Valeur incorrecte !"));
    return;
  }
  const std::optional<std::int32_t> measure = canvas().angleMeasure();
  const bool close = measure && std::llabs(std::int64_t{estimate} - *measure) <= kGoodEstimate;
  m_log->recordTry(estimate, Verdict::Estimate);
  showInformation(this, close ? tr("Bonne estimation !") : tr("Ton estimation était loin : mesure maintenant."));
  leaveEstimate();
  f.protractorButton->setChecked(true);
  canvas().showProtractor();
  f.statementLabel->setText(measuringStatement());
  f.answerEdit->clear();
  f.answerEdit->setFocus();
}

void MainWindow::leaveEstimate() {
  if (!m_estimating) return;
  Ui::MainWindow& f = *m_ui;
  m_estimating = false;
  f.protractorButton->setEnabled(true);
  f.centerProtractorButton->setEnabled(true);
  fitStatement(f, statementWords(measuringStatement()));
}

}  // namespace gradoir
