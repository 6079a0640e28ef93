#pragma once
// The application's cursor table: numbered pointer shapes registered at
// start-up. Number 0 is always the default arrow.
#include <map>

#include <QCursor>

namespace gradoir {

class CursorTable {
 public:
  static constexpr int crDefault = 0;
  static constexpr int crPen = 1;

  void add(int number, const QCursor& cursor) { m_cursors[number] = cursor; }
  // An unregistered number gives the default arrow.
  QCursor cursor(int number) const;

 private:
  std::map<int, QCursor> m_cursors;
};

// The pencil cursor "IDC_PEN" from the program's resources, hot spot at the tip.
QCursor loadPenCursor();

}  // namespace gradoir
