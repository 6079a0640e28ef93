#include "teaching/explanation_texts.h"

#include <QCoreApplication>

#include <array>
#include <utility>

namespace gradoir {

namespace {

// "%1" stands for the measure. The French texts are translated when shown.
constexpr char kContext[] = "gradoir::Explanation";
constexpr std::array<std::pair<Explanation, const char*>, 14> kTexts{{
    {Explanation::OutOfRange,
     QT_TRANSLATE_NOOP("gradoir::Explanation", "Un angle tracé ici mesure entre 0° et 180°.")},
    {Explanation::WrongScaleRead,
     QT_TRANSLATE_NOOP("gradoir::Explanation",
                       "Tu as lu la mauvaise graduation : pars du 0 posé sur un côté de l'angle.")},
    {Explanation::CentreOffVertex,
     QT_TRANSLATE_NOOP("gradoir::Explanation", "Pose le centre du rapporteur sur le sommet de l'angle.")},
    {Explanation::ZeroLineOffSide,
     QT_TRANSLATE_NOOP("gradoir::Explanation", "Pose la ligne du 0 du rapporteur sur un côté de l'angle.")},
    {Explanation::AlmostRead,
     QT_TRANSLATE_NOOP("gradoir::Explanation", "Tu y es presque : regarde bien les petites graduations.")},
    {Explanation::AngleIsObtuse,
     QT_TRANSLATE_NOOP("gradoir::Explanation", "Cet angle est obtus : sa mesure est plus grande que 90°.")},
    {Explanation::AngleIsAcute,
     QT_TRANSLATE_NOOP("gradoir::Explanation", "Cet angle est aigu : sa mesure est plus petite que 90°.")},
    {Explanation::ReadFromZero,
     QT_TRANSLATE_NOOP("gradoir::Explanation",
                       "Lis la graduation où passe le second côté, en partant du 0.")},
    {Explanation::NoSecondSide,
     QT_TRANSLATE_NOOP("gradoir::Explanation", "Trace le second côté avec le crayon, en partant du sommet.")},
    {Explanation::WrongScaleFollowed,
     QT_TRANSLATE_NOOP("gradoir::Explanation",
                       "Tu as suivi la mauvaise graduation : pars du 0 posé sur le premier côté.")},
    {Explanation::AlmostDrawn,
     QT_TRANSLATE_NOOP("gradoir::Explanation", "Tu y es presque : vise exactement la graduation %1.")},
    {Explanation::DrawFromFirstSide,
     QT_TRANSLATE_NOOP("gradoir::Explanation",
                       "Pose le rapporteur sur le premier côté et trace jusqu'à la graduation %1.")},
    {Explanation::RightMeasureWas,
     QT_TRANSLATE_NOOP("gradoir::Explanation", "La bonne mesure était de %1°.")},
    {Explanation::HereIsTheAngle, QT_TRANSLATE_NOOP("gradoir::Explanation", "Voici un angle de %1°.")},
}};

}  // namespace

QString explanationText(Explanation code, std::int32_t measure) {
  for (const auto& [key, text] : kTexts) {
    if (key != code) continue;
    const QString t = QCoreApplication::translate(kContext, text);
    return t.contains(u"%1") ? t.arg(measure) : t;
  }
  return {};
}

QString explanationCode(Explanation code) {
  switch (code) {
    case Explanation::OutOfRange: return QStringLiteral("out-of-range");
    case Explanation::WrongScaleRead: return QStringLiteral("wrong-scale");
    case Explanation::CentreOffVertex: return QStringLiteral("centre-off-vertex");
    case Explanation::ZeroLineOffSide: return QStringLiteral("zero-line-off-side");
    case Explanation::AlmostRead: return QStringLiteral("almost");
    case Explanation::AngleIsObtuse: return QStringLiteral("obtuse");
    case Explanation::AngleIsAcute: return QStringLiteral("acute");
    case Explanation::ReadFromZero: return QStringLiteral("read-from-zero");
    case Explanation::NoSecondSide: return QStringLiteral("no-second-side");
    case Explanation::WrongScaleFollowed: return QStringLiteral("wrong-scale");
    case Explanation::AlmostDrawn: return QStringLiteral("almost");
    case Explanation::DrawFromFirstSide: return QStringLiteral("draw-from-first-side");
    case Explanation::RightMeasureWas:
    case Explanation::HereIsTheAngle: return QStringLiteral("correction");
  }
  return QStringLiteral("unknown");
}

}  // namespace gradoir
