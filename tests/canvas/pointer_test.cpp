// The pupil's pointer on the canvas: hovering the grab zones, dragging and
// turning the protractor, the magnetised snap, and the pencil. Events are
// sent to the real widget; results are checked in the figures and in the
// picture the canvas shows.
#include <QApplication>

#include "canvas_fixture.h"
#include "raster/geometry.h"

namespace gradoir::testing {
namespace {

constexpr TColor32 kWhite = 0xFFFFFFFFu;

// Centre at (500, 350): zones 1 (260, 345, 288, 355), 2 (490, 340, 510, 360)
// and 3 (712, 345, 740, 355).
class PointerTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    StartExercise(aMesure, /*magnetic=*/true);
  }
};

bool Reddish(TColor32 c) {
  const int r = (c >> 16) & 0xFF;
  const int g = (c >> 8) & 0xFF;
  return r - g > 60;
}

int CountReddish(const TBitmap32& b) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += Reddish(b.PixelAt(x, y)) ? 1 : 0;
  return n;
}

// True when the picture shows the protractor bitmap at its layer's place,
// judged by its first non-white pixel inside the canvas.
bool PictureShowsProtractorAt(TGradoImg32& canvas, const TBitmap32& picture) {
  const TBitmap32& prot = canvas.ProtractorLayer().Bitmap();
  const TRect at = RoundRealRect(canvas.ProtractorLayer().Location());
  for (int y = 0; y < prot.Height(); ++y)
    for (int x = 0; x < prot.Width(); ++x) {
      const TPoint c{at.Left + x, at.Top + y};
      if (prot.PixelAt(x, y) == kWhite || !RectContains(RectOf(0, 0, canvas.width(), canvas.height()), c))
        continue;
      return picture.PixelAt(c.X, c.Y) == prot.PixelAt(x, y);
    }
  return false;
}

TEST_F(PointerTest, HoverChoosesTheZoneAndShowsTheHand) {
  ASSERT_EQ(Zone(2), (TRect{490, 340, 510, 360}));
  const struct {
    TPoint at;
    int zone;
  } cases[] = {{{500, 350}, 2}, {{274, 350}, 1}, {{726, 350}, 3}, {{490, 340}, 2}, {{509, 359}, 2}};
  for (const auto& c : cases) {
    Hover(*canvas, c.at);
    EXPECT_EQ(canvas->Protractor().ActiveZone, c.zone) << c.at.X << "," << c.at.Y;
    EXPECT_EQ(canvas->cursor().shape(), Qt::PointingHandCursor);
  }
  Hover(*canvas, {510, 350});  // right edge excluded
  EXPECT_EQ(canvas->Protractor().ActiveZone, 0);
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(PointerTest, ZoneStaysActiveWhenTheCursorWasResetElsewhere) {
  Hover(*canvas, {726, 350});
  canvas->setCursor(Qt::ArrowCursor);  // as the main window does
  Hover(*canvas, {100, 100});
  EXPECT_EQ(canvas->Protractor().ActiveZone, 3);
  DragLeft(*canvas, {500, 600});
  EXPECT_EQ(canvas->Protractor().Orientation, 90);
}

TEST_F(PointerTest, HiddenProtractorIgnoresHoverAndDrag) {
  canvas->HideProtractor();
  Hover(*canvas, {500, 350});
  EXPECT_EQ(canvas->Protractor().ActiveZone, 0);
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
  canvas->Protractor().ActiveZone = 2;
  DragLeft(*canvas, {600, 400});
  EXPECT_EQ(ProtractorLocation(), (TRealRect{259, 109, 741, 591}));
}

TEST_F(PointerTest, DraggingTheCentreKeepsItSevenPixelsAboveThePointer) {
  Hover(*canvas, {500, 350});
  PressLeft(*canvas, {500, 350});
  DragLeft(*canvas, {600, 400});
  EXPECT_EQ(ProtractorLocation(), (TRealRect{359, 152, 841, 634}));  // centre (600, 393)
  EXPECT_EQ(Zone(2), (TRect{590, 383, 610, 403}));
  EXPECT_EQ(canvas->Protractor().Orientation, 0);
  QApplication::processEvents();
  EXPECT_TRUE(canvas->BufferValid());  // the move repainted through the window system
  EXPECT_TRUE(PictureShowsProtractorAt(*canvas, canvas->Buffer()));

  // The pointer is grabbed: it goes on past the canvas edge, unclamped.
  DragLeft(*canvas, {-50, -60});
  EXPECT_EQ(ProtractorLocation(), (TRealRect{-291, -308, 191, 174}));
  DragLeft(*canvas, {-50, 300});
  EXPECT_EQ(ProtractorLocation(), (TRealRect{-291, 52, 191, 534}));
  EXPECT_TRUE(PictureShowsProtractorAt(*canvas, Picture()));
  ReleaseLeft(*canvas, {-50, 300});
  DragLeft(*canvas, {2000000000, -2000000000});
  EXPECT_EQ(Picture().PixelAt(500, 350) >> 24, 0xFFu);
}

struct TurnCase {
  TPoint grab;
  TPoint pointer;
  std::int32_t orientation;
};

class Turning : public PointerTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(Turning, GrabbedEndFollowsThePointerDirection) {
  const TurnCase c = GetParam();
  Hover(*canvas, c.grab);
  PressLeft(*canvas, c.grab);
  canvas->ValidateBuffer();
  DragLeft(*canvas, c.pointer);
  EXPECT_EQ(canvas->Protractor().Orientation, c.orientation);
  EXPECT_EQ(ProtractorLocation(), (TRealRect{259, 109, 741, 591}));
  // Turning repaints at once, without waiting for the window system.
  EXPECT_TRUE(canvas->BufferValid());
  EXPECT_TRUE(PictureShowsProtractorAt(*canvas, canvas->Buffer()));
}

INSTANTIATE_TEST_SUITE_P(Canvas, Turning,
                         ::testing::Values(TurnCase{{726, 350}, {500, 500}, 90},   // zone 3, below
                                           TurnCase{{274, 350}, {500, 500}, 270},  // zone 1, below
                                           TurnCase{{274, 350}, {300, 350}, 360},  // zone 1, left
                                           TurnCase{{726, 350}, {400, 250}, -135},
                                           TurnCase{{726, 350}, {-400, -350}, -142}));

struct SnapCase {
  TRealPoint vertex;
  bool snaps;
};

class Snapping : public PointerTest, public ::testing::WithParamInterface<SnapCase> {};

TEST_P(Snapping, ReleaseSnapsTheCentreOntoANearVertex) {
  const SnapCase c = GetParam();
  canvas->Angle()->Vertex = c.vertex;
  Hover(*canvas, {500, 350});
  ReleaseLeft(*canvas, {500, 350});
  const TRealRect expected =
      c.snaps ? TRealRect{c.vertex.X - 241, c.vertex.Y - 241, c.vertex.X + 241, c.vertex.Y + 241}
              : TRealRect{259, 109, 741, 591};
  EXPECT_EQ(ProtractorLocation(), expected);
  EXPECT_EQ(canvas->Protractor().ActiveZone, 2);
}

INSTANTIATE_TEST_SUITE_P(Canvas, Snapping,
                         ::testing::Values(SnapCase{{503, 347}, true}, SnapCase{{497, 353}, true},
                                           SnapCase{{500, 350}, true}, SnapCase{{502.5f, 349.5f}, true},
                                           SnapCase{{504, 350}, false}, SnapCase{{500, 346}, false},
                                           SnapCase{{496, 350}, false}, SnapCase{{500, 354}, false}));

TEST_F(PointerTest, SnapNeedsMagnetismZoneTwoAndTheLeftButton) {
  canvas->Angle()->Vertex = {501, 351};
  canvas->Angle()->Magnetic = false;
  Hover(*canvas, {500, 350});
  SendMouse(*canvas, QEvent::MouseButtonPress, {500, 350}, Qt::RightButton, Qt::RightButton);
  SendMouse(*canvas, QEvent::MouseButtonPress, {500, 350}, Qt::MiddleButton, Qt::RightButton | Qt::MiddleButton);
  EXPECT_EQ(canvas->Protractor().ActiveZone, 2);
  ReleaseLeft(*canvas, {500, 350});
  EXPECT_EQ(ProtractorLocation(), (TRealRect{259, 109, 741, 591}));

  canvas->Angle()->Magnetic = true;
  SendMouse(*canvas, QEvent::MouseButtonRelease, {500, 350}, Qt::RightButton, Qt::NoButton);
  SendMouse(*canvas, QEvent::MouseButtonRelease, {500, 350}, Qt::MiddleButton, Qt::NoButton);
  EXPECT_EQ(ProtractorLocation(), (TRealRect{259, 109, 741, 591}));

  Hover(*canvas, {726, 350});  // zone 3
  ReleaseLeft(*canvas, {500, 350});
  EXPECT_EQ(ProtractorLocation(), (TRealRect{259, 109, 741, 591}));
}

TEST_F(PointerTest, DragAfterSnapMovesTheProtractorBackUnderThePointer) {
  canvas->Angle()->Vertex = {503, 347};
  Hover(*canvas, {500, 350});
  ReleaseLeft(*canvas, {500, 350});
  ASSERT_EQ(ProtractorLocation(), (TRealRect{262, 106, 744, 588}));
  PressLeft(*canvas, {500, 350});
  DragLeft(*canvas, {500, 350});
  EXPECT_EQ(ProtractorLocation(), (TRealRect{259, 102, 741, 584}));
}

class PencilTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    StartExercise(aDraw);
    canvas->SetAngleMeasure(181);  // as the main window does
    TAngle& angle = *canvas->Angle();
    angle.Vertex = {100, 100};
    angle.FirstEnd = {350, 100};
    angle.SecondEnd = angle.Vertex;
  }
  const TBitmap32& AngleBitmap() { return canvas->AngleLayer().Bitmap(); }
};

TEST_F(PencilTest, PressDragOutsideAndReleaseDrawRedThenBlack) {
  PressLeft(*canvas, {200, 200});
  EXPECT_EQ(canvas->Angle()->SecondEnd, (TRealPoint{200, 200}));
  EXPECT_EQ(canvas->AngleMeasure(), 45);
  EXPECT_GT(CountReddish(AngleBitmap()), 100);

  // Grabbed pointer, far outside the canvas, at negative coordinates.
  DragLeft(*canvas, {-300, 100});
  EXPECT_EQ(std::abs(canvas->AngleMeasure()), 180);
  EXPECT_TRUE(Reddish(AngleBitmap().PixelAt(50, 100)) || Reddish(AngleBitmap().PixelAt(50, 101)));
  DragLeft(*canvas, {100, -5000});
  EXPECT_EQ(canvas->AngleMeasure(), -90);
  EXPECT_GT(CountReddish(AngleBitmap()), 50);

  ReleaseLeft(*canvas, {100, -5000});
  EXPECT_EQ(CountReddish(AngleBitmap()), 0);
  const TColor32 side = AngleBitmap().PixelAt(100, 50);
  EXPECT_LT(side & 0xFF, 0x80u);  // dark: drawn in black
  EXPECT_EQ(canvas->AngleMeasure(), -90);
  QApplication::processEvents();
  EXPECT_EQ(Picture().PixelAt(100, 50), side);
}

TEST_F(PencilTest, HoveringAndOtherButtonsAloneDoNotDraw) {
  Hover(*canvas, {200, 200});
  SendMouse(*canvas, QEvent::MouseButtonPress, {200, 200}, Qt::RightButton, Qt::RightButton);
  SendMouse(*canvas, QEvent::MouseMove, {210, 200}, Qt::NoButton, Qt::RightButton);
  SendMouse(*canvas, QEvent::MouseButtonRelease, {200, 200}, Qt::RightButton, Qt::NoButton);
  SendMouse(*canvas, QEvent::MouseButtonPress, {200, 200}, Qt::MiddleButton, Qt::MiddleButton);
  EXPECT_EQ(canvas->AngleMeasure(), 181);
  EXPECT_EQ(canvas->Angle()->SecondEnd, canvas->Angle()->Vertex);
}

TEST_F(PencilTest, AnotherButtonWhileTheLeftIsHeldActsLikeAMove) {
  PressLeft(*canvas, {300, 100});
  ASSERT_EQ(canvas->AngleMeasure(), 0);
  SendMouse(*canvas, QEvent::MouseButtonPress, {200, 200}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
  EXPECT_EQ(canvas->AngleMeasure(), 45);
  // Releasing that other button does not end the stroke: still red.
  SendMouse(*canvas, QEvent::MouseButtonRelease, {200, 200}, Qt::RightButton, Qt::LeftButton);
  EXPECT_GT(CountReddish(AngleBitmap()), 0);
}

TEST_F(PencilTest, DisabledCanvasIgnoresThePointer) {
  canvas->setEnabled(false);
  PressLeft(*canvas, {200, 200});
  DragLeft(*canvas, {220, 200});
  EXPECT_EQ(canvas->AngleMeasure(), 181);

  canvas->SetMode(aMesure);
  Hover(*canvas, {500, 350});
  EXPECT_EQ(canvas->Protractor().ActiveZone, 0);
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);

  canvas->setEnabled(true);
  Hover(*canvas, {500, 350});
  EXPECT_EQ(canvas->Protractor().ActiveZone, 2);
}

}  // namespace
}  // namespace gradoir::testing
