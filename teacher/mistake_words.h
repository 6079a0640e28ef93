#pragma once
// What people read for a mistake's code (the store keeps short English codes
// such as "centre-off-vertex"): a short name for tables and charts, the
// explanation the pupil was shown, and a sentence of advice for a report.
// All in the user's language.
#include <QString>

#include "figures/exercise_kind.h"
#include "records/try_record.h"

namespace gradoir {

// "Centre hors du sommet"; an unknown code (a newer program's) as it is.
QString mistakeName(const QString& code);
// The explanation shown after the try ("Pose le centre du rapporteur sur le
// sommet de l'angle."), `measure` in the texts that name one.
QString explanationWords(const QString& code, ExerciseKind kind, int measure);
// The same for a recorded try (the CSV's words column).
QString explanationWordsOf(const TryRecord& attempt);
// One short sentence for the teacher's report; an empty code: no mistake
// stands out.
QString adviceFor(const QString& code);

}  // namespace gradoir
