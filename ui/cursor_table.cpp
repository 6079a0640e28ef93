#include "ui/cursor_table.h"

#include <QGuiApplication>
#include <QPixmap>

#include "ui/sharp_pixmap.h"

namespace gradoir {

QCursor CursorTable::cursor(int number) const {
  const auto it = m_cursors.find(number);
  return it == m_cursors.end() ? QCursor(Qt::ArrowCursor) : it->second;
}

QCursor loadPenCursor() {
  constexpr int kTipX = 11;
  constexpr int kTipY = 20;
  // The hot spot counts logical pixels, whatever the picture's density.
  return QCursor(sharpPixmap(QStringLiteral(":/app/pen.xpm"), qApp->devicePixelRatio()), kTipX, kTipY);
}

}  // namespace gradoir
