#pragma once
// The pupil's path ("Mon parcours"): a ladder of levels for each kind of
// exercise, each one a set of the settings a teacher could write in
// Grado.ini, and the rule that moves a pupil along it. A pupil moves up after
// 4 exercises right at the first try among the last 5 played at a level, and
// back after 3 exercises failed (three wrong tries) among the last 5.
//
// Pure: the current place on the path is what replaying the pupil's
// recorded outcomes gives, so the store keeps only appended outcomes.
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

#include "figures/exercise_kind.h"
#include "figures/level.h"

namespace gradoir {

// How an exercise of the path ended.
enum class PathOutcome : std::uint8_t {
  RightFirstTry,  // counts toward moving up
  RightLater,     // counts neither way
  Failed,         // three wrong tries: counts toward moving back
};

struct PathLevel {
  std::int32_t step = 1;           // degrees between two possible measures
  bool protractorPlaced = false;   // laid on the angle (measuring) or centred on the vertex (drawing)
  bool estimation = false;         // an estimate first
};

// The ladder of `kind`, level 1 first.
std::span<const PathLevel> pathLevels(ExerciseKind kind);
std::int32_t pathLevelCount(ExerciseKind kind);

// The teacher's level with what path level `number` sets: its step and aids.
// The range and the tolerance stay the teacher's.
Level levelOnPath(ExerciseKind kind, std::int32_t number, const Level& teacherLevel);

struct PathState {
  std::int32_t level = 1;
  // The outcomes at this level since the pupil reached it, the last 5 at most.
  std::vector<PathOutcome> recent;
  std::int32_t played = 0;  // exercises played on the path so far
  friend bool operator==(const PathState&, const PathState&) = default;
};

enum class PathMove : std::uint8_t { Stay, Up, Down };

struct PathStep {
  PathState state;
  PathMove move = PathMove::Stay;
};

inline constexpr std::int32_t kPathWindow = 5;
inline constexpr std::int32_t kRightToMoveUp = 4;
inline constexpr std::int32_t kFailedToMoveBack = 3;

// One exercise played at `state`: where the pupil goes next. At the ends of
// the ladder a move that has nowhere to go is no move.
PathStep advancePath(ExerciseKind kind, const PathState& state, PathOutcome outcome);
// The place that a history of outcomes, oldest first, leads to from level 1.
PathState replayPath(ExerciseKind kind, std::span<const PathOutcome> outcomes);

// The outcome of an exercise decided after `triesUsed` tries.
PathOutcome pathOutcome(bool right, std::int32_t triesUsed);

// Short French texts for the pupil (translated): the status bar's "Parcours
// mesure — niveau 3 sur 5", and the words that go with a move.
QString pathStatusText(ExerciseKind kind, std::int32_t level);
// "Niveau 3 : des mesures de 5 en 5 degrés."
QString pathLevelText(ExerciseKind kind, std::int32_t level);
// "Bravo ! Niveau 3 : ...", "On revient au niveau 2 pour t'entraîner.";
// empty for no move.
QString pathMoveText(ExerciseKind kind, PathMove move, std::int32_t level);

}  // namespace gradoir
