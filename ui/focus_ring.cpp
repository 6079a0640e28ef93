#include "ui/focus_ring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace gradoir {

FocusRing::FocusRing(QWidget* owner) : QWidget(owner) {
  setObjectName(QStringLiteral("focusRing"));
  // Only drawn: clicks and the focus go to the widget beneath.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusRing::track(QWidget* widget) {
  m_tracked.append(widget);
  // A widget that moves, resizes or hides while focused takes the ring along.
  widget->installEventFilter(this);
}

void FocusRing::follow(QWidget* now) {
  const bool tracked = now != nullptr && m_tracked.contains(QPointer<QWidget>(now));
  if (!tracked || now->parentWidget() == nullptr) {
    m_target = nullptr;
    hide();
    return;
  }
  m_target = now;
  if (parentWidget() != now->parentWidget()) setParent(now->parentWidget());
  setGeometry(now->geometry());
  raise();
  setVisible(now->isVisible());
  update();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_target) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Hide: follow(m_target); break;
      default: break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QPen pen(palette().color(QPalette::Highlight), kWidth);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
}

}  // namespace gradoir
