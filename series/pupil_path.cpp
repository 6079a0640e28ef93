#include "series/pupil_path.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>

namespace gradoir {

namespace {

// Each level asks one thing more than the one below: first read a
// protractor that lies ready, then lay it, then finer steps, then estimate.
constexpr std::array<PathLevel, 5> kMeasuringLevels{{
    {10, true, false},
    {10, false, false},
    {5, false, false},
    {1, false, false},
    {1, false, true},
}};
constexpr std::array<PathLevel, 4> kDrawingLevels{{
    {10, true, false},
    {10, false, false},
    {5, false, false},
    {1, false, false},
}};

std::int32_t clampedLevel(ExerciseKind kind, std::int32_t level) {
  return std::clamp(level, 1, pathLevelCount(kind));
}

// The French texts are marked for lupdate where they stand, translated here.
constexpr char kContext[] = "gradoir::PupilPath";
QString translated(const char* text) { return QCoreApplication::translate(kContext, text); }

QString levelWords(ExerciseKind kind, std::int32_t level) {
  if (kind == ExerciseKind::Measuring) {
    switch (level) {
      case 1: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "le rapporteur est déjà posé, des mesures de 10 en 10 degrés."));
      case 2: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "tu poses le rapporteur toi-même, des mesures de 10 en 10 degrés."));
      case 3: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "des mesures de 5 en 5 degrés."));
      case 4: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "des mesures au degré près."));
      default: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "estime d'abord, puis mesure au degré près."));
    }
  }
  switch (level) {
    case 1: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "le rapporteur est posé sur le sommet, des angles de 10 en 10 degrés."));
    case 2: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "tu poses le rapporteur toi-même, des angles de 10 en 10 degrés."));
    case 3: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "des angles de 5 en 5 degrés."));
    default: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "des angles au degré près."));
  }
}

}  // namespace

std::span<const PathLevel> pathLevels(ExerciseKind kind) {
  if (kind == ExerciseKind::Measuring) return kMeasuringLevels;
  return kDrawingLevels;
}

std::int32_t pathLevelCount(ExerciseKind kind) { return static_cast<std::int32_t>(pathLevels(kind).size()); }

Level levelOnPath(ExerciseKind kind, std::int32_t number, const Level& teacherLevel) {
  const PathLevel& p = pathLevels(kind)[static_cast<std::size_t>(clampedLevel(kind, number) - 1)];
  Level level = teacherLevel;
  level.step = p.step;
  level.protractorPlaced = p.protractorPlaced;
  level.estimation = p.estimation;
  return level;
}

PathStep advancePath(ExerciseKind kind, const PathState& state, PathOutcome outcome) {
  PathStep next{state, PathMove::Stay};
  next.state.level = clampedLevel(kind, state.level);
  std::vector<PathOutcome>& recent = next.state.recent;
  ++next.state.played;
  recent.push_back(outcome);
  if (recent.size() > static_cast<std::size_t>(kPathWindow)) recent.erase(recent.begin());
  const auto count = [&recent](PathOutcome o) { return std::count(recent.begin(), recent.end(), o); };
  if (count(PathOutcome::RightFirstTry) >= kRightToMoveUp && next.state.level < pathLevelCount(kind)) {
    next.move = PathMove::Up;
  } else if (count(PathOutcome::Failed) >= kFailedToMoveBack && next.state.level > 1) {
    next.move = PathMove::Down;
  }
  if (next.move != PathMove::Stay) {
    next.state.level += next.move == PathMove::Up ? 1 : -1;
    // A new level is judged on what is played there only.
    recent.clear();
  }
  return next;
}

PathState replayPath(ExerciseKind kind, std::span<const PathOutcome> outcomes) {
  PathState state;
  for (const PathOutcome outcome : outcomes) state = advancePath(kind, state, outcome).state;
  return state;
}

PathOutcome pathOutcome(bool right, std::int32_t triesUsed) {
  if (!right) return PathOutcome::Failed;
  return triesUsed <= 1 ? PathOutcome::RightFirstTry : PathOutcome::RightLater;
}

QString pathStatusText(ExerciseKind kind, std::int32_t level) {
  const QString text = kind == ExerciseKind::Measuring ? translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "Parcours mesure — niveau %1 sur %2"))
                                                       : translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "Parcours tracé — niveau %1 sur %2"));
  return text.arg(clampedLevel(kind, level)).arg(pathLevelCount(kind));
}

QString pathLevelText(ExerciseKind kind, std::int32_t level) {
  return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "Niveau %1 : %2")).arg(clampedLevel(kind, level)).arg(levelWords(kind, clampedLevel(kind, level)));
}

QString pathMoveText(ExerciseKind kind, PathMove move, std::int32_t level) {
  switch (move) {
    case PathMove::Up: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "Bravo ! %1")).arg(pathLevelText(kind, level));
    case PathMove::Down: return translated(QT_TRANSLATE_NOOP("gradoir::PupilPath", "On revient au niveau %1 pour t'entraîner.")).arg(clampedLevel(kind, level));
    case PathMove::Stay: break;
  }
  return {};
}

}  // namespace gradoir
