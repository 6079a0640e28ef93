#pragma once
// A board of plain figures for the series controller's tests: angles as the
// figures generate them for a 1000 x 700 canvas, the protractor as a pose,
// and a correction that arrives when the test says so. What the controller
// asked of it is kept for the tests to look at.
#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "figures/exercise_angle.h"
#include "figures/random_source.h"
#include "series/exercise_board.h"
#include "series/series_controller.h"

namespace gradoir::test {

class FakeBoard : public ExerciseBoard {
 public:
  static constexpr ProtractorPose kCentred{500, 350, 0};

  struct Correction {
    ProtractorPose target;
    ReadingMark mark;
    std::optional<PointF> rightSecondEnd;
  };

  SeriesController* controller = nullptr;
  // Fixes the measure of the next angles; 0 draws them at random.
  std::int32_t fixedMeasure = 0;

  std::optional<AngleGeometry> geometry;
  std::optional<ProtractorPose> pose;  // empty while hidden
  std::optional<ProtractorPose> strokeEndPose;
  std::vector<Level> levels;  // one per exercise asked for
  bool laidOnAngle = false;
  std::optional<Correction> correction;
  bool gliding = false;

  std::optional<std::int32_t> newExercise(ExerciseKind kind, const Level& level) override {
    levels.push_back(level);
    const bool drawing = kind == ExerciseKind::Drawing;
    geometry = newExerciseAngle(1000, 700, fixedMeasure, true, false, drawing, 1.0, level)->geometry();
    const std::optional<std::int32_t> asked = geometry->measure;
    if (drawing) geometry->measure.reset();
    pose = kCentred;
    strokeEndPose.reset();
    laidOnAngle = false;
    correction.reset();
    gliding = false;
    return asked;
  }
  std::optional<AngleGeometry> angle() const override { return geometry; }
  void layProtractorOnAngle() override {
    laidOnAngle = true;
    pose = ProtractorPose{geometry->vertex.x, geometry->vertex.y, 0};
  }
  void showProtractor() override {
    if (!pose) pose = m_hidden;
  }
  void hideProtractor() override {
    if (pose) m_hidden = *pose;
    pose.reset();
  }
  std::optional<ProtractorPose> protractorPose() const override { return pose; }
  std::optional<ProtractorPose> protractorPoseAtStrokeEnd() const override {
    return strokeEndPose ? strokeEndPose : pose;
  }
  void showCorrection(const ProtractorPose& target, const ReadingMark& mark,
                      std::optional<PointF> rightSecondEnd) override {
    correction = Correction{target, mark, rightSecondEnd};
    gliding = true;
  }
  bool correctionRunning() const override { return gliding; }
  void finishCorrection() override {
    if (!gliding) return;
    gliding = false;
    pose = correction->target;
  }

  // The pupil's stroke: a second side of `measure` (signed), ending with the
  // protractor where it lies now.
  void draw(std::int32_t measure) {
    geometry->secondEnd = geometry->generatedEnd;
    geometry->measure = measure;
    strokeEndPose = pose;
  }

 private:
  ProtractorPose m_hidden = kCentred;
};

// Everything the controller told, in order where order matters.
struct News {
  std::vector<SeriesState> states;
  std::vector<std::pair<std::int32_t, bool>> verdicts;  // try, right
  std::vector<std::int32_t> started;                    // the measures asked
  int rejected = 0;
  std::vector<bool> estimates;  // close or not
  std::vector<bool> protractorShown;
  std::vector<QString> explanations;
  int explanationsCleared = 0;
  std::vector<std::pair<std::int32_t, std::int32_t>> scores;
  std::vector<QString> progress;
  std::vector<QString> summaries;
  std::vector<QString> pathNews;
  std::vector<std::pair<std::int32_t, std::int32_t>> acceptedNear;  // given, exact
  std::vector<QString> pathStatus;

  void listenTo(SeriesController& c) {
    QObject::connect(&c, &SeriesController::stateChanged, [this](SeriesState s) { states.push_back(s); });
    QObject::connect(&c, &SeriesController::verdictGiven,
                     [this](std::int32_t t, bool right) { verdicts.emplace_back(t, right); });
    QObject::connect(&c, &SeriesController::exerciseStarted,
                     [this](ExerciseKind, std::int32_t m) { started.push_back(m); });
    QObject::connect(&c, &SeriesController::answerRejected, [this] { ++rejected; });
    QObject::connect(&c, &SeriesController::estimateJudged, [this](bool close) { estimates.push_back(close); });
    QObject::connect(&c, &SeriesController::protractorShown, [this](bool s) { protractorShown.push_back(s); });
    QObject::connect(&c, &SeriesController::explanationReady,
                     [this](const QString& t) { explanations.push_back(t); });
    QObject::connect(&c, &SeriesController::explanationCleared, [this] { ++explanationsCleared; });
    QObject::connect(&c, &SeriesController::scoreChanged,
                     [this](std::int32_t s, std::int32_t d) { scores.emplace_back(s, d); });
    QObject::connect(&c, &SeriesController::progressChanged, [this](const QString& t) { progress.push_back(t); });
    QObject::connect(&c, &SeriesController::seriesEnded, [this](const QString& t) { summaries.push_back(t); });
    QObject::connect(&c, &SeriesController::acceptedNear,
                     [this](std::int32_t g, std::int32_t e) { acceptedNear.emplace_back(g, e); });
    QObject::connect(&c, &SeriesController::pathNews, [this](const QString& t) { pathNews.push_back(t); });
    QObject::connect(&c, &SeriesController::pathStatusChanged,
                     [this](const QString& t) { pathStatus.push_back(t); });
  }
};

// A controller on a fake board, recording nothing unless a test asks, with
// the teaching aids off unless a test turns them on.
class SeriesTest : public testing::Test {
 protected:
  void start(Settings settings = {}, TeachingSettings teaching = {false, false}) {
    if (!m_recording) settings.recordResults = false;
    m_series = std::make_unique<SeriesController>(settings, teaching, m_board);
    m_board.controller = m_series.get();
    m_news = News{};
    m_news.listenTo(*m_series);
  }
  static Settings lengths(std::int32_t measuring, std::int32_t drawing) {
    Settings s;
    s.measureSeriesLength = measuring;
    s.drawSeriesLength = drawing;
    return s;
  }

  SeriesController& series() { return *m_series; }
  std::int32_t measure() const { return m_board.geometry->measure.value_or(0); }
  std::int32_t wrong() const { return measure() == 100 ? 101 : 100; }
  void answer(std::int32_t x) { m_series->submitAnswer(QString::number(x)); }
  void answerRight() { answer(measure()); }
  void answerWrong() { answer(wrong()); }
  void drawAndCheck(std::int32_t measure) {
    m_board.draw(measure);
    m_series->submitDrawing();
  }

  // Every run draws the same angles.
  ScopedSeedProvider m_seeds{[n = 0u]() mutable { return 4242u + n++; }};
  bool m_recording = false;
  FakeBoard m_board;
  std::unique_ptr<SeriesController> m_series;
  News m_news;
};

}  // namespace gradoir::test
