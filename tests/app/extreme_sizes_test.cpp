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

#include "app/main_form.h"
#include "canvas/grado_img32.h"
#include "figures/angle.h"
#include "figures/protractor.h"
#include "figures/random_source.h"
#include "main_form_fixture.h"
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
TRect PlacementOf(QSize canvas) { return RectOf(30, 30, canvas.width() - 10, canvas.height() - 10); }

void SendMouse(QWidget& w, QEvent::Type type, TPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
  const QPointF local(p.X, p.Y);
  QMouseEvent event(type, local, w.mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

TPoint CentreOf(const TRect& r) { return PointOf((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

// Hover onto a grab zone, then drag it to `to` and let go.
void DragZone(TGradoImg32& canvas, int zone, TPoint to) {
  const TPoint from = CentreOf(canvas.Protractor().GrabZones[zone]);
  SendMouse(canvas, QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
  SendMouse(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  SendMouse(canvas, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  SendMouse(canvas, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// Centre, move by the centre, turn by the far end, and turn back by the zero
// end, then compose the picture.
void WorkTheProtractor(TGradoImg32& canvas) {
  canvas.CenterProtractor();
  const TPoint middle = PointOf(canvas.width() / 2, canvas.height() / 2);
  DragZone(canvas, TGradoir::kCentre, PointOf(middle.X + 37, middle.Y + 21));
  DragZone(canvas, TGradoir::kEnd180, PointOf(middle.X + 300, middle.Y + 290));
  DragZone(canvas, TGradoir::kZeroEnd, PointOf(middle.X - 300, middle.Y));
  canvas.ValidateBuffer();
}

void ExpectEndsInside(const TAngle& angle, QSize canvas, const char* kind) {
  const TRect placement = PlacementOf(canvas);
  if (RectIsEmpty(placement)) return;
  EXPECT_TRUE(RectContains(placement, RoundPoint(angle.FirstEnd)))
      << kind << " first end outside, canvas " << canvas.width() << "x" << canvas.height();
  EXPECT_TRUE(RectContains(placement, RoundPoint(angle.GeneratedEnd)))
      << kind << " second end outside, canvas " << canvas.width() << "x" << canvas.height();
  EXPECT_TRUE(RectContains(placement, RoundPoint(angle.Vertex)))
      << kind << " vertex outside, canvas " << canvas.width() << "x" << canvas.height();
}

TEST(ExtremeSizes, CanvasStartsBothKindsAndMovesTheProtractorAtEverySize) {
  QWidget host;
  host.resize(4096, 2160);
  auto* canvas = new TGradoImg32(&host);  // owned by its Qt parent
  host.show();
  for (const QSize size : kSizes) {
    canvas->resize(size);
    ASSERT_EQ(canvas->size(), size);
    // A few seeds each: on small canvases most random placements fail and
    // the fitted fallback is what gets drawn.
    for (std::uint32_t seed : {1u, 77u, 4242u}) {
      for (const TMode kind : {aMesure, aDraw}) {
        TScopedSeedProvider provider([seed] { return seed; });
        canvas->SetMode(kind);
        canvas->CenterProtractor();
        canvas->NewExercise(seed != 77u, seed == 4242u);
        canvas->SetMode(aMesure);
        ASSERT_NE(canvas->Angle(), nullptr);
        ExpectEndsInside(*canvas->Angle(), size, kind == aDraw ? "drawing" : "measuring");
        EXPECT_GE(canvas->AngleMeasure(), 5);
        EXPECT_LE(canvas->AngleMeasure(), 175);
        WorkTheProtractor(*canvas);
      }
    }
  }
}

class ExtremeWindowSizes : public MainFormTest {};

TEST_F(ExtremeWindowSizes, MainWindowRunsBothKindsAtEverySize) {
  Start();
  for (const QSize size : kSizes) {
    form_->resize(size);
    QApplication::sendPostedEvents();
    form_->layout()->activate();
    QApplication::processEvents();
    for (const char* menu : {"MIMesurer", "MITracer"}) {
      {
        // A series in progress asks before it is abandoned.
        const auto seen = AnswerNextModal(QStringLiteral("&Oui"));
        Action(menu)->trigger();
      }
      ASSERT_TRUE(NoModalOpen());
      ASSERT_NE(Canvas().Angle(), nullptr);
      ExpectEndsInside(*Canvas().Angle(), Canvas().size(), menu);
      Tool("TBtnIniGradoPos")->click();
      WorkTheProtractor(Canvas());
      EXPECT_FALSE(ToolBox().isHidden());
    }
  }
}

}  // namespace
}  // namespace gradoir::test
