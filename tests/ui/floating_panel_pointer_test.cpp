// Hit testing, dragging, sizing and presses on the floating tool window.
#include <QLabel>

#include "tool_box_fixture.h"

namespace gradoir::test {
namespace {

struct HitCase {
  QPoint client;
  PanelHit expected;
};

void expectHits(const FloatingPanel& panel, const std::vector<HitCase>& cases) {
  for (const HitCase& c : cases) {
    EXPECT_EQ(panel.hitTest(c.client), c.expected)
        << "at client (" << c.client.x() << ", " << c.client.y() << ")";
  }
}

TEST_F(ToolBoxTest, NotSizeableLeftBarDragsByTheWholeLeftSideOnly) {
  // Client 191 x 87 at (17, 1): the title bar and left frame are x < 0.
  expectHits(*m_box, {
                        {{-17, 40}, PanelHit::Caption},   // left frame
                        {{-1, 87}, PanelHit::Caption},    // bottom frame under the bar
                        {{-8, 6}, PanelHit::CollapseButton},   // the button
                        {{-14, 2}, PanelHit::CollapseButton},  // its first pixel
                        {{-3, 13}, PanelHit::CollapseButton},  // its last pixel
                        {{-2, 14}, PanelHit::Caption},    // just outside it
                        {{0, 0}, PanelHit::Client},
                        {{190, 86}, PanelHit::Client},
                        {{191, 40}, PanelHit::Border},  // right frame: neither drags nor sizes
                        {{50, -1}, PanelHit::Border},
                        {{50, 87}, PanelHit::Border},
                        {{-18, 40}, PanelHit::Nowhere},
                        {{192, 40}, PanelHit::Nowhere},
                    });
}

TEST_F(ToolBoxTest, NotSizeableTopBarDragsByTheTopOnly) {
  m_box->setTitleBarPosition(TitleBarPosition::Top);  // 209 x 89, client 207 x 71 at (1, 17)
  expectHits(*m_box, {
                        {{40, -17}, PanelHit::Caption},
                        {{-1, -5}, PanelHit::Caption},
                        {{0, 0}, PanelHit::Client},
                        {{-1, 10}, PanelHit::Border},
                        {{207, 10}, PanelHit::Border},
                        {{185 - 1, 3 - 17}, PanelHit::CollapseButton},
                        {{40, 71}, PanelHit::Border},
                    });
}

TEST_F(ToolBoxTest, SizeableLeftBarGivesEdgesAndCorners) {
  m_box->setSizeable(true);
  m_box->resize(200, 100);  // client 182 x 98 at (17, 1)
  expectHits(*m_box, {
                        {{-17, 50}, PanelHit::Left},  // x <= -16
                        {{-16, 50}, PanelHit::Left},
                        {{-16, 15}, PanelHit::TopLeft},      // y < 16
                        {{-16, 84}, PanelHit::BottomLeft},   // y >= height - 16
                        {{-16, 83}, PanelHit::Left},
                        {{-15, 50}, PanelHit::Caption},      // rest of the bar
                        {{-8, 6}, PanelHit::CollapseButton},      // the button wins over all
                        {{182, 50}, PanelHit::Right},        // x >= client width
                        {{182, 15}, PanelHit::TopRight},
                        {{182, 85}, PanelHit::BottomRight},  // y > height - 16
                        {{182, 84}, PanelHit::Right},
                        {{50, 0}, PanelHit::Top},            // y <= 0 overrides
                        {{50, -1}, PanelHit::Top},
                        {{-5, 0}, PanelHit::TopLeft},        // ... even on the title bar
                        {{167, 0}, PanelHit::TopRight},      // x > client width - 16
                        {{166, 0}, PanelHit::Top},
                        {{50, 98}, PanelHit::Bottom},        // y >= client height overrides
                        {{-5, 98}, PanelHit::BottomLeft},
                        {{167, 98}, PanelHit::BottomRight},
                        {{166, 98}, PanelHit::Bottom},
                        {{50, 97}, PanelHit::Client},
                        {{181, 1}, PanelHit::Client},
                    });
}

TEST_F(ToolBoxTest, SizeableTopBarGivesEdgesAndCorners) {
  m_box->setTitleBarPosition(TitleBarPosition::Top);
  m_box->setSizeable(true);
  m_box->resize(200, 100);  // client 198 x 82 at (1, 17)
  const int buttonX = 200 - 1 - 23 - 1;  // client x of the button square
  expectHits(*m_box, {
                        {{50, -17}, PanelHit::Top},  // y <= -16
                        {{50, -16}, PanelHit::Top},
                        {{15, -16}, PanelHit::TopLeft},      // x < 16
                        {{184, -16}, PanelHit::TopRight},    // x >= width - 16
                        {{183, -16}, PanelHit::Top},
                        {{50, -15}, PanelHit::Caption},
                        {{buttonX + 5, -10}, PanelHit::CollapseButton},
                        {{50, 82}, PanelHit::Bottom},        // y >= client height
                        {{15, 82}, PanelHit::BottomLeft},
                        {{185, 82}, PanelHit::BottomRight},  // x > width - 16
                        {{184, 82}, PanelHit::Bottom},
                        {{0, 40}, PanelHit::Left},           // x <= 0 overrides
                        {{-1, 40}, PanelHit::Left},
                        {{0, -5}, PanelHit::TopLeft},        // ... even on the title bar
                        {{0, 67}, PanelHit::BottomLeft},     // y > client height - 16
                        {{0, 66}, PanelHit::Left},
                        {{198, 40}, PanelHit::Right},        // x >= client width
                        {{198, -5}, PanelHit::TopRight},
                        {{198, 67}, PanelHit::BottomRight},
                        {{198, 66}, PanelHit::Right},
                        {{100, 40}, PanelHit::Client},
                    });
}

TEST_F(ToolBoxTest, PressOnTheButtonTogglesAndDoesNotDrag) {
  showParent();
  QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_FALSE(m_box->expanded());
  dragTo(QPoint(200, 150));
  QTest::mouseRelease(m_box, Qt::LeftButton, {}, m_box->mapFromParent(QPoint(200, 150)));
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 18, 89));
  QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(8, 8));
  EXPECT_TRUE(m_box->expanded());
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 209, 89));
  QTest::mouseClick(m_box, Qt::RightButton, {}, QPoint(8, 8));  // only the left button
  EXPECT_TRUE(m_box->expanded());
}

TEST_F(ToolBoxTest, DragByTheTitleBarStopsWhenTheTitleBarMeetsAnEdge) {
  showParent();
  const QPoint grab(8, 50);  // title bar, below the button
  QTest::mousePress(m_box, Qt::LeftButton, {}, grab);
  dragTo(QPoint(8 + 8 + 100, 8 + 50 + 30));
  EXPECT_EQ(m_box->pos(), QPoint(108, 38));
  // Far outside: the title bar (columns 1..16, rows 1..87 of the panel)
  // stops against the right and bottom edges of the 400 x 300 parent.
  dragTo(QPoint(5000, 5000));
  EXPECT_EQ(m_box->pos(), QPoint(400 - 17, 300 - 88));
  dragTo(QPoint(-300, -300));
  EXPECT_EQ(m_box->pos(), QPoint(-1, -1));
  QTest::mouseRelease(m_box, Qt::LeftButton, {}, m_box->mapFromParent(QPoint(0, 0)));
  dragTo(QPoint(200, 200));  // released: moving no longer drags
  EXPECT_EQ(m_box->pos(), QPoint(-1, -1));
  EXPECT_EQ(m_box->size(), QSize(209, 89));
}

// The title bar in parent coordinates, from the layout the fixture sets up:
// a 1-pixel frame around a 16-pixel bar.
QRect titleBarInParent(const FloatingPanel& panel, TitleBarPosition position) {
  const QSize bar = position == TitleBarPosition::Left ? QSize(16, panel.height() - 2)
                                                       : QSize(panel.width() - 2, 16);
  return QRect(panel.pos() + QPoint(1, 1), bar);
}

struct FarDrag {
  QPoint to;         // pointer, parent coordinates
  QPoint expected;   // panel position afterwards
};

TEST_F(ToolBoxTest, DraggingFarOutsideInAnyDirectionKeepsTheLeftTitleBarInside) {
  showParent();
  // Grab at (8, 50) of the panel, that is (16, 58) of the parent.
  const std::vector<FarDrag> drags = {
      {{5000, 58}, {383, 8}},     {{-5000, 58}, {-1, 8}},     {{16, 5000}, {8, 212}},
      {{16, -5000}, {8, -1}},     {{5000, 5000}, {383, 212}}, {{-5000, -5000}, {-1, -1}},
      {{5000, -5000}, {383, -1}}, {{-5000, 5000}, {-1, 212}},
  };
  for (const FarDrag& d : drags) {
    m_box->move(8, 8);
    QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(8, 50));
    dragTo(d.to);
    QTest::mouseRelease(m_box, Qt::LeftButton, {}, m_box->mapFromParent(d.to));
    EXPECT_EQ(m_box->pos(), d.expected) << "to " << d.to.x() << ", " << d.to.y();
    EXPECT_TRUE(m_parent->rect().contains(titleBarInParent(*m_box, TitleBarPosition::Left)))
        << "to " << d.to.x() << ", " << d.to.y();
  }
}

TEST_F(ToolBoxTest, DraggingFarOutsideInAnyDirectionKeepsTheTopTitleBarInside) {
  m_box->setTitleBarPosition(TitleBarPosition::Top);  // 209 x 89, bar 207 x 16 at (1, 1)
  showParent();
  // Grab at (41, 7) of the panel (caption, left of the button): (49, 15) of
  // the parent.
  const std::vector<FarDrag> drags = {
      {{5000, 15}, {192, 8}},     {{-5000, 15}, {-1, 8}},     {{49, 5000}, {8, 283}},
      {{49, -5000}, {8, -1}},     {{5000, 5000}, {192, 283}}, {{-5000, -5000}, {-1, -1}},
  };
  for (const FarDrag& d : drags) {
    m_box->move(8, 8);
    QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(41, 7));
    dragTo(d.to);
    QTest::mouseRelease(m_box, Qt::LeftButton, {}, m_box->mapFromParent(d.to));
    EXPECT_EQ(m_box->pos(), d.expected) << "to " << d.to.x() << ", " << d.to.y();
    EXPECT_TRUE(m_parent->rect().contains(titleBarInParent(*m_box, TitleBarPosition::Top)))
        << "to " << d.to.x() << ", " << d.to.y();
  }
}

TEST_F(ToolBoxTest, TitleBarLongerThanTheParentStillCoversIt) {
  m_parent->resize(100, 50);  // shorter than the 87-pixel bar
  m_box->move(0, 0);
  showParent();
  QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(8, 50));  // parent (8, 50): outside
  dragTo(QPoint(8, -5000));
  EXPECT_EQ(m_box->pos(), QPoint(0, -38));  // bar rows -37..49
  dragTo(QPoint(8, 5000));
  EXPECT_EQ(m_box->pos(), QPoint(0, -1));  // bar rows 0..86
  dragTo(QPoint(5000, 5000));
  EXPECT_EQ(m_box->pos(), QPoint(100 - 17, -1));
  QTest::mouseRelease(m_box, Qt::LeftButton, {}, QPoint(8, 50));
  EXPECT_TRUE(m_parent->rect().intersects(titleBarInParent(*m_box, TitleBarPosition::Left)));
}

TEST_F(ToolBoxTest, AMoveWithoutTheButtonEndsADragWhoseReleaseWasLost) {
  showParent();
  QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(8, 50));
  dragTo(QPoint(116, 88));
  ASSERT_EQ(m_box->pos(), QPoint(108, 38));  // the panel follows the held button
  // The release went elsewhere (a modal box): the next move has no button.
  hoverAt(m_box->mapFromParent(QPoint(200, 150)));
  EXPECT_EQ(m_box->pos(), QPoint(108, 38));
  hoverAt(m_box->mapFromParent(QPoint(30, 20)));  // later hovering does not drag either
  EXPECT_EQ(m_box->pos(), QPoint(108, 38));
  // Nor does a held button that was pressed elsewhere: a drag needs a press here.
  dragTo(QPoint(300, 200));
  EXPECT_EQ(m_box->pos(), QPoint(108, 38));
  EXPECT_EQ(m_box->size(), QSize(209, 89));
}

TEST_F(ToolBoxTest, AMoveWithoutTheButtonEndsASizingWhoseReleaseWasLost) {
  m_box->setSizeable(true);
  showParent();
  QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(208, 40));  // right edge
  dragTo(QPoint(8 + 208 + 20, 8 + 40));
  ASSERT_EQ(m_box->geometry(), QRect(8, 8, 229, 89));
  hoverAt(m_box->mapFromParent(QPoint(350, 48)));
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 229, 89));
  hoverAt(m_box->mapFromParent(QPoint(100, 48)));
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 229, 89));
}

TEST_F(ToolBoxTest, PressesOnTheClientOrFrameDoNotDrag) {
  showParent();
  for (QPoint at : {QPoint(100, 40), QPoint(208, 40), QPoint(100, 0)}) {
    QTest::mousePress(m_box, Qt::LeftButton, {}, at);
    dragTo(QPoint(300, 200));
    QTest::mouseRelease(m_box, Qt::LeftButton, {}, m_box->mapFromParent(QPoint(300, 200)));
    EXPECT_EQ(m_box->geometry(), QRect(8, 8, 209, 89)) << at.x() << "," << at.y();
  }
}

TEST_F(ToolBoxTest, DoubleClickOnTheTitleBarDoesNothing) {
  showParent();
  QTest::mouseDClick(m_box, Qt::LeftButton, {}, QPoint(8, 50));
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 209, 89));
  EXPECT_TRUE(m_box->expanded());
  dragTo(QPoint(300, 200));  // the double click left no drag behind
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 209, 89));
}

TEST_F(ToolBoxTest, SizeableEdgesResizeAndStopAtTheLimits) {
  m_box->setSizeable(true);
  showParent();
  // Right edge, mid height: 20 pixels wider.
  QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(208, 40));
  dragTo(QPoint(8 + 208 + 20, 8 + 40));
  QTest::mouseRelease(m_box, Qt::LeftButton, {}, QPoint(228, 40));
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 229, 89));
  // Left edge dragged far to the right: the right edge stays, the width
  // stops at title bar plus frame.
  QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(0, 40));
  dragTo(QPoint(390, 8 + 40));
  QTest::mouseRelease(m_box, Qt::LeftButton, {}, m_box->mapFromParent(QPoint(390, 48)));
  EXPECT_EQ(m_box->geometry(), QRect(8 + 229 - 18, 8, 18, 89));
  // Bottom-right corner (y >= client height).
  m_box->setGeometry(8, 8, 209, 89);
  QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(200, 88));
  dragTo(QPoint(8 + 200 + 10, 8 + 88 - 70));
  QTest::mouseRelease(m_box, Qt::LeftButton, {}, QPoint(0, 0));
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 219, 33));
}

TEST_F(ToolBoxTest, OnlyASizeablePanelShowsSizingCursorsOnItsEdges) {
  m_box->setCursor(Qt::CrossCursor);  // the owner's choice, kept while not sizeable
  hoverAt(QPoint(208, 40));           // not sizeable: no sizing cursor
  EXPECT_EQ(m_box->cursor().shape(), Qt::CrossCursor);
  m_box->setSizeable(true);
  hoverAt(QPoint(208, 40));
  EXPECT_EQ(m_box->cursor().shape(), Qt::SizeHorCursor);
  hoverAt(QPoint(100, 88));
  EXPECT_EQ(m_box->cursor().shape(), Qt::SizeVerCursor);
  hoverAt(QPoint(100, 40));
  EXPECT_EQ(m_box->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ToolBoxTest, AnyPressRaisesThePanelAndTakesTheFocus) {
  auto* canvas = new QLabel(m_parent.get());  // a sibling laid over the panel
  canvas->setGeometry(0, 0, 400, 300);
  showParent();
  QApplication::setActiveWindow(m_parent.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_parent.get()));
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    canvas->raise();
    canvas->setFocus();
    ASSERT_EQ(m_parent->childAt(100, 50), canvas);
    QTest::mouseClick(m_box, button, {}, QPoint(100, 40));
    EXPECT_EQ(m_parent->childAt(100, 50), m_box->clientArea()) << button;
    EXPECT_TRUE(m_box->hasFocus()) << button;
    EXPECT_TRUE(m_box->hasFocus()) << button;
  }
  // A press on an empty spot of the client area reaches the panel too.
  canvas->raise();
  QTest::mouseClick(m_box->clientArea(), Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(m_parent->childAt(100, 50), m_box->clientArea());
}

}  // namespace
}  // namespace gradoir::test
