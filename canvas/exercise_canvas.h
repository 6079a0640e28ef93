#pragma once
// The exercise canvas: the widget that shows the exercise scene
// (exercise_scene.h) and takes the pupil's input. Its mouse, pen, touch and
// key handlers only turn Qt's events into points in device pixels and hand
// them to the current tool's interaction mode (interaction_modes.h), which
// calls the scene's steps. The keyboard's focus frame and the pencil's
// cross-hair are painted over the copied picture, never into it.
#include <QPointF>
#include <cstdint>
#include <optional>

#include "canvas/exercise_scene.h"
#include "canvas/interaction_modes.h"
#include "figures/level.h"
#include "view/layered_view.h"

class QEventPoint;
class QTouchEvent;

namespace gradoir {

// The pointer tool: move and turn the protractor, or draw with the pencil.
enum class CanvasTool : std::uint8_t { Protractor, Pencil };

class ExerciseCanvas : public LayeredView {
  Q_OBJECT

 public:
  explicit ExerciseCanvas(QWidget* parent = nullptr);
  ~ExerciseCanvas() override;

  ExerciseScene& scene() { return m_scene; }
  const ExerciseScene& scene() const { return m_scene; }

  // Assigning the mode has no other effect; callers set the cursor.
  CanvasTool mode() const { return m_tool; }
  void setMode(CanvasTool mode) { m_tool = mode; }

  // The operations below are the scene's, on a canvas of the widget's size.
  // New random angle (second side left out in CanvasTool::Pencil mode),
  // protractor redrawn where it is and shown, the arrow pointer. A random
  // measure is drawn among those `level` allows.
  void newExercise(bool magneticVertex, bool horizontalSide, const Level& level = {});
  void centerProtractor();
  void placeProtractorOnAngle() { m_scene.placeProtractorOnAngle(deviceWidth(), deviceHeight()); }
  void showProtractor() { m_scene.showProtractor(); }
  void hideProtractor() { m_scene.hideProtractor(); }
  std::optional<std::int32_t> angleMeasure() const { return m_scene.angleMeasure(); }
  void clearSecondSide() { m_scene.clearSecondSide(); }
  void clearExercise() { m_scene.clearExercise(); }
  void setAngle(const AngleGeometry& geometry) { m_scene.setAngle(geometry); }
  // In the widget's logical pixels.
  SideBounds sideBounds() const { return m_scene.sideBounds(); }

  // The figures, layers, grab zones and points below are in device pixels:
  // deviceScale() (layered_view.h) times the logical ones.
  AngleFigure* angle() { return m_scene.angle(); }
  Protractor& protractor() { return m_scene.protractor(); }
  BitmapLayer& angleLayer() { return m_scene.angleLayer(); }
  BitmapLayer& protractorLayer() { return m_scene.protractorLayer(); }
  // The grab zone the pointer holds or hovers.
  GrabZone activeZone() const { return m_scene.activeZone(); }
  // Where Space draws the second side to with the pencil.
  Point keyboardCrossHair() { return m_scene.crossHair(); }

  // Enabling and the cursor are the QWidget's own (setEnabled, setCursor).

  std::optional<ProtractorPose> protractorPose() const { return m_scene.protractorPose(); }
  std::optional<ProtractorPose> protractorPoseAtStrokeEnd() const { return m_scene.protractorPoseAtStrokeEnd(); }
  void showCorrection(const ProtractorPose& target, const ReadingMark& mark, std::optional<PointF> rightSecondEnd) {
    m_scene.showCorrection(target, mark, rightSecondEnd);
  }
  bool correctionRunning() const { return m_scene.correctionRunning(); }
  void finishCorrection() { m_scene.finishCorrection(); }
  std::optional<ReadingMark> markedReading() const { return m_scene.markedReading(); }

 signals:
  // Each pencil step: the pupil draws again.
  void pencilStroked();
  // The correction's protractor has arrived and shows its reading.
  void correctionArrived();

 protected:
  // Mouse and pen (exercise_canvas_pointer.cpp).
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void tabletEvent(QTabletEvent* event) override;
  // Touch (exercise_canvas_touch.cpp).
  bool event(QEvent* event) override;
  // Keys and what they paint (exercise_canvas_keys.cpp).
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void deviceScaleChanged(double previous) override;

 private:
  InteractionMode& currentMode();
  // A widget position (logical pixels) in device pixels.
  Point devicePoint(const QPointF& position) const;
  void showLook(PointerLook look);

  void handleTouch(QTouchEvent* event);
  void startOneFinger(const QEventPoint& point);
  void followOneFinger(const QEventPoint& point);
  void finishOneFinger();
  bool startTwoFingers(const QEventPoint& a, const QEventPoint& b);
  void followTwoFingers(const QEventPoint& a, const QEventPoint& b);
  void finishTwoFingers();
  void cancelTouch();
  void paintKeyboardMarks(const QRect& area);

  ExerciseScene m_scene;
  ProtractorMode m_protractorMode{m_scene};
  PencilMode m_pencilMode{m_scene};
  CanvasTool m_tool = CanvasTool::Protractor;

  // The touch sequence under way: which fingers make its gesture and where
  // they started (device pixels).
  struct Touch {
    enum class Kind : std::uint8_t {
      None,        // no touch sequence
      OneFinger,   // the left button: drag, turn or pencil
      TwoFingers,  // turn by the fingers' angle, move with their midpoint
      Finished     // the gesture ended; the rest of the sequence is ignored
    };
    Kind kind = Kind::None;
    int firstId = -1;
    int secondId = -1;
    QPointF firstStart;
    QPointF secondStart;
    // The mode that took the two fingers, which follows them to the end.
    InteractionMode* twoFingerMode = nullptr;
  };
  Touch m_touch;
};

}  // namespace gradoir
