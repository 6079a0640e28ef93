#pragma once
// Whole-degree trigonometry read from two tables, and the small point helpers
// that the figures share. Angles are whole degrees from the positive x axis,
// counterclockwise as seen on the screen (y grows downward).
#include <cstdint>

#include "raster/types.h"

namespace gradoir {

// sin and cos of 0..360 whole degrees in extended precision. Entry 360 is
// kept: degSin/degCos read it for positive multiples of 360.
extern const long double (&kSinTable)[361];
extern const long double (&kCosTable)[361];

// Fills both tables, once per process (later calls return at once). They are
// also filled before main() so that no reader can ever see zeros.
void fillDegreeTables();

// Table index of any whole degree: negative angles wrap into 0..359,
// angles above 360 into 1..360, and 0..360 are read as they are.
std::int32_t degreeTableIndex(std::int64_t degrees);

// Table entry rounded to a 32-bit float, for any whole degree.
float degSin(std::int64_t degrees);
float degCos(std::int64_t degrees);

// The direction of the vector (dx, dy) in degrees from the positive x axis
// toward positive y, that is clockwise on the screen, in [-180, 180]; the
// one conversion of atan2 to degrees that the program uses.
long double screenDirection(long double dx, long double dy);

// The turn from one direction to another the short way round, in
// (-180, 180], so that crossing the direction where atan2 jumps does not
// spin anything round.
long double turnBetween(long double fromDegrees, long double toDegrees);

// P turned about Center by A degrees, counterclockwise on screen for A > 0.
PointF rotatePoint(PointF center, PointF p, std::int64_t degrees);

// Exchanges a and b when a > b.
void orderPair(float& a, float& b);

}  // namespace gradoir
