#include "app/main_window.h"

#include <QAction>
#include <QColor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <cstdlib>
#include <optional>

#include "app/accessibility.h"
#include "ui/flood_fill.h"
#include "app/main_window_keys.h"
#include "app/main_window_look.h"
#include "ui/message_boxes.h"
#include "app/tool_box_fitting.h"
#include "ui/sharp_pixmap.h"
#include "series/series_log.h"
#include "ui/tool_box_placement.h"
#include "canvas/exercise_canvas.h"
#include "ui/floating_panel.h"
#include "ui/exercise_chooser.h"
#include "ui/help_dialog.h"
#include "ui_main_window.h"

// The pictures live in a static library: their registration must be pulled
// in by hand, from the global namespace.
static void initAppResources() { Q_INIT_RESOURCE(app); }

namespace gradoir {

namespace {

// The canvas reports this measure while no second side has been drawn.
// The try number of an exercise that is decided.
constexpr std::int32_t kDecided = 4;
constexpr QRgb kLampCore = qRgb(255, 255, 255);

const QColor kRightColour(0, 128, 0);
const QColor kWrongColour(255, 0, 0);

// The lamp core of try n contains the point (15n - 7, 8).
QPoint lampCore(std::int32_t tryNumber) { return {15 * tryNumber - 7, 8}; }

// Typing lets only digits through; pasted text may hold anything. A whole
// number, with an optional sign and blanks around, is an answer.
std::optional<std::int32_t> parseAnswer(const QString& text) {
  static const QRegularExpression wholeNumber(QStringLiteral("^\\s*[+-]?[0-9]{1,9}\\s*$"));
  if (!wholeNumber.match(text).hasMatch()) return std::nullopt;
  return text.trimmed().toInt();
}

bool isDigitOrBackspace(const QString& key) {
  return key.size() == 1 && ((key[0] >= u'0' && key[0] <= u'9') || key[0] == u'\b');
}

// Keys that do not type a character (arrows, Delete, Tab, shortcuts such as
// the paste key) are left to the answer box.
bool typesACharacter(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = key.text();
  if (text.isEmpty()) return false;
  const char16_t c = text[0].unicode();
  return c == u'\b' || (c >= 0x20 && c != 0x7F);
}

bool isEnter(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

}  // namespace

MainWindow::MainWindow(const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::MainWindow>()), m_settingsPath(settingsPath) {
  initAppResources();
  m_ui->setupUi(this);
  arrangeWindow(*this, *m_ui);
  arrangeKeyboard(*this, *m_ui);
  connectHandlers();
  m_accessibility = new WindowAccessibility(*m_ui, this);
  setUpWindow();
  setUpTeaching();
  setUpChooserAndStatus();
}

MainWindow::~MainWindow() {
  // Before the widgets it reads from go.
  delete m_accessibility;
  m_accessibility = nullptr;
}

ExerciseCanvas& MainWindow::canvas() const { return *m_ui->canvas; }
FloatingPanel& MainWindow::toolBox() const { return *m_ui->toolBox; }

void MainWindow::setUpWindow() {
  trimWindowFrame(*this);
  m_cursors.add(CursorTable::kPen, loadPenCursor());
  m_ui->tryLamps->setPixmap(sharpPixmap(QStringLiteral(":/app/led.xpm"), devicePixelRatioF()));
  m_blankLed = std::make_unique<QImage>(
      m_ui->tryLamps->pixmap().toImage().convertToFormat(QImage::Format_ARGB32));
  m_settings = readSettings(m_settingsPath);
  setUpPupils();
  m_seriesOver = true;
  m_exerciseNumber = 1;
  m_tryNumber = 1;
  m_successCount = 0;
}

void MainWindow::connectHandlers() {
  Ui::MainWindow& f = *m_ui;
  connect(f.measureAction, &QAction::triggered, this, [this] { startMeasuring(m_ui->measureAction); });
  connect(f.drawAction, &QAction::triggered, this, [this] { startDrawing(m_ui->drawAction); });
  connect(f.quitAction, &QAction::triggered, this, [this] { quit(); });
  connect(f.helpAction, &QAction::triggered, this, [this] { openHelp(m_ui->helpAction); });
  connect(f.aboutAction, &QAction::triggered, this, [this] { openHelp(m_ui->aboutAction); });
  // clicked, not toggled: setting a down state in code must not fire these.
  connect(f.checkButton, &QPushButton::clicked, this, [this] { checkAnswer(); });
  connect(f.nextButton, &QPushButton::clicked, this, [this] { nextExercise(); });
  connect(f.moveTurnButton, &QToolButton::clicked, this, [this] { usePencil(); });
  connect(f.pencilButton, &QToolButton::clicked, this, [this] { usePencil(); });
  connect(f.protractorButton, &QToolButton::clicked, this, [this] { toggleProtractor(); });
  connect(f.centerProtractorButton, &QToolButton::clicked, this, [this] { centerProtractor(); });
  // Enter reaches the tool box from any of its controls that leaves it unused.
  f.answerEdit->installEventFilter(this);
  f.toolBox->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (isEnter(key)) {
    activateDefaultButton();
    return true;
  }
  if (watched == m_ui->answerEdit && typesACharacter(key)) return !acceptAnswerKey(key.text());
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::activateDefaultButton() {
  if (m_ui->checkButton->isEnabled()) {
    m_ui->checkButton->click();
  } else if (m_ui->nextButton->isEnabled()) {
    m_ui->nextButton->click();
  } else if (canvas().correctionRunning()) {
    canvas().finishCorrection();
  }
}

bool MainWindow::confirmAbandon(QObject* sender) {
  if (sender == nullptr) return false;
  if (m_seriesOver) {
    resetSeries();
    m_seriesOver = false;
    return false;
  }
  if (!askConfirmation(this, tr("Abandonner la série d'exercices en cours ?"))) return true;
  resetSeries();
  return false;
}

void MainWindow::resetSeries() {
  m_exerciseNumber = 1;
  m_tryNumber = 1;
  m_successCount = 0;
  m_ui->scoreLabel->clear();
  m_ui->scoreLabel->setToolTip(QString());
}

void MainWindow::startExercise() {
  Ui::MainWindow& f = *m_ui;
  clearExplanation();
  m_seriesEndAfterCorrection = false;
  leaveEstimate();
  f.tryLamps->setPixmap(QPixmap::fromImage(*m_blankLed));
  m_chooser->hide();
  canvas().centerProtractor();
  canvas().newExercise(m_settings.magneticVertex, m_settings.horizontalSide,
                       m_settings.level);
  canvas().setEnabled(true);
  f.checkButton->setEnabled(true);
  f.checkButton->raise();
  f.nextButton->setEnabled(false);
  f.verdictLabel->clear();
  placeToolBox();
  toolBox().setExpanded(true);
  if (toolBox().isHidden()) toolBox().showPanel();
  f.protractorButton->setChecked(true);
  f.moveTurnButton->setChecked(true);
  f.pencilButton->setChecked(false);
}

void MainWindow::placeToolBox() {
  const SideBounds sides = canvas().sideBounds();
  gradoir::placeToolBox(toolBox(), canvas().size(), sides.first, sides.second);
}

void MainWindow::startMeasuring(QObject* sender) {
  if (!choosePupilFirst(sender)) return;
  if (confirmAbandon(sender)) return;
  beginSeriesLog(sender, true);
  canvas().setMode(CanvasTool::Protractor);
  startExercise();
  showProgress(m_settings.measureSeriesLength);
  if (m_settings.level.protractorPlaced) canvas().placeProtractorOnAngle();
  Ui::MainWindow& f = *m_ui;
  // The answer box lies over the seven blanks.
  f.statementLabel->setText(measuringStatement());
  f.answerEdit->clear();
  f.answerEdit->setEnabled(true);
  f.answerEdit->show();
  f.answerEdit->setFocus();
  f.pencilButton->setEnabled(false);
  f.pencilButton->setToolTip(QString());
  m_accessibility->measuringStarted();
  m_log->startExercise(m_exerciseNumber, canvas().angleMeasure().value_or(0));
  if (m_settings.level.estimation) beginEstimate();
}

void MainWindow::startDrawing(QObject* sender) {
  if (!choosePupilFirst(sender)) return;
  if (confirmAbandon(sender)) return;
  beginSeriesLog(sender, false);
  // In pencil mode the new angle gets its first side only.
  canvas().setMode(CanvasTool::Pencil);
  startExercise();
  showProgress(m_settings.drawSeriesLength);
  canvas().setMode(CanvasTool::Protractor);
  m_targetMeasure = canvas().angleMeasure().value_or(0);
  canvas().clearSecondSide();
  setCanvasCursor(CursorTable::kDefault);
  Ui::MainWindow& f = *m_ui;
  f.answerEdit->hide();
  f.statementLabel->setText(tr("Trace un angle de %1°.").arg(m_targetMeasure));
  toolBox().setFocus();
  f.pencilButton->setEnabled(true);
  f.pencilButton->setToolTip(tr("Crayon"));
  m_accessibility->drawingStarted(m_targetMeasure);
  m_log->startExercise(m_exerciseNumber, m_targetMeasure);
}

void MainWindow::checkAnswer() {
  // The kind of exercise shows in the answer box: there only for measuring.
  if (m_ui->answerEdit->isHidden()) {
    checkDrawnAngle();
  } else if (m_estimating) {
    checkEstimate();
  } else {
    checkMeasuredAnswer();
  }
}

void MainWindow::checkMeasuredAnswer() {
  const QString text = m_ui->answerEdit->text();
  if (text.isEmpty()) return;
  const std::optional<std::int32_t> answer = parseAnswer(text);
  if (!answer) {
    showError(this, tr("Valeur incorrecte !"));
    return;
  }
  // Within the tolerance either way; with none, the exact measure only.
  const std::optional<std::int32_t> measure = canvas().angleMeasure();
  const bool right = measure && std::llabs(std::int64_t{*answer} - *measure) <= m_settings.level.tolerance;
  m_log->recordTry(*answer, right ? Verdict::Right : Verdict::Wrong,
                   right ? std::nullopt : mistakeCode(*answer));
  recordTry(right);
  if (!right) teachAfterWrongTry(*answer, m_tryNumber == kDecided);
  if (m_tryNumber == kDecided) {
    m_ui->answerEdit->setEnabled(false);
    endExercise(m_exerciseNumber == m_settings.measureSeriesLength);
  }
}

void MainWindow::checkDrawnAngle() {
  // Nothing drawn yet, or a stroke of no length: there is no answer to check.
  const std::optional<std::int32_t> drawn = canvas().angleMeasure();
  if (!drawn) {
    teachAfterWrongTry(std::nullopt, false);
    return;
  }
  const std::int32_t opening = static_cast<std::int32_t>(std::llabs(*drawn));
  const bool right = std::llabs(std::int64_t{opening} - m_targetMeasure) <= m_settings.level.tolerance;
  m_log->recordTry(opening, right ? Verdict::Right : Verdict::Wrong, right ? std::nullopt : mistakeCode(opening));
  recordTry(right);
  if (!right) teachAfterWrongTry(opening, m_tryNumber == kDecided);
  if (m_tryNumber == kDecided) endExercise(m_exerciseNumber == m_settings.drawSeriesLength);
}

// The verdict marks the lamp of the current try, so it is shown before the
// try number moves on.
void MainWindow::recordTry(bool right) {
  if (right) {
    showVerdict(tr("Bonne réponse !"), kRightColour);
    m_tryNumber = kDecided;
    ++m_successCount;
  } else {
    showVerdict(tr("Erreur ..."), kWrongColour);
    ++m_tryNumber;
  }
}

void MainWindow::showVerdict(const QString& text, const QColor& colour) {
  QPalette palette = m_ui->verdictLabel->palette();
  palette.setColor(QPalette::WindowText, colour);
  m_ui->verdictLabel->setPalette(palette);
  const bool repeated = m_ui->verdictLabel->text() == text;
  m_ui->verdictLabel->setText(text);

  QImage led = m_ui->tryLamps->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  // A picture drawn for a denser screen has its lamps at the same logical place.
  floodFill(led, lampCore(m_tryNumber) * led.devicePixelRatio(), kLampCore, colour.rgb());
  m_ui->tryLamps->setPixmap(QPixmap::fromImage(led));
  m_accessibility->verdictShown(m_tryNumber, colour == kRightColour, repeated);
}

// The end-of-series box: its text, then the score and the series's table.
void MainWindow::showSeriesEnd() {
  showInformation(this, tr("La série d'exercices est terminée."),
                  m_log->summaryText(m_successCount, m_exerciseNumber));
}

void MainWindow::endExercise(bool last) {
  Ui::MainWindow& f = *m_ui;
  f.scoreLabel->setText(QStringLiteral("%1/%2").arg(m_successCount).arg(m_exerciseNumber));
  fitScoreLabel(f);
  // French takes the singular for 0 and 1; a translation may say both alike.
  const QString succeeded = m_successCount <= 1 ? tr("%1 exercice réussi sur %2")
                                                : tr("%1 exercices réussis sur %2");
  f.scoreLabel->setToolTip(succeeded.arg(m_successCount).arg(m_exerciseNumber));
  m_tryNumber = 1;
  canvas().setEnabled(false);
  toolBox().setFocus();
  if (last) {
    m_log->endSeries(m_successCount);
    if (canvas().correctionRunning()) {
      m_seriesEndAfterCorrection = true;
    } else {
      showSeriesEnd();
    }
    m_seriesOver = true;
    showChooser();
    if (m_changePupilAction != nullptr) m_changePupilAction->setEnabled(true);
  } else {
    f.nextButton->raise();
    f.nextButton->setEnabled(true);
  }
  f.checkButton->setEnabled(false);
}

void MainWindow::nextExercise() {
  canvas().finishCorrection();
  ++m_exerciseNumber;
  toolBox().setFocus();
  if (m_ui->answerEdit->isHidden()) {
    startDrawing(nullptr);
  } else {
    startMeasuring(nullptr);
  }
}

void MainWindow::usePencil() {
  const bool pencil = m_ui->pencilButton->isChecked();
  canvas().setMode(pencil ? CanvasTool::Pencil : CanvasTool::Protractor);
  setCanvasCursor(pencil ? CursorTable::kPen : CursorTable::kDefault);
}

void MainWindow::toggleProtractor() {
  if (m_ui->protractorButton->isChecked()) {
    canvas().showProtractor();
  } else {
    canvas().hideProtractor();
  }
}

void MainWindow::centerProtractor() {
  // A correction still gliding ends first, so that what waits for it (the
  // end-of-series box) still comes.
  canvas().finishCorrection();
  canvas().centerProtractor();
}

bool MainWindow::acceptAnswerKey(const QString& key) {
  m_ui->verdictLabel->clear();
  clearExplanation();
  return isDigitOrBackspace(key);
}

void MainWindow::openHelp(QObject* sender) {
  HelpDialog help(this);
  help.setShowHelp(sender != nullptr && sender->objectName() == QLatin1String("helpAction"));
  help.exec();
}

void MainWindow::quit() { close(); }

void MainWindow::setCanvasCursor(int number) { canvas().setCursor(m_cursors.cursor(number)); }

}  // namespace gradoir
