// The correction's mark scales with the screen as the rest of the
// protractor does: at ratio 2 its band is twice as thick and its marker
// twice as long, in device pixels, as at ratio 1.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <utility>

#include "figure_test_support.h"
#include "figures/protractor.h"
#include "figures/reading_mark.h"

namespace gradoir {
namespace {

using test::blue;
using test::green;
using test::red;

bool amber(Color32 c) { return red(c) > 200 && green(c) > 110 && green(c) < 200 && blue(c) < 90; }
bool raspberry(Color32 c) { return red(c) > 150 && green(c) < 90 && blue(c) > 60 && blue(c) < 170; }

// Pixels of `colour` met along the ray from the centre toward graduation
// `i` (outer numbering, orientation 0: 180 - i degrees counterclockwise).
template <class Colour>
int alongRay(const Bitmap32& b, std::int32_t radius, int i, Colour colour) {
  const double a = (180 - i) * std::numbers::pi / 180;
  const double c = radius + 1;
  std::set<std::pair<int, int>> seen;
  for (double d = 0; d <= radius; d += 0.25) {
    const int x = static_cast<int>(std::lround(c + d * std::cos(a)));
    const int y = static_cast<int>(std::lround(c - d * std::sin(a)));
    if (colour(b.pixelAt(x, y))) seen.insert({x, y});
  }
  return static_cast<int>(seen.size());
}

TEST(ReadingMarkTest, BandAndMarkerScaleWithTheScreen) {
  struct Measured {
    int band, marker;
  };
  const auto measure = [](double scale) {
    Protractor protractor(240, true, scale);
    protractor.setOrientation(0);
    const auto side = static_cast<float>(2 * (protractor.radius() + 1));
    Bitmap32 bitmap;
    protractor.draw(bitmap, RectF{0, 0, side, side});
    drawReadingMark(bitmap, protractor, {ProtractorScale::Outer, 60});
    // The band along graduation 30, away from the marker; the marker on 60.
    return Measured{alongRay(bitmap, protractor.radius(), 30, amber),
                    alongRay(bitmap, protractor.radius(), 60, raspberry)};
  };
  const Measured one = measure(1.0), two = measure(2.0);
  ASSERT_GT(one.band, 2);
  ASSERT_GT(one.marker, 20);
  EXPECT_NEAR(two.band, 2 * one.band, 2);
  EXPECT_NEAR(two.marker, 2 * one.marker, 3);
}

}  // namespace
}  // namespace gradoir
