#include "series/series_controller.h"

#include <QRegularExpression>
#include <cstdlib>
#include <utility>

#include "figures/protractor_placement.h"
#include "series/exercise_board.h"
#include "series/series_log.h"
#include "series/series_status.h"
#include "teaching/diagnosis.h"
#include "teaching/explanation_texts.h"

namespace gradoir {

namespace {

// An estimate this close to the measure earns praise.
constexpr std::int64_t kGoodEstimate = 15;

// Typing lets only digits through; pasted text may hold anything. A whole
// number, with an optional sign and blanks around, is an answer.
std::optional<std::int32_t> parseAnswer(const QString& text) {
  static const QRegularExpression wholeNumber(QStringLiteral("^\\s*[+-]?[0-9]{1,9}\\s*$"));
  if (!wholeNumber.match(text).hasMatch()) return std::nullopt;
  return text.trimmed().toInt();
}

bool within(std::int64_t a, std::int64_t b, std::int64_t tolerance) { return std::llabs(a - b) <= tolerance; }

}  // namespace

SeriesController::SeriesController(const Settings& settings, const TeachingSettings& teaching,
                                   ExerciseBoard& board, QObject* parent)
    : QObject(parent),
      m_settings(settings),
      m_teaching(teaching),
      m_board(board),
      m_log(std::make_unique<SeriesLog>(settings)) {}

SeriesController::~SeriesController() = default;

bool SeriesController::seriesRunning() const {
  return m_state == SeriesState::Estimating || m_state == SeriesState::Trying || m_state == SeriesState::Decided;
}

std::int32_t SeriesController::seriesLength() const {
  if (m_onPath) return kPathSeriesLength;
  return m_kind == ExerciseKind::Measuring ? m_settings.measureSeriesLength : m_settings.drawSeriesLength;
}

void SeriesController::setState(SeriesState state) {
  m_state = state;
  emit stateChanged(state);
}

void SeriesController::startSeries(ExerciseKind kind) { beginSeries(kind, false); }

void SeriesController::startPath(ExerciseKind kind) { beginSeries(kind, true); }

void SeriesController::beginSeries(ExerciseKind kind, bool onPath) {
  // A series whose end waits for the pupil ends first.
  m_board.finishCorrection();
  if (m_summaryWaits) showSummary();
  m_kind = kind;
  m_onPath = onPath;
  m_exercise = 1;
  m_successes = 0;
  m_pendingPathNews.clear();
  if (onPath) {
    const bool firstRead = !m_paths.contains({m_log->pupil(), kind});
    m_pathLevel = pathState(kind).level;
    m_pathSettings = levelOnPath(kind, m_pathLevel, m_settings.level);
    m_pendingPathNews = pathLevelText(kind, m_pathLevel);
    // Said once a run: every path then starts at level 1.
    if (firstRead && !m_pathRead && !m_toldPathNotKept) {
      m_toldPathNotKept = true;
      m_pendingPathNews = tr("Ton parcours n'est pas enregistré : il commence au niveau 1.");
    }
  }
  m_log->startSeries(kind, seriesLength());
  emit scoreChanged(0, 0);
  emit pathStatusChanged(onPath ? pathStatusText(kind, m_pathLevel) : QString());
  startExercise();
}

PathState& SeriesController::pathState(ExerciseKind kind) {
  const auto key = std::make_pair(m_log->pupil(), kind);
  auto at = m_paths.find(key);
  if (at != m_paths.end()) return at->second;
  PathState state;
  const std::optional<QList<PathStepRecord>> steps = m_log->readPathSteps(kind);
  m_pathRead = steps.has_value();
  if (steps) {
    std::vector<PathOutcome> outcomes;
    for (const PathStepRecord& step : *steps) outcomes.push_back(pathOutcome(step.solved, step.triesUsed));
    state = replayPath(kind, outcomes);
  }
  return m_paths.emplace(key, std::move(state)).first->second;
}

// The move takes effect at the next exercise, which says so.
void SeriesController::advanceOnPath(bool right, std::int32_t triesUsed) {
  PathState& state = pathState(m_kind);
  const PathStep step = advancePath(m_kind, state, pathOutcome(right, triesUsed));
  m_log->recordPathStep(m_kind, step.state.played, state.level, right, triesUsed, step.state.level);
  state = step.state;
  m_pathLevel = state.level;
  m_pathSettings = levelOnPath(m_kind, m_pathLevel, m_settings.level);
  m_pendingPathNews = pathMoveText(m_kind, step.move, state.level);
}

void SeriesController::nextExercise() {
  // After a last correction the end of the series waits for the pupil.
  if (m_state == SeriesState::Over && m_summaryWaits) {
    m_board.finishCorrection();
    showSummary();
    return;
  }
  if (m_state != SeriesState::Decided) return;
  m_board.finishCorrection();
  ++m_exercise;
  startExercise();
}

void SeriesController::startExercise() {
  m_summaryWaits = false;
  m_correctionShown = false;
  m_try = 1;
  emit explanationCleared();
  m_target = m_board.newExercise(m_kind, level());
  const bool measuring = m_kind == ExerciseKind::Measuring;
  // Off the path RapporteurPlace lays it for measuring only, as it always
  // has; the path's first drawing level lays it centred on the vertex too.
  if (level().protractorPlaced && (measuring || m_onPath)) m_board.layProtractorOnAngle();
  m_log->setLevel(level());
  m_log->startExercise(m_exercise, targetMeasure());
  emit progressChanged(seriesProgressText(m_exercise, seriesLength()));
  emit exerciseStarted(m_kind, targetMeasure());
  if (measuring && level().estimation) {
    m_board.hideProtractor();
    emit protractorShown(false);
    setState(SeriesState::Estimating);
  } else {
    setState(SeriesState::Trying);
  }
  if (m_onPath) {
    emit pathStatusChanged(pathStatusText(m_kind, m_pathLevel));
    if (!m_pendingPathNews.isEmpty()) emit pathNews(std::exchange(m_pendingPathNews, QString()));
  }
}

void SeriesController::submitAnswer(const QString& text) {
  if (m_kind != ExerciseKind::Measuring || text.isEmpty()) return;
  if (m_state != SeriesState::Trying && m_state != SeriesState::Estimating) return;
  const std::optional<std::int32_t> answer = parseAnswer(text);
  if (!answer) {
    emit answerRejected();
    return;
  }
  if (m_state == SeriesState::Estimating) {
    judgeEstimate(*answer);
    return;
  }
  // Within the tolerance either way; with none, the exact measure only.
  const std::optional<AngleGeometry> angle = m_board.angle();
  const std::optional<std::int32_t> measure = angle ? angle->measure : std::nullopt;
  const bool right = measure && within(*answer, *measure, level().tolerance);
  judgeTry(*answer, right);
  if (right && *answer != *measure) emit acceptedNear(*answer, *measure);
}

void SeriesController::submitDrawing() {
  if (m_kind != ExerciseKind::Drawing || m_state != SeriesState::Trying) return;
  // Nothing drawn yet, or a stroke of no length: there is no answer to judge.
  const std::optional<AngleGeometry> angle = m_board.angle();
  const std::optional<std::int32_t> drawn = angle ? angle->measure : std::nullopt;
  if (!drawn) {
    teachAfterWrongTry(std::nullopt, false);
    return;
  }
  // The opening counts, whichever way the side was drawn.
  const auto opening = static_cast<std::int32_t>(std::llabs(*drawn));
  const bool right = within(opening, targetMeasure(), level().tolerance);
  judgeTry(opening, right);
  if (right && opening != targetMeasure()) emit acceptedNear(opening, targetMeasure());
}

// Noted, never scored: no try is spent and no lamp lights. The protractor
// comes back once the pupil has been told.
void SeriesController::judgeEstimate(std::int32_t estimate) {
  const std::optional<AngleGeometry> angle = m_board.angle();
  const bool close = angle && angle->measure && within(estimate, *angle->measure, kGoodEstimate);
  m_log->recordTry(estimate, Verdict::Estimate);
  emit estimateJudged(close);
  m_board.showProtractor();
  emit protractorShown(true);
  setState(SeriesState::Trying);
}

void SeriesController::judgeTry(std::int32_t answer, bool right) {
  m_log->recordTry(answer, right ? Verdict::Right : Verdict::Wrong, right ? std::nullopt : mistakeCode(answer));
  const std::int32_t tryNumber = m_try;
  const bool decided = right || tryNumber == kTries;
  if (right) ++m_successes;
  if (!decided) ++m_try;
  emit verdictGiven(tryNumber, right);
  if (!right) teachAfterWrongTry(answer, decided);
  if (decided) endExercise(right, tryNumber);
}

void SeriesController::endExercise(bool right, std::int32_t triesUsed) {
  m_try = 1;
  if (m_onPath) advanceOnPath(right, triesUsed);
  emit scoreChanged(m_successes, m_exercise);
  if (m_exercise != seriesLength()) {
    setState(SeriesState::Decided);
    return;
  }
  m_log->endSeries(m_successes);
  // The pupil reads the correction, then goes on to the summary.
  m_summaryWaits = m_correctionShown;
  setState(SeriesState::Over);
  emit progressChanged(QString());
  if (!m_summaryWaits) showSummary();
}

void SeriesController::showSummary() {
  m_summaryWaits = false;
  QString summary = m_log->summaryText(m_successes, m_exercise);
  // A move at the last exercise is said here; the next path series starts there.
  if (m_onPath && !m_pendingPathNews.isEmpty()) {
    summary += QStringLiteral("<p>") + std::exchange(m_pendingPathNews, QString()).toHtmlEscaped() +
               QStringLiteral("</p>");
  }
  emit seriesEnded(summary);
}

void SeriesController::pupilResumed() { emit explanationCleared(); }

std::int32_t SeriesController::askedMeasure(const AngleGeometry& angle) const {
  return m_kind == ExerciseKind::Drawing ? targetMeasure() : angle.measure.value_or(0);
}

// Judged with the protractor as the pupil left it; a drawn side with the
// protractor where it lay while drawing.
Explanation SeriesController::mistakeOf(const AngleGeometry& angle, std::optional<std::int32_t> answer) const {
  TryFacts facts;
  facts.kind = m_kind;
  facts.vertex = angle.vertex;
  facts.firstEnd = angle.firstEnd;
  facts.secondEnd = angle.secondEnd;
  facts.measure = askedMeasure(angle);
  facts.answer = answer;
  facts.protractor =
      m_kind == ExerciseKind::Drawing ? m_board.protractorPoseAtStrokeEnd() : m_board.protractorPose();
  return diagnose(facts);
}

std::optional<QString> SeriesController::mistakeCode(std::int32_t answer) const {
  const std::optional<AngleGeometry> angle = m_board.angle();
  return angle ? std::optional<QString>(explanationCode(mistakeOf(*angle, answer))) : std::nullopt;
}

void SeriesController::teachAfterWrongTry(std::optional<std::int32_t> answer, bool decided) {
  const std::optional<AngleGeometry> angle = m_board.angle();
  if (!angle) return;
  if (decided && m_teaching.correction) {
    startCorrection(*angle);
    return;
  }
  if (!m_teaching.explanations) return;
  emit explanationReady(explanationText(mistakeOf(*angle, answer), askedMeasure(*angle)));
}

void SeriesController::startCorrection(const AngleGeometry& angle) {
  const bool drawing = m_kind == ExerciseKind::Drawing;
  const PointF rightEnd = drawing ? angle.generatedEnd : angle.secondEnd;
  const ProtractorOnAngle place = protractorOnAngle(angle.vertex, angle.firstEnd, rightEnd);
  emit explanationReady(
      explanationText(drawing ? Explanation::HereIsTheAngle : Explanation::RightMeasureWas, askedMeasure(angle)));
  emit protractorShown(true);
  m_correctionShown = true;
  m_board.showCorrection(place.pose, {place.scale, place.reading},
                         drawing ? std::optional<PointF>(rightEnd) : std::nullopt);
}

}  // namespace gradoir
