#include "app/cursor_table.h"

#include <QPixmap>

namespace gradoir {

QCursor TCursorTable::Cursor(int number) const {
  const auto it = cursors_.find(number);
  return it == cursors_.end() ? QCursor(Qt::ArrowCursor) : it->second;
}

QCursor LoadPenCursor() {
  constexpr int kTipX = 11;
  constexpr int kTipY = 20;
  return QCursor(QPixmap(QStringLiteral(":/app/pen.xpm")), kTipX, kTipY);
}

}  // namespace gradoir
