#include "app/main_form_look.h"

#include <QFont>
#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>
#include <QLabel>
#include <QMainWindow>
#include <QPalette>

#include "canvas/grado_img32.h"
#include "ui/floating_window.h"
#include "ui_mainform.h"

namespace gradoir {

namespace {

QFont PixelFont(const QString& family, int pixels, bool bold = false) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// The answer box covers the blanks of the measuring statement, so the words
// before them must end left of it. A substitute for a missing "Tahoma" is
// often wider: narrow the font until they fit.
void FitStatementFont(QLabel& statement, const QLineEdit& answerBox) {
  constexpr int kGap = 2;
  QFont font = statement.font();
  const int room = answerBox.x() - statement.x() - kGap;
  const int width = QFontMetrics(font).horizontalAdvance(QStringLiteral("Mesure l'angle tracé :"));
  if (width <= room) return;
  font.setStretch(std::max<int>(QFont::UltraCondensed, 100 * room / width));
  statement.setFont(font);
}

void ArrangeToolBox(Ui::MainForm& f) {
  TFloatingWindow& box = *f.ToolBox;
  box.SetTitleBarPosition(tbLeft);
  box.setGeometry(8, 8, 209, 89);
  box.setFont(PixelFont(QStringLiteral("Tahoma"), 11));

  // The description puts the controls on the tool box itself; they belong on
  // its client area, where their positions are client coordinates.
  QWidget* client = box.ClientArea();
  for (QWidget* child : box.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child == client) continue;
    const QPoint place = child->pos();
    child->setParent(client);
    child->move(place);
    child->show();
  }
  f.LblEnonce->setFont(PixelFont(QStringLiteral("Tahoma"), 12));
  FitStatementFont(*f.LblEnonce, *f.EditReponse);
  f.LblReponse->setFont(PixelFont(QStringLiteral("Tahoma"), 12, true));
  f.LblNumero->setFont(PixelFont(QStringLiteral("Tahoma"), 12));
  f.LblReponse->setAutoFillBackground(false);

  // Floats over the canvas, hidden until the first exercise.
  box.hide();
  box.raise();
}

}  // namespace

void ArrangeWindow(QMainWindow& window, Ui::MainForm& f) {
  window.setFont(PixelFont(QStringLiteral("System"), 13));
  QPalette white = window.palette();
  white.setColor(QPalette::Window, Qt::white);
  f.ClientArea->setPalette(white);
  f.ClientArea->setAutoFillBackground(true);
  ArrangeToolBox(f);
}

void TrimWindowFrame(QWidget& window) {
  window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
}

}  // namespace gradoir
