#include "ui/floating_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace gradoir {

namespace {

constexpr int kTitleBar = TFloatingWindow::kTitleBarSize;
// Smallest extent across the title bar, and along it, whatever the frame.
constexpr int kMinLengthLeftBar = 33;
constexpr int kMinLengthTopBar = 105;
constexpr int kButtonSize = 12;

const QColor kFlatFrameColor(170, 170, 255);
const QColor kScoreFrameColor(160, 168, 255);
const QColor kHotColorLeftBar(200, 200, 225);
const QColor kHotColorTopBar(0, 255, 0);

// The frame around the score label of the tool box, in client coordinates:
// a 10 x 10 corner ellipse, columns 128..176 and rows 60..78.
const QRect kScoreFrame(128, 60, 48, 18);
constexpr int kScoreFrameCornerRadius = 5;

bool IsEdge(THitTest code) { return code >= htLeft && code <= htBottomRight; }
bool TouchesLeft(THitTest c) { return c == htLeft || c == htTopLeft || c == htBottomLeft; }
bool TouchesRight(THitTest c) { return c == htRight || c == htTopRight || c == htBottomRight; }
bool TouchesTop(THitTest c) { return c == htTop || c == htTopLeft || c == htTopRight; }
bool TouchesBottom(THitTest c) {
  return c == htBottom || c == htBottomLeft || c == htBottomRight;
}

Qt::CursorShape SizingCursor(THitTest code) {
  switch (code) {
    case htLeft:
    case htRight:
      return Qt::SizeHorCursor;
    case htTop:
    case htBottom:
      return Qt::SizeVerCursor;
    case htTopLeft:
    case htBottomRight:
      return Qt::SizeFDiagCursor;
    default:
      return Qt::SizeBDiagCursor;
  }
}

// Sizeable panel with the title bar on the left; `code` is the default answer.
THitTest SizeableLeftBarHit(QPoint p, int clientWidth, int clientHeight, int height,
                            THitTest code) {
  if (p.x() <= -kTitleBar) {
    code = p.y() < 16 ? htTopLeft : (p.y() >= height - 16 ? htBottomLeft : htLeft);
  } else if (p.x() < 0) {
    code = htCaption;
  } else if (p.x() >= clientWidth) {
    code = p.y() < 16 ? htTopRight : (p.y() > height - 16 ? htBottomRight : htRight);
  }
  if (p.y() <= 0) {
    code = p.x() < 0 ? htTopLeft : (p.x() > clientWidth - 16 ? htTopRight : htTop);
  }
  if (p.y() >= clientHeight) {
    code = p.x() < 0 ? htBottomLeft : (p.x() > clientWidth - 16 ? htBottomRight : htBottom);
  }
  return code;
}

// Sizeable panel with the title bar on top: the same rules, axes exchanged.
THitTest SizeableTopBarHit(QPoint p, int clientWidth, int clientHeight, int width,
                           THitTest code) {
  if (p.y() <= -kTitleBar) {
    code = p.x() < 16 ? htTopLeft : (p.x() >= width - 16 ? htTopRight : htTop);
  } else if (p.y() < 0) {
    code = htCaption;
  } else if (p.y() >= clientHeight) {
    code = p.x() < 16 ? htBottomLeft : (p.x() > width - 16 ? htBottomRight : htBottom);
  }
  if (p.x() <= 0) {
    code = p.y() < 0 ? htTopLeft : (p.y() > clientHeight - 16 ? htBottomLeft : htLeft);
  }
  if (p.x() >= clientWidth) {
    code = p.y() < 0 ? htTopRight : (p.y() > clientHeight - 16 ? htBottomRight : htRight);
  }
  return code;
}

}  // namespace

TFloatingWindow::TFloatingWindow(QWidget* parent) : QWidget(parent) {
  client_area_ = new QWidget(this);
  client_area_->setObjectName(QStringLiteral("ClientArea"));
  // Hover moves over the empty client area must reach the panel (they clear
  // the button's hot state), and entering it from the title bar too.
  client_area_->setMouseTracking(true);
  client_area_->installEventFilter(this);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  resize(185, 105);
  saved_size_ = height();
  UpdateNonClient();
  focus_connection_ = connect(qApp, &QApplication::focusChanged, this,
                              [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

// Deleting a focused child moves the focus while QWidget's destructor runs,
// after this class is gone: stop listening first.
TFloatingWindow::~TFloatingWindow() { disconnect(focus_connection_); }

void TFloatingWindow::SetCtl3D(bool value) {
  ctl3d_ = value;
  UpdateNonClient();
}

void TFloatingWindow::SetExpanded(bool value) {
  if (value == expanded_) return;
  expanded_ = value;
  const QMargins nonClient = contentsMargins();
  if (title_bar_position_ == tbLeft) {
    if (value) {
      resize(saved_size_, height());
    } else {
      saved_size_ = width();
      resize(nonClient.left() + nonClient.right(), height());
    }
  } else {
    if (value) {
      resize(width(), saved_size_);
    } else {
      saved_size_ = height();
      resize(width(), nonClient.top() + nonClient.bottom());
    }
  }
  SyncClientArea();
  PaintTitleBar(true);
  if (OnExpand) OnExpand(this);
}

void TFloatingWindow::SetSizeable(bool value) {
  sizeable_ = value;
  if (!sizeable_) UpdateCursor(htNowhere);
}

void TFloatingWindow::SetShowButtons(bool value) {
  if (value == show_buttons_) return;
  show_buttons_ = value;
  update();
}

void TFloatingWindow::SetTitleBarPosition(TTitleBarPosition value) {
  if (value == title_bar_position_) return;
  title_bar_position_ = value;
  resize(std::max(width(), kMinLengthTopBar), std::max(height(), kMinLengthLeftBar));
  UpdateNonClient();
}

void TFloatingWindow::SetCaption(const QString& caption) {
  caption_ = caption;
  PaintTitleBar(false);
}

QColor TFloatingWindow::Color() const { return palette().color(QPalette::Window); }

void TFloatingWindow::SetColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Window, color);
  setPalette(p);
  update();
}

void TFloatingWindow::ShowPanel() {
  show();
  if (OnShow) OnShow(this);
}

void TFloatingWindow::HidePanel() {
  hide();
  if (OnHide) OnHide(this);
}

THitTest TFloatingWindow::HitTest(QPoint clientPoint) const {
  const QRect client = ClientRect();
  const QPoint panelPoint = clientPoint + client.topLeft();
  if (!rect().contains(panelPoint)) return htNowhere;
  const THitTest byDefault = client.contains(panelPoint) ? htClient : htBorder;
  if (ButtonRect().contains(clientPoint)) return htMinButton;
  const QPoint& p = clientPoint;
  if (title_bar_position_ == tbLeft) {
    if (!sizeable_) return p.x() < 0 ? htCaption : byDefault;
    return SizeableLeftBarHit(p, client.width(), client.height(), height(), byDefault);
  }
  if (!sizeable_) return p.y() < 0 ? htCaption : byDefault;
  return SizeableTopBarHit(p, client.width(), client.height(), width(), byDefault);
}

void TFloatingWindow::PaintTitleBar(bool ButtonOnly) {
  if (ButtonOnly) {
    update(ButtonSquare());
  } else {
    update(QRegion(rect()) - ClientRect());
  }
}

QColor TFloatingWindow::CaptionColor() const {
  // Inactive: a muted grey from the same palette, so that the active caption
  // (the selection colour) stands out.
  return has_focus_ ? palette().color(QPalette::Active, QPalette::Highlight)
                    : palette().color(QPalette::Active, QPalette::Dark);
}

QColor TFloatingWindow::CaptionTextColor() const {
  return has_focus_ ? palette().color(QPalette::Active, QPalette::HighlightedText)
                    : palette().color(QPalette::Active, QPalette::Light);
}

QColor TFloatingWindow::HotColor() const {
  return title_bar_position_ == tbLeft ? kHotColorLeftBar : kHotColorTopBar;
}

// --- geometry ------------------------------------------------------------

void TFloatingWindow::UpdateNonClient() {
  const int a = FrameWidth();
  if (title_bar_position_ == tbLeft) {
    setContentsMargins(a + kTitleBar, a, a, a);
    setMinimumSize(2 * a + kTitleBar, kMinLengthLeftBar);
  } else {
    setContentsMargins(a, a + kTitleBar, a, a);
    setMinimumSize(kMinLengthTopBar, 2 * a + kTitleBar);
  }
  SyncClientArea();
  update();
}

QRect TFloatingWindow::ButtonSquare() const {
  const int a = FrameWidth();
  if (title_bar_position_ == tbLeft) return QRect(a + 2, a + 2, kButtonSize, kButtonSize);
  return QRect(width() - a - 23, a + 2, kButtonSize, kButtonSize);
}

QRect TFloatingWindow::ButtonRect() const {
  return show_buttons_ ? ButtonSquare().translated(-ClientRect().topLeft()) : QRect();
}

void TFloatingWindow::SyncClientArea() { client_area_->setGeometry(ClientRect()); }

QPoint TFloatingWindow::ToClient(QPoint panelPoint) const {
  return panelPoint - ClientRect().topLeft();
}

void TFloatingWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SyncClientArea();
}

// --- focus and hot button -------------------------------------------------

void TFloatingWindow::FocusChanged(QWidget* now) {
  const bool inside = now != nullptr && (now == this || isAncestorOf(now));
  if (inside == has_focus_) return;
  has_focus_ = inside;
  PaintTitleBar(false);
}

void TFloatingWindow::SetButtonHot(bool hot) {
  if (hot == button_hot_) return;
  button_hot_ = hot;
  PaintTitleBar(true);
}

void TFloatingWindow::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  SetButtonHot(false);
}

bool TFloatingWindow::eventFilter(QObject* watched, QEvent* event) {
  // The pointer can go straight from the button onto a control of the
  // client area, which the panel sees as an Enter on its client area.
  if (watched == client_area_ && event->type() == QEvent::Enter) SetButtonHot(false);
  return QWidget::eventFilter(watched, event);
}

// --- pointer --------------------------------------------------------------

void TFloatingWindow::TakeFocusAndRaise() {
  if (isVisible() && isEnabled()) setFocus(Qt::MouseFocusReason);
  raise();
}

void TFloatingWindow::mousePressEvent(QMouseEvent* event) {
  const Qt::MouseButton button = event->button();
  if (button != Qt::LeftButton && button != Qt::RightButton && button != Qt::MiddleButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  event->accept();
  TakeFocusAndRaise();
  if (button != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  const THitTest code = HitTest(ToClient(pos));
  if (code == htMinButton) {
    SetExpanded(!expanded_);
  } else if (code == htCaption) {
    StartPointerAction(TPointerAction::Move, code, mapToParent(pos));
  } else if (sizeable_ && IsEdge(code)) {
    StartPointerAction(TPointerAction::Size, code, mapToParent(pos));
  }
}

void TFloatingWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (pointer_action_ != TPointerAction::None) {
    ContinuePointerAction(mapToParent(pos));
    event->accept();
    return;
  }
  const QPoint p = ToClient(pos);
  const THitTest code = HitTest(p);
  if (code == htClient) {
    SetButtonHot(false);
  } else {
    SetButtonHot(ButtonRect().contains(p));
  }
  UpdateCursor(code);
  event->accept();
}

void TFloatingWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pointer_action_ = TPointerAction::None;
  event->accept();
}

void TFloatingWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click on the title bar or frame has no meaning here (no
  // maximising): swallow it. In the client area it counts as a press.
  if (HitTest(ToClient(event->position().toPoint())) != htClient) {
    event->accept();
    return;
  }
  mousePressEvent(event);
}

void TFloatingWindow::StartPointerAction(TPointerAction action, THitTest code,
                                         QPoint parentPoint) {
  pointer_action_ = action;
  sizing_edge_ = code;
  grab_point_ = parentPoint;
  grab_geometry_ = geometry();
}

QPoint TFloatingWindow::ClampToParent(QPoint parentPoint) const {
  const QWidget* parent = parentWidget();
  if (parent == nullptr) return parentPoint;
  return QPoint(std::clamp(parentPoint.x(), 0, std::max(0, parent->width() - 1)),
                std::clamp(parentPoint.y(), 0, std::max(0, parent->height() - 1)));
}

void TFloatingWindow::ContinuePointerAction(QPoint parentPoint) {
  // The grabbed point never leaves the parent, so the panel can go partly
  // out of view but never wholly.
  const QPoint delta = ClampToParent(parentPoint) - grab_point_;
  if (pointer_action_ == TPointerAction::Move) {
    move(grab_geometry_.topLeft() + delta);
    return;
  }
  // Sizing: move the grabbed edges, keep the opposite ones where they were.
  int left = grab_geometry_.left();
  int top = grab_geometry_.top();
  int right = left + grab_geometry_.width();
  int bottom = top + grab_geometry_.height();
  if (TouchesLeft(sizing_edge_)) left = std::min(left + delta.x(), right - minimumWidth());
  if (TouchesRight(sizing_edge_)) right = std::max(right + delta.x(), left + minimumWidth());
  if (TouchesTop(sizing_edge_)) top = std::min(top + delta.y(), bottom - minimumHeight());
  if (TouchesBottom(sizing_edge_)) {
    bottom = std::max(bottom + delta.y(), top + minimumHeight());
  }
  setGeometry(left, top, right - left, bottom - top);
}

void TFloatingWindow::UpdateCursor(THitTest code) {
  // Only a sizing cursor of our own is ever taken back: any other cursor of
  // the panel is the owner's.
  if (sizeable_ && IsEdge(code)) {
    setCursor(SizingCursor(code));
    sizing_cursor_ = true;
  } else if (sizing_cursor_) {
    unsetCursor();
    sizing_cursor_ = false;
  }
}

// --- painting -------------------------------------------------------------

void TFloatingWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawFrame(painter);
  if (title_bar_position_ == tbLeft) {
    DrawLeftTitleBar(painter);
  } else {
    DrawTopTitleBar(painter);
  }
  DrawButton(painter);
  PaintClient(painter);
}

void TFloatingWindow::DrawFrame(QPainter& painter) {
  const int w = width();
  const int h = height();
  if (!ctl3d_) {
    painter.setPen(kFlatFrameColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, w - 1, h - 1);
    return;
  }
  const QPalette& pal = palette();
  auto edge = [&](int inset, QPalette::ColorRole topLeft, QPalette::ColorRole bottomRight) {
    const int right = w - 1 - inset;
    const int bottom = h - 1 - inset;
    painter.fillRect(QRect(QPoint(inset, inset), QPoint(right, inset)), pal.color(topLeft));
    painter.fillRect(QRect(QPoint(inset, inset), QPoint(inset, bottom)), pal.color(topLeft));
    painter.fillRect(QRect(QPoint(inset, bottom), QPoint(right, bottom)), pal.color(bottomRight));
    painter.fillRect(QRect(QPoint(right, inset), QPoint(right, bottom)), pal.color(bottomRight));
  };
  edge(0, QPalette::Button, QPalette::Shadow);
  edge(1, QPalette::Base, QPalette::Dark);
}

void TFloatingWindow::DrawLeftTitleBar(QPainter& painter) {
  const int a = FrameWidth();
  const int h = height();
  painter.fillRect(QRect(a, a, kTitleBar, h - 2 * a), CaptionColor());
  if (caption_.isEmpty()) return;
  const QFontMetrics metrics(font());
  const int start = h - a + 7 - metrics.height();  // the text runs up from here
  // A substitute font wider than the one the layout was made for would run
  // the caption into the button: end it with an ellipsis below the button.
  const int end = show_buttons_ ? ButtonSquare().bottom() + 2 : a + 7;
  const QString text =
      metrics.elidedText(caption_, Qt::ElideRight, std::max(0, start - end + 1));
  painter.save();
  painter.setClipRect(QRect(QPoint(a, a + 7), QPoint(a + kTitleBar - 1, h - a - 1)));
  painter.translate(2 * a - 1, start);
  painter.rotate(-90);
  painter.setFont(font());
  painter.setPen(CaptionTextColor());
  painter.drawText(QPoint(0, metrics.ascent()), text);
  painter.restore();
}

void TFloatingWindow::DrawTopTitleBar(QPainter& painter) {
  const int a = FrameWidth();
  const int w = width();
  painter.fillRect(QRect(a, a, w - 2 * a, kTitleBar), CaptionColor());
  if (caption_.isEmpty()) return;
  const QFontMetrics metrics(font());
  const int left = a + 4;
  const int room = std::max(0, (w - a - 26) - left);
  painter.setFont(font());
  painter.setPen(CaptionTextColor());
  painter.drawText(QPoint(left, 2 * a - 1 + metrics.ascent()),
                   metrics.elidedText(caption_, Qt::ElideRight, room));
}

void TFloatingWindow::DrawButton(QPainter& painter) {
  if (!show_buttons_) return;
  // A filled triangle, outline included: its flat side is 7 pixels long and
  // each step towards the tip is 2 pixels shorter, 4 steps in all. Left bar:
  // flat side at column x + 4 pointing right (expanded) or at x + 7 pointing
  // left; top bar: flat side at row y + 4 pointing down or at y + 7 pointing up.
  const QRect square = ButtonSquare();
  const int x = square.left();
  const int y = square.top();
  const QColor color = button_hot_ ? HotColor() : CaptionTextColor();
  const int towardsTip = expanded_ ? 1 : -1;
  for (int step = 0; step < 4; ++step) {
    const int length = 7 - 2 * step;
    if (title_bar_position_ == tbLeft) {
      const int column = (expanded_ ? x + 4 : x + 7) + step * towardsTip;
      painter.fillRect(QRect(column, y + 2 + step, 1, length), color);
    } else {
      const int row = (expanded_ ? y + 4 : y + 7) + step * towardsTip;
      painter.fillRect(QRect(x + 2 + step, row, length, 1), color);
    }
  }
}

void TFloatingWindow::PaintClient(QPainter& painter) {
  const QRect client = ClientRect();
  if (client.isEmpty()) return;
  painter.save();
  painter.setClipRect(client);
  painter.translate(client.topLeft());
  painter.fillRect(QRect(QPoint(0, 0), client.size()), Color());
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(kScoreFrameColor);
  painter.setBrush(Color());
  painter.drawRoundedRect(kScoreFrame, kScoreFrameCornerRadius, kScoreFrameCornerRadius);
  painter.restore();
}

}  // namespace gradoir
