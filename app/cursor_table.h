#pragma once
// The application's cursor table: numbered pointer shapes registered at
// start-up. Number 0 is always the default arrow.
#include <map>

#include <QCursor>

namespace gradoir {

class TCursorTable {
 public:
  static constexpr int crDefault = 0;
  static constexpr int crPen = 1;

  void Register(int number, const QCursor& cursor) { cursors_[number] = cursor; }
  // An unregistered number gives the default arrow.
  QCursor Cursor(int number) const;

 private:
  std::map<int, QCursor> cursors_;
};

// The pencil cursor "IDC_PEN" from the program's resources, hot spot at the tip.
QCursor LoadPenCursor();

}  // namespace gradoir
