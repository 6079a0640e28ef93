#pragma once
// ToolBox: the main window's floating tool box, which draws a rounded frame
// behind its score.
#include <QPointer>

#include "ui/floating_panel.h"

namespace gradoir {

class ToolBox : public FloatingPanel {
  Q_OBJECT

 public:
  using FloatingPanel::FloatingPanel;

  // The control the frame goes around, a child of the client area.
  void frameAround(QWidget* control);

 protected:
  void paintClientDecoration(QPainter& painter) override;

 private:
  QPointer<QWidget> m_framed;
};

}  // namespace gradoir
