#include "app/main_form.h"

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

#include "app/flood_fill.h"
#include "app/main_form_look.h"
#include "app/message_boxes.h"
#include "app/tool_box_placement.h"
#include "canvas/grado_img32.h"
#include "ui/floating_window.h"
#include "ui/help_form.h"
#include "ui_mainform.h"

// The pictures live in a static library: their registration must be pulled
// in by hand, from the global namespace.
static void InitAppResources() { Q_INIT_RESOURCE(app); }

namespace gradoir {

namespace {

// The canvas reports this measure while no second side has been drawn.
constexpr std::int32_t kNoSecondSide = 181;
// The try number of an exercise that is decided.
constexpr std::int32_t kDecided = 4;
constexpr QRgb kLampCore = qRgb(255, 255, 255);

const QColor kRightColour(0, 128, 0);
const QColor kWrongColour(255, 0, 0);

// The lamp core of try n contains the point (15n - 7, 8).
QPoint LampCore(std::int32_t tryNumber) { return {15 * tryNumber - 7, 8}; }

// Typing lets only digits through; pasted text may hold anything. A whole
// number, with an optional sign and blanks around, is an answer.
std::optional<std::int32_t> ParseAnswer(const QString& text) {
  static const QRegularExpression wholeNumber(QStringLiteral("^\\s*[+-]?[0-9]{1,9}\\s*$"));
  if (!wholeNumber.match(text).hasMatch()) return std::nullopt;
  return text.trimmed().toInt();
}

bool IsDigitOrBackspace(const QString& key) {
  return key.size() == 1 && ((key[0] >= u'0' && key[0] <= u'9') || key[0] == u'\b');
}

// Keys that do not type a character (arrows, Delete, Tab, shortcuts such as
// the paste key) are left to the answer box.
bool TypesACharacter(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = key.text();
  if (text.isEmpty()) return false;
  const char16_t c = text[0].unicode();
  return c == u'\b' || (c >= 0x20 && c != 0x7F);
}

bool IsEnter(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

}  // namespace

TMainForm::TMainForm(const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::MainForm>()), SettingsPath_(settingsPath) {
  InitAppResources();
  ui_->setupUi(this);
  ArrangeWindow(*this, *ui_);
  ConnectHandlers();
  FormCreate();
}

TMainForm::~TMainForm() { FormDestroy(); }

TGradoImg32& TMainForm::Canvas() const { return *ui_->GradoImg32; }
TFloatingWindow& TMainForm::ToolBox() const { return *ui_->ToolBox; }

void TMainForm::FormCreate() {
  TrimWindowFrame(*this);
  Cursors_.Register(TCursorTable::crPen, LoadPenCursor());
  BlankLed_ = std::make_unique<QImage>(
      ui_->ImageLed->pixmap().toImage().convertToFormat(QImage::Format_ARGB32));
  Settings_ = ReadSettings(SettingsPath_);
  SeriesOver_ = true;
  ExerciseNumber_ = 1;
  TryNumber_ = 1;
  SuccessCount_ = 0;
}

void TMainForm::FormDestroy() { BlankLed_.reset(); }

void TMainForm::ConnectHandlers() {
  Ui::MainForm& f = *ui_;
  connect(f.MIMesurer, &QAction::triggered, this, [this] { MIMesurerClick(ui_->MIMesurer); });
  connect(f.MITracer, &QAction::triggered, this, [this] { MITracerClick(ui_->MITracer); });
  connect(f.MIQuitter, &QAction::triggered, this, [this] { MIQuitterClick(); });
  connect(f.MIHelp, &QAction::triggered, this, [this] { MIHelpClick(ui_->MIHelp); });
  connect(f.MIAbout, &QAction::triggered, this, [this] { MIHelpClick(ui_->MIAbout); });
  // clicked, not toggled: setting a down state in code must not fire these.
  connect(f.BitBtnCheck, &QPushButton::clicked, this, [this] { BitBtnCheckClick(); });
  connect(f.BitBtnNext, &QPushButton::clicked, this, [this] { BitBtnNextClick(); });
  connect(f.TBtnRotate, &QToolButton::clicked, this, [this] { TBtnDrawClick(); });
  connect(f.TBtnDraw, &QToolButton::clicked, this, [this] { TBtnDrawClick(); });
  connect(f.TBtnGrado, &QToolButton::clicked, this, [this] { TBtnGradoClick(); });
  connect(f.TBtnIniGradoPos, &QToolButton::clicked, this, [this] { TBtnIniGradoPosClick(); });
  // Enter reaches the tool box from any of its controls that leaves it unused.
  f.EditReponse->installEventFilter(this);
  f.ToolBox->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (IsEnter(key)) {
    ActivateDefaultButton();
    return true;
  }
  if (watched == ui_->EditReponse && TypesACharacter(key)) return !EditReponseKeyPress(key.text());
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ActivateDefaultButton() {
  if (ui_->BitBtnCheck->isEnabled()) {
    ui_->BitBtnCheck->click();
  } else if (ui_->BitBtnNext->isEnabled()) {
    ui_->BitBtnNext->click();
  }
}

bool TMainForm::ConfirmAbandon(QObject* sender) {
  if (sender == nullptr) return false;
  if (SeriesOver_) {
    ResetSeries();
    SeriesOver_ = false;
    return false;
  }
  if (!AskConfirmation(this, QStringLiteral("Abandonner la série d'exercices en cours ?"))) return true;
  ResetSeries();
  return false;
}

void TMainForm::ResetSeries() {
  ExerciseNumber_ = 1;
  TryNumber_ = 1;
  SuccessCount_ = 0;
  ui_->LblNumero->clear();
  ui_->LblNumero->setToolTip(QString());
}

void TMainForm::StartExercise() {
  Ui::MainForm& f = *ui_;
  f.ImageLed->setPixmap(QPixmap::fromImage(*BlankLed_));
  Canvas().CenterProtractor();
  Canvas().NewExercise(Settings_.MagneticVertex, Settings_.HorizontalSide);
  Canvas().setEnabled(true);
  f.BitBtnCheck->setEnabled(true);
  f.BitBtnCheck->raise();
  f.BitBtnNext->setEnabled(false);
  f.LblReponse->clear();
  PlaceToolBox();
  ToolBox().SetExpanded(true);
  if (ToolBox().isHidden()) ToolBox().ShowPanel();
  f.TBtnGrado->setChecked(true);
  f.TBtnRotate->setChecked(true);
  f.TBtnDraw->setChecked(false);
}

void TMainForm::PlaceToolBox() {
  TRect first;
  TRect second;
  Canvas().GetSideBounds(first, second);
  gradoir::PlaceToolBox(ToolBox(), Canvas().size(), first, second);
}

void TMainForm::MIMesurerClick(QObject* sender) {
  if (ConfirmAbandon(sender)) return;
  Canvas().SetMode(aMesure);
  StartExercise();
  Ui::MainForm& f = *ui_;
  // The answer box lies over the seven blanks.
  f.LblEnonce->setText(QStringLiteral("Mesure l'angle tracé :       °"));
  f.EditReponse->clear();
  f.EditReponse->setEnabled(true);
  f.EditReponse->show();
  f.EditReponse->setFocus();
  f.TBtnDraw->setEnabled(false);
  f.TBtnDraw->setToolTip(QString());
}

void TMainForm::MITracerClick(QObject* sender) {
  if (ConfirmAbandon(sender)) return;
  // In pencil mode the new angle gets its first side only.
  Canvas().SetMode(aDraw);
  StartExercise();
  Canvas().SetMode(aMesure);
  TargetMeasure_ = Canvas().AngleMeasure();
  Canvas().SetAngleMeasure(kNoSecondSide);
  SetCanvasCursor(TCursorTable::crDefault);
  Ui::MainForm& f = *ui_;
  f.EditReponse->hide();
  f.LblEnonce->setText(QStringLiteral("Trace un angle de %1°.").arg(TargetMeasure_));
  ToolBox().setFocus();
  f.TBtnDraw->setEnabled(true);
  f.TBtnDraw->setToolTip(QStringLiteral("Crayon"));
}

void TMainForm::BitBtnCheckClick() {
  // The kind of exercise shows in the answer box: there only for measuring.
  if (ui_->EditReponse->isHidden()) {
    CheckDrawnAngle();
  } else {
    CheckMeasuredAnswer();
  }
}

void TMainForm::CheckMeasuredAnswer() {
  const QString text = ui_->EditReponse->text();
  if (text.isEmpty()) return;
  const std::optional<std::int32_t> answer = ParseAnswer(text);
  if (!answer) {
    ShowError(this, QStringLiteral("Valeur incorrecte !"));
    return;
  }
  RecordTry(*answer == Canvas().AngleMeasure());
  if (TryNumber_ == kDecided) {
    ui_->EditReponse->setEnabled(false);
    EndExercise(ExerciseNumber_ == Settings_.MeasureSeriesLength);
  }
}

void TMainForm::CheckDrawnAngle() {
  const std::int64_t drawn = std::llabs(static_cast<std::int64_t>(Canvas().AngleMeasure()));
  if (drawn == kNoSecondSide) return;
  RecordTry(drawn == TargetMeasure_);
  if (TryNumber_ == kDecided) EndExercise(ExerciseNumber_ == Settings_.DrawSeriesLength);
}

// The verdict marks the lamp of the current try, so it is shown before the
// try number moves on.
void TMainForm::RecordTry(bool right) {
  if (right) {
    ShowVerdict(QStringLiteral("Bonne réponse !"), kRightColour);
    TryNumber_ = kDecided;
    ++SuccessCount_;
  } else {
    ShowVerdict(QStringLiteral("Erreur ..."), kWrongColour);
    ++TryNumber_;
  }
}

void TMainForm::ShowVerdict(const QString& text, const QColor& colour) {
  QPalette palette = ui_->LblReponse->palette();
  palette.setColor(QPalette::WindowText, colour);
  ui_->LblReponse->setPalette(palette);
  ui_->LblReponse->setText(text);

  QImage led = ui_->ImageLed->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  FloodFill(led, LampCore(TryNumber_), kLampCore, colour.rgb());
  ui_->ImageLed->setPixmap(QPixmap::fromImage(led));
}

void TMainForm::EndExercise(bool last) {
  Ui::MainForm& f = *ui_;
  f.LblNumero->setText(QStringLiteral("%1/%2").arg(SuccessCount_).arg(ExerciseNumber_));
  const QString succeeded = SuccessCount_ <= 1 ? QStringLiteral(" exercice réussi sur ")
                                               : QStringLiteral(" exercices réussis sur ");
  f.LblNumero->setToolTip(QString::number(SuccessCount_) + succeeded + QString::number(ExerciseNumber_));
  TryNumber_ = 1;
  Canvas().setEnabled(false);
  ToolBox().setFocus();
  if (last) {
    ShowInformation(this, QStringLiteral("La série d'exercices est terminée."));
    SeriesOver_ = true;
  } else {
    f.BitBtnNext->raise();
    f.BitBtnNext->setEnabled(true);
  }
  f.BitBtnCheck->setEnabled(false);
}

void TMainForm::BitBtnNextClick() {
  ++ExerciseNumber_;
  ToolBox().setFocus();
  if (ui_->EditReponse->isHidden()) {
    MITracerClick(nullptr);
  } else {
    MIMesurerClick(nullptr);
  }
}

void TMainForm::TBtnDrawClick() {
  const bool pencil = ui_->TBtnDraw->isChecked();
  Canvas().SetMode(pencil ? aDraw : aMesure);
  SetCanvasCursor(pencil ? TCursorTable::crPen : TCursorTable::crDefault);
}

void TMainForm::TBtnGradoClick() {
  if (ui_->TBtnGrado->isChecked()) {
    Canvas().ShowProtractor();
  } else {
    Canvas().HideProtractor();
  }
}

void TMainForm::TBtnIniGradoPosClick() { Canvas().CenterProtractor(); }

bool TMainForm::EditReponseKeyPress(const QString& key) {
  ui_->LblReponse->clear();
  return IsDigitOrBackspace(key);
}

void TMainForm::MIHelpClick(QObject* sender) {
  THelpForm help(this);
  help.SetShowHelp(sender != nullptr && sender->objectName() == QLatin1String("MIHelp"));
  help.exec();
}

void TMainForm::MIQuitterClick() { close(); }

void TMainForm::SetCanvasCursor(int number) { Canvas().setCursor(Cursors_.Cursor(number)); }

}  // namespace gradoir
