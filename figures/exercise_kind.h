#pragma once
// The two kinds of exercise: measure an angle drawn by the program, or draw
// an angle of a given measure from its first side.
#include <cstdint>

namespace gradoir {

enum class ExerciseKind : std::uint8_t { Measuring, Drawing };

}  // namespace gradoir
