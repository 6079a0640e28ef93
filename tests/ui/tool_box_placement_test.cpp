// The tool box leaves its place only for an angle that meets it, and then
// takes the first clear corner: top left, top right, bottom left, bottom right.
#include <gtest/gtest.h>

#include <QWidget>
#include <algorithm>

#include "ui/tool_box_placement.h"
#include "raster/geometry.h"
#include "ui/floating_panel.h"

namespace gradoir::test {
namespace {

TEST(RectsOverlap, TouchingAndFlatRectanglesCount) {
  const Rect box{10, 10, 20, 20};
  EXPECT_TRUE(rectsOverlap(box, {20, 20, 30, 30}));   // corner to corner
  EXPECT_TRUE(rectsOverlap(box, {0, 15, 10, 15}));    // flat, touching the left edge
  EXPECT_TRUE(rectsOverlap(box, {15, 0, 15, 40}));    // zero width, across
  EXPECT_FALSE(rectsOverlap(box, {21, 10, 30, 20}));
  EXPECT_FALSE(rectsOverlap(box, {10, 21, 20, 30}));
  EXPECT_FALSE(rectsOverlap(box, {0, 0, 9, 9}));
}

class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_canvas.resize(kCanvas);
    m_box = new FloatingPanel(&m_canvas);  // owned by m_canvas
    m_box->setSunkenFrame(false);
    m_box->setSizeable(false);
    m_box->setTitleBarPosition(TitleBarPosition::Left);
    m_box->setGeometry(8, 8, 209, 89);
    QObject::connect(m_box, &FloatingPanel::panelHidden, [this] { ++m_hides; });
    QObject::connect(m_box, &FloatingPanel::panelShown, [this] { ++m_shows; });
    m_box->show();
  }
  // A side that runs through the corner `index` of a box of `size`.
  static Rect through(int index, QSize size = {209, 89}) {
    const int x = index % 2 == 0 ? 8 + size.width() / 2 : kCanvas.width() - 8 - size.width() / 2;
    const int y = index < 2 ? 8 + size.height() / 2 : kCanvas.height() - 8 - size.height() / 2;
    return {x, y, x + 1, y + 1};
  }

  static constexpr QSize kCanvas{1000, 700};
  QWidget m_canvas;
  FloatingPanel* m_box = nullptr;
  int m_hides = 0;
  int m_shows = 0;
};

TEST_F(PlacementTest, ClearPlaceIsKeptWithoutHiding) {
  m_box->move(400, 300);
  placeToolBox(*m_box, kCanvas, through(0), through(3));
  EXPECT_EQ(m_box->pos(), QPoint(400, 300));
  EXPECT_FALSE(m_box->isHidden());
  EXPECT_EQ(m_hides, 0);
  EXPECT_EQ(m_shows, 0);
}

TEST_F(PlacementTest, EachCornerTakenInTurn) {
  const QPoint corners[] = {{8, 8}, {1000 - 209 - 8, 8}, {8, 700 - 89 - 8}, {1000 - 209 - 8, 700 - 89 - 8}};
  m_box->move(400, 300);
  const Rect atStart{400, 300, 400, 300};
  // Nothing but the current place is taken: the first corner.
  placeToolBox(*m_box, kCanvas, atStart, atStart);
  EXPECT_EQ(m_box->pos(), corners[0]);
  EXPECT_FALSE(m_box->isHidden());
  EXPECT_EQ(m_shows, 1);

  for (int taken = 1; taken <= 3; ++taken) {
    m_box->move(corners[0]);
    // One side across the top corners taken, the other through the last one.
    const Rect topRow{through(0).left, through(0).top, through(std::min(taken - 1, 1)).right,
                       through(0).bottom};
    placeToolBox(*m_box, kCanvas, topRow, through(taken - 1));
    EXPECT_EQ(m_box->pos(), corners[taken]) << taken;
    EXPECT_FALSE(m_box->isHidden()) << taken;
  }
}

TEST_F(PlacementTest, AllFourCornersTakenEndsHiddenAtTheBottomRight) {
  const Rect diagonalDown{8, 8, 992, 692};
  placeToolBox(*m_box, kCanvas, diagonalDown, diagonalDown);
  EXPECT_TRUE(m_box->isHidden());
  EXPECT_EQ(m_box->pos(), QPoint(1000 - 209 - 8, 700 - 89 - 8));
  EXPECT_EQ(m_shows, 0);
  EXPECT_EQ(m_hides, 5);  // once at its place, once at each corner
}

TEST_F(PlacementTest, CollapsedToolBoxIsPlacedByItsCollapsedSize) {
  m_box->setExpanded(false);
  ASSERT_EQ(m_box->size(), QSize(18, 89));
  placeToolBox(*m_box, kCanvas, through(0, {18, 89}), through(0, {18, 89}));
  EXPECT_EQ(m_box->pos(), QPoint(1000 - 18 - 8, 8));
  // Expanded afterwards, it reaches past the right edge.
  m_box->setExpanded(true);
  EXPECT_GT(m_box->geometry().right(), 1000);
}

TEST_F(PlacementTest, HiddenToolBoxOnAClearPlaceIsShown) {
  m_box->hidePanel();
  m_hides = 0;
  m_box->move(400, 300);
  placeToolBox(*m_box, kCanvas, through(0), through(0));
  EXPECT_FALSE(m_box->isHidden());
  EXPECT_EQ(m_shows, 1);
}

}  // namespace
}  // namespace gradoir::test
