#pragma once
// Where the pupil is in the series, for the main window's status bar.
#include <QString>
#include <cstdint>

namespace gradoir {

// "Exercice 3 sur 10"; a series of length 0 or less never ends, so it has no
// total to show: "Exercice 3".
QString seriesProgressText(std::int32_t exerciseNumber, std::int32_t seriesLength);

}  // namespace gradoir
