#pragma once
// The exercise canvas: a layered image widget that owns the angle of the
// current exercise, the on-screen protractor and the two layers they draw
// into (angle below, protractor above with its pure white see-through), and
// turns pointer input into moving and turning the protractor or drawing the
// second side with the pencil.
#include <QPointer>
#include <QVariantAnimation>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "canvas/correction_run.h"
#include "figures/level.h"
#include "view/layered_view.h"
#include "raster/transfer.h"
#include "canvas/canvas_input_state.h"

namespace gradoir {

class AngleFigure;
struct AngleGeometry;
class Protractor;

struct SideBounds {
  Rect first;
  Rect second;
};

// The pointer tool: move and turn the protractor, or draw with the pencil.
enum class CanvasTool : std::uint8_t { Protractor, Pencil };

// The protractor layer's combiner is transparentWhiteCombine (raster/transfer.h):
// opaque white (exactly 0xFFFFFFFF) lets the pixel beneath show.

class ExerciseCanvas : public LayeredView {
  Q_OBJECT

 public:
  explicit ExerciseCanvas(QWidget* parent = nullptr);
  ~ExerciseCanvas() override;

  // Assigning the mode has no other effect; callers set the cursor.
  CanvasTool mode() const { return m_mode; }
  void setMode(CanvasTool mode) { m_mode = mode; }

  // New random angle in the client area (second side left out in CanvasTool::Pencil
  // mode), protractor redrawn where it is and shown. A random measure is
  // drawn among those `level` allows.
  void newExercise(bool magneticVertex, bool horizontalSide, const Level& level = {});
  void centerProtractor();
  // Lays the protractor on the angle, ready to be read: its centre on the
  // vertex, the 0 of one of its scales on the first side and its arc over
  // the second side. Nothing happens before the first exercise.
  void placeProtractorOnAngle();
  void showProtractor();
  void hideProtractor();

  // The angle's measure: the one asked for, or the pupil's drawn one; empty
  // before the first exercise and while no second side is drawn.
  std::optional<std::int32_t> angleMeasure() const;
  // Starts a drawing exercise's answer: no second side, no measure.
  void clearSecondSide();
  // Replaces the exercise's angle by an exact one and shows it.
  void setAngle(const AngleGeometry& geometry);
  // Bounding boxes of the vertex with the first end and with the generated
  // second end (right and bottom inclusive), in the widget's logical
  // pixels; zero rectangles before the first exercise.
  SideBounds sideBounds() const;

  // The figures, layers, grab zones and pointer positions below are in
  // device pixels: deviceScale() (layered_view.h) times the logical ones,
  // the same at an ordinary screen's ratio of 1.

  // nullptr before the first exercise.
  AngleFigure* angle() { return m_angle.get(); }
  Protractor& protractor() { return *m_protractor; }
  BitmapLayer& angleLayer() { return *m_angleLayer; }
  BitmapLayer& protractorLayer() { return *m_protractorLayer; }
  // The grab zone the pointer holds or hovers (Protractor::kNoZone: none).
  std::uint8_t activeZone() const { return m_activeZone; }
  // Where Space draws the second side to with the pencil (canvas pixels).
  Point keyboardCrossHair();

  // Enabling and the cursor are the QWidget's own (setEnabled, setCursor).

  // --- teaching (exercise_canvas_correction.cpp) ---
  // Where the protractor lies; empty while it is hidden.
  std::optional<ProtractorPose> protractorPose() const;
  // The protractor as it was when the pupil's last pencil stroke of this
  // exercise ended; as it is now when no stroke has ended yet.
  std::optional<ProtractorPose> protractorPoseAtStrokeEnd() const;
  // The correction: the protractor (shown if hidden) glides for about a
  // second onto `target`, then shows `mark` and, when given, the right
  // second side in green; correctionArrived is emitted then. Tied to the
  // exercise: a new exercise or centring the protractor drops it.
  void showCorrection(const ProtractorPose& target, const ReadingMark& mark, std::optional<PointF> rightSecondEnd);
  bool correctionRunning() const;
  // Puts the protractor where the running correction takes it, at once.
  void finishCorrection();
  // The reading the correction marked; empty while none shows.
  std::optional<ReadingMark> markedReading() const { return m_markedReading; }

 signals:
  // Each pencil step: the pupil draws again.
  void pencilStroked();
  // The correction's protractor has arrived and shows its reading.
  void correctionArrived();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Touch, pen and keys (exercise_canvas_touch.cpp, exercise_canvas_keys.cpp).
  bool event(QEvent* event) override;
  void tabletEvent(QTabletEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  // The angle's picture follows the canvas's size; figures that a smaller
  // canvas would lose move back inside (exercise_canvas_resize.cpp).
  void resizeEvent(QResizeEvent* event) override;
  // The figures are drawn again at the new resolution, where they were.
  void deviceScaleChanged(double previous) override;

 private:
  void fitExerciseToSize();
  void redrawAngle(bool tracing);
  // A widget position (logical pixels) in the device pixels of the figures.
  Point devicePoint(const QPointF& position) const;
  // The angle layer sized to the widget's device pixels; false when the
  // memory cannot be had (the canvas then shows nothing).
  bool sizeAngleLayer();
  // Pointer steps, each for one situation of the handlers above.
  void pencilStep(Point pointer);
  void finishPencilStroke();
  // The grab zone under the pointer; none while the protractor is hidden.
  std::uint8_t zoneAt(Point pointer) const;
  void hoverTest(Point pointer);
  void grabZoneAt(Point pointer);
  void dragProtractor(Point pointer);
  void moveProtractorCentreTo(Point pointer);
  void turnProtractorToward(Point pointer, std::uint8_t zone);
  void snapProtractorToVertex();
  void snapCentreOntoVertex();

  // Touch: one finger as the left button, two fingers turn and move.
  void handleTouch(QTouchEvent* event);
  void startOneFinger(const QEventPoint& point);
  void followOneFinger(const QEventPoint& point);
  void finishOneFinger();
  bool startTwoFingers(const QEventPoint& a, const QEventPoint& b);
  void followTwoFingers(const QEventPoint& a, const QEventPoint& b);
  void finishTwoFingers();
  void cancelTouch();
  std::uint8_t touchZoneAt(Point pointer) const;
  bool onProtractor(Point pointer) const;
  bool centreOnVertex() const;
  ProtractorPlacement protractorPlacement() const;
  void setProtractorPlacement(const ProtractorPlacement& placement);
  // Keys: the protractor by whole pixels and degrees, the pencil's cross-hair.
  void moveProtractorByKeys(std::int32_t dx, std::int32_t dy);
  void turnProtractorByKeys(std::int32_t degrees);
  void moveCrossHair(std::int32_t dx, std::int32_t dy);
  void drawSideToCrossHair();
  void paintKeyboardMarks(const QRect& area);

  // The correction's glide and what it ends on.
  void glideStep(double progress);
  void arriveAtCorrection();
  void forgetCorrection();
  ProtractorPose currentPose() const;
  void placeProtractor(long double centreX, long double centreY, std::int64_t orientation);

  CanvasTool m_mode = CanvasTool::Protractor;
  // The grab zone a drag acts on (Protractor::kNoZone: none).
  std::uint8_t m_activeZone = 0;
  std::unique_ptr<AngleFigure> m_angle;
  std::unique_ptr<Protractor> m_protractor;
  std::unique_ptr<BitmapLayer> m_angleLayer;
  std::unique_ptr<BitmapLayer> m_protractorLayer;
  QPointer<QVariantAnimation> m_glide;
  std::optional<CorrectionRun> m_correction;
  std::optional<ReadingMark> m_markedReading;
  bool m_strokeEnded = false;
  std::optional<ProtractorPose> m_strokeEndPose;
  TouchGesture m_touch;
  std::optional<Point> m_crossHair;
};

}  // namespace gradoir
