#pragma once
// HelpDialog: the borderless, rounded help window, which also serves as the
// about box. Built from resources/help_dialog.ui, whose layouts size it to
// its texts in any font and language (never smaller than its usual
// kClientWidth x kClientHeight). The caller chooses help or about with
// setShowHelp, runs it modally (exec()) and destroys it.
#include <QDialog>
#include <QUrl>
#include <functional>

#include "ui_help_dialog.h"

class QLabel;

namespace gradoir {

class HelpDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 289;
  static constexpr int kClientHeight = 286;
  static constexpr int kCornerSize = 40;  // corner ellipse, width and height

  explicit HelpDialog(QWidget* owner = nullptr);

  // true: the help text covers the window; false: the credits show.
  void setShowHelp(bool showHelp);
  // The measures the exercises ask for, as the help tells them (5 to 175
  // until told otherwise).
  void setMeasureRange(int minimum, int maximum);
  bool showHelp() const;

  // Opens a link target; QDesktopServices::openUrl unless replaced (tests).
  static std::function<void(const QUrl&)>& urlOpener();

  // The generated form, for the caller and tests to reach controls by name.
  const Ui::HelpDialog& form() const { return m_ui; }

  // A link label was clicked: its hint is an e-mail address when it holds
  // "@" (mailto:), a web address otherwise (http://).
  void URLLblClick(QLabel* sender);

  // The target that URLLblClick opens for a hint.
  static QUrl linkTarget(const QString& hint);

 public slots:
  // Escape and every other way of dismissing the window end with Accepted.
  void reject() override;

 protected:
  void paintEvent(QPaintEvent* event) override;    // traces the rounded border
  void resizeEvent(QResizeEvent* event) override;  // rounds the corners
  void showEvent(QShowEvent* event) override;      // centres on the screen
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setUpWindow();

  Ui::HelpDialog m_ui;
};

}  // namespace gradoir
