// Keys on the canvas: the protractor moved and turned step by step, the
// magnet after a key move, the pencil's cross-hair and Space, and the focus
// frame painted over the picture but never into the buffer.
#include <QApplication>
#include <QTest>
#include <vector>

#include "canvas_fixture.h"
#include "raster/geometry.h"

namespace gradoir::testing {
namespace {

std::vector<Color32> pixelsOf(const Bitmap32& b) {
  return {b.bits(), b.bits() + static_cast<std::size_t>(b.width()) * static_cast<std::size_t>(b.height())};
}

// Canvas centre (500, 350), location (259, 109, 741, 591).
class KeysTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    startExercise(CanvasTool::Protractor, /*magnetic=*/true);
    moveVertexTo({100, 100});
  }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(canvas, k, m); }
  PointF centre() {
    const RectF l = protractorLocation();
    return {l.left + 241, l.top + 241};
  }
};

TEST_F(KeysTest, ArrowsMoveByAPixelAndByTenWithShift) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    PointF centre;
  } steps[] = {{Qt::Key_Right, Qt::NoModifier, {501, 350}}, {Qt::Key_Down, Qt::NoModifier, {501, 351}},
               {Qt::Key_Left, Qt::ShiftModifier, {491, 351}}, {Qt::Key_Up, Qt::ShiftModifier, {491, 341}},
               {Qt::Key_Up, Qt::NoModifier, {491, 340}}};
  for (const auto& s : steps) {
    key(s.key, s.mods);
    EXPECT_EQ(centre(), s.centre) << s.key;
  }
  EXPECT_EQ(zone(GrabZone::Centre), (Rect{481, 330, 501, 350}));  // the zones follow
  EXPECT_EQ(canvas->protractor().orientation(), 0);
}

TEST_F(KeysTest, PageKeysTurnAboutTheCentre) {
  const RectF at = protractorLocation();
  key(Qt::Key_PageUp);  // counter-clockwise on screen
  EXPECT_EQ(canvas->protractor().orientation(), -1);
  key(Qt::Key_PageDown, Qt::ShiftModifier);
  EXPECT_EQ(canvas->protractor().orientation(), 9);
  key(Qt::Key_PageDown);
  EXPECT_EQ(canvas->protractor().orientation(), 10);
  EXPECT_EQ(protractorLocation(), at);
  // The picture turned with it: the 180 end's grab zone now points 10
  // degrees below the horizontal, to the right.
  EXPECT_GT(centreOf(zone(GrabZone::End180)).y, 350 + 30);
  EXPECT_GT(centreOf(zone(GrabZone::End180)).x, 700);
}

TEST_F(KeysTest, AKeyMoveSnapsOntoANearVertexAndLetsGoWhenMovingAway) {
  moveVertexTo({504.5f, 350});
  key(Qt::Key_Right);  // centre 501: the vertex is within reach
  EXPECT_EQ(centre(), (PointF{504.5f, 350}));
  for (int i = 0; i < 3; ++i) key(Qt::Key_Right);  // leaving the vertex is not undone
  EXPECT_EQ(centre(), (PointF{507.5f, 350}));
  key(Qt::Key_Left);  // coming back pulls it on again
  EXPECT_EQ(centre(), (PointF{504.5f, 350}));
  key(Qt::Key_Up, Qt::ShiftModifier);
  key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(centre(), (PointF{504.5f, 350}));
}

TEST_F(KeysTest, NoSnapWithoutTheMagnetOrFromAfar) {
  AngleGeometry g = canvas->angle()->geometry();
  g.vertex = {503, 350};
  g.magnetic = false;
  canvas->setAngle(g);
  key(Qt::Key_Right);
  EXPECT_EQ(centre(), (PointF{501, 350}));
  g.magnetic = true;
  g.vertex = {530, 350};
  canvas->setAngle(g);
  key(Qt::Key_Right, Qt::ShiftModifier);  // centre 511: 19 px short
  EXPECT_EQ(centre(), (PointF{511, 350}));
}

TEST_F(KeysTest, AHiddenProtractorIgnoresKeys) {
  canvas->hideProtractor();
  const RectF at = protractorLocation();
  key(Qt::Key_Right);
  key(Qt::Key_PageUp);
  EXPECT_EQ(protractorLocation(), at);
  EXPECT_EQ(canvas->protractor().orientation(), 0);
}

TEST_F(KeysTest, PencilCrossHairAndSpaceDrawLikeAClickThere) {
  AngleGeometry g = canvas->angle()->geometry();
  g.vertex = {300, 400};
  g.firstEnd = {500, 400};
  g.secondEnd = g.vertex;
  g.measure.reset();
  canvas->setAngle(g);
  canvas->setMode(CanvasTool::Pencil);
  const RectF protractorAt = protractorLocation();
  EXPECT_EQ(canvas->keyboardCrossHair(), (Point{500, 400}));  // the first side's end
  key(Qt::Key_Up, Qt::ShiftModifier);
  key(Qt::Key_Up, Qt::ShiftModifier);
  key(Qt::Key_Left);
  EXPECT_EQ(canvas->keyboardCrossHair(), (Point{499, 380}));
  EXPECT_FALSE(canvas->angle()->measure().has_value());  // nothing drawn before Space
  key(Qt::Key_PageDown);  // the protractor still turns for aiming
  EXPECT_EQ(canvas->protractor().orientation(), 1);
  key(Qt::Key_Space);
  EXPECT_EQ(protractorLocation(), protractorAt);  // arrows moved the cross-hair only
  const AngleGeometry byKeys = canvas->angle()->geometry();
  const std::vector<Color32> keysPicture = pixelsOf(composedPicture());
  ASSERT_TRUE(byKeys.measure.has_value());
  EXPECT_EQ(*byKeys.measure, -6);  // atan(20/199), counter-clockwise on screen

  canvas->clearSecondSide();
  pressLeft(*canvas, {499, 380});
  releaseLeft(*canvas, {499, 380});
  EXPECT_EQ(canvas->angle()->secondEnd(), byKeys.secondEnd);
  EXPECT_TRUE(pixelsOf(composedPicture()) == keysPicture);
}

TEST_F(KeysTest, CrossHairStaysOnTheCanvas) {
  canvas->setMode(CanvasTool::Pencil);
  for (int i = 0; i < 120; ++i) key(Qt::Key_Left, Qt::ShiftModifier);
  for (int i = 0; i < 80; ++i) key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(canvas->keyboardCrossHair(), (Point{0, 699}));
}

TEST_F(KeysTest, FocusFrameShowsOverThePictureOnly) {
  host->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
  canvas->clearFocus();  // activation gave it to the only widget Tab reaches
  const std::vector<Color32> before = pixelsOf(composedPicture());
  const QRgb highlight = canvas->palette().color(QPalette::Highlight).rgb();
  const auto shown = [&](int x, int y) { return canvas->grab().toImage().pixel(x, y); };
  EXPECT_NE(shown(1, 1), highlight);
  canvas->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(canvas->hasFocus());
  EXPECT_EQ(shown(1, 1), highlight);
  EXPECT_EQ(shown(998, 698), highlight);
  EXPECT_EQ(shown(500, 698), highlight);
  EXPECT_NE(shown(500, 3), highlight);  // a frame, not a fill
  EXPECT_TRUE(pixelsOf(composedPicture()) == before);
  canvas->clearFocus();
  EXPECT_NE(shown(1, 1), highlight);
}

}  // namespace
}  // namespace gradoir::testing
