// The texts as the pupil reads them, and where the correction lays the
// protractor, checked against the protractor's own drawing rule: graduation
// i of the outer scale lies in direction orientation + 180 + i (clockwise on
// screen), the inner scale's graduation g is the outer one 180 - g.
#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <numbers>

#include "figures/protractor_placement.h"
#include "teaching/explanation_texts.h"

namespace gradoir {
namespace {

TEST(ExplanationTexts, ExactWordingWithTheMeasure) {
  EXPECT_EQ(explanationText(Explanation::WrongScaleRead, 40),
            QStringLiteral("Tu as lu la mauvaise graduation : pars du 0 posé sur un côté de l'angle."));
  EXPECT_EQ(explanationText(Explanation::OutOfRange, 40),
            QStringLiteral("Un angle tracé ici mesure entre 0° et 180°."));
  EXPECT_EQ(explanationText(Explanation::AlmostDrawn, 47),
            QStringLiteral("Tu y es presque : vise exactement la graduation 47."));
  EXPECT_EQ(explanationText(Explanation::DrawFromFirstSide, 135),
            QStringLiteral("Pose le rapporteur sur le premier côté et trace jusqu'à la graduation 135."));
  EXPECT_EQ(explanationText(Explanation::RightMeasureWas, 5), QStringLiteral("La bonne mesure était de 5°."));
  EXPECT_EQ(explanationText(Explanation::HereIsTheAngle, 175), QStringLiteral("Voici un angle de 175°."));
}

TEST(ExplanationTexts, EveryCodeHasItsOwnText) {
  QStringList seen;
  for (int code = 0; code <= static_cast<int>(Explanation::HereIsTheAngle); ++code) {
    const QString text = explanationText(static_cast<Explanation>(code), 12);
    EXPECT_FALSE(text.isEmpty()) << code;
    EXPECT_FALSE(text.contains(u'%')) << code;
    EXPECT_FALSE(seen.contains(text)) << code;
    seen << text;
  }
}

// Side end of length 250 from vertex v, `clockwise` degrees clockwise on
// screen from the positive x axis.
PointF endAt(PointF v, long double clockwise) {
  const long double r = clockwise * std::numbers::pi_v<long double> / 180.0L;
  return {static_cast<float>(v.x + 250 * std::cos(r)), static_cast<float>(v.y + 250 * std::sin(r))};
}

long double mod360(long double a) {
  const long double r = std::fmod(a, 360.0L);
  return r < 0 ? r + 360.0L : r;
}

// Direction of graduation g of a scale, clockwise on screen.
long double graduationDirection(const ProtractorOnAngle& p, std::int32_t g) {
  const std::int32_t outer = p.scale == ProtractorScale::Outer ? g : 180 - g;
  return mod360(static_cast<long double>(p.pose.orientation) + 180 + outer);
}

TEST(ProtractorOnAngle, CentreOnVertexZeroOnFirstSideOtherSideOnTheReading) {
  const PointF v{321, 207};
  for (int first = -180; first < 180; first += 7) {
    for (int m : {5, 30, 89, 90, 91, 150, 175}) {
      for (int turn : {-1, 1}) {
        const ProtractorOnAngle p = protractorOnAngle(v, endAt(v, first), endAt(v, first + turn * m));
        SCOPED_TRACE(testing::Message() << "first " << first << " m " << m << " turn " << turn);
        EXPECT_EQ(p.pose.centreX, v.x);
        EXPECT_EQ(p.pose.centreY, v.y);
        EXPECT_GE(p.pose.orientation, 0);
        EXPECT_LT(p.pose.orientation, 360);
        EXPECT_EQ(p.reading, m);
        EXPECT_EQ(graduationDirection(p, 0), mod360(first));
        EXPECT_EQ(graduationDirection(p, m), mod360(first + turn * m));
        // Clockwise turns read on the outer scale, the others on the inner.
        EXPECT_EQ(p.scale, turn > 0 ? ProtractorScale::Outer : ProtractorScale::Inner);
      }
    }
  }
}

// Either scale reads a straight angle; a null one reads 0 on the outer scale.
TEST(ProtractorOnAngle, StraightAndNullAnglesReadFromTheFirstSide) {
  const PointF v{321, 207};
  for (int first = -180; first < 180; first += 45) {
    for (int m : {0, 180}) {
      const ProtractorOnAngle p = protractorOnAngle(v, endAt(v, first), endAt(v, first + m));
      SCOPED_TRACE(testing::Message() << "first " << first << " m " << m);
      if (m == 0) EXPECT_EQ(p.scale, ProtractorScale::Outer) << first;
      EXPECT_EQ(p.reading, m);
      EXPECT_EQ(graduationDirection(p, 0), mod360(first));
    }
  }
}

TEST(ProtractorOnAngle, SideBetweenWholeDegreesRoundsTheEdge) {
  const PointF v{100, 100};
  const ProtractorOnAngle p = protractorOnAngle(v, endAt(v, 10.3L), endAt(v, 10.3L + 60));
  EXPECT_EQ(p.pose.orientation, 190);  // outer 0 end at 10
  EXPECT_EQ(p.scale, ProtractorScale::Outer);
  EXPECT_EQ(p.reading, 60);
}

}  // namespace
}  // namespace gradoir
