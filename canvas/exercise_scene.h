#pragma once
// The exercise scene: the angle of the current exercise, the on-screen
// protractor and the two layers they draw into (angle below, protractor above
// with its pure white see-through), and the named steps that change them.
// It knows no widget: the canvas (exercise_canvas.h) turns the pupil's input
// into points and calls these steps, the interaction modes
// (interaction_modes.h) decide which; tests call them directly.
//
// Figures, layers, grab zones and points are in device pixels: the scale
// (display_scale.h) times the logical ones, the same at a ratio of 1.
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <optional>

#include "canvas/correction_run.h"
#include "canvas/exercise_fit.h"
#include "figures/angle.h"
#include "figures/level.h"
#include "figures/protractor.h"
#include "figures/protractor_pose.h"
#include "view/layers.h"

class QVariantAnimation;

namespace gradoir {

struct SideBounds {
  Rect first;
  Rect second;
};

class ExerciseScene : public QObject {
  Q_OBJECT

 public:
  // The layers join `layers`, the angle's first, so that it lies under the
  // protractor. `scale` is the device ratio the figures are drawn at.
  ExerciseScene(LayerStack& layers, double scale);
  ~ExerciseScene() override;

  // --- the exercise ------------------------------------------------------------
  // A new random angle on a width x height canvas (without its second side
  // for a drawing exercise), among the measures `level` allows; the
  // protractor redrawn where it is and shown. False: without the memory for
  // the angle's picture the scene was left empty (no angle, nothing shown).
  bool newExercise(std::int32_t width, std::int32_t height, bool magneticVertex, bool horizontalSide,
                   bool drawing, const Level& level);
  // Nothing on the canvas, as before the first exercise: no angle, the
  // protractor hidden, any correction dropped.
  void clearExercise();
  // Replaces the angle by an exact one and shows it.
  void setAngle(const AngleGeometry& geometry);
  // Starts a drawing exercise's answer: no second side, no measure.
  void clearSecondSide();
  // The one asked for, or the pupil's drawn one; empty before the first
  // exercise and while no second side is drawn.
  std::optional<std::int32_t> angleMeasure() const;
  // Bounding boxes of the vertex with the first end and with the generated
  // second end (right and bottom inclusive), in logical pixels; zero
  // rectangles before the first exercise.
  SideBounds sideBounds() const;

  // nullptr before the first exercise.
  AngleFigure* angle() { return m_angle.get(); }
  const AngleFigure* angle() const { return m_angle.get(); }
  Protractor& protractor() { return *m_protractor; }
  const Protractor& protractor() const { return *m_protractor; }
  BitmapLayer& angleLayer() { return m_angleLayer; }
  BitmapLayer& protractorLayer() { return m_protractorLayer; }

  // --- the protractor where the main window puts it ----------------------------
  // Centred on a width x height canvas (left and top truncated toward zero),
  // turned to 0.
  void centerProtractor(std::int32_t width, std::int32_t height);
  // Laid on the angle, ready to be read: its centre on the vertex, the 0 of
  // one of its scales on the first side and its arc over the second side;
  // the 0 on the second side instead when that keeps its grab zones on the
  // width x height canvas and the first does not; where neither does, the
  // exercise moves in so that they are. Nothing happens before the first
  // exercise.
  void placeProtractorOnAngle(std::int32_t width, std::int32_t height);
  void showProtractor();
  void hideProtractor();
  bool protractorShown() const { return m_protractorLayer.visible(); }
  // Where it lies, shown or not.
  ProtractorPose pose() const;
  // Where it lies; empty while it is hidden.
  std::optional<ProtractorPose> protractorPose() const;
  // As it was when the pupil's last pencil stroke of this exercise ended;
  // as it is now when no stroke has ended yet.
  std::optional<ProtractorPose> protractorPoseAtStrokeEnd() const;

  // --- grab zones --------------------------------------------------------------
  // The zone under a point; none while the protractor is hidden. The touch
  // variant widens each zone to a fingertip's size about its own middle.
  GrabZone zoneAt(Point at) const;
  GrabZone touchZoneAt(Point at) const;
  // The zone a drag acts on (none: the drag moves nothing).
  GrabZone activeZone() const { return m_activeZone; }
  void grab(GrabZone zone) { m_activeZone = zone; }
  // Whether a point lies on the protractor's disc.
  bool onProtractor(Point at) const;
  // Whether the centre lies on the vertex (as a snap leaves it).
  bool centreOnVertex() const;

  // --- moving and turning ------------------------------------------------------
  // The mouse's drag of the active zone: the centre goes a little above the
  // point (so that the pupil sees it over the vertex rather than under the
  // arrow), a grabbed end turns toward the point.
  void dragTo(Point at);
  void moveCentreTo(Point at);
  void turnEndToward(Point at, GrabZone end);
  // By whole pixels and degrees, as keys move it. After a move the magnet
  // pulls only a protractor that came nearer the vertex, so that single
  // steps can leave it.
  void moveBy(std::int32_t dx, std::int32_t dy);
  void turnBy(std::int32_t degrees);
  // The drop at the end of a drag: a held centre snaps onto a near vertex.
  void drop();
  // The centre onto the vertex, when the vertex is magnetic and near.
  void snapOntoVertex();

  // A touch gesture acts from where the protractor lay when it began, so
  // that rounding never piles up over its moves; a cancelled touch sequence
  // puts back what it changed: the protractor, and the angle if the pupil
  // drew on it.
  void beginTouchSequence();
  void beginGesture();
  ProtractorPose gestureStartPose() const;
  void moveFromGestureStart(std::int64_t dx, std::int64_t dy, std::int64_t turn);
  void cancelTouchSequence();

  // --- the pencil --------------------------------------------------------------
  // The second side to a point, drawn red while the stroke goes on.
  void pencilStep(Point at);
  // The stroke ends: the side drawn black.
  void endStroke();
  // Where the keys' cross-hair aims: the far end of the drawn second side, or
  // of the first side before one is drawn, until the keys move it.
  Point crossHair();
  // Moved within the angle's picture, where the pupil sees it.
  void moveCrossHair(std::int32_t dx, std::int32_t dy);
  // The second side to the cross-hair, a whole stroke.
  void drawSideToCrossHair();

  // --- the correction ----------------------------------------------------------
  // The protractor (shown if hidden) glides for about a second onto
  // `target`, then shows `mark` and, when given, the right second side in
  // green; correctionArrived is emitted then. Tied to the exercise: a new
  // exercise or centring the protractor drops it.
  void showCorrection(const ProtractorPose& target, const ReadingMark& mark, std::optional<PointF> rightSecondEnd);
  bool correctionRunning() const { return m_correction.has_value(); }
  // The place of the glide at `progress` (0 at the start, 1 on the target).
  void glideTo(double progress);
  // Puts the protractor where the running correction takes it, at once.
  void finishCorrection();
  // The reading the correction marked; empty while none shows.
  std::optional<ReadingMark> markedReading() const { return m_markedReading; }

  // --- the canvas changes ------------------------------------------------------
  // The angle's picture follows a width x height canvas, and figures that a
  // smaller canvas would lose move back inside (exercise_fit.h).
  void fitTo(std::int32_t width, std::int32_t height);
  // The figures drawn again at a new device ratio, where they were, on a
  // width x height canvas.
  void setScale(double scale, std::int32_t width, std::int32_t height);

 signals:
  // Each pencil step: the pupil draws again.
  void pencilStroked();
  // The correction's protractor has arrived and shows its reading.
  void correctionArrived();
  // The picture changed in a way that must show at once, not at the window
  // system's next paint: a turn, a shown or hidden protractor, a new exercise.
  void repaintRequested();

 private:
  void redrawAngle(bool tracing);
  void redrawProtractor();
  // The angle's picture sized to a width x height canvas; false when the
  // memory cannot be had (the scene is then emptied).
  bool sizeAngleLayer(std::int32_t width, std::int32_t height);
  void placeLayer(const RectF& layer);
  // The protractor's grab zones about its centre.
  ZoneReach zoneReach() const;
  // The fit of the exercise to a width x height canvas, its grab zones
  // within reach (exercise_fit.h); `redraw`: the angle's picture too.
  void bringWithinReach(std::int32_t width, std::int32_t height, bool redraw);
  void turnTo(std::int32_t orientation);
  void placeProtractor(long double centreX, long double centreY, std::int64_t orientation);
  void arriveAtCorrection();
  void forgetCorrection();

  std::unique_ptr<AngleFigure> m_angle;
  std::unique_ptr<Protractor> m_protractor;
  BitmapLayer m_angleLayer;
  BitmapLayer m_protractorLayer;
  double m_scale;
  GrabZone m_activeZone = GrabZone::None;
  std::optional<Point> m_crossHair;
  bool m_strokeEnded = false;
  std::optional<ProtractorPose> m_strokeEndPose;

  // The protractor's layer to the float and its turn, as a touch sequence
  // and its gesture found them.
  struct Held {
    RectF layer;
    std::int32_t orientation = 0;
  };
  Held m_sequenceStart;
  std::optional<AngleGeometry> m_angleAtSequenceStart;
  Held m_gestureStart;

  QPointer<QVariantAnimation> m_glide;
  std::optional<CorrectionRun> m_correction;
  std::optional<ReadingMark> m_markedReading;
};

}  // namespace gradoir
