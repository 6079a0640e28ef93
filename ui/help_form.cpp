#include "ui/help_form.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>

#include "ui_helpform.h"

namespace gradoir {

namespace {

const QColor kBorderColor(160, 168, 255);

// The window's shape: a rectangle whose corners are quarter ellipses of the
// given size, built exactly from rectangles and ellipses.
QRegion RoundedRegion(const QRect& r, int cornerWidth, int cornerHeight) {
  const int cw = std::min(cornerWidth, r.width());
  const int ch = std::min(cornerHeight, r.height());
  QRegion region(r.adjusted(cw / 2, 0, -(cw / 2), 0));
  region += QRegion(r.adjusted(0, ch / 2, 0, -(ch / 2)));
  const QSize corner(cw, ch);
  region += QRegion(QRect(r.topLeft(), corner), QRegion::Ellipse);
  region += QRegion(QRect(QPoint(r.right() - cw + 1, r.top()), corner), QRegion::Ellipse);
  region += QRegion(QRect(QPoint(r.left(), r.bottom() - ch + 1), corner), QRegion::Ellipse);
  region += QRegion(QRect(QPoint(r.right() - cw + 1, r.bottom() - ch + 1), corner),
                    QRegion::Ellipse);
  return region;
}

}  // namespace

THelpForm::THelpForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::HelpForm>()) {
  ui_->setupUi(this);
  FormCreate();
}

THelpForm::~THelpForm() = default;

void THelpForm::FormCreate() {
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);
  // Labels without a size in the description take the size of their text.
  for (QLabel* label : {ui_->Lbl1, ui_->Lbl10, ui_->URLLbl1, ui_->Lbl5, ui_->URLLbl2, ui_->Lbl6,
                        ui_->URLLbl3, ui_->Lbl7, ui_->Lbl8, ui_->URLLbl4}) {
    label->adjustSize();
  }
  ui_->Lbl4->setFixedWidth(ui_->Lbl4->width());
  ui_->Lbl4->adjustSize();
  for (QLabel* link : {ui_->URLLbl1, ui_->URLLbl2, ui_->URLLbl3, ui_->URLLbl4}) {
    link->installEventFilter(this);
  }
  setMask(RoundedRegion(rect(), kCornerSize, kCornerSize));
  ui_->OKBtn->setFocus(Qt::OtherFocusReason);
  update();
}

void THelpForm::SetShowHelp(bool showHelp) { ui_->Memo1->setVisible(showHelp); }

bool THelpForm::ShowHelp() const { return !ui_->Memo1->isHidden(); }

std::function<void(const QUrl&)>& THelpForm::UrlOpener() {
  static std::function<void(const QUrl&)> opener = [](const QUrl& url) {
    QDesktopServices::openUrl(url);  // nothing happens when nothing can open it
  };
  return opener;
}

QUrl THelpForm::LinkTarget(const QString& hint) {
  return QUrl(hint.contains(QLatin1Char('@')) ? QStringLiteral("mailto:") + hint
                                                : QStringLiteral("http://") + hint);
}

void THelpForm::URLLblClick(QLabel* sender) {
  if (sender == nullptr) return;
  const QString hint = sender->property("hint").toString();
  if (hint.isEmpty()) return;
  if (const auto& open = UrlOpener()) open(LinkTarget(hint));
}

void THelpForm::reject() { accept(); }

void THelpForm::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.setPen(kBorderColor);
  painter.setBrush(Qt::NoBrush);
  const qreal radius = kCornerSize / 2.0;
  painter.drawRoundedRect(QRect(0, 0, width() - 1, height() - 1), radius, radius);
}

void THelpForm::showEvent(QShowEvent* event) {
  if (const QScreen* s = screen()) move(s->geometry().center() - rect().center());
  QDialog::showEvent(event);
}

bool THelpForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* label = qobject_cast<QLabel*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (label != nullptr && mouse->button() == Qt::LeftButton &&
        label->rect().contains(mouse->position().toPoint())) {
      URLLblClick(label);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace gradoir
