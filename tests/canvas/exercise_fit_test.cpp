// A canvas that changes size during an exercise: the vertex, the sides' ends
// and the protractor's centre stay inside it, the exercise stays the same
// (measure, directions of the sides, the protractor on the vertex), and a
// canvas that did not shrink past anything changes not a pixel.
#include <QApplication>
#include <cmath>
#include <cstdint>
#include <vector>

#include "canvas/exercise_fit.h"
#include "canvas_fixture.h"
#include "figures/exercise_angle.h"
#include "raster/geometry.h"

namespace gradoir::testing {
namespace {

bool roundsInside(PointF p, std::int32_t width, std::int32_t height) {
  const Point q = roundPoint(p);
  return q.x >= 0 && q.y >= 0 && q.x < width && q.y < height;
}

// Direction of p seen from v, in degrees.
double directionOf(PointF v, PointF p) { return std::atan2(double(p.y) - v.y, double(p.x) - v.x) * 180 / M_PI; }
double distanceOf(PointF v, PointF p) { return std::hypot(double(p.x) - v.x, double(p.y) - v.y); }

std::unique_ptr<AngleFigure> generated(std::uint32_t seed, std::int32_t width, std::int32_t height, bool drawing) {
  ScopedSeedProvider fixed([seed] { return seed; });
  return newExerciseAngle(width, height, 0, true, seed % 5 == 0, drawing);
}

// The same exercise: measure kept, every side leaving the vertex the same way.
void expectSameExercise(const AngleGeometry& before, const AngleGeometry& after, const char* where) {
  EXPECT_EQ(after.measure, before.measure) << where;
  EXPECT_NEAR(directionOf(after.vertex, after.firstEnd), directionOf(before.vertex, before.firstEnd), 1e-3) << where;
  EXPECT_NEAR(directionOf(after.vertex, after.generatedEnd), directionOf(before.vertex, before.generatedEnd), 1e-3)
      << where;
}

TEST(ExerciseFit, NothingMovesWhileEverythingIsInside) {
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    const auto angle = generated(seed, 1000, 700, seed % 2 == 0);
    const PointF centre{500, 350};
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1000, 700}, {1001, 700}, {3840, 2160}}) {
      const ExerciseFit fit = fitExercise(angle->geometry(), centre, w, h);
      EXPECT_FALSE(fit.angleChanged) << seed;
      EXPECT_EQ(fit.protractorShift.x, 0);
      EXPECT_EQ(fit.protractorShift.y, 0);
    }
  }
}

// Made on a large screen, shown on smaller ones: whole-pixel moves when the
// canvas is larger than the angle, shortened sides only when it is not.
TEST(ExerciseFit, ShrunkCanvasesKeepEveryEndInsideAndTheExerciseTheSame) {
  const std::vector<std::pair<int, int>> sizes = {{1920, 1080}, {1024, 520}, {800, 520}, {502, 502}, {520, 300},
                                                 {300, 300},   {120, 80},   {2, 2},     {1, 1}};
  int shortened = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    const auto angle = generated(seed, 1920, 1080, false);
    const AngleGeometry& before = angle->geometry();
    const PointF centre = before.vertex;  // the pupil laid the protractor on the vertex
    for (const auto& [w, h] : sizes) {
      const ExerciseFit fit = fitExercise(before, centre, w, h);
      const AngleGeometry& after = fit.angle;
      for (PointF p : {after.vertex, after.firstEnd, after.secondEnd, after.generatedEnd}) {
        ASSERT_TRUE(roundsInside(p, w, h)) << "seed " << seed << " at " << w << "x" << h;
      }
      // The protractor followed the vertex, so it still lies on it.
      EXPECT_FLOAT_EQ(centre.x + fit.protractorShift.x, after.vertex.x) << seed;
      EXPECT_FLOAT_EQ(centre.y + fit.protractorShift.y, after.vertex.y) << seed;
      if (w <= 2) continue;  // no room for a direction at all
      expectSameExercise(before, after, "shrunk");
      const double dx = double(after.vertex.x) - before.vertex.x;
      EXPECT_EQ(dx, std::round(dx)) << "whole pixels only";
      const bool sameLengths = std::abs(distanceOf(after.vertex, after.firstEnd) - before.firstLength) < 0.01 &&
                               std::abs(distanceOf(after.vertex, after.generatedEnd) - before.secondLength) < 0.01;
      if (!sameLengths) ++shortened;
      // Wider and taller than the longest span an angle of these sides can
      // have: moved, never shortened.
      if (w > 520 && h > 520) {
        EXPECT_TRUE(sameLengths) << seed << " at " << w << "x" << h;
      }
    }
  }
  EXPECT_GT(shortened, 0);  // the small canvases did need it
}

TEST(ExerciseFit, ADrawnSideMovesWithTheAngleAndStopsAtTheEdge) {
  auto angle = generated(7, 1000, 700, true);
  AngleGeometry g = angle->geometry();
  // The pupil's stroke ran far to the right, a whole-pixel end as the pencil leaves it.
  g.secondEnd = {990, std::round(g.vertex.y)};
  g.measure = 33;
  const double drawnDirection = directionOf(g.vertex, g.secondEnd);
  const ExerciseFit fit = fitExercise(g, {500, 350}, 600, 700);
  EXPECT_TRUE(fit.angleChanged);
  EXPECT_TRUE(roundsInside(fit.angle.secondEnd, 600, 700));
  EXPECT_NEAR(directionOf(fit.angle.vertex, fit.angle.secondEnd), drawnDirection, 1e-3);
  EXPECT_EQ(fit.angle.measure, 33);
}

TEST(ExerciseFit, AProtractorOutsideComesBackWhenTheAngleNeedsNoMove) {
  const auto angle = generated(3, 600, 500, false);
  const ExerciseFit fit = fitExercise(angle->geometry(), {900, -40}, 600, 500);
  EXPECT_FALSE(fit.angleChanged);
  const float x = 900.0f + fit.protractorShift.x;
  const float y = -40.0f + fit.protractorShift.y;
  EXPECT_TRUE(x >= 0 && x <= 599 && y >= 0 && y <= 499) << x << ", " << y;
}

TEST(ExerciseFit, AnEmptyCanvasChangesNothing) {
  const auto angle = generated(3, 600, 500, false);
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{0, 0}, {0, 500}, {600, 0}, {-5, 10}}) {
    const ExerciseFit fit = fitExercise(angle->geometry(), {-900, -900}, w, h);
    EXPECT_FALSE(fit.angleChanged);
    EXPECT_EQ(fit.protractorShift.x, 0);
  }
}

// The widget itself, resized as a window is.
using CanvasResizeTest = CanvasTest;

TEST_F(CanvasResizeTest, ShrinkingDuringAnExerciseKeepsItVisibleAndUnchanged) {
  startExercise(CanvasTool::Protractor, true);
  // Put the protractor's centre on the vertex, as the pupil does.
  const PointF v = canvas->angle()->vertex();
  canvas->protractorLayer().setLocation(realRectOf(v.x - 241, v.y - 241, v.x + 241, v.y + 241));
  const AngleGeometry before = canvas->angle()->geometry();
  for (QSize size : {QSize(700, 520), QSize(502, 502), QSize(520, 400), QSize(1000, 700)}) {
    canvas->resize(size);
    QApplication::processEvents();
    const AngleGeometry& now = canvas->angle()->geometry();
    for (PointF p : {now.vertex, now.firstEnd, now.generatedEnd}) {
      EXPECT_TRUE(roundsInside(p, size.width(), size.height())) << size.width() << "x" << size.height();
    }
    expectSameExercise(before, now, "widget");
    const RectF at = canvas->protractorLayer().location();
    EXPECT_FLOAT_EQ(at.left + 241, now.vertex.x);
    EXPECT_FLOAT_EQ(at.top + 241, now.vertex.y);
    // The picture follows the canvas, and shows the vertex where it now is.
    EXPECT_EQ(canvas->angleLayer().bitmap().width(), size.width());
    EXPECT_EQ(canvas->angleLayer().bitmap().height(), size.height());
    canvas->hideProtractor();
    const Point q = roundPoint(now.vertex);
    EXPECT_NE(composedPicture().pixelAt(q.x, q.y), 0xFFFFFFFFu) << "vertex not drawn";
    canvas->showProtractor();
  }
}

TEST_F(CanvasResizeTest, GrowingKeepsEveryPixelOfTheOldPicture) {
  startExercise(CanvasTool::Protractor);
  const Bitmap32& picture = composedPicture();
  std::vector<Color32> old;
  for (int y = 0; y < 700; ++y)
    for (int x = 0; x < 1000; ++x) old.push_back(picture.pixelAt(x, y));
  const AngleGeometry before = canvas->angle()->geometry();
  canvas->resize(1000, 700);  // the same size: nothing at all happens
  canvas->resize(1300, 900);
  QApplication::processEvents();
  const AngleGeometry& now = canvas->angle()->geometry();
  EXPECT_EQ(now.vertex.x, before.vertex.x);
  EXPECT_EQ(now.firstEnd.y, before.firstEnd.y);
  const Bitmap32& grown = composedPicture();
  int differing = 0;
  for (int y = 0; y < 700; ++y)
    for (int x = 0; x < 1000; ++x) differing += grown.pixelAt(x, y) != old[std::size_t(y) * 1000 + x];
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(grown.pixelAt(1299, 899), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace gradoir::testing
