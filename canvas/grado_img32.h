#pragma once
// The exercise canvas: a layered image widget that owns the angle of the
// current exercise, the on-screen protractor and the two layers they draw
// into (angle below, protractor above with its pure white see-through), and
// turns pointer input into moving and turning the protractor or drawing the
// second side with the pencil.
#include <cstdint>
#include <memory>

#include "raster/image32.h"
#include "raster/transfer.h"

namespace gradoir {

class TAngle;
class TGradoir;

// The pointer tool: move and turn the protractor, or draw with the pencil.
enum TMode : std::uint8_t { aMesure, aDraw };

// The protractor layer's combiner is TransparentWhiteCombine (raster/transfer.h):
// opaque white (exactly 0xFFFFFFFF) lets the pixel beneath show.

class TGradoImg32 : public TCustomImage32 {
  Q_OBJECT

 public:
  explicit TGradoImg32(QWidget* parent = nullptr);
  ~TGradoImg32() override;

  // Assigning the mode has no other effect; callers set the cursor.
  TMode Mode() const { return mode_; }
  void SetMode(TMode mode) { mode_ = mode; }

  // New random angle in the client area (second side left out in aDraw
  // mode), protractor redrawn where it is and shown.
  void NewExercise(bool magnetic_vertex, bool horizontal_side);
  void CenterProtractor();
  void ShowProtractor();
  void HideProtractor();

  // The angle's Measure; 0 and no effect before the first exercise.
  std::int32_t AngleMeasure() const;
  void SetAngleMeasure(std::int32_t measure);
  // Bounding boxes of the vertex with the first end and with the generated
  // second end (right and bottom inclusive); zero rectangles before the
  // first exercise.
  void GetSideBounds(TRect& first, TRect& second) const;

  // nullptr before the first exercise.
  TAngle* Angle() { return angle_.get(); }
  TGradoir& Protractor() { return *protractor_; }
  TBitmapLayer& AngleLayer() { return *angle_layer_; }
  TBitmapLayer& ProtractorLayer() { return *protractor_layer_; }

  // Enabling and the cursor are the QWidget's own (setEnabled, setCursor).

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Pointer steps, each for one situation of the handlers above.
  void PencilStep(TPoint pointer);
  void FinishPencilStroke();
  void HoverTest(TPoint pointer);
  void DragProtractor(TPoint pointer);
  void MoveProtractorCentreTo(TPoint pointer);
  void TurnProtractorToward(TPoint pointer, std::uint8_t zone);
  void SnapProtractorToVertex();

  TMode mode_ = aMesure;
  std::unique_ptr<TAngle> angle_;
  std::unique_ptr<TGradoir> protractor_;
  std::unique_ptr<TBitmapLayer> angle_layer_;
  std::unique_ptr<TBitmapLayer> protractor_layer_;
};

}  // namespace gradoir
