#pragma once
// StatementLabel: the tool box's statement. The measuring statement leaves a
// run of blanks for the answer box that lies over it; fonts differ in how wide
// a blank is, so the label keeps that run at least as wide as the box needs
// and draws the rest of the text after it. Its text stays the statement.
#include <QLabel>
#include <utility>

namespace gradoir {

class StatementLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // The run of two blanks or more takes at least `pixels`.
  void setBlankRoom(int pixels);
  int blankRoom() const { return m_blankRoom; }

  // Where the run of blanks starts and how wide it is drawn, in label
  // coordinates; {-1, 0} for a text without one.
  std::pair<int, int> blankRun() const;
  // Width the whole text takes as drawn.
  int textWidth() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int extraWidth() const;

  int m_blankRoom = 0;
};

}  // namespace gradoir
