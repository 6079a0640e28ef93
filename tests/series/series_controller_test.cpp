// The rules of a series, without a window: tries, tolerance, score, length,
// the next exercise, an abandon, typed text, the estimate, the protractor
// laid on the angle, the explanations and the correction.
#include <QStringList>

#include "fake_board.h"
#include "figures/graduation_reading.h"
#include "series/series_log.h"

namespace gradoir::test {
namespace {

using State = SeriesState;

TEST_F(SeriesTest, CommandsOutsideTheirStateDoNothing) {
  start();
  series().submitAnswer(QStringLiteral("12"));
  series().submitDrawing();
  series().nextExercise();
  EXPECT_EQ(series().state(), State::NoSeries);
  EXPECT_TRUE(m_board.levels.empty());
  EXPECT_TRUE(m_news.states.empty());

  series().startSeries(ExerciseKind::Measuring);
  series().submitDrawing();  // not a drawing exercise
  series().nextExercise();   // not decided
  EXPECT_TRUE(m_news.verdicts.empty());
  EXPECT_EQ(series().exerciseNumber(), 1);
  answerRight();
  answerRight();  // decided: no further try
  EXPECT_EQ(m_news.verdicts.size(), 1u);
  EXPECT_EQ(series().successCount(), 1);
}

TEST_F(SeriesTest, ThreeTriesThenTheExerciseIsDecided) {
  const struct {
    std::vector<bool> tries;  // right or wrong, in order
    int successes;
  } cases[] = {{{true}, 1}, {{false, true}, 1}, {{false, false, true}, 1}, {{false, false, false}, 0}};
  for (const auto& c : cases) {
    start(lengths(5, 5));
    series().startSeries(ExerciseKind::Measuring);
    std::vector<std::pair<std::int32_t, bool>> expected;
    for (std::size_t i = 0; i < c.tries.size(); ++i) {
      EXPECT_EQ(series().state(), State::Trying);
      EXPECT_EQ(series().tryNumber(), static_cast<int>(i) + 1);
      c.tries[i] ? answerRight() : answerWrong();
      expected.emplace_back(static_cast<int>(i) + 1, c.tries[i]);
    }
    EXPECT_EQ(m_news.verdicts, expected);
    EXPECT_EQ(series().state(), State::Decided);
    EXPECT_EQ(series().tryNumber(), 1);
    EXPECT_EQ(series().successCount(), c.successes);
    EXPECT_EQ(m_news.scores.back(), std::make_pair(c.successes, 1));
  }
}

TEST_F(SeriesTest, ToleranceCountsEitherWayForBothKinds) {
  const struct {
    ExerciseKind kind;
    int tolerance;
    int offset;  // from the measure asked; drawn sides of either sign
    bool right;
  } cases[] = {
      {ExerciseKind::Measuring, 0, 0, true},   {ExerciseKind::Measuring, 0, 1, false},
      {ExerciseKind::Measuring, 2, 2, true},   {ExerciseKind::Measuring, 2, -2, true},
      {ExerciseKind::Measuring, 2, 3, false},  {ExerciseKind::Measuring, 2, -3, false},
      {ExerciseKind::Drawing, 0, 0, true},     {ExerciseKind::Drawing, 0, -1, false},
      {ExerciseKind::Drawing, 1, -1, true},    {ExerciseKind::Drawing, 1, 2, false},
  };
  for (const auto& c : cases) {
    Settings settings;
    settings.level.tolerance = c.tolerance;
    start(settings);
    series().startSeries(c.kind);
    const int asked = series().targetMeasure();
    if (c.kind == ExerciseKind::Measuring) {
      answer(asked + c.offset);
    } else {
      // Either way round: the opening counts, not its sign.
      for (const int sign : {-1, 1}) {
        drawAndCheck(sign * (asked + c.offset));
        if (series().state() == State::Decided) break;
      }
    }
    ASSERT_FALSE(m_news.verdicts.empty());
    EXPECT_EQ(m_news.verdicts.front().second, c.right) << c.tolerance << ' ' << c.offset;
    if (c.kind == ExerciseKind::Drawing) {
      EXPECT_EQ(m_news.verdicts.size(), c.right ? 1u : 2u);
    }
    // Accepted but not exact: the pupil is told the exact measure.
    using Told = std::vector<std::pair<std::int32_t, std::int32_t>>;
    const Told told = c.right && c.offset != 0 ? Told{{asked + c.offset, asked}} : Told{};
    EXPECT_EQ(m_news.acceptedNear, told) << c.tolerance << ' ' << c.offset;
  }
}

TEST_F(SeriesTest, EachKindEndsAfterItsOwnLengthAndNoneWithoutOne) {
  const struct {
    ExerciseKind kind;
    int measuring, drawing;
    int played;
    bool over;
    const char* lastProgress;
  } cases[] = {
      {ExerciseKind::Measuring, 1, 10, 1, true, "Exercice 1 sur 1"},
      {ExerciseKind::Drawing, 10, 3, 3, true, "Exercice 3 sur 3"},
      {ExerciseKind::Measuring, 3, 10, 2, false, "Exercice 2 sur 3"},
      {ExerciseKind::Measuring, 0, 10, 4, false, "Exercice 4"},
      {ExerciseKind::Drawing, 10, -2, 4, false, "Exercice 4"},
  };
  for (const auto& c : cases) {
    start(lengths(c.measuring, c.drawing));
    series().startSeries(c.kind);
    for (int exercise = 1; exercise <= c.played; ++exercise) {
      if (exercise > 1) series().nextExercise();
      EXPECT_EQ(series().exerciseNumber(), exercise);
      c.kind == ExerciseKind::Measuring ? answerRight() : drawAndCheck(series().targetMeasure());
    }
    EXPECT_EQ(series().state(), c.over ? State::Over : State::Decided) << c.played;
    EXPECT_EQ(series().seriesRunning(), !c.over);
    EXPECT_EQ(m_news.summaries.size(), c.over ? 1u : 0u);
    EXPECT_EQ(m_news.scores.back(), std::make_pair(c.played, c.played));
    ASSERT_GE(m_news.progress.size(), 2u);
    const auto shown = c.over ? m_news.progress.end() - 2 : m_news.progress.end() - 1;
    EXPECT_EQ(*shown, QString::fromUtf8(c.lastProgress));
    if (c.over) {
      EXPECT_TRUE(m_news.progress.back().isEmpty());
    }
  }
}

TEST_F(SeriesTest, NextExerciseStartsAfreshAndAnAbandonStartsTheSeriesAgain) {
  start(lengths(5, 5));
  series().startSeries(ExerciseKind::Measuring);
  answerWrong();
  answerRight();
  const int cleared = m_news.explanationsCleared;
  series().nextExercise();
  EXPECT_EQ(series().exerciseNumber(), 2);
  EXPECT_EQ(series().tryNumber(), 1);
  EXPECT_EQ(series().state(), State::Trying);
  EXPECT_EQ(m_board.levels.size(), 2u);
  EXPECT_EQ(m_news.explanationsCleared, cleared + 1);
  answerRight();

  // Between two exercises the series is still under way; choosing again abandons it.
  ASSERT_TRUE(series().seriesRunning());
  series().startSeries(ExerciseKind::Drawing);
  EXPECT_EQ(series().kind(), ExerciseKind::Drawing);
  EXPECT_EQ(series().exerciseNumber(), 1);
  EXPECT_EQ(series().successCount(), 0);
  EXPECT_EQ(m_news.scores.back(), std::make_pair(0, 0));
  EXPECT_TRUE(m_news.summaries.empty());
  EXPECT_FALSE(m_board.geometry->measure.has_value());  // no second side yet
  EXPECT_EQ(m_news.started.back(), series().targetMeasure());
}

TEST_F(SeriesTest, TypedTextIsAnAnswerOnlyAsAWholeNumber) {
  const struct {
    const char* text;
    bool judged;
  } cases[] = {{"12a", false}, {"-", false}, {"+", false},  {"  ", false}, {"1234567890", false},
               {" 7", true},   {"+5", true}, {"-12", true}, {"007", true}, {"123456", true}};
  for (const auto& c : cases) {
    start();
    series().startSeries(ExerciseKind::Measuring);
    series().submitAnswer(QString());  // nothing typed: nothing happens
    series().submitAnswer(QString::fromUtf8(c.text));
    EXPECT_EQ(m_news.rejected, c.judged ? 0 : 1) << c.text;
    EXPECT_EQ(m_news.verdicts.size(), c.judged ? 1u : 0u) << c.text;
    EXPECT_EQ(series().tryNumber(), 1 + (c.judged && series().state() == State::Trying)) << c.text;
  }
}

TEST_F(SeriesTest, TheEstimateComesFirstAndIsNotScored) {
  Settings settings = lengths(3, 3);
  settings.level.estimation = true;
  start(settings);
  series().startSeries(ExerciseKind::Measuring);
  EXPECT_EQ(series().state(), State::Estimating);
  EXPECT_FALSE(m_board.pose);
  EXPECT_EQ(m_news.protractorShown, std::vector<bool>{false});
  series().submitAnswer(QStringLiteral("x"));
  EXPECT_EQ(m_news.rejected, 1);
  EXPECT_EQ(series().state(), State::Estimating);

  answer(measure() + 15);
  EXPECT_EQ(m_news.estimates, std::vector<bool>{true});
  EXPECT_EQ(series().state(), State::Trying);
  EXPECT_EQ(m_board.pose, FakeBoard::kCentred);
  EXPECT_EQ(m_news.protractorShown.back(), true);
  EXPECT_TRUE(m_news.verdicts.empty());
  EXPECT_EQ(series().tryNumber(), 1);
  answerRight();
  EXPECT_EQ(series().successCount(), 1);

  series().nextExercise();
  EXPECT_EQ(series().state(), State::Estimating);
  const int far = measure() - 16;
  answer(far);
  EXPECT_EQ(m_news.estimates.back(), false);
  EXPECT_EQ(series().tryNumber(), 1);
  const ExerciseSummary& second = series().log().exercises().last();
  EXPECT_EQ(second.estimate, far);
  EXPECT_TRUE(second.answers.isEmpty());

  // Drawing exercises ask for none.
  series().startSeries(ExerciseKind::Drawing);
  EXPECT_EQ(series().state(), State::Trying);
}

TEST_F(SeriesTest, TheLevelReachesTheBoardAndTheProtractorIsLaidForMeasuringOnly) {
  Settings settings = lengths(3, 3);
  settings.level = Level{10, 40, 80, 1, true, true};
  start(settings);
  series().startSeries(ExerciseKind::Measuring);
  // Laid on the angle, then hidden for the estimate, then shown where it lies.
  EXPECT_TRUE(m_board.laidOnAngle);
  EXPECT_FALSE(m_board.pose);
  answer(60);
  ASSERT_TRUE(m_board.pose);
  EXPECT_EQ(m_board.pose->centreX, m_board.geometry->vertex.x);
  EXPECT_EQ(m_board.pose->centreY, m_board.geometry->vertex.y);
  answerRight();
  series().nextExercise();
  EXPECT_TRUE(m_board.laidOnAngle);
  series().startSeries(ExerciseKind::Drawing);
  EXPECT_FALSE(m_board.laidOnAngle);
  EXPECT_EQ(m_board.pose, FakeBoard::kCentred);
  for (const Level& level : m_board.levels) EXPECT_EQ(level, settings.level);
  EXPECT_EQ(m_board.levels.size(), 3u);
}

// The texts are the ones the pupil reads; which mistake each names is the
// diagnosis's own business, tested with it.
TEST_F(SeriesTest, AWrongTryNamesItsMistakeFromTheRightFacts) {
  const QString outOfRange = QStringLiteral("Un angle tracé ici mesure entre 0° et 180°.");
  const QString centreOff = QStringLiteral("Pose le centre du rapporteur sur le sommet de l'angle.");
  const QString wrongScale = QStringLiteral("Tu as lu la mauvaise graduation : pars du 0 posé sur un côté de l'angle.");
  const QString followed =
      QStringLiteral("Tu as suivi la mauvaise graduation : pars du 0 posé sur le premier côté.");
  const QString noSide = QStringLiteral("Trace le second côté avec le crayon, en partant du sommet.");
  const struct {
    ExerciseKind kind;
    int answer;  // typed or drawn; 0: checked before drawing
    bool hidden;
    QString text;
  } cases[] = {
      {ExerciseKind::Measuring, 181, false, outOfRange}, {ExerciseKind::Measuring, 100, false, centreOff},
      {ExerciseKind::Measuring, 100, true, centreOff},   {ExerciseKind::Measuring, 140, false, wrongScale},
      {ExerciseKind::Drawing, 0, false, noSide},         {ExerciseKind::Drawing, -140, false, followed},
      {ExerciseKind::Drawing, 100, false, centreOff},
  };
  for (const auto& c : cases) {
    m_board.fixedMeasure = 40;
    start({}, {true, false});
    series().startSeries(c.kind);
    if (c.hidden) m_board.hideProtractor();
    if (c.kind == ExerciseKind::Measuring) {
      answer(c.answer);
    } else if (c.answer == 0) {
      series().submitDrawing();
    } else {
      drawAndCheck(c.answer);
    }
    ASSERT_EQ(m_news.explanations.size(), 1u) << c.answer;
    EXPECT_EQ(m_news.explanations.back(), c.text) << c.answer;
    // Checked before drawing: no try spent.
    EXPECT_EQ(series().tryNumber(), c.answer == 0 ? 1 : 2);
    const int cleared = m_news.explanationsCleared;
    series().pupilResumed();
    EXPECT_EQ(m_news.explanationsCleared, cleared + 1);
  }
}

TEST_F(SeriesTest, ADrawnSideIsJudgedWithTheProtractorWhereItLayAtTheStrokesEnd) {
  const QString centreOff = QStringLiteral("Pose le centre du rapporteur sur le sommet de l'angle.");
  m_board.fixedMeasure = 40;
  start(lengths(5, 5), {true, false});
  series().startSeries(ExerciseKind::Drawing);
  const PointF v = m_board.geometry->vertex;
  m_board.draw(100);  // with the protractor at the centre of the canvas
  m_board.pose = ProtractorPose{v.x, v.y, 0};
  series().submitDrawing();
  EXPECT_EQ(m_news.explanations.back(), centreOff);

  m_board.draw(100);  // now with its centre on the vertex
  m_board.pose = FakeBoard::kCentred;
  series().submitDrawing();
  EXPECT_NE(m_news.explanations.back(), centreOff);
}

TEST_F(SeriesTest, TheThirdWrongTryShowsTheRightReading) {
  for (const ExerciseKind kind : {ExerciseKind::Measuring, ExerciseKind::Drawing}) {
    start(lengths(5, 5), {true, true});
    series().startSeries(kind);
    const int asked = series().targetMeasure();
    for (int i = 0; i < 3; ++i) {
      kind == ExerciseKind::Measuring ? answer(asked == 100 ? 101 : 100) : drawAndCheck(asked + 20);
    }
    const bool drawing = kind == ExerciseKind::Drawing;
    EXPECT_EQ(m_news.explanations.back(), drawing ? QStringLiteral("Voici un angle de %1°.").arg(asked)
                                                  : QStringLiteral("La bonne mesure était de %1°.").arg(asked));
    EXPECT_EQ(m_news.protractorShown.back(), true);
    ASSERT_TRUE(m_board.correction);
    const FakeBoard::Correction& c = *m_board.correction;
    const AngleGeometry& g = *m_board.geometry;
    EXPECT_EQ(c.target.centreX, g.vertex.x);
    EXPECT_EQ(c.target.centreY, g.vertex.y);
    // Read from the protractor's graduations where it is going.
    const PointF right = drawing ? g.generatedEnd : g.secondEnd;
    EXPECT_EQ(graduationUnder(c.target, c.mark.scale, right.x, right.y), asked);
    EXPECT_EQ(c.mark.graduation, asked);
    EXPECT_EQ(c.rightSecondEnd.has_value(), drawing);
    EXPECT_EQ(series().state(), State::Decided);
  }
}

TEST_F(SeriesTest, EachAidCanBeSwitchedOff) {
  const struct {
    TeachingSettings aids;
    std::size_t explanations;  // after three wrong tries
    bool correction;
  } cases[] = {{{true, true}, 3, true}, {{false, true}, 1, true}, {{true, false}, 3, false}, {{false, false}, 0, false}};
  for (const auto& c : cases) {
    start(lengths(1, 1), c.aids);
    series().startSeries(ExerciseKind::Measuring);
    for (int i = 0; i < 3; ++i) answer(999);
    EXPECT_EQ(m_news.explanations.size(), c.explanations);
    if (c.explanations > 0 && !c.correction) {
      EXPECT_EQ(m_news.explanations.back(), m_news.explanations.front());
    }
    EXPECT_EQ(m_board.correction.has_value(), c.correction);
    // Without a correction to wait for, the series's end comes at once; the
    // last explanation stays.
    EXPECT_EQ(m_news.summaries.size(), c.correction ? 0u : 1u);
    EXPECT_EQ(m_news.explanationsCleared, 1);
    // A drawing checked before any side is drawn.
    series().startSeries(ExerciseKind::Drawing);
    series().submitDrawing();
    EXPECT_EQ(m_news.explanations.size(), c.explanations + (c.aids.explanations ? 1 : 0));
  }
}

// The pupil reads the right answer first: the summary comes with "Suite",
// not when the protractor arrives.
TEST_F(SeriesTest, TheEndOfTheSeriesWaitsForThePupilAfterACorrection) {
  start(lengths(2, 1), {false, true});
  series().startSeries(ExerciseKind::Measuring);
  for (int i = 0; i < 3; ++i) answerWrong();
  series().nextExercise();
  for (int i = 0; i < 3; ++i) answerWrong();
  EXPECT_EQ(series().state(), State::Over);
  EXPECT_TRUE(series().summaryWaits());
  m_board.finishCorrection();  // the protractor arrives
  EXPECT_TRUE(m_news.summaries.empty());
  series().nextExercise();
  EXPECT_EQ(m_news.summaries.size(), 1u);
  EXPECT_FALSE(series().summaryWaits());
  series().nextExercise();  // told once only
  EXPECT_EQ(m_news.summaries.size(), 1u);

  // "Suite" during the glide puts the protractor on the angle, then ends.
  series().startSeries(ExerciseKind::Drawing);
  for (int i = 0; i < 3; ++i) drawAndCheck(series().targetMeasure() + 40);
  ASSERT_TRUE(m_board.gliding);
  series().nextExercise();
  EXPECT_FALSE(m_board.gliding);
  EXPECT_EQ(m_news.summaries.size(), 2u);
  // Right at the last exercise: nothing to read, the summary comes at once.
  series().startSeries(ExerciseKind::Drawing);
  drawAndCheck(series().targetMeasure());
  EXPECT_EQ(m_news.summaries.size(), 3u);

  // A new series chosen while the last correction glides: the end comes first.
  series().startSeries(ExerciseKind::Drawing);
  for (int i = 0; i < 3; ++i) drawAndCheck(series().targetMeasure() + 40);
  ASSERT_TRUE(m_board.gliding);
  series().startSeries(ExerciseKind::Measuring);
  EXPECT_EQ(m_news.summaries.size(), 4u);
  EXPECT_EQ(series().state(), State::Trying);
}

TEST_F(SeriesTest, TheSummaryGivesTheScoreAndEveryExercise) {
  start(lengths(3, 3));
  series().startSeries(ExerciseKind::Measuring);
  QList<int> targets{measure()};
  answerRight();
  series().nextExercise();
  targets << measure();
  answerWrong();
  answerRight();
  series().nextExercise();
  targets << measure();
  const int missed = wrong();
  for (int i = 0; i < 3; ++i) answerWrong();
  ASSERT_EQ(m_news.summaries.size(), 1u);
  const QString& summary = m_news.summaries.front();
  EXPECT_TRUE(summary.contains(QStringLiteral("2 exercices réussis sur 3"))) << summary.toStdString();
  for (int t : targets) EXPECT_TRUE(summary.contains(QStringLiteral("%1°").arg(t))) << t;
  EXPECT_TRUE(summary.contains(QStringLiteral("%1°, %1°, %1°").arg(missed)));
  EXPECT_EQ(summary.count(QStringLiteral("réussi<")), 2);
  EXPECT_EQ(summary.count(QStringLiteral("manqué")), 1);
}

}  // namespace
}  // namespace gradoir::test
