#pragma once
// The exercise canvas: a layered image widget that owns the angle of the
// current exercise, the on-screen protractor and the two layers they draw
// into (angle below, protractor above with its pure white see-through), and
// turns pointer input into moving and turning the protractor or drawing the
// second side with the pencil.
#include <cstdint>
#include <memory>
#include <optional>

#include "figures/measure_range.h"
#include "view/layered_view.h"
#include "raster/transfer.h"

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
  // drawn among `range`.
  void newExercise(bool magneticVertex, bool horizontalSide, const MeasureRange& range = {});
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
  // second end (right and bottom inclusive); zero rectangles before the
  // first exercise.
  SideBounds sideBounds() const;

  // nullptr before the first exercise.
  AngleFigure* angle() { return m_angle.get(); }
  Protractor& protractor() { return *m_protractor; }
  BitmapLayer& angleLayer() { return *m_angleLayer; }
  BitmapLayer& protractorLayer() { return *m_protractorLayer; }
  // The grab zone the pointer holds or hovers (Protractor::kNoZone: none).
  std::uint8_t activeZone() const { return m_activeZone; }

  // Enabling and the cursor are the QWidget's own (setEnabled, setCursor).

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void redrawAngle(bool tracing);
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

  CanvasTool m_mode = CanvasTool::Protractor;
  // The grab zone a drag acts on (Protractor::kNoZone: none).
  std::uint8_t m_activeZone = 0;
  std::unique_ptr<AngleFigure> m_angle;
  std::unique_ptr<Protractor> m_protractor;
  std::unique_ptr<BitmapLayer> m_angleLayer;
  std::unique_ptr<BitmapLayer> m_protractorLayer;
};

}  // namespace gradoir
