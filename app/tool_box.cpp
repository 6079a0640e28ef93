#include "app/tool_box.h"

#include <QPainter>

namespace gradoir {

void ToolBox::frameAround(QWidget* control) {
  m_framed = control;
  update();
}

// A 10 x 10 corner ellipse, 2 pixels around the control (around the score
// at its described place: columns 128..176 and rows 60..78 of the client).
void ToolBox::paintClientDecoration(QPainter& painter) {
  if (m_framed == nullptr) return;
  painter.setPen(QColor(160, 168, 255));
  painter.setBrush(color());
  painter.drawRoundedRect(m_framed->geometry().adjusted(-2, -2, 2, 2), 5, 5);
}

}  // namespace gradoir
