// Pixel identity of what the pupil sees: the protractor at a set of
// orientations and the composed canvas (the back buffer the window copy
// shows) for several sizes, seeds, both exercises and the pointer's
// interactions, each reduced to a 64-bit FNV-1a hash of its pixels and
// compared with the hash recorded in pixel_identity_references.h.
//
// The references were produced by the drawing code before any of its speed
// work, so a faster path that changes a single pixel fails here. The labels
// are glyphs of the system fonts: the references were recorded with DejaVu
// Sans from Debian's fonts-dejavu-core package, which fontconfig gives for
// the labels' "Verdana" (and for "Tahoma", the bitmaps' default font). The
// suite first checks that those names still resolve to DejaVu Sans and
// otherwise fails once, naming the package, instead of with every hash.
//
// To record new references (only after a deliberate change of the picture):
//   GRADOIR_PRINT_PIXEL_HASHES=1 ./canvas_tests --gtest_filter='PixelIdentity*'
// prints the table to paste into pixel_identity_references.h.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/degrees.h"
#include "figures/pencil.h"
#include "figures/protractor.h"
#include "figures/random_source.h"
#include "pixel_identity_references.h"
#include "view/layers.h"

namespace gradoir::testing {
namespace {

// FNV-1a over the size and the pixel words, byte by byte.
std::uint64_t pixelHash(const Bitmap32& bitmap, std::int32_t width, std::int32_t height) {
  std::uint64_t h = 0xcbf29ce484222325ull;
  auto add = [&h](std::uint32_t word) {
    for (int i = 0; i < 4; ++i) {
      h ^= (word >> (8 * i)) & 0xFFu;
      h *= 0x100000001b3ull;
    }
  };
  add(static_cast<std::uint32_t>(width));
  add(static_cast<std::uint32_t>(height));
  for (std::int32_t y = 0; y < height; ++y)
    for (std::int32_t x = 0; x < width; ++x) add(bitmap.pixelAt(x, y));
  return h;
}

bool printing() { return std::getenv("GRADOIR_PRINT_PIXEL_HASHES") != nullptr; }

constexpr const char* kFontNote =
    "The hashes were recorded with the DejaVu Sans fonts of Debian's fonts-dejavu-core package; a different "
    "font gives other label pixels.";

// The family the recorded label glyphs come from, and the font names the
// drawing asks for: "Verdana" for the protractor's labels, "Tahoma" as the
// bitmaps' default.
constexpr const char* kRecordedFamily = "DejaVu Sans";
constexpr const char* kLabelFontNames[] = {"Verdana", "Tahoma"};

// "" when every label font resolves to the recorded family, otherwise what
// each one resolves to.
std::string labelFontMismatch() {
  std::string mismatch;
  for (const char* name : kLabelFontNames) {
    const QString family = QFontInfo(QFont(QString::fromLatin1(name))).family();
    if (family != QLatin1String(kRecordedFamily))
      mismatch += std::string(mismatch.empty() ? "" : ", ") + "\"" + name + "\" resolves to \"" +
                  family.toStdString() + "\"";
  }
  return mismatch;
}

// Every test of the suite compares label pixels or runs beside those that
// do; with the wrong fonts the suite stops at one clear failure.
class PixelIdentityTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string mismatch = labelFontMismatch();
    ASSERT_TRUE(mismatch.empty()) << "The label fonts are not the recorded ones: " << mismatch << ", not \""
                                  << kRecordedFamily << "\". Install Debian's fonts-dejavu-core package (apt-get "
                                  << "install fonts-dejavu-core) so that fontconfig gives DejaVu Sans. " << kFontNote;
  }
};

void expectReference(const std::string& name, std::uint64_t actual) {
  if (printing()) std::printf("    {\"%s\", 0x%016llxull},\n", name.c_str(), static_cast<unsigned long long>(actual));
  const auto& refs = pixelIdentityReferences();
  const auto it = refs.find(name);
  ASSERT_NE(it, refs.end()) << "no reference recorded for scene " << name;
  EXPECT_EQ(it->second, actual) << "scene " << name << " no longer draws the recorded picture. " << kFontNote;
}

// The composed picture of the client area, as the next window copy shows it.
std::uint64_t canvasHash(ExerciseCanvas& canvas) {
  canvas.validateBuffer();
  return pixelHash(canvas.buffer(), canvas.width(), canvas.height());
}

// A canvas started as the main window starts an exercise.
struct Scene {
  ExerciseCanvas canvas;

  Scene(std::int32_t w, std::int32_t h, std::uint32_t seed, bool drawing) {
    canvas.resize(w, h);
    const ScopedSeedProvider fixed([seed] { return seed; });
    canvas.setMode(drawing ? CanvasTool::Pencil : CanvasTool::Protractor);
    canvas.centerProtractor();
    canvas.newExercise(true, false);
    canvas.setMode(CanvasTool::Protractor);
  }

  void turn(std::int32_t orientation) {
    canvas.protractor().setOrientation(orientation);
    canvas.protractor().draw(canvas.protractorLayer().bitmap(), canvas.protractorLayer().location());
  }

  void moveTo(float left, float top) {
    const float side = static_cast<float>(canvas.protractorLayer().bitmap().width());
    canvas.protractorLayer().setLocation({left, top, left + side, top + side});
  }
};

std::string sceneName(const char* what, std::int32_t w, std::int32_t h, std::uint32_t seed) {
  return std::string(what) + "/" + std::to_string(w) + "x" + std::to_string(h) + "/" + std::to_string(seed);
}

TEST_F(PixelIdentityTest, ProtractorAtEveryTestedOrientation) {
  fillDegreeTables();
  LayerStack layers(nullptr);
  BitmapLayer layer(&layers);
  for (const bool inner : {true, false}) {
    Protractor protractor(240, inner);
    for (const std::int32_t o : {0, 1, 37, 90, 135, 180, 270, -45, 359, -180, 360, -1, 213, -400}) {
      protractor.setOrientation(o);
      protractor.draw(layer.bitmap(), layer.location());
      const Bitmap32& b = layer.bitmap();
      expectReference(std::string(inner ? "protractor/" : "protractor-no-inner/") + std::to_string(o),
                      pixelHash(b, b.width(), b.height()));
    }
  }
}

// Redrawing over a previous orientation must leave nothing of it behind.
TEST_F(PixelIdentityTest, ProtractorRedrawnOverAnotherOrientation) {
  fillDegreeTables();
  const RectF location{0, 0, 482, 482};
  Bitmap32 freshBitmap, reusedBitmap;
  Protractor fresh(240, true), reused(240, true);
  for (const std::int32_t o : {12, 300, -90}) {
    reused.setOrientation(o + 45);
    reused.draw(reusedBitmap, location);
    reused.setOrientation(o);
    reused.draw(reusedBitmap, location);
    fresh.setOrientation(o);
    fresh.draw(freshBitmap, location);
    const Bitmap32& a = freshBitmap;
    EXPECT_EQ(pixelHash(a, a.width(), a.height()),
              pixelHash(reusedBitmap, a.width(), a.height())) << "orientation " << o;
  }
}

TEST_F(PixelIdentityTest, NewExerciseOfBothKindsAtSeveralSizesAndSeeds) {
  for (const auto& [w, h] : {std::pair{1920, 1080}, std::pair{1000, 700}, std::pair{400, 300}}) {
    for (const std::uint32_t seed : {7u, 12345u}) {
      for (const bool drawing : {false, true}) {
        Scene scene(w, h, seed, drawing);
        expectReference(sceneName(drawing ? "draw" : "measure", w, h, seed), canvasHash(scene.canvas));
      }
    }
  }
}

// Turning and moving the protractor, also partly off the canvas and at
// half-pixel locations (rounded ties to even), and hiding it.
TEST_F(PixelIdentityTest, ProtractorTurnedMovedAndHiddenOnTheCanvas) {
  Scene scene(1000, 700, 12345, false);
  for (const std::int32_t o : {37, -45, 180}) {
    scene.turn(o);
    expectReference(sceneName(("turned" + std::to_string(o)).c_str(), 1000, 700, 12345), canvasHash(scene.canvas));
  }
  const std::pair<float, float> places[] = {{10.5f, 20.5f}, {-120.5f, 400.5f}, {700.25f, -90.75f}, {998.0f, 698.0f}};
  int index = 0;
  for (const auto& [left, top] : places) {
    scene.moveTo(left, top);
    expectReference(sceneName(("moved" + std::to_string(index++)).c_str(), 1000, 700, 12345),
                    canvasHash(scene.canvas));
  }
  scene.canvas.hideProtractor();
  expectReference(sceneName("hidden", 1000, 700, 12345), canvasHash(scene.canvas));
}

// The pencil's stroke redraws the angle with its tracing colour under the
// protractor, as each pointer move of a drawing exercise does.
TEST_F(PixelIdentityTest, PencilStrokeWithTracing) {
  for (const auto& [w, h] : {std::pair{1920, 1080}, std::pair{1000, 700}}) {
    Scene scene(w, h, 7, true);
    AngleFigure& angle = *scene.canvas.angle();
    const Point vertex{static_cast<std::int32_t>(angle.vertex().x), static_cast<std::int32_t>(angle.vertex().y)};
    const Point stroke[] = {{vertex.x + 200, vertex.y - 150}, {vertex.x - 90, vertex.y - 240}, {vertex.x + 5, vertex.y + 3}};
    int index = 0;
    for (const Point p : stroke) {
      applyPencilStep(angle, p);
      angle.draw(scene.canvas.angleLayer().bitmap(), true);
      scene.canvas.angleLayer().setVisible(true);
      expectReference(sceneName(("pencil" + std::to_string(index++)).c_str(), w, h, 7), canvasHash(scene.canvas));
    }
  }
}

// What the window shows: the client area of the buffer drawn whole as the
// non-premultiplied image it is.
QImage wholeWindowReference(ExerciseCanvas& canvas) {
  canvas.invalidateImage();
  canvas.validateBuffer();
  const Bitmap32& b = canvas.buffer();
  const QImage wrap(reinterpret_cast<const uchar*>(b.bits()), b.width(), b.height(), b.width() * 4,
                    QImage::Format_ARGB32);
  QImage window(canvas.width(), canvas.height(), QImage::Format_ARGB32_Premultiplied);
  QPainter p(&window);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPoint(0, 0), wrap, QRect(0, 0, canvas.width(), canvas.height()));
  return window;
}

// The window repainted only where each step asked keeps showing the whole
// picture: turning, moving (also off the canvas) and the pencil's stroke.
TEST_F(PixelIdentityTest, WindowRepaintedWhereAskedShowsTheWholePicture) {
  Scene scene(900, 640, 12345, true);
  ExerciseCanvas& canvas = scene.canvas;
  QImage window(canvas.width(), canvas.height(), QImage::Format_ARGB32_Premultiplied);
  window.fill(0);
  canvas.render(&window);
  AngleFigure& angle = *canvas.angle();
  const Point v{static_cast<std::int32_t>(angle.vertex().x), static_cast<std::int32_t>(angle.vertex().y)};
  for (int step = 0; step < 12; ++step) {
    switch (step % 4) {
      case 0: scene.turn(step * 29 - 140); break;
      case 1: scene.moveTo(static_cast<float>(step * 61 - 300) + 0.5f, static_cast<float>(step * 23 - 100)); break;
      case 2:
        applyPencilStep(angle, {v.x + 40 * step - 200, v.y - 150});
        angle.draw(canvas.angleLayer().bitmap(), true);
        canvas.angleLayer().setVisible(true);
        break;
      case 3: scene.moveTo(static_cast<float>(v.x - 241), static_cast<float>(v.y - 241)); break;
    }
    Rect a;
    ASSERT_TRUE(canvas.pendingWindowArea(a)) << "step " << step;
    const QRect part(a.left, a.top, a.right - a.left, a.bottom - a.top);
    canvas.render(&window, part.topLeft(), QRegion(part));
    ASSERT_TRUE(window == wholeWindowReference(canvas)) << "step " << step;
  }
}

}  // namespace
}  // namespace gradoir::testing
