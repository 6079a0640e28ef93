// Series on the pupil's path, played on the fake board: the level each
// exercise is set at, the words said on a move, the status, and where the
// pupil stands after a restart of the program (a real SQLite file).
#include <QTemporaryDir>
#include <string>

#include "fake_board.h"
#include "records/results_reader.h"
#include "series/series_log.h"

namespace gradoir::test {
namespace {

// What each level of the measuring path asks, written from the pupil's side:
// the step of the measures, the protractor laid, an estimate first.
struct Asked {
  int step;
  bool laid;
  bool estimate;
};
const Asked kMeasuring[] = {{10, true, false}, {10, false, false}, {5, false, false}, {1, false, false},
                            {1, false, true}};
const Asked kDrawing[] = {{10, true, false}, {10, false, false}, {5, false, false}, {1, false, false}};

class PathTest : public SeriesTest {
 protected:
  // One exercise: 'R' right at once, 'L' right at the second try, 'F' three
  // wrong tries. An estimate asked for is given first.
  void play(char how) {
    if (series().state() == SeriesState::Estimating) answer(measure());
    const bool drawing = series().kind() == ExerciseKind::Drawing;
    const auto give = [&](bool right) {
      if (drawing) {
        drawAndCheck(right ? series().targetMeasure() : series().targetMeasure() + 30);
      } else if (right) {
        answerRight();
      } else {
        answerWrong();
      }
    };
    if (how == 'R') give(true);
    if (how == 'L') {
      give(false);
      give(true);
    }
    if (how == 'F') {
      for (int i = 0; i < SeriesController::kTries; ++i) give(false);
    }
    ASSERT_NE(series().state(), SeriesState::Trying);
  }
  // Plays `history` on the path of `kind`, a new path series each 10.
  void playPath(ExerciseKind kind, const std::string& history) {
    for (const char how : history) {
      const SeriesState state = series().state();
      const bool same = series().onPath() && series().kind() == kind;
      if (same && state == SeriesState::Decided) {
        series().nextExercise();
      } else if (!same || (state != SeriesState::Trying && state != SeriesState::Estimating)) {
        series().startPath(kind);
      }
      play(how);
    }
  }
  void expectAsked(const Asked& asked, size_t exercise) {
    ASSERT_LT(exercise, m_board.levels.size());
    const Level& level = m_board.levels[exercise];
    EXPECT_EQ(level.step, asked.step) << exercise;
    EXPECT_EQ(level.estimation, asked.estimate) << exercise;
    EXPECT_EQ(m_laid[exercise], asked.laid) << exercise;
  }
  void noteWhatIsLaid() {
    QObject::connect(m_series.get(), &SeriesController::exerciseStarted,
                     [this](ExerciseKind, std::int32_t) { m_laid.push_back(m_board.laidOnAngle); });
  }
  std::vector<bool> m_laid;
};

TEST_F(PathTest, ARightAnsweringPupilClimbsToTheTopOfTheMeasuringPath) {
  Settings settings;
  settings.level = Level{1, 20, 160, 0, false, false};
  start(settings);
  noteWhatIsLaid();
  playPath(ExerciseKind::Measuring, std::string(20, 'R'));
  ASSERT_EQ(m_board.levels.size(), 20u);
  for (size_t i = 0; i < 20; ++i) {
    expectAsked(kMeasuring[std::min<size_t>(i / 4, 4)], i);
    // The teacher's range stays.
    EXPECT_EQ(m_board.levels[i].minimum, 20);
    EXPECT_EQ(m_board.levels[i].maximum, 160);
  }
  EXPECT_EQ(series().pathLevel(), 5);
  // A path series has 10 exercises; the second one started where the first ended.
  EXPECT_EQ(m_news.summaries.size(), 2u);
  EXPECT_EQ(m_news.pathStatus.back(), QStringLiteral("Parcours mesure — niveau 5 sur 5"));
  const auto said = [this](const QString& text) {
    return std::count(m_news.pathNews.begin(), m_news.pathNews.end(), text);
  };
  EXPECT_EQ(said(QStringLiteral("Bravo ! Niveau 3 : des mesures de 5 en 5 degrés.")), 1);
  EXPECT_EQ(said(QStringLiteral("Bravo ! Niveau 5 : estime d'abord, puis mesure au degré près.")), 1);
  // Without a store the path starts at level 1 and says so once.
  EXPECT_EQ(said(QStringLiteral("Ton parcours n'est pas enregistré : il commence au niveau 1.")), 1);
}

TEST_F(PathTest, FailuresMoveThePupilBack) {
  start();
  noteWhatIsLaid();
  playPath(ExerciseKind::Measuring, "RRRRLFFF");
  EXPECT_EQ(series().pathLevel(), 1);
  series().nextExercise();
  expectAsked(kMeasuring[0], 8);
  EXPECT_EQ(m_news.pathNews.back(), QStringLiteral("On revient au niveau 1 pour t'entraîner."));
  EXPECT_EQ(m_news.pathStatus.back(), QStringLiteral("Parcours mesure — niveau 1 sur 5"));
}

TEST_F(PathTest, TheDrawingPathLaysTheProtractorOnTheVertexAtFirst) {
  start();
  noteWhatIsLaid();
  playPath(ExerciseKind::Drawing, "RRRRLLR");
  for (size_t i = 0; i < 7; ++i) expectAsked(kDrawing[i / 4], i);
  EXPECT_EQ(m_news.pathStatus.back(), QStringLiteral("Parcours tracé — niveau 2 sur 4"));
  // Each kind has its own place: the measuring path starts at 1.
  series().startPath(ExerciseKind::Measuring);
  EXPECT_EQ(series().pathLevel(), 1);
  // Off the path, a series is at the teacher's level and says nothing of it.
  series().startSeries(ExerciseKind::Drawing);
  EXPECT_FALSE(series().onPath());
  EXPECT_EQ(m_board.levels.back(), Level{});
  EXPECT_EQ(m_news.pathStatus.back(), QString());
}

// A move at the last exercise of a series is told in its summary.
TEST_F(PathTest, AMoveAtTheEndOfASeriesIsToldInItsSummary) {
  start();
  playPath(ExerciseKind::Measuring, "LLLLLLRRRR");
  ASSERT_EQ(m_news.summaries.size(), 1u);
  EXPECT_TRUE(m_news.summaries[0].contains(QStringLiteral("Bravo ! Niveau 2")));
  series().startPath(ExerciseKind::Measuring);
  EXPECT_EQ(m_board.levels.back().step, 10);
  EXPECT_FALSE(m_board.laidOnAngle);
  EXPECT_EQ(m_news.pathNews.back(), QStringLiteral("Niveau 2 : tu poses le rapporteur toi-même, des mesures de 10 en 10 degrés."));
}

class PathRecordsTest : public PathTest {
 protected:
  PathRecordsTest() { m_recording = true; }
  void startWith(const QString& pupil) {
    Settings settings;
    settings.resultsBase = m_dir.filePath(QStringLiteral("résultats.sqlite"));
    start(settings);
    series().log().setPupil(pupil);
  }
  QTemporaryDir m_dir;
};

// Each pupil continues where they stopped when the program starts again.
TEST_F(PathRecordsTest, ThePupilsLevelSurvivesARestart) {
  startWith(QStringLiteral("Zoé"));
  playPath(ExerciseKind::Measuring, "RRRRRRRRRRR");
  playPath(ExerciseKind::Drawing, "RRRR");
  m_series.reset();  // its recorder commits everything before it goes

  startWith(QStringLiteral("Zoé"));
  series().startPath(ExerciseKind::Measuring);
  EXPECT_EQ(series().pathLevel(), 3);
  EXPECT_EQ(m_board.levels.back().step, 5);
  EXPECT_EQ(m_news.pathNews, std::vector<QString>{QStringLiteral("Niveau 3 : des mesures de 5 en 5 degrés.")});
  // The three right at level 3 came back too: one more makes four.
  playPath(ExerciseKind::Measuring, "R");
  EXPECT_EQ(series().pathLevel(), 4);
  series().startPath(ExerciseKind::Drawing);
  EXPECT_EQ(series().pathLevel(), 2);
  m_series.reset();

  startWith(QStringLiteral("Yanis"));
  series().startPath(ExerciseKind::Measuring);
  EXPECT_EQ(series().pathLevel(), 1);

  const QList<PupilPathLevels> levels =
      ResultsReader(m_dir.filePath(QStringLiteral("résultats.sqlite"))).pathLevels();
  ASSERT_EQ(levels.size(), 1);
  EXPECT_EQ(levels[0], (PupilPathLevels{QStringLiteral("Zoé"), 4, 2}));
}

}  // namespace
}  // namespace gradoir::test
