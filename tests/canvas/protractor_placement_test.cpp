// The protractor laid on the angle for the pupil: centre on the vertex, a
// red 0 graduation on one side, the arc over the other, every grab zone on
// the canvas. Judged from the protractor's own pixels.
#include <cmath>

#include "canvas_fixture.h"
#include "figures/protractor_placement.h"

namespace gradoir::testing {
namespace {

bool isReddish(Color32 c) {
  const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  return r == 255 && g == b && g < 200;
}
bool isGreyish(Color32 c) {
  const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  return r == g && g == b && g < 230;
}

// Any pixel of the protractor's bitmap near the point at `distance` from its
// centre in direction (ux, uy) that `test` accepts.
template <class Test>
bool anyNear(const Bitmap32& bitmap, int radius, long double ux, long double uy, long double distance, Test test) {
  const long double cx = radius + 1 + distance * ux, cy = radius + 1 + distance * uy;
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      const int x = static_cast<int>(std::lround(cx)) + dx, y = static_cast<int>(std::lround(cy)) + dy;
      if (x >= 0 && y >= 0 && x < bitmap.width() && y < bitmap.height() && test(bitmap.pixelAt(x, y))) return true;
    }
  }
  return false;
}

std::int64_t orientationOn(PointF vertex, PointF first, PointF second) {
  return protractorOnAngle(vertex, first, second).pose.orientation;
}

TEST(ProtractorOnAngle, HorizontalSidesByHand) {
  // First side to the right. Opening downward (clockwise on screen): the
  // outer 0 (graduation 0, the left end at rest) turns to the right.
  EXPECT_EQ(orientationOn({500, 400}, {750, 400}, {500, 650}), 180);
  // Opening upward: the protractor at rest already has its inner 0
  // (graduation 180) on the right and its arc above.
  EXPECT_EQ(orientationOn({500, 400}, {750, 400}, {500, 150}), 0);
  // First side to the left, opening upward: outer 0 on the left, at rest.
  EXPECT_EQ(orientationOn({500, 400}, {250, 400}, {500, 150}), 0);
  // First side straight up, opening to the right (clockwise): 90.
  EXPECT_EQ(orientationOn({500, 400}, {500, 150}, {750, 400}), 90);
}

bool zonesOnCanvas(const Protractor& protractor, int width, int height) {
  for (const GrabZone zone : kGrabZones) {
    const Rect z = protractor.grabZone(zone);
    if (z.left < 0 || z.top < 0 || z.right >= width || z.bottom >= height) return false;
  }
  return true;
}

TEST_F(CanvasTest, PlacedProtractorSitsOnTheAngleReadyToRead) {
  const int radius = canvas->protractor().radius();
  for (std::uint32_t seed = 1; seed <= 120; ++seed) {
    {
      ScopedSeedProvider provider([seed] { return seed * 7919u; });
      canvas->setMode(CanvasTool::Protractor);
      canvas->centerProtractor();
      canvas->newExercise(true, seed % 4 == 0);
    }
    canvas->placeProtractorOnAngle();
    const AngleFigure& angle = *canvas->angle();
    const RectF at = protractorLocation();
    EXPECT_EQ(at.left + radius + 1, angle.vertex().x) << seed;
    EXPECT_EQ(at.top + radius + 1, angle.vertex().y) << seed;

    const Bitmap32& picture = canvas->protractorLayer().bitmap();
    auto unit = [&](PointF end, long double& ux, long double& uy) {
      const long double dx = static_cast<long double>(end.x) - angle.vertex().x;
      const long double dy = static_cast<long double>(end.y) - angle.vertex().y;
      const long double length = std::hypot(dx, dy);
      ux = dx / length;
      uy = dy / length;
    };
    long double u1x, u1y, u2x, u2y;
    unit(angle.firstEnd(), u1x, u1y);
    unit(angle.secondEnd(), u2x, u2y);
    // A red end graduation (the 0 of one scale) lies along one side...
    const auto redAlong = [&](long double ux, long double uy) {
      for (int d = radius - 10; d <= radius - 3; ++d)
        if (anyNear(picture, radius, ux, uy, d, isReddish)) return true;
      return false;
    };
    const bool zeroOnFirst = redAlong(u1x, u1y);
    EXPECT_TRUE(zeroOnFirst || redAlong(u2x, u2y)) << seed;
    // ...and the outline runs across the other, not across its opposite.
    const long double ox = zeroOnFirst ? u2x : u1x, oy = zeroOnFirst ? u2y : u1y;
    EXPECT_TRUE(anyNear(picture, radius, ox, oy, radius, isGreyish)) << seed;
    EXPECT_FALSE(anyNear(picture, radius, -ox, -oy, radius, isGreyish)) << seed;
    // The pupil can take it by its centre and by both ends.
    EXPECT_TRUE(zonesOnCanvas(canvas->protractor(), 1000, 700)) << seed;

    // Still so on the smallest window's canvas, the angle coming along.
    canvas->resize(502, 502);
    EXPECT_TRUE(zonesOnCanvas(canvas->protractor(), 502, 502)) << seed;
    EXPECT_EQ(protractorLocation().left + radius + 1, canvas->angle()->vertex().x) << seed;
    canvas->resize(1000, 700);
  }
}

TEST_F(CanvasTest, PlacingBeforeAnyExerciseDoesNothing) {
  const RectF before = protractorLocation();
  canvas->placeProtractorOnAngle();
  EXPECT_EQ(protractorLocation(), before);
}

}  // namespace
}  // namespace gradoir::testing
