// The exercise canvas as the main window drives it: construction, new
// exercises, centring, showing and hiding the protractor, and what the pupil
// sees through the protractor's white.
#include <QApplication>
#include <QImage>
#include <QPixmap>

#include "canvas_fixture.h"
#include "raster/geometry.h"
#include "raster/transfer.h"

namespace gradoir::testing {
namespace {

constexpr Color32 kWhite = 0xFFFFFFFFu;

TEST(TransparentWhiteCombine, OnlyExactOpaqueWhiteIsSeeThrough) {
  const Color32 under = 0xFF102030u;
  for (Color32 f : {0xFEFFFFFFu, 0x00000000u, 0xFFFFFFFEu, 0x7F00FF00u, 0xFF7F7F7Fu}) {
    Color32 b = under;
    transparentWhiteCombine(f, b, 255);
    EXPECT_EQ(b, f) << std::hex << f;
  }
  Color32 b = under;
  transparentWhiteCombine(kWhite, b, 0);
  EXPECT_EQ(b, under);
}

TEST_F(CanvasTest, NewCanvasShowsOnlyWhiteAndAnswersWithoutAnAngle) {
  EXPECT_EQ(canvas->layers().items(0), &canvas->angleLayer());  // painted first, under
  EXPECT_EQ(canvas->layers().items(1), &canvas->protractorLayer());
  EXPECT_EQ(protractorLocation(), (RectF{0, 0, 482, 482}));
  EXPECT_TRUE(canvas->hasMouseTracking());
  const Bitmap32& picture = composedPicture();
  for (Point p : {Point{0, 0}, Point{241, 241}, Point{999, 699}}) EXPECT_EQ(picture.pixelAt(p.x, p.y), kWhite);
  EXPECT_FALSE(canvas->angleMeasure().has_value());
  const SideBounds sides = canvas->sideBounds();
  EXPECT_EQ(sides.first, Rect{});
  EXPECT_EQ(sides.second, Rect{});
}

struct CentringCase {
  int width, height;
  RectF expected;
};

class Centring : public CanvasTest, public ::testing::WithParamInterface<CentringCase> {};

TEST_P(Centring, LeftAndTopTruncateTowardZero) {
  const CentringCase c = GetParam();
  canvas->resize(c.width, c.height);
  canvas->protractor().setOrientation(37);
  canvas->centerProtractor();
  EXPECT_EQ(protractorLocation(), c.expected);
  EXPECT_EQ(canvas->protractor().orientation(), 0);
}

INSTANTIATE_TEST_SUITE_P(Canvas, Centring,
                         ::testing::Values(CentringCase{1000, 700, {259, 109, 741, 591}},
                                           CentringCase{480, 700, {-1, 109, 481, 591}},
                                           CentringCase{481, 481, {0, 0, 482, 482}},
                                           CentringCase{0, 0, {-241, -241, 241, 241}}));

TEST_F(CanvasTest, NewExerciseFillsTheClientAreaAndShowsBothFiguresAtOnce) {
  canvas->setCursor(Qt::PointingHandCursor);
  startExercise(CanvasTool::Protractor);
  ASSERT_NE(canvas->angle(), nullptr);
  const AngleFigure& angle = *canvas->angle();
  EXPECT_EQ(canvas->angleLayer().bitmap().pixelBounds(), (Rect{0, 0, 1000, 700}));
  EXPECT_EQ(canvas->angleLayer().location(), (RectF{0, 0, 1000, 700}));
  EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
  const Rect placement{30, 30, 990, 690};
  EXPECT_TRUE(rectContains(placement, roundPoint(angle.vertex())));
  EXPECT_TRUE(rectContains(placement, roundPoint(angle.firstEnd())));
  EXPECT_TRUE(rectContains(placement, roundPoint(angle.secondEnd())));
  EXPECT_EQ(angle.secondLength(), 260);
  EXPECT_EQ(angle.measure(), canvas->angleMeasure());
  // showProtractor repainted before returning.
  EXPECT_TRUE(canvas->bufferValid());
  const Point v = roundPoint(angle.vertex());
  EXPECT_NE(canvas->buffer().pixelAt(v.x, v.y), kWhite);
}

TEST_F(CanvasTest, DrawModeLeavesOutTheSecondSideAndClearingTheMeasureDoesNotRedraw) {
  startExercise(CanvasTool::Pencil, true, true);
  const AngleFigure& angle = *canvas->angle();
  EXPECT_EQ(angle.secondEnd(), angle.vertex());
  EXPECT_NE(angle.generatedEnd(), angle.vertex());
  EXPECT_TRUE(angle.magnetic());
  EXPECT_EQ(angle.firstEnd().y, angle.vertex().y);  // horizontal side asked for
  EXPECT_GE(canvas->angleMeasure(), 5);
  EXPECT_LE(canvas->angleMeasure(), 175);
  ASSERT_TRUE(canvas->bufferValid());
  canvas->clearSecondSide();
  EXPECT_FALSE(canvas->angleMeasure().has_value());
  EXPECT_TRUE(canvas->bufferValid());
}

TEST_F(CanvasTest, SideBoundsSpanVertexAndEndsWithoutPlusOne) {
  startExercise(CanvasTool::Pencil);
  AngleGeometry g = canvas->angle()->geometry();
  g.vertex = {100, 200};
  g.firstEnd = {350, 200};
  g.generatedEnd = {40.5f, 301.5f};  // rounds to (40, 302)
  g.secondEnd = {900, 20};           // what the pupil drew does not count
  canvas->setAngle(g);
  const SideBounds sides = canvas->sideBounds();
  EXPECT_EQ(sides.first, (Rect{100, 200, 350, 200}));
  EXPECT_EQ(sides.second, (Rect{40, 200, 100, 302}));
}

// A canvas pixel where the protractor draws something and the angle does not.
bool findProtractorOnlyPixel(ExerciseCanvas& canvas, Point& found) {
  const Bitmap32& prot = canvas.protractorLayer().bitmap();
  const Bitmap32& angle = canvas.angleLayer().bitmap();
  const Rect at = roundRealRect(canvas.protractorLayer().location());
  for (int y = 0; y < prot.height(); ++y)
    for (int x = 0; x < prot.width(); ++x) {
      const Point c{at.left + x, at.top + y};
      if (!rectContains(angle.pixelBounds(), c)) continue;
      if (prot.pixelAt(x, y) != kWhite && angle.pixelAt(c.x, c.y) == kWhite) {
        found = c;
        return true;
      }
    }
  return false;
}

TEST_F(CanvasTest, HideRemovesTheProtractorFromTheNextPictureAndNewExerciseBringsItBack) {
  startExercise(CanvasTool::Protractor);
  Point p;
  ASSERT_TRUE(findProtractorOnlyPixel(*canvas, p));
  EXPECT_NE(canvas->buffer().pixelAt(p.x, p.y), kWhite);

  canvas->hideProtractor();
  // Hiding notifies nobody; the canvas repainted by itself.
  EXPECT_TRUE(canvas->bufferValid());
  EXPECT_EQ(canvas->buffer().pixelAt(p.x, p.y), kWhite);
  const QImage window = canvas->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(window.pixel(p.x, p.y), kWhite);

  canvas->protractor().setOrientation(90);
  startExercise(CanvasTool::Protractor);
  EXPECT_TRUE(canvas->protractorLayer().visible());
  EXPECT_EQ(protractorLocation(), (RectF{259, 109, 741, 591}));
  EXPECT_EQ(canvas->protractor().orientation(), 0);
}

TEST_F(CanvasTest, ProtractorWhiteLetsTheAngleThroughAndNothingElseDoes) {
  startExercise(CanvasTool::Protractor);
  const Point v = roundPoint(canvas->angle()->vertex());
  const Color32 anglePixel = canvas->angleLayer().bitmap().pixelAt(v.x, v.y);
  ASSERT_NE(anglePixel, kWhite);
  // Put the protractor's centre pixel (241, 241) over the vertex.
  canvas->protractorLayer().setLocation(realRectOf(v.x - 241.0f, v.y - 241.0f, v.x + 241.0f, v.y + 241.0f));
  Bitmap32& prot = canvas->protractorLayer().bitmap();

  for (Color32 over : {kWhite, 0xFEFFFFFFu, 0x00000000u}) {
    prot.setPixelAt(241, 241, over);
    canvas->invalidateImage();  // a direct pixel write notifies nobody
    const Color32 seen = composedPicture().pixelAt(v.x, v.y);
    EXPECT_EQ(seen, over == kWhite ? anglePixel : over) << std::hex << over;
  }
}

TEST_F(CanvasTest, TinyAndEmptyCanvasesAreSafe) {
  for (QSize size : {QSize(0, 0), QSize(1, 1), QSize(40, 30), QSize(300, 200)}) {
    canvas->resize(size);
    startExercise(CanvasTool::Protractor);
    hover(*canvas, {0, 0});
    pressLeft(*canvas, {0, 0});
    dragLeft(*canvas, {-5000, 7000});
    releaseLeft(*canvas, {-5000, 7000});
    startExercise(CanvasTool::Pencil);
    pressLeft(*canvas, {3, 3});
    dragLeft(*canvas, {-200, -200});
    releaseLeft(*canvas, {-200, -200});
    canvas->hideProtractor();
    const Bitmap32& picture = composedPicture();
    EXPECT_GE(picture.width(), size.width());
    if (!size.isEmpty()) {
      EXPECT_EQ(picture.pixelAt(0, 0) >> 24, 0xFFu);
    }
  }
}

// A new exercise that cannot have the memory for its picture leaves an empty
// canvas behind, without an exception escaping to the menu that asked.
TEST_F(CanvasTest, NewExerciseWithoutMemoryLeavesAnEmptyCanvas) {
  struct LiftLimit {
    ~LiftLimit() { Bitmap32::setAllocationLimit(0); }
  } lift;
  startExercise(CanvasTool::Protractor);
  ASSERT_NE(canvas->angle(), nullptr);
  Bitmap32::setAllocationLimit(1000);
  canvas->resize(1001, 700);  // the angle's picture must grow
  EXPECT_NO_THROW(startExercise(CanvasTool::Protractor));
  EXPECT_EQ(canvas->angle(), nullptr);
  EXPECT_FALSE(canvas->angleMeasure().has_value());
  Bitmap32::setAllocationLimit(0);
  const Bitmap32& picture = composedPicture();
  for (Point p : {Point{0, 0}, Point{500, 350}, Point{1000, 699}}) EXPECT_EQ(picture.pixelAt(p.x, p.y), kWhite);
  startExercise(CanvasTool::Protractor);
  EXPECT_NE(canvas->angle(), nullptr);
}

}  // namespace
}  // namespace gradoir::testing
