// The path's rule played over histories of outcomes: R right at the first
// try, L right at a later try, F failed (three wrong tries). The expected
// levels are worked out by hand from the rule: up after 4 R among the last 5
// exercises of a level, back after 3 F among them, the count starting afresh
// at each new level.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "series/pupil_path.h"

namespace gradoir::test {
namespace {

std::vector<PathOutcome> outcomes(const std::string& history) {
  std::vector<PathOutcome> v;
  for (const char c : history)
    v.push_back(c == 'R' ? PathOutcome::RightFirstTry : c == 'L' ? PathOutcome::RightLater : PathOutcome::Failed);
  return v;
}

TEST(PupilPathTest, HistoriesLeadToTheirLevel) {
  const struct {
    ExerciseKind kind;
    std::string history;
    int level;
  } cases[] = {
      {ExerciseKind::Measuring, "", 1},
      {ExerciseKind::Measuring, "RRR", 1},
      {ExerciseKind::Measuring, "RRRR", 2},
      {ExerciseKind::Measuring, "RRLRR", 2},               // 4 of the last 5
      {ExerciseKind::Measuring, "RLRLRLR", 1},             // never more than 3 of 5
      {ExerciseKind::Measuring, "RLLRRR", 1},              // the first R has left the window
      {ExerciseKind::Measuring, "RLLRRRR", 2},
      {ExerciseKind::Measuring, "RRRRRRR", 2},             // the count starts afresh at level 2
      {ExerciseKind::Measuring, "RRRRRRRR", 3},
      {ExerciseKind::Measuring, std::string(16, 'R'), 5},  // the top of the measuring path
      {ExerciseKind::Measuring, std::string(30, 'R'), 5},
      {ExerciseKind::Measuring, "RRRRFF", 2},
      {ExerciseKind::Measuring, "RRRRFFF", 1},
      {ExerciseKind::Measuring, "RRRRFLFLF", 1},           // 3 F among the last 5
      {ExerciseKind::Measuring, "RRRRFLLLFLF", 2},         // never 3 F within 5
      {ExerciseKind::Measuring, "RRRRRRRRFFFFFF", 1},      // back twice
      {ExerciseKind::Measuring, "FFFFFF", 1},              // nowhere lower than 1
      {ExerciseKind::Measuring, "FFFRRR", 1},
      {ExerciseKind::Measuring, "FFFRRRR", 2},             // failures at level 1 do not block
      {ExerciseKind::Measuring, "RRRRFFFRRRR", 2},         // back to 1, then up again
      {ExerciseKind::Drawing, std::string(12, 'R'), 4},    // the top of the drawing path
      {ExerciseKind::Drawing, std::string(20, 'R'), 4},
      {ExerciseKind::Drawing, std::string(20, 'R') + "FFF", 3},  // the top's window counts failures
      {ExerciseKind::Drawing, std::string(20, 'R') + "RRFFF", 3},
      {ExerciseKind::Drawing, std::string(20, 'R') + "FLLLFLF", 4},  // never 3 F within 5
  };
  for (const auto& c : cases) {
    EXPECT_EQ(replayPath(c.kind, outcomes(c.history)).level, c.level) << c.history;
  }
}

TEST(PupilPathTest, EachStepSaysWhetherItMoved) {
  const std::string history = "RRRRLFFFF";
  const std::vector<PathMove> expected{PathMove::Stay, PathMove::Stay, PathMove::Stay, PathMove::Up,
                                       PathMove::Stay, PathMove::Stay, PathMove::Stay, PathMove::Down,
                                       PathMove::Stay};
  PathState state;
  std::vector<PathMove> moves;
  for (const PathOutcome o : outcomes(history)) {
    const PathStep step = advancePath(ExerciseKind::Measuring, state, o);
    moves.push_back(step.move);
    state = step.state;
  }
  EXPECT_EQ(moves, expected);
  EXPECT_EQ(state.level, 1);
  EXPECT_EQ(state.recent, outcomes("F"));
}

// The outcome an exercise gives for the rule.
TEST(PupilPathTest, AnExerciseCountsByItsTries) {
  EXPECT_EQ(pathOutcome(true, 1), PathOutcome::RightFirstTry);
  EXPECT_EQ(pathOutcome(true, 2), PathOutcome::RightLater);
  EXPECT_EQ(pathOutcome(true, 3), PathOutcome::RightLater);
  EXPECT_EQ(pathOutcome(false, 3), PathOutcome::Failed);
}

// Each level is the teacher's range and tolerance with its own step and aids.
TEST(PupilPathTest, LevelsAreSetsOfTheSettings) {
  const Level teacher{1, 30, 150, 2, false, false};
  const struct {
    ExerciseKind kind;
    int number;
    Level level;
  } cases[] = {
      {ExerciseKind::Measuring, 1, {10, 30, 150, 2, true, false}},
      {ExerciseKind::Measuring, 2, {10, 30, 150, 2, false, false}},
      {ExerciseKind::Measuring, 3, {5, 30, 150, 2, false, false}},
      {ExerciseKind::Measuring, 4, {1, 30, 150, 2, false, false}},
      {ExerciseKind::Measuring, 5, {1, 30, 150, 2, false, true}},
      {ExerciseKind::Drawing, 1, {10, 30, 150, 2, true, false}},
      {ExerciseKind::Drawing, 2, {10, 30, 150, 2, false, false}},
      {ExerciseKind::Drawing, 3, {5, 30, 150, 2, false, false}},
      {ExerciseKind::Drawing, 4, {1, 30, 150, 2, false, false}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(levelOnPath(c.kind, c.number, teacher), c.level) << int(c.kind) << " " << c.number;
  }
  EXPECT_EQ(pathLevelCount(ExerciseKind::Measuring), 5);
  EXPECT_EQ(pathLevelCount(ExerciseKind::Drawing), 4);
}

}  // namespace
}  // namespace gradoir::test
