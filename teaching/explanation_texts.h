#pragma once
// The texts of the explanations, in one table: French, translated when shown.
#include <QString>
#include <cstdint>

#include "teaching/diagnosis.h"

namespace gradoir {

// The text of `code`; texts that name a measure show `measure` (the measure
// asked for, or the right measure of the correction).
QString explanationText(Explanation code, std::int32_t measure);

}  // namespace gradoir
