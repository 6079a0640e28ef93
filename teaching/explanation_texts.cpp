#include "teaching/explanation_texts.h"

#include <array>
#include <utility>

namespace gradoir {

namespace {

// "%1" stands for the measure.
constexpr std::array<std::pair<Explanation, const char16_t*>, 14> kTexts{{
    {Explanation::OutOfRange, u"Un angle tracé ici mesure entre 0° et 180°."},
    {Explanation::WrongScaleRead,
     u"Tu as lu la mauvaise graduation : pars du 0 posé sur un côté de l'angle."},
    {Explanation::CentreOffVertex, u"Pose le centre du rapporteur sur le sommet de l'angle."},
    {Explanation::ZeroLineOffSide, u"Pose la ligne du 0 du rapporteur sur un côté de l'angle."},
    {Explanation::AlmostRead, u"Tu y es presque : regarde bien les petites graduations."},
    {Explanation::AngleIsObtuse, u"Cet angle est obtus : sa mesure est plus grande que 90°."},
    {Explanation::AngleIsAcute, u"Cet angle est aigu : sa mesure est plus petite que 90°."},
    {Explanation::ReadFromZero, u"Lis la graduation où passe le second côté, en partant du 0."},
    {Explanation::NoSecondSide, u"Trace le second côté avec le crayon, en partant du sommet."},
    {Explanation::WrongScaleFollowed,
     u"Tu as suivi la mauvaise graduation : pars du 0 posé sur le premier côté."},
    {Explanation::AlmostDrawn, u"Tu y es presque : vise exactement la graduation %1."},
    {Explanation::DrawFromFirstSide,
     u"Pose le rapporteur sur le premier côté et trace jusqu'à la graduation %1."},
    {Explanation::RightMeasureWas, u"La bonne mesure était de %1°."},
    {Explanation::HereIsTheAngle, u"Voici un angle de %1°."},
}};

}  // namespace

QString explanationText(Explanation code, std::int32_t measure) {
  for (const auto& [key, text] : kTexts) {
    if (key != code) continue;
    const QString t = QString::fromUtf16(text);
    return t.contains(u"%1") ? t.arg(measure) : t;
  }
  return {};
}

}  // namespace gradoir
