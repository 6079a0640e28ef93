// Geometry, expanding, painting and focus of the floating tool window.
#include <QFontMetrics>
#include <QLineEdit>

#include "tool_box_fixture.h"

namespace gradoir::test {
namespace {

TEST_F(ToolBoxTest, ClientAreaLeavesRoomForTitleBarAndFlatFrame) {
  ShowParent();
  EXPECT_EQ(box_->ClientRect(), QRect(17, 1, 191, 87));
  EXPECT_EQ(box_->ClientArea()->geometry(), QRect(17, 1, 191, 87));
  box_->SetCtl3D(true);  // the sunken frame is one pixel wider on every side
  EXPECT_EQ(box_->size(), QSize(209, 89));
  EXPECT_EQ(box_->ClientRect(), QRect(18, 2, 189, 85));
  EXPECT_EQ(box_->ClientArea()->geometry(), QRect(18, 2, 189, 85));
}

TEST_F(ToolBoxTest, CollapsesToTitleBarAndExpandsBack) {
  ShowParent();
  int expands = 0;
  box_->OnExpand = [&](TFloatingWindow* sender) {
    EXPECT_EQ(sender, box_);
    ++expands;
  };
  box_->SetExpanded(false);
  EXPECT_EQ(box_->geometry(), QRect(8, 8, 18, 89));
  EXPECT_EQ(box_->SavedSize(), 209);
  EXPECT_EQ(box_->ClientArea()->width(), 0);  // the controls go with the client area
  EXPECT_EQ(expands, 1);

  box_->SetExpanded(false);  // no change, no event
  EXPECT_EQ(expands, 1);

  box_->SetExpanded(true);
  EXPECT_EQ(box_->geometry(), QRect(8, 8, 209, 89));
  EXPECT_EQ(box_->ClientArea()->geometry(), QRect(17, 1, 191, 87));
  EXPECT_EQ(expands, 2);

  box_->SetExpanded(true);
  EXPECT_EQ(box_->geometry(), QRect(8, 8, 209, 89));
  EXPECT_EQ(expands, 2);
}

TEST(FloatingWindowTest, TopTitleBarCollapsesHeightWithDefaults) {
  QWidget parent;
  auto* panel = new TFloatingWindow(&parent);
  EXPECT_EQ(panel->size(), QSize(185, 105));
  EXPECT_EQ(panel->SavedSize(), 105);
  EXPECT_TRUE(panel->Ctl3D());
  EXPECT_EQ(panel->TitleBarPosition(), tbTop);
  EXPECT_EQ(panel->ClientRect(), QRect(2, 18, 181, 85));
  panel->resize(185, 140);
  panel->SetExpanded(false);
  EXPECT_EQ(panel->size(), QSize(185, 20));  // title bar and sunken frame
  EXPECT_EQ(panel->SavedSize(), 140);
  panel->SetExpanded(true);
  EXPECT_EQ(panel->size(), QSize(185, 140));
}

TEST(FloatingWindowTest, SizeLimitsHoldWhateverSizeIsAsked) {
  QWidget parent;
  auto* panel = new TFloatingWindow(&parent);
  panel->resize(3, 3);
  EXPECT_EQ(panel->size(), QSize(105, 20));  // top title bar, sunken
  panel->SetCtl3D(false);
  panel->setGeometry(0, 0, 1, 1);
  EXPECT_EQ(panel->size(), QSize(105, 18));
  panel->SetTitleBarPosition(tbLeft);  // also raises the height to 33
  EXPECT_EQ(panel->size(), QSize(105, 33));
  panel->resize(0, 0);
  EXPECT_EQ(panel->size(), QSize(18, 33));
}

TEST_F(ToolBoxTest, ShowPanelAndHidePanelFireTheirEvents) {
  ShowParent();
  std::vector<std::string> fired;
  box_->OnShow = [&](TFloatingWindow*) { fired.push_back(box_->isVisible() ? "show" : "?"); };
  box_->OnHide = [&](TFloatingWindow*) { fired.push_back(box_->isVisible() ? "?" : "hide"); };
  box_->HidePanel();
  box_->ShowPanel();
  EXPECT_EQ(fired, (std::vector<std::string>{"hide", "show"}));
  box_->OnShow = nullptr;  // unset events are skipped
  box_->HidePanel();
  box_->ShowPanel();
  EXPECT_TRUE(box_->isVisible());
}

// Counts the pixels of a colour in a column of the button square.
int CountInColumn(const QImage& image, int x, int top, int bottom, QRgb color) {
  int count = 0;
  for (int y = top; y <= bottom; ++y) count += image.pixel(x, y) == color ? 1 : 0;
  return count;
}

TEST_F(ToolBoxTest, TrianglePointsRightExpandedAndLeftCollapsed) {
  // Square at (3, 3): the triangle spans columns 7..10, rows 5..11.
  const QRgb text = box_->CaptionTextColor().rgb();
  ASSERT_NE(text, box_->CaptionColor().rgb());
  QImage image = box_->grab().toImage();
  EXPECT_EQ(CountInColumn(image, 7, 3, 14, text), 7);  // the flat side on the left
  EXPECT_EQ(CountInColumn(image, 10, 3, 14, text), 1);  // the tip on the right
  EXPECT_EQ(image.pixel(10, 8), text);

  box_->SetExpanded(false);
  image = box_->grab().toImage();
  EXPECT_EQ(image.width(), 18);
  EXPECT_EQ(CountInColumn(image, 10, 3, 14, text), 7);
  EXPECT_EQ(CountInColumn(image, 7, 3, 14, text), 1);
  EXPECT_EQ(image.pixel(7, 8), text);
}

TEST_F(ToolBoxTest, TopTitleBarTrianglePointsDownThenUpAndIsHotInGreen) {
  box_->SetTitleBarPosition(tbTop);
  ShowParent();
  const QRgb text = box_->CaptionTextColor().rgb();
  const int x = 209 - 1 - 23;  // square's top-left (x, 3)
  auto rowCount = [&](const QImage& image, int y) {
    int count = 0;
    for (int col = x; col < x + 12; ++col) count += image.pixel(col, y) == text ? 1 : 0;
    return count;
  };
  QImage image = box_->grab().toImage();
  EXPECT_EQ(rowCount(image, 3 + 4), 7);  // flat side on top
  EXPECT_EQ(rowCount(image, 3 + 7), 1);  // tip below
  box_->SetExpanded(false);
  image = box_->grab().toImage();
  EXPECT_EQ(image.height(), 18);
  EXPECT_EQ(rowCount(image, 3 + 7), 7);
  EXPECT_EQ(rowCount(image, 3 + 4), 1);
  HoverAt(QPoint(x + 5, 3 + 7));
  ASSERT_TRUE(box_->ButtonHot());
  EXPECT_EQ(PixelAt(x + 5, 3 + 7), qRgb(0, 255, 0));
}

TEST_F(ToolBoxTest, ButtonTurnsHotUnderThePointerAndBackWhenItLeaves) {
  ShowParent();
  const QRgb hot = qRgb(200, 200, 225);
  const QRgb text = box_->CaptionTextColor().rgb();
  const QPoint tip(8, 8);  // inside the triangle

  HoverAt(QPoint(8, 60));  // title bar, away from the button
  EXPECT_FALSE(box_->ButtonHot());
  HoverAt(tip);
  EXPECT_TRUE(box_->ButtonHot());
  EXPECT_EQ(PixelAt(tip.x(), tip.y()), hot);

  HoverAt(QPoint(100, 50));  // client area
  EXPECT_FALSE(box_->ButtonHot());
  EXPECT_EQ(PixelAt(tip.x(), tip.y()), text);

  HoverAt(tip);
  ASSERT_TRUE(box_->ButtonHot());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(box_, &leave);
  EXPECT_FALSE(box_->ButtonHot());
  EXPECT_EQ(PixelAt(tip.x(), tip.y()), text);

  HoverAt(tip);
  ASSERT_TRUE(box_->ButtonHot());
  QEvent enterClient(QEvent::Enter);  // straight onto a control of the client area
  QApplication::sendEvent(box_->ClientArea(), &enterClient);
  EXPECT_FALSE(box_->ButtonHot());
}

TEST_F(ToolBoxTest, PaintsFlatFrameTitleBarAndClient) {
  const QImage image = box_->grab().toImage();
  const QRgb frame = qRgb(170, 170, 255);
  EXPECT_EQ(image.pixel(0, 0), frame);
  EXPECT_EQ(image.pixel(208, 88), frame);
  EXPECT_EQ(image.pixel(100, 0), frame);
  EXPECT_EQ(image.pixel(16, 50), box_->CaptionColor().rgb());  // title bar, beside the text
  EXPECT_EQ(image.pixel(17 + 5, 1 + 5), kToolBoxColor);
  // Score frame from (128, 60) to (177, 79) in the client, rounded corners.
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
  box_->SetShowButtons(false);  // nothing but the caption on the bar
  const QImage image = box_->grab().toImage();
  const QRgb background = box_->CaptionColor().rgb();
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
  const QFontMetrics metrics(box_->font());
  const int start = 89 - 1 + 7 - metrics.height();  // where the text begins
  const int length = metrics.horizontalAdvance(box_->Caption());
  EXPECT_GT(bottom - top, 3 * (right - left)) << "the caption is not turned";
  EXPECT_NEAR(bottom, start, 2);
  EXPECT_NEAR(top, std::max(1 + 7, start - length), 3);  // clipped 7 pixels down
  // Glyph tops face the left edge: the first letter "B" fills its column of
  // the cell from the left.
  EXPECT_LE(left, 1 + metrics.ascent() - metrics.capHeight() + 1);
}

TEST_F(ToolBoxTest, CaptionNeverRunsIntoTheButton) {
  for (const char* caption : {"Boîte à outils", "Une légende bien trop longue pour la barre"}) {
    box_->SetCaption(QString::fromUtf8(caption));
    const QImage image = box_->grab().toImage();
    const QRgb background = box_->CaptionColor().rgb();
    int marked = 0;  // rows of the button square and the gap below it
    for (int y = 3; y <= 15; ++y) {
      for (int x = 1; x <= 16; ++x) marked += image.pixel(x, y) == background ? 0 : 1;
    }
    EXPECT_EQ(marked, 7 + 5 + 3 + 1) << caption;  // the triangle alone
  }
}

TEST_F(ToolBoxTest, TitleBarIsActiveExactlyWhileTheFocusIsInside) {
  auto* inside = new QLineEdit(box_->ClientArea());
  auto* outside = new QLineEdit(parent_.get());
  outside->setGeometry(250, 250, 100, 20);
  ShowParent();
  QApplication::setActiveWindow(parent_.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(parent_.get()));
  outside->setFocus();

  EXPECT_FALSE(box_->HasFocus());
  const QRgb inactive = PixelAt(16, 50);
  EXPECT_EQ(inactive, box_->CaptionColor().rgb());

  inside->setFocus();
  EXPECT_TRUE(box_->HasFocus());
  const QRgb active = PixelAt(16, 50);
  EXPECT_EQ(active, QApplication::palette().color(QPalette::Active, QPalette::Highlight).rgb());
  EXPECT_NE(active, inactive);

  outside->setFocus();
  EXPECT_FALSE(box_->HasFocus());
  EXPECT_EQ(PixelAt(16, 50), inactive);

  box_->setFocus();  // the panel itself counts as inside
  EXPECT_TRUE(box_->HasFocus());
}

TEST_F(ToolBoxTest, DeletingThePanelWithTheFocusInsideIsSafe) {
  auto* inside = new QLineEdit(box_->ClientArea());
  auto* outside = new QLineEdit(parent_.get());
  ShowParent();
  QApplication::setActiveWindow(parent_.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(parent_.get()));
  inside->setFocus();
  ASSERT_TRUE(box_->HasFocus());
  delete box_;  // the focus moves while the panel is being torn down
  box_ = nullptr;
  EXPECT_NE(QApplication::focusWidget(), inside);
  outside->setFocus();
  EXPECT_EQ(QApplication::focusWidget(), outside);
}

}  // namespace
}  // namespace gradoir::test
