#pragma once
// The application's cursor table: numbered pointer shapes registered at
// start-up. Number 0 is always the default arrow.
#include <map>

#include <QCursor>

namespace gradoir {

class CursorTable {
 public:
  static constexpr int kDefault = 0;
  static constexpr int kPen = 1;

  void add(int number, const QCursor& cursor) { m_cursors[number] = cursor; }
  // An unregistered number gives the default arrow.
  QCursor cursor(int number) const;

 private:
  std::map<int, QCursor> m_cursors;
};

// The pencil cursor from the program's resources, hot spot at the tip.
QCursor loadPenCursor();

}  // namespace gradoir
