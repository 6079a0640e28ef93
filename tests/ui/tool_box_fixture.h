#pragma once
// The program's tool box (209 x 89 at (8, 8), flat frame, title bar on the
// left, not sizeable) on a 400 x 300 parent, and pixel helpers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <memory>

#include "ui/floating_window.h"

namespace gradoir::test {

inline const QRgb kToolBoxColor = qRgb(240, 240, 255);

class ToolBoxTest : public testing::Test {
 protected:
  ToolBoxTest() {
    parent_->resize(400, 300);
    box_ = new TFloatingWindow(parent_.get());
    box_->SetCtl3D(false);
    box_->SetTitleBarPosition(tbLeft);
    box_->SetSizeable(false);
    box_->SetCaption(QStringLiteral("Boîte à outils"));
    box_->SetColor(QColor(kToolBoxColor));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    box_->setFont(font);
    box_->setGeometry(8, 8, 209, 89);
  }

  void ShowParent() {
    parent_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(parent_.get()));
  }

  // Screen pixels hold 8 bits a channel: compare colours as QRgb.
  QRgb PixelAt(int x, int y) const { return box_->grab().toImage().pixel(x, y); }

  // Sends a hover move (no button held) at a point of the panel.
  void HoverAt(QPoint panelPoint) {
    QMouseEvent move(QEvent::MouseMove, panelPoint, box_->mapToGlobal(panelPoint), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box_, &move);
  }

  // Moves the pointer, left button held, to a point of the parent.
  void DragTo(QPoint parentPoint) {
    const QPoint local = box_->mapFromParent(parentPoint);
    QMouseEvent move(QEvent::MouseMove, local, box_->mapToGlobal(local), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box_, &move);
  }

  std::unique_ptr<QWidget> parent_ = std::make_unique<QWidget>();
  TFloatingWindow* box_ = nullptr;  // owned by parent_
};

}  // namespace gradoir::test
