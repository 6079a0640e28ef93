#pragma once
// Keeping an exercise visible when the canvas changes size: where the angle
// and the protractor go so that the vertex, the sides' ends and the
// protractor's centre lie inside the new canvas. The exercise itself (the
// measure, the directions of the sides, the pupil's drawn side) is kept.
#include <cstdint>

#include "figures/angle.h"
#include "raster/types.h"

namespace gradoir {

// Distance from the canvas edges that moved points keep where there is room.
constexpr std::int32_t kFitMargin = 10;

// How far the protractor's grab zones reach about its centre: offsets of
// their bounding box (right and bottom inclusive) from the centre, in the
// canvas's pixels. All zero: the centre alone.
struct ZoneReach {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

struct ExerciseFit {
  AngleGeometry angle;          // the angle where it goes
  bool angleChanged = false;    // false: angle equals the given one
  Point protractorShift{0, 0};  // whole pixels the protractor moves by
};

// Nothing moves while every point lies inside a width x height canvas.
// Otherwise the angle moves by whole pixels, as little as it takes to bring
// its vertex and ends at least kFitMargin inside (less where the canvas is
// too small for that margin); on a canvas smaller than the angle, its sides
// are shortened about the vertex first, keeping their directions. A second
// side the pupil drew moves with the angle and, if it still reaches out,
// is shortened along its direction. The protractor moves with the angle, so
// a protractor laid on the angle stays on it, and then as little as it takes
// to bring its centre inside, and its grab zones (`reach`) where the canvas
// has room for them, so that the pupil can still take it. A protractor whose
// centre lies on the vertex brings the angle along where both fit. An empty
// canvas changes nothing.
ExerciseFit fitExercise(const AngleGeometry& angle, PointF protractorCentre, std::int32_t width,
                        std::int32_t height, ZoneReach reach = {});

}  // namespace gradoir
