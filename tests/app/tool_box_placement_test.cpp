// The tool box leaves its place only for an angle that meets it, and then
// takes the first clear corner: top left, top right, bottom left, bottom right.
#include <gtest/gtest.h>

#include <QWidget>
#include <algorithm>

#include "app/tool_box_placement.h"
#include "ui/floating_window.h"

namespace gradoir::test {
namespace {

TEST(RectsOverlap, TouchingAndFlatRectanglesCount) {
  const TRect box{10, 10, 20, 20};
  EXPECT_TRUE(RectsOverlap(box, {20, 20, 30, 30}));   // corner to corner
  EXPECT_TRUE(RectsOverlap(box, {0, 15, 10, 15}));    // flat, touching the left edge
  EXPECT_TRUE(RectsOverlap(box, {15, 0, 15, 40}));    // zero width, across
  EXPECT_FALSE(RectsOverlap(box, {21, 10, 30, 20}));
  EXPECT_FALSE(RectsOverlap(box, {10, 21, 20, 30}));
  EXPECT_FALSE(RectsOverlap(box, {0, 0, 9, 9}));
}

class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas_.resize(kCanvas);
    box_ = new TFloatingWindow(&canvas_);  // owned by canvas_
    box_->SetCtl3D(false);
    box_->SetSizeable(false);
    box_->SetTitleBarPosition(tbLeft);
    box_->setGeometry(8, 8, 209, 89);
    box_->OnHide = [this](TFloatingWindow*) { ++hides_; };
    box_->OnShow = [this](TFloatingWindow*) { ++shows_; };
    box_->show();
  }
  // A side that runs through the corner `index` of a box of `size`.
  static TRect Through(int index, QSize size = {209, 89}) {
    const int x = index % 2 == 0 ? 8 + size.width() / 2 : kCanvas.width() - 8 - size.width() / 2;
    const int y = index < 2 ? 8 + size.height() / 2 : kCanvas.height() - 8 - size.height() / 2;
    return {x, y, x + 1, y + 1};
  }

  static constexpr QSize kCanvas{1000, 700};
  QWidget canvas_;
  TFloatingWindow* box_ = nullptr;
  int hides_ = 0;
  int shows_ = 0;
};

TEST_F(PlacementTest, ClearPlaceIsKeptWithoutHiding) {
  box_->move(400, 300);
  PlaceToolBox(*box_, kCanvas, Through(0), Through(3));
  EXPECT_EQ(box_->pos(), QPoint(400, 300));
  EXPECT_FALSE(box_->isHidden());
  EXPECT_EQ(hides_, 0);
  EXPECT_EQ(shows_, 0);
}

TEST_F(PlacementTest, EachCornerTakenInTurn) {
  const QPoint corners[] = {{8, 8}, {1000 - 209 - 8, 8}, {8, 700 - 89 - 8}, {1000 - 209 - 8, 700 - 89 - 8}};
  box_->move(400, 300);
  const TRect atStart{400, 300, 400, 300};
  // Nothing but the current place is taken: the first corner.
  PlaceToolBox(*box_, kCanvas, atStart, atStart);
  EXPECT_EQ(box_->pos(), corners[0]);
  EXPECT_FALSE(box_->isHidden());
  EXPECT_EQ(shows_, 1);

  for (int taken = 1; taken <= 3; ++taken) {
    box_->move(corners[0]);
    // One side across the top corners taken, the other through the last one.
    const TRect topRow{Through(0).Left, Through(0).Top, Through(std::min(taken - 1, 1)).Right,
                       Through(0).Bottom};
    PlaceToolBox(*box_, kCanvas, topRow, Through(taken - 1));
    EXPECT_EQ(box_->pos(), corners[taken]) << taken;
    EXPECT_FALSE(box_->isHidden()) << taken;
  }
}

TEST_F(PlacementTest, AllFourCornersTakenEndsHiddenAtTheBottomRight) {
  const TRect diagonalDown{8, 8, 992, 692};
  PlaceToolBox(*box_, kCanvas, diagonalDown, diagonalDown);
  EXPECT_TRUE(box_->isHidden());
  EXPECT_EQ(box_->pos(), QPoint(1000 - 209 - 8, 700 - 89 - 8));
  EXPECT_EQ(shows_, 0);
  EXPECT_EQ(hides_, 5);  // once at its place, once at each corner
}

TEST_F(PlacementTest, CollapsedToolBoxIsPlacedByItsCollapsedSize) {
  box_->SetExpanded(false);
  ASSERT_EQ(box_->size(), QSize(18, 89));
  PlaceToolBox(*box_, kCanvas, Through(0, {18, 89}), Through(0, {18, 89}));
  EXPECT_EQ(box_->pos(), QPoint(1000 - 18 - 8, 8));
  // Expanded afterwards, it reaches past the right edge.
  box_->SetExpanded(true);
  EXPECT_GT(box_->geometry().right(), 1000);
}

TEST_F(PlacementTest, HiddenToolBoxOnAClearPlaceIsShown) {
  box_->HidePanel();
  hides_ = 0;
  box_->move(400, 300);
  PlaceToolBox(*box_, kCanvas, Through(0), Through(0));
  EXPECT_FALSE(box_->isHidden());
  EXPECT_EQ(shows_, 1);
}

}  // namespace
}  // namespace gradoir::test
