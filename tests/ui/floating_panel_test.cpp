// Geometry, expanding, painting and focus of the floating tool window.
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>

#include "tool_box_fixture.h"

namespace gradoir::test {
namespace {

TEST_F(ToolBoxTest, ClientAreaLeavesRoomForTitleBarAndFlatFrame) {
  showParent();
  EXPECT_EQ(m_box->clientRect(), QRect(17, 1, 191, 87));
  EXPECT_EQ(m_box->clientArea()->geometry(), QRect(17, 1, 191, 87));
  m_box->setSunkenFrame(true);  // the sunken frame is one pixel wider on every side
  EXPECT_EQ(m_box->size(), QSize(209, 89));
  EXPECT_EQ(m_box->clientRect(), QRect(18, 2, 189, 85));
  EXPECT_EQ(m_box->clientArea()->geometry(), QRect(18, 2, 189, 85));
}

TEST_F(ToolBoxTest, CollapsesToTitleBarAndExpandsBack) {
  showParent();
  int expands = 0;
  QObject::connect(m_box, &FloatingPanel::expandedChanged, [&](bool expanded) {
    EXPECT_EQ(expanded, m_box->expanded());
    ++expands;
  });
  m_box->setExpanded(false);
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 18, 89));
  EXPECT_EQ(m_box->savedSize(), 209);
  EXPECT_EQ(m_box->clientArea()->width(), 0);  // the controls go with the client area
  EXPECT_EQ(expands, 1);

  m_box->setExpanded(false);  // no change, no event
  EXPECT_EQ(expands, 1);

  m_box->setExpanded(true);
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 209, 89));
  EXPECT_EQ(m_box->clientArea()->geometry(), QRect(17, 1, 191, 87));
  EXPECT_EQ(expands, 2);

  m_box->setExpanded(true);
  EXPECT_EQ(m_box->geometry(), QRect(8, 8, 209, 89));
  EXPECT_EQ(expands, 2);
}

TEST(FloatingPanelTest, TopTitleBarCollapsesHeightWithDefaults) {
  QWidget parent;
  auto* panel = new FloatingPanel(&parent);
  EXPECT_EQ(panel->size(), QSize(185, 105));
  EXPECT_EQ(panel->savedSize(), 105);
  EXPECT_TRUE(panel->sunkenFrame());
  EXPECT_EQ(panel->titleBarPosition(), TitleBarPosition::Top);
  EXPECT_EQ(panel->clientRect(), QRect(2, 18, 181, 85));
  panel->resize(185, 140);
  panel->setExpanded(false);
  EXPECT_EQ(panel->size(), QSize(185, 20));  // title bar and sunken frame
  EXPECT_EQ(panel->savedSize(), 140);
  panel->setExpanded(true);
  EXPECT_EQ(panel->size(), QSize(185, 140));
}

TEST(FloatingPanelTest, SizeLimitsHoldWhateverSizeIsAsked) {
  QWidget parent;
  auto* panel = new FloatingPanel(&parent);
  panel->resize(3, 3);
  EXPECT_EQ(panel->size(), QSize(105, 20));  // top title bar, sunken
  panel->setSunkenFrame(false);
  panel->setGeometry(0, 0, 1, 1);
  EXPECT_EQ(panel->size(), QSize(105, 18));
  panel->setTitleBarPosition(TitleBarPosition::Left);  // also raises the height to 33
  EXPECT_EQ(panel->size(), QSize(105, 33));
  panel->resize(0, 0);
  EXPECT_EQ(panel->size(), QSize(18, 33));
}

TEST_F(ToolBoxTest, ShowPanelAndHidePanelFireTheirEvents) {
  showParent();
  std::vector<std::string> fired;
  QObject::connect(m_box, &FloatingPanel::panelShown, [&] { fired.push_back(m_box->isVisible() ? "show" : "?"); });
  QObject::connect(m_box, &FloatingPanel::panelHidden, [&] { fired.push_back(m_box->isVisible() ? "?" : "hide"); });
  m_box->hidePanel();
  m_box->showPanel();
  EXPECT_EQ(fired, (std::vector<std::string>{"hide", "show"}));
}

// Counts the pixels of a colour in a column of the button square.
int countInColumn(const QImage& image, int x, int top, int bottom, QRgb color) {
  int count = 0;
  for (int y = top; y <= bottom; ++y) count += image.pixel(x, y) == color ? 1 : 0;
  return count;
}

TEST_F(ToolBoxTest, TrianglePointsRightExpandedAndLeftCollapsed) {
  // Square at (3, 3): the triangle spans columns 7..10, rows 5..11.
  const QRgb text = m_box->captionTextColor().rgb();
  ASSERT_NE(text, m_box->captionColor().rgb());
  QImage image = m_box->grab().toImage();
  EXPECT_EQ(countInColumn(image, 7, 3, 14, text), 7);  // the flat side on the left
  EXPECT_EQ(countInColumn(image, 10, 3, 14, text), 1);  // the tip on the right
  EXPECT_EQ(image.pixel(10, 8), text);

  m_box->setExpanded(false);
  image = m_box->grab().toImage();
  EXPECT_EQ(image.width(), 18);
  EXPECT_EQ(countInColumn(image, 10, 3, 14, text), 7);
  EXPECT_EQ(countInColumn(image, 7, 3, 14, text), 1);
  EXPECT_EQ(image.pixel(7, 8), text);
}

TEST_F(ToolBoxTest, TopTitleBarTrianglePointsDownThenUpAndIsHotInGreen) {
  m_box->setTitleBarPosition(TitleBarPosition::Top);
  showParent();
  const QRgb text = m_box->captionTextColor().rgb();
  const int x = 209 - 1 - 23;  // square's top-left (x, 3)
  auto rowCount = [&](const QImage& image, int y) {
    int count = 0;
    for (int col = x; col < x + 12; ++col) count += image.pixel(col, y) == text ? 1 : 0;
    return count;
  };
  QImage image = m_box->grab().toImage();
  EXPECT_EQ(rowCount(image, 3 + 4), 7);  // flat side on top
  EXPECT_EQ(rowCount(image, 3 + 7), 1);  // tip below
  m_box->setExpanded(false);
  image = m_box->grab().toImage();
  EXPECT_EQ(image.height(), 18);
  EXPECT_EQ(rowCount(image, 3 + 7), 7);
  EXPECT_EQ(rowCount(image, 3 + 4), 1);
  hoverAt(QPoint(x + 5, 3 + 7));
  ASSERT_TRUE(m_box->buttonHot());
  EXPECT_EQ(pixelAt(x + 5, 3 + 7), qRgb(0, 255, 0));
}

TEST_F(ToolBoxTest, ButtonTurnsHotUnderThePointerAndBackWhenItLeaves) {
  showParent();
  const QRgb hot = qRgb(200, 200, 225);
  const QRgb text = m_box->captionTextColor().rgb();
  const QPoint tip(8, 8);  // inside the triangle

  hoverAt(QPoint(8, 60));  // title bar, away from the button
  EXPECT_FALSE(m_box->buttonHot());
  hoverAt(tip);
  EXPECT_TRUE(m_box->buttonHot());
  EXPECT_EQ(pixelAt(tip.x(), tip.y()), hot);

  hoverAt(QPoint(100, 50));  // client area
  EXPECT_FALSE(m_box->buttonHot());
  EXPECT_EQ(pixelAt(tip.x(), tip.y()), text);

  hoverAt(tip);
  ASSERT_TRUE(m_box->buttonHot());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(m_box, &leave);
  EXPECT_FALSE(m_box->buttonHot());
  EXPECT_EQ(pixelAt(tip.x(), tip.y()), text);

  hoverAt(tip);
  ASSERT_TRUE(m_box->buttonHot());
  QEvent enterClient(QEvent::Enter);  // straight onto a control of the client area
  QApplication::sendEvent(m_box->clientArea(), &enterClient);
  EXPECT_FALSE(m_box->buttonHot());
}

TEST_F(ToolBoxTest, PaintsFlatFrameTitleBarAndClient) {
  // A panel's own decoration is drawn in client coordinates, without smoothing.
  m_box->framed = true;
  const QImage image = m_box->grab().toImage();
  const QRgb frame = qRgb(170, 170, 255);
  EXPECT_EQ(image.pixel(0, 0), frame);
  EXPECT_EQ(image.pixel(208, 88), frame);
  EXPECT_EQ(image.pixel(100, 0), frame);
  EXPECT_EQ(image.pixel(16, 50), m_box->captionColor().rgb());  // title bar, beside the text
  EXPECT_EQ(image.pixel(17 + 5, 1 + 5), kToolBoxColor);
  // The decoration from (128, 60) to (177, 79) in the client, rounded corners.
  const QRgb outline = qRgb(160, 168, 255);
  auto client = [&](int x, int y) { return image.pixel(17 + x, 1 + y); };
  EXPECT_EQ(client(150, 60), outline);
  EXPECT_EQ(client(150, 78), outline);
  EXPECT_EQ(client(128, 70), outline);
  EXPECT_EQ(client(176, 70), outline);
  EXPECT_EQ(client(150, 70), kToolBoxColor);
  EXPECT_EQ(client(128, 60), kToolBoxColor);  // outside the rounded corner
  EXPECT_EQ(client(150, 79), kToolBoxColor);
  EXPECT_EQ(client(177, 70), kToolBoxColor);
}

TEST_F(ToolBoxTest, CaptionReadsUpwardsFromTheBottomOfTheTitleBar) {
  m_box->setShowButtons(false);  // nothing but the caption on the bar
  const QImage image = m_box->grab().toImage();
  const QRgb background = m_box->captionColor().rgb();
  int top = image.height();
  int bottom = -1;
  int left = image.width();
  int right = -1;
  for (int y = 1; y < 88; ++y) {
    for (int x = 1; x <= 16; ++x) {
      if (image.pixel(x, y) == background) continue;
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  ASSERT_GE(bottom, 0) << "no caption drawn";
  const QFontMetrics metrics(m_box->font());
  const int start = 89 - 1 + 7 - metrics.height();  // where the text begins
  const int length = metrics.horizontalAdvance(m_box->caption());
  EXPECT_GT(bottom - top, 3 * (right - left)) << "the caption is not turned";
  EXPECT_NEAR(bottom, start, 2);
  EXPECT_NEAR(top, std::max(1 + 7, start - length), 3);  // clipped 7 pixels down
  // Glyph tops face the left edge: the first letter "B" fills its column of
  // the cell from the left.
  EXPECT_LE(left, 1 + metrics.ascent() - metrics.capHeight() + 1);
}

TEST_F(ToolBoxTest, CaptionNeverRunsIntoTheButton) {
  for (const char* caption : {"Boîte à outils", "Une légende bien trop longue pour la barre"}) {
    m_box->setCaption(QString::fromUtf8(caption));
    const QImage image = m_box->grab().toImage();
    const QRgb background = m_box->captionColor().rgb();
    int marked = 0;  // rows of the button square and the gap below it
    for (int y = 3; y <= 15; ++y) {
      for (int x = 1; x <= 16; ++x) marked += image.pixel(x, y) == background ? 0 : 1;
    }
    EXPECT_EQ(marked, 7 + 5 + 3 + 1) << caption;  // the triangle alone
  }
}

TEST_F(ToolBoxTest, TitleBarIsActiveExactlyWhileTheFocusIsInside) {
  auto* inside = new QLineEdit(m_box->clientArea());
  auto* outside = new QLineEdit(m_parent.get());
  outside->setGeometry(250, 250, 100, 20);
  showParent();
  QApplication::setActiveWindow(m_parent.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_parent.get()));
  outside->setFocus();

  EXPECT_FALSE(m_box->hasFocus());
  const QRgb inactive = pixelAt(16, 50);
  EXPECT_EQ(inactive, m_box->captionColor().rgb());

  inside->setFocus();
  EXPECT_TRUE(m_box->hasFocus());
  const QRgb active = pixelAt(16, 50);
  EXPECT_EQ(active, QApplication::palette().color(QPalette::Active, QPalette::Highlight).rgb());
  EXPECT_NE(active, inactive);

  outside->setFocus();
  EXPECT_FALSE(m_box->hasFocus());
  EXPECT_EQ(pixelAt(16, 50), inactive);

  m_box->setFocus();  // the panel itself counts as inside
  EXPECT_TRUE(m_box->hasFocus());
}

TEST_F(ToolBoxTest, DeletingThePanelWithTheFocusInsideIsSafe) {
  auto* inside = new QLineEdit(m_box->clientArea());
  auto* outside = new QLineEdit(m_parent.get());
  showParent();
  QApplication::setActiveWindow(m_parent.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_parent.get()));
  inside->setFocus();
  ASSERT_TRUE(m_box->hasFocus());
  delete m_box;  // the focus moves while the panel is being torn down
  m_box = nullptr;
  EXPECT_NE(QApplication::focusWidget(), inside);
  outside->setFocus();
  EXPECT_EQ(QApplication::focusWidget(), outside);
}

}  // namespace
}  // namespace gradoir::test
