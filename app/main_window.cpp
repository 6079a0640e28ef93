#include "app/main_window.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

#include "app/accessibility.h"
#include "app/canvas_board.h"
#include "app/main_window_keys.h"
#include "app/main_window_look.h"
#include "canvas/exercise_canvas.h"
#include "figures/level.h"
#include "series/series_controller.h"
#include "ui/explanation_label.h"
#include "ui/floating_panel.h"
#include "ui/help_dialog.h"
#include "ui/message_boxes.h"
#include "ui/sharp_pixmap.h"
#include "ui/tool_box_placement.h"
#include "ui_main_window.h"

// The pictures live in a static library: their registration must be pulled
// in by hand, from the global namespace.
static void initAppResources() { Q_INIT_RESOURCE(app); }

namespace gradoir {

namespace {

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
  // Before the screen reader's names: its description follows the tools'
  // effect on the canvas, so the tools must act first.
  connectHandlers();
  m_accessibility = new WindowAccessibility(*m_ui, this);
  setUpWindow();
  setUpPupils();
  setUpChooserAndStatus();
  setUpRecordsStatus();
  bindSeries();
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
  m_blankLamps = m_ui->tryLamps->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  const Settings settings = readSettings(m_settingsPath);
  m_board = std::make_unique<CanvasBoard>(canvas(), settings.magneticVertex, settings.horizontalSide);
  m_series = std::make_unique<SeriesController>(settings, readTeachingSettings(m_settingsPath), *m_board);
  // Over the canvas, as the tool box is.
  m_explanation = new ExplanationLabel(m_ui->clientArea);  // owned by its Qt parent
}

void MainWindow::connectHandlers() {
  Ui::MainWindow& f = *m_ui;
  connect(f.measureAction, &QAction::triggered, this, [this] { chooseExercise(ExerciseKind::Measuring); });
  connect(f.drawAction, &QAction::triggered, this, [this] { chooseExercise(ExerciseKind::Drawing); });
  connect(f.pathMeasureAction, &QAction::triggered, this, [this] { chooseExercise(ExerciseKind::Measuring, true); });
  connect(f.pathDrawAction, &QAction::triggered, this, [this] { chooseExercise(ExerciseKind::Drawing, true); });
  connect(f.quitAction, &QAction::triggered, this, &QWidget::close);
  connect(f.helpAction, &QAction::triggered, this, [this] { openHelp(true); });
  connect(f.aboutAction, &QAction::triggered, this, [this] { openHelp(false); });
  // clicked, not toggled: setting a checked state in code must not fire these.
  connect(f.checkButton, &QPushButton::clicked, this, [this] { checkAnswer(); });
  connect(f.nextButton, &QPushButton::clicked, this, [this] { goOn(); });
  connect(f.moveTurnButton, &QToolButton::clicked, this, [this] { useTool(false); });
  connect(f.pencilButton, &QToolButton::clicked, this, [this] { useTool(true); });
  connect(f.protractorButton, &QToolButton::clicked, this, [this](bool checked) { showProtractor(checked); });
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
  switch (m_series->state()) {
    case SeriesState::Estimating:
    case SeriesState::Trying:
      m_ui->checkButton->click();
      break;
    case SeriesState::Decided:
      m_ui->nextButton->click();
      break;
    case SeriesState::Over:
      // After a correction, the summary waits for Enter.
      if (m_series->summaryWaits()) {
        m_ui->nextButton->click();
        break;
      }
      [[fallthrough]];
    case SeriesState::NoSeries:
      canvas().finishCorrection();
      break;
  }
}

void MainWindow::chooseExercise(ExerciseKind kind, bool onPath) {
  if (m_series->seriesRunning()) {
    if (!askConfirmation(this, tr("Abandonner la série d'exercices en cours ?"))) return;
  } else if (!choosePupilFirst()) {
    return;
  }
  if (onPath) {
    m_series->startPath(kind);
  } else {
    m_series->startSeries(kind);
  }
}

void MainWindow::checkAnswer() {
  if (m_series->kind() == ExerciseKind::Drawing) {
    m_series->submitDrawing();
  } else {
    m_series->submitAnswer(m_ui->answerEdit->text());
  }
}

void MainWindow::goOn() {
  toolBox().setFocus();
  m_series->nextExercise();
}

void MainWindow::placeToolBox() {
  const SideBounds sides = canvas().sideBounds();
  gradoir::placeToolBox(toolBox(), canvas().size(), sides.first, sides.second);
}

void MainWindow::useTool(bool pencil) {
  canvas().setMode(pencil ? CanvasTool::Pencil : CanvasTool::Protractor);
  setCanvasCursor(pencil ? CursorTable::kPen : CursorTable::kDefault);
}

void MainWindow::showProtractor(bool shown) {
  if (shown) {
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
  m_series->pupilResumed();
  return isDigitOrBackspace(key);
}

void MainWindow::openHelp(bool help) {
  HelpDialog dialog(this);
  // The measures this computer's settings allow, not the program's defaults.
  const AllowedMeasures measures = allowedMeasures(m_series->settings().level);
  dialog.setMeasureRange(measures.first, measures.last);
  dialog.setShowHelp(help);
  dialog.exec();
}

void MainWindow::setCanvasCursor(int number) { canvas().setCursor(m_cursors.cursor(number)); }

}  // namespace gradoir
