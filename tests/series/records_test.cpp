// What a series leaves in a real SQLite file: one row per try with its
// values and its mistake's code, one per series, estimates apart, an
// abandoned series with what was done, nothing at all with recording off.
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <set>
#include <tuple>

#include "fake_board.h"
#include "records/class_list.h"
#include "records/results_reader.h"
#include "series/series_log.h"

namespace gradoir::test {
namespace {

class SeriesRecordsTest : public SeriesTest {
 protected:
  SeriesRecordsTest() { m_recording = true; }
  void startRecording(Settings settings) {
    settings.resultsBase = base();
    start(settings);
  }
  QString base() const { return m_dir.filePath(QStringLiteral("résultats.sqlite")); }
  // Its recorder commits everything before it goes.
  void finish() { m_series.reset(); }

  QTemporaryDir m_dir;
};

TEST_F(SeriesRecordsTest, APlayedSeriesGivesOneRowPerTry) {
  Settings settings = lengths(3, 3);
  settings.level = Level{5, 5, 175, 1, false, false};
  startRecording(settings);
  series().startSeries(ExerciseKind::Measuring);
  struct Expected {
    int exercise, target, answer;
    Verdict verdict;
  };
  QList<Expected> expected;
  auto give = [&](int offset) {
    const int target = measure();
    expected.append({series().exerciseNumber(), target, target + offset,
                     std::abs(offset) <= 1 ? Verdict::Right : Verdict::Wrong});
    answer(target + offset);
  };
  give(1);  // right, within the tolerance
  series().nextExercise();
  give(20);
  give(0);
  series().nextExercise();
  give(30);
  give(40);
  give(2);
  ASSERT_EQ(series().state(), SeriesState::Over);
  finish();

  ResultsReader reader(base());
  ASSERT_TRUE(reader.isOpen()) << reader.errorText().toStdString();
  const QList<TryRecord> tries = reader.tries();
  ASSERT_EQ(tries.size(), expected.size());
  const QList<SeriesRecord> series = reader.series();
  ASSERT_EQ(series.size(), 1);
  EXPECT_EQ(series[0].pupil, defaultPupilName());
  EXPECT_EQ(series[0].kind, ExerciseKind::Measuring);
  EXPECT_EQ(series[0].score, 2);
  EXPECT_EQ(series[0].length, 3);
  ASSERT_TRUE(series[0].end);
  EXPECT_LE(series[0].start, *series[0].end);
  // Tries given within one millisecond have no order in the store: compare
  // the rows as a set.
  std::multiset<std::tuple<int, int, int, int>> wanted, stored;
  for (const Expected& e : expected) wanted.insert({e.exercise, e.target, e.answer, static_cast<int>(e.verdict)});
  for (const TryRecord& t : tries) {
    stored.insert({t.exercise, t.target, t.answer.value_or(-1), static_cast<int>(t.verdict)});
  }
  EXPECT_EQ(stored, wanted);
  QSet<QString> ids;
  for (qsizetype i = 0; i < tries.size(); ++i) {
    const TryRecord& t = tries[i];
    EXPECT_EQ(t.target % 5, 0) << i;
    EXPECT_EQ(t.kind, ExerciseKind::Measuring);
    EXPECT_EQ(t.pupil, defaultPupilName());
    EXPECT_EQ(t.seriesId, series[0].id);
    EXPECT_EQ(t.level, settings.level);
    // A wrong try keeps the code of the mistake it shows; a right one none.
    EXPECT_EQ(t.explanation.has_value(), t.verdict == Verdict::Wrong) << i;
    EXPECT_GE(t.seconds, 0.0);
    EXPECT_LT(t.seconds, 60.0);
    EXPECT_GE(t.time, series[0].start);
    EXPECT_LE(t.time, *series[0].end);
    ids.insert(t.id);
  }
  EXPECT_EQ(ids.size(), tries.size());
}

// The record names the mistake, whether or not the pupil is told of it.
TEST_F(SeriesRecordsTest, AWrongTryKeepsTheCodeOfItsMistake) {
  startRecording(lengths(2, 2));
  series().startSeries(ExerciseKind::Measuring);
  answer(181);  // beyond what an angle drawn here measures
  EXPECT_TRUE(m_news.explanations.empty());
  finish();
  const QList<TryRecord> tries = ResultsReader(base()).tries();
  ASSERT_EQ(tries.size(), 1);
  EXPECT_EQ(tries[0].verdict, Verdict::Wrong);
  EXPECT_EQ(tries[0].explanation, std::optional<QString>(QStringLiteral("out-of-range")));
}

TEST_F(SeriesRecordsTest, DrawingTriesAndEstimatesAreRecorded) {
  Settings settings = lengths(1, 1);
  settings.level.estimation = true;
  startRecording(settings);
  series().startSeries(ExerciseKind::Drawing);
  const int target = series().targetMeasure();
  drawAndCheck(-(target + 4));
  drawAndCheck(target);
  series().startSeries(ExerciseKind::Measuring);
  const int measured = measure();
  answer(measured + 40);  // the estimate
  answerRight();
  finish();

  ResultsReader reader(base());
  QList<TryRecord> tries = reader.tries();
  ASSERT_EQ(tries.size(), 4);
  // In the order given; tries within one millisecond have none in the store.
  std::sort(tries.begin(), tries.end(), [](const TryRecord& a, const TryRecord& b) {
    auto key = [](const TryRecord& t) {
      return std::tuple{t.kind == ExerciseKind::Measuring, t.verdict != Verdict::Wrong, t.verdict != Verdict::Estimate};
    };
    return key(a) < key(b);
  });
  EXPECT_EQ(tries[0].kind, ExerciseKind::Drawing);
  EXPECT_EQ(tries[0].target, target);
  EXPECT_EQ(tries[0].answer, target + 4);  // the opening, whichever way drawn
  EXPECT_EQ(tries[0].verdict, Verdict::Wrong);
  EXPECT_EQ(tries[1].verdict, Verdict::Right);
  EXPECT_EQ(tries[2].kind, ExerciseKind::Measuring);
  EXPECT_EQ(tries[2].verdict, Verdict::Estimate);
  EXPECT_EQ(tries[2].answer, measured + 40);
  EXPECT_TRUE(tries[2].level.estimation);
  EXPECT_EQ(tries[3].verdict, Verdict::Right);
  const QList<SeriesRecord> series = reader.series();
  ASSERT_EQ(series.size(), 2);
  // Estimates are not scored.
  for (const SeriesRecord& s : series) EXPECT_EQ(s.score, 1);
}

// A series left for another, or by closing the program, is kept with what
// was done: right, played and planned.
TEST_F(SeriesRecordsTest, AnAbandonedSeriesKeepsWhatWasDone) {
  startRecording(lengths(5, 5));
  series().startSeries(ExerciseKind::Measuring);
  answerRight();
  series().nextExercise();
  answerWrong();  // one wrong try of three: played, not right
  series().nextExercise();  // not decided: nothing happens
  series().startSeries(ExerciseKind::Drawing);
  drawAndCheck(series().targetMeasure());
  series().nextExercise();  // shown, never answered: not played
  finish();
  ResultsReader reader(base());
  EXPECT_EQ(reader.tries().size(), 3);
  const QList<SeriesRecord> series = reader.series();
  ASSERT_EQ(series.size(), 2);
  struct Case {
    ExerciseKind kind;
    int right, played;
  };
  for (const Case& c : {Case{ExerciseKind::Measuring, 1, 2}, Case{ExerciseKind::Drawing, 1, 1}}) {
    const auto s = std::find_if(series.cbegin(), series.cend(), [&c](const SeriesRecord& r) { return r.kind == c.kind; });
    ASSERT_NE(s, series.cend());
    EXPECT_EQ(s->score, c.right);
    EXPECT_EQ(s->played, c.played);
    EXPECT_EQ(s->length, 5);
    EXPECT_TRUE(s->end);
    EXPECT_FALSE(s->complete());
  }
}

TEST_F(SeriesRecordsTest, RecordingOffWritesNothing) {
  Settings settings = lengths(1, 1);
  settings.recordResults = false;
  startRecording(settings);
  EXPECT_EQ(series().log().recorder(), nullptr);
  series().startSeries(ExerciseKind::Measuring);
  answerRight();
  EXPECT_EQ(m_news.summaries.size(), 1u);
  finish();
  EXPECT_FALSE(QFile::exists(base()));
}

}  // namespace
}  // namespace gradoir::test
