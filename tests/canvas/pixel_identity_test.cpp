// Pixel identity of what the pupil sees: the protractor at a set of
// orientations and the composed canvas (the back buffer the window copy
// shows) for several sizes, seeds, both exercises and the pointer's
// interactions, each reduced to a 64-bit FNV-1a hash of its pixels and
// compared with the hash recorded in pixel_identity_references.h.
//
// The references were produced by the drawing code before any of its speed
// work, so a faster path that changes a single pixel fails here. The labels
// are glyphs of the system fonts: the references hold for this machine's
// fonts ("Verdana" resolved by fontconfig to DejaVu Sans from
// fonts-dejavu-core). With other fonts installed the label hashes differ.
//
// To record new references (only after a deliberate change of the picture):
//   GRADOIR_PRINT_PIXEL_HASHES=1 ./canvas_tests --gtest_filter='PixelIdentity*'
// prints the table to paste into pixel_identity_references.h.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "canvas/grado_img32.h"
#include "figures/angle.h"
#include "figures/degrees.h"
#include "figures/pencil.h"
#include "figures/protractor.h"
#include "figures/random_source.h"
#include "pixel_identity_references.h"
#include "raster/layers.h"

namespace gradoir::testing {
namespace {

// FNV-1a over the size and the pixel words, byte by byte.
std::uint64_t PixelHash(const TBitmap32& bitmap, std::int32_t width, std::int32_t height) {
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
    for (std::int32_t x = 0; x < width; ++x) add(bitmap.PixelAt(x, y));
  return h;
}

bool Printing() { return std::getenv("GRADOIR_PRINT_PIXEL_HASHES") != nullptr; }

void ExpectReference(const std::string& name, std::uint64_t actual) {
  if (Printing()) std::printf("    {\"%s\", 0x%016llxull},\n", name.c_str(), static_cast<unsigned long long>(actual));
  const auto& refs = PixelIdentityReferences();
  const auto it = refs.find(name);
  ASSERT_NE(it, refs.end()) << "no reference recorded for " << name;
  EXPECT_EQ(it->second, actual) << name << " no longer draws the recorded picture";
}

// The composed picture of the client area, as the next window copy shows it.
std::uint64_t CanvasHash(TGradoImg32& canvas) {
  canvas.ValidateBuffer();
  return PixelHash(canvas.Buffer(), canvas.width(), canvas.height());
}

// A canvas started as the main window starts an exercise.
struct Scene {
  TGradoImg32 canvas;

  Scene(std::int32_t w, std::int32_t h, std::uint32_t seed, bool drawing) {
    canvas.resize(w, h);
    const TScopedSeedProvider fixed([seed] { return seed; });
    canvas.SetMode(drawing ? aDraw : aMesure);
    canvas.CenterProtractor();
    canvas.NewExercise(true, false);
    canvas.SetMode(aMesure);
  }

  void Turn(std::int32_t orientation) {
    canvas.Protractor().Orientation = orientation;
    canvas.Protractor().Draw(canvas.ProtractorLayer());
  }

  void MoveTo(float left, float top) {
    const float side = static_cast<float>(canvas.ProtractorLayer().Bitmap().Width());
    canvas.ProtractorLayer().SetLocation({left, top, left + side, top + side});
  }
};

std::string SceneName(const char* what, std::int32_t w, std::int32_t h, std::uint32_t seed) {
  return std::string(what) + "/" + std::to_string(w) + "x" + std::to_string(h) + "/" + std::to_string(seed);
}

TEST(PixelIdentityTest, ProtractorAtEveryTestedOrientation) {
  FillDegreeTables();
  TLayerCollection layers(nullptr);
  TBitmapLayer layer(&layers);
  for (const bool inner : {true, false}) {
    TGradoir protractor(240, inner);
    for (const std::int32_t o : {0, 1, 37, 90, 135, 180, 270, -45, 359, -180, 360, -1, 213, -400}) {
      protractor.Orientation = o;
      protractor.Draw(layer);
      const TBitmap32& b = layer.Bitmap();
      ExpectReference(std::string(inner ? "protractor/" : "protractor-no-inner/") + std::to_string(o),
                      PixelHash(b, b.Width(), b.Height()));
    }
  }
}

// Redrawing over a previous orientation must leave nothing of it behind.
TEST(PixelIdentityTest, ProtractorRedrawnOverAnotherOrientation) {
  FillDegreeTables();
  TLayerCollection layers(nullptr);
  TBitmapLayer fresh_layer(&layers), reused_layer(&layers);
  TGradoir fresh(240, true), reused(240, true);
  for (const std::int32_t o : {12, 300, -90}) {
    reused.Orientation = o + 45;
    reused.Draw(reused_layer);
    reused.Orientation = o;
    reused.Draw(reused_layer);
    fresh.Orientation = o;
    fresh.Draw(fresh_layer);
    const TBitmap32& a = fresh_layer.Bitmap();
    EXPECT_EQ(PixelHash(a, a.Width(), a.Height()),
              PixelHash(reused_layer.Bitmap(), a.Width(), a.Height())) << "orientation " << o;
  }
}

TEST(PixelIdentityTest, NewExerciseOfBothKindsAtSeveralSizesAndSeeds) {
  for (const auto& [w, h] : {std::pair{1920, 1080}, std::pair{1000, 700}, std::pair{400, 300}}) {
    for (const std::uint32_t seed : {7u, 12345u}) {
      for (const bool drawing : {false, true}) {
        Scene scene(w, h, seed, drawing);
        ExpectReference(SceneName(drawing ? "draw" : "measure", w, h, seed), CanvasHash(scene.canvas));
      }
    }
  }
}

// Turning and moving the protractor, also partly off the canvas and at
// half-pixel locations (rounded ties to even), and hiding it.
TEST(PixelIdentityTest, ProtractorTurnedMovedAndHiddenOnTheCanvas) {
  Scene scene(1000, 700, 12345, false);
  for (const std::int32_t o : {37, -45, 180}) {
    scene.Turn(o);
    ExpectReference(SceneName(("turned" + std::to_string(o)).c_str(), 1000, 700, 12345), CanvasHash(scene.canvas));
  }
  const std::pair<float, float> places[] = {{10.5f, 20.5f}, {-120.5f, 400.5f}, {700.25f, -90.75f}, {998.0f, 698.0f}};
  int index = 0;
  for (const auto& [left, top] : places) {
    scene.MoveTo(left, top);
    ExpectReference(SceneName(("moved" + std::to_string(index++)).c_str(), 1000, 700, 12345),
                    CanvasHash(scene.canvas));
  }
  scene.canvas.HideProtractor();
  ExpectReference(SceneName("hidden", 1000, 700, 12345), CanvasHash(scene.canvas));
}

// The pencil's stroke redraws the angle with its tracing colour under the
// protractor, as each pointer move of a drawing exercise does.
TEST(PixelIdentityTest, PencilStrokeWithTracing) {
  for (const auto& [w, h] : {std::pair{1920, 1080}, std::pair{1000, 700}}) {
    Scene scene(w, h, 7, true);
    TAngle& angle = *scene.canvas.Angle();
    const TPoint vertex{static_cast<std::int32_t>(angle.Vertex.X), static_cast<std::int32_t>(angle.Vertex.Y)};
    const TPoint stroke[] = {{vertex.X + 200, vertex.Y - 150}, {vertex.X - 90, vertex.Y - 240}, {vertex.X + 5, vertex.Y + 3}};
    int index = 0;
    for (const TPoint p : stroke) {
      ApplyPencilStep(angle, p);
      angle.Draw(scene.canvas.AngleLayer(), true);
      ExpectReference(SceneName(("pencil" + std::to_string(index++)).c_str(), w, h, 7), CanvasHash(scene.canvas));
    }
  }
}

// What the window shows: the client area of the buffer drawn whole as the
// non-premultiplied image it is.
QImage WholeWindowReference(TGradoImg32& canvas) {
  canvas.InvalidateImage();
  canvas.ValidateBuffer();
  const TBitmap32& b = canvas.Buffer();
  const QImage wrap(reinterpret_cast<const uchar*>(b.Bits()), b.Width(), b.Height(), b.Width() * 4,
                    QImage::Format_ARGB32);
  QImage window(canvas.width(), canvas.height(), QImage::Format_ARGB32_Premultiplied);
  QPainter p(&window);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPoint(0, 0), wrap, QRect(0, 0, canvas.width(), canvas.height()));
  return window;
}

// The window repainted only where each step asked keeps showing the whole
// picture: turning, moving (also off the canvas) and the pencil's stroke.
TEST(PixelIdentityTest, WindowRepaintedWhereAskedShowsTheWholePicture) {
  Scene scene(900, 640, 12345, true);
  TGradoImg32& canvas = scene.canvas;
  QImage window(canvas.width(), canvas.height(), QImage::Format_ARGB32_Premultiplied);
  window.fill(0);
  canvas.render(&window);
  TAngle& angle = *canvas.Angle();
  const TPoint v{static_cast<std::int32_t>(angle.Vertex.X), static_cast<std::int32_t>(angle.Vertex.Y)};
  for (int step = 0; step < 12; ++step) {
    switch (step % 4) {
      case 0: scene.Turn(step * 29 - 140); break;
      case 1: scene.MoveTo(static_cast<float>(step * 61 - 300) + 0.5f, static_cast<float>(step * 23 - 100)); break;
      case 2:
        ApplyPencilStep(angle, {v.X + 40 * step - 200, v.Y - 150});
        angle.Draw(canvas.AngleLayer(), true);
        break;
      case 3: scene.MoveTo(static_cast<float>(v.X - 241), static_cast<float>(v.Y - 241)); break;
    }
    TRect a;
    ASSERT_TRUE(canvas.PendingWindowArea(a)) << "step " << step;
    const QRect part(a.Left, a.Top, a.Right - a.Left, a.Bottom - a.Top);
    canvas.render(&window, part.topLeft(), QRegion(part));
    ASSERT_TRUE(window == WholeWindowReference(canvas)) << "step " << step;
  }
}

}  // namespace
}  // namespace gradoir::testing
