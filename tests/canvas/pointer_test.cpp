// The pupil's pointer on the canvas: hovering the grab zones, dragging and
// turning the protractor, the magnetised snap, and the pencil. Events are
// sent to the real widget; results are checked in the figures and in the
// picture the canvas shows.
#include <QApplication>

#include "canvas_fixture.h"
#include "raster/geometry.h"

namespace gradoir::testing {
namespace {

constexpr Color32 kWhite = 0xFFFFFFFFu;

// Centre at (500, 350): zones 1 (260, 345, 288, 355), 2 (490, 340, 510, 360)
// and 3 (712, 345, 740, 355).
class PointerTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    startExercise(CanvasTool::Protractor, /*magnetic=*/true);
  }
};

bool reddish(Color32 c) {
  const int r = (c >> 16) & 0xFF;
  const int g = (c >> 8) & 0xFF;
  return r - g > 60;
}

int countReddish(const Bitmap32& b) {
  int n = 0;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) n += reddish(b.pixelAt(x, y)) ? 1 : 0;
  return n;
}

// True when the picture shows the protractor bitmap at its layer's place,
// judged by its first non-white pixel inside the canvas.
bool pictureShowsProtractorAt(ExerciseCanvas& canvas, const Bitmap32& picture) {
  const Bitmap32& prot = canvas.protractorLayer().bitmap();
  const Rect at = roundRealRect(canvas.protractorLayer().location());
  for (int y = 0; y < prot.height(); ++y)
    for (int x = 0; x < prot.width(); ++x) {
      const Point c{at.left + x, at.top + y};
      if (prot.pixelAt(x, y) == kWhite || !rectContains(rectOf(0, 0, canvas.width(), canvas.height()), c))
        continue;
      return picture.pixelAt(c.x, c.y) == prot.pixelAt(x, y);
    }
  return false;
}

TEST_F(PointerTest, HoverChoosesTheZoneAndShowsTheHand) {
  ASSERT_EQ(zone(GrabZone::Centre), (Rect{490, 340, 510, 360}));
  const struct {
    Point at;
    GrabZone zone;
  } cases[] = {{{500, 350}, GrabZone::Centre},
               {{274, 350}, GrabZone::ZeroEnd},
               {{726, 350}, GrabZone::End180},
               {{490, 340}, GrabZone::Centre},
               {{509, 359}, GrabZone::Centre}};
  for (const auto& c : cases) {
    hover(*canvas, c.at);
    EXPECT_EQ(canvas->activeZone(), c.zone) << c.at.x << "," << c.at.y;
    EXPECT_EQ(canvas->cursor().shape(), Qt::PointingHandCursor);
  }
  hover(*canvas, {510, 350});  // right edge excluded
  EXPECT_EQ(canvas->activeZone(), GrabZone::None);
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(PointerTest, ZoneStaysActiveWhenTheCursorWasResetElsewhere) {
  hover(*canvas, {726, 350});
  canvas->setCursor(Qt::ArrowCursor);  // as the main window does
  hover(*canvas, {100, 100});
  EXPECT_EQ(canvas->activeZone(), GrabZone::End180);
  dragLeft(*canvas, {500, 600});
  EXPECT_EQ(canvas->protractor().orientation(), 90);
}

TEST_F(PointerTest, HiddenProtractorIgnoresHoverAndDrag) {
  canvas->hideProtractor();
  hover(*canvas, {500, 350});
  EXPECT_EQ(canvas->activeZone(), GrabZone::None);
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
  pressLeft(*canvas, {500, 350});
  EXPECT_EQ(canvas->activeZone(), GrabZone::None);
  dragLeft(*canvas, {600, 400});
  EXPECT_EQ(protractorLocation(), (RectF{259, 109, 741, 591}));
}

// A drag acts on what lies under the press: a pen or a finger that never
// hovered grabs the centre all the same, and a drag that starts on empty
// canvas leaves the protractor where it is, whatever an earlier hover chose.
TEST_F(PointerTest, DragActsOnTheZoneUnderThePress) {
  pressLeft(*canvas, {500, 350});  // no hover before
  EXPECT_EQ(canvas->activeZone(), GrabZone::Centre);
  dragLeft(*canvas, {600, 400});
  EXPECT_EQ(protractorLocation(), (RectF{359, 152, 841, 634}));
  releaseLeft(*canvas, {600, 400});

  hover(*canvas, {600, 393});  // over the centre: the hand shows
  ASSERT_EQ(canvas->activeZone(), GrabZone::Centre);
  canvas->setCursor(Qt::ArrowCursor);  // as a new exercise does
  pressLeft(*canvas, {50, 50});        // empty canvas
  EXPECT_EQ(canvas->activeZone(), GrabZone::None);
  dragLeft(*canvas, {120, 90});
  releaseLeft(*canvas, {120, 90});
  EXPECT_EQ(protractorLocation(), (RectF{359, 152, 841, 634}));

  pressLeft(*canvas, {839, 393});  // the 180 end, never hovered
  EXPECT_EQ(canvas->activeZone(), GrabZone::End180);
  dragLeft(*canvas, {600, 600});   // straight down from the centre
  EXPECT_EQ(canvas->protractor().orientation(), 90);
}

TEST_F(PointerTest, DraggingTheCentreKeepsItSevenPixelsAboveThePointer) {
  hover(*canvas, {500, 350});
  pressLeft(*canvas, {500, 350});
  dragLeft(*canvas, {600, 400});
  EXPECT_EQ(protractorLocation(), (RectF{359, 152, 841, 634}));  // centre (600, 393)
  EXPECT_EQ(zone(GrabZone::Centre), (Rect{590, 383, 610, 403}));
  EXPECT_EQ(canvas->protractor().orientation(), 0);
  QApplication::processEvents();
  EXPECT_TRUE(canvas->bufferValid());  // the move repainted through the window system
  EXPECT_TRUE(pictureShowsProtractorAt(*canvas, canvas->buffer()));

  // The pointer is grabbed: it goes on past the canvas edge, unclamped.
  dragLeft(*canvas, {-50, -60});
  EXPECT_EQ(protractorLocation(), (RectF{-291, -308, 191, 174}));
  dragLeft(*canvas, {-50, 300});
  EXPECT_EQ(protractorLocation(), (RectF{-291, 52, 191, 534}));
  EXPECT_TRUE(pictureShowsProtractorAt(*canvas, composedPicture()));
  releaseLeft(*canvas, {-50, 300});
  dragLeft(*canvas, {2000000000, -2000000000});
  EXPECT_EQ(composedPicture().pixelAt(500, 350) >> 24, 0xFFu);
}

struct TurnCase {
  Point grab;
  Point pointer;
  std::int32_t orientation;
};

class Turning : public PointerTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(Turning, GrabbedEndFollowsThePointerDirection) {
  const TurnCase c = GetParam();
  hover(*canvas, c.grab);
  pressLeft(*canvas, c.grab);
  canvas->validateBuffer();
  dragLeft(*canvas, c.pointer);
  EXPECT_EQ(canvas->protractor().orientation(), c.orientation);
  EXPECT_EQ(protractorLocation(), (RectF{259, 109, 741, 591}));
  // Turning repaints at once, without waiting for the window system.
  EXPECT_TRUE(canvas->bufferValid());
  EXPECT_TRUE(pictureShowsProtractorAt(*canvas, canvas->buffer()));
}

INSTANTIATE_TEST_SUITE_P(Canvas, Turning,
                         ::testing::Values(TurnCase{{726, 350}, {500, 500}, 90},   // zone 3, below
                                           TurnCase{{274, 350}, {500, 500}, 270},  // zone 1, below
                                           TurnCase{{274, 350}, {300, 350}, 360},  // zone 1, left
                                           TurnCase{{726, 350}, {400, 250}, -135},
                                           TurnCase{{726, 350}, {-400, -350}, -142}));

struct SnapCase {
  PointF vertex;
  bool snaps;
};

class Snapping : public PointerTest, public ::testing::WithParamInterface<SnapCase> {};

TEST_P(Snapping, ReleaseSnapsTheCentreOntoANearVertex) {
  const SnapCase c = GetParam();
  moveVertexTo(c.vertex);
  hover(*canvas, {500, 350});
  releaseLeft(*canvas, {500, 350});
  const RectF expected =
      c.snaps ? RectF{c.vertex.x - 241, c.vertex.y - 241, c.vertex.x + 241, c.vertex.y + 241}
              : RectF{259, 109, 741, 591};
  EXPECT_EQ(protractorLocation(), expected);
  EXPECT_EQ(canvas->activeZone(), GrabZone::Centre);
}

INSTANTIATE_TEST_SUITE_P(Canvas, Snapping,
                         ::testing::Values(SnapCase{{503, 347}, true}, SnapCase{{497, 353}, true},
                                           SnapCase{{500, 350}, true}, SnapCase{{502.5f, 349.5f}, true},
                                           SnapCase{{504, 350}, false}, SnapCase{{500, 346}, false},
                                           SnapCase{{496, 350}, false}, SnapCase{{500, 354}, false}));

TEST_F(PointerTest, SnapNeedsMagnetismZoneTwoAndTheLeftButton) {
  AngleGeometry g = canvas->angle()->geometry();
  g.vertex = {501, 351};
  g.magnetic = false;
  canvas->setAngle(g);
  hover(*canvas, {500, 350});
  sendMouse(*canvas, QEvent::MouseButtonPress, {500, 350}, Qt::RightButton, Qt::RightButton);
  sendMouse(*canvas, QEvent::MouseButtonPress, {500, 350}, Qt::MiddleButton, Qt::RightButton | Qt::MiddleButton);
  EXPECT_EQ(canvas->activeZone(), GrabZone::Centre);
  releaseLeft(*canvas, {500, 350});
  EXPECT_EQ(protractorLocation(), (RectF{259, 109, 741, 591}));

  g.magnetic = true;
  canvas->setAngle(g);
  sendMouse(*canvas, QEvent::MouseButtonRelease, {500, 350}, Qt::RightButton, Qt::NoButton);
  sendMouse(*canvas, QEvent::MouseButtonRelease, {500, 350}, Qt::MiddleButton, Qt::NoButton);
  EXPECT_EQ(protractorLocation(), (RectF{259, 109, 741, 591}));

  hover(*canvas, {726, 350});  // zone 3
  releaseLeft(*canvas, {500, 350});
  EXPECT_EQ(protractorLocation(), (RectF{259, 109, 741, 591}));
}

TEST_F(PointerTest, DragAfterSnapMovesTheProtractorBackUnderThePointer) {
  moveVertexTo({503, 347});
  hover(*canvas, {500, 350});
  releaseLeft(*canvas, {500, 350});
  ASSERT_EQ(protractorLocation(), (RectF{262, 106, 744, 588}));
  pressLeft(*canvas, {500, 350});
  dragLeft(*canvas, {500, 350});
  EXPECT_EQ(protractorLocation(), (RectF{259, 102, 741, 584}));
}

class PencilTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    startExercise(CanvasTool::Pencil);
    AngleGeometry g = canvas->angle()->geometry();
    g.vertex = {100, 100};
    g.firstEnd = {350, 100};
    g.secondEnd = g.vertex;
    g.measure.reset();  // as the main window starts a drawing
    canvas->setAngle(g);
  }
  const Bitmap32& angleBitmap() { return canvas->angleLayer().bitmap(); }
};

TEST_F(PencilTest, PressDragOutsideAndReleaseDrawRedThenBlack) {
  pressLeft(*canvas, {200, 200});
  EXPECT_EQ(canvas->angle()->secondEnd(), (PointF{200, 200}));
  EXPECT_EQ(canvas->angleMeasure(), 45);
  EXPECT_GT(countReddish(angleBitmap()), 100);

  // Grabbed pointer, far outside the canvas, at negative coordinates.
  dragLeft(*canvas, {-300, 100});
  EXPECT_EQ(std::abs(canvas->angleMeasure().value_or(0)), 180);
  EXPECT_TRUE(reddish(angleBitmap().pixelAt(50, 100)) || reddish(angleBitmap().pixelAt(50, 101)));
  dragLeft(*canvas, {100, -5000});
  EXPECT_EQ(canvas->angleMeasure(), -90);
  EXPECT_GT(countReddish(angleBitmap()), 50);

  releaseLeft(*canvas, {100, -5000});
  EXPECT_EQ(countReddish(angleBitmap()), 0);
  const Color32 side = angleBitmap().pixelAt(100, 50);
  EXPECT_LT(side & 0xFF, 0x80u);  // dark: drawn in black
  EXPECT_EQ(canvas->angleMeasure(), -90);
  QApplication::processEvents();
  EXPECT_EQ(composedPicture().pixelAt(100, 50), side);
}

TEST_F(PencilTest, HoveringAndOtherButtonsAloneDoNotDraw) {
  hover(*canvas, {200, 200});
  sendMouse(*canvas, QEvent::MouseButtonPress, {200, 200}, Qt::RightButton, Qt::RightButton);
  sendMouse(*canvas, QEvent::MouseMove, {210, 200}, Qt::NoButton, Qt::RightButton);
  sendMouse(*canvas, QEvent::MouseButtonRelease, {200, 200}, Qt::RightButton, Qt::NoButton);
  sendMouse(*canvas, QEvent::MouseButtonPress, {200, 200}, Qt::MiddleButton, Qt::MiddleButton);
  EXPECT_FALSE(canvas->angleMeasure().has_value());
  EXPECT_EQ(canvas->angle()->secondEnd(), canvas->angle()->vertex());
}

TEST_F(PencilTest, AnotherButtonWhileTheLeftIsHeldActsLikeAMove) {
  pressLeft(*canvas, {300, 100});
  ASSERT_EQ(canvas->angleMeasure(), 0);
  sendMouse(*canvas, QEvent::MouseButtonPress, {200, 200}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
  EXPECT_EQ(canvas->angleMeasure(), 45);
  // Releasing that other button does not end the stroke: still red.
  sendMouse(*canvas, QEvent::MouseButtonRelease, {200, 200}, Qt::RightButton, Qt::LeftButton);
  EXPECT_GT(countReddish(angleBitmap()), 0);
}

TEST_F(PencilTest, DisabledCanvasIgnoresThePointer) {
  canvas->setEnabled(false);
  pressLeft(*canvas, {200, 200});
  dragLeft(*canvas, {220, 200});
  EXPECT_FALSE(canvas->angleMeasure().has_value());

  canvas->setMode(CanvasTool::Protractor);
  hover(*canvas, {500, 350});
  EXPECT_EQ(canvas->activeZone(), GrabZone::None);
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);

  canvas->setEnabled(true);
  hover(*canvas, {500, 350});
  EXPECT_EQ(canvas->activeZone(), GrabZone::Centre);
}

}  // namespace
}  // namespace gradoir::testing
