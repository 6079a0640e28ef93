#include "app/cursor_table.h"

#include <QPixmap>

namespace gradoir {

QCursor CursorTable::cursor(int number) const {
  const auto it = m_cursors.find(number);
  return it == m_cursors.end() ? QCursor(Qt::ArrowCursor) : it->second;
}

QCursor loadPenCursor() {
  constexpr int kTipX = 11;
  constexpr int kTipY = 20;
  return QCursor(QPixmap(QStringLiteral(":/app/pen.xpm")), kTipX, kTipY);
}

}  // namespace gradoir
