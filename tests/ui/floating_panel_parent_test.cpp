// The panel after its parent's resize: back inside when the parent shrank
// past it (wholly when it fits, else its title bar), untouched otherwise; and
// the room its caption has along the title bar.
#include "tool_box_fixture.h"

namespace gradoir::test {
namespace {

void resizeParent(QWidget& parent, QSize size) {
  parent.resize(size);
  QApplication::processEvents();
}

TEST_F(ToolBoxTest, ShrinkingParentBringsTheWholePanelBackInside) {
  showParent();
  m_box->move(180, 200);  // bottom right: 180..388 x 200..288 of 400 x 300
  resizeParent(*m_parent, QSize(300, 250));
  EXPECT_EQ(m_box->pos(), QPoint(300 - 209, 250 - 89));
  // Shrinking on one side only moves along that axis.
  m_box->move(20, 30);
  resizeParent(*m_parent, QSize(220, 250));
  EXPECT_EQ(m_box->pos(), QPoint(220 - 209, 30));
}

TEST_F(ToolBoxTest, GrowingOrUnchangedParentLeavesThePanelAlone) {
  showParent();
  m_box->move(-100, 150);  // dragged partly out: the title bar still inside
  resizeParent(*m_parent, QSize(500, 400));
  resizeParent(*m_parent, QSize(500, 400));
  EXPECT_EQ(m_box->pos(), QPoint(-100, 150)) << "a panel dragged partly out is not pulled in on growth";
  // The next shrink brings it in.
  resizeParent(*m_parent, QSize(450, 400));
  EXPECT_EQ(m_box->pos(), QPoint(0, 150));
}

TEST_F(ToolBoxTest, ParentSmallerThanThePanelKeepsItsTitleBarInside) {
  showParent();
  m_box->move(250, 150);
  resizeParent(*m_parent, QSize(120, 60));  // narrower and lower than 209 x 89
  const QRect bar(m_box->pos() + QPoint(1, 1), QSize(16, m_box->height() - 2));
  EXPECT_GE(bar.left(), 0);
  EXPECT_LE(bar.right(), 119);
  EXPECT_TRUE(bar.intersects(m_parent->rect()));
  // An empty parent shows nothing: the place is kept for when it grows back.
  const QPoint before = m_box->pos();
  resizeParent(*m_parent, QSize(0, 0));
  EXPECT_EQ(m_box->pos(), before);
}

TEST_F(ToolBoxTest, CaptionRoomGrowsWithTheTitleBar) {
  const int room = m_box->captionRoom();
  EXPECT_GT(room, 0);
  m_box->resize(209, 99);
  EXPECT_EQ(m_box->captionRoom(), room + 10);
  m_box->setShowButtons(false);  // no button: the caption may run higher
  EXPECT_GT(m_box->captionRoom(), room + 10);
}

}  // namespace
}  // namespace gradoir::test
