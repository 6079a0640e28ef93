#pragma once
// A shown 1000 x 700 canvas with a reproducible exercise, and simulated
// pointer events sent to it the way the window system delivers them.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <memory>

#include <gtest/gtest.h>

#include "canvas/grado_img32.h"
#include "figures/angle.h"
#include "figures/protractor.h"
#include "figures/random_source.h"

namespace gradoir::testing {

constexpr std::uint32_t kSeed = 12345;

inline void SendMouse(QWidget& widget, QEvent::Type type, TPoint p, Qt::MouseButton button,
                      Qt::MouseButtons held) {
  const QPointF local(p.X, p.Y);
  QMouseEvent event(type, local, widget.mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

// A move with no button held.
inline void Hover(QWidget& w, TPoint p) { SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
inline void PressLeft(QWidget& w, TPoint p) {
  SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}
inline void DragLeft(QWidget& w, TPoint p) { SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
inline void ReleaseLeft(QWidget& w, TPoint p) {
  SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

inline TPoint CentreOf(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

class CanvasTest : public ::testing::Test {
 protected:
  // Like the main window, a shown parent holds the canvas: a child may be
  // any size, 0 x 0 included.
  void SetUp() override {
    host = std::make_unique<QWidget>();
    host->resize(1000, 700);
    canvas = new TGradoImg32(host.get());  // owned by its Qt parent
    canvas->resize(1000, 700);
    host->show();
    QApplication::processEvents();
  }

  // What the main window does to start an exercise.
  void StartExercise(TMode mode, bool magnetic = false, bool horizontal = false) {
    TScopedSeedProvider seed([] { return kSeed; });
    canvas->SetMode(mode);
    canvas->CenterProtractor();
    canvas->NewExercise(magnetic, horizontal);
  }

  // The picture the next copy to the window shows.
  const TBitmap32& Picture() {
    canvas->ValidateBuffer();
    return canvas->Buffer();
  }

  TRealRect ProtractorLocation() { return canvas->ProtractorLayer().Location(); }
  TRect Zone(int i) { return canvas->Protractor().GrabZones[i]; }

  std::unique_ptr<QWidget> host;
  TGradoImg32* canvas = nullptr;
};

}  // namespace gradoir::testing
