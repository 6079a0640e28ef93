#include "teacher/mistake_words.h"

#include <QCoreApplication>
#include <array>
#include <utility>

#include "teaching/explanation_texts.h"

namespace gradoir {

namespace {

constexpr char kContext[] = "gradoir::MistakeWords";

struct Words {
  const char* code;
  const char* name;
  const char* advice;
};

constexpr std::array<Words, 11> kWords{{
    {"centre-off-vertex", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Centre hors du sommet"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords",
                       "Avant de lire, vérifier que le centre du rapporteur est exactement sur le sommet.")},
    {"wrong-scale", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Mauvaise graduation"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords",
                       "Repérer d'abord le 0 posé sur un côté, puis suivre cette graduation-là jusqu'au bout.")},
    {"zero-line-off-side", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Ligne du 0 hors du côté"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Aligner la ligne du 0 sur un côté de l'angle avant de lire.")},
    {"almost", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "À deux degrés près"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Lire lentement les petites graduations, degré par degré.")},
    {"obtuse", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Obtus pris pour aigu"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords",
                       "Se demander d'abord si l'angle est aigu ou obtus : un angle obtus mesure plus de 90°.")},
    {"acute", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Aigu pris pour obtus"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords",
                       "Se demander d'abord si l'angle est aigu ou obtus : un angle aigu mesure moins de 90°.")},
    {"read-from-zero", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Lecture sans partir du 0"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Partir du 0 et suivre les graduations jusqu'au second côté.")},
    {"out-of-range", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Mesure au-delà de 180°"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Se rappeler qu'un angle mesure ici entre 0° et 180°.")},
    {"no-second-side", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Second côté non tracé"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Tracer le second côté depuis le sommet avant de valider.")},
    {"draw-from-first-side", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Tracé loin de la graduation"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords",
                       "Poser le rapporteur sur le premier côté, marquer la graduation, puis tracer depuis le sommet.")},
    {"correction", QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Correction montrée"),
     QT_TRANSLATE_NOOP("gradoir::MistakeWords", "Refaire avec le rapporteur les angles que la correction a montrés.")},
}};

const Words* wordsOf(const QString& code) {
  for (const Words& w : kWords) {
    if (code == QLatin1String(w.code)) return &w;
  }
  return nullptr;
}

constexpr std::array kExplanations{
    Explanation::OutOfRange,        Explanation::WrongScaleRead,     Explanation::CentreOffVertex,
    Explanation::ZeroLineOffSide,   Explanation::AlmostRead,         Explanation::AngleIsObtuse,
    Explanation::AngleIsAcute,      Explanation::ReadFromZero,       Explanation::NoSecondSide,
    Explanation::WrongScaleFollowed, Explanation::AlmostDrawn,       Explanation::DrawFromFirstSide,
    Explanation::RightMeasureWas,   Explanation::HereIsTheAngle};

bool drawingOnly(Explanation e) {
  return e == Explanation::NoSecondSide || e == Explanation::WrongScaleFollowed || e == Explanation::AlmostDrawn ||
         e == Explanation::DrawFromFirstSide || e == Explanation::HereIsTheAngle;
}

}  // namespace

QString mistakeName(const QString& code) {
  const Words* w = wordsOf(code);
  return w ? QCoreApplication::translate(kContext, w->name) : code;
}

QString explanationWords(const QString& code, ExerciseKind kind, int measure) {
  // Two explanations share a code ("wrong-scale", "almost"): one measuring,
  // one drawing; the kind of exercise tells which the pupil saw.
  std::optional<Explanation> found;
  for (const Explanation e : kExplanations) {
    if (explanationCode(e) != code) continue;
    if (!found || drawingOnly(e) == (kind == ExerciseKind::Drawing)) found = e;
  }
  return found ? explanationText(*found, measure) : code;
}

QString explanationWordsOf(const TryRecord& attempt) {
  return attempt.explanation ? explanationWords(*attempt.explanation, attempt.kind, attempt.target) : QString();
}

QString adviceFor(const QString& code) {
  if (code.isEmpty()) {
    return QCoreApplication::translate(kContext, "Aucune erreur ne revient souvent : continuer ainsi, ou essayer un niveau plus exigeant.");
  }
  const Words* w = wordsOf(code);
  return w ? QCoreApplication::translate(kContext, w->advice) : QString();
}

}  // namespace gradoir
