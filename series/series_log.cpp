#include "series/series_log.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <tuple>

#include "records/class_list.h"
#include "records/results_reader.h"
#include "records/results_recorder.h"

namespace gradoir {

namespace {

bool isServerAddress(const QString& base) {
  return base.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
         base.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString cell(const QString& text) { return QStringLiteral("<td align=\"center\">") + text + QStringLiteral("</td>"); }

QString answersText(const ExerciseSummary& e) {
  QStringList parts;
  if (e.estimate) parts << QStringLiteral("(≈ %1°)").arg(*e.estimate);
  for (int a : e.answers) parts << QStringLiteral("%1°").arg(a);
  return parts.isEmpty() ? QStringLiteral("—") : parts.join(QStringLiteral(", "));
}

}  // namespace

QString scoreText(int score, int done) {
  const QString succeeded =
      score <= 1 ? QCoreApplication::translate("gradoir::SeriesLog", "%1 exercice réussi sur %2")
                 : QCoreApplication::translate("gradoir::SeriesLog", "%1 exercices réussis sur %2");
  return succeeded.arg(score).arg(done);
}

SeriesLog::SeriesLog(const Settings& settings) : m_level(settings.level), m_pupil(defaultPupilName()) {
  if (!settings.recordResults) return;
  RecorderOptions options;
  if (isServerAddress(settings.resultsBase)) {
    options.serverUrl = settings.resultsBase;
    m_serverUrl = settings.resultsBase;
  } else {
    options.localPath = settings.resultsBase;
  }
  m_recorder = std::make_unique<ResultsRecorder>(options);
}

// A series still under way when the program closes is kept as it stands.
SeriesLog::~SeriesLog() { abandonSeries(); }

void SeriesLog::startSeries(ExerciseKind kind, int length) {
  abandonSeries();
  m_series = SeriesRecord{newRecordId(), m_pupil, kind, QDateTime::currentDateTimeUtc(), std::nullopt, 0, length, 0};
  m_exercises.clear();
  if (m_recorder) m_recorder->recordSeries(m_series);
}

void SeriesLog::startExercise(int number, int target) {
  m_exercise = number;
  m_exercises.append(ExerciseSummary{target, {}, std::nullopt, false});
  m_clock.start();
}

void SeriesLog::recordTry(std::optional<int> answer, Verdict verdict, std::optional<QString> explanation) {
  if (!m_exercises.isEmpty() && answer) {
    ExerciseSummary& e = m_exercises.last();
    if (verdict == Verdict::Estimate) {
      e.estimate = answer;
    } else {
      e.answers.append(*answer);
      e.right = verdict == Verdict::Right;
    }
  }
  if (!m_recorder) return;
  TryRecord attempt;
  attempt.id = newRecordId();
  attempt.time = QDateTime::currentDateTimeUtc();
  attempt.pupil = m_pupil;
  attempt.seriesId = m_series.id;
  attempt.exercise = m_exercise;
  attempt.kind = m_series.kind;
  attempt.level = m_level;
  attempt.target = m_exercises.isEmpty() ? 0 : m_exercises.last().target;
  attempt.answer = answer;
  attempt.verdict = verdict;
  attempt.explanation = std::move(explanation);
  attempt.seconds = m_clock.isValid() ? m_clock.elapsed() / 1000.0 : 0.0;
  m_recorder->recordTry(attempt);
}

void SeriesLog::endSeries(int score) {
  m_series.end = QDateTime::currentDateTimeUtc();
  m_series.score = score;
  m_series.played = playedCount();
  if (m_recorder) m_recorder->recordSeries(m_series);
}

void SeriesLog::abandonSeries() {
  if (m_series.id.isEmpty() || m_series.end) return;
  m_series.end = QDateTime::currentDateTimeUtc();
  m_series.score = static_cast<int>(
      std::count_if(m_exercises.cbegin(), m_exercises.cend(), [](const ExerciseSummary& e) { return e.right; }));
  m_series.played = playedCount();
  if (m_recorder) m_recorder->recordSeries(m_series);
}

// Exercises the pupil answered at least once (an estimate is no answer).
int SeriesLog::playedCount() const {
  return static_cast<int>(std::count_if(m_exercises.cbegin(), m_exercises.cend(),
                                        [](const ExerciseSummary& e) { return !e.answers.isEmpty(); }));
}

void SeriesLog::recordPathStep(ExerciseKind kind, int number, int level, bool solved, int triesUsed,
                               int nextLevel) {
  if (!m_recorder) return;
  m_recorder->recordPathStep({newRecordId(), QDateTime::currentDateTimeUtc(), m_pupil, kind, number, level, solved,
                              triesUsed, nextLevel});
}

std::optional<QList<PathStepRecord>> SeriesLog::readPathSteps(ExerciseKind kind) const {
  if (!m_recorder) return std::nullopt;
  QList<PathStepRecord> steps;
  // A file not made yet holds no step: a pupil new to this computer.
  const QString local = m_recorder->localPath();
  const bool localMade = QFileInfo::exists(local);
  bool localRead = false;
  if (localMade) {
    ResultsReader reader(local);
    steps = reader.pathSteps(m_pupil, kind);
    localRead = reader.isOpen() && reader.errorText().isEmpty();
  }
  // With a server, the room's record is the server's; the file adds what
  // has not reached it yet.
  bool read = m_serverUrl.isEmpty() ? (!localMade || localRead) : localRead;
  if (!m_serverUrl.isEmpty()) {
    ResultsReader reader(m_serverUrl);
    const QList<PathStepRecord> sent = reader.pathSteps(m_pupil, kind);
    if (reader.isOpen() && reader.errorText().isEmpty()) {
      read = true;
      QSet<QString> known;
      for (const PathStepRecord& s : steps) known.insert(s.id);
      for (const PathStepRecord& s : sent)
        if (!known.contains(s.id)) steps.append(s);
      std::stable_sort(steps.begin(), steps.end(), [](const PathStepRecord& a, const PathStepRecord& b) {
        return std::tie(a.number, a.time, a.id) < std::tie(b.number, b.time, b.id);
      });
    }
  }
  if (!read) return std::nullopt;
  return steps;
}

QString SeriesLog::summaryText(int score, int done) const {
  QString html = QStringLiteral("<p>") + scoreText(score, done).toHtmlEscaped() + QStringLiteral("</p>");
  html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\" border=\"1\"><tr>");
  for (const QString& heading : {QCoreApplication::translate("gradoir::SeriesLog", "N°"),
                                 QCoreApplication::translate("gradoir::SeriesLog", "Angle"),
                                 QCoreApplication::translate("gradoir::SeriesLog", "Réponses"),
                                 QCoreApplication::translate("gradoir::SeriesLog", "Résultat")}) {
    html += QStringLiteral("<th>") + heading.toHtmlEscaped() + QStringLiteral("</th>");
  }
  html += QStringLiteral("</tr>");
  for (qsizetype i = 0; i < m_exercises.size(); ++i) {
    const ExerciseSummary& e = m_exercises[i];
    html += QStringLiteral("<tr>") + cell(QString::number(i + 1)) + cell(QStringLiteral("%1°").arg(e.target)) +
            cell(answersText(e)) + cell(e.right ? QCoreApplication::translate("gradoir::SeriesLog", "réussi")
                                               : QCoreApplication::translate("gradoir::SeriesLog", "manqué")) +
            QStringLiteral("</tr>");
  }
  return html + QStringLiteral("</table>");
}

}  // namespace gradoir
