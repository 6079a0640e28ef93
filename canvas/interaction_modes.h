#pragma once
// What the pupil's input means with each tool. The canvas turns mouse, pen,
// touch and key events into points (device pixels) and hands them to the
// current mode; the mode decides from the geometry under the point which
// step of the scene (exercise_scene.h) they make.
#include <cstdint>

#include "raster/types.h"

namespace gradoir {

class ExerciseScene;

// What the pointer should look like after an event.
enum class PointerLook : std::uint8_t { Unchanged, Hand, Arrow };

class InteractionMode {
 public:
  explicit InteractionMode(ExerciseScene& scene) : m_scene(scene) {}
  virtual ~InteractionMode() = default;
  InteractionMode(const InteractionMode&) = delete;
  InteractionMode& operator=(const InteractionMode&) = delete;

  // Mouse and pen. A move, with the left button held or hovering;
  // `arrowShowing` says what the pointer looks like now.
  virtual PointerLook move(Point at, bool leftHeld, bool arrowShowing) = 0;
  // A press of any button, `leftPressed` when it is the left one, `leftHeld`
  // while the left one is down (it may be held already). Unless a mode says
  // otherwise it acts as a move to its point with the buttons it leaves held.
  virtual PointerLook press(Point at, bool /*leftPressed*/, bool leftHeld) { return move(at, leftHeld, true); }
  // The left button released.
  virtual void release() = 0;

  // One finger: it went down, moved (from where it went down, rounded), and
  // was lifted. A finger is the left button unless a mode says otherwise.
  virtual PointerLook fingerDown(Point at) { return press(at, true, true); }
  virtual void fingerMoved(Point /*from*/, Point at) { move(at, true, false); }
  virtual void fingerLifted() { release(); }
  // Two fingers went down; false when they make no gesture here.
  virtual bool twoFingersDown(Point /*a*/, Point /*b*/) { return false; }
  // They turned by `turn` degrees and their midpoint moved by (dx, dy)
  // since they went down.
  virtual void twoFingersMoved(std::int32_t /*turn*/, std::int64_t /*dx*/, std::int64_t /*dy*/) {}
  virtual void twoFingersLifted() {}

  // The arrow keys by (dx, dy) pixels; Space (false: not taken).
  virtual void arrowKey(std::int32_t dx, std::int32_t dy) = 0;
  virtual bool spaceKey() { return false; }

 protected:
  ExerciseScene& m_scene;
};

// Moves and turns the protractor: a press grabs the zone under it, a drag
// moves or turns by that zone, a drop snaps the centre onto the vertex. A
// finger grabs a wider zone and keeps its offset from what it holds.
class ProtractorMode : public InteractionMode {
 public:
  using InteractionMode::InteractionMode;
  PointerLook press(Point at, bool leftPressed, bool leftHeld) override;
  PointerLook move(Point at, bool leftHeld, bool arrowShowing) override;
  void release() override;
  PointerLook fingerDown(Point at) override;
  void fingerMoved(Point from, Point at) override;
  void fingerLifted() override;
  bool twoFingersDown(Point a, Point b) override;
  void twoFingersMoved(std::int32_t turn, std::int64_t dx, std::int64_t dy) override;
  void twoFingersLifted() override;
  void arrowKey(std::int32_t dx, std::int32_t dy) override;

 private:
  // Two fingers with the centre on the vertex turn about the vertex only.
  bool m_pinnedOnVertex = false;
};

// Draws the second side: every point of a stroke, by the left button or a
// finger, is a pencil step, the end of the stroke draws it black; the keys
// aim a cross-hair and Space draws.
class PencilMode : public InteractionMode {
 public:
  using InteractionMode::InteractionMode;
  PointerLook move(Point at, bool leftHeld, bool arrowShowing) override;
  void release() override;
  void arrowKey(std::int32_t dx, std::int32_t dy) override;
  bool spaceKey() override;
};

}  // namespace gradoir
