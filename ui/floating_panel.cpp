#include "ui/floating_panel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

namespace gradoir {

namespace {

constexpr int kTitleBar = FloatingPanel::kTitleBarSize;
// Smallest extent across the title bar, and along it, whatever the frame.
constexpr int kMinLengthLeftBar = 33;
constexpr int kMinLengthTopBar = 105;
constexpr int kButtonSize = 12;

const QColor kFlatFrameColor(170, 170, 255);
const QColor kHotColorLeftBar(200, 200, 225);
const QColor kHotColorTopBar(0, 255, 0);


bool isEdge(PanelHit code) { return code >= PanelHit::Left && code <= PanelHit::BottomRight; }
bool touchesLeft(PanelHit c) { return c == PanelHit::Left || c == PanelHit::TopLeft || c == PanelHit::BottomLeft; }
bool touchesRight(PanelHit c) { return c == PanelHit::Right || c == PanelHit::TopRight || c == PanelHit::BottomRight; }
bool touchesTop(PanelHit c) { return c == PanelHit::Top || c == PanelHit::TopLeft || c == PanelHit::TopRight; }
bool touchesBottom(PanelHit c) {
  return c == PanelHit::Bottom || c == PanelHit::BottomLeft || c == PanelHit::BottomRight;
}

Qt::CursorShape sizingCursor(PanelHit code) {
  switch (code) {
    case PanelHit::Left:
    case PanelHit::Right:
      return Qt::SizeHorCursor;
    case PanelHit::Top:
    case PanelHit::Bottom:
      return Qt::SizeVerCursor;
    case PanelHit::TopLeft:
    case PanelHit::BottomRight:
      return Qt::SizeFDiagCursor;
    default:
      return Qt::SizeBDiagCursor;
  }
}

// Sizeable panel with the title bar on the left; `code` is the default answer.
PanelHit sizeableLeftBarHit(QPoint p, int clientWidth, int clientHeight, int height,
                            PanelHit code) {
  if (p.x() <= -kTitleBar) {
    code = p.y() < 16 ? PanelHit::TopLeft : (p.y() >= height - 16 ? PanelHit::BottomLeft : PanelHit::Left);
  } else if (p.x() < 0) {
    code = PanelHit::Caption;
  } else if (p.x() >= clientWidth) {
    code = p.y() < 16 ? PanelHit::TopRight : (p.y() > height - 16 ? PanelHit::BottomRight : PanelHit::Right);
  }
  if (p.y() <= 0) {
    code = p.x() < 0 ? PanelHit::TopLeft : (p.x() > clientWidth - 16 ? PanelHit::TopRight : PanelHit::Top);
  }
  if (p.y() >= clientHeight) {
    code = p.x() < 0 ? PanelHit::BottomLeft : (p.x() > clientWidth - 16 ? PanelHit::BottomRight : PanelHit::Bottom);
  }
  return code;
}

// Sizeable panel with the title bar on top: the same rules, axes exchanged.
PanelHit sizeableTopBarHit(QPoint p, int clientWidth, int clientHeight, int width,
                           PanelHit code) {
  if (p.y() <= -kTitleBar) {
    code = p.x() < 16 ? PanelHit::TopLeft : (p.x() >= width - 16 ? PanelHit::TopRight : PanelHit::Top);
  } else if (p.y() < 0) {
    code = PanelHit::Caption;
  } else if (p.y() >= clientHeight) {
    code = p.x() < 16 ? PanelHit::BottomLeft : (p.x() > width - 16 ? PanelHit::BottomRight : PanelHit::Bottom);
  }
  if (p.x() <= 0) {
    code = p.y() < 0 ? PanelHit::TopLeft : (p.y() > clientHeight - 16 ? PanelHit::BottomLeft : PanelHit::Left);
  }
  if (p.x() >= clientWidth) {
    code = p.y() < 0 ? PanelHit::TopRight : (p.y() > clientHeight - 16 ? PanelHit::BottomRight : PanelHit::Right);
  }
  return code;
}

}  // namespace

FloatingPanel::FloatingPanel(QWidget* parent) : QWidget(parent) {
  m_clientArea = new QWidget(this);
  m_clientArea->setObjectName(QStringLiteral("clientArea"));
  // Hover moves over the empty client area must reach the panel (they clear
  // the button's hot state), and entering it from the title bar too.
  m_clientArea->setMouseTracking(true);
  m_clientArea->installEventFilter(this);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  resize(185, 105);
  m_savedSize = height();
  updateNonClient();
  m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                              [this](QWidget*, QWidget* now) { focusChanged(now); });
  if (parent != nullptr) parent->installEventFilter(this);
}

// Deleting a focused child moves the focus while QWidget's destructor runs,
// after this class is gone: stop listening first.
FloatingPanel::~FloatingPanel() { disconnect(m_focusConnection); }

void FloatingPanel::setSunkenFrame(bool value) {
  m_ctl3d = value;
  updateNonClient();
}

void FloatingPanel::setExpanded(bool value) {
  if (value == m_expanded) return;
  m_expanded = value;
  const QMargins nonClient = contentsMargins();
  if (m_titleBarPosition == TitleBarPosition::Left) {
    if (value) {
      resize(m_savedSize, height());
    } else {
      m_savedSize = width();
      resize(nonClient.left() + nonClient.right(), height());
    }
  } else {
    if (value) {
      resize(width(), m_savedSize);
    } else {
      m_savedSize = height();
      resize(width(), nonClient.top() + nonClient.bottom());
    }
  }
  syncClientArea();
  paintTitleBar(true);
  emit expandedChanged(m_expanded);
}

void FloatingPanel::setSizeable(bool value) {
  m_sizeable = value;
  if (!m_sizeable) updateCursor(PanelHit::Nowhere);
}

void FloatingPanel::setShowButtons(bool value) {
  if (value == m_showButtons) return;
  m_showButtons = value;
  update();
}

void FloatingPanel::setTitleBarPosition(TitleBarPosition value) {
  if (value == m_titleBarPosition) return;
  m_titleBarPosition = value;
  resize(std::max(width(), kMinLengthTopBar), std::max(height(), kMinLengthLeftBar));
  updateNonClient();
}

void FloatingPanel::setCaption(const QString& caption) {
  m_caption = caption;
  paintTitleBar(false);
}

QColor FloatingPanel::color() const { return palette().color(QPalette::Window); }

void FloatingPanel::setColor(const QColor& color) {
  QPalette p = palette();
  p.setColor(QPalette::Window, color);
  setPalette(p);
  update();
}

void FloatingPanel::showPanel() {
  show();
  emit panelShown();
}

void FloatingPanel::hidePanel() {
  hide();
  emit panelHidden();
}

PanelHit FloatingPanel::hitTest(QPoint clientPoint) const {
  const QRect client = clientRect();
  const QPoint panelPoint = clientPoint + client.topLeft();
  if (!rect().contains(panelPoint)) return PanelHit::Nowhere;
  const PanelHit byDefault = client.contains(panelPoint) ? PanelHit::Client : PanelHit::Border;
  if (buttonRect().contains(clientPoint)) return PanelHit::CollapseButton;
  const QPoint& p = clientPoint;
  if (m_titleBarPosition == TitleBarPosition::Left) {
    if (!m_sizeable) return p.x() < 0 ? PanelHit::Caption : byDefault;
    return sizeableLeftBarHit(p, client.width(), client.height(), height(), byDefault);
  }
  if (!m_sizeable) return p.y() < 0 ? PanelHit::Caption : byDefault;
  return sizeableTopBarHit(p, client.width(), client.height(), width(), byDefault);
}

void FloatingPanel::paintTitleBar(bool ButtonOnly) {
  if (ButtonOnly) {
    update(buttonSquare());
  } else {
    update(QRegion(rect()) - clientRect());
  }
}

QColor FloatingPanel::captionColor() const {
  // Inactive: a muted grey from the same palette, so that the active caption
  // (the selection colour) stands out.
  return m_hasFocus ? palette().color(QPalette::Active, QPalette::Highlight)
                    : palette().color(QPalette::Active, QPalette::Dark);
}

QColor FloatingPanel::captionTextColor() const {
  return m_hasFocus ? palette().color(QPalette::Active, QPalette::HighlightedText)
                    : palette().color(QPalette::Active, QPalette::Light);
}

QColor FloatingPanel::hotColor() const {
  return m_titleBarPosition == TitleBarPosition::Left ? kHotColorLeftBar : kHotColorTopBar;
}

// --- geometry ------------------------------------------------------------

void FloatingPanel::updateNonClient() {
  const int a = frameWidth();
  if (m_titleBarPosition == TitleBarPosition::Left) {
    setContentsMargins(a + kTitleBar, a, a, a);
    setMinimumSize(2 * a + kTitleBar, kMinLengthLeftBar);
  } else {
    setContentsMargins(a, a + kTitleBar, a, a);
    setMinimumSize(kMinLengthTopBar, 2 * a + kTitleBar);
  }
  syncClientArea();
  update();
}

QRect FloatingPanel::buttonSquare() const {
  const int a = frameWidth();
  if (m_titleBarPosition == TitleBarPosition::Left) return QRect(a + 2, a + 2, kButtonSize, kButtonSize);
  return QRect(width() - a - 23, a + 2, kButtonSize, kButtonSize);
}

QRect FloatingPanel::buttonRect() const {
  return m_showButtons ? buttonSquare().translated(-clientRect().topLeft()) : QRect();
}

void FloatingPanel::syncClientArea() { m_clientArea->setGeometry(clientRect()); }

QPoint FloatingPanel::toClient(QPoint panelPoint) const {
  return panelPoint - clientRect().topLeft();
}

void FloatingPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  syncClientArea();
}

// --- focus and hot button -------------------------------------------------

void FloatingPanel::focusChanged(QWidget* now) {
  const bool inside = now != nullptr && (now == this || isAncestorOf(now));
  if (inside == m_hasFocus) return;
  m_hasFocus = inside;
  paintTitleBar(false);
}

void FloatingPanel::setButtonHot(bool hot) {
  if (hot == m_buttonHot) return;
  m_buttonHot = hot;
  paintTitleBar(true);
}

void FloatingPanel::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  setButtonHot(false);
}

bool FloatingPanel::eventFilter(QObject* watched, QEvent* event) {
  // The pointer can go straight from the button onto a control of the
  // client area, which the panel sees as an Enter on its client area.
  if (watched == m_clientArea && event->type() == QEvent::Enter) setButtonHot(false);
  if (watched == parentWidget() && event->type() == QEvent::Resize) {
    // A parent that only grew loses nothing: a panel the pupil dragged
    // partly out stays where it was put.
    const QResizeEvent& resize = static_cast<const QResizeEvent&>(*event);
    const QSize old = resize.oldSize();
    if (!old.isValid() || resize.size().width() < old.width() || resize.size().height() < old.height()) {
      keepInsideParent();
    }
  }
  return QWidget::eventFilter(watched, event);
}

// --- pointer --------------------------------------------------------------

void FloatingPanel::takeFocusAndRaise() {
  if (isVisible() && isEnabled()) setFocus(Qt::MouseFocusReason);
  raise();
}

void FloatingPanel::mousePressEvent(QMouseEvent* event) {
  const Qt::MouseButton button = event->button();
  if (button != Qt::LeftButton && button != Qt::RightButton && button != Qt::MiddleButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  event->accept();
  takeFocusAndRaise();
  if (button != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  const PanelHit code = hitTest(toClient(pos));
  if (code == PanelHit::CollapseButton) {
    setExpanded(!m_expanded);
  } else if (code == PanelHit::Caption) {
    startPointerAction(PointerAction::Move, code, mapToParent(pos));
  } else if (m_sizeable && isEdge(code)) {
    startPointerAction(PointerAction::Size, code, mapToParent(pos));
  }
}

void FloatingPanel::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (m_pointerAction != PointerAction::None) {
    if (event->buttons().testFlag(Qt::LeftButton)) {
      continuePointerAction(mapToParent(pos));
      event->accept();
      return;
    }
    // The release never reached us (a modal box opened mid-drag, another
    // window took the pointer): the drag ends here, and this move is a hover.
    m_pointerAction = PointerAction::None;
  }
  const QPoint p = toClient(pos);
  const PanelHit code = hitTest(p);
  if (code == PanelHit::Client) {
    setButtonHot(false);
  } else {
    setButtonHot(buttonRect().contains(p));
  }
  updateCursor(code);
  event->accept();
}

void FloatingPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_pointerAction = PointerAction::None;
  event->accept();
}

void FloatingPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  // A double click on the title bar or frame has no meaning here (no
  // maximising): swallow it. In the client area it counts as a press.
  if (hitTest(toClient(event->position().toPoint())) != PanelHit::Client) {
    event->accept();
    return;
  }
  mousePressEvent(event);
}

void FloatingPanel::startPointerAction(PointerAction action, PanelHit code,
                                         QPoint parentPoint) {
  m_pointerAction = action;
  m_sizingEdge = code;
  m_grabPoint = parentPoint;
  m_grabGeometry = geometry();
}

QPoint FloatingPanel::clampToParent(QPoint parentPoint) const {
  const QWidget* parent = parentWidget();
  if (parent == nullptr) return parentPoint;
  return QPoint(std::clamp(parentPoint.x(), 0, std::max(0, parent->width() - 1)),
                std::clamp(parentPoint.y(), 0, std::max(0, parent->height() - 1)));
}

QRect FloatingPanel::titleBarRect() const {
  const int a = frameWidth();
  if (m_titleBarPosition == TitleBarPosition::Left) {
    return QRect(a, a, kTitleBar, height() - 2 * a);
  }
  return QRect(a, a, width() - 2 * a, kTitleBar);
}

QPoint FloatingPanel::keepTitleBarInParent(QPoint topLeft) const {
  const QWidget* parent = parentWidget();
  if (parent == nullptr) return topLeft;
  const QRect bar = titleBarRect();
  // Along each axis the bar lies wholly inside the parent; a bar longer than
  // the parent covers it from edge to edge instead, and so never leaves it.
  auto keep = [](int position, int barStart, int barLength, int room) {
    const int first = -barStart;
    const int last = room - barStart - barLength;
    return first <= last ? std::clamp(position, first, last) : std::clamp(position, last, first);
  };
  return QPoint(keep(topLeft.x(), bar.left(), bar.width(), parent->width()),
                keep(topLeft.y(), bar.top(), bar.height(), parent->height()));
}

void FloatingPanel::keepInsideParent() {
  const QWidget* parent = parentWidget();
  // An empty parent shows nothing: moving there would only lose the place.
  if (parent == nullptr || parent->width() <= 0 || parent->height() <= 0) return;
  QPoint place = pos();
  if (width() <= parent->width() && height() <= parent->height()) {
    place = QPoint(std::clamp(place.x(), 0, parent->width() - width()),
                   std::clamp(place.y(), 0, parent->height() - height()));
  }
  place = keepTitleBarInParent(place);
  if (place != pos()) move(place);
}

void FloatingPanel::continuePointerAction(QPoint parentPoint) {
  // The grabbed point never leaves the parent, so a sized panel can go partly
  // out of view but never wholly; a moved one keeps its title bar inside.
  const QPoint delta = clampToParent(parentPoint) - m_grabPoint;
  if (m_pointerAction == PointerAction::Move) {
    move(keepTitleBarInParent(m_grabGeometry.topLeft() + delta));
    return;
  }
  // Sizing: move the grabbed edges, keep the opposite ones where they were.
  int left = m_grabGeometry.left();
  int top = m_grabGeometry.top();
  int right = left + m_grabGeometry.width();
  int bottom = top + m_grabGeometry.height();
  if (touchesLeft(m_sizingEdge)) left = std::min(left + delta.x(), right - minimumWidth());
  if (touchesRight(m_sizingEdge)) right = std::max(right + delta.x(), left + minimumWidth());
  if (touchesTop(m_sizingEdge)) top = std::min(top + delta.y(), bottom - minimumHeight());
  if (touchesBottom(m_sizingEdge)) {
    bottom = std::max(bottom + delta.y(), top + minimumHeight());
  }
  setGeometry(left, top, right - left, bottom - top);
}

void FloatingPanel::updateCursor(PanelHit code) {
  // Only a sizing cursor of our own is ever taken back: any other cursor of
  // the panel is the owner's.
  if (m_sizeable && isEdge(code)) {
    setCursor(sizingCursor(code));
    m_sizingCursor = true;
  } else if (m_sizingCursor) {
    unsetCursor();
    m_sizingCursor = false;
  }
}

// --- painting -------------------------------------------------------------

void FloatingPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  drawFrame(painter);
  if (m_titleBarPosition == TitleBarPosition::Left) {
    drawLeftTitleBar(painter);
  } else {
    drawTopTitleBar(painter);
  }
  drawButton(painter);
  paintClient(painter);
}

void FloatingPanel::drawFrame(QPainter& painter) {
  const int w = width();
  const int h = height();
  if (!m_ctl3d) {
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

void FloatingPanel::drawLeftTitleBar(QPainter& painter) {
  const int a = frameWidth();
  const int h = height();
  painter.fillRect(titleBarRect(), captionColor());
  if (m_caption.isEmpty()) return;
  const QFontMetrics metrics(font());
  const int start = h - a + 7 - metrics.height();  // the text runs up from here
  const QString text = metrics.elidedText(m_caption, Qt::ElideRight, captionRoom());
  painter.save();
  painter.setClipRect(QRect(QPoint(a, a + 7), QPoint(a + kTitleBar - 1, h - a - 1)));
  painter.translate(2 * a - 1, start);
  painter.rotate(-90);
  painter.setFont(font());
  painter.setPen(captionTextColor());
  painter.drawText(QPoint(0, metrics.ascent()), text);
  painter.restore();
}

void FloatingPanel::drawTopTitleBar(QPainter& painter) {
  const int a = frameWidth();
  painter.fillRect(titleBarRect(), captionColor());
  if (m_caption.isEmpty()) return;
  const QFontMetrics metrics(font());
  const int left = a + 4;
  painter.setFont(font());
  painter.setPen(captionTextColor());
  painter.drawText(QPoint(left, 2 * a - 1 + metrics.ascent()),
                   metrics.elidedText(m_caption, Qt::ElideRight, captionRoom()));
}

int FloatingPanel::captionRoom() const {
  const int a = frameWidth();
  if (m_titleBarPosition == TitleBarPosition::Top) return std::max(0, (width() - a - 26) - (a + 4));
  // Along the left bar the caption runs up from its lower end and must stop
  // below the button, so that it never runs into it.
  const int start = height() - a + 7 - QFontMetrics(font()).height();
  const int end = m_showButtons ? buttonSquare().bottom() + 2 : a + 7;
  return std::max(0, start - end + 1);
}

void FloatingPanel::drawButton(QPainter& painter) {
  if (!m_showButtons) return;
  // A filled triangle, outline included: its flat side is 7 pixels long and
  // each step towards the tip is 2 pixels shorter, 4 steps in all. Left bar:
  // flat side at column x + 4 pointing right (expanded) or at x + 7 pointing
  // left; top bar: flat side at row y + 4 pointing down or at y + 7 pointing up.
  const QRect square = buttonSquare();
  const int x = square.left();
  const int y = square.top();
  const QColor color = m_buttonHot ? hotColor() : captionTextColor();
  const int towardsTip = m_expanded ? 1 : -1;
  for (int step = 0; step < 4; ++step) {
    const int length = 7 - 2 * step;
    if (m_titleBarPosition == TitleBarPosition::Left) {
      const int column = (m_expanded ? x + 4 : x + 7) + step * towardsTip;
      painter.fillRect(QRect(column, y + 2 + step, 1, length), color);
    } else {
      const int row = (m_expanded ? y + 4 : y + 7) + step * towardsTip;
      painter.fillRect(QRect(x + 2 + step, row, length, 1), color);
    }
  }
}

void FloatingPanel::paintClient(QPainter& painter) {
  const QRect client = clientRect();
  if (client.isEmpty()) return;
  painter.save();
  painter.setClipRect(client);
  painter.translate(client.topLeft());
  painter.fillRect(QRect(QPoint(0, 0), client.size()), color());
  painter.setRenderHint(QPainter::Antialiasing, false);
  paintClientDecoration(painter);
  painter.restore();
}

void FloatingPanel::paintClientDecoration(QPainter&) {}

}  // namespace gradoir
