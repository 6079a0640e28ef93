// The protractor reads the angle. For hundreds of generated angles on canvases
// of several sizes, the pupil's pointer alone lays the protractor on the
// angle: its centre dragged onto the vertex (the release snaps it there), an
// end turned until a scale's 0 lies on the first side. The graduation under
// the second side, found from where the protractor lies and how it is turned,
// must then be the angle's measure as the drawn sides give it.
#include <QApplication>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>

#include "canvas_fixture.h"
#include "figures/graduation_reading.h"
#include "raster/geometry.h"

namespace gradoir::testing {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// --- the reading itself, on poses worked out by hand ------------------------------

ProtractorPose poseAt(long double x, long double y, std::int64_t orientation) { return {x, y, orientation}; }

TEST(GraduationReadingTest, OrientationZeroReadsFromTheLeftEnd) {
  const ProtractorPose p = poseAt(100, 100, 0);
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Outer, 0, 100), 0);      // left
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Outer, 100, 0), 90);     // straight up
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Outer, 200, 100), 180);  // right
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Outer, 0, 0), 45);       // up-left
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Outer, 200, 0), 135);    // up-right
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Inner, 0, 100), 180);
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Inner, 0, 0), 135);
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Inner, 200, 100), 0);
  // Below the straight edge there is no graduation.
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Outer, 100, 200), std::nullopt);
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Inner, 30, 110), std::nullopt);
  // The centre gives no direction.
  EXPECT_EQ(graduationUnder(p, ProtractorScale::Outer, 100, 100), std::nullopt);
}

TEST(GraduationReadingTest, TurnedProtractorsAndRounding) {
  // Turned a quarter clockwise: the 0 end points up, the arc to the right.
  const ProtractorPose quarter = poseAt(0, 0, 90);
  EXPECT_EQ(graduationUnder(quarter, ProtractorScale::Outer, 0, -50), 0);
  EXPECT_EQ(graduationUnder(quarter, ProtractorScale::Outer, 50, 0), 90);
  EXPECT_EQ(graduationUnder(quarter, ProtractorScale::Outer, 0, 50), 180);
  EXPECT_EQ(graduationUnder(quarter, ProtractorScale::Outer, -50, 0), std::nullopt);
  // Orientations count modulo whole turns, negative ones included.
  for (const std::int64_t o : {-270, 450, 810}) {
    EXPECT_EQ(graduationUnder(poseAt(0, 0, o), ProtractorScale::Outer, 50, 0), 90) << o;
  }
  // Upside down: the 0 end points right, the arc below.
  const ProtractorPose flipped = poseAt(0, 0, 180);
  EXPECT_EQ(graduationUnder(flipped, ProtractorScale::Outer, 10, 0), 0);
  EXPECT_EQ(graduationUnder(flipped, ProtractorScale::Outer, 0, 10), 90);
  EXPECT_EQ(graduationUnder(flipped, ProtractorScale::Inner, -10, 0), 0);
  EXPECT_EQ(graduationUnder(flipped, ProtractorScale::Outer, 0, -10), std::nullopt);
  // 30.4 and 29.6 degrees above the left end read 30; 0.4 below the edge
  // still reads 0, 0.6 below reads nothing.
  const ProtractorPose level = poseAt(0, 0, 0);
  auto at = [](long double degreesFromLeft) {
    const long double a = (180 + degreesFromLeft) * kPi / 180;
    return std::pair{1000 * std::cos(a), 1000 * std::sin(a)};
  };
  for (const auto& [d, expected] : {std::pair{30.4L, 30}, std::pair{29.6L, 30}, std::pair{-0.4L, 0},
                                    std::pair{180.4L, 180}}) {
    const auto [x, y] = at(d);
    EXPECT_EQ(graduationUnder(level, ProtractorScale::Outer, x, y), expected) << static_cast<double>(d);
  }
  for (const long double d : {-0.6L, 180.6L, 270.0L}) {
    const auto [x, y] = at(d);
    EXPECT_EQ(graduationUnder(level, ProtractorScale::Outer, x, y), std::nullopt) << static_cast<double>(d);
  }
}

TEST(GraduationReadingTest, ScaleWithItsZeroOnASide) {
  const ProtractorPose level = poseAt(0, 0, 0);
  EXPECT_EQ(scaleWithZeroToward(level, -10, 0, 0.5L), ProtractorScale::Outer);
  EXPECT_EQ(scaleWithZeroToward(level, 10, 0, 0.5L), ProtractorScale::Inner);
  EXPECT_EQ(scaleWithZeroToward(level, 0, -10, 0.5L), std::nullopt);
  // 1 pixel off at 100 pixels is about 0.57 degrees.
  EXPECT_EQ(scaleWithZeroToward(level, -100, 1, 0.5L), std::nullopt);
  EXPECT_EQ(scaleWithZeroToward(level, -100, 1, 1.0L), ProtractorScale::Outer);
  EXPECT_EQ(scaleWithZeroToward(level, 100, -1, 1.0L), ProtractorScale::Inner);
  const ProtractorPose quarter = poseAt(5, 5, 90);
  EXPECT_EQ(scaleWithZeroToward(quarter, 5, -100, 0.5L), ProtractorScale::Outer);
  EXPECT_EQ(scaleWithZeroToward(quarter, 5, 100, 0.5L), ProtractorScale::Inner);
  EXPECT_EQ(scaleWithZeroToward(quarter, 5, 5, 10.0L), std::nullopt);
}

// --- the canvas, driven by the pointer --------------------------------------------

constexpr int kCasesPerSize = 250;
constexpr int kRequiredReadings = 500;
// The dragged centre sits this far above the pointer.
constexpr std::int32_t kDragLift = 7;

long double directionDegrees(PointF from, PointF to) {
  return std::atan2(static_cast<long double>(to.y) - from.y, static_cast<long double>(to.x) - from.x) * 180 / kPi;
}

// a brought into (-180, 180].
long double signedDegrees(long double a) {
  while (a > 180) a -= 360;
  while (a <= -180) a += 360;
  return a;
}

// A pixel of the zone that also lies on the canvas (where the pupil can
// press), if there is one.
std::optional<Point> pressablePoint(const Rect& zone, std::int32_t width, std::int32_t height) {
  const std::int32_t left = std::max(zone.left, 0), right = std::min(zone.right, width);
  const std::int32_t top = std::max(zone.top, 0), bottom = std::min(zone.bottom, height);
  if (left >= right || top >= bottom) return std::nullopt;
  return Point{left + (right - left) / 2, top + (bottom - top) / 2};
}

class ProtractorReadingTest : public CanvasTest {
 protected:
  std::int32_t radius() { return canvas->protractor().radius(); }

  // The protractor's pose as its layer and orientation show it.
  ProtractorPose pose() {
    const RectF at = protractorLocation();
    return {static_cast<long double>(at.left) + radius() + 1, static_cast<long double>(at.top) + radius() + 1,
            canvas->protractor().orientation()};
  }

  // Press on the centre mark and drag it so that it ends on `centre`.
  void dragCentreTo(Point centre) {
    const Point grab = centreOf(zone(GrabZone::Centre));
    hover(*canvas, grab);
    pressLeft(*canvas, grab);
    ASSERT_EQ(canvas->activeZone(), GrabZone::Centre);
    const Point pointer{centre.x, centre.y + kDragLift};
    dragLeft(*canvas, pointer);
    releaseLeft(*canvas, pointer);
  }

  // Press on the end zone and drag that end far out along directionDeg.
  // False when no pixel of the zone lies on the canvas.
  bool turnEndToward(GrabZone end, long double directionDeg) {
    const std::optional<Point> grab = pressablePoint(zone(end), canvas->width(), canvas->height());
    if (!grab) return false;
    hover(*canvas, *grab);
    pressLeft(*canvas, *grab);
    EXPECT_EQ(canvas->activeZone(), end);
    // Far out the pointer's whole pixels cost well under a hundredth of a
    // degree of direction; Qt keeps delivering the grabbed pointer there.
    const ProtractorPose p = pose();
    const long double a = directionDeg * kPi / 180;
    const Point pointer{static_cast<std::int32_t>(std::lround(p.centreX + 3000 * std::cos(a))),
                        static_cast<std::int32_t>(std::lround(p.centreY + 3000 * std::sin(a)))};
    dragLeft(*canvas, pointer);
    releaseLeft(*canvas, pointer);
    return true;
  }
};

TEST_F(ProtractorReadingTest, TheProtractorLaidOnTheAngleReadsItsMeasure) {
  const auto started = std::chrono::steady_clock::now();
  int read = 0, turnedFirst = 0, skipped = 0, innerScale = 0;
  std::uint32_t caseSeed = 0x6a2d0000u;
  for (const auto& [w, h] : {std::pair{1000, 700}, std::pair{800, 600}, std::pair{1280, 800}, std::pair{640, 480}}) {
    host->resize(w, h);
    canvas->resize(w, h);
    QApplication::processEvents();
    for (int i = 0; i < kCasesPerSize; ++i, ++caseSeed) {
      {
        const std::uint32_t seed = caseSeed;
        ScopedSeedProvider fixed([seed] { return seed; });
        canvas->setMode(CanvasTool::Protractor);
        canvas->centerProtractor();
        canvas->newExercise(/*magneticVertex=*/true, /*horizontalSide=*/false);
      }
      std::ostringstream where;
      where << w << "x" << h << " seed " << caseSeed;
      SCOPED_TRACE(where.str());
      ASSERT_NE(canvas->angle(), nullptr);
      const PointF vertex = canvas->angle()->vertex();
      const PointF first = canvas->angle()->firstEnd();
      const PointF second = canvas->angle()->secondEnd();
      ASSERT_EQ(second, canvas->angle()->generatedEnd());
      ASSERT_GT(std::hypot(first.x - vertex.x, first.y - vertex.y), 20.0f);
      ASSERT_GT(std::hypot(second.x - vertex.x, second.y - vertex.y), 20.0f);

      // The angle as its drawn sides make it.
      const long double firstDirection = directionDegrees(vertex, first);
      const long double opening = signedDegrees(directionDegrees(vertex, second) - firstDirection);
      const auto measure = static_cast<std::int32_t>(std::lround(std::fabs(opening)));
      // The half disc must lie over the second side: when it opens clockwise
      // on screen the outer scale's 0 end goes on the first side, otherwise
      // the 180 end, where the inner scale has its 0.
      const GrabZone end = opening > 0 ? GrabZone::ZeroEnd : GrabZone::End180;
      const Point onVertex = roundPoint(vertex);

      ASSERT_NO_FATAL_FAILURE(dragCentreTo(onVertex));
      ASSERT_NEAR(pose().centreX, vertex.x, 1e-3) << "the release did not snap onto the vertex";
      ASSERT_NEAR(pose().centreY, vertex.y, 1e-3) << "the release did not snap onto the vertex";
      if (!turnEndToward(end, firstDirection)) {
        // The end hangs off the canvas: back to the middle, turn there, and
        // bring the turned protractor onto the vertex.
        ASSERT_NO_FATAL_FAILURE(dragCentreTo({w / 2, h / 2}));
        if (!turnEndToward(end, firstDirection)) {
          ++skipped;
          continue;
        }
        ASSERT_NO_FATAL_FAILURE(dragCentreTo(onVertex));
        ASSERT_NEAR(pose().centreX, vertex.x, 1e-3);
        ASSERT_NEAR(pose().centreY, vertex.y, 1e-3);
        ++turnedFirst;
      }

      const ProtractorPose laid = pose();
      const std::optional<ProtractorScale> scale = scaleWithZeroToward(laid, first.x, first.y, 0.5L);
      ASSERT_TRUE(scale.has_value()) << "no scale has its 0 on the first side; orientation " << laid.orientation
                                     << ", first side at " << static_cast<double>(firstDirection) << " degrees";
      ASSERT_EQ(graduationUnder(laid, *scale, first.x, first.y), 0);
      const std::optional<std::int32_t> reading = graduationUnder(laid, *scale, second.x, second.y);
      ASSERT_TRUE(reading.has_value()) << "the second side runs under the straight edge; orientation "
                                       << laid.orientation;
      EXPECT_EQ(*reading, measure) << (*scale == ProtractorScale::Inner ? "inner" : "outer") << " scale, orientation "
                                   << laid.orientation;
      // The measure the exercise asked for is the one drawn.
      EXPECT_EQ(canvas->angleMeasure(), measure);
      ++read;
      innerScale += *scale == ProtractorScale::Inner ? 1 : 0;
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("protractor reading: %d read (%d on the inner scale, %d turned before moving), %d skipped, %.1f s\n",
              read, innerScale, turnedFirst, skipped, seconds);
  EXPECT_GE(read, kRequiredReadings) << skipped << " cases could not be laid";
  // Both ends and both ways of laying the protractor occurred.
  EXPECT_GT(innerScale, 0);
  EXPECT_GT(read - innerScale, 0);
}

}  // namespace
}  // namespace gradoir::testing
