// The exercise canvas as the main window drives it: construction, new
// exercises, centring, showing and hiding the protractor, and what the pupil
// sees through the protractor's white.
#include <QApplication>
#include <QImage>
#include <QPixmap>

#include "canvas_fixture.h"
#include "raster/geometry.h"

namespace gradoir::testing {
namespace {

constexpr TColor32 kWhite = 0xFFFFFFFFu;

TEST(TransparentWhiteCombine, OnlyExactOpaqueWhiteIsSeeThrough) {
  const TColor32 under = 0xFF102030u;
  for (TColor32 f : {0xFEFFFFFFu, 0x00000000u, 0xFFFFFFFEu, 0x7F00FF00u, 0xFF7F7F7Fu}) {
    TColor32 b = under;
    TransparentWhiteCombine(f, b, 255);
    EXPECT_EQ(b, f) << std::hex << f;
  }
  TColor32 b = under;
  TransparentWhiteCombine(kWhite, b, 0);
  EXPECT_EQ(b, under);
}

TEST_F(CanvasTest, NewCanvasShowsOnlyWhiteAndAnswersWithoutAnAngle) {
  EXPECT_EQ(canvas->Layers().Items(0), &canvas->AngleLayer());  // painted first, under
  EXPECT_EQ(canvas->Layers().Items(1), &canvas->ProtractorLayer());
  EXPECT_EQ(ProtractorLocation(), (TRealRect{0, 0, 482, 482}));
  EXPECT_TRUE(canvas->hasMouseTracking());
  const TBitmap32& picture = Picture();
  for (TPoint p : {TPoint{0, 0}, TPoint{241, 241}, TPoint{999, 699}}) EXPECT_EQ(picture.PixelAt(p.X, p.Y), kWhite);
  EXPECT_EQ(canvas->AngleMeasure(), 0);
  TRect first{1, 1, 1, 1}, second{1, 1, 1, 1};
  canvas->GetSideBounds(first, second);
  EXPECT_EQ(first, TRect{});
  EXPECT_EQ(second, TRect{});
}

struct CentringCase {
  int width, height;
  TRealRect expected;
};

class Centring : public CanvasTest, public ::testing::WithParamInterface<CentringCase> {};

TEST_P(Centring, LeftAndTopTruncateTowardZero) {
  const CentringCase c = GetParam();
  canvas->resize(c.width, c.height);
  canvas->Protractor().Orientation = 37;
  canvas->CenterProtractor();
  EXPECT_EQ(ProtractorLocation(), c.expected);
  EXPECT_EQ(canvas->Protractor().Orientation, 0);
}

INSTANTIATE_TEST_SUITE_P(Canvas, Centring,
                         ::testing::Values(CentringCase{1000, 700, {259, 109, 741, 591}},
                                           CentringCase{480, 700, {-1, 109, 481, 591}},
                                           CentringCase{481, 481, {0, 0, 482, 482}},
                                           CentringCase{0, 0, {-241, -241, 241, 241}}));

TEST_F(CanvasTest, NewExerciseFillsTheClientAreaAndShowsBothFiguresAtOnce) {
  canvas->setCursor(Qt::PointingHandCursor);
  StartExercise(aMesure);
  ASSERT_NE(canvas->Angle(), nullptr);
  const TAngle& angle = *canvas->Angle();
  EXPECT_EQ(canvas->AngleLayer().Bitmap().PixelBounds(), (TRect{0, 0, 1000, 700}));
  EXPECT_EQ(canvas->AngleLayer().Location(), (TRealRect{0, 0, 1000, 700}));
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
  const TRect placement{30, 30, 990, 690};
  EXPECT_TRUE(RectContains(placement, RoundPoint(angle.Vertex)));
  EXPECT_TRUE(RectContains(placement, RoundPoint(angle.FirstEnd)));
  EXPECT_TRUE(RectContains(placement, RoundPoint(angle.SecondEnd)));
  EXPECT_EQ(angle.SecondLength, 260);
  EXPECT_EQ(angle.Measure, canvas->AngleMeasure());
  // ShowProtractor repainted before returning.
  EXPECT_TRUE(canvas->BufferValid());
  const TPoint v = RoundPoint(angle.Vertex);
  EXPECT_NE(canvas->Buffer().PixelAt(v.X, v.Y), kWhite);
}

TEST_F(CanvasTest, DrawModeLeavesOutTheSecondSideAndTheMeasureIsStoredWithoutRedrawing) {
  StartExercise(aDraw, true, true);
  const TAngle& angle = *canvas->Angle();
  EXPECT_EQ(angle.SecondEnd, angle.Vertex);
  EXPECT_NE(angle.GeneratedEnd, angle.Vertex);
  EXPECT_TRUE(angle.Magnetic);
  EXPECT_EQ(angle.FirstEnd.Y, angle.Vertex.Y);  // horizontal side asked for
  EXPECT_GE(canvas->AngleMeasure(), 5);
  EXPECT_LE(canvas->AngleMeasure(), 175);
  ASSERT_TRUE(canvas->BufferValid());
  canvas->SetAngleMeasure(181);
  EXPECT_EQ(canvas->AngleMeasure(), 181);
  EXPECT_TRUE(canvas->BufferValid());
}

TEST_F(CanvasTest, SideBoundsSpanVertexAndEndsWithoutPlusOne) {
  StartExercise(aDraw);
  TAngle& angle = *canvas->Angle();
  angle.Vertex = {100, 200};
  angle.FirstEnd = {350, 200};
  angle.GeneratedEnd = {40.5f, 301.5f};  // rounds to (40, 302)
  angle.SecondEnd = {900, 20};           // what the pupil drew does not count
  TRect first, second;
  canvas->GetSideBounds(first, second);
  EXPECT_EQ(first, (TRect{100, 200, 350, 200}));
  EXPECT_EQ(second, (TRect{40, 200, 100, 302}));
}

// A canvas pixel where the protractor draws something and the angle does not.
bool FindProtractorOnlyPixel(TGradoImg32& canvas, TPoint& found) {
  const TBitmap32& prot = canvas.ProtractorLayer().Bitmap();
  const TBitmap32& angle = canvas.AngleLayer().Bitmap();
  const TRect at = RoundRealRect(canvas.ProtractorLayer().Location());
  for (int y = 0; y < prot.Height(); ++y)
    for (int x = 0; x < prot.Width(); ++x) {
      const TPoint c{at.Left + x, at.Top + y};
      if (!RectContains(angle.PixelBounds(), c)) continue;
      if (prot.PixelAt(x, y) != kWhite && angle.PixelAt(c.X, c.Y) == kWhite) {
        found = c;
        return true;
      }
    }
  return false;
}

TEST_F(CanvasTest, HideRemovesTheProtractorFromTheNextPictureAndNewExerciseBringsItBack) {
  StartExercise(aMesure);
  TPoint p;
  ASSERT_TRUE(FindProtractorOnlyPixel(*canvas, p));
  EXPECT_NE(canvas->Buffer().PixelAt(p.X, p.Y), kWhite);

  canvas->HideProtractor();
  // Hiding notifies nobody; the canvas repainted by itself.
  EXPECT_TRUE(canvas->BufferValid());
  EXPECT_EQ(canvas->Buffer().PixelAt(p.X, p.Y), kWhite);
  const QImage window = canvas->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(window.pixel(p.X, p.Y), kWhite);

  canvas->Protractor().Orientation = 90;
  StartExercise(aMesure);
  EXPECT_TRUE(canvas->ProtractorLayer().Visible());
  EXPECT_EQ(ProtractorLocation(), (TRealRect{259, 109, 741, 591}));
  EXPECT_EQ(canvas->Protractor().Orientation, 0);
}

TEST_F(CanvasTest, ProtractorWhiteLetsTheAngleThroughAndNothingElseDoes) {
  StartExercise(aMesure);
  const TPoint v = RoundPoint(canvas->Angle()->Vertex);
  const TColor32 angle_pixel = canvas->AngleLayer().Bitmap().PixelAt(v.X, v.Y);
  ASSERT_NE(angle_pixel, kWhite);
  // Put the protractor's centre pixel (241, 241) over the vertex.
  canvas->ProtractorLayer().SetLocation(RealRectOf(v.X - 241.0f, v.Y - 241.0f, v.X + 241.0f, v.Y + 241.0f));
  TBitmap32& prot = canvas->ProtractorLayer().Bitmap();

  for (TColor32 over : {kWhite, 0xFEFFFFFFu, 0x00000000u}) {
    prot.SetPixelAt(241, 241, over);
    canvas->InvalidateImage();  // a direct pixel write notifies nobody
    const TColor32 seen = Picture().PixelAt(v.X, v.Y);
    EXPECT_EQ(seen, over == kWhite ? angle_pixel : over) << std::hex << over;
  }
}

TEST_F(CanvasTest, TinyAndEmptyCanvasesAreSafe) {
  for (QSize size : {QSize(0, 0), QSize(1, 1), QSize(40, 30), QSize(300, 200)}) {
    canvas->resize(size);
    StartExercise(aMesure);
    Hover(*canvas, {0, 0});
    PressLeft(*canvas, {0, 0});
    DragLeft(*canvas, {-5000, 7000});
    ReleaseLeft(*canvas, {-5000, 7000});
    StartExercise(aDraw);
    PressLeft(*canvas, {3, 3});
    DragLeft(*canvas, {-200, -200});
    ReleaseLeft(*canvas, {-200, -200});
    canvas->HideProtractor();
    const TBitmap32& picture = Picture();
    EXPECT_GE(picture.Width(), size.width());
    if (!size.isEmpty()) {
      EXPECT_EQ(picture.PixelAt(0, 0) >> 24, 0xFFu);
    }
  }
}

}  // namespace
}  // namespace gradoir::testing
