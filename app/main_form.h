#pragma once
// TMainForm: the main window and the series controller behind it. It runs
// series of measuring or drawing exercises, counts the tries, checks the
// answers, shows verdicts, lamps and score, and ends the series. It reaches
// the canvas and the tool box only through the few operations they offer
// (new exercise, protractor centre/show/hide, angle measure, side bounds,
// enabling, cursor; tool box place, show/hide, expand).
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <memory>

#include "app/cursor_table.h"
#include "app/settings.h"

namespace Ui {
class MainForm;
}

class QColor;

namespace gradoir {

class TFloatingWindow;
class TGradoImg32;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Reads its settings from `settingsPath` ("Grado.ini" beside the program
  // unless a test gives another file).
  explicit TMainForm(const QString& settingsPath = SettingsFilePath(), QWidget* parent = nullptr);
  ~TMainForm() override;

  // Read access for the program's tests.
  std::int32_t TryNumber() const { return TryNumber_; }
  std::int32_t ExerciseNumber() const { return ExerciseNumber_; }
  std::int32_t SuccessCount() const { return SuccessCount_; }
  std::int32_t TargetMeasure() const { return TargetMeasure_; }
  bool SeriesOver() const { return SeriesOver_; }
  const TSettings& Settings() const { return Settings_; }
  const Ui::MainForm& Form() const { return *ui_; }
  TGradoImg32& Canvas() const;
  TFloatingWindow& ToolBox() const;
  const TCursorTable& Cursors() const { return Cursors_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormDestroy();
  void ConnectHandlers();

  // Menu and button handlers; a null sender means a call from BitBtnNextClick.
  void MIMesurerClick(QObject* sender);
  void MITracerClick(QObject* sender);
  void MIQuitterClick();
  void MIHelpClick(QObject* sender);
  void BitBtnCheckClick();
  void BitBtnNextClick();
  void TBtnDrawClick();
  void TBtnGradoClick();
  void TBtnIniGradoPosClick();
  // False when the key must not reach the answer box.
  bool EditReponseKeyPress(const QString& key);

  bool ConfirmAbandon(QObject* sender);
  void ResetSeries();
  void StartExercise();
  void CheckMeasuredAnswer();
  void CheckDrawnAngle();
  void RecordTry(bool right);
  void ShowVerdict(const QString& text, const QColor& colour);
  void EndExercise(bool last);
  void PlaceToolBox();
  // Enter: the enabled one of BitBtnCheck and BitBtnNext.
  void ActivateDefaultButton();
  void SetCanvasCursor(int number);

  std::unique_ptr<Ui::MainForm> ui_;
  TCursorTable Cursors_;
  QString SettingsPath_;

  TSettings Settings_;
  bool SeriesOver_ = true;
  std::int32_t TargetMeasure_ = 0;
  std::int32_t TryNumber_ = 1;
  std::int32_t ExerciseNumber_ = 1;
  std::int32_t SuccessCount_ = 0;
  // The lamp picture with three white lamps, restored at each exercise.
  std::unique_ptr<QImage> BlankLed_;
};

}  // namespace gradoir
