#include "app/window_minimum.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace gradoir {

namespace {

class CanvasMinimumKeeper : public QObject {
 public:
  CanvasMinimumKeeper(QWidget& window, QWidget& canvas) : QObject(&window), m_window(window), m_canvas(canvas) {
    window.installEventFilter(this);
    canvas.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    // The window's own resize comes before its layout resized the canvas:
    // the canvas's resize is when both sizes are current.
    const bool windowChange = watched == &m_window && (type == QEvent::Show || type == QEvent::ScreenChangeInternal);
    if (windowChange || (watched == &m_canvas && type == QEvent::Resize)) update();
    return QObject::eventFilter(watched, event);
  }

 private:
  void update() {
    QScreen* screen = m_window.screen();
    if (screen == nullptr) return;
    // A screen whose resolution changes under the window (a projector
    // plugged in) shrinks its work area without resizing the window.
    if (screen != m_screen) {
      QObject::disconnect(m_screenConnection);
      m_screen = screen;
      m_screenConnection = QObject::connect(screen, &QScreen::availableGeometryChanged, this, [this] { update(); });
    }
    const QSize chrome = m_window.size() - m_canvas.size();
    const QSize frame = m_window.frameGeometry().size() - m_window.size();
    const QSize minimum = minimumWindowSize(kMinimumCanvasSize, chrome, screen->availableGeometry().size(), frame);
    if (minimum != m_window.minimumSize()) m_window.setMinimumSize(minimum);
  }

  QWidget& m_window;
  QWidget& m_canvas;
  QScreen* m_screen = nullptr;  // the one whose work area we follow
  QMetaObject::Connection m_screenConnection;
};

}  // namespace

QSize minimumWindowSize(QSize canvas, QSize chrome, QSize available, QSize frame) {
  const QSize wanted = canvas + chrome.expandedTo(QSize(0, 0));
  const QSize room = (available - frame.expandedTo(QSize(0, 0))).expandedTo(QSize(0, 0));
  return wanted.boundedTo(room).expandedTo(QSize(0, 0));
}

void keepCanvasMinimum(QWidget& window, QWidget& canvas) {
  new CanvasMinimumKeeper(window, canvas);  // owned by the window (Qt parenting)
}

}  // namespace gradoir
