#include "app/main_form_look.h"

#include <QFont>
#include <QFontMetrics>
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

// Narrows the label's font until `text` takes at most `room` pixels. The
// tool box's labels have fixed sizes meant for "Tahoma"; a wider substitute
// would cut the verdict or push the statement under the answer box.
void NarrowToFit(QLabel& label, const QString& text, int room) {
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
  f.LblReponse->setFont(PixelFont(QStringLiteral("Tahoma"), 12, true));
  f.LblNumero->setFont(PixelFont(QStringLiteral("Tahoma"), 12));
  // The measuring statement's words end left of the answer box that covers
  // its blanks; the longer verdict fits its label.
  constexpr int kGap = 2;
  NarrowToFit(*f.LblEnonce, QStringLiteral("Mesure l'angle tracé :"),
              f.EditReponse->x() - f.LblEnonce->x() - kGap);
  NarrowToFit(*f.LblReponse, QStringLiteral("Bonne réponse !"), f.LblReponse->width() - kGap);

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
