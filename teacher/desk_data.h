#pragma once
// What the teacher's desk shows, made from what the results store answers:
// the class overview (one row per pupil, those who never played included)
// and the words of scores and trends. No widget, no database.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "records/results_reader.h"
#include "records/try_record.h"

namespace gradoir {

// One kind of exercise for one pupil.
struct KindSummary {
  int series = 0;
  std::optional<SeriesRecord> last;
  QList<double> lastFive;  // scores as fractions, oldest first
  QString topMistake;      // code; empty when none
  std::optional<int> pathLevel;  // reached on "Mon parcours"; empty when never played
};

struct OverviewRow {
  QString pupil;
  KindSummary measuring, drawing;
  std::optional<QDateTime> lastActivity;
  const KindSummary& of(ExerciseKind kind) const { return kind == ExerciseKind::Measuring ? measuring : drawing; }
};

// Pupils of the class list first, in its order, then the others who
// played, in the store's order.
QList<OverviewRow> classOverview(const QStringList& classList, const QStringList& pupilsInStore,
                                 const QList<SeriesRecord>& series, const QList<MistakeCount>& mistakes,
                                 const QList<PupilPathLevels>& pathLevels = {});

// Right out of played (0 when nothing was played).
double seriesFraction(const SeriesRecord& series);
// "7/10" for a complete series; "inachevée : 1 juste sur 3 faits, 10 prévus"
// for one stopped before its end ("sur 3 faits" alone for an endless one).
QString seriesScoreText(const SeriesRecord& series);
// "↗ 40 % → 90 %": the direction of the last scores (up, down, level by
// more than 10 points between the first and the last halves) and their ends.
QString trendText(const QList<double>& fractions);
// The mistake most often made in `kind` by `pupil`; empty when none.
QString topMistake(const QList<MistakeCount>& mistakes, const QString& pupil, ExerciseKind kind);

}  // namespace gradoir
