// Hit testing, dragging, sizing and presses on the floating tool window.
#include <QLabel>

#include "tool_box_fixture.h"

namespace gradoir::test {
namespace {

struct HitCase {
  QPoint client;
  THitTest expected;
};

void ExpectHits(const TFloatingWindow& panel, const std::vector<HitCase>& cases) {
  for (const HitCase& c : cases) {
    EXPECT_EQ(panel.HitTest(c.client), c.expected)
        << "at client (" << c.client.x() << ", " << c.client.y() << ")";
  }
}

TEST_F(ToolBoxTest, NotSizeableLeftBarDragsByTheWholeLeftSideOnly) {
  // Client 191 x 87 at (17, 1): the title bar and left frame are x < 0.
  ExpectHits(*box_, {
                        {{-17, 40}, htCaption},   // left frame
                        {{-1, 87}, htCaption},    // bottom frame under the bar
                        {{-8, 6}, htMinButton},   // the button
                        {{-14, 2}, htMinButton},  // its first pixel
                        {{-3, 13}, htMinButton},  // its last pixel
                        {{-2, 14}, htCaption},    // just outside it
                        {{0, 0}, htClient},
                        {{190, 86}, htClient},
                        {{191, 40}, htBorder},  // right frame: neither drags nor sizes
                        {{50, -1}, htBorder},
                        {{50, 87}, htBorder},
                        {{-18, 40}, htNowhere},
                        {{192, 40}, htNowhere},
                    });
}

TEST_F(ToolBoxTest, NotSizeableTopBarDragsByTheTopOnly) {
  box_->SetTitleBarPosition(tbTop);  // 209 x 89, client 207 x 71 at (1, 17)
  ExpectHits(*box_, {
                        {{40, -17}, htCaption},
                        {{-1, -5}, htCaption},
                        {{0, 0}, htClient},
                        {{-1, 10}, htBorder},
                        {{207, 10}, htBorder},
                        {{185 - 1, 3 - 17}, htMinButton},
                        {{40, 71}, htBorder},
                    });
}

TEST_F(ToolBoxTest, SizeableLeftBarGivesEdgesAndCorners) {
  box_->SetSizeable(true);
  box_->resize(200, 100);  // client 182 x 98 at (17, 1)
  ExpectHits(*box_, {
                        {{-17, 50}, htLeft},  // x <= -16
                        {{-16, 50}, htLeft},
                        {{-16, 15}, htTopLeft},      // y < 16
                        {{-16, 84}, htBottomLeft},   // y >= height - 16
                        {{-16, 83}, htLeft},
                        {{-15, 50}, htCaption},      // rest of the bar
                        {{-8, 6}, htMinButton},      // the button wins over all
                        {{182, 50}, htRight},        // x >= client width
                        {{182, 15}, htTopRight},
                        {{182, 85}, htBottomRight},  // y > height - 16
                        {{182, 84}, htRight},
                        {{50, 0}, htTop},            // y <= 0 overrides
                        {{50, -1}, htTop},
                        {{-5, 0}, htTopLeft},        // ... even on the title bar
                        {{167, 0}, htTopRight},      // x > client width - 16
                        {{166, 0}, htTop},
                        {{50, 98}, htBottom},        // y >= client height overrides
                        {{-5, 98}, htBottomLeft},
                        {{167, 98}, htBottomRight},
                        {{166, 98}, htBottom},
                        {{50, 97}, htClient},
                        {{181, 1}, htClient},
                    });
}

TEST_F(ToolBoxTest, SizeableTopBarGivesEdgesAndCorners) {
  box_->SetTitleBarPosition(tbTop);
  box_->SetSizeable(true);
  box_->resize(200, 100);  // client 198 x 82 at (1, 17)
  const int buttonX = 200 - 1 - 23 - 1;  // client x of the button square
  ExpectHits(*box_, {
                        {{50, -17}, htTop},  // y <= -16
                        {{50, -16}, htTop},
                        {{15, -16}, htTopLeft},      // x < 16
                        {{184, -16}, htTopRight},    // x >= width - 16
                        {{183, -16}, htTop},
                        {{50, -15}, htCaption},
                        {{buttonX + 5, -10}, htMinButton},
                        {{50, 82}, htBottom},        // y >= client height
                        {{15, 82}, htBottomLeft},
                        {{185, 82}, htBottomRight},  // x > width - 16
                        {{184, 82}, htBottom},
                        {{0, 40}, htLeft},           // x <= 0 overrides
                        {{-1, 40}, htLeft},
                        {{0, -5}, htTopLeft},        // ... even on the title bar
                        {{0, 67}, htBottomLeft},     // y > client height - 16
                        {{0, 66}, htLeft},
                        {{198, 40}, htRight},        // x >= client width
                        {{198, -5}, htTopRight},
                        {{198, 67}, htBottomRight},
                        {{198, 66}, htRight},
                        {{100, 40}, htClient},
                    });
}

TEST_F(ToolBoxTest, PressOnTheButtonTogglesAndDoesNotDrag) {
  ShowParent();
  QTest::mousePress(box_, Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_FALSE(box_->Expanded());
  DragTo(QPoint(200, 150));
  QTest::mouseRelease(box_, Qt::LeftButton, {}, box_->mapFromParent(QPoint(200, 150)));
  EXPECT_EQ(box_->geometry(), QRect(8, 8, 18, 89));
  QTest::mouseClick(box_, Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_TRUE(box_->Expanded());
  EXPECT_EQ(box_->geometry(), QRect(8, 8, 209, 89));
  QTest::mouseClick(box_, Qt::RightButton, {}, QPoint(8, 8));  // only the left button
  EXPECT_TRUE(box_->Expanded());
}

TEST_F(ToolBoxTest, DragByTheTitleBarKeepsTheGrabbedPointInTheParent) {
  ShowParent();
  const QPoint grab(8, 50);  // title bar, below the button
  QTest::mousePress(box_, Qt::LeftButton, {}, grab);
  DragTo(QPoint(8 + 8 + 100, 8 + 50 + 30));
  EXPECT_EQ(box_->pos(), QPoint(108, 38));
  DragTo(QPoint(5000, 5000));  // far outside: the grabbed point stops at the edge
  EXPECT_EQ(box_->pos(), QPoint(399 - 8, 299 - 50));
  EXPECT_EQ(box_->mapToParent(grab), QPoint(399, 299));
  DragTo(QPoint(-300, -300));
  EXPECT_EQ(box_->pos(), QPoint(-8, -50));
  QTest::mouseRelease(box_, Qt::LeftButton, {}, box_->mapFromParent(QPoint(0, 0)));
  DragTo(QPoint(200, 200));  // released: moving no longer drags
  EXPECT_EQ(box_->pos(), QPoint(-8, -50));
  EXPECT_EQ(box_->size(), QSize(209, 89));
}

TEST_F(ToolBoxTest, PressesOnTheClientOrFrameDoNotDrag) {
  ShowParent();
  for (QPoint at : {QPoint(100, 40), QPoint(208, 40), QPoint(100, 0)}) {
    QTest::mousePress(box_, Qt::LeftButton, {}, at);
    DragTo(QPoint(300, 200));
    QTest::mouseRelease(box_, Qt::LeftButton, {}, box_->mapFromParent(QPoint(300, 200)));
    EXPECT_EQ(box_->geometry(), QRect(8, 8, 209, 89)) << at.x() << "," << at.y();
  }
}

TEST_F(ToolBoxTest, DoubleClickOnTheTitleBarDoesNothing) {
  ShowParent();
  QTest::mouseDClick(box_, Qt::LeftButton, {}, QPoint(8, 50));
  EXPECT_EQ(box_->geometry(), QRect(8, 8, 209, 89));
  EXPECT_TRUE(box_->Expanded());
  DragTo(QPoint(300, 200));  // the double click left no drag behind
  EXPECT_EQ(box_->geometry(), QRect(8, 8, 209, 89));
}

TEST_F(ToolBoxTest, SizeableEdgesResizeAndStopAtTheLimits) {
  box_->SetSizeable(true);
  ShowParent();
  // Right edge, mid height: 20 pixels wider.
  QTest::mousePress(box_, Qt::LeftButton, {}, QPoint(208, 40));
  DragTo(QPoint(8 + 208 + 20, 8 + 40));
  QTest::mouseRelease(box_, Qt::LeftButton, {}, QPoint(228, 40));
  EXPECT_EQ(box_->geometry(), QRect(8, 8, 229, 89));
  // Left edge dragged far to the right: the right edge stays, the width
  // stops at title bar plus frame.
  QTest::mousePress(box_, Qt::LeftButton, {}, QPoint(0, 40));
  DragTo(QPoint(390, 8 + 40));
  QTest::mouseRelease(box_, Qt::LeftButton, {}, box_->mapFromParent(QPoint(390, 48)));
  EXPECT_EQ(box_->geometry(), QRect(8 + 229 - 18, 8, 18, 89));
  // Bottom-right corner (y >= client height).
  box_->setGeometry(8, 8, 209, 89);
  QTest::mousePress(box_, Qt::LeftButton, {}, QPoint(200, 88));
  DragTo(QPoint(8 + 200 + 10, 8 + 88 - 70));
  QTest::mouseRelease(box_, Qt::LeftButton, {}, QPoint(0, 0));
  EXPECT_EQ(box_->geometry(), QRect(8, 8, 219, 33));
}

TEST_F(ToolBoxTest, OnlyASizeablePanelShowsSizingCursorsOnItsEdges) {
  box_->setCursor(Qt::CrossCursor);  // the owner's choice, kept while not sizeable
  HoverAt(QPoint(208, 40));           // not sizeable: no sizing cursor
  EXPECT_EQ(box_->cursor().shape(), Qt::CrossCursor);
  box_->SetSizeable(true);
  HoverAt(QPoint(208, 40));
  EXPECT_EQ(box_->cursor().shape(), Qt::SizeHorCursor);
  HoverAt(QPoint(100, 88));
  EXPECT_EQ(box_->cursor().shape(), Qt::SizeVerCursor);
  HoverAt(QPoint(100, 40));
  EXPECT_EQ(box_->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ToolBoxTest, AnyPressRaisesThePanelAndTakesTheFocus) {
  auto* canvas = new QLabel(parent_.get());  // a sibling laid over the panel
  canvas->setGeometry(0, 0, 400, 300);
  ShowParent();
  QApplication::setActiveWindow(parent_.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(parent_.get()));
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    canvas->raise();
    canvas->setFocus();
    ASSERT_EQ(parent_->childAt(100, 50), canvas);
    QTest::mouseClick(box_, button, {}, QPoint(100, 40));
    EXPECT_EQ(parent_->childAt(100, 50), box_->ClientArea()) << button;
    EXPECT_TRUE(box_->hasFocus()) << button;
    EXPECT_TRUE(box_->HasFocus()) << button;
  }
  // A press on an empty spot of the client area reaches the panel too.
  canvas->raise();
  QTest::mouseClick(box_->ClientArea(), Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(parent_->childAt(100, 50), box_->ClientArea());
}

}  // namespace
}  // namespace gradoir::test
