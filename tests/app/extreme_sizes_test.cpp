// The canvas and the main window at sizes from nothing at all to a 4K screen:
// both kinds of exercise start, the protractor is centred, moved and turned,
// nothing crashes or hangs, and whenever the placement rectangle of the angle
// is not empty both far ends of the generated angle lie inside it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QSize>
#include <QWidget>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "canvas/exercise_canvas.h"
#include "figures/angle.h"
#include "figures/protractor.h"
#include "figures/random_source.h"
#include "main_window_fixture.h"
#include "modal_answer.h"
#include "raster/geometry.h"

namespace gradoir::test {
namespace {

const std::vector<QSize> kSizes = {{0, 0},     {1, 1},     {0, 700},   {700, 0},     {1, 2160},
                                   {4096, 1},  {39, 39},   {40, 40},   {41, 41},     {42, 42},
                                   {45, 300},  {300, 45},  {60, 60},   {120, 80},    {300, 300},
                                   {520, 520}, {651, 434}, {800, 600}, {1920, 1080}, {4096, 2160}};

// The angle is kept 30 pixels from the left and top edges of the canvas and
// 10 from the right and bottom ones.
Rect placementOf(QSize canvas) { return rectOf(30, 30, canvas.width() - 10, canvas.height() - 10); }

void sendMouse(QWidget& w, QEvent::Type type, Point p, Qt::MouseButton button, Qt::MouseButtons held) {
  const QPointF local(p.x, p.y);
  QMouseEvent event(type, local, w.mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

Point centreOf(const Rect& r) { return pointOf((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

// Hover onto a grab zone, then drag it to `to` and let go.
void dragZone(ExerciseCanvas& canvas, GrabZone zone, Point to) {
  const Point from = centreOf(canvas.protractor().grabZone(zone));
  sendMouse(canvas, QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
  sendMouse(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  sendMouse(canvas, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// Centre, move by the centre, turn by the far end, and turn back by the zero
// end, then compose the picture.
void workTheProtractor(ExerciseCanvas& canvas) {
  canvas.centerProtractor();
  const Point middle = pointOf(canvas.width() / 2, canvas.height() / 2);
  dragZone(canvas, GrabZone::Centre, pointOf(middle.x + 37, middle.y + 21));
  dragZone(canvas, GrabZone::End180, pointOf(middle.x + 300, middle.y + 290));
  dragZone(canvas, GrabZone::ZeroEnd, pointOf(middle.x - 300, middle.y));
  canvas.validateBuffer();
}

void expectEndsInside(const AngleFigure& angle, QSize canvas, const char* kind) {
  const Rect placement = placementOf(canvas);
  if (rectIsEmpty(placement)) return;
  EXPECT_TRUE(rectContains(placement, roundPoint(angle.firstEnd())))
      << kind << " first end outside, canvas " << canvas.width() << "x" << canvas.height();
  EXPECT_TRUE(rectContains(placement, roundPoint(angle.generatedEnd())))
      << kind << " second end outside, canvas " << canvas.width() << "x" << canvas.height();
  EXPECT_TRUE(rectContains(placement, roundPoint(angle.vertex())))
      << kind << " vertex outside, canvas " << canvas.width() << "x" << canvas.height();
}

TEST(ExtremeSizes, CanvasStartsBothKindsAndMovesTheProtractorAtEverySize) {
  QWidget host;
  host.resize(4096, 2160);
  auto* canvas = new ExerciseCanvas(&host);  // owned by its Qt parent
  host.show();
  for (const QSize size : kSizes) {
    canvas->resize(size);
    ASSERT_EQ(canvas->size(), size);
    // A few seeds each: on small canvases most random placements fail and
    // the fitted fallback is what gets drawn.
    for (std::uint32_t seed : {1u, 77u, 4242u}) {
      for (const CanvasTool kind : {CanvasTool::Protractor, CanvasTool::Pencil}) {
        ScopedSeedProvider provider([seed] { return seed; });
        canvas->setMode(kind);
        canvas->centerProtractor();
        canvas->newExercise(seed != 77u, seed == 4242u);
        canvas->setMode(CanvasTool::Protractor);
        ASSERT_NE(canvas->angle(), nullptr);
        expectEndsInside(*canvas->angle(), size, kind == CanvasTool::Pencil ? "drawing" : "measuring");
        EXPECT_GE(canvas->angleMeasure(), 5);
        EXPECT_LE(canvas->angleMeasure(), 175);
        workTheProtractor(*canvas);
      }
    }
  }
}

class ExtremeWindowSizes : public MainWindowTest {};

TEST_F(ExtremeWindowSizes, MainWindowRunsBothKindsAtEverySize) {
  start();
  for (const QSize size : kSizes) {
    m_form->resize(size);
    QApplication::sendPostedEvents();
    m_form->layout()->activate();
    QApplication::processEvents();
    for (const char* menu : {"measureAction", "drawAction"}) {
      {
        // A series in progress asks before it is abandoned.
        const auto seen = answerNextModal(QStringLiteral("&Oui"));
        action(menu)->trigger();
      }
      ASSERT_TRUE(noModalOpen());
      ASSERT_NE(canvas().angle(), nullptr);
      expectEndsInside(*canvas().angle(), canvas().size(), menu);
      tool("centerProtractorButton")->click();
      workTheProtractor(canvas());
      EXPECT_FALSE(toolBox().isHidden());
    }
  }
}

}  // namespace
}  // namespace gradoir::test
