#pragma once
// The program's tool box (209 x 89 at (8, 8), flat frame, title bar on the
// left, not sizeable) on a 400 x 300 parent, and pixel helpers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <memory>

#include "ui/floating_panel.h"

namespace gradoir::test {

inline const QRgb kToolBoxColor = qRgb(240, 240, 255);

// A panel of its own kind, which draws a rounded frame behind its controls
// once asked to.
class FramedPanel : public FloatingPanel {
 public:
  using FloatingPanel::FloatingPanel;
  bool framed = false;

 protected:
  void paintClientDecoration(QPainter& painter) override {
    if (!framed) return;
    painter.setPen(QColor(160, 168, 255));
    painter.setBrush(color());
    painter.drawRoundedRect(QRect(128, 60, 48, 18), 5, 5);
  }
};

class ToolBoxTest : public testing::Test {
 protected:
  ToolBoxTest() {
    m_parent->resize(400, 300);
    m_box = new FramedPanel(m_parent.get());
    m_box->setSunkenFrame(false);
    m_box->setTitleBarPosition(TitleBarPosition::Left);
    m_box->setSizeable(false);
    m_box->setCaption(QStringLiteral("Boîte à outils"));
    m_box->setColor(QColor(kToolBoxColor));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    m_box->setFont(font);
    m_box->setGeometry(8, 8, 209, 89);
  }

  void showParent() {
    m_parent->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_parent.get()));
  }

  // Screen pixels hold 8 bits a channel: compare colours as QRgb.
  QRgb pixelAt(int x, int y) const { return m_box->grab().toImage().pixel(x, y); }

  // Sends a hover move (no button held) at a point of the panel.
  void hoverAt(QPoint panelPoint) {
    QMouseEvent move(QEvent::MouseMove, panelPoint, m_box->mapToGlobal(panelPoint), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(m_box, &move);
  }

  // Moves the pointer, left button held, to a point of the parent.
  void dragTo(QPoint parentPoint) {
    const QPoint local = m_box->mapFromParent(parentPoint);
    QMouseEvent move(QEvent::MouseMove, local, m_box->mapToGlobal(local), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_box, &move);
  }

  std::unique_ptr<QWidget> m_parent = std::make_unique<QWidget>();
  FramedPanel* m_box = nullptr;  // owned by m_parent
};

}  // namespace gradoir::test
