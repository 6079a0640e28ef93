// The exercise scene on its own, without any widget: the steps the canvas's
// interaction modes call, driven directly, and what each one asks of the
// window (an immediate repaint or none).
#include <gtest/gtest.h>

#include <cmath>

#include "canvas/exercise_scene.h"
#include "figures/random_source.h"
#include "raster/geometry.h"
#include "view/compositor.h"

namespace gradoir::testing {
namespace {

// A 1000 x 700 canvas (device pixels) with a measuring exercise whose
// magnetic vertex lies far from the protractor, centred at (500, 350).
struct Scene {
  Compositor picture;
  ExerciseScene scene;
  int repaints = 0;

  explicit Scene(double scale = 1.0) : scene(picture.layers(), scale) {
    QObject::connect(&scene, &ExerciseScene::repaintRequested, [this] { ++repaints; });
    const ScopedSeedProvider seed([] { return 12345u; });
    scene.centerProtractor(1000, 700);
    scene.newExercise(1000, 700, /*magneticVertex=*/true, false, false, {});
    putVertexAt({100, 100});
    repaints = 0;
  }
  void putVertexAt(PointF v) {
    AngleGeometry g = scene.angle()->geometry();
    g.vertex = v;
    scene.setAngle(g);
  }
};

struct Step {
  const char* name;
  PointF vertex;
  void (*act)(ExerciseScene&);
  PointF centre;
  std::int64_t orientation;
  bool repaintsAtOnce;  // a turn shows at once; a move waits for the window system
};

const Step kSteps[] = {
    {"drag by the centre, 7 px above the pointer", {100, 100},
     [](ExerciseScene& s) { s.grab(GrabZone::Centre), s.dragTo({600, 400}); }, {600, 393}, 0, false},
    {"drag the 180 end straight down", {100, 100},
     [](ExerciseScene& s) { s.grab(GrabZone::End180), s.dragTo({500, 600}); }, {500, 350}, 90, true},
    {"drag the zero end straight down", {100, 100},
     [](ExerciseScene& s) { s.grab(GrabZone::ZeroEnd), s.dragTo({500, 600}); }, {500, 350}, 270, true},
    {"drag holding nothing", {100, 100}, [](ExerciseScene& s) { s.grab(GrabZone::None), s.dragTo({600, 400}); },
     {500, 350}, 0, false},
    {"keys move", {100, 100}, [](ExerciseScene& s) { s.moveBy(3, -2); }, {503, 348}, 0, false},
    {"keys turn past a whole turn", {100, 100}, [](ExerciseScene& s) { s.turnBy(-370); }, {500, 350}, -10, true},
    {"drop the centre beside the vertex", {502.5f, 349.5f}, [](ExerciseScene& s) { s.grab(GrabZone::Centre), s.drop(); },
     {502.5f, 349.5f}, 0, false},
    {"drop the centre 4 px away", {504, 350}, [](ExerciseScene& s) { s.grab(GrabZone::Centre), s.drop(); },
     {500, 350}, 0, false},
    {"drop an end beside the vertex", {502, 349}, [](ExerciseScene& s) { s.grab(GrabZone::ZeroEnd), s.drop(); },
     {500, 350}, 0, false},
    {"a key step toward the vertex snaps", {504.5f, 350}, [](ExerciseScene& s) { s.moveBy(1, 0); }, {504.5f, 350}, 0,
     false},
    {"a key step away from it does not", {499, 350}, [](ExerciseScene& s) { s.moveBy(1, 0); }, {501, 350}, 0, false},
};

TEST(ExerciseScene, StepsMoveAndTurnTheProtractor) {
  for (const Step& step : kSteps) {
    Scene s;
    s.putVertexAt(step.vertex);
    step.act(s.scene);
    const ProtractorPose p = s.scene.pose();
    EXPECT_EQ(p.centreX, step.centre.x) << step.name;
    EXPECT_EQ(p.centreY, step.centre.y) << step.name;
    EXPECT_EQ(p.orientation, step.orientation) << step.name;
    EXPECT_EQ(s.repaints > 0, step.repaintsAtOnce) << step.name;
    // The zones follow the protractor wherever a step leaves it.
    const Rect c = s.scene.protractor().grabZone(GrabZone::Centre);
    EXPECT_LE(std::fabs((c.left + c.right) / 2.0L - p.centreX), 1) << step.name;
    EXPECT_LE(std::fabs((c.top + c.bottom) / 2.0L - p.centreY), 1) << step.name;
  }
}

// Offsets from the centre in logical pixels: the mouse's centre zone is 20
// logical pixels square, a fingertip's 40, at any ratio.
TEST(ExerciseScene, ZonesUnderAPointKeepTheirLogicalSize) {
  const struct {
    int dx, dy;
    GrabZone mouse, finger;
  } cases[] = {{0, 0, GrabZone::Centre, GrabZone::Centre},
               {-10, 9, GrabZone::Centre, GrabZone::Centre},
               {15, 0, GrabZone::None, GrabZone::Centre},
               {0, -19, GrabZone::None, GrabZone::Centre},
               {25, 0, GrabZone::None, GrabZone::None}};
  for (const double scale : {1.0, 2.0}) {
    Scene s(scale);
    for (const auto& c : cases) {
      const Point at = pointOf(500 + static_cast<int>(c.dx * scale), 350 + static_cast<int>(c.dy * scale));
      EXPECT_EQ(s.scene.zoneAt(at), c.mouse) << scale << ": " << c.dx << "," << c.dy;
      EXPECT_EQ(s.scene.touchZoneAt(at), c.finger) << scale << ": " << c.dx << "," << c.dy;
    }
    s.scene.hideProtractor();
    EXPECT_EQ(s.scene.zoneAt({500, 350}), GrabZone::None);
    EXPECT_EQ(s.scene.touchZoneAt({500, 350}), GrabZone::None);
  }
}

// A touch gesture acts from where it began, and a cancel puts back what the
// sequence changed: the layer to the float, even where its edges are not the
// ones a pose would give back (a centre with more bits than a float edge
// holds, as the glide leaves), and the pupil's drawing.
TEST(ExerciseScene, ATouchCancelPutsTheLayerAndTheDrawingBackExactly) {
  Scene s;
  s.scene.showCorrection({25.4257L, 300.5L, 33}, {ProtractorScale::Outer, 10}, std::nullopt);
  s.scene.finishCorrection();
  const RectF start = s.scene.protractorLayer().location();
  const ProtractorPose startPose = s.scene.pose();
  ASSERT_FALSE(protractorLayerAt(startPose.centreX, startPose.centreY, 240) == start);

  const AngleGeometry angle = s.scene.angle()->geometry();
  s.scene.beginTouchSequence();
  s.scene.pencilStep({700, 500});
  s.scene.beginGesture();
  s.scene.moveFromGestureStart(40, -12, 25);
  s.scene.moveFromGestureStart(37, -12, 25);  // from the start, not from the last move
  EXPECT_EQ(s.scene.pose().centreX, startPose.centreX + 37);
  EXPECT_EQ(s.scene.pose().orientation, 58);
  s.scene.cancelTouchSequence();
  EXPECT_EQ(s.scene.protractorLayer().location(), start);
  EXPECT_EQ(s.scene.pose().orientation, 33);
  EXPECT_TRUE(s.scene.angle()->geometry() == angle);
}

// The glide's states between the protractor's pose and the target: at the
// start, halfway along the straight line and the short turn, and on the
// target only when it arrives (once).
TEST(ExerciseScene, TheGlidePassesHalfwayAndArrivesOnce) {
  Scene s;
  int arrivals = 0;
  QObject::connect(&s.scene, &ExerciseScene::correctionArrived, [&] { ++arrivals; });
  const ProtractorPose target{300, 150, 300};  // 60 degrees back, the short way
  s.scene.showCorrection(target, {ProtractorScale::Inner, 40}, std::nullopt);
  s.scene.glideTo(0);
  EXPECT_EQ(s.scene.pose(), (ProtractorPose{500, 350, 0}));
  s.scene.glideTo(0.5);
  EXPECT_EQ(s.scene.pose(), (ProtractorPose{400, 250, 330}));
  EXPECT_FALSE(s.scene.markedReading());
  EXPECT_EQ(arrivals, 0);
  s.scene.finishCorrection();
  s.scene.finishCorrection();
  EXPECT_EQ(s.scene.pose(), target);
  EXPECT_EQ(s.scene.markedReading(), (ReadingMark{ProtractorScale::Inner, 40}));
  EXPECT_EQ(arrivals, 1);
  EXPECT_FALSE(s.scene.correctionRunning());
}

}  // namespace
}  // namespace gradoir::testing
