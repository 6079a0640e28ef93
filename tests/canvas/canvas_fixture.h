#pragma once
// A shown 1000 x 700 canvas with a reproducible exercise, and simulated
// pointer events sent to it the way the window system delivers them.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include <gtest/gtest.h>

#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/protractor.h"
#include "figures/random_source.h"

namespace gradoir::testing {

constexpr std::uint32_t kSeed = 12345;

inline void sendMouse(QWidget& widget, QEvent::Type type, Point p, Qt::MouseButton button,
                      Qt::MouseButtons held) {
  const QPointF local(p.x, p.y);
  QMouseEvent event(type, local, widget.mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

// A move with no button held.
inline void hover(QWidget& w, Point p) { sendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
inline void pressLeft(QWidget& w, Point p) {
  sendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}
inline void dragLeft(QWidget& w, Point p) { sendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
inline void releaseLeft(QWidget& w, Point p) {
  sendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

inline Point centreOf(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class CanvasTest : public ::testing::Test {
 protected:
  // Like the main window, a shown parent holds the canvas: a child may be
  // any size, 0 x 0 included.
  void SetUp() override {
    host = std::make_unique<QWidget>();
    host->resize(1000, 700);
    canvas = new ExerciseCanvas(host.get());  // owned by its Qt parent
    canvas->resize(1000, 700);
    host->show();
    QApplication::processEvents();
  }

  // What the main window does to start an exercise.
  void startExercise(CanvasTool mode, bool magnetic = false, bool horizontal = false) {
    ScopedSeedProvider seed([] { return kSeed; });
    canvas->setMode(mode);
    canvas->centerProtractor();
    canvas->newExercise(magnetic, horizontal);
  }

  // The picture the next copy to the window shows.
  // The exercise's angle with its vertex elsewhere, all else kept.
  void moveVertexTo(PointF vertex) {
    AngleGeometry g = canvas->angle()->geometry();
    g.vertex = vertex;
    canvas->setAngle(g);
  }

  const Bitmap32& composedPicture() {
    canvas->validateBuffer();
    return canvas->buffer();
  }

  RectF protractorLocation() { return canvas->protractorLayer().location(); }
  Rect zone(GrabZone z) { return canvas->protractor().grabZone(z); }

  std::unique_ptr<QWidget> host;
  ExerciseCanvas* canvas = nullptr;
};

}  // namespace gradoir::testing
