#include "app/main_window_look.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QPalette>

#include "app/tool_box_fitting.h"
#include "canvas/exercise_canvas.h"
#include "app/tool_box.h"
#include "ui_main_window.h"

namespace gradoir {

namespace {

QFont pixelFont(const QString& family, int pixels, bool bold = false) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void arrangeToolBox(Ui::MainWindow& f) {
  ToolBox& box = *f.toolBox;
  box.setTitleBarPosition(TitleBarPosition::Left);
  box.setGeometry(8, 8, 209, 89);
  box.setFont(pixelFont(QStringLiteral("Tahoma"), 11));

  // The description puts the controls on the tool box itself; they belong on
  // its client area, where their positions are client coordinates.
  QWidget* client = box.clientArea();
  for (QWidget* child : box.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child == client) continue;
    const QPoint place = child->pos();
    child->setParent(client);
    child->move(place);
    child->show();
  }
  // A rounded frame behind the score, following it as it is fitted.
  box.frameAround(f.scoreLabel);
  f.statementLabel->setFont(pixelFont(QStringLiteral("Tahoma"), 12));
  f.verdictLabel->setFont(pixelFont(QStringLiteral("Tahoma"), 12, true));
  f.scoreLabel->setFont(pixelFont(QStringLiteral("Tahoma"), 12));
  // Whatever font stands in for "Tahoma", no text is cut off.
  fitToolBoxToTexts(f);

  // Floats over the canvas, hidden until the first exercise.
  box.hide();
  box.raise();
}

// Narrows the label's font until `text` takes at most `room` pixels, so that
// words the answer box must not cover end left of it.
void narrowToFit(QLabel& label, const QString& text, int room) {
  QFont font = label.font();
  const int width = QFontMetrics(font).horizontalAdvance(text);
  if (width <= room) return;
  // Glyph widths round to whole pixels: start from the proportional guess
  // and narrow a step at a time until the text really fits.
  for (int stretch = 100 * room / width; stretch >= QFont::UltraCondensed; --stretch) {
    font.setStretch(stretch);
    if (QFontMetrics(font).horizontalAdvance(text) <= room) break;
  }
  label.setFont(font);
}

}  // namespace

void arrangeWindow(QMainWindow& window, Ui::MainWindow& f) {
  window.setFont(pixelFont(QStringLiteral("System"), 13));
  QPalette white = window.palette();
  white.setColor(QPalette::Window, Qt::white);
  f.clientArea->setPalette(white);
  f.clientArea->setAutoFillBackground(true);
  arrangeToolBox(f);
}

void fitStatement(Ui::MainWindow& f, const QString& words) {
  constexpr int kGap = 2;
  f.statementLabel->setFont(pixelFont(QStringLiteral("Tahoma"), 12));
  narrowToFit(*f.statementLabel, words, f.answerEdit->x() - f.statementLabel->x() - kGap);
}

void trimWindowFrame(QWidget& window) {
  window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
}

QString measuringStatement() {
  //: The answer box covers the blanks: keep the words short and at least two
  //: blanks after them.
  return QCoreApplication::translate("gradoir::MainWindow", "Mesure l'angle tracé :       °");
}

QString statementWords(const QString& statement) {
  return statement.section(QStringLiteral("  "), 0, 0).trimmed();
}

}  // namespace gradoir
