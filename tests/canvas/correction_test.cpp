// The correction's glide: it moves the protractor in many small steps,
// arrives exactly where it was sent, marks the reading there, and leaves
// nothing behind once the next exercise starts.
#include <QElapsedTimer>
#include <QThread>
#include <cmath>
#include <set>
#include <utility>

#include "canvas_fixture.h"
#include "figures/graduation_reading.h"
#include "figures/reading_mark.h"

namespace gradoir::testing {
namespace {

class CorrectionTest : public CanvasTest {
 protected:
  ProtractorPose onVertex(std::int64_t orientation) {
    const PointF v = canvas->angle()->vertex();
    return {v.x, v.y, orientation};
  }
  // Canvas pixel of the protractor bitmap at distance d from its centre
  // along graduation i of the outer numbering.
  Color32 protractorPixelAt(long double i, long double d) {
    const long double o = canvas->protractor().orientation();
    const long double a = (o + i) * 3.14159265358979323846L / 180.0L;
    const long double c = canvas->protractor().radius() + 1;
    const auto x = static_cast<std::int32_t>(std::lround(c - d * std::cos(a)));
    const auto y = static_cast<std::int32_t>(std::lround(c - d * std::sin(a)));
    return canvas->protractorLayer().bitmap().pixelAt(x, y);
  }
};

TEST_F(CorrectionTest, GlidesInManyStepsAndArrivesExactlyOnTheTarget) {
  startExercise(CanvasTool::Protractor);
  const ProtractorPose target = onVertex(217);
  bool arrived = false;
  QObject::connect(canvas, &ExerciseCanvas::correctionArrived, [&arrived] { arrived = true; });
  canvas->showCorrection(target, {ProtractorScale::Inner, 33}, std::nullopt);
  ASSERT_TRUE(canvas->correctionRunning());
  std::set<std::pair<long double, long double>> centres;
  std::set<std::int32_t> orientations;
  QElapsedTimer clock;
  clock.start();
  while (canvas->correctionRunning() && clock.elapsed() < 5000) {
    QApplication::processEvents();
    const ProtractorPose p = *canvas->protractorPose();
    centres.insert({p.centreX, p.centreY});
    orientations.insert(canvas->protractor().orientation());
    QThread::msleep(2);
  }
  const qint64 took = clock.elapsed();
  RecordProperty("glide_ms", static_cast<int>(took));
  RecordProperty("distinct_centres", static_cast<int>(centres.size()));
  RecordProperty("distinct_orientations", static_cast<int>(orientations.size()));
  ASSERT_TRUE(arrived);
  EXPECT_GE(took, 800);
  // Smooth: many intermediate places and turns, not a jump. (Qt's animation
  // timer ticks every 16 ms; a loaded machine may drop some frames.)
  EXPECT_GE(centres.size(), 15u) << "in " << took << " ms";
  EXPECT_GE(orientations.size(), 15u);
  const ProtractorPose p = *canvas->protractorPose();
  EXPECT_EQ(p.centreX, target.centreX);
  EXPECT_EQ(p.centreY, target.centreY);
  EXPECT_EQ(canvas->protractor().orientation(), 217);
  EXPECT_EQ(canvas->markedReading(), (ReadingMark{ProtractorScale::Inner, 33}));
}

TEST_F(CorrectionTest, TurnsTheShortWayRound) {
  startExercise(CanvasTool::Protractor);
  // From 0 to 350 is ten degrees back, never through 180.
  canvas->showCorrection(onVertex(350), {ProtractorScale::Outer, 10}, std::nullopt);
  while (canvas->correctionRunning()) {
    QApplication::processEvents();
    const std::int32_t o = canvas->protractor().orientation();
    EXPECT_TRUE(o == 0 || o >= 350) << o;
  }
  EXPECT_EQ(canvas->protractor().orientation(), 350);
}

TEST_F(CorrectionTest, FinishingJumpsToTheEndAndMarksTheReading) {
  startExercise(CanvasTool::Protractor);
  int arrivals = 0;
  QObject::connect(canvas, &ExerciseCanvas::correctionArrived, [&arrivals] { ++arrivals; });
  canvas->showCorrection(onVertex(90), {ProtractorScale::Outer, 40}, std::nullopt);
  canvas->finishCorrection();
  EXPECT_FALSE(canvas->correctionRunning());
  EXPECT_EQ(arrivals, 1);
  canvas->finishCorrection();
  EXPECT_EQ(arrivals, 1);
  EXPECT_EQ(canvas->protractor().orientation(), 90);
  // The marker on graduation 40 is neither white nor a protractor grey; the
  // band runs from the scale's 0 (graduation 0) past it, not beyond.
  const Color32 marker = protractorPixelAt(40, 225);
  EXPECT_NE(marker, 0xFFFFFFFFu);
  EXPECT_NE(marker, 0xFF7F7F7Fu);
  EXPECT_NE(protractorPixelAt(20, 235), 0xFFFFFFFFu);
  EXPECT_EQ(protractorPixelAt(62.5, 235), 0xFFFFFFFFu);
  QApplication::processEvents();
  EXPECT_EQ(arrivals, 1);
}

TEST_F(CorrectionTest, RightSecondSideDrawnInGreenOnArrival) {
  startExercise(CanvasTool::Pencil);
  const PointF right = canvas->angle()->generatedEnd();
  canvas->showCorrection(onVertex(0), {ProtractorScale::Outer, 40}, right);
  canvas->finishCorrection();
  const PointF v = canvas->angle()->vertex();
  const Color32 middle =
      canvas->angleLayer().bitmap().pixelAt(static_cast<std::int32_t>(std::lround((v.x + right.x) / 2)),
                                            static_cast<std::int32_t>(std::lround((v.y + right.y) / 2)));
  // Green dominates: more green than red or blue.
  EXPECT_GT((middle >> 8) & 0xFF, (middle >> 16) & 0xFF);
  EXPECT_GT((middle >> 8) & 0xFF, middle & 0xFF);
}

TEST_F(CorrectionTest, NewExerciseDropsARunningCorrectionAndItsMark) {
  startExercise(CanvasTool::Protractor);
  bool arrived = false;
  QObject::connect(canvas, &ExerciseCanvas::correctionArrived, [&arrived] { arrived = true; });
  canvas->showCorrection(onVertex(45), {ProtractorScale::Outer, 40}, std::nullopt);
  QApplication::processEvents();
  startExercise(CanvasTool::Protractor);
  EXPECT_FALSE(canvas->correctionRunning());
  EXPECT_FALSE(canvas->markedReading());
  QThread::msleep(50);
  QApplication::processEvents();
  EXPECT_FALSE(arrived);
  EXPECT_EQ(canvas->protractor().orientation(), 0);
  EXPECT_EQ(canvas->protractorPose()->centreX, 500);
}

TEST_F(CorrectionTest, HiddenProtractorIsShownForTheCorrection) {
  startExercise(CanvasTool::Protractor);
  canvas->hideProtractor();
  EXPECT_FALSE(canvas->protractorPose());
  canvas->showCorrection(onVertex(10), {ProtractorScale::Outer, 40}, std::nullopt);
  canvas->finishCorrection();
  ASSERT_TRUE(canvas->protractorPose());
}

TEST_F(CorrectionTest, PoseAtStrokeEndIsThePoseWhenThePencilWasLifted) {
  startExercise(CanvasTool::Pencil);
  const PointF v = canvas->angle()->vertex();
  EXPECT_EQ(canvas->protractorPoseAtStrokeEnd()->centreX, 500);  // no stroke yet: as it is
  int strokes = 0;
  QObject::connect(canvas, &ExerciseCanvas::pencilStroked, [&strokes] { ++strokes; });
  const Point far{static_cast<std::int32_t>(v.x) + 100, static_cast<std::int32_t>(v.y) - 100};
  pressLeft(*canvas, far);
  dragLeft(*canvas, far);
  releaseLeft(*canvas, far);
  EXPECT_EQ(strokes, 2);
  canvas->hideProtractor();
  EXPECT_EQ(canvas->protractorPoseAtStrokeEnd()->centreX, 500);
  canvas->showProtractor();
  pressLeft(*canvas, far);
  canvas->hideProtractor();
  releaseLeft(*canvas, far);
  EXPECT_FALSE(canvas->protractorPoseAtStrokeEnd());
}

}  // namespace
}  // namespace gradoir::testing
