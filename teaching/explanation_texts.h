#pragma once
// The texts of the explanations, in one table: French, translated when shown.
#include <QString>
#include <cstdint>

#include "teaching/diagnosis.h"

namespace gradoir {

// The text of `code`; texts that name a measure show `measure` (the measure
// asked for, or the right measure of the correction).
QString explanationText(Explanation code, std::int32_t measure);

// The code stored with a wrong try in the record of results: a short English
// word that stays the same in every language and from one version to the next.
QString explanationCode(Explanation code);

}  // namespace gradoir
